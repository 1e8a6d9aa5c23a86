#include "panels/vca_gui.h"

#include <cmath>

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

const KNOB_SWEEP TIME_SWEEP = {1.0, 10000.0, true};
const KNOB_SWEEP SUSTAIN_SWEEP = {0.0, 1.0, false};

// The three times, in milliseconds, each turned one by one and never negative.
struct STAGE {
    float VCA::*field;
    const char *knob, *label;
};
const STAGE TIMES[] = {
    {&VCA::attack, "SLD_ATTACK", "LABEL_ATTACK"},
    {&VCA::decay, "SLD_DECAY", "LABEL_DECAY"},
    {&VCA::release, "SLD_RELEASE", "LABEL_RELEASE"},
};

// Every knob at the angle of its value, and every value label.
void show_values(VCA_GUI &p)
{
    for (const STAGE &stage : TIMES) {
        show_knob(p, stage.knob, p.vca->*stage.field, TIME_SWEEP);
        show_text(p, stage.label, "%4.1f", p.vca->*stage.field);
    }
    show_knob(p, "SLD_SUSTAIN", p.vca->sustain, SUSTAIN_SWEEP);
    show_text(p, "LABEL_SUSTAIN", "%4.2f", p.vca->sustain);
}

template <int STAGE_INDEX> void on_time(VCA_GUI &p, const MESSAGE &m)
{
    float &v = p.vca->*TIMES[STAGE_INDEX].field;
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

int VCA_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}
