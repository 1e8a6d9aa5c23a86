#include "panels/vca_gui.h"

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// The three times, in milliseconds, each turned one by one and never negative.
struct STAGE {
    float VCA::*field;
    const char *label;
};
const STAGE TIMES[] = {
    {&VCA::attack, "LABEL_ATTACK"},
    {&VCA::decay, "LABEL_DECAY"},
    {&VCA::release, "LABEL_RELEASE"},
};

template <int STAGE_INDEX> void on_time(VCA_GUI &p, const MESSAGE &m)
{
    const STAGE &stage = TIMES[STAGE_INDEX];
    float &v = p.vca->*stage.field;
    v += static_cast<float>(turn_direction(m));
    if (v < 0.0f)
        v = 0.0f;
    show_text(p, stage.label, "%4.1f", v);
}

// Turning up from 0 jumps to 0.05 first; turning down stops above 0.04.
void on_sustain(VCA_GUI &p, const MESSAGE &m)
{
    float &v = p.vca->sustain;
    if (m.says("SLD_DOWN")) {
        if (v == 0.0f)
            v = 0.05f;
        v = static_cast<float>(v + 0.01);
    }
    if (m.says("SLD_UP") && v >= 0.05f)
        v = static_cast<float>(v - 0.01);
    if (v < 0.01f)
        v = 0.0f;
    show_text(p, "LABEL_SUSTAIN", "%4.1f", v);
}

void on_power(VCA_GUI &p, const MESSAGE &m) { p.vca->bypass = switched_on(m); }

const BINDING<VCA_GUI> BINDINGS[] = {
    {GESTURE::TURN, "ATTACK", on_time<0>},  {GESTURE::TURN, "DECAY", on_time<1>},
    {GESTURE::TURN, "SUSTAIN", on_sustain}, {GESTURE::TURN, "RELEASE", on_time<2>},
    {GESTURE::RELEASE, "POWER", on_power},
};

} // namespace

VCA_GUI::VCA_GUI(VCA *vca, int x, int y, const char *number) : OBJET(x, y, number), vca(vca)
{
    load_panel_files(*this, "VCA_%s", "RC/BACK_VCA.RC", "RC/VCA.RC");
    show_text_in_both_views(*this, "label_NAME", vca->name);
    show_text(*this, "LABEL_ATTACK", "%2.1f", vca->attack);
    show_text(*this, "LABEL_DECAY", "%2.1f", vca->decay);
    show_text(*this, "LABEL_SUSTAIN", "%2.2f", vca->sustain);
    if (vca->sustain < 0.01f)
        vca->sustain = 0.0f;
    show_text(*this, "LABEL_RELEASE", "%2.1f", vca->release);
    finish_panel(*this);
}

int VCA_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}
