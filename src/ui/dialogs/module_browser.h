// The module browser: the seven kinds of module (modules/module_types.h), a
// row each with its title and its one-line description, in a box over the
// darkened view.
//
// The arrow keys move the choice (it stops at the first and the last row) and
// Enter takes it; the pointer over a row makes it the choice and a click on it
// takes it. Escape, on its release, and a click outside the box cancel. A
// release counts only after a press in the browser: the right button that
// opened it is let go without choosing. Every other event is taken and does
// nothing; the modal loop (modal_loop.h) runs it.
#pragma once

#include <SDL.h>

#include "modules/module.h"
#include "ui/dialogs/modal_loop.h"

class MODULE_BROWSER : public MODAL_BOX {
public:
    enum STATE { CHOOSING, TAKEN, CANCELLED };
    static constexpr int ROWS = 7;
    static constexpr int BOX_W = 480, TITLE_H = 40, ROW_H = 40, FOOT_H = 28;
    static constexpr int BOX_H = TITLE_H + ROWS * ROW_H + FOOT_H;

    STATE state = CHOOSING;
    int row = 0; // the choice

    // The kind of the choice.
    MODULE_KIND kind() const;
    // The row at a window position; -1 for none.
    int row_at(int x, int y) const;

    bool open() const override { return state == CHOOSING; }
    bool take(const SDL_Event &event) override;
    void draw() override;
    Uint32 wait_ms(bool painted) const override { return painted ? 0 : 10; }

private:
    bool pressed = false; // a mouse button pressed in the browser
    bool pressed_outside = false;
    bool escape_held = false;
    int box_x() const;
    int box_y() const;
    bool key(const SDL_keysym &key);
    bool release(const SDL_MouseButtonEvent &b);
};

// Runs the browser: the kind taken, or NO_MODULE when it was cancelled (or
// could not open: no window, another box open).
MODULE_KIND choose_module_kind();
