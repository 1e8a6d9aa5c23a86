#include "panels/module_panel.h"

#include "panels/panel_elements.h"

MODULE module_of(const OBJET *panel)
{
    const MODULE_PANEL *p = dynamic_cast<const MODULE_PANEL *>(panel);
    return p != nullptr ? p->module : MODULE();
}

std::string MODULE_PANEL::describe(const SPRITE *element) const
{
    if (element == nullptr || std::string(name_in_panel(*this, element)) != "POWER")
        return "";
    const int *power = module.power();
    return std::string("POWER ") + (power != nullptr && *power == 0 ? "OFF" : "ON");
}

double MODULE_PANEL::knob_place(const SPRITE &knob) const { return (knob.angle + 135.0) / 270.0; }
