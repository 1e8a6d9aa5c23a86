// The load dialog's own loop, modal like the name entry's: it takes every
// event while it is open and keeps the main loop's duties going meanwhile.
#include <cstdio>

#include "ui/dialogs/name_entry.h"
#include "panels/note_keys.h"
#include "ui/dialogs/load_dialog.h"

namespace {

// A pass that changed nothing waits this long; a held scroll button moves the
// list by one entry per pass of SCROLL_MS.
constexpr Uint32 IDLE_MS = 10, SCROLL_MS = 60;

bool dialog_open = false;

void paint(LOAD_DIALOG &dialog, std::vector<unsigned char> &behind)
{
    paint_behind_box(behind);
    dialog.draw();
    SDL_GL_SwapBuffers();
}

} // namespace

bool run_load_dialog(LOAD_DIALOG &dialog, LOAD_ORDER load)
{
    if (SDL_GetVideoSurface() == nullptr || dialog_open) {
        std::printf("%s\n", dialog_open ? "The load dialog is already open"
                                        : "No window to show the load dialog in");
        return false;
    }
    dialog_open = true;
    release_held_note_keys(); // their releases will come to the dialog
    std::vector<unsigned char> behind;
    bool changed = true, loaded = false;
    while (!loaded && dialog.state != LOAD_DIALOG::CANCELLED) {
        if (name_entry_hooks.each_pass && name_entry_hooks.each_pass(name_entry_hooks.data))
            changed = true;
        SDL_Event event;
        while (dialog.state == LOAD_DIALOG::CHOOSING && SDL_PollEvent(&event))
            changed = dialog.take(event) || changed;
        if (dialog.state == LOAD_DIALOG::CHOSEN) {
            const std::string &name = dialog.names[static_cast<size_t>(dialog.chosen)];
            std::printf("Load [%s]\n", name.c_str());
            std::string why;
            loaded = load(name, why);
            dialog.say(why);
            dialog.state = LOAD_DIALOG::CHOOSING;
            changed = true;
            continue;
        }
        changed = dialog.scroll_pass() || changed;
        if (changed && dialog.state == LOAD_DIALOG::CHOOSING)
            paint(dialog, behind);
        changed = false;
        SDL_Delay(dialog.direction != 0 ? SCROLL_MS : IDLE_MS);
    }
    dialog_open = false;
    SDL_Event redraw = {};
    redraw.type = SDL_USEREVENT;
    SDL_PushEvent(&redraw);
    return loaded;
}
