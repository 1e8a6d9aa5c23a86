// MIDI controllers bound to knobs and switches ("MIDI learn"). Ctrl+click on
// a knob waits for the next control change and binds its channel and
// controller to the knob; Ctrl+click on a bound knob unbinds it. A controller turns every knob
// bound to it through the knob's own panel, step by step as a drag would, so
// the knob only takes values a drag gives it, and its 0..127 covers the
// knob's sweep as the knob's picture shows it (evenly, or evenly in the
// logarithm for a frequency).
//
// The bindings are kept with the patch after its other sections, one line per
// knob between "BEGIN_CONTROLLERS_DECLARE" and "END_CONTROLLERS_DECLARE":
//   VCO_BASS;KNOB=SLD_FREQUENCE;CHANNEL=1;CONTROLLER=74;
// so that builds that do not know them never read that far. Everything here
// runs on the main thread.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "engine/pixel_box.h"

class OBJET;
class SPRITE;

struct CONTROLLER_BINDING {
    std::string module; // the panel's module name
    std::string knob;   // the knob's element name in its panel ("SLD_FREQUENCE")
    int channel;        // 1 to 16
    int controller;     // 0 to 127
};

// The bindings of the running patch.
extern std::vector<CONTROLLER_BINDING> controller_bindings;

// Whether the element of the panel is one a controller can move: a knob of a
// module panel, or a button that switches one of its settings (the panel
// names it). A button is clicked each time its controller crosses the middle
// of its range upwards (a pad pressed).
bool is_bindable(const OBJET &panel, const SPRITE *element);

// Ctrl+click on a knob: unbinds it when bound, stops waiting when it is the
// knob waiting, else waits for a controller to bind to it. Returns what the
// window says of it.
std::string learn_knob(const OBJET &panel, const SPRITE &knob);

// A control change (status 0xBn, controller, value): binds the knob waiting,
// if any, and turns every knob bound to the controller to value's place on
// its sweep. Returns what the window says (empty: nothing to say).
std::string take_control_change(int status, int controller, int value);

// Whether a controller turned a knob in the last half second: the turn is one
// edit, noted when the hand has left the controller.
bool controller_turning();
// True once after each gesture, when the controller has rested: the time to
// note the edit.
bool controller_came_to_rest();

// "CC 74 CH 1" for a bound knob, else empty.
std::string binding_words(const OBJET &panel, const SPRITE *knob);

// Turns the knob of the panel, through the panel's own turns, to the first
// value of its drag steps at or past `place` of its sweep (0 the low end, 1
// the high end), or as far as it goes. A knob moves only the way the
// controller moved (way +1 up, -1 down; 0 either), so that a controller
// turned one way never turns the knob back.
void turn_knob_to(OBJET &panel, SPRITE &knob, double place, int way = 0);

// A small mark at the top-right corner of every bound knob in the window:
// their boxes in window pixels, and their drawing.
std::vector<PIXEL_BOX> binding_marks();
void draw_binding_marks();

// The bindings of a module that is no longer in the patch go.
void forget_bindings_of(const std::string &module);

// The section, and its reading: the bindings of the file replace those there
// were (none without the section). Lines naming no knob of the patch are
// reported and left out.
void write_controller_section(FILE *file);
void read_controller_section(FILE *file);
