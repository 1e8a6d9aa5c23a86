#include "app/patch_history.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "app/edit_history.h"
#include "app/output_tap.h"
#include "app/recovery.h"
#include "cables/cable_list.h"
#include "modules/patch_match.h"
#include "panels/controller_bindings.h"
#include "panels/info_dash.h"
#include "panels/panel_drawing.h"
#include "ui/window_sections.h"
#include "panels/panel_lists.h"
#include "patch/patch_sections.h"
#include "patch/patch_writer.h"
#include "ui/views/module_commands.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"

namespace {

using CLOCK = std::chrono::steady_clock;

EDIT_HISTORY history;
int owed_steps = 0; // undos asked (negative: redos) since the last pass
std::chrono::seconds autosave_every{30};
CLOCK::time_point last_autosave;
std::string autosaved; // the text last written to the recovery file
std::string caption;   // the caption shown

std::string running_text() { return patch_snapshot(*gen, write_window_sections); }

void show_caption()
{
    const std::string wanted = std::string(gen->patch_path) + (history.unsaved() ? " *" : "");
    if (wanted != caption && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_SetCaption(wanted.c_str(), nullptr);
    caption = wanted;
}

void write_recovery_if(bool due)
{
    if (!due || !history.unsaved() || history.current() == autosaved)
        return;
    std::string why;
    if (write_recovery(gen->patch_path, history.current(), why))
        autosaved = history.current();
    else
        std::printf("%s\n", why.c_str());
    last_autosave = CLOCK::now();
}

// Makes the running patch the state of the text, in place.
void become(const std::string &text)
{
    GENERATOR target;
    if (!read_patch_snapshot(target, text)) {
        say_in_window("That state cannot be read back: " + target.load_problem);
        target.release_modules();
        return;
    }
    forget_view_picks();
    MOVING_OBJET = -1;
    const PATCH_CHANGES changes = match_patch(*gen, target);
    for (const MODULE &m : changes.removed)
        hide_removed_module(m);
    for (const MODULE &m : changes.added)
        show_added_module(m, 0, 0);
    // Every panel built anew shows its module's settings as they are now.
    if (information_dash != nullptr)
        information_dash->set_CIBLE(nullptr);
    for (OBJET *panel : std::vector<OBJET *>(objets_globaux)) {
        panel = renew_module_panel(panel);
        panel->evolue();
        panel->toggle_all_draw_flag(1);
    }
    if (FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r")) {
        read_window_sections(f);
        std::fclose(f);
    }
    show_panel_sides(BACK_VIEW_TOGGLE);
    connect_output_tap(gen);
    target.release_modules();
    cree_list_liens();
    link_not_created = 1;
}

} // namespace

void set_autosave_seconds(int seconds) { autosave_every = std::chrono::seconds(seconds); }

void start_patch_history()
{
    history.start(running_text());
    owed_steps = 0;
    autosaved.clear();
    last_autosave = CLOCK::now();
    show_caption();
}

void note_patch_edits()
{
    if (button_held() || controller_turning())
        return;
    history.note(running_text());
    show_caption();
}

void write_recovery_when_due() { write_recovery_if(CLOCK::now() - last_autosave >= autosave_every); }

void undo_patch_edit() { ++owed_steps; }
void redo_patch_edit() { --owed_steps; }

bool carry_out_history_orders()
{
    if (owed_steps == 0)
        return false;
    bool changed = false;
    for (; owed_steps != 0; owed_steps += owed_steps > 0 ? -1 : 1) {
        const bool back = owed_steps > 0;
        std::string text, what;
        if (!(back ? history.undo(text, what) : history.redo(text, what))) {
            say_in_window(back ? "Nothing to undo" : "Nothing to redo");
            continue;
        }
        become(text);
        say_in_window((back ? "Undo: " : "Redo: ") + what);
        changed = true;
    }
    show_caption();
    return changed;
}

void note_patch_saved(const char *path)
{
    remove_recovery(gen->patch_path);
    std::snprintf(gen->patch_path, sizeof gen->patch_path, "%s", path);
    remove_recovery(gen->patch_path);
    history.note(running_text());
    history.saved();
    autosaved.clear();
    show_caption();
}

void write_recovery_now() { write_recovery_if(true); }
