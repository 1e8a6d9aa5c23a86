#include "panels/mixer_gui.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// The strips stand in 3 columns of 7; strip n = 7 column + row + 1.
const int STRIP_ROWS = 7, COLUMN_PITCH = 90, ROW_PITCH = 18;
// A channel's gain steps by hundredths from 0 to 2 (1 leaves it as it comes).
const KNOB_SWEEP GAIN_SWEEP = {0.0, 2.0, false};
const float HIGHEST_GAIN = 2.0f;

// The widgets' drawing settings: keyed, unblended, at three-quarter size.
void shrink(SPRITE *s)
{
    s->use_colorkey = 1;
    s->colorkey = 0;
    s->blend = 0;
    s->zoom = 0.75f;
    s->angle = 0;
}

template <class T> T *add(MIXER_GUI &p, T *element, const char *format, int strip, int x, int y)
{
    char name[OBJET::TEXT_SIZE + 32]; // cut to a NAME by set_NAME
    std::snprintf(name, sizeof name, format, p.name, strip);
    element->set_NAME(name);
    element->setxyz(static_cast<float>(x), static_cast<float>(y), 0);
    p.front.push_back(element);
    return element;
}

void add_strip(MIXER_GUI &p, int strip, int x, int y)
{
    shrink(add(p, new SLIDER("VOL", "SLD"), "%s_SLD_CANAL_%d", strip, x + 50, y + 67));
    add(p, new LABEL("1.0", 0, 0, 55, 50, 0, 8, 0), "%s_LABEL_CANAL_%d", strip, x + 72, y + 73);
    char number[16];
    std::snprintf(number, sizeof number, "%d", strip);
    add(p, new LABEL(number, 0, 0, 55, 50, 0, 8, 0), "%s_LABEL_CANAL_%d_TXT", strip, x + 22,
        y + 73);
    BUTTON *mute = add(p, new BUTTON(p.name, "CHK_4_ON", "0", "CHK_4_OFF", nullptr),
                       "%s_BYPASS_CANAL_%d", strip, x + 32, y + 68);
    shrink(mute);
    mute->redraw = 1;
}

// The gain knob, its label and the mute button of strip n (from 1).
void show_strip(MIXER_GUI &p, int n)
{
    char name[32];
    const float gain = p.mixer->gain[n - 1];
    std::snprintf(name, sizeof name, "SLD_CANAL_%d", n);
    show_knob(p, name, gain, GAIN_SWEEP);
    std::snprintf(name, sizeof name, "LABEL_CANAL_%d", n);
    show_text(p, name, "%3.2f", gain);
    std::snprintf(name, sizeof name, "BYPASS_CANAL_%d", n);
    set_button(p, name, p.mixer->bypass[n - 1] == 1.0f ? 1 : 0);
}

// The strip number in an element's NAME, after the word; 0 when none.
int strip_of(const MESSAGE &m, const char *word)
{
    const char *at = std::strstr(m.target->NAME, word);
    const int n = at != nullptr ? std::atoi(at + std::strlen(word)) : 0;
    return n >= 1 && n <= MIXER_GUI::STRIPS ? n : 0;
}

void on_gain(MIXER_GUI &p, const MESSAGE &m)
{
    const int n = strip_of(m, "SLD_CANAL_");
    if (n == 0)
        return;
    float &gain = p.mixer->gain[n - 1];
    const float v = static_cast<float>(std::round(gain * 100.0 + turn_direction(m)) / 100.0);
    gain = v < 0.0f ? 0.0f : v > HIGHEST_GAIN ? HIGHEST_GAIN : v;
    show_strip(p, n);
}

// A mute button's release toggles it: the channel is muted when it was not.
void on_mute(MIXER_GUI &p, const MESSAGE &m)
{
    if (const int n = strip_of(m, "BYPASS_CANAL_"))
        p.mixer->bypass[n - 1] = switched_on(m) ? 0.0f : 1.0f;
}

void on_power(MIXER_GUI &p, const MESSAGE &m) { p.mixer->power = switched_on(m); }

const BINDING<MIXER_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},
    {GESTURE::RELEASE, "BYPASS_CANAL_", on_mute},
    {GESTURE::TURN, "SLD_CANAL_", on_gain},
};

} // namespace

MIXER_GUI::MIXER_GUI(MIXER *mixer, int x, int y, const char *number)
    : MODULE_PANEL(mixer, x, y, number), mixer(mixer)
{
    load_panel_files(*this, "MIXER_%s", "RC/BACK_MIXER.RC", "RC/MIXER.RC");
    for (int c = 0; c < STRIPS / STRIP_ROWS; c++)
        for (int r = 0; r < STRIP_ROWS; r++)
            add_strip(*this, STRIP_ROWS * c + r + 1, COLUMN_PITCH * c, ROW_PITCH * r);
    for (int n = 1; n <= STRIPS; n++)
        show_strip(*this, n);
    show_text_in_both_views(*this, "label_NAME", mixer->name);
    calcule_lasurfaceoccupee();
    show_power(*this, mixer->power);
    finish_panel(*this);
}

std::string MIXER_GUI::describe(const SPRITE *element) const
{
    const char *name = name_in_panel(*this, element);
    int n = 0;
    if (std::sscanf(name, "SLD_CANAL_%d", &n) == 1 && n >= 1 && n <= STRIPS)
        return describe_value(("CHANNEL " + std::to_string(n) + " GAIN").c_str(), "%3.2f",
                              mixer->gain[n - 1], "");
    if (std::sscanf(name, "BYPASS_CANAL_%d", &n) == 1 && n >= 1 && n <= STRIPS)
        return "CHANNEL " + std::to_string(n) + " MUTE " +
               (mixer->bypass[n - 1] == 1.0f ? "ON" : "OFF");
    return MODULE_PANEL::describe(element);
}

int MIXER_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}

void MIXER_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }
