#include "cables/rewire.h"

#include <cstdlib>
#include <type_traits>
#include <cstring>

#include "panels/mixer_gui.h"
#include "panels/panel_kinds.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

namespace {

struct MODULATION_SOCKET {
    const char *word;
    AUDIO_INPUT::ROLE role;
};

const MODULATION_SOCKET MODULATION_SOCKETS[] = {
    {"INPUT_MOD_FREQ", AUDIO_INPUT::MOD_FREQ},
    {"INPUT_MOD_PHASE", AUDIO_INPUT::MOD_PHASE},
    {"INPUT_MOD_PWM", AUDIO_INPUT::MOD_PWM},
    {"INPUT_MOD_AMP", AUDIO_INPUT::MOD_AMP},
};

AUDIO_INPUT::ROLE modulation_or_main(const char *name, bool has_pulse_width)
{
    for (const MODULATION_SOCKET &s : MODULATION_SOCKETS)
        if (std::strstr(name, s.word) && (has_pulse_width || s.role != AUDIO_INPUT::MOD_PWM))
            return s.role;
    return AUDIO_INPUT::MAIN;
}

MIXER *mixer_of(const OBJET *panel)
{
    const MIXER_GUI *m = dynamic_cast<const MIXER_GUI *>(panel);
    return m != nullptr ? m->mixer : nullptr;
}

// The module's modulation slot for a role; null for the main input.
template <class MODULE> MOD_SLOT *slot_of(MODULE *m, AUDIO_INPUT::ROLE role)
{
    switch (role) {
    case AUDIO_INPUT::MOD_FREQ:
        return &m->mod_frequency;
    case AUDIO_INPUT::MOD_PHASE:
        return &m->mod_phase;
    case AUDIO_INPUT::MOD_AMP:
        return &m->mod_amplitude;
    case AUDIO_INPUT::MOD_PWM:
        if constexpr (std::is_same_v<MODULE, VCO>)
            return &m->mod_pulse_width;
        return nullptr;
    default:
        return nullptr;
    }
}

template <class MODULE> void plug_module(MODULE *m, AUDIO_INPUT::ROLE role, OUTPUT *source)
{
    if (MOD_SLOT *slot = slot_of(m, role))
        VCO::connect_modulation(*slot, source);
    else
        m->INPUT::connect(source);
}

} // namespace

AUDIO_INPUT audio_input_of(OBJET *panel, const char *socket_name)
{
    AUDIO_INPUT in;
    in.panel = panel;
    switch (kind_of(panel)) {
    case VCO_PANEL:
        in.role = modulation_or_main(socket_name, true);
        break;
    case VCF_PANEL:
        in.role = modulation_or_main(socket_name, false);
        break;
    case VCA_PANEL:
        in.role = AUDIO_INPUT::MAIN;
        break;
    case MIXER_PANEL:
        if (const char *n = std::strstr(socket_name, "INPUT_")) {
            in.channel = std::atoi(n + 6) - 1;
            if (in.channel >= 0 && in.channel < MIXER::CHANNELS)
                in.role = AUDIO_INPUT::CHANNEL;
        }
        break;
    default:
        break;
    }
    return in;
}

void plug_audio(const AUDIO_INPUT &input, OUTPUT *source)
{
    switch (input.role) {
    case AUDIO_INPUT::NONE:
        return;
    case AUDIO_INPUT::CHANNEL:
        mixer_of(input.panel)->inputs[input.channel].connect(source);
        return;
    default:
        break;
    }
    if (auto *v = dynamic_cast<VCO_GUI *>(input.panel))
        plug_module(v->vco, input.role, source);
    else if (auto *f = dynamic_cast<VCF_GUI *>(input.panel))
        plug_module(f->pcf, input.role, source);
    else if (auto *a = dynamic_cast<VCA_GUI *>(input.panel))
        a->vca->INPUT::connect(source);
}

namespace {

// The module's input of port class PORT when the panel is an oscillator's,
// an amplifier's or a filter's and the module has one.
template <class PORT> PORT *input_port(OBJET *panel)
{
    if (auto *v = dynamic_cast<VCO_GUI *>(panel))
        return v->vco;
    if (auto *f = dynamic_cast<VCF_GUI *>(panel))
        return f->pcf;
    if constexpr (std::is_base_of_v<PORT, VCA>)
        if (auto *a = dynamic_cast<VCA_GUI *>(panel))
            return a->vca;
    return nullptr;
}

} // namespace

void plug_gate(OBJET *panel, OUTPUT_GATE *source)
{
    if (INPUT_GATE *in = input_port<INPUT_GATE>(panel))
        in->connect(source);
}

void plug_sync(OBJET *panel, OUTPUT_SYNC *source)
{
    if (INPUT_SYNC *in = input_port<INPUT_SYNC>(panel))
        in->connect(source);
}

bool mixer_is_full(const OBJET *panel)
{
    const MIXER *m = mixer_of(panel);
    return m != nullptr && m->count.load() >= MIXER::CHANNELS;
}

int add_mixer_channel(OBJET *panel, OUTPUT *source)
{
    MIXER *m = mixer_of(panel);
    return m != nullptr ? m->ajoute_en_entree(source, -1) : 0;
}
