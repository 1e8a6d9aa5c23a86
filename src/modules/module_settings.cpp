#include "modules/module_settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

template <class T, size_t N> void copy_array(const T (&from)[N], T (&to)[N])
{
    std::copy(std::begin(from), std::end(from), std::begin(to));
}

void copy(const VCO &from, VCO &to)
{
    to.type = from.type;
    to.frequency = from.frequency;
    to.amplitude = from.amplitude;
    to.phase = from.phase;
    to.pulse_width = from.pulse_width;
    to.power = from.power;
}

void copy(const VCA &from, VCA &to)
{
    to.attack = from.attack;
    to.decay = from.decay;
    to.sustain = from.sustain;
    to.release = from.release;
    to.invert = from.invert;
    to.power = from.power;
}

void copy(const PCF &from, PCF &to)
{
    to.cut_off = from.cut_off;
    to.q = from.q;
    to.gain = from.gain;
    to.type = from.type;
    to.bypass = from.bypass;
    to.level = from.level;
    to.power = from.power;
}

// Channel by channel as the file numbers them: the same number, the same
// gain and mute, wherever the unplugged channels of each mixer lie.
void copy(const MIXER &from, MIXER &to)
{
    int slot_of[MIXER::CHANNELS + 1] = {};
    for (int c = 0; c < MIXER::CHANNELS; ++c)
        slot_of[from.file_number(c)] = c;
    for (int c = 0; c < MIXER::CHANNELS; ++c)
        if (const int n = to.file_number(c)) {
            to.gain[c] = from.gain[slot_of[n]];
            to.bypass[c] = from.bypass[slot_of[n]];
        }
    to.power = from.power;
}

void copy(const SEQUENCER &from, SEQUENCER &to)
{
    to.wished_divider = from.wished_divider;
    to.step_count = from.step_count;
    to.wished_pattern = from.wished_pattern;
    for (int p = 0; p < SEQUENCER::PATTERNS; ++p) {
        copy_array(from.note[p], to.note[p]);
        copy_array(from.octave[p], to.octave[p]);
        copy_array(from.volume[p], to.volume[p]);
        copy_array(from.length[p], to.length[p]);
        copy_array(from.bypass[p], to.bypass[p]);
    }
    to.power = from.power;
}

void copy(const KEYBOARD &from, KEYBOARD &to)
{
    to.octave = from.octave;
    to.power = from.power;
}

// A recording of another file is copied whole and handed over as a chosen
// one is.
void copy(const SAMPLER &from, SAMPLER &to)
{
    if (std::strcmp(from.file, to.file) != 0) {
        std::snprintf(to.file, sizeof to.file, "%s", from.file);
        to.play(from.recording() ? std::make_unique<const RECORDING>(*from.recording()) : nullptr);
    }
    to.tune = from.tune;
    to.volume = from.volume;
    to.power = from.power;
}

template <class T> void copy_as(const MODULE &from, const MODULE &to)
{
    copy(*from.as<T>(), *to.as<T>());
}

} // namespace

void copy_settings(const MODULE &from, const MODULE &to)
{
    switch (from.kind) {
    case VCO_MODULE:
        return copy_as<VCO>(from, to);
    case VCA_MODULE:
        return copy_as<VCA>(from, to);
    case VCF_MODULE:
        return copy_as<PCF>(from, to);
    case MIXER_MODULE:
        return copy_as<MIXER>(from, to);
    case SEQ_MODULE:
        return copy_as<SEQUENCER>(from, to);
    case KEYBOARD_MODULE:
        return copy_as<KEYBOARD>(from, to);
    case SAMPLER_MODULE:
        return copy_as<SAMPLER>(from, to);
    case NO_MODULE:
        break;
    }
}
