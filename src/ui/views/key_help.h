// What every key and mouse gesture of the window's two views does, in plain
// English: one row each. The help box (F12, the system dashboard's "?" pad)
// shows the rows of the view on screen, the KEYS dashboard lists the front
// view's rows that carry a dashboard word, and README.md has one table per
// view holding these rows; the tests check the rows against the views' key
// tables (view_keys.h) and against the README.
//
// The table is data alone, in this header: the KEYS dashboard is built by the
// panels library, which lies below the views and cannot link to them.
#pragma once

#include <SDL.h>

// The views a row is about (bits).
enum HELP_VIEWS : unsigned { FRONT_HELP = 1, BACK_HELP = 2, BOTH_HELP = 3 };

struct KEY_HELP {
    unsigned views;
    SDLKey key;        // SDLK_UNKNOWN: a mouse gesture or a row of letter keys
    const char *input; // the key or the gesture as the user names it
    const char *does;  // what it does
    const char *dash;  // its word on the KEYS dashboard; null: not listed there
};

// Keys first, then the mouse; in each view a key has one row at most.
inline constexpr KEY_HELP KEY_HELP_TABLE[] = {
    {BOTH_HELP, SDLK_F1, "F1", "shows the oscilloscope; F1 again leaves it", "SCOPE"},
    {BOTH_HELP, SDLK_F2, "F2",
     "writes each panel's elements into RC/LOL.RC in turn (the last panel's stay)", nullptr},
    {BOTH_HELP, SDLK_F3, "F3", "opens the load dialog: pick a patch of QSY/ to play instead",
     "LOAD"},
    {FRONT_HELP, SDLK_F4, "F4", "saves the patch into QSY/ under the name you type", "SAVE"},
    {BACK_HELP, SDLK_F4, "F4", "saves the patch under the name you type, in the working directory",
     nullptr},
    {BACK_HELP, SDLK_F5, "F5",
     "prints the links of the oscillator under the pointer on the console", nullptr},
    {FRONT_HELP, SDLK_F6, "F6", "turns to the back view: the sockets and the cables", "CABLES"},
    {BACK_HELP, SDLK_F6, "F6", "turns to the front view: the knobs and the dashboards", nullptr},
    {BOTH_HELP, SDLK_F12, "F12",
     "shows the keys and gestures of the view on screen; any key or click hides them", "HELP"},
    {FRONT_HELP, SDLK_HOME, "Home", "scrolls to the dashboards, in a row under the panels", nullptr},
    {BOTH_HELP, SDLK_INSERT, "Insert",
     "opens the module browser: the module chosen goes in the column of its kind", nullptr},
    {BOTH_HELP, SDLK_DELETE, "Delete", "removes the module under the pointer, with its cables",
     nullptr},
    {BOTH_HELP, SDLK_F7, "F7", "starts or stops recording the sound into recordings/", "REC"},
    {BOTH_HELP, SDLK_UNKNOWN, "Ctrl+N", "starts an empty patch: only its output mixer, MIXER_4",
     nullptr},
    {BOTH_HELP, SDLK_UNKNOWN, "Ctrl+Z", "undoes the last edit (200 steps)", nullptr},
    {BOTH_HELP, SDLK_UNKNOWN, "Ctrl+Shift+Z, Ctrl+Y", "redoes the last edit undone", nullptr},
    {BOTH_HELP, SDLK_TAB, "Tab", "selects the next oscillator for the remote control's buttons",
     "REMOTE VCO"},
    {BOTH_HELP, SDLK_KP_PLUS, "Keypad +", "doubles the oscilloscope's sweep speed", nullptr},
    {BOTH_HELP, SDLK_KP_MINUS, "Keypad -", "halves the oscilloscope's sweep speed", nullptr},
    {FRONT_HELP, SDLK_5, "5", "swaps the panel under the pointer between its full and compact look",
     "COMPACT"},
    {BACK_HELP, SDLK_5, "5", "shows the front of the panel under the pointer, full or compact",
     nullptr},
    {BOTH_HELP, SDLK_1, "1", "sends a left-button release to the panel under the pointer", nullptr},
    {BACK_HELP, SDLK_RCTRL, "Right Ctrl",
     "held while an input end is dropped: the cable is copied instead of moved", nullptr},
    {BOTH_HELP, SDLK_UNKNOWN, "z x c v b n",
     "play notes 1 to 6 on keyboard KEY_1 (a patch's only keyboard hears every row)", "KEY_1"},
    {BOTH_HELP, SDLK_UNKNOWN, "a s d f g h", "play notes 1 to 6 on keyboard KEY_2", "KEY_2"},
    {BOTH_HELP, SDLK_UNKNOWN, "q w e r t y", "play notes 1 to 6 on keyboard KEY_3", "KEY_3"},
    {BOTH_HELP, SDLK_ESCAPE, "Escape", "ends the program when it is released", "QUIT"},
    {FRONT_HELP, SDLK_UNKNOWN, "Left drag on a knob",
     "turns it one step per pixel up or down; the pointer stays put", nullptr},
    {FRONT_HELP, SDLK_UNKNOWN, "Left click",
     "presses a button or a pad; on a waveform or filter picture, picks the next one", nullptr},
    {BACK_HELP, SDLK_UNKNOWN, "Left drag from a socket",
     "picks up the cable end there (a free socket starts a new cable); dropped on another socket, "
     "it rewires the patch; on empty space, it pulls the cable out",
     nullptr},
    {BOTH_HELP, SDLK_UNKNOWN, "Middle drag", "scrolls the work area", nullptr},
    {FRONT_HELP, SDLK_UNKNOWN, "Middle release on a panel",
     "swaps it between its full and compact look, as 5 does", nullptr},
    {FRONT_HELP, SDLK_UNKNOWN, "Right drag on a panel",
     "moves it; near any edge of the window the view scrolls", nullptr},
    {BACK_HELP, SDLK_UNKNOWN, "Right drag on a panel",
     "moves it; near the left or top edge of the window the view scrolls", nullptr},
    {BOTH_HELP, SDLK_UNKNOWN, "Right click on empty space",
     "opens the module browser: the module chosen goes where you clicked", nullptr},
};
