#include "engine/message.h"

#include <cstdio>
#include <cstring>

MESSAGE::MESSAGE() : MESSAGE(0, nullptr, nullptr, nullptr) {}

MESSAGE::MESSAGE(int kind, const SDL_Event *event, const char *text, SPRITE *target)
    : kind(kind), target(target)
{
    if (event)
        this->event = *event;
    else
        memset(&this->event, 0, sizeof this->event);
    snprintf(this->text, sizeof this->text, "%s", text ? text : "");
}

bool MESSAGE::says(const char *word) const { return kind == 0 && strstr(text, word) != nullptr; }

bool MESSAGE::is_press() const { return kind != 0 && event.type == SDL_MOUSEBUTTONDOWN; }

bool MESSAGE::is_release() const { return kind != 0 && event.type == SDL_MOUSEBUTTONUP; }
