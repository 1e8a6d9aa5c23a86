#include "ui/dialogs/module_browser.h"

#include "modules/module_types.h"
#include "engine/flat_drawing.h"

using namespace box;

MODULE_BROWSER::MODULE_BROWSER() : LIST_BOX(ROWS, {480, 40, 40, 28, ROWS}) {}

MODULE_KIND MODULE_BROWSER::kind() const { return MODULE_TYPES[row].kind; }

const char *MODULE_BROWSER::title() const { return "Add a module"; }

const char *MODULE_BROWSER::help() const
{
    return "UP, DOWN OR THE POINTER: CHOOSE     ENTER OR CLICK: ADD     ESCAPE: CANCEL";
}

void MODULE_BROWSER::draw_row(int r, int left, int top, bool chosen) const
{
    text(our_font_14, left, top + 17, chosen ? GREEN : AMBER, MODULE_TYPES[r].title);
    text(our_font_7, left, top + 32, LEGEND, MODULE_TYPES[r].description);
}

MODULE_KIND choose_module_kind()
{
    MODULE_BROWSER browser;
    if (!run_modal(browser, "module browser") || browser.state != MODULE_BROWSER::TAKEN)
        return NO_MODULE;
    return browser.kind();
}
