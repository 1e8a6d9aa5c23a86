// The modal entry that asks for a file name in the window: a box over the
// work area with a prompt, the name as it is typed, a message line and, for
// reference, the files already in the directory the name goes to.
//
// While it is open it takes every event. Printable characters type (they do
// not play notes), Backspace erases, Enter accepts a name that
// patch_name_problem() accepts (a refused name shows why and the entry stays
// open), Escape cancels the entry only: it closes on the release of Escape,
// so that release never reaches the view's handler, which would end the
// program. Every other key, function keys included, and every mouse or other
// event is taken and does nothing. As it opens it closes the gates that letter
// keys held in the view keep open (panels/note_keys.h), since their releases
// will come to the entry.
//
// run_name_entry() runs its own loop, like the patch load dialog: whoever asks
// for a name (the F4 key of either view, the system dashboard's SAVE) simply
// calls it and gets the name back. The sound goes on meanwhile on its own
// thread. The main loop keeps its own duties through name_entry_hooks: every
// pass of the entry's loop first calls each_pass (where the main loop puts the
// execution of the remote orders), then takes the pending events, then, when
// anything changed, paints the view behind (paint_view, or without it the
// picture the window showed when the entry opened), darkens it and draws the
// box. When the entry closes it pushes one SDL user event, so that the view's
// handler redraws the window at its next pass.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "patch/patch_names.h"

struct NAME_ENTRY_HOOKS {
    // Called once per pass: the main loop's duties that go on meanwhile
    // (executing the remote orders, accepting a waiting remote client). A
    // non-zero result asks for the view to be painted again.
    int (*each_pass)(void *data) = nullptr;
    // Paints the whole window behind the entry, without swapping buffers.
    void (*paint_view)(void *data) = nullptr;
    void *data = nullptr;
};
extern NAME_ENTRY_HOOKS name_entry_hooks;

class NAME_ENTRY {
public:
    enum STATE { TYPING, ACCEPTED, CANCELLED };

    STATE state = TYPING;
    std::string prompt;
    std::string directory; // where the name goes, shown with the file list
    char name[PATCH_NAME_MAX + 1] = "";
    std::string message; // why the last Enter was refused, or an earlier failure
    std::vector<std::string> files;

    // The files of the directory are listed once, here. The same entry may
    // run again (state back to TYPING, with a message saying why): it keeps
    // its name and the picture of the view behind.
    NAME_ENTRY(const char *prompt, const char *directory);

    // Takes one event; returns whether what the entry shows changed.
    bool take(const SDL_Event &event);

    // Draws the box in window pixels over whatever the window holds.
    void draw() const;
    // One frame of the entry's loop: the view behind, darkened, the box, and
    // the buffer swap. The first frame keeps the picture behind when no
    // painter is installed.
    void paint_frame();

private:
    bool escape_held = false;
    std::vector<unsigned char> behind; // the window's picture when the entry opened
    bool press(const SDL_keysym &key);
};

// What any modal box of the window (this entry, the patch load dialog) shows
// behind it, without swapping buffers: the view painted by
// name_entry_hooks.paint_view, or without it the picture the window showed
// when the box opened (read into behind the first time), darkened.
void paint_behind_box(std::vector<unsigned char> &behind);

// Runs the entry until a name is accepted (true: entry.name holds it) or the
// entry is cancelled (false). Without a window, or while another entry is
// open, it says so in one line and returns false at once.
bool run_name_entry(NAME_ENTRY &entry);
