// A message for a panel or one of its widgets: either a text command
// ("TOUCH_IN", "TOUCH_OUT", "SLD_UP", "SLD_DOWN") or a copy of a mouse event.
// Messages are values, copied whenever they are queued.
#pragma once

#include <SDL.h>

class SPRITE;

struct MESSAGE {
    static const int TEXT_SIZE = 640;

    int kind;             // 0 = the command in text; otherwise a mouse event
    SDL_Event event;      // copied whole; only its type is used
    char text[TEXT_SIZE]; // the command word, empty when none
    SPRITE *target;       // the widget the message is for; null = the panel itself

    // An empty text message for the panel itself.
    MESSAGE();
    // event and text may be null; a text longer than 639 characters is cut.
    MESSAGE(int kind, const SDL_Event *event, const char *text, SPRITE *target);

    // True when the command word appears anywhere in a text message.
    bool says(const char *word) const;
    bool is_press() const;   // a mouse button pressed
    bool is_release() const; // a mouse button released
};
