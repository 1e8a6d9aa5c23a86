// The modal entry that asks for a file name in the window: a box over the
// work area with a prompt, the name as it is typed, a message line and, for
// reference, the files already in the directory the name goes to.
//
// While it is open it takes every event. Printable characters type (they do
// not play notes), Backspace erases, Enter accepts a name that
// patch_name_problem() accepts (a refused name shows why and the entry stays
// open). When the file the name gives (patch_file_name) already exists,
// Enter first asks on the message line whether to replace it: Enter again
// accepts, Escape withdraws the name and the entry waits for another, and
// typing or erasing forgets the question. Otherwise Escape cancels the entry
// only: it closes on the release of Escape, so that release never reaches the
// view's handler, which would end the program. Every other key, function keys included, and every
// mouse or other event is taken and does nothing. As it opens it closes the gates that letter keys
// held in the view keep open (panels/note_keys.h), since their releases will come to the entry.
//
// run_name_entry() runs the modal loop (modal_loop.h): whoever asks for a
// name (the F4 key of either view, the system dashboard's SAVE) simply calls
// it and gets the name back.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "patch/patch_names.h"
#include "ui/dialogs/modal_loop.h"

class NAME_ENTRY : public MODAL_BOX {
public:
    enum STATE { TYPING, ACCEPTED, CANCELLED };

    STATE state = TYPING;
    std::string prompt;
    std::string directory; // where the name goes, shown with the file list
    char name[PATCH_NAME_MAX + 1] = "";
    std::string message; // why the last Enter was refused, a question, or an earlier failure
    std::vector<std::string> files;

    // The files of the directory are listed once, here.
    NAME_ENTRY(const char *prompt, const char *directory);
    // Opens the entry again after a failure, saying why: it keeps its name
    // and the picture of the view behind.
    void reopen(const std::string &why);

    bool open() const override { return state == TYPING; }
    // Takes one event; returns whether what the entry shows changed (a user
    // event, such as a redraw asked for, counts as a change).
    bool take(const SDL_Event &event) override;
    // Draws the box in window pixels over whatever the window holds.
    void draw() override;
    Uint32 wait_ms(bool painted) const override { return painted ? 0 : 10; }
    bool types_text() const override { return true; }

private:
    bool escape_held = false;
    bool asking = false; // whether to replace the file the name gives
    bool press(const SDL_keysym &key);
    bool enter();
    // Shows a message; any message ends the question.
    void say(const std::string &text);
};

// Runs the entry until a name is accepted (true: entry.name holds it) or the
// entry is cancelled (false). Without a window, or while another entry is
// open, it says so in one line and returns false at once.
bool run_name_entry(NAME_ENTRY &entry);
