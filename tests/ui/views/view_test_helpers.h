// Driving the views' event handlers as the user does: real SDL events pushed
// into the queue of a real window, over the panels of a real patch file.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "cables/cable_test_helpers.h"
#include "engine/objet.h"
#include "synth/generator.h"

namespace view_test {

struct POINT {
    int x, y;
};

// The patch of the text in gen, its panels drawn as at start-up (then turned
// round for the back view), the scroll and the pointer at 0, both views'
// picks forgotten, the cables built, the event queue empty.
struct VIEW_PATCH {
    TempDir dir;
    std::string path;
    cable_test::LOADED_PATCH patch;
    VIEW_PATCH(const std::string &text, bool back_view);
    ~VIEW_PATCH();
};

// The test window with the image library and the small font, opened once per
// process.
void open_window();

OBJET &panel_of(const char *module);
// The centre of an element of the panel's current view, on the work area.
POINT centre(OBJET &panel, const char *element);

// A work-area point of the window that no panel covers.
POINT empty_spot();

// Events at work-area points, put in the window with the scroll offsets as
// they are when made (a motion when type is SDL_MOUSEMOTION), then pushed.
SDL_Event mouse_event(Uint8 type, Uint8 which, POINT p);
void motion(POINT p);
void button(Uint8 type, Uint8 which, POINT p);
void key(Uint8 type, SDLKey sym, Uint16 unicode = 0);
// Takes every event waiting, the sequencers' steps included.
void drain();
// The pointer's window position as the window system has it.
POINT pointer();
// What the window shows on the X display, as the user sees it (not a buffer
// of OpenGL's): colour 0xRRGGBB at (x, y) from the top left.
std::vector<uint32_t> window_picture();

// The output of "MIXER_4" over one second, the patch first wired further by
// `rewire` when given.
std::vector<float> render_second(GENERATOR &patch, void (*rewire)(GENERATOR &) = nullptr);

} // namespace view_test
