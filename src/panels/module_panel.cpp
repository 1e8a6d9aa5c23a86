#include "panels/module_panel.h"

MODULE module_of(const OBJET *panel)
{
    const MODULE_PANEL *p = dynamic_cast<const MODULE_PANEL *>(panel);
    return p != nullptr ? p->module : MODULE();
}
