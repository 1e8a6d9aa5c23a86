#include "panels/panel_lists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <type_traits>

#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/sampler_gui.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"
#include "synth/generator.h"

std::vector<OBJET *> objets_globaux;
std::vector<SEQ_GUI *> sequenceurs_gui;
std::vector<OBJET *> objets_panel_front;

namespace {

// The layout scale: module sizes in the table are multiplied by it.
constexpr float SCALE = 1.5f;

// The room left between a column that is as wide as its widest panel and the
// next column: what the amplifiers' column leaves before the sequencers'.
constexpr int COLUMN_GAP = 14;

// Where one module type's panels go. Panel i of the group stands at
// y = first_y + SCALE * pitch * i in the group's column; the next group's
// column starts advance pixels to the right (truncated) when this one is not
// empty, or, for a group that fits its widest panel, that panel's width plus
// COLUMN_GAP when this is more. A group that shares the next group's column
// stands at its top, and the next group's panels follow under its own; the
// column advances when either group has panels. Oscillators
// and samplers number their panels from 0; the others go on from the running
// number.
struct GROUP {
    const char *progress;
    float first_y, pitch;
    double advance;
    bool own_numbers;
    bool fits_widest;
    bool shares_next_column;
};

const GROUP KEYBOARDS = {"Keyboards\n", 50, 64, 120, false, false, false};
const GROUP OSCILLATORS = {"Vcos\n", 25, 95, 210, true, false, false};
// The sampler panel is as large as the amplifier's.
const GROUP SAMPLERS = {"Samplers\n", 25, 56, 0, true, false, true};
const GROUP AMPLIFIERS = {"Vcas\n", 50, 56, SCALE * 180, false, false, false};
// The sequencer panel is far wider than its advance (it holds 32 step
// columns): without fitting it, the filters and mixers would lie under it.
const GROUP SEQUENCERS = {"Sequencers\n", 50, 156, SCALE * 135, false, true, false};
const GROUP FILTERS = {"Pcfs\n", 50, 64, SCALE * 130, false, false, false};
const GROUP MIXERS = {"Mixers\n", 50, 166, SCALE * 166, false, false, false};

struct PLACEMENT {
    int column_x = 0;
    int number = 0;
    // Where the next group's first panel goes when a group sharing its column
    // took the top; 0 for its own first_y.
    float shared_y = 0;
};

template <class PANEL, class MODULE>
void build_group(const MODULE_LIST<MODULE> &modules, const GROUP &group, PLACEMENT &at)
{
    std::printf("%s", group.progress);
    const float first_y = at.shared_y > 0 ? at.shared_y : group.first_y;
    int widest = 0;
    for (size_t i = 0; i < modules.size(); i++) {
        char number[16];
        const int n = static_cast<int>(i);
        std::snprintf(number, sizeof number, "%d", group.own_numbers ? n : at.number + n);
        PANEL *panel = new PANEL(modules[i], 0, 0, number);
        panel->setx(static_cast<float>(at.column_x));
        // Whole pixels: a picture drawn between two is smeared over both.
        panel->sety(std::round(first_y + SCALE * group.pitch * n));
        if constexpr (std::is_same_v<PANEL, SEQ_GUI>)
            sequenceurs_gui.insert(sequenceurs_gui.begin(), panel);
        objets_globaux.insert(objets_globaux.begin(), panel);
        widest = std::max(widest, static_cast<int>(panel->w));
        if (group.own_numbers)
            at.number = n;
    }
    at.number += static_cast<int>(modules.size());
    if (group.shares_next_column) {
        if (!modules.empty())
            at.shared_y =
                std::round(first_y + SCALE * group.pitch * static_cast<float>(modules.size()));
        return;
    }
    const bool column_taken = !modules.empty() || at.shared_y > 0;
    at.shared_y = 0;
    if (!column_taken)
        return;
    const int advance = static_cast<int>(at.column_x + group.advance) - at.column_x;
    at.column_x += group.fits_widest ? std::max(advance, widest + COLUMN_GAP) : advance;
}

} // namespace

void initialise_gui_from_current()
{
    std::printf("Init Gui From Current()\n");
    sequenceurs_gui.clear();
    PLACEMENT at;
    build_group<KEYBOARD_GUI>(gen->keyboards, KEYBOARDS, at);
    build_group<VCO_GUI>(gen->oscillators, OSCILLATORS, at);
    build_group<SAMPLER_GUI>(gen->samplers, SAMPLERS, at);
    build_group<VCA_GUI>(gen->amplifiers, AMPLIFIERS, at);
    build_group<SEQ_GUI>(gen->sequencers, SEQUENCERS, at);
    build_group<VCF_GUI>(gen->filters, FILTERS, at);
    build_group<MIXER_GUI>(gen->mixers, MIXERS, at);
}

