// Driving module panels as the event code and the main loop do: messages
// posted to a panel for its elements, then one frame of the panel (its refresh
// and its drawing, which lets the widgets take their messages).
#pragma once

#include <string>

#include "engine/objet.h"

namespace panel_test {

// The element of the panel's current list named so (without the panel's
// prefix); fails the test when there is none.
SPRITE *part(OBJET &panel, const std::string &name);
// One frame of the panel.
void frame(OBJET &panel);
// Posts a knob turn ("SLD_DOWN" or "SLD_UP") on the element, then runs a frame.
void turn(OBJET &panel, const std::string &knob, const char *word, int times = 1);
// Posts a mouse-button release on the element (null: on no element) of owner
// (by default the panel itself), then runs a frame of the panel.
void release(OBJET &panel, const std::string &element, OBJET *owner = nullptr);
// A label's text, or "<none>".
std::string text_of(OBJET &panel, const std::string &label);
// A sprite's image name.
std::string image_of(OBJET &panel, const std::string &sprite);

} // namespace panel_test
