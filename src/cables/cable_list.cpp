#include "cables/cable_list.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "cables/output_lookup.h"
#include "panels/mixer_gui.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

std::vector<LINK *> liens;
int link_not_created = 1;

namespace {

// The trace lines of a cable that cannot be made; null gives a line saying
// which module and socket it concerns.
struct SKIP_LINES {
    const char *no_source = nullptr;        // no panel shows the source
    const char *no_output_socket = nullptr; // the source's panel lacks the socket
    const char *no_input_socket = nullptr;  // the input's panel lacks the socket
};

const char *name_of(const OBJET *panel)
{
    const char *name = module_name(panel);
    return name != nullptr ? name : panel->name;
}

void skip(const char *line, const OBJET *panel, const char *socket)
{
    if (line != nullptr)
        std::printf("%s", line);
    else if (socket == nullptr)
        std::printf("Cable skipped: the source of an input of %s is on no panel\n", name_of(panel));
    else
        std::printf("Cable skipped: the panel of %s has no socket %s\n", name_of(panel), socket);
}

// Sockets are elements of the back list, whatever view the panel shows.
SPRITE *socket_of(OBJET &panel, const char *name)
{
    std::vector<SPRITE *> *shown = panel.current;
    panel.current = &panel.back;
    SPRITE *socket = panel.get_SPRITE_by_name(name);
    panel.current = shown;
    return socket;
}

// A cable from the input socket of panel `to` to the output socket of panel
// `from`, put at the front of the list; skipped with one line when a panel or
// a socket is missing.
void add_cable(OBJET *to, const char *input_socket, OBJET *from, const char *output_socket,
               int colour, const SKIP_LINES &lines)
{
    if (from == nullptr)
        return skip(lines.no_source, to, nullptr);
    SPRITE *out = socket_of(*from, output_socket);
    if (out == nullptr)
        return skip(lines.no_output_socket, from, output_socket);
    SPRITE *in = socket_of(*to, input_socket);
    if (in == nullptr)
        return skip(lines.no_input_socket, to, input_socket);
    liens.insert(liens.begin(), new LINK(to, from, in, out, colour));
}

void audio_cable(OBJET *panel, const INPUT *input, const char *socket, const SKIP_LINES &lines = {})
{
    if (input != nullptr && input->source != nullptr)
        add_cable(panel, socket, get_OBJECT_by_OUTPUT(input), "OUTPUT", AUDIO_CABLE, lines);
}

void gate_cable(OBJET *panel, const INPUT_GATE *input, const SKIP_LINES &lines = {})
{
    if (input->source != nullptr)
        add_cable(panel, "INPUT_GATE", get_OBJECT_by_OUTPUT_GATE(input), "OUTPUT_GATE", GATE_CABLE,
                  lines);
}

void sync_cable(OBJET *panel, const INPUT_SYNC *input)
{
    if (input->source != nullptr)
        add_cable(panel, "INPUT_SYNC", get_OBJECT_by_OUTPUT_SYNC(input), "OUTPUT_SYNC", SYNC_CABLE,
                  {});
}

// The modulation, sync and gate inputs that oscillators and filters share.
template <class MODULE> void modulation_sync_gate_cables(OBJET *panel, MODULE *m)
{
    audio_cable(panel, m->mod_amplitude, "INPUT_MOD_AMP");
    audio_cable(panel, m->mod_frequency, "INPUT_MOD_FREQ");
    audio_cable(panel, m->mod_phase, "INPUT_MOD_PHASE");
    if constexpr (std::is_same_v<MODULE, VCO>)
        audio_cable(panel, m->mod_pulse_width, "INPUT_MOD_PWM");
    sync_cable(panel, m);
    gate_cable(panel, m);
}

void oscillator_cables(VCO_GUI *panel)
{
    audio_cable(panel, panel->vco, "INPUT");
    modulation_sync_gate_cables(panel, panel->vco);
}

void filter_cables(VCF_GUI *panel)
{
    PCF *pcf = panel->pcf;
    if (pcf->INPUT::source != nullptr && kind_of(get_OBJECT_by_OUTPUT(pcf)) == SAMPLER_PANEL)
        std::printf("Un sampler ...");
    SKIP_LINES lines;
    lines.no_input_socket = "GITSH in VCF??\n";
    audio_cable(panel, pcf, "INPUT", lines);
    modulation_sync_gate_cables(panel, pcf);
}

void amplifier_cables(VCA_GUI *panel)
{
    SKIP_LINES main;
    main.no_source = "DISH1\n";
    main.no_output_socket = "DISH-VCA Output not found?!\n";
    audio_cable(panel, panel->vca, "INPUT", main);
    SKIP_LINES gate;
    gate.no_source = "DISH2\n";
    gate_cable(panel, panel->vca, gate);
}

void mixer_cables(MIXER_GUI *panel)
{
    SKIP_LINES lines;
    lines.no_source = lines.no_output_socket = "ZUX\n";
    const int count = std::min(panel->mixer->count.load(), MIXER::CHANNELS);
    for (int c = 0; c < count; c++) {
        char socket[24];
        std::snprintf(socket, sizeof socket, "INPUT_%d", c + 1);
        audio_cable(panel, &panel->mixer->inputs[c], socket, lines);
    }
}

} // namespace

void cree_list_liens()
{
    for (LINK *link : liens)
        delete link;
    liens.clear();
    std::printf("Begin Link Creation\n");
    for (OBJET *panel : objets_globaux) {
        switch (kind_of(panel)) {
        case VCO_PANEL:
            oscillator_cables(static_cast<VCO_GUI *>(panel));
            break;
        case SEQ_PANEL:
            std::printf("SEQ not done\n");
            break;
        case VCA_PANEL:
            amplifier_cables(static_cast<VCA_GUI *>(panel));
            break;
        case VCF_PANEL:
            filter_cables(static_cast<VCF_GUI *>(panel));
            break;
        case MIXER_PANEL:
            mixer_cables(static_cast<MIXER_GUI *>(panel));
            break;
        default:
            break; // keyboards and samplers have no inputs
        }
    }
    std::printf("End Link Creation\n");
}
