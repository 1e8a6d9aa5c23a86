#include "panels/module_dash.h"

#include "panels/panel_elements.h"

MODULE_DASH::MODULE_DASH() : OBJET(0, 0, "59") { build_dashboard(*this, "RC/MODULE_DASH.RC"); }

int MODULE_DASH::evolue()
{
    refresh_dashboard(*this);
    redraw = 1;
    return 0;
}
