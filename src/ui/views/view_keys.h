// The keys of the window's two views. Each view has a table of its own keys;
// the keys both views share (and the three letter rows that play the keyboard
// modules) are here.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <vector>

#include "engine/objet.h"

// A key and what it does; the list is the one the view's handler was given.
struct KEY_ACTION {
    SDLKey key;
    void (*act)(std::vector<OBJET *> &list);
};

// A view's own table of keys.
struct KEY_TABLE {
    const KEY_ACTION *actions;
    size_t count;
    template <size_t N> constexpr KEY_TABLE(const KEY_ACTION (&a)[N]) : actions(a), count(N) {}
    constexpr KEY_TABLE() : actions(nullptr), count(0) {}
};

// The two tables a view hands to press_key and release_key.
struct VIEW_KEYS {
    KEY_TABLE presses, releases;
};
// The keys both views share, and each view's own (defined with the view).
// What every key does is said once, in the help table (key_help.h), which a
// test checks against these.
extern const VIEW_KEYS SHARED_KEYS, FRONT_KEYS, BACK_KEYS;

// A key pressed: the view's own action for it, else the shared one, else a
// note of a letter row (panels/note_keys.h).
// Held with Ctrl (mod: the modifiers the key event carries), N, Z, Shift+Z and
// Y give the patch orders (view_state.h): empty, undo, redo, redo.
void press_key(SDLKey key, SDLMod mod, std::vector<OBJET *> &list, KEY_TABLE own);
// A key released: the view's own action, else the shared one, else the end of
// a letter row's note. The release of F1 to F4 also lets go of the remote
// control's buttons F1 to F4.
void release_key(SDLKey key, std::vector<OBJET *> &list, KEY_TABLE own);
