// A knob. Its value is the sprite's angle in whole degrees, turned one degree
// per "SLD_DOWN" (up) or "SLD_UP" (down) message, without limits.
#pragma once

#include "engine/msg_responder.h"
#include "engine/sprite.h"

class SLIDER : public SPRITE, public MSG_RESPONDER {
public:
    // Shows image, masked by image followed by "_MASK".
    SLIDER(const char *name, const char *image);

    // Applies the queued messages oldest first, then the change detection.
    // Returns 0.
    int evolue() override;

    void affiche() const;
};
