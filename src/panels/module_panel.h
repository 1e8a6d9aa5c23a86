// A module panel: the panel that shows one module of the patch. Every module
// panel class derives from it, so a panel's module (its kind, name, outputs
// and sockets, modules/) is found with one look, whatever its class.
#pragma once

#include <string>

#include "engine/objet.h"
#include "modules/module.h"

class MODULE_PANEL : public OBJET {
public:
    MODULE module;

    MODULE_PANEL(const MODULE &module, int x, int y, const char *number)
        : OBJET(x, y, number), module(module)
    {
    }

    // What one of its elements sets, with its value and unit, as the
    // information dashboard names it ("FREQUENCY 88.000 Hz", "POWER ON");
    // empty for an element that sets nothing. Each panel names its own
    // elements; the power switch is every panel's.
    virtual std::string describe(const SPRITE *element) const;
};

// The module a panel shows; none for a dashboard or any other panel.
MODULE module_of(const OBJET *panel);
