#include "synth/vco.h"

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace {

// A distinct, non-zero noise seed for every oscillator, from the clock and a
// count (as the C library's generator is seeded from a clock, no listener
// can tell one sequence from another).
uint64_t noise_seed()
{
    static std::atomic<uint64_t> count{0};
    uint64_t z = (uint64_t)std::chrono::steady_clock::now().time_since_epoch().count() +
                 0x9E3779B97F4A7C15ULL * (count.fetch_add(1) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return z ? z : 1;
}

// The oscillators of VCO::run_wave_lanes, one lane each of vectors of
// numbers. Lanes left over have no amplitude: they give silence.
using lanes::Bits;
using lanes::convert;
using lanes::Doubles;
using lanes::Floats;
struct WaveLanes {
    Floats at, a, pw;
    Doubles step, ph;
    // The first `count` lanes' outputs, and their frames as vectors of lanes.
    float *out[lanes::COUNT];
    int count;
    Floats frames[SUB_BLOCK];
};

constexpr int GROUPS = VCO::WAVE_LANES / lanes::COUNT;

// shape<WAVE> for lanes, but for the sine (sine_wave): the same steps, each
// lane's choice picked rather than branched to.
template <int WAVE>
__attribute__((always_inline)) inline void wave_shape(const Doubles &pos, const WaveLanes &s,
                                                      const Doubles &a, Floats &v)
{
    const Doubles zero{};
    switch (WAVE) {
    case TRI: {
        const Doubles t = pos >= -1.0 ? 2.0 * a * (pos < 0.0 ? -pos : pos) : zero;
        convert(t - a, v);
        break;
    }
    case SAW: convert(a * pos, v); break;
    case SQR: {
        // sine_beyond_half's decision, by testing the sine itself.
        Doubles sine;
        sine_detail::near_sine<Doubles, Bits>((pos + s.ph) * vco_detail::TWO_PI_APPROX, sine);
        Floats beyond;
        convert(sine >= 0.5 ? a : sine < -0.5 ? -a : zero, beyond);
        v = beyond;
        break;
    }
    default: { // PULSE
        Doubles pw;
        convert(s.pw, pw);
        convert(pos + s.ph <= pw ? a : -a, v);
        break;
    }
    }
}

// As vco_detail_bounded, for a vector of floats or a pair of them.
template <typename F> __attribute__((always_inline)) inline void bounded(F &v)
{
    const F zero{};
    v = v >= 1.0f ? zero + 1.0f : v;
    v = v <= -1.0f ? zero - 1.0f : v;
}

// Frame k of the sine wave of both groups: the angles reduced group by group
// in doubles, then the series and the bounds for both at once.
__attribute__((always_inline)) inline void sine_wave(const Doubles (&pos)[GROUPS],
                                                     WaveLanes (&s)[GROUPS],
                                                     const lanes::FloatPairs &a, int k)
{
    static_assert(GROUPS == 2, "a pair of groups");
    Floats r[GROUPS];
    lanes::FloatBits quarter[GROUPS];
    for (int g = 0; g < GROUPS; ++g)
        sine_detail::reduce_single<Doubles, Bits>((pos[g] + s[g].ph) * vco_detail::TWO_PI_APPROX,
                                                  r[g], quarter[g]);
    lanes::FloatPairs both_r, sine;
    lanes::FloatBitPairs both_quarter;
    lanes::join(r[0], r[1], both_r);
    lanes::join(quarter[0], quarter[1], both_quarter);
    sine_detail::single_series(both_r, both_quarter, sine);
    lanes::FloatPairs v = sine * a;
    bounded(v);
    lanes::split(v, s[0].frames[k], s[1].frames[k]);
}

// run_frames without inputs, frame after frame, the groups side by side: each
// frame's position needs the last one, and the groups' chains overlap.
template <int WAVE>
__attribute__((always_inline)) inline void run_wave(WaveLanes (&s)[GROUPS], int n)
{
    const Floats minus_one = Floats{} - 1.0f;
    // The positions, kept as the floats they are and as the doubles they
    // widen to.
    Doubles a[GROUPS], pos[GROUPS];
    Floats at[GROUPS];
    for (int g = 0; g < GROUPS; ++g) {
        convert(s[g].a, a[g]);
        at[g] = s[g].at;
        convert(at[g], pos[g]);
    }
    lanes::FloatPairs both_a;
    lanes::join(s[0].a, s[1].a, both_a);
    for (int k = 0; k < n; ++k) {
        for (int g = 0; g < GROUPS; ++g) {
            pos[g] = pos[g] + s[g].step;
            convert(pos[g], at[g]);
            at[g] = at[g] > 1.0f ? minus_one : at[g];
            convert(at[g], pos[g]);
            if constexpr (WAVE != SIN) {
                Floats v;
                wave_shape<WAVE>(pos[g], s[g], a[g], v);
                bounded(v);
                s[g].frames[k] = v;
            }
        }
        if constexpr (WAVE == SIN)
            sine_wave(pos, s, both_a, k);
    }
    for (int g = 0; g < GROUPS; ++g) {
        s[g].at = at[g];
        lanes::scatter(s[g].frames, s[g].out, s[g].count, n);
    }
}

LANES_FOR_EACH_WIDTH void run_lanes(int wave, WaveLanes (&s)[GROUPS], int n)
{
    switch (wave) {
    case SIN: run_wave<SIN>(s, n); break;
    case TRI: run_wave<TRI>(s, n); break;
    case SAW: run_wave<SAW>(s, n); break;
    case SQR: run_wave<SQR>(s, n); break;
    default: run_wave<PULSE>(s, n); break;
    }
}

} // namespace

void VCO::run_wave_lanes(VCO *const *v, int count, int from, int to)
{
    WaveLanes groups[GROUPS];
    for (int g = 0; g < GROUPS; ++g)
        groups[g].count = lanes::in_group(count, g);
    for (int i = 0; i < WAVE_LANES; ++i) {
        WaveLanes &s = groups[i / lanes::COUNT];
        const int j = i % lanes::COUNT;
        VCO *o = i < count ? v[i] : nullptr;
        s.out[j] = o ? o->history.frames + 1 + from : nullptr;
        s.at[j] = o ? o->position : 0.0f;
        s.a[j] = o ? (o->amplitude > 1.0f ? 1.0f : o->amplitude) : 0.0f;
        s.ph[j] = o ? o->phase : 0.0f;
        s.pw[j] = o ? o->pulse_width : 0.0f;
        s.step[j] = o ? o->phase_step(o->frequency) : 0.0;
    }
    const int n = to - from;
    run_lanes(v[0]->type, groups, n);
    for (int i = 0; i < count; ++i) {
        const WaveLanes &s = groups[i / lanes::COUNT];
        v[i]->position = s.at[i % lanes::COUNT];
        v[i]->value = s.out[i % lanes::COUNT][n - 1];
    }
}

VCO::VCO(float amplitude_, float frequency_, type_generateur type_)
    : OUTPUT(0.0f), INPUT(), INPUT_GATE(nullptr), INPUT_SYNC(nullptr), power(1), mod_phase(nullptr),
      mod_frequency(nullptr), mod_amplitude(nullptr), mod_pulse_width(nullptr), position(0.0f),
      phase((float)(std::rand() % 360)), amplitude(amplitude_), frequency(frequency_),
      pulse_width(DEFAULT_PULSE_WIDTH), held_noise(0.0f), type(type_), latched_phase(nullptr),
      latched_frequency(nullptr), latched_amplitude(nullptr), latched_pulse_width(nullptr),
      connected(false), step_key(0), step(0.0), pitch_key(0), pitched(0.0f),
      noise_state(noise_seed())
{
    std::strcpy(name, "Emptynamed_VCO");
}

VCO::~VCO()
{
    delete mod_phase.get();
    delete mod_frequency.get();
    delete mod_amplitude.get();
    delete mod_pulse_width.get();
}
