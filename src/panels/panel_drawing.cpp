#include "panels/panel_drawing.h"

#include "panels/panel_lists.h"

int BACK_VIEW_TOGGLE = 0;
unsigned long panel_side_turns = 0;

namespace {

void refresh_and_draw(OBJET &panel)
{
    panel.evolue();
    draw_panel(panel);
}

} // namespace

void draw_panel(OBJET &panel)
{
    panel.toggle_all_draw_flag(1);
    panel.Draw_Scene(nullptr);
}

bool is_in_view(const OBJET &panel, int scroll_x, int scroll_y)
{
    const RECTANGLE window(static_cast<float>(scroll_x), static_cast<float>(scroll_y), 0,
                           VIEW_WIDTH, VIEW_HEIGHT, 0, nullptr);
    const RECTANGLE area(panel.x, panel.y, 0, panel.w, panel.h, 0, nullptr);
    return window == area;
}

int draw_all_modules(int, int, std::vector<OBJET *> &panels, SDL_Surface *, int scroll_x,
                     int scroll_y, int)
{
    for (OBJET *panel : panels)
        if (is_in_view(*panel, scroll_x, scroll_y))
            refresh_and_draw(*panel);
    return 1;
}

int draw_all_modules_DASH(int, int, std::vector<OBJET *> &panels, SDL_Surface *, int, int)
{
    for (OBJET *panel : panels)
        refresh_and_draw(*panel);
    return 1;
}

void show_panel_sides(int back_view)
{
    BACK_VIEW_TOGGLE = back_view;
    panel_side_turns++;
    for (OBJET *panel : objets_globaux)
        panel->toggle_view_mode(back_view ? static_cast<int>(OBJET::VIEW_BACK)
                                          : static_cast<int>(panel->front_look));
}
