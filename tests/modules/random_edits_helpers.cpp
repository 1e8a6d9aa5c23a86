#include "modules/random_edits_helpers.h"

#include <cstdlib>
#include <random>
#include <string>

#include "modules/module_types.h"
#include "modules/patch_edit.h"
#include "modules/sockets.h"

GENERATOR *empty_patch()
{
    GENERATOR *g = new GENERATOR();
    g->mixers.push_back(new_module(MIXER_MODULE, g->output_mixer).as<MIXER>());
    return g;
}

std::vector<MODULE> all_modules(const GENERATOR &g)
{
    std::vector<MODULE> all;
    for (MODULE_KIND k : MODULE_KINDS)
        for (const MODULE &m : modules_of(g, k))
            all.push_back(m);
    return all;
}

namespace {

// The knobs of the panels: plain stores of parameters while the sound plays
// (listed as deliberate in the ThreadSanitizer suppressions).
void turn_knob(const MODULE &m, unsigned n)
{
    *m.power() = n % 5 != 0;
    switch (m.kind) {
    case VCO_MODULE:
        m.as<VCO>()->frequency = 50.0f + static_cast<float>(n % 2000);
        m.as<VCO>()->amplitude = static_cast<float>(n % 11) / 10.0f;
        break;
    case VCA_MODULE:
        m.as<VCA>()->attack = static_cast<float>(n % 300);
        m.as<VCA>()->sustain = static_cast<float>(n % 7) / 6.0f;
        break;
    case VCF_MODULE:
        m.as<PCF>()->cut_off = 100 + static_cast<int>(n % 5000);
        break;
    case MIXER_MODULE:
        m.as<MIXER>()->gain[n % MIXER::CHANNELS] = static_cast<float>(n % 9) / 4.0f;
        break;
    case SEQ_MODULE: {
        SEQUENCER &s = *m.as<SEQUENCER>();
        const int p = static_cast<int>(n % 3), step = static_cast<int>(n / 3 % 32);
        s.note[p][step] = static_cast<int>(n % 12);
        s.length[p][step] = static_cast<float>(n % 4 + 1) / 4.0f;
        s.wished_pattern = static_cast<int>(n / 7 % 2);
        break;
    }
    case KEYBOARD_MODULE:
        m.as<KEYBOARD>()->octave = static_cast<int>(n % 7);
        break;
    default:
        break;
    }
}

// One cable: an input of m plugged into another module's output of its
// signal, or into nothing; a mixer's channel added or re-plugged.
void move_cable(GENERATOR &g, const MODULE &m, unsigned n)
{
    const SOCKETS sockets = input_sockets(m.kind);
    const long count = sockets.end() - sockets.begin();
    if (count == 0)
        return;
    const SOCKET &s = sockets.begin()[n % count];
    std::vector<MODULE> sources;
    for (const MODULE &source : all_modules(g))
        if (source.has_output(s.signal))
            sources.push_back(source);
    n /= static_cast<unsigned>(count);
    const MODULE source = n % 5 == 0 || sources.empty() ? MODULE() : sources[n % sources.size()];
    const int channels = s.channels_in_use(m);
    const int channel = s.channels > 1 && (channels == 0 || n % 3 == 0)
                            ? -1
                            : static_cast<int>(n / 7 % static_cast<unsigned>(channels));
    if (channel >= 0 || source)
        s.plug(m, channel, source);
}

} // namespace

void edit(GENERATOR &g, unsigned what, unsigned n)
{
    const std::vector<MODULE> all = all_modules(g);
    const MODULE &m = all[n % all.size()];
    std::string why;
    switch (what % 8) {
    case 0:
        if (all.size() < 40)
            add_module(g, MODULE_KINDS[n % 7], why);
        break;
    case 1:
        remove_module(g, m, why); // the output mixer stays
        break;
    case 2:
        turn_knob(m, n / 64);
        break;
    default:
        move_cable(g, m, n / 64);
        break;
    }
}

void edit_many(GENERATOR &g, unsigned seed, unsigned edits, void (*between)(unsigned i))
{
    std::mt19937 random(seed);
    std::srand(seed); // a new oscillator's phase is drawn from it
    for (unsigned i = 0; i < edits; ++i) {
        const unsigned what = random();
        edit(g, what, random());
        if (between)
            between(i);
    }
}

