// The patch load dialog: the patch files of a directory (ui/dialogs/file_listing.h)
// as ten rows of names on a panel built from RC/LOAD.RC, over the view,
// darkened.
//
// Entry 0 is the last name of the listing; row r shows entry scroll + r, so
// row r of the page is entry scroll + r. The dialog hit-tests its rows itself,
// in the window pixels where they are drawn: the pointer over a row turns its
// name red and leaving turns it white again; a left release over a row
// chooses its entry (when the press too came to the dialog). The buttons "BUTTON_OCT_DOWN" (later
// entries) and "BUTTON_OCT_UP" scroll by one entry per pass of the dialog's loop from their press
// to the release of the mouse button, the wheel by one entry per notch; scroll stays within 0 and
// total - 10 (0 with ten names or fewer, and only the rows that have a name show one). Escape and a
// click outside the panel cancel the dialog; Escape acts on its release, which the dialog takes, so
// that it never reaches the view behind (whose handler would end the program). Every other event is
// taken and does nothing. As it opens it closes the gates that letter keys held in the view keep
// open (panels/note_keys.h), since their releases will come to the dialog.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "engine/label.h"
#include "engine/objet.h"
#include "ui/dialogs/file_listing.h"

class LOAD_DIALOG {
public:
    static constexpr int ROWS = 10;
    // Row r's name, right-aligned in ROW_CHARS columns, at (ROW_X, ROW_Y +
    // ROW_PITCH r) on the panel; the panel stands at WINDOW_X, WINDOW_Y.
    static constexpr int ROW_X = 150, ROW_Y = 50, ROW_PITCH = 16, ROW_CHARS = 32;
    static constexpr int GLYPH_WIDTH = 4; // of the small font
    static constexpr int WINDOW_X = 352, WINDOW_Y = 264;
    static constexpr int HOVER_COLOUR = 0xff0000, NAME_COLOUR = 0xffffff;

    enum STATE { CHOOSING, CHOSEN, CANCELLED };

    STATE state = CHOOSING;
    std::vector<std::string> names; // in the listing's order, from the top row
    int scroll = 0;                 // the entry of row 0
    int direction = 0;              // 0 still, 1 down (later entries), 2 up
    int hovered = -1;               // the row under the pointer; -1 = none
    int chosen = -1;                // the entry chosen
    OBJET panel;                    // "5", from RC/LOAD.RC, the row labels added last
    LABEL *rows[ROWS];              // owned by the panel
    LABEL *message;                 // the panel's message line; null without RC/LOAD.RC

    // The message line says why the listing failed, or that it is empty.
    explicit LOAD_DIALOG(const FILE_LISTING &listing);

    // Takes one event; returns whether what the dialog shows changed.
    bool take(const SDL_Event &event);
    // One pass of the dialog's loop for the scroll buttons: one entry in the
    // held direction. Returns whether the page moved.
    bool scroll_pass();
    // The row at a window position, counting only rows that show a name; -1
    // for none.
    int row_at(int x, int y) const;
    // The largest scroll: total - 10, and 0 for ten names or fewer.
    int max_scroll() const;
    // Writes the message line.
    void say(const std::string &text);

    // Draws the panel at its place in the window, without swapping buffers.
    void draw();

private:
    bool escape_held = false;
    // A release counts only after a press in the dialog: a button held since
    // before it opened (a cable end, a knob) chooses nothing when let go.
    bool pressed = false;
    bool pressed_outside = false;

    bool on_element(const char *element, int x, int y);
    bool outside(int x, int y) const;
    void show_page();
    void hover(int row);
    void hold(int new_direction);
    bool press(const SDL_MouseButtonEvent &b);
    bool release(const SDL_MouseButtonEvent &b);
};

// Called with the chosen name: true when it was loaded, else false with why
// set to what the user should read.
using LOAD_ORDER = bool (*)(const std::string &name, std::string &why);

// Runs the dialog until a chosen name loads (true) or the dialog is cancelled
// (false). A name that does not load shows why on the message line and the
// dialog goes on. It runs in the modal loop (modal_loop.h), as the name entry
// does: the main loop's duties go on meanwhile, and without a window, or
// while another box is open, it says so in one line and returns false at
// once.
bool run_load_dialog(LOAD_DIALOG &dialog, LOAD_ORDER load);
