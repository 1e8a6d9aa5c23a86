#include "panels/info_dash.h"

#include <cstdio>

#include "panels/module_panel.h"
#include "panels/panel_elements.h"

INFO_DASH *information_dash = nullptr;

namespace {

// One of the three labels, appended to the front list so that it is drawn
// over the elements of the file.
LABEL *add_label(OBJET &dash, const char *text, const char *name, int x, int y, int param, int size,
                 int colour)
{
    LABEL *label = new LABEL(text, 5, 10, 0, 0, param, size, colour);
    label->set_NAME(name);
    label->setxyz(static_cast<float>(x), static_cast<float>(y), 0);
    dash.front.push_back(label);
    return label;
}

} // namespace

INFO_DASH::INFO_DASH() : OBJET(0, 0, "58"), cible(nullptr)
{
    blend = 0;
    load_RC("RC/DASH.RC");
    label_target = add_label(*this, "CIBLE_NAME", "CIBLE_NAME", 80, 25, 216, 8432210, 0xFF00FF);
    label_type = add_label(*this, "TYPE", "LABEL_TYPE", 80, 45, 2, 14, 0);
    label_view_mode = add_label(*this, "VIEW_MODE", "LABEL_VM", 80, 65, 2, 14, 0);
    calcule_lasurfaceoccupee();
    toggle_all_draw_flag(1);
    Draw_Scene(nullptr);
    redraw = 1;
}

void INFO_DASH::set_CIBLE(OBJET *p)
{
    redraw = 1;
    cible = p;
    if (p == nullptr)
        return;
    std::snprintf(label_target->text, sizeof label_target->text, "%p %s", static_cast<void *>(p),
                  p->sprite_NAME);
    if (const MODULE m = module_of(p)) {
        std::snprintf(label_type->text, sizeof label_type->text, "%s", kind_word(m.kind));
        std::snprintf(label_target->text, sizeof label_target->text, "%s", m.name());
    }
    std::snprintf(label_view_mode->text, sizeof label_view_mode->text, "%u", p->view_mode);
}

int INFO_DASH::toggle_view_mode(int) { return 1; }

int INFO_DASH::evolue()
{
    refresh_dashboard(*this);
    return 0;
}
