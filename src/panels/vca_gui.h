// The envelope amplifier's panel: attack, decay, sustain and release knobs
// with their value labels, and the power switch.
#pragma once

#include "panels/module_panel.h"
#include "synth/vca.h"

class VCA_GUI : public MODULE_PANEL {
public:
    VCA *vca; // not owned

    VCA_GUI(VCA *vca, int x, int y, const char *number);

    // In the front view, steps the envelope by the queued turns and clicks;
    // then the panel's own refresh. Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;
    double knob_place(const SPRITE &knob) const override;
};
