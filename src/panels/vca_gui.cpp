#include "panels/vca_gui.h"

#include <cmath>

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

const KNOB_SWEEP TIME_SWEEP = {1.0, 10000.0, true};
const KNOB_SWEEP SUSTAIN_SWEEP = {0.0, 1.0, false};

// The three times, in milliseconds, each turned one by one and never negative.
float VCA::*const TIMES[] = {&VCA::attack, &VCA::decay, &VCA::release};

const PANEL_KNOB<VCA_GUI> KNOBS[] = {
    {"SLD_ATTACK", "ATTACK", "LABEL_ATTACK", "%4.1f", "ms", TIME_SWEEP,
     [](const VCA_GUI &p) -> double { return p.vca->attack; }},
    {"SLD_DECAY", "DECAY", "LABEL_DECAY", "%4.1f", "ms", TIME_SWEEP,
     [](const VCA_GUI &p) -> double { return p.vca->decay; }},
    {"SLD_SUSTAIN", "SUSTAIN", "LABEL_SUSTAIN", "%4.2f", "", SUSTAIN_SWEEP,
     [](const VCA_GUI &p) -> double { return p.vca->sustain; }},
    {"SLD_RELEASE", "RELEASE", "LABEL_RELEASE", "%4.1f", "ms", TIME_SWEEP,
     [](const VCA_GUI &p) -> double { return p.vca->release; }},
};

void show_values(VCA_GUI &p) { show_knobs(p, KNOBS); }

template <int STAGE_INDEX> void on_time(VCA_GUI &p, const MESSAGE &m)
{
    float &v = p.vca->*TIMES[STAGE_INDEX];
    v += static_cast<float>(turn_direction(m));
    if (v < 0.0f)
        v = 0.0f;
    show_values(p);
}

// The sustain, a fraction of the peak, steps by hundredths from 0 (a decay to
// silence) to 1, landing on whole hundredths.
void on_sustain(VCA_GUI &p, const MESSAGE &m)
{
    float v = static_cast<float>(std::round(p.vca->sustain * 100.0 + turn_direction(m)) / 100.0);
    p.vca->sustain = v < 0.0f ? 0.0f : v > 1.0f ? 1.0f : v;
    show_values(p);
}

void on_power(VCA_GUI &p, const MESSAGE &m) { p.vca->power = switched_on(m); }

const BINDING<VCA_GUI> BINDINGS[] = {
    {GESTURE::TURN, "ATTACK", on_time<0>},  {GESTURE::TURN, "DECAY", on_time<1>},
    {GESTURE::TURN, "SUSTAIN", on_sustain}, {GESTURE::TURN, "RELEASE", on_time<2>},
    {GESTURE::RELEASE, "POWER", on_power},
};

} // namespace

VCA_GUI::VCA_GUI(VCA *vca, int x, int y, const char *number)
    : MODULE_PANEL(vca, x, y, number), vca(vca)
{
    load_panel_files(*this, "VCA_%s", "RC/BACK_VCA.RC", "RC/VCA.RC");
    show_text_in_both_views(*this, "label_NAME", vca->name);
    show_values(*this);
    show_power(*this, vca->power);
    finish_panel(*this);
}

std::string VCA_GUI::describe(const SPRITE *element) const
{
    const std::string knob = describe_knob(*this, KNOBS, element);
    return knob.empty() ? MODULE_PANEL::describe(element) : knob;
}

int VCA_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}

void VCA_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }

double VCA_GUI::knob_place(const SPRITE &knob) const
{
    const double place = place_of_knob(*this, KNOBS, &knob);
    return place >= 0 ? place : MODULE_PANEL::knob_place(knob);
}
