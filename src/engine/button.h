// A two-state push button: each release of the mouse button on it toggles its
// state, and its image follows the state and the pointer hovering over it.
#pragma once

#include "engine/msg_responder.h"
#include "engine/sprite.h"

class BUTTON : public SPRITE, public MSG_RESPONDER {
public:
    enum { IMAGE_ON = 0, IMAGE_HOVER = 1, IMAGE_OFF = 2 };

    char images[3][NAME_SIZE]; // on, hover ("0" = none), off
    int state;                 // 0 = off, 1 = on

    // Off, showing image_on. The mask is mask when given, else image_on cut
    // after its last '_' followed by "MASK" (VCO_ON gives VCO_MASK), else none.
    BUTTON(const char *name, const char *image_on, const char *image_hover, const char *image_off,
           const char *mask);

    // Applies the queued messages oldest first, then updates the image (only
    // when a message came) and the change detection. Returns 0.
    int evolue() override;

    void affiche() const;
};
