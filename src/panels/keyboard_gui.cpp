#include "panels/keyboard_gui.h"

#include <cstdio>
#include <cstring>

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// The display shows octave 0 as digit image 1. A view without the display
// leaves it to be shown when its view comes back.
void show_octave(KEYBOARD_GUI &p)
{
    if (!p.get_SPRITE_by_name("SPRITE_OCT"))
        return;
    char image[VORN_ENGINE::NAME_SIZE];
    std::snprintf(image, sizeof image, "LED_NUMERIC_1_%d", p.keyboard->octave + 1);
    show_image(p, "SPRITE_OCT", image);
    p.shown_octave = p.keyboard->octave;
}

// Switched off, a held note ends too.
void on_power(KEYBOARD_GUI &p, const MESSAGE &m)
{
    p.keyboard->power = switched_on(m);
    if (p.keyboard->power == 0)
        p.keyboard->UNTRIG();
}

// Every release, wherever it lands, also brings the octave back into range.
void on_any_release(KEYBOARD_GUI &p, const MESSAGE &m)
{
    int &octave = p.keyboard->octave;
    if (aims_at(m, "BUTTON_OCT_UP"))
        octave++;
    if (aims_at(m, "BUTTON_OCT_DOWN"))
        octave--;
    if (octave < 0)
        octave = 0;
    if (octave > KEYBOARD_GUI::HIGHEST_OCTAVE)
        octave = KEYBOARD_GUI::HIGHEST_OCTAVE;
    show_octave(p);
}

const BINDING<KEYBOARD_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},
    {GESTURE::RELEASE, "", on_any_release},
};

} // namespace

KEYBOARD_GUI::KEYBOARD_GUI(KEYBOARD *keyboard, int x, int y, const char *number)
    : MODULE_PANEL(keyboard, x, y, number), keyboard(keyboard), shown_octave(keyboard->octave)
{
    load_panel_files(*this, "KEY_%s", "RC/BACK_KEYBOARD.RC", "RC/KEYBOARD.RC");
    show_text_in_both_views(*this, "label_NAME", keyboard->name);
    show_octave(*this);
    show_power(*this, keyboard->power);
    finish_panel(*this);
}

std::string KEYBOARD_GUI::describe(const SPRITE *element) const
{
    if (std::strstr(name_in_panel(*this, element), "OCT"))
        return "OCTAVE " + std::to_string(keyboard->octave);
    return MODULE_PANEL::describe(element);
}

int KEYBOARD_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    if (keyboard->octave != shown_octave)
        show_octave(*this);
    OBJET::evolue();
    return 0;
}
