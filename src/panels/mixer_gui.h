// The mixer's panel: 21 channel strips (number, mute button, gain knob and
// gain label) acting on the mixer's first 21 channels, and the power switch.
#pragma once

#include "panels/module_panel.h"
#include "synth/mixer.h"

class MIXER_GUI : public MODULE_PANEL {
public:
    static constexpr int STRIPS = 21;

    MIXER *mixer; // not owned

    MIXER_GUI(MIXER *mixer, int x, int y, const char *number);

    // In the front view, takes the turns of the gain knobs and the clicks of
    // the mute buttons and the power switch; then the panel's own refresh.
    // Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;
};
