// What every module panel does with its elements: loading its two description
// files, and reading and writing elements by name. Every lookup is checked: a
// panel whose file is missing, or that lacks an element, changes nothing for
// it instead of failing.
#pragma once

#include <cstring>
#include <string>

#include "engine/button.h"
#include "engine/label.h"
#include "engine/objet.h"
#include "engine/slider.h"

// Names the panel's own sprite (a type prefix format such as "VCO_%s" with the
// panel's number) and reads its back file into the back list, then its front
// file into the front list, which stays current.
void load_panel_files(OBJET &panel, const char *sprite_format, const char *back_file,
                      const char *front_file);
// The last step of every panel constructor: every button of both views shows
// its state, everything is marked for drawing, then one pass of the panel's
// own refresh.
void finish_panel(OBJET &panel);

// The element of the current list with that name and kind; null when there is none.
template <class T> T *element(OBJET &panel, const char *name)
{
    return dynamic_cast<T *>(panel.get_SPRITE_by_name(name));
}

// How the plain dashboards are built: the description file, the size, every
// element marked for drawing, one drawing, and redraw set.
void build_dashboard(OBJET &dash, const char *rc_file);
// The refresh of every dashboard: the panel's own, then the size of its
// background again. A dashboard's own sprite shows the toolkit's default
// image, whose 64 x 64 size the sprite refresh takes; without this the pointer
// would find a dashboard only in its top-left corner, so its buttons beyond
// that would neither light up nor take a release after the pointer moved.
void refresh_dashboard(OBJET &dash);

// An element's NAME without the panel's "<name>_" (or, for an element named
// otherwise, without a short prefix of one or two characters and '_').
const char *name_in_panel(const OBJET &panel, const SPRITE *s);

// Rewrites a label with a printf format and marks it for redrawing; nothing
// when the label is missing.
void show_text(OBJET &panel, const char *label, const char *format, ...)
    __attribute__((format(printf, 3, 4)));
// Rewrites the same label in the back list too, so both views carry it.
void show_text_in_both_views(OBJET &panel, const char *label, const char *text);
// Shows an image on a sprite and marks it for redrawing.
void show_image(OBJET &panel, const char *sprite, const char *image);
// How a knob's angle shows its value: the pointer turns clockwise through
// 270 degrees, from straight down-left at `low` (and below) to down-right at
// `high` (and above), evenly in the value or, for a logarithmic sweep, in its
// logarithm (low > 0 then).
struct KNOB_SWEEP {
    double low, high;
    bool logarithmic;
};
// One knob of a panel and the value it shows: its element, what the
// information dashboard calls it, the label that shows the value, the
// value's format and unit, the sweep of the knob, and the value.
template <class PANEL> struct PANEL_KNOB {
    const char *knob;
    const char *caption;
    const char *label;
    const char *format; // a printf format of one double
    const char *unit;   // "" for none
    KNOB_SWEEP sweep;
    double (*value)(const PANEL &panel);
};

// Where value lies on the sweep: 0 at the low end (and below), 1 at the high
// end (and above).
double sweep_place(double value, const KNOB_SWEEP &sweep);
// The knob's angle for value, in whole degrees from straight up.
int knob_angle(double value, const KNOB_SWEEP &sweep);
// Turns the knob to the angle of value; nothing when the knob is missing.
void show_knob(OBJET &panel, const char *knob, double value, const KNOB_SWEEP &sweep);
// The power switch "POWER" showing the module's power. Like every power
// switch, its state reads the other way round from the module's power: a
// release turns the module off when the state it toggles from is 0.
void show_power(OBJET &panel, int power);
// Sets a button's state, and its image to match.
void set_button(OBJET &panel, const char *button, int state);
// The button's on image when its state is 1, else its off image. (A button
// changes its image only when a message reaches it, so a state set by the
// panel would otherwise not show.)
void show_state(BUTTON &button);

// "CAPTION value unit", the value in the format (of one double).
std::string describe_value(const char *caption, const char *format, double value, const char *unit);

// Every knob of the table at the angle of its value, and every value label.
template <class PANEL, size_t N> void show_knobs(PANEL &panel, const PANEL_KNOB<PANEL> (&knobs)[N])
{
    for (const PANEL_KNOB<PANEL> &k : knobs) {
        show_knob(panel, k.knob, k.value(panel), k.sweep);
        show_text(panel, k.label, k.format, k.value(panel));
    }
}

// The sweep place of the value of the table's knob that element is; -1 when
// it is none of them.
template <class PANEL, size_t N>
double place_of_knob(const PANEL &panel, const PANEL_KNOB<PANEL> (&knobs)[N], const SPRITE *element)
{
    for (const PANEL_KNOB<PANEL> &k : knobs)
        if (std::strcmp(name_in_panel(panel, element), k.knob) == 0)
            return sweep_place(k.value(panel), k.sweep);
    return -1;
}

// "CAPTION value unit" for the knob of the table that element is; empty when
// it is none of them.
template <class PANEL, size_t N>
std::string describe_knob(const PANEL &panel, const PANEL_KNOB<PANEL> (&knobs)[N],
                          const SPRITE *element)
{
    for (const PANEL_KNOB<PANEL> &k : knobs)
        if (std::strcmp(name_in_panel(panel, element), k.knob) == 0)
            return describe_value(k.caption, k.format, k.value(panel), k.unit);
    return "";
}
