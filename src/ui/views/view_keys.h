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

// A key pressed: the view's own action for it, else the shared one, else a
// note of a letter row (panels/note_keys.h):
//   Tab         next oscillator for the remote commands
//   F1          oscilloscope on or off
//   F2          every panel of the list described into "RC/LOL.RC"
//   F3          the load dialog (LOAD_FLAG set meanwhile)
//   keypad + -  oscilloscope speed doubled, halved
//   5           the panel under the pointer swaps its full and compact front view
//   1           a left-button release without target posted to the panel under the pointer
//   Insert      the module browser, for a module in its column
//   Delete      the module of the panel under the pointer removed
//   Ctrl+N      the patch replaced by an empty one (new_patch)
//   z x c v b n notes 1 to 6 on the keyboard module "KEY_1"; a s d f g h on
//   "KEY_2"; q w e r t y on "KEY_3"
void press_key(SDLKey key, std::vector<OBJET *> &list, KEY_TABLE own);
// A key released: the view's own action, else the shared one:
//   Escape      quit = 0
//   F1 .. F4    the remote buttons F1 .. F4 let go
//   a letter of a row closes the gate of its keyboard module
void release_key(SDLKey key, std::vector<OBJET *> &list, KEY_TABLE own);
