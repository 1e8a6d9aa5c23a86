#include "panels/vco_gui.h"

#include <cstring>

#include "panels/knob_steps.h"
#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// Pictures of the waveforms 1 to 6, and the click order 1, 2, 3, 4, 6, 5
// (sine, triangle, sawtooth, square, pulse, noise).
const char *const WAVE_PICTURES[] = {"",         "DISP_SIN",   "DISP_TRI",  "DISP_SAW",
                                     "DISP_SQR", "DISP_NOISE", "DISP_PULSE"};
const char *const WAVE_NAMES[] = {"NONE", "SINE", "TRIANGLE", "SAW", "SQUARE", "NOISE", "PULSE"};
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

const KNOB_SWEEP FREQUENCY_SWEEP = {0.01, 22050.0, true};
const KNOB_SWEEP UNIT_SWEEP = {0.0, 1.0, false};
const KNOB_SWEEP PHASE_SWEEP = {-360.0, 360.0, false};

const PANEL_KNOB<VCO_GUI> KNOBS[] = {
    {"SLD_FREQUENCE", "FREQUENCY", "LABEL_FREQUENCE", "%5.3f", "Hz", FREQUENCY_SWEEP,
     [](const VCO_GUI &p) -> double { return p.vco->frequency; }},
    {"SLD_VOLUME", "AMP", "LABEL_VOLUME", "%5.3f", "", UNIT_SWEEP,
     [](const VCO_GUI &p) -> double { return p.vco->amplitude; }},
    {"SLD_PHASE", "PHASE", "LABEL_PHASE", "%.0f", "", PHASE_SWEEP,
     [](const VCO_GUI &p) -> double { return static_cast<int>(p.vco->phase); }},
    {"SLD_PWM", "PULSE WIDTH", "LABEL_PWM", "%5.3f", "", UNIT_SWEEP,
     [](const VCO_GUI &p) -> double { return p.vco->pulse_width; }},
};

void show_values(VCO_GUI &p) { show_knobs(p, KNOBS); }

// Frequency and pulse width never go below 0.001.
float pitch_step(float v, const MESSAGE &m)
{
    v = step_knob(v, OSCILLATOR_PITCH, turn_direction(m));
    return v <= 0.001f ? 0.001f : v;
}

void on_frequency(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->frequency = pitch_step(p.vco->frequency, m);
    show_values(p);
}

void on_pulse_width(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->pulse_width = pitch_step(p.vco->pulse_width, m);
    show_values(p);
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
    show_values(p);
}

// The phase turns a degree a step and wraps at a whole turn, keeping its sign.
void on_phase(VCO_GUI &p, const MESSAGE &m)
{
    p.vco->phase = static_cast<float>(static_cast<int>(p.vco->phase + turn_direction(m)) % 360);
    show_values(p);
}

const BINDING<VCO_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},      {GESTURE::RELEASE, "AFFICHAGE_TYPE_ONDE", on_wave},
    {GESTURE::TURN, "FREQUENCE", on_frequency}, {GESTURE::TURN, "VOLUME", on_volume},
    {GESTURE::TURN, "PWM", on_pulse_width},     {GESTURE::TURN, "PHASE", on_phase},
};

} // namespace

VCO_GUI::VCO_GUI(VCO *vco, int x, int y, const char *number)
    : MODULE_PANEL(vco, x, y, number), spare(0), vco(vco)
{
    load_panel_files(*this, "VCO_%s", "RC/BACK_VCO.RC", "RC/VCO.RC");
    show_values(*this);
    show_text_in_both_views(*this, "label_NAME", vco->name);
    show_power(*this, vco->power);
    show_wave(*this);
    finish_panel(*this);
}

std::string VCO_GUI::describe(const SPRITE *element) const
{
    const std::string knob = describe_knob(*this, KNOBS, element);
    if (!knob.empty())
        return knob;
    if (std::strcmp(name_in_panel(*this, element), "AFFICHAGE_TYPE_ONDE") == 0)
        return std::string("WAVE ") +
               (vco->type >= 1 && vco->type < WAVES ? WAVE_NAMES[vco->type] : "NONE");
    return MODULE_PANEL::describe(element);
}

int VCO_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}

void VCO_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }

double VCO_GUI::knob_place(const SPRITE &knob) const
{
    const double place = place_of_knob(*this, KNOBS, &knob);
    return place >= 0 ? place : MODULE_PANEL::knob_place(knob);
}
