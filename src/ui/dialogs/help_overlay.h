// The help box: every key and mouse gesture of the view on screen, as the
// help table (ui/views/key_help.h) gives them, in a box over the darkened
// view. F12 in either view and the system dashboard's "?" pad open it.
//
// Any key or mouse button closes it. It closes on the release that follows
// a press, so that no release reaches the view after it: the release of
// Escape would end the program there. The releases of keys held when it
// opened (F12 itself) close nothing. Every other event is taken and does
// nothing; the modal loop (modal_loop.h) runs it.
#pragma once

#include <SDL.h>

#include <vector>

#include "ui/dialogs/modal_loop.h"
#include "ui/views/key_help.h"

class HELP_OVERLAY : public MODAL_BOX {
public:
    // The rows of one view (FRONT_HELP or BACK_HELP), in the table's order.
    explicit HELP_OVERLAY(HELP_VIEWS view);

    const HELP_VIEWS view;
    const std::vector<const KEY_HELP *> rows;

    bool open() const override { return !closed; }
    // Returns whether what the box shows changed (a user event, such as a
    // redraw asked for, counts as a change).
    bool take(const SDL_Event &event) override;
    void draw() override;
    Uint32 wait_ms(bool painted) const override { return painted ? 0 : 10; }

private:
    bool pressed = false, closed = false;
};

// Shows the help of the view on screen (the back view's while BACK_VIEW_TOGGLE
// is set) until a key or a click; says so in one line without a window.
void open_help();

// The help box open now; null when none is.
const HELP_OVERLAY *help_shown();
