// The computer keyboard's panel: the power switch, the octave buttons and the
// octave display.
#pragma once

#include "panels/module_panel.h"
#include "synth/keyboard.h"

class KEYBOARD_GUI : public MODULE_PANEL {
public:
    static constexpr int HIGHEST_OCTAVE = 7;

    KEYBOARD *keyboard; // not owned
    int shown_octave;   // the octave the display shows

    KEYBOARD_GUI(KEYBOARD *keyboard, int x, int y, const char *number);

    // In the front view, follows the power switch and the octave buttons; in
    // every view, shows the module's octave when something else (a MIDI
    // note) changed it; then the panel's own refresh. Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
};
