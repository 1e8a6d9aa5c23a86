#include "panels/dashboard_row.h"

#include <algorithm>

#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"

namespace {

constexpr int LEFT = 10, GAP = 12;

} // namespace

void place_dashboards()
{
    // The list holds them keys, system, information (each put in front).
    std::vector<OBJET *> row(objets_panel_front.rbegin(), objets_panel_front.rend());
    int width = -GAP;
    for (const OBJET *d : row)
        width += static_cast<int>(d->w) + GAP;
    int top = 0;
    for (const OBJET *p : objets_globaux)
        if (p->x < LEFT + width && p->x + p->w > LEFT)
            top = std::max(top, static_cast<int>(p->y + p->h));
    int x = LEFT;
    for (OBJET *d : row) {
        d->setxyz(static_cast<float>(x), static_cast<float>(top + GAP), 0);
        x += static_cast<int>(d->w) + GAP;
    }
}

int dashboards_scroll_y(int max_y, int offset_y)
{
    if (objets_panel_front.empty())
        return offset_y;
    int bottom = 0;
    for (const OBJET *d : objets_panel_front)
        bottom = std::max(bottom, static_cast<int>(d->y + d->h));
    return std::clamp(bottom + GAP - VIEW_HEIGHT, 0, max_y);
}
