// The filter's panel: cut-off, gain, Q and level knobs with their value
// labels, the power and bypass switches, and the response picture, which a
// click steps through the response types.
#pragma once

#include "panels/module_panel.h"
#include "synth/pcf.h"

class VCF_GUI : public MODULE_PANEL {
public:
    PCF *pcf; // not owned

    VCF_GUI(PCF *pcf, int x, int y, const char *number);

    // In the front view, steps the filter by the queued clicks and turns;
    // then the panel's own refresh. Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;
    double knob_place(const SPRITE &knob) const override;
};
