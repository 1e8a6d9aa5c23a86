// A panel: a named group of sprites, buttons, knobs and labels read from panel
// description files, drawn, hit-tested and fed with messages as one. A panel
// has a front element list (its controls) and a back element list (its
// sockets), and a view mode choosing between them.
#pragma once

#include <cstdio>
#include <vector>

#include "engine/button.h"
#include "engine/message.h"
#include "engine/sprite.h"

// The pointer position in work-area coordinates, kept by the event handlers.
extern int mouse_x, mouse_y;

class OBJET : public SPRITE {
public:
    static const int TEXT_SIZE = 800;
    enum { VIEW_FRONT = 1, VIEW_COMPACT = 2, VIEW_BACK = 4 };

    char name[TEXT_SIZE];    // also the prefix "<name>_" of its elements' NAME
    char RC_path[TEXT_SIZE]; // the description file loaded last
    unsigned int view_mode;  // VIEW_FRONT, VIEW_COMPACT (background only, half size) or VIEW_BACK
    // The front view it shows (VIEW_FRONT or VIEW_COMPACT), kept while the back
    // view is shown.
    unsigned int front_look;
    std::vector<MESSAGE> messages; // newest at the front
    // The element lists. Index 0 is the element read last from its file, so
    // it is drawn first and hit last. The panel deletes its elements.
    std::vector<SPRITE *> front, back;
    std::vector<SPRITE *> *current; // &front in the front views, &back in the back view

    // An empty panel at (x, y) in the front view; a null name counts as "".
    OBJET(int x, int y, const char *name);
    ~OBJET() override;
    OBJET(const OBJET &) = delete;
    OBJET &operator=(const OBJET &) = delete;

    // Reads a panel description file into the current list, then sizes the
    // panel. Returns 1, or -1 when the file cannot be opened.
    int load_RC(const char *path);
    // Writes the current list as a panel description file. Returns 1, or -1
    // when the file cannot be opened.
    int view_RC(const char *path);

    // 0 swaps the full and the compact front view (any other mode gives the
    // full one), 1 and 2 select that front view, 4 the back view; other values
    // change nothing. Then sizes and redraws the panel. Returns 1.
    virtual int toggle_view_mode(int mode);
    // Sets redraw and changed of every element of the current list to v.
    void toggle_all_draw_flag(int v);
    // The panel takes the size of its background image ("IMAGE_FOND"), or
    // keeps its own; half of it in the compact view.
    void calcule_lasurfaceoccupee();

    // The element under (mouse_x, mouse_y), the first of the file first;
    // labels and elements named with "BACK" or "FOND" are never hit. Null when none.
    SPRITE *get_pointed_object();
    // The position of s in file order (0 = the first element of the file); 0
    // when s is not in the current list or its NAME contains "BACK".
    int get_nr_object(SPRITE *s);
    // The element whose NAME, less the panel's name and '_' (or less a prefix
    // of one or two characters and '_'), is name, searching from the first
    // element of the file. Null when none.
    SPRITE *get_SPRITE_by_name(const char *name);
    // The same among the buttons whose NAME contains "BUTTON".
    BUTTON *get_BUTTON_by_name(const char *name);

    // Queues a copy of m at the front of the panel's queue. Returns 1.
    int ajoute_message(MESSAGE m);
    // Hands the queued messages to their widgets, oldest first, redraws when
    // there were some, then the change detection of the panel. Returns 0.
    int evolue() override;

    // Draws the panel: its background (at half size in the compact view),
    // then, outside the compact view, every element marked for redrawing; in
    // the compact view its name (its label "label_NAME") instead.
    // The surface is not used.
    void Draw_Scene(SDL_Surface *unused);
    // Blits the panel's own surface, if it has one, to dst at the panel's position.
    void Draw_Scene_into_buffer(SDL_Surface *dst);

private:
    // Where and in which colour a compact panel shows its name.
    static constexpr float COMPACT_NAME_AT = 4;
    static constexpr int COMPACT_NAME_COLOUR = 0xffffff;

    void draw_background(SPRITE *s);
    // The label "label_NAME", when the panel has one, in its top-left corner.
    void draw_compact_name();
    void draw_element(SPRITE *s);
    // NAME of an element of this panel without "<name>_"; null when it has no such prefix.
    const char *element_name(const SPRITE *s) const;
    bool answers_to(const SPRITE *s, const char *wanted, size_t short_prefix) const;
    void write_element(FILE *f, const SPRITE *s) const;
};
