#include "panels/vcf_gui.h"

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

// The cut-off knob turns the other way round from the oscillator's.
void on_cutoff(VCF_GUI &p, const MESSAGE &m)
{
    p.pcf->cut_off = step_knob(p.pcf->cut_off, FILTER_CUTOFF, -turn_direction(m));
    show_text(p, "LABEL_HICUTOFF", "%4d", p.pcf->cut_off);
}

void on_gain(VCF_GUI &p, const MESSAGE &m)
{
    p.pcf->gain = static_cast<float>(p.pcf->gain + 0.1 * turn_direction(m));
    show_text(p, "LABEL_GAIN", "%2.1f", p.pcf->gain);
}

void on_q(VCF_GUI &p, const MESSAGE &m)
{
    float q = static_cast<float>(p.pcf->q + 0.1 * turn_direction(m));
    p.pcf->q = q <= 0.001f ? 0.001f : q;
    show_text(p, "LABEL_QRATIO", "%2.1f", p.pcf->q);
}

void on_level(VCF_GUI &p, const MESSAGE &m)
{
    float level = static_cast<float>(p.pcf->level + 0.05 * turn_direction(m));
    p.pcf->level = level < 0.0f ? 0.0f : level > 1.0f ? 1.0f : level;
    show_text(p, "LABEL_LEVEL", "%2.1f", p.pcf->level);
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

VCF_GUI::VCF_GUI(PCF *pcf, int x, int y, const char *number) : OBJET(x, y, number), pcf(pcf)
{
    load_panel_files(*this, "VCF_%s", "RC/BACK_VCF.RC", "RC/VCF.RC");
    set_knob(*this, "SLD_HICUTOFF", pcf->cut_off);
    set_knob(*this, "SLD_GAIN", pcf->gain);
    set_knob(*this, "SLD_LEVEL", pcf->level);
    set_knob(*this, "SLD_QRATIO", pcf->q);
    show_type(*this);
    show_text(*this, "LABEL_HICUTOFF", "%d", pcf->cut_off);
    show_text(*this, "LABEL_GAIN", "%2.1f", pcf->gain);
    show_text(*this, "LABEL_QRATIO", "%2.1f", pcf->q);
    show_text(*this, "LABEL_LEVEL", "%2.1f", pcf->level);
    show_text(*this, "LABEL_TYPE", "%d", pcf->type); // the number until the first click
    show_text_in_both_views(*this, "label_NAME", pcf->name);
    set_button(*this, "POWER", std::abs(1 - pcf->power));
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
