// The one loop of the window's modal boxes (the name entry, the patch load
// dialog): while a box is open it takes every event, the sound goes on on its
// own thread, and the main loop keeps its own duties through modal_hooks.
// Every pass first calls each_pass (where the main loop puts the execution of
// the remote orders), then hands the pending events to the box, then lets it
// do its own work of the pass, then, when anything changed, paints the view
// behind (paint_view, or without it the frame last painted when the box
// opened), darkened, and the box over it. When the box closes the loop
// pushes one SDL user event, so that the view's handler redraws the window at
// its next pass.
#pragma once

#include <SDL.h>

#include <vector>

struct MODAL_HOOKS {
    // Called once per pass: the main loop's duties that go on meanwhile
    // (executing the remote orders, accepting a waiting remote client). A
    // non-zero result asks for the view to be painted again.
    int (*each_pass)(void *data) = nullptr;
    // Paints the whole window behind the box, without swapping buffers.
    void (*paint_view)(void *data) = nullptr;
    void *data = nullptr;
};
extern MODAL_HOOKS modal_hooks;

// What the loop runs.
class MODAL_BOX {
public:
    virtual ~MODAL_BOX() = default;
    // Whether the box is still open.
    virtual bool open() const = 0;
    // Whether it takes events now (a box busy with a choice leaves the next
    // events waiting for the next pass).
    virtual bool taking() const { return open(); }
    // Takes one event; returns whether what the box shows changed.
    virtual bool take(const SDL_Event &event) = 0;
    // Its own work once per pass, after the events; whether it changed.
    virtual bool pass() { return false; }
    // Draws the box in window pixels over whatever the window holds.
    virtual void draw() = 0;
    // How long the loop waits after a pass that painted (or did not).
    virtual Uint32 wait_ms(bool painted) const = 0;
    // Whether typing gives characters (SDL's key translation, while open).
    virtual bool types_text() const { return false; }

    // The window's picture when the box first opened: a box that runs again
    // shows the same view behind it.
    std::vector<unsigned char> behind;
};

// Runs the box until it closes. Without a window, or while another box is
// open, says so in one line (`what` names the box) and returns false at once;
// else true once the box closed.
bool run_modal(MODAL_BOX &box, const char *what);

// What any modal box shows behind it, without swapping buffers: the view
// painted by modal_hooks.paint_view, or without it the frame last painted
// in the back buffer when the box opened (read into behind the first time),
// darkened.
void paint_behind_box(std::vector<unsigned char> &behind);
