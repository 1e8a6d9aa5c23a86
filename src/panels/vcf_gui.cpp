#include "panels/vcf_gui.h"

#include <cmath>
#include <cstring>
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

const PANEL_KNOB<VCF_GUI> KNOBS[] = {
    {"SLD_HICUTOFF", "CUT-OFF", "LABEL_HICUTOFF", "%4.0f", "Hz", CUTOFF_SWEEP,
     [](const VCF_GUI &p) -> double { return p.pcf->cut_off; }},
    {"SLD_GAIN", "GAIN", "LABEL_GAIN", "%2.1f", "dB", GAIN_SWEEP,
     [](const VCF_GUI &p) -> double { return p.pcf->gain; }},
    {"SLD_QRATIO", "Q", "LABEL_QRATIO", "%2.1f", "", Q_SWEEP,
     [](const VCF_GUI &p) -> double { return p.pcf->q; }},
    {"SLD_LEVEL", "LEVEL", "LABEL_LEVEL", "%3.2f", "", LEVEL_SWEEP,
     [](const VCF_GUI &p) -> double { return p.pcf->level; }},
};

void show_values(VCF_GUI &p) { show_knobs(p, KNOBS); }

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

std::string VCF_GUI::describe(const SPRITE *element) const
{
    const std::string knob = describe_knob(*this, KNOBS, element);
    if (!knob.empty())
        return knob;
    const char *name = name_in_panel(*this, element);
    if (std::strcmp(name, "AFFICHAGE_TYPE_FILTRE") == 0)
        return std::string("TYPE ") +
               (pcf->type >= 0 && pcf->type <= LAST_TYPE ? RESPONSES[pcf->type].name : "NONE");
    if (std::strcmp(name, "BYPASS") == 0)
        return std::string("BYPASS ") + (pcf->bypass != 0 ? "ON" : "OFF");
    return MODULE_PANEL::describe(element);
}

int VCF_GUI::evolue()
{
    if (view_mode == VIEW_FRONT)
        handle_messages(*this, BINDINGS);
    OBJET::evolue();
    return 0;
}

void VCF_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }

double VCF_GUI::knob_place(const SPRITE &knob) const
{
    const double place = place_of_knob(*this, KNOBS, &knob);
    return place >= 0 ? place : MODULE_PANEL::knob_place(knob);
}
