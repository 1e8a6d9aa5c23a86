// The three letter rows of the computer keyboard, which play the keyboard
// modules of the patch: z x c v b n notes 1 to 6 on "KEY_1", a s d f g h on
// "KEY_2", q w e r t y on "KEY_3" (the only keyboard of a patch answers to
// every name; a missing keyboard does nothing). A key's press sets its note and
// opens its keyboard's gate, its release closes the gate.
//
// A modal dialog (the name entry, the load dialog) takes every event while it
// is open, so the release of a key held when it opens would never reach the
// views and the note would hang: the dialog closes the gates of the held keys
// as it opens.
#pragma once

#include <SDL.h>

// A key pressed in a view: plays its note when it is a letter of a row whose
// keyboard the patch has; any other key does nothing.
void press_note_key(SDLKey key);
// A key released in a view: closes the gate of its keyboard when it is a
// letter of a row.
void release_note_key(SDLKey key);
// Closes the gates of the keyboards that letter keys pressed in a view still
// hold open; those keys then count as released.
void release_held_note_keys();
