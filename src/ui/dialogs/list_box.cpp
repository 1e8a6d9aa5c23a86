#include "ui/dialogs/list_box.h"

#include <algorithm>

#include "engine/flat_drawing.h"

using namespace box;

namespace {

// The choice's row: a lighter plate.
constexpr RGB CHOSEN = {88, 92, 100};
// Rows the wheel scrolls a notch.
constexpr int WHEEL_ROWS = 3;
constexpr int BAR_W = 4;

} // namespace

LIST_BOX::LIST_BOX(int rows, const SHAPE &shape) : shape(shape), count(rows) {}

int LIST_BOX::rows_in_sight() const { return std::max(1, std::min(count, shape.most_rows)); }

int LIST_BOX::box_h() const { return shape.title_h + rows_in_sight() * shape.row_h + shape.foot_h; }
int LIST_BOX::box_x() const { return (window_w() - shape.w) / 2; }
int LIST_BOX::box_y() const { return (window_h() - box_h()) / 2; }
int LIST_BOX::rows_top() const { return box_y() + shape.title_h; }

bool LIST_BOX::inside(int x, int y) const
{
    return x >= box_x() && x < box_x() + shape.w && y >= box_y() && y < box_y() + box_h();
}

int LIST_BOX::row_at(int x, int y) const
{
    if (x < box_x() || x >= box_x() + shape.w || y < rows_top())
        return -1;
    const int r = first + (y - rows_top()) / shape.row_h;
    return y < rows_top() + rows_in_sight() * shape.row_h && r < count ? r : -1;
}

bool LIST_BOX::choose(int r)
{
    if (count == 0)
        return false;
    const int before_row = row, before_first = first;
    row = std::clamp(r, 0, count - 1);
    first = std::clamp(first, row - rows_in_sight() + 1, row);
    return row != before_row || first != before_first;
}

bool LIST_BOX::scroll(int rows)
{
    const int before = first;
    first = std::clamp(first + rows, 0, std::max(0, count - rows_in_sight()));
    return first != before;
}

bool LIST_BOX::key(const SDL_keysym &key)
{
    switch (key.sym) {
    case SDLK_UP:
        return choose(row - 1);
    case SDLK_DOWN:
        return choose(row + 1);
    case SDLK_PAGEUP:
        return choose(row - rows_in_sight());
    case SDLK_PAGEDOWN:
        return choose(row + rows_in_sight());
    case SDLK_HOME:
        return choose(0);
    case SDLK_END:
        return choose(count - 1);
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (count == 0)
            return false;
        state = TAKEN;
        return true;
    case SDLK_ESCAPE:
        escape_held = true;
        return false;
    default:
        return false;
    }
}

bool LIST_BOX::release(const SDL_MouseButtonEvent &b)
{
    if (!pressed)
        return false;
    pressed = false;
    const int r = row_at(b.x, b.y);
    if (!inside(b.x, b.y) && pressed_outside)
        state = CANCELLED;
    else if (r >= 0 && !pressed_outside) {
        row = r;
        state = TAKEN;
    }
    return true;
}

bool LIST_BOX::take(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        return key(event.key.keysym);
    case SDL_KEYUP:
        if (event.key.keysym.sym == SDLK_ESCAPE && escape_held)
            state = CANCELLED;
        return false;
    case SDL_MOUSEMOTION: {
        const int r = row_at(event.motion.x, event.motion.y);
        if (r < 0 || r == row)
            return false;
        row = r;
        return true;
    }
    case SDL_MOUSEBUTTONDOWN: {
        const SDL_MouseButtonEvent &b = event.button;
        if (b.button == SDL_BUTTON_WHEELUP || b.button == SDL_BUTTON_WHEELDOWN) {
            // The choice stays the row under the pointer.
            bool changed = scroll(b.button == SDL_BUTTON_WHEELUP ? -WHEEL_ROWS : WHEEL_ROWS);
            const int r = row_at(b.x, b.y);
            if (r >= 0 && r != row) {
                row = r;
                changed = true;
            }
            return changed;
        }
        if (b.button != SDL_BUTTON_LEFT)
            return false;
        pressed = true;
        pressed_outside = !inside(b.x, b.y);
        return false;
    }
    case SDL_MOUSEBUTTONUP:
        return event.button.button == SDL_BUTTON_LEFT && release(event.button);
    case SDL_USEREVENT:
        return true;
    default:
        return false;
    }
}

void LIST_BOX::draw()
{
    const int x = box_x(), y = box_y(), h = box_h();
    const WINDOW_PIXELS pixels;
    fill(x, y, shape.w, h, PLATE);
    frame(x, y, shape.w, h, OUTLINE);
    text(our_font_14, x + MARGIN, y + 26, LEGEND, title());
    const int shown = rows_in_sight();
    const bool bar = count > shown;
    for (int i = 0; i < shown && first + i < count; i++) {
        const int r = first + i, top = rows_top() + i * shape.row_h;
        if (r == row)
            fill(x + 1, top, shape.w - 2 - (bar ? BAR_W + 2 : 0), shape.row_h, CHOSEN);
        draw_row(r, x + MARGIN, top, r == row);
    }
    if (bar) {
        const int track = shown * shape.row_h, bar_x = x + shape.w - BAR_W - 2;
        fill(bar_x, rows_top(), BAR_W, track, LCD);
        fill(bar_x, rows_top() + track * first / count, BAR_W, std::max(2, track * shown / count),
             OUTLINE);
    }
    text(our_font_7, x + MARGIN, y + h - 10, LEGEND, help());
}
