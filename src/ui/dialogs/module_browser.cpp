#include "ui/dialogs/module_browser.h"

#include "modules/module_types.h"
#include "ui/dialogs/box_drawing.h"

using namespace box;

namespace {

const int MARGIN = 16;
// The choice's row: a lighter plate.
constexpr RGB CHOSEN = {88, 92, 100};

} // namespace

MODULE_KIND MODULE_BROWSER::kind() const { return MODULE_TYPES[row].kind; }

int MODULE_BROWSER::box_x() const { return (window_w() - BOX_W) / 2; }
int MODULE_BROWSER::box_y() const { return (window_h() - BOX_H) / 2; }

int MODULE_BROWSER::row_at(int x, int y) const
{
    const int top = box_y() + TITLE_H;
    if (x < box_x() || x >= box_x() + BOX_W || y < top || y >= top + ROWS * ROW_H)
        return -1;
    return (y - top) / ROW_H;
}

bool MODULE_BROWSER::key(const SDL_keysym &key)
{
    switch (key.sym) {
    case SDLK_UP:
        if (row > 0)
            return --row, true;
        return false;
    case SDLK_DOWN:
        if (row < ROWS - 1)
            return ++row, true;
        return false;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        state = TAKEN;
        return true;
    case SDLK_ESCAPE:
        escape_held = true;
        return false;
    default:
        return false;
    }
}

bool MODULE_BROWSER::release(const SDL_MouseButtonEvent &b)
{
    if (!pressed)
        return false;
    pressed = false;
    const int r = row_at(b.x, b.y);
    const bool outside = b.x < box_x() || b.x >= box_x() + BOX_W || b.y < box_y() ||
                         b.y >= box_y() + BOX_H;
    if (outside && pressed_outside)
        state = CANCELLED;
    else if (r >= 0 && !pressed_outside) {
        row = r;
        state = TAKEN;
    }
    return true;
}

bool MODULE_BROWSER::take(const SDL_Event &event)
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
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_LEFT)
            return false;
        pressed = true;
        pressed_outside = event.button.x < box_x() || event.button.x >= box_x() + BOX_W ||
                          event.button.y < box_y() || event.button.y >= box_y() + BOX_H;
        return false;
    case SDL_MOUSEBUTTONUP:
        return event.button.button == SDL_BUTTON_LEFT && release(event.button);
    case SDL_USEREVENT:
        return true;
    default:
        return false;
    }
}

void MODULE_BROWSER::draw()
{
    const int x = box_x(), y = box_y();
    const WINDOW_PIXELS pixels;
    fill(x, y, BOX_W, BOX_H, PLATE);
    frame(x, y, BOX_W, BOX_H, OUTLINE);
    const int left = x + MARGIN;
    text(our_font_14, left, y + 26, LEGEND, "Add a module");
    for (int r = 0; r < ROWS; r++) {
        const int top = y + TITLE_H + r * ROW_H;
        if (r == row)
            fill(x + 1, top, BOX_W - 2, ROW_H, CHOSEN);
        text(our_font_14, left, top + 17, r == row ? GREEN : AMBER, MODULE_TYPES[r].title);
        text(our_font_7, left, top + 32, LEGEND, MODULE_TYPES[r].description);
    }
    text(our_font_7, left, y + BOX_H - 10, LEGEND,
         "UP, DOWN OR THE POINTER: CHOOSE     ENTER OR CLICK: ADD     ESCAPE: CANCEL");
}

MODULE_KIND choose_module_kind()
{
    MODULE_BROWSER browser;
    if (!run_modal(browser, "module browser") || browser.state != MODULE_BROWSER::TAKEN)
        return NO_MODULE;
    return browser.kind();
}
