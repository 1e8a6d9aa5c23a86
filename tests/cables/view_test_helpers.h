// Driving the views' event handlers as the user does: real SDL events pushed
// into the queue of a real window, over the panels of a real patch file.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "cable_test_helpers.h"
#include "engine/objet.h"
#include "synth/generator.h"

namespace view_test {

// A point of the work area.
struct POINT {
    int x, y;
};

// The patch of the text in gen, its panels built and drawn as the program
// does at start-up (then shown from behind for the back view), the scroll at
// 0, both views' picks forgotten, the cables built, the event queue empty.
struct VIEW_PATCH {
    TempDir dir;
    std::string path;
    cable_test::LOADED_PATCH patch;
    VIEW_PATCH(const std::string &text, bool back_view);
    ~VIEW_PATCH();
};

// The panel of the module so named (any kind); fails the test when none.
OBJET &panel_of(const char *module);
// The centre of an element of the panel's current view.
POINT centre(OBJET &panel, const char *element);

// Events at a work-area point, converted to the window with the scroll
// offsets as they are when pushed.
void motion(POINT p);
void button(Uint8 type, Uint8 which, POINT p);
void key(Uint8 type, SDLKey sym);
// Takes every event waiting, the sequencers' steps included.
void drain();
// The pointer's window position as the window system has it.
POINT pointer();

// The output of "MIXER_4" sample by sample over one second of the patch.
std::vector<float> render_second(GENERATOR &patch);
// The same for a fresh load of the patch file, wired further by `rewire`
// (empty: as the file says).
std::vector<float> render_second_of(const std::string &path,
                                    const std::function<void(GENERATOR &)> &rewire);
// How many samples differ.
int differences(const std::vector<float> &a, const std::vector<float> &b);

} // namespace view_test
