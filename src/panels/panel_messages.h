// How a module panel reads its message queue: a table binds a gesture on an
// element (a word contained in the target's NAME) to a handler, and one walk
// hands every queued message, oldest first, to each binding it matches, in
// table order. The messages stay queued: OBJET::evolue forwards them to the
// widgets afterwards.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "engine/button.h"
#include "engine/objet.h"

enum class GESTURE {
    RELEASE, // the mouse button released on the element
    TURN,    // "SLD_DOWN" or "SLD_UP" on a knob (an element named with "SLD")
    STEP,    // the user event a sequencer sends at every step
};

template <class PANEL> struct BINDING {
    GESTURE gesture;
    const char *word; // contained in the target's NAME; "" for any target
    void (*handle)(PANEL &panel, const MESSAGE &m);
};

inline bool is_gesture(const MESSAGE &m, GESTURE gesture)
{
    if (gesture == GESTURE::RELEASE)
        return m.is_release();
    if (gesture == GESTURE::STEP)
        return m.kind != 0 && m.event.type == SDL_USEREVENT;
    return m.kind == 0 && m.target != nullptr && std::strstr(m.target->NAME, "SLD") &&
           (m.says("SLD_DOWN") || m.says("SLD_UP"));
}

// Whether the message's target is named with the word; "" matches any message.
inline bool aims_at(const MESSAGE &m, const char *word)
{
    return word[0] == '\0' || (m.target != nullptr && std::strstr(m.target->NAME, word));
}

// +1 for "SLD_DOWN", -1 for "SLD_UP" (the knob turned up, dragged upwards, or
// down), 0 otherwise. Up raises the value on every knob.
inline int turn_direction(const MESSAGE &m) { return m.says("SLD_DOWN") - m.says("SLD_UP"); }

// A module switch from the released button: 1 when the button is on before
// this release toggles it, else 0.
inline int switched_on(const MESSAGE &m)
{
    const BUTTON *b = dynamic_cast<const BUTTON *>(m.target);
    return b != nullptr && b->state != 0 ? 1 : 0;
}

// Whether the message aims at one of the panel's own elements, or at none. A
// release reaches the panel under the pointer, which need not be the panel
// whose element was pressed (the pointer slides sideways while a button is
// held): that element is not this panel's to act on.
inline bool aims_at_own(const OBJET &panel, const MESSAGE &m)
{
    auto owns = [&](const std::vector<SPRITE *> &sprites) {
        return std::find(sprites.begin(), sprites.end(), m.target) != sprites.end();
    };
    return m.target == nullptr || owns(panel.front) || owns(panel.back);
}

// Hands one message to every binding of the table it matches.
template <class PANEL, size_t N>
void handle_message(PANEL &panel, const BINDING<PANEL> (&table)[N], const MESSAGE &m)
{
    for (const BINDING<PANEL> &b : table)
        if (is_gesture(m, b.gesture) && aims_at(m, b.word))
            b.handle(panel, m);
}

// Walks the queue oldest first, passing over messages aimed at another
// panel's element. A handler may remove the oldest message; the walk then
// goes on with the messages that are left.
template <class PANEL, size_t N>
void handle_messages(PANEL &panel, const BINDING<PANEL> (&table)[N])
{
    for (size_t i = panel.messages.size(); i-- > 0;) {
        if (i >= panel.messages.size())
            continue;
        const MESSAGE m = panel.messages[i];
        if (aims_at_own(panel, m))
            handle_message(panel, table, m);
    }
}
