#include "panels/vco_gui.h"

#include <cstdlib>

#include "panels/knob_steps.h"
#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// Pictures of the waveforms 1 to 6, and the click order 1, 2, 3, 4, 6, 5
// (sine, triangle, sawtooth, square, pulse, noise).
const char *const WAVE_PICTURES[] = {"",         "DISP_SIN",   "DISP_TRI",  "DISP_SAW",
                                     "DISP_SQR", "DISP_NOISE", "DISP_PULSE"};
const int NEXT_WAVE[] = {0, 2, 3, 4, 6, 1, 5};
const int WAVES = 7;

void show_wave(VCO_GUI &p)
{
    const int type = p.vco->type;
    if (type >= 1 && type < WAVES)
        show_image(p, "AFFICHAGE_TYPE_ONDE", WAVE_PICTURES[type]);
}

void on_power(VCO_GUI &p, const MESSAGE &m) { p.vco->power = switched_on(m); }

void on_wave(VCO_GUI &p, const MESSAGE &)
{
    const int type = p.vco->type;
    if (type >= 1 && type < WAVES)
        p.vco->type = static_cast<type_generateur>(NEXT_WAVE[type]);
    show_wave(p);
}

// Frequency and pulse width never go below 0.001.
float pitch_step(float v, const MESSAGE &m)
{
    v = step_knob(v, OSCILLATOR_PITCH, turn_direction(m));
    return v <= 0.001f ? 0.001f : v;
}

void on_frequency(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->frequency = pitch_step(p.vco->frequency, m);
    show_text(p, "LABEL_FREQUENCE", "%5.3f", p.vco->frequency);
}

void on_pulse_width(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->pulse_width = pitch_step(p.vco->pulse_width, m);
    show_text(p, "LABEL_PWM", "%5.3f", p.vco->pulse_width);
}

// Raising a silent oscillator starts at 0.01; lowering below 0.01 silences it.
void on_volume(VCO_GUI &p, const MESSAGE &m)
{
    const int direction = turn_direction(m);
    const float before = p.vco->amplitude;
    float v = step_knob(before, OSCILLATOR_VOLUME, direction);
    if (direction > 0 && before == 0.0f)
        v = 0.01f;
    if (direction < 0 && v < 0.01f)
        v = 0.0f;
    p.vco->amplitude = v;
    show_text(p, "LABEL_VOLUME", "%5.3f", v);
}

// The phase turns the other way round and wraps at a whole turn, keeping its
// sign. The turn then takes the oldest queued message away, so a lone turn
// never reaches the knob.
void on_phase(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->phase = static_cast<float>(static_cast<int>(p.vco->phase - turn_direction(m)) % 360);
    show_text(p, "LABEL_PHASE", "%d", static_cast<int>(p.vco->phase));
    if (!p.messages.empty())
        p.messages.pop_back();
}

const BINDING<VCO_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},      {GESTURE::RELEASE, "AFFICHAGE_TYPE_ONDE", on_wave},
    {GESTURE::TURN, "FREQUENCE", on_frequency}, {GESTURE::TURN, "VOLUME", on_volume},
    {GESTURE::TURN, "PWM", on_pulse_width},     {GESTURE::TURN, "PHASE", on_phase},
};

} // namespace

VCO_GUI::VCO_GUI(VCO *vco, int x, int y, const char *number)
    : OBJET(x, y, number), spare(0), vco(vco)
{
    load_panel_files(*this, "VCO_%s", "RC/BACK_VCO.RC", "RC/VCO.RC");
    set_knob(*this, "SLD_FREQUENCE", vco->frequency);
    set_knob(*this, "SLD_VOLUME", vco->amplitude);
    set_knob(*this, "SLD_PHASE", vco->phase);
    set_knob(*this, "SLD_PWM", vco->pulse_width);
    show_text(*this, "LABEL_FREQUENCE", "%5.3f", vco->frequency);
    show_text(*this, "LABEL_VOLUME", "%5.3f", vco->amplitude);
    show_text(*this, "LABEL_PHASE", "%3.0f", vco->phase);
    show_text_in_both_views(*this, "label_NAME", vco->name);
    show_text(*this, "LABEL_PWM", "%5.3f", vco->pulse_width);
    // Like every power switch, its state reads the other way round from the
    // module's power: a release turns the module off when the state it
    // toggles from is 0.
    set_button(*this, "POWER", std::abs(1 - vco->power));
    show_wave(*this);
    finish_panel(*this);
}

int VCO_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}