SEQ_GUI *get_sequencer_gui_by_its_parent(const SEQUENCER *sequencer)
{
    for (auto it = sequenceurs_gui.rbegin(); it != sequenceurs_gui.rend(); ++it)
        if ((*it)->sequencer == sequencer)
            return *it;
    return nullptr;
}

OBJET *panel_of(const MODULE &module)
{
    for (OBJET *p : objets_globaux)
        if (module && module_of(p) == module)
            return p;
    return nullptr;
}

namespace {

// A panel of the module, numbered so, in no list yet.
OBJET *new_panel(const MODULE &module, const char *number)
{
    switch (module.kind) {
    case VCO_MODULE:
        return new VCO_GUI(module.as<VCO>(), 0, 0, number);
    case VCA_MODULE:
        return new VCA_GUI(module.as<VCA>(), 0, 0, number);
    case VCF_MODULE:
        return new VCF_GUI(module.as<PCF>(), 0, 0, number);
    case SEQ_MODULE:
        return new SEQ_GUI(module.as<SEQUENCER>(), 0, 0, number);
    case MIXER_MODULE:
        return new MIXER_GUI(module.as<MIXER>(), 0, 0, number);
    case SAMPLER_MODULE:
        return new SAMPLER_GUI(module.as<SAMPLER>(), 0, 0, number);
    case KEYBOARD_MODULE:
        return new KEYBOARD_GUI(module.as<KEYBOARD>(), 0, 0, number);
    case NO_MODULE:
        break;
    }
    return nullptr;
}

bool covers_a_panel(const OBJET &p, const OBJET &self)
{
    for (const OBJET *o : objets_globaux)
        if (o != &self && p.x < o->x + o->w && o->x < p.x + p.w && p.y < o->y + o->h &&
            o->y < p.y + p.h)
            return true;
    return false;
}

} // namespace

OBJET *add_module_panel(const MODULE &module, int x, int y)
{
    // Numbers past those the builder gives, so that no two panels share one.
    static int next_number = 1000;
    char number[16];
    std::snprintf(number, sizeof number, "%d", next_number++);
    OBJET *panel = new_panel(module, number);
    if (panel == nullptr)
        return nullptr;
    panel->setxyz(static_cast<float>(x), static_cast<float>(y), 0);
    panel->calcule_lasurfaceoccupee();
    objets_globaux.insert(objets_globaux.begin(), panel);
    if (module.kind == SEQ_MODULE)
        sequenceurs_gui.insert(sequenceurs_gui.begin(), static_cast<SEQ_GUI *>(panel));
    return panel;
}

OBJET *renew_module_panel(OBJET *old)
{
    OBJET *panel = new_panel(module_of(old), old->name);
    if (panel == nullptr)
        return old;
    panel->setxyz(old->x, old->y, 0);
    panel->toggle_view_mode(static_cast<int>(old->front_look));
    if (old->view_mode == OBJET::VIEW_BACK)
        panel->toggle_view_mode(OBJET::VIEW_BACK);
    panel->calcule_lasurfaceoccupee();
    *std::find(objets_globaux.begin(), objets_globaux.end(), old) = panel;
    const auto seq = std::find(sequenceurs_gui.begin(), sequenceurs_gui.end(), old);
    if (seq != sequenceurs_gui.end())
        *seq = static_cast<SEQ_GUI *>(panel);
    delete old;
    return panel;
}

void place_in_its_column(OBJET &panel, MODULE_KIND kind)
{
    constexpr int STEP = 8, TOP = 25;
    float column = -1;
    for (const OBJET *o : objets_globaux)
        if (o != &panel && module_of(o).kind == kind && (column < 0 || o->x < column))
            column = o->x;
    if (column < 0) { // the first column right of every panel
        column = 0;
        for (const OBJET *o : objets_globaux)
            if (o != &panel)
                column = std::max(column, o->x + o->w);
        column = std::round(column) + COLUMN_GAP;
    }
    panel.setx(column);
    for (int y = TOP;; y += STEP) {
        panel.sety(static_cast<float>(y));
        if (!covers_a_panel(panel, panel))
            return;
    }
}

void remove_module_panel(OBJET *panel)
{
    objets_globaux.erase(std::find(objets_globaux.begin(), objets_globaux.end(), panel));
    const auto seq = std::find(sequenceurs_gui.begin(), sequenceurs_gui.end(), panel);
    if (seq != sequenceurs_gui.end())
        sequenceurs_gui.erase(seq);
    delete panel;
}
