#include "modules/sockets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The main inputs: audio, gate and sync, which every module with inputs
// inherits as its INPUT, INPUT_GATE and INPUT_SYNC.
template <class T> const void *main_input(const MODULE &m, int)
{
    return static_cast<const INPUT &>(*m.as<T>()).source.get();
}
template <class T> bool plug_main(const MODULE &m, int, const MODULE &source)
{
    static_cast<INPUT &>(*m.as<T>()).connect(source.object);
    return true;
}
template <class T> const void *gate_input(const MODULE &m, int)
{
    return static_cast<const INPUT_GATE &>(*m.as<T>()).source.get();
}
template <class T> bool plug_gate(const MODULE &m, int, const MODULE &source)
{
    static_cast<INPUT_GATE &>(*m.as<T>()).connect(source.gate());
    return true;
}
template <class T> const void *sync_input(const MODULE &m, int)
{
    return static_cast<const INPUT_SYNC &>(*m.as<T>()).source.get();
}
template <class T> bool plug_sync(const MODULE &m, int, const MODULE &source)
{
    static_cast<INPUT_SYNC &>(*m.as<T>()).connect(source.sync());
    return true;
}

// A modulation slot of an oscillator, a sampler or a filter.
template <class T, MOD_SLOT T::*SLOT> const void *modulation_input(const MODULE &m, int)
{
    return modulation(m.as<T>()->*SLOT);
}
template <class T, MOD_SLOT T::*SLOT>
bool plug_modulation(const MODULE &m, int, const MODULE &source)
{
    connect_modulation(m.as<T>()->*SLOT, source.object);
    return true;
}

const void *mixer_channel(const MODULE &m, int channel)
{
    return m.as<MIXER>()->inputs[channel].source.get();
}
bool plug_mixer_channel(const MODULE &m, int channel, const MODULE &source)
{
    MIXER *mixer = m.as<MIXER>();
    if (channel < 0)
        return mixer->ajoute_en_entree(source.object, -1) == 1;
    mixer->inputs[channel].connect(source.object);
    return true;
}

// The sockets that oscillators, samplers and filters share: main input and
// modulations, then gate and sync.
template <class T> constexpr SOCKET main_socket(bool cabled)
{
    return {"INPUT", "IN", SIGNAL::AUDIO, 1, cabled, main_input<T>, plug_main<T>};
}
template <class T, MOD_SLOT T::*SLOT>
constexpr SOCKET modulation_socket(const char *element, const char *key, bool cabled)
{
    return {element,
            key,
            SIGNAL::AUDIO,
            1,
            cabled,
            modulation_input<T, SLOT>,
            plug_modulation<T, SLOT>};
}
template <class T> constexpr SOCKET gate_socket(bool cabled)
{
    return {"INPUT_GATE", "GATE", SIGNAL::GATE, 1, cabled, gate_input<T>, plug_gate<T>};
}
template <class T> constexpr SOCKET sync_socket(bool cabled)
{
    return {"INPUT_SYNC", "SYNC", SIGNAL::SYNC, 1, cabled, sync_input<T>, plug_sync<T>};
}

const SOCKET OSCILLATOR[] = {
    main_socket<VCO>(true),
    modulation_socket<VCO, &VCO::mod_amplitude>("INPUT_MOD_AMP", "MOD_AMP", true),
    modulation_socket<VCO, &VCO::mod_frequency>("INPUT_MOD_FREQ", "MOD_FREQ", true),
    modulation_socket<VCO, &VCO::mod_phase>("INPUT_MOD_PHASE", "MOD_PHASE", true),
    modulation_socket<VCO, &VCO::mod_pulse_width>("INPUT_MOD_PWM", "MOD_PWM", true),
    gate_socket<VCO>(true),
    sync_socket<VCO>(true),
};

