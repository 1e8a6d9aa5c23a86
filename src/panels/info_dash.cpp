#include "panels/info_dash.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "panels/controller_bindings.h"
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

INFO_DASH::INFO_DASH() : OBJET(0, 0, "58"), cible(nullptr), element(nullptr)
{
    blend = 0;
    load_RC("RC/DASH.RC");
    label_target = add_label(*this, "", "CIBLE_NAME", 80, 25, 216, 8432210, 0xFF00FF);
    label_type = add_label(*this, "", "LABEL_TYPE", 80, 45, 2, 14, 0);
    label_view_mode = add_label(*this, "", "LABEL_VM", 80, 65, 2, 14, 0);
    calcule_lasurfaceoccupee();
    toggle_all_draw_flag(1);
    Draw_Scene(nullptr);
    redraw = 1;
}

bool INFO_DASH::set_CIBLE(OBJET *p, const SPRITE *e)
{
    const bool changed = p != pointed_panel || e != pointed_element;
    pointed_panel = p;
    pointed_element = e;
    redraw = 1;
    cible = module_of(p) ? p : nullptr;
    element = cible != nullptr ? e : nullptr;
    show_target();
    return changed;
}

void INFO_DASH::show_target()
{
    const MODULE m = module_of(cible);
    std::string target, type, view;
    if (m) {
        target = m.name();
        const std::string setting =
            element != nullptr ? static_cast<const MODULE_PANEL *>(cible)->describe(element) : "";
        if (!setting.empty())
            target += " - " + setting;
        type = kind_word(m.kind);
        const std::string bound = binding_words(*cible, element);
        if (!bound.empty())
            type += " - MIDI " + bound;
        view = cible->view_mode == VIEW_BACK      ? "4 (BACK)"
               : cible->view_mode == VIEW_COMPACT ? "2 (COMPACT)"
                                                  : "1 (FRONT)";
    }
    std::snprintf(label_target->text, sizeof label_target->text, "%s", target.c_str());
    std::snprintf(label_type->text, sizeof label_type->text, "%s", type.c_str());
    std::snprintf(label_view_mode->text, sizeof label_view_mode->text, "%s", view.c_str());
}

int INFO_DASH::toggle_view_mode(int) { return 1; }

int INFO_DASH::evolue()
{
    while (!messages.empty()) {
        const MESSAGE m = messages.back();
        messages.pop_back();
        if (m.kind != 0 && m.is_release() && m.target != nullptr &&
            std::strstr(m.target->NAME, "DEL") && remove != nullptr)
            remove(cible);
    }
    show_target();
    refresh_dashboard(*this);
    return 0;
}
