#include "ui/views/view_keys.h"

#include <cstdio>

#include "cables/cable_list.h"
#include "ui/dialogs/help_overlay.h"
#include "ui/views/module_commands.h"
#include "ui/views/status_line.h"
#include "ui/views/view_pointer.h"
#include "panels/note_keys.h"
#include "panels/system_dash.h"
#include "remote/remote_orders.h"
#include "synth/generator.h"

namespace {

using LIST = std::vector<OBJET *>;

// The oscillator the remote control's buttons act on; the status line says
// which it is now.
void next_oscillator(LIST &)
{
    int &selected = remote_state.nr_vco_selected;
    const int count = static_cast<int>(gen != nullptr ? gen->oscillators.size() : 0);
    if (++selected >= count)
        selected = 0;
    say_in_window(count == 0 ? "No oscillator for the remote control"
                             : std::string("Remote control: ") +
                                   gen->oscillators[static_cast<size_t>(selected)]->name);
}

void write_panel_descriptions(LIST &list)
{
    for (size_t i = 0; i < list.size(); i++) {
        std::printf("*[%d]****************************\n", static_cast<int>(i));
        list[i]->view_RC("RC/LOL.RC");
    }
}

void load_patch(LIST &)
{
    LOAD_FLAG = 1;
    open_load_dialog();
    LOAD_FLAG = 0;
    link_not_created = 1; // a cable end held when the dialog opened goes back
}

void swap_front_view(LIST &list)
{
    if (OBJET *panel = panel_at(list, get_pointed_instrument(&list)))
        panel->toggle_view_mode(0);
}

void remove_pointed_module(LIST &list)
{
    if (OBJET *panel = panel_at(list, get_pointed_instrument(&list)))
        ask_to_remove_module(panel);
    else
        say_in_window("Point at a module's panel to remove it");
}

void post_left_release(LIST &list)
{
    OBJET *panel = panel_at(list, nr_ins_cible);
    if (panel == nullptr)
        return;
    SDL_Event release = {};
    release.type = SDL_MOUSEBUTTONUP;
    release.button.button = SDL_BUTTON_LEFT;
    panel->ajoute_message(MESSAGE(1, &release, nullptr, nullptr));
}

const KEY_ACTION SHARED_PRESSES[] = {
    {SDLK_TAB, next_oscillator},
    {SDLK_F1, [](LIST &) { DISPLAY_OSCILLO = 1 - DISPLAY_OSCILLO; }},
    {SDLK_F2, write_panel_descriptions},
    {SDLK_F3, load_patch},
    {SDLK_KP_PLUS, [](LIST &) { ZOOM_FACTOR *= 2; }},
    {SDLK_KP_MINUS, [](LIST &) { ZOOM_FACTOR /= 2; }},
    {SDLK_5, swap_front_view},
    {SDLK_1, post_left_release},
    {SDLK_INSERT, [](LIST &) { browse_modules(); }},
    {SDLK_DELETE, remove_pointed_module},
    {SDLK_F7,
     [](LIST &) {
         if (patch_orders.record != nullptr)
             patch_orders.record();
     }},
    {SDLK_F12, [](LIST &) { open_help(); }},
};

const KEY_ACTION SHARED_RELEASES[] = {
    {SDLK_ESCAPE, [](LIST &) { quit = 0; }},
    {SDLK_F1, [](LIST &) { remote_state.toggle_BUTTON_1 = 0; }},
    {SDLK_F2, [](LIST &) { remote_state.toggle_BUTTON_2 = 0; }},
    {SDLK_F3, [](LIST &) { remote_state.toggle_BUTTON_3 = 0; }},
    {SDLK_F4, [](LIST &) { remote_state.toggle_BUTTON_4 = 0; }},
};

// The keys held with Ctrl: orders on the whole patch.
struct CTRL_KEY {
    SDLKey key;
    bool shift;
    void (*PATCH_ORDERS::*order)();
};
const CTRL_KEY CTRL_KEYS[] = {
    {SDLK_n, false, &PATCH_ORDERS::empty},
    {SDLK_z, false, &PATCH_ORDERS::undo},
    {SDLK_z, true, &PATCH_ORDERS::redo},
    {SDLK_y, false, &PATCH_ORDERS::redo},
};

bool run(KEY_TABLE table, SDLKey key, LIST &list)
{
    for (size_t i = 0; i < table.count; i++)
        if (table.actions[i].key == key) {
            table.actions[i].act(list);
            return true;
        }
    return false;
}

} // namespace

const VIEW_KEYS SHARED_KEYS = {SHARED_PRESSES, SHARED_RELEASES};

void press_key(SDLKey key, SDLMod mod, LIST &list, KEY_TABLE own)
{
    if (mod & KMOD_CTRL)
        for (const CTRL_KEY &k : CTRL_KEYS)
            if (k.key == key && k.shift == ((mod & KMOD_SHIFT) != 0)) {
                if (patch_orders.*k.order != nullptr)
                    (patch_orders.*k.order)();
                return;
            }
    if (!run(own, key, list) && !run(SHARED_KEYS.presses, key, list))
        press_note_key(key);
}

void release_key(SDLKey key, LIST &list, KEY_TABLE own)
{
    if (!run(own, key, list) && !run(SHARED_KEYS.releases, key, list))
        release_note_key(key);
}
