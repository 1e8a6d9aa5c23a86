#include "cables/cable_drop.h"

#include <cstdio>
#include <cstring>

#include "cables/cable_list.h"
#include "cables/output_lookup.h"
#include "cables/rewire.h"
#include "ui/views/view_pointer.h"
#include "panels/panel_kinds.h"
#include "synth/mixer.h"

namespace {

struct END_KIND {
    int side;
    const char *word; // in the socket's name; "" for any
    int kind;
    const char *trace;
};

const END_KIND END_KINDS[] = {
    {1, "_GATE", GATE_OUTPUT_END, "OUTPUT_GATE\n"}, {1, "_SYNC", SYNC_OUTPUT_END, "OUTPUT_SYNC\n"},
    {1, "", AUDIO_OUTPUT_END, "OUTPUT\n"},          {0, "_GATE", GATE_INPUT_END, "INPUT_GATE\n"},
    {0, "_SYNC", SYNC_INPUT_END, "INPUT_SYNC\n"},   {0, "", AUDIO_INPUT_END, "INPUT\n"},
};

// One drop: the cable, the panel and the socket it lands on.
struct DROP {
    LINK &link;
    OBJET *target;
    SPRITE *socket;
    bool duplicate;
};

// The old input's module is an oscillator: the trace names its socket.
void trace_oscillator_socket(const LINK &link)
{
    if (kind_of(link.input_panel) == VCO_PANEL)
        std::printf("[%s]\n", link.input_socket->NAME);
}

bool move_sync_input(const DROP &d)
{
    trace_oscillator_socket(d.link);
    if (!d.duplicate)
        plug_sync(d.link.input_panel, nullptr);
    plug_sync(d.target, sync_output(d.link.output_panel));
    return true;
}

bool move_gate_input(const DROP &d)
{
    plug_gate(d.target, gate_output(d.link.output_panel));
    trace_oscillator_socket(d.link);
    if (!d.duplicate)
        plug_gate(d.link.input_panel, nullptr);
    return true;
}

bool move_audio_input(const DROP &d)
{
    if (mixer_is_full(d.target)) {
        std::printf("Branchement refuse : les %d entrees de [%s] sont prises\n", MIXER::CHANNELS,
                    module_name(d.target));
        return false;
    }
    const AUDIO_INPUT old = audio_input_of(d.link.input_panel, d.link.input_socket->NAME);
    if (old.role == AUDIO_INPUT::CHANNEL) {
        plug_audio(old, nullptr); // the mixer keeps counting the channel
    } else if (!d.duplicate) {
        trace_oscillator_socket(d.link);
        plug_audio(old, nullptr);
    }
    OUTPUT *source = audio_output(d.link.output_panel);
    if (kind_of(d.target) == MIXER_PANEL)
        add_mixer_channel(d.target, source);
    else
        plug_audio(audio_input_of(d.target, d.socket->NAME), source);
    return true;
}

bool move_audio_output(const DROP &d)
{
    plug_audio(audio_input_of(d.link.input_panel, d.link.input_socket->NAME),
               audio_output(d.target));
    return true;
}

const char WRONG_GATE[] = "Mauvais branchment : Vous essayer de mettre une connexion INPUT_GATE "
                          "dans une j'sais pas on s'en fout\n";
const char WRONG_INPUT[] =
    "Mauvais branchment : Vous essayer de mettre une connexion INPUT dans une OUTPUT\n";
const char WRONG_OUTPUT[] =
    "Mauvais branchment : Vous essayer de mettre une connexion OUTPUT dans une INPUT\n";

constexpr unsigned ANY_MODULE =
    VCO_PANEL | VCA_PANEL | VCF_PANEL | SEQ_PANEL | MIXER_PANEL | SAMPLER_PANEL | KEYBOARD_PANEL;

struct DROP_RULE {
    const char *socket_word; // the socket dropped on must contain it
    unsigned panels;         // the panel kinds that can take the end
    const char *wrong_kind;  // said otherwise
    bool (*rewire)(const DROP &);
    const char *connected;
};

// Indexed by the kind of the picked end. An output end of a gate or sync
// cable rewires nothing: the rebuilt list puts the cable back.
const DROP_RULE DROP_RULES[] = {
    {"OUTPUT", ANY_MODULE, WRONG_OUTPUT, move_audio_output, "Branchement INPUT vers OUTPUT\n"},
    {"INPUT", VCO_PANEL | VCA_PANEL | VCF_PANEL | MIXER_PANEL, WRONG_INPUT, move_audio_input,
     "Branchement OUTPUT vers INPUT\n"},
    {"INPUT_GATE", VCO_PANEL | VCA_PANEL | VCF_PANEL, WRONG_GATE, move_gate_input,
     "Branchement OUTPUT_GATE vers INPUT_GATE\n"},
    {"INPUT_SYNC", VCO_PANEL | VCF_PANEL, WRONG_GATE, move_sync_input,
     "Branchement OUTPUT_SYNC vers INPUT_SYNC\n"},
    {"OUTPUT_GATE", ANY_MODULE, WRONG_GATE, nullptr, "Branchement OUTPUT_GATE vers INPUT_GATE\n"},
    {"OUTPUT_SYNC", ANY_MODULE, WRONG_GATE, nullptr, "Branchement OUTPUT_SYNC vers INPUT_SYNC\n"},
};

const END_KIND &end_kind(const char *socket_name, int side)
{
    for (const END_KIND &k : END_KINDS)
        if (k.side == side && std::strstr(socket_name, k.word))
            return k;
    return END_KINDS[side == 1 ? 2 : 5]; // the audio ends match any name
}

} // namespace

int cable_end_kind(const char *socket_name, int side)
{
    const END_KIND &k = end_kind(socket_name, side);
    std::printf("%s", k.trace);
    return k.kind;
}

void drop_cable_end(LINK &link, int kind, bool duplicate, const std::vector<OBJET *> &list)
{
    link_not_created = 1;
    OBJET *target = panel_at(list, get_pointed_instrument(&list));
    SPRITE *p = target != nullptr ? target->get_pointed_object() : nullptr;
    if (p == nullptr) {
        std::printf("Postionn\xe9 sur rien\n");
        return;
    }
    if (!std::strstr(p->NAME, "OUTPUT") && !std::strstr(p->NAME, "INPUT")) {
        std::printf("Postionn\xe9 sur ni OUTPUT ni INPUT\n");
        return;
    }
    std::printf("Atterri sur qlq chose [%s]\n", p->NAME);
    const bool output_end = kind == AUDIO_OUTPUT_END || kind >= GATE_OUTPUT_END;
    if (p == (output_end ? link.output_socket : link.input_socket)) {
        std::printf("C le meme amateur !\n");
        return;
    }
    const DROP_RULE &rule = DROP_RULES[kind];
    // A socket of the wrong kind (an audio end on a gate or sync socket too,
    // whose names hold "INPUT" or "OUTPUT" as well), or one on a panel whose
    // module has no such input (a sequencer's sync input is not shown as a
    // cable): the cable goes back.
    if (!std::strstr(p->NAME, rule.socket_word) || end_kind(p->NAME, output_end).kind != kind ||
        (kind_of(target) & rule.panels) == 0) {
        std::printf("%s", rule.wrong_kind);
        return;
    }
    if (rule.rewire == nullptr || rule.rewire({link, target, p, duplicate}))
        std::printf("%s", rule.connected);
}