const SOCKET FILTER[] = {
    main_socket<PCF>(true),
    modulation_socket<PCF, &PCF::mod_amplitude>("INPUT_MOD_AMP", "MOD_AMP", true),
    modulation_socket<PCF, &PCF::mod_frequency>("INPUT_MOD_FREQ", "MOD_FREQ", true),
    modulation_socket<PCF, &PCF::mod_phase>("INPUT_MOD_PHASE", "MOD_PHASE", true),
    gate_socket<PCF>(true),
    sync_socket<PCF>(true),
};

const SOCKET SAMPLER_SOCKETS[] = {
    main_socket<SAMPLER>(true),
    modulation_socket<VCO, &VCO::mod_amplitude>("INPUT_MOD_AMP", "MOD_AMP", true),
    modulation_socket<VCO, &VCO::mod_frequency>("INPUT_MOD_FREQ", "MOD_FREQ", true),
    modulation_socket<VCO, &VCO::mod_phase>("INPUT_MOD_PHASE", "MOD_PHASE", true),
    gate_socket<SAMPLER>(true),
    sync_socket<SAMPLER>(true),
};

const SOCKET AMPLIFIER[] = {
    main_socket<VCA>(true),
    gate_socket<VCA>(true),
};

// A sequencer's reset input: read and saved, not drawn.
const SOCKET SEQUENCER_SOCKETS[] = {
    sync_socket<SEQUENCER>(false),
};

const SOCKET MIXER_SOCKETS[] = {
    {"INPUT_%d", "ADD_CHANELL", SIGNAL::AUDIO, MIXER::CHANNELS, true, mixer_channel,
     plug_mixer_channel},
};

template <size_t N> SOCKETS all(const SOCKET (&table)[N]) { return {table, table + N}; }

} // namespace

int SOCKET::channels_in_use(const MODULE &m) const
{
    if (channels == 1)
        return 1;
    const int count = m.as<MIXER>()->count.load();
    return count < channels ? count : channels;
}

void SOCKET::element_of(int channel, char (&name)[24]) const
{
    if (channels > 1)
        std::snprintf(name, sizeof name, element, channel + 1);
    else
        std::snprintf(name, sizeof name, "%s", element);
}

SOCKETS input_sockets(MODULE_KIND kind)
{
    switch (kind) {
    case VCO_MODULE:
        return all(OSCILLATOR);
    case VCA_MODULE:
        return all(AMPLIFIER);
    case VCF_MODULE:
        return all(FILTER);
    case SEQ_MODULE:
        return all(SEQUENCER_SOCKETS);
    case MIXER_MODULE:
        return all(MIXER_SOCKETS);
    case SAMPLER_MODULE:
        return all(SAMPLER_SOCKETS);
    case KEYBOARD_MODULE:
    case NO_MODULE:
        break;
    }
    return {nullptr, nullptr};
}

const SOCKET *input_socket_named(MODULE_KIND kind, const char *element, int *channel)
{
    for (const SOCKET &s : input_sockets(kind)) {
        if (s.channels == 1) {
            if (std::strcmp(s.element, element) == 0) {
                *channel = 0;
                return &s;
            }
            continue;
        }
        // "INPUT_%d": the prefix, then a channel number within range.
        const size_t prefix = std::strlen(s.element) - 2;
        if (std::strncmp(s.element, element, prefix) == 0) {
            char *end = nullptr;
            const long n = std::strtol(element + prefix, &end, 10);
            if (end != element + prefix && *end == '\0' && n >= 1 && n <= s.channels) {
                *channel = static_cast<int>(n - 1);
                return &s;
            }
        }
    }
    return nullptr;
}

const char *output_element(SIGNAL signal)
{
    switch (signal) {
    case SIGNAL::GATE:
        return "OUTPUT_GATE";
    case SIGNAL::SYNC:
        return "OUTPUT_SYNC";
    case SIGNAL::AUDIO:
        break;
    }
    return "OUTPUT";
}

SIGNAL signal_of_output(const char *element)
{
    if (std::strstr(element, "_GATE"))
        return SIGNAL::GATE;
    if (std::strstr(element, "_SYNC"))
        return SIGNAL::SYNC;
    return SIGNAL::AUDIO;
}
