// The system dashboard: pads that load a patch, save the patch, switch
// between the front and the back view, show the help, start an empty patch,
// add a module, record and follow the MIDI clock. Built from
// RC/SYSTEM_DASH.RC.
//
// Its orders are given to it, because they live in libraries that depend on
// this one (the save command walks the panels and the cables); the main
// program hands it the load dialog, SAVE_QSY, toggle_FILS_view and open_help.
#pragma once

#include "engine/objet.h"

// 1 while a patch is being loaded.
extern int LOAD_FLAG;

// A null order does nothing; an order left out is null, so that callers
// naming only the first orders stay valid as pads are added.
struct SYSTEM_ORDERS {
    void (*load)() = nullptr; // a button named with "LOAD", run with LOAD_FLAG set
    int (*save)() = nullptr;  // "SAVE"
    void (*fils)() = nullptr; // "FILS"
    void (*help)() = nullptr; // "HELP"
    void (*empty)() = nullptr; // "NEW": an empty patch
    void (*add)() = nullptr;   // "ADD": the module browser
    void (*record)() = nullptr; // "REC": recording starts or stops
    void (*clock)() = nullptr;  // "CLOCK": the sequencers follow the MIDI clock, or stop following
};

class SYSTEM_DASH : public OBJET {
public:
    SYSTEM_ORDERS orders;

    // Panel "60".
    explicit SYSTEM_DASH(const SYSTEM_ORDERS &orders);

    // Takes every queued message, oldest first. A released mouse button on a
    // button is an order chosen by the words in the button's NAME: "LOAD",
    // "SAVE", "FILS", "HELP", "NEW", "ADD", "REC", "CLOCK", each tested, in
    // that order. The buttons themselves receive nothing. Returns 0.
    int evolue() override;

    // The load meter: the share of the time the sound allows that the patch
    // took over the last second. (Its label's name holds no order's word: a
    // click on it orders nothing.)
    void show_load(int percent);
    // The recording: its pad lit and the time recorded (seconds; negative
    // while not recording: pad dark, no time).
    void show_recording(double seconds);
    // The MIDI clock: its pad lit while the sequencers follow it, and its
    // tempo in beats a minute (0: no clock comes).
    void show_clock(bool following, float tempo);
};
