#include "ui/views/module_commands.h"

#include <vector>

#include "cables/cable_list.h"
#include "modules/patch_edit.h"
#include "cables/cable_paint.h"
#include "panels/controller_bindings.h"
#include "panels/info_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "synth/generator.h"
#include "ui/dialogs/module_browser.h"
#include "ui/views/status_line.h"
#include "ui/views/step_events.h"
#include "ui/views/view_state.h"

namespace {

struct ORDER {
    MODULE_KIND add;     // NO_MODULE: a removal
    bool at_point;       // else in its column
    int x, y;            // where the new panel goes
    MODULE remove;       // the module to take away
    bool refused = false; // asked on a panel of no module
};

std::vector<ORDER> orders;

// Both views forget the panels they point into: the lists change.
void forget_panel_indices()
{
    forget_view_picks();
    MOVING_OBJET = -1;
    link_not_created = 1;
}

bool add(const ORDER &o)
{
    std::string why;
    const MODULE m = add_module(*gen, o.add, why);
    if (!m) {
        say_in_window(why);
        return false;
    }
    OBJET *panel = show_added_module(m, o.x, o.y);
    if (!o.at_point)
        place_in_its_column(*panel, o.add);
    say_in_window(std::string(m.name()) + " added: silent until cabled");
    return true;
}

bool remove(const ORDER &o)
{
    if (o.refused) {
        say_in_window("Point at a module's panel to remove it");
        return false;
    }
    std::string why;
    const std::string name = o.remove.name();
    if (!remove_module(*gen, o.remove, why)) {
        say_in_window(why);
        return false;
    }
    hide_removed_module(o.remove);
    say_in_window(name + " removed with its cables");
    return true;
}

} // namespace

OBJET *show_added_module(const MODULE &m, int x, int y)
{
    OBJET *panel = add_module_panel(m, x, y);
    if (BACK_VIEW_TOGGLE)
        panel->toggle_view_mode(OBJET::VIEW_BACK);
    panel->evolue();
    panel->toggle_all_draw_flag(1);
    panel->calcule_lasurfaceoccupee();
    return panel;
}

void hide_removed_module(const MODULE &m)
{
    OBJET *panel = panel_of(m);
    if (information_dash != nullptr && information_dash->cible == panel)
        information_dash->set_CIBLE(nullptr);
    if (m.kind == SEQ_MODULE)
        forget_step_events(m.as<SEQUENCER>());
    forget_bindings_of(m.name());
    forget_paints_of(m.name());
    if (panel != nullptr)
        remove_module_panel(panel);
}

void browse_modules_at(int x, int y)
{
    SDL_ShowCursor(1);
    const MODULE_KIND kind = choose_module_kind();
    forget_view_picks();
    if (kind != NO_MODULE)
        ask_to_add_module(kind, x, y);
}

void browse_modules()
{
    const MODULE_KIND kind = choose_module_kind();
    forget_view_picks();
    if (kind != NO_MODULE)
        ask_to_add_module(kind);
}

void ask_to_add_module(MODULE_KIND kind, int x, int y) { orders.push_back({kind, true, x, y, {}}); }

void ask_to_add_module(MODULE_KIND kind) { orders.push_back({kind, false, 0, 0, {}}); }

void ask_to_remove_module(OBJET *panel)
{
    const MODULE m = module_of(panel);
    orders.push_back({NO_MODULE, false, 0, 0, m, !m});
}

bool carry_out_module_orders()
{
    if (orders.empty() || gen == nullptr)
        return false;
    forget_panel_indices();
    bool changed = false;
    for (const ORDER &o : orders)
        changed = (o.add != NO_MODULE ? add(o) : remove(o)) || changed;
    orders.clear();
    if (changed)
        cree_list_liens();
    return changed;
}

void forget_module_orders() { orders.clear(); }
