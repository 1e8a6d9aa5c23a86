// A knob. Its angle, in whole degrees from straight up, shows the value of
// the parameter it turns: the panel that owns it sets the angle from the
// value (the turns themselves, "SLD_DOWN" up and "SLD_UP" down, step the
// parameter, not the picture).
#pragma once

#include "engine/msg_responder.h"
#include "engine/sprite.h"

class SLIDER : public SPRITE, public MSG_RESPONDER {
public:
    // Shows image, masked by image followed by "_MASK".
    SLIDER(const char *name, const char *image);

    // Follows the pointer's touches and presses in the queued messages,
    // oldest first, then the change detection. Returns 0.
    int evolue() override;

    void affiche() const;
};
