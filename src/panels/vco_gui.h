// The oscillator's panel: frequency, amplitude, phase and pulse-width knobs
// with their value labels, the power switch and the waveform picture, which a
// click steps through the waveforms.
#pragma once

#include "panels/module_panel.h"
#include "synth/vco.h"

class VCO_GUI : public MODULE_PANEL {
public:
    unsigned int spare; // always 0
    VCO *vco;           // not owned

    // Panel number (the prefix of its elements) given by the panel builder.
    VCO_GUI(VCO *vco, int x, int y, const char *number);

    // In the front view, steps the oscillator by the queued clicks and turns;
    // then the panel's own refresh. Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;
    double knob_place(const SPRITE &knob) const override;
};
