// The module browser: the seven kinds of module (modules/module_types.h), a
// row each with its title and its one-line description, in a list box
// (ui/dialogs/list_box.h) over the darkened view.
#pragma once

#include "modules/module.h"
#include "ui/dialogs/list_box.h"

class MODULE_BROWSER : public LIST_BOX {
public:
    static constexpr int ROWS = 7;

    MODULE_BROWSER();

    // The kind of the choice.
    MODULE_KIND kind() const;

protected:
    const char *title() const override;
    const char *help() const override;
    void draw_row(int r, int left, int top, bool chosen) const override;
};

// Runs the browser: the kind taken, or NO_MODULE when it was cancelled (or
// could not open: no window, another box open).
MODULE_KIND choose_module_kind();
