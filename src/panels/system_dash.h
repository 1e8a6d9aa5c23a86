// The system dashboard: buttons that load a patch, save the patch and switch
// between the front and the back view. Built from RC/SYSTEM_DASH.RC.
//
// Its orders are given to it, because they live in libraries that depend on
// this one (the save command walks the panels and the cables); the main
// program hands it the load dialog, SAVE_QSY and toggle_FILS_view.
#pragma once

#include "engine/objet.h"

// 1 while a patch is being loaded.
extern int LOAD_FLAG;

struct SYSTEM_ORDERS {
    void (*load)(); // a button named with "LOAD", run with LOAD_FLAG set
    int (*save)();  // "SAVE"
    void (*fils)(); // "FILS"
};                  // a null order does nothing

class SYSTEM_DASH : public OBJET {
public:
    SYSTEM_ORDERS orders;

    // Panel "60".
    explicit SYSTEM_DASH(const SYSTEM_ORDERS &orders);

    // Takes every queued message, oldest first. A released mouse button on a
    // button is an order chosen by the words in the button's NAME: "LOAD",
    // "SAVE", "FILS", each tested, in that order. The buttons themselves
    // receive nothing. Returns 0.
    int evolue() override;
};
