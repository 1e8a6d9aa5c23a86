#include "cables/view_keys.h"

#include <cstdio>

#include "cables/output_lookup.h"
#include "cables/view_pointer.h"
#include "panels/system_dash.h"
#include "remote/remote_orders.h"
#include "synth/generator.h"

namespace {

using LIST = std::vector<OBJET *>;

void next_oscillator(LIST &)
{
    int &selected = remote_state.nr_vco_selected;
    if (++selected >= static_cast<int>(gen != nullptr ? gen->oscillators.size() : 0))
        selected = 0;
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
}

void swap_front_view(LIST &list)
{
    if (OBJET *panel = panel_at(list, get_pointed_instrument(&list)))
        panel->toggle_view_mode(0);
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
};

const KEY_ACTION SHARED_RELEASES[] = {
    {SDLK_ESCAPE, [](LIST &) { quit = 0; }},
    {SDLK_F1, [](LIST &) { remote_state.toggle_BUTTON_1 = 0; }},
    {SDLK_F2, [](LIST &) { remote_state.toggle_BUTTON_2 = 0; }},
    {SDLK_F3, [](LIST &) { remote_state.toggle_BUTTON_3 = 0; }},
    {SDLK_F4, [](LIST &) { remote_state.toggle_BUTTON_4 = 0; }},
};

// The letter rows: each key plays one note on one keyboard module.
struct NOTE_KEY {
    SDLKey key;
    const char *keyboard;
    int note;
};

const NOTE_KEY NOTE_KEYS[] = {
    {SDLK_z, "KEY_1", 1}, {SDLK_x, "KEY_1", 2}, {SDLK_c, "KEY_1", 3}, {SDLK_v, "KEY_1", 4},
    {SDLK_b, "KEY_1", 5}, {SDLK_n, "KEY_1", 6}, {SDLK_a, "KEY_2", 1}, {SDLK_s, "KEY_2", 2},
    {SDLK_d, "KEY_2", 3}, {SDLK_f, "KEY_2", 4}, {SDLK_g, "KEY_2", 5}, {SDLK_h, "KEY_2", 6},
    {SDLK_q, "KEY_3", 1}, {SDLK_w, "KEY_3", 2}, {SDLK_e, "KEY_3", 3}, {SDLK_r, "KEY_3", 4},
    {SDLK_t, "KEY_3", 5}, {SDLK_y, "KEY_3", 6},
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

// The keyboard module a letter key plays, looked up at each key; null when
// the key is not a letter of a row or the patch has no such keyboard.
const NOTE_KEY *note_key(SDLKey key, KEYBOARD *&keyboard)
{
    for (const NOTE_KEY &k : NOTE_KEYS)
        if (k.key == key) {
            keyboard = gen != nullptr ? gen->get_KEYBOARD_by_name(k.keyboard) : nullptr;
            return keyboard != nullptr ? &k : nullptr;
        }
    return nullptr;
}

} // namespace

void press_key(SDLKey key, LIST &list, KEY_TABLE own)
{
    if (run(own, key, list) || run(SHARED_PRESSES, key, list))
        return;
    KEYBOARD *keyboard = nullptr;
    if (const NOTE_KEY *k = note_key(key, keyboard))
        keyboard->Touch_note(k->note, k->note);
}

void release_key(SDLKey key, LIST &list, KEY_TABLE own)
{
    if (run(own, key, list) || run(SHARED_RELEASES, key, list))
        return;
    KEYBOARD *keyboard = nullptr;
    if (note_key(key, keyboard))
        keyboard->UNTRIG();
}
