#include "panels/vcf_gui.h"

#include <cmath>
#include <cstdlib>

#include "panels/knob_steps.h"
#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

// The response types the panel steps through, 0 to 7, named and pictured as
// the filter computes them (0 leaves the input unchanged).
struct RESPONSE {
    const char *picture;
    const char *name;
};
const RESPONSE RESPONSES[] = {
    {"DISP_FILTRE_NONE", "NONE"},           {"DISP_FILTRE_LOWPASS", "LOWPASS"},
    {"DISP_FILTRE_HIGHPASS", "HIGHPASS"},   {"DISP_FILTRE_BANDPASS", "BANDPASS"},
    {"DISP_FILTRE_NOTCH", "NOTCH"},         {"DISP_FILTRE_LOWSHELF", "LOWSHELF"},
    {"DISP_FILTRE_HIGHSHELF", "HIGHSHELF"}, {"DISP_FILTRE_PEAKING", "PEAKING"},
};
const int LAST_TYPE = static_cast<int>(sizeof RESPONSES / sizeof RESPONSES[0]) - 1;

void show_type(VCF_GUI &p)
{
    const int type = p.pcf->type;
    if (type >= 0 && type <= LAST_TYPE) {
        show_image(p, "AFFICHAGE_TYPE_FILTRE", RESPONSES[type].picture);
        show_text(p, "LABEL_TYPE", "%8s", RESPONSES[type].name);
    }
}

void on_power(VCF_GUI &p, const MESSAGE &m) { p.pcf->power = switched_on(m); }
void on_bypass(VCF_GUI &p, const MESSAGE &m) { p.pcf->bypass = switched_on(m); }

void on_type(VCF_GUI &p, const MESSAGE &)
{
    int type = p.pcf->type + 1;
    if (type > LAST_TYPE)
        type = 0;
    if (type < 0)
        type = LAST_TYPE;
    p.pcf->type = type;
    show_type(p);
}

const KNOB_SWEEP CUTOFF_SWEEP = {10.0, 12000.0, true};
const KNOB_SWEEP GAIN_SWEEP = {-24.0, 24.0, false};
const KNOB_SWEEP Q_SWEEP = {0.1, 20.0, true};
const KNOB_SWEEP LEVEL_SWEEP = {0.0, 1.0, false};

// Every knob at the angle of its value, and every value label.
void show_values(VCF_GUI &p)
{
    const PCF &f = *p.pcf;
    show_knob(p, "SLD_HICUTOFF", f.cut_off, CUTOFF_SWEEP);
    show_text(p, "LABEL_HICUTOFF", "%4d", f.cut_off);
    show_knob(p, "SLD_GAIN", f.gain, GAIN_SWEEP);
    show_text(p, "LABEL_GAIN", "%2.1f", f.gain);
    show_knob(p, "SLD_QRATIO", f.q, Q_SWEEP);
    show_text(p, "LABEL_QRATIO", "%2.1f", f.q);
    show_knob(p, "SLD_LEVEL", f.level, LEVEL_SWEEP);
    show_text(p, "LABEL_LEVEL", "%3.2f", f.level);
}

void on_cutoff(VCF_GUI &p, const MESSAGE &m)
{
    p.pcf->cut_off = step_knob(p.pcf->cut_off, FILTER_CUTOFF, turn_direction(m));
    show_values(p);
}

// Gain and Q step by tenths, the level by twentieths, each landing on whole
// steps so that turning back gives back the value left.
float step_by(float v, double step, int direction)
{
    return static_cast<float>(std::round(v / step + direction) * step);
}

void on_gain(VCF_GUI &p, const MESSAGE &m)
{
    p.pcf->gain = step_by(p.pcf->gain, 0.1, turn_direction(m));
    show_values(p);
}

void on_q(VCF_GUI &p, const MESSAGE &m)
{
    const float q = step_by(p.pcf->q, 0.1, turn_direction(m));
    p.pcf->q = q <= 0.001f ? 0.001f : q;
    show_values(p);
}

void on_level(VCF_GUI &p, const MESSAGE &m)
{
    const float level = step_by(p.pcf->level, 0.05, turn_direction(m));
    p.pcf->level = level < 0.0f ? 0.0f : level > 1.0f ? 1.0f : level;
    show_values(p);
}

const BINDING<VCF_GUI> BINDINGS[] = {
    {GESTURE::RELEASE, "POWER", on_power},
    {GESTURE::RELEASE, "BYPASS", on_bypass},
    {GESTURE::RELEASE, "AFFICHAGE_TYPE_FILTRE", on_type},
    {GESTURE::TURN, "HICUTOFF", on_cutoff},
    {GESTURE::TURN, "GAIN", on_gain},
    {GESTURE::TURN, "QRATIO", on_q},
    {GESTURE::TURN, "LEVEL", on_level},
};

} // namespace

VCF_GUI::VCF_GUI(PCF *pcf, int x, int y, const char *number)
    : MODULE_PANEL(pcf, x, y, number), pcf(pcf)
{
    load_panel_files(*this, "VCF_%s", "RC/BACK_VCF.RC", "RC/VCF.RC");
    show_values(*this);
    show_type(*this);
    show_text_in_both_views(*this, "label_NAME", pcf->name);
    show_power(*this, pcf->power);
    set_button(*this, "BYPASS", std::abs(1 - pcf->bypass));
    finish_panel(*this);
}

int VCF_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}
