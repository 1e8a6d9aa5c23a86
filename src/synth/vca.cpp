#include "synth/vca.h"

#include <array>

VCA::VCA()
    : OUTPUT(0.0f), INPUT_GATE(nullptr), INPUT(), release_time(0.0f), time(0.0f), invert(0),
      attack(1000.0f), peak(1.0f), decay(1000.0f), sustain(1.0f), release(1000.0f),
      last_level(0.0f), power(1)
{
    name[0] = '\0';
}

namespace {

using lanes::Floats;
using Ints = int __attribute__((vector_size(lanes::COUNT * sizeof(int))));

// The input of an amplifier without one, and the gate of a lane left over.
const std::array<float, SUB_BLOCK> NO_INPUT = [] {
    std::array<float, SUB_BLOCK> ones;
    ones.fill(1.0f);
    return ones;
}();
const std::array<int, SUB_BLOCK> NO_GATE{};

// The amplifiers of VCA::run_lanes, one lane each of vectors of numbers.
// Lanes left over have no gate and no envelope: they stay silent.
struct AmplifierLanes {
    vca_detail_envelope<Floats> e;
    Floats v, t, released, last;
    // Each lane's input and gate, the first `count` lanes' outputs, and their
    // frames as vectors of lanes.
    const float *in[lanes::COUNT];
    const int *gate[lanes::COUNT];
    float *out[lanes::COUNT];
    int count;
    Floats inputs[SUB_BLOCK], gates[SUB_BLOCK], frames[SUB_BLOCK];
};

constexpr int GROUPS = VCA::AMPLIFIER_LANES / lanes::COUNT;

// The groups frame after frame, so that their chains of dependent steps
// (each frame's level needs the last) overlap.
LANES_FOR_EACH_WIDTH void run_lanes(AmplifierLanes (&s)[GROUPS], int n)
{
    Floats v[GROUPS], t[GROUPS], released[GROUPS], last[GROUPS];
    for (int g = 0; g < GROUPS; ++g) {
        lanes::gather(s[g].in, s[g].inputs, n);
        lanes::gather(s[g].gate, s[g].gates, n);
        v[g] = s[g].v, t[g] = s[g].t, released[g] = s[g].released, last[g] = s[g].last;
    }
    for (int k = 0; k < n; ++k)
        for (int g = 0; g < GROUPS; ++g) {
            const Ints gate = __builtin_bit_cast(Ints, s[g].gates[k]) == 1;
            vca_detail_frame(s[g].e, gate, s[g].inputs[k], v[g], t[g], released[g], last[g]);
            s[g].frames[k] = v[g];
        }
    for (int g = 0; g < GROUPS; ++g) {
        s[g].v = v[g], s[g].t = t[g], s[g].released = released[g], s[g].last = last[g];
        lanes::scatter(s[g].frames, s[g].out, s[g].count, n);
    }
}

} // namespace

void VCA::run_gated_lanes(VCA *const *amplifiers, int count, int n)
{
    AmplifierLanes groups[GROUPS];
    for (int g = 0; g < GROUPS; ++g)
        groups[g].count = lanes::in_group(count, g);
    for (int i = 0; i < AMPLIFIER_LANES; ++i) {
        AmplifierLanes &s = groups[i / lanes::COUNT];
        const int j = i % lanes::COUNT;
        VCA *a = i < count ? amplifiers[i] : nullptr;
        const vca_detail_envelope<float> e = a ? a->envelope() : vca_detail_envelope<float>{};
        s.e.attack[j] = e.attack, s.e.peak[j] = e.peak, s.e.decay[j] = e.decay;
        s.e.sustain[j] = e.sustain, s.e.release[j] = e.release;
        s.e.attack_slope[j] = e.attack_slope, s.e.decay_slope[j] = e.decay_slope;
        s.e.flip[j] = e.flip, s.e.kept_bits[j] = e.kept_bits;
        s.v[j] = a ? a->value : 0.0f;
        s.t[j] = a ? a->time : 0.0f;
        s.released[j] = a ? a->release_time : 0.0f;
        s.last[j] = a ? a->last_level : 0.0f;
        s.in[j] = a && a->INPUT::latched ? a->INPUT::latched : NO_INPUT.data();
        s.gate[j] = a ? a->gate_frames() : NO_GATE.data();
        s.out[j] = a ? a->history.frames + 1 : nullptr;
    }
    run_lanes(groups, n);
    for (int i = 0; i < count; ++i) {
        const AmplifierLanes &s = groups[i / lanes::COUNT];
        const int j = i % lanes::COUNT;
        VCA &a = *amplifiers[i];
        a.value = s.v[j], a.time = s.t[j], a.release_time = s.released[j], a.last_level = s.last[j];
    }
}
