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
    // Handles a message at once, as the panel handles its queue, without
    // queueing or drawing anything: a knob turned by a MIDI controller.
    virtual void take_message(const MESSAGE &) {}
    // Where a knob's value lies on its sweep, from 0 (the low end) to 1 (the
    // high end), as its picture shows it; by default read from the knob's
    // angle, to the degree.
    virtual double knob_place(const SPRITE &knob) const;
};

// The module a panel shows; none for a dashboard or any other panel.
MODULE module_of(const OBJET *panel);
