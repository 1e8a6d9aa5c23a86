#include "ui/dialogs/help_overlay.h"

#include <algorithm>
#include <cstring>

#include "panels/panel_drawing.h"
#include "engine/flat_drawing.h"

using namespace box;

namespace {

const int MARGIN = 16, GAP = 16;
const int TITLE_H = 36, ROW_H = 16, FOOT_H = 28;
// The large font's advance: its 12 points at 96 dpi are 16 pixels, and a
// character is half as wide.
const int CHAR_W = 8;

// The width of the widest text of a column.
int column_w(const std::vector<const KEY_HELP *> &rows, const char *KEY_HELP::*column)
{
    size_t chars = 0;
    for (const KEY_HELP *row : rows)
        chars = std::max(chars, std::strlen(row->*column));
    return CHAR_W * static_cast<int>(chars);
}

const HELP_OVERLAY *shown = nullptr;

std::vector<const KEY_HELP *> rows_of(HELP_VIEWS view)
{
    std::vector<const KEY_HELP *> rows;
    for (const KEY_HELP &row : KEY_HELP_TABLE)
        if (row.views & view)
            rows.push_back(&row);
    return rows;
}

} // namespace

HELP_OVERLAY::HELP_OVERLAY(HELP_VIEWS view) : view(view), rows(rows_of(view)) {}

bool HELP_OVERLAY::take(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_MOUSEBUTTONDOWN:
        pressed = true;
        return false;
    case SDL_KEYUP:
    case SDL_MOUSEBUTTONUP:
        closed = pressed;
        return false;
    case SDL_USEREVENT:
        return true;
    default:
        return false;
    }
}

// The box fits its two columns and its rows, in the middle of the window.
void HELP_OVERLAY::draw()
{
    const int input_w = column_w(rows, &KEY_HELP::input);
    const int w = MARGIN + input_w + GAP + column_w(rows, &KEY_HELP::does) + MARGIN;
    const int h = TITLE_H + ROW_H * static_cast<int>(rows.size()) + FOOT_H;
    const int x = (window_w() - w) / 2, y = (window_h() - h) / 2;
    const WINDOW_PIXELS pixels;
    fill(x, y, w, h, PLATE);
    frame(x, y, w, h, OUTLINE);
    const int left = x + MARGIN;
    text(our_font_14, left, y + 24, LEGEND,
         view == BACK_HELP ? "Help - the back view" : "Help - the front view");
    int baseline = y + TITLE_H + 10;
    for (const KEY_HELP *row : rows) {
        text(our_font_14, left, baseline, AMBER, row->input);
        text(our_font_14, left + input_w + GAP, baseline, LEGEND, row->does);
        baseline += ROW_H;
    }
    text(our_font_7, left, y + h - 10, LEGEND, "ANY KEY OR CLICK CLOSES THIS HELP");
}

void open_help()
{
    HELP_OVERLAY box(BACK_VIEW_TOGGLE ? BACK_HELP : FRONT_HELP);
    shown = &box;
    run_modal(box, "help");
    shown = nullptr;
}

const HELP_OVERLAY *help_shown() { return shown; }
