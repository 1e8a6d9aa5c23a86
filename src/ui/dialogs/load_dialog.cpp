#include "ui/dialogs/load_dialog.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "engine/video.h"
#include "ui/dialogs/name_entry.h"
#include "panels/panel_drawing.h"

namespace {

// The rows are hit a little beyond their text: the whole width of the
// display and the whole pitch of the row.
constexpr int ROW_MARGIN_X = 6, ROW_ABOVE = 5;
constexpr int ROW_TEXT_WIDTH = LOAD_DIALOG::ROW_CHARS * LOAD_DIALOG::GLYPH_WIDTH;

struct SCROLL_BUTTON {
    const char *element;
    int direction;
};
const SCROLL_BUTTON SCROLL_BUTTONS[] = {{"BUTTON_OCT_DOWN", 1}, {"BUTTON_OCT_UP", 2}};

// The name as a row shows it: right-aligned in ROW_CHARS columns, a longer
// name cut with "..." at its end.
std::string row_text(const std::string &name)
{
    const size_t columns = LOAD_DIALOG::ROW_CHARS;
    const std::string shown = name.size() <= columns ? name : name.substr(0, columns - 3) + "...";
    return std::string(columns - shown.size(), ' ') + shown;
}

} // namespace

LOAD_DIALOG::LOAD_DIALOG(const FILE_LISTING &listing) : names(listing.names), panel(0, 0, "5")
{
    panel.load_RC("RC/LOAD.RC");
    for (SPRITE *s : panel.front)
        s->evolue(); // takes the sizes of the images, which the hit tests use
    message = dynamic_cast<LABEL *>(panel.get_SPRITE_by_name("LABEL_MESSAGE"));
    for (int r = 0; r < ROWS; r++) {
        rows[r] = new LABEL("", ROW_X, ROW_Y + ROW_PITCH * r, 100, 100, 1, 12, NAME_COLOUR);
        char name[32];
        std::snprintf(name, sizeof name, "5_ROW_%d", r);
        rows[r]->set_NAME(name);
        panel.front.push_back(rows[r]);
    }
    panel.calcule_lasurfaceoccupee();
    show_page();
    if (!listing.problem.empty())
        say(listing.problem);
    else if (names.empty())
        say("No patch file in QSY/");
    else
        say("");
}

int LOAD_DIALOG::max_scroll() const { return std::max(0, static_cast<int>(names.size()) - ROWS); }

void LOAD_DIALOG::say(const std::string &text)
{
    if (message == nullptr)
        return;
    std::snprintf(message->text, sizeof message->text, "%s", text.c_str());
}

void LOAD_DIALOG::show_page()
{
    for (int r = 0; r < ROWS; r++) {
        const size_t entry = static_cast<size_t>(scroll + r);
        const std::string text = entry < names.size() ? row_text(names[entry]) : "";
        std::snprintf(rows[r]->text, sizeof rows[r]->text, "%s", text.c_str());
        rows[r]->colour = r == hovered ? HOVER_COLOUR : NAME_COLOUR;
        rows[r]->redraw = 1;
    }
}

int LOAD_DIALOG::row_at(int x, int y) const
{
    const int left = WINDOW_X + ROW_X - ROW_MARGIN_X;
    if (x < left || x >= left + ROW_TEXT_WIDTH + 2 * ROW_MARGIN_X)
        return -1;
    const int from_top = y - (WINDOW_Y + ROW_Y - ROW_ABOVE);
    if (from_top < 0 || from_top >= ROWS * ROW_PITCH)
        return -1;
    const int row = from_top / ROW_PITCH;
    return scroll + row < static_cast<int>(names.size()) ? row : -1;
}

bool LOAD_DIALOG::on_element(const char *element, int x, int y)
{
    const SPRITE *s = panel.get_SPRITE_by_name(element);
    if (s == nullptr)
        return false;
    const int left = WINDOW_X + static_cast<int>(s->x), top = WINDOW_Y + static_cast<int>(s->y);
    return x >= left && x < left + static_cast<int>(s->w) && y >= top &&
           y < top + static_cast<int>(s->h);
}

bool LOAD_DIALOG::outside(int x, int y) const
{
    return x < WINDOW_X || x >= WINDOW_X + static_cast<int>(panel.w) || y < WINDOW_Y ||
           y >= WINDOW_Y + static_cast<int>(panel.h);
}

void LOAD_DIALOG::hover(int row)
{
    if (row == hovered)
        return;
    hovered = row;
    show_page();
}

// The held button shows its lit image.
void LOAD_DIALOG::hold(int new_direction)
{
    direction = new_direction;
    for (const SCROLL_BUTTON &button : SCROLL_BUTTONS)
        if (BUTTON *b = dynamic_cast<BUTTON *>(panel.get_SPRITE_by_name(button.element)))
            b->set_sprite_NAME(
                b->images[direction == button.direction ? BUTTON::IMAGE_HOVER : BUTTON::IMAGE_ON]);
}

bool LOAD_DIALOG::press(const SDL_MouseButtonEvent &b)
{
    if (b.button == SDL_BUTTON_WHEELUP || b.button == SDL_BUTTON_WHEELDOWN) {
        const int before = scroll;
        scroll = std::clamp(scroll + (b.button == SDL_BUTTON_WHEELDOWN ? 1 : -1), 0, max_scroll());
        show_page();
        return scroll != before;
    }
    if (b.button != SDL_BUTTON_LEFT)
        return false;
    pressed = true;
    pressed_outside = outside(b.x, b.y);
    for (const SCROLL_BUTTON &button : SCROLL_BUTTONS)
        if (on_element(button.element, b.x, b.y))
            hold(button.direction);
    return direction != 0;
}

bool LOAD_DIALOG::release(const SDL_MouseButtonEvent &b)
{
    if (b.button != SDL_BUTTON_LEFT || !pressed)
        return false;
    pressed = false;
    const bool was_scrolling = direction != 0;
    hold(0);
    if (pressed_outside && outside(b.x, b.y)) {
        state = CANCELLED;
        return true;
    }
    pressed_outside = false;
    const int row = row_at(b.x, b.y);
    if (!was_scrolling && row >= 0) {
        chosen = scroll + row;
        state = CHOSEN;
    }
    return true;
}

bool LOAD_DIALOG::take(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION: {
        const int before = hovered;
        hover(row_at(event.motion.x, event.motion.y));
        return hovered != before;
    }
    case SDL_MOUSEBUTTONDOWN:
        return press(event.button);
    case SDL_MOUSEBUTTONUP:
        return release(event.button);
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE)
            escape_held = true;
        return false;
    case SDL_KEYUP:
        if (event.key.keysym.sym == SDLK_ESCAPE && escape_held)
            state = CANCELLED;
        return false;
    case SDL_VIDEOEXPOSE:
        return true;
    default:
        return false;
    }
}

bool LOAD_DIALOG::scroll_pass()
{
    const int before = scroll;
    if (direction == 1)
        scroll = std::min(scroll + 1, max_scroll());
    else if (direction == 2)
        scroll = std::max(scroll - 1, 0);
    if (scroll == before)
        return false;
    show_page();
    return true;
}

void LOAD_DIALOG::draw()
{
    panel.x = static_cast<float>(offsx + WINDOW_X);
    panel.y = static_cast<float>(offsy + WINDOW_Y);
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    glColor3f(1, 1, 1);
    panel.toggle_all_draw_flag(1);
    panel.Draw_Scene(nullptr);
    PerspectiveMode();
}
