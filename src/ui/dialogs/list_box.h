// A list box over the darkened view: a title, rows to choose from and a line
// of help at its foot, drawn with ui/dialogs/box_drawing. What a row shows is
// the subclass's; the keys, the pointer and the scrolling are every list
// box's.
//
// The arrow keys move the choice (it stops at the first and the last row),
// Page Up and Page Down by the rows in sight, Home and End to the ends; the
// rows in sight follow the choice. Enter takes it. The pointer over a row
// makes it the choice, a click on it takes it, and the wheel scrolls the
// rows. Escape, on its release, and a click outside the box cancel. A
// release counts only after a press in the box: the button that opened it is
// let go without choosing. Every other event is taken and does nothing; the
// modal loop (modal_loop.h) runs the box.
#pragma once

#include <SDL.h>

#include "ui/dialogs/modal_loop.h"

class LIST_BOX : public MODAL_BOX {
public:
    enum STATE { CHOOSING, TAKEN, CANCELLED };
    // The box's width, the heights of its title, of a row and of its foot,
    // and the most rows it shows at once.
    struct SHAPE {
        int w, title_h, row_h, foot_h, most_rows;
    };

    STATE state = CHOOSING;
    int row = 0;   // the choice
    int first = 0; // the first row in sight

    // A box of `rows` rows; without any, Enter takes nothing.
    LIST_BOX(int rows, const SHAPE &shape);

    int rows() const { return count; }
    // The rows in sight at once (at least one line, even without rows).
    int rows_in_sight() const;
    // The row at a window position; -1 for none.
    int row_at(int x, int y) const;
    // Makes row r (held within the rows) the choice, in sight; whether the
    // choice or the rows in sight changed.
    bool choose(int r);

    bool open() const override { return state == CHOOSING; }
    bool take(const SDL_Event &event) override;
    // The plate with its title, the rows in sight, a scroll bar when some
    // rows are out of sight, and the help line.
    void draw() override;
    Uint32 wait_ms(bool painted) const override { return painted ? 0 : 10; }

protected:
    const SHAPE shape;
    int box_x() const;
    int box_y() const;
    int box_h() const;
    // The window y of the top of the first row in sight.
    int rows_top() const;
    // Left margin of the texts.
    static constexpr int MARGIN = 16;

    virtual const char *title() const = 0;
    virtual const char *help() const = 0;
    // Row r, its top `top` pixels from the top of the window, its texts from `left`.
    virtual void draw_row(int r, int left, int top, bool chosen) const = 0;

private:
    int count;
    bool pressed = false; // a mouse button pressed in the box
    bool pressed_outside = false;
    bool escape_held = false;
    bool inside(int x, int y) const;
    bool scroll(int rows);
    bool key(const SDL_keysym &key);
    bool release(const SDL_MouseButtonEvent &b);
};
