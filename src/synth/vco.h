// Oscillator: six waveforms with pitch input, modulation and hard sync.
// Audio thread: latch_inputs(), run(), evolue(); the constructor and the
// destructor run on the main thread.
#pragma once

#include <cstdint>
#include <cstdio>

#include "synth/lanes.h"
#include "synth/ports.h"

// Any int is a valid waveform number: the ones not listed play silence.
enum type_generateur : int { NONE = 0, SIN = 1, TRI = 2, SAW = 3, SQR = 4, NOISE = 5, PULSE = 6 };

class VCO : public OUTPUT, public INPUT, public INPUT_GATE, public INPUT_SYNC {
public:
    int power;
    // Separately allocated modulation inputs, owned by the oscillator once
    // connected; null = not connected. Change them only through
    // connect_modulation (ports.h) while the sound plays.
    MOD_SLOT mod_phase;
    MOD_SLOT mod_frequency;
    MOD_SLOT mod_amplitude;
    MOD_SLOT mod_pulse_width;
    char name[80];
    float position; // phase accumulator, -1.0 .. 1.0 over one cycle
    float phase;    // phase offset in cycles
    float amplitude;
    float frequency;
    float pulse_width;
    static constexpr float DEFAULT_PULSE_WIDTH = 0.1f;
    float held_noise; // noise magnitude held for one cycle
    type_generateur type;
    // How many oscillators of one waveform run_alike computes side by side:
    // two groups of lanes.
    static constexpr int WAVE_LANES = 2 * lanes::COUNT;

    VCO(float amplitude, float frequency, type_generateur type);
    virtual ~VCO();
    VCO(const VCO &) = delete;
    VCO &operator=(const VCO &) = delete;

    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches pitch, sync, modulation slots.
    inline void latch_inputs(int reader);
    inline void run(int from, int to);
    // A whole sub-block of n frames of each of `count` oscillators, none
    // hearing another (GENERATOR::evaluate).
    static inline void run_alike(VCO *const *oscillators, int count, int n);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

protected:
    // The values the modulation slots point at, as last latched (null when
    // empty or unplugged).
    const float *latched_phase;
    const float *latched_frequency;
    const float *latched_amplitude;
    const float *latched_pulse_width;

private:
    // True when latch_inputs() found any connection at all: an oscillator
    // with none runs without testing them sample by sample.
    bool connected;
    // The phase step of the last frequency, kept while the frequency repeats
    // (bit for bit) so that the division is made only when it changes.
    uint32_t step_key;
    double step;
    // The pitch-scaled frequency of the last (pitch, frequency) pair, kept in
    // the same way (the bits of both in one key; 0.0 and 0.0 give 0.0).
    uint64_t pitch_key;
    float pitched;
    // The oscillator's own noise generator: lock-free, 31-bit values like
    // the C library's rand().
    uint64_t noise_state;
    template <int WAVE> inline void run_wave(int from, int to);
    template <int WAVE, bool Connected> inline void run_frames(int from, int to);
    template <int WAVE> static inline float shape(double pos, float a, float ph, float pw);
    template <int WAVE> inline void run_unconnected(int from, int to);
    inline bool sine_stays_near(int n);
    // Up to WAVE_LANES unconnected oscillators of one waveform, not the
    // noise, and for the sine and the square only those whose sines stay
    // near (sine_stays_near), side by side: the same steps as run_frames for
    // each, taken in vector registers (vco.cpp).
    static void run_wave_lanes(VCO *const *v, int count, int from, int to);
    inline double phase_step(float f);
    inline float pitched_frequency(float pitch);
    inline int noise();
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include <climits>
#include <cmath>
#include <cstring>

#include "synth/sample_rate.h"
#include "synth/sine.h"

namespace vco_detail {

constexpr double TWO_PI_APPROX = 6.2831853; // the oscillator's own 2*pi

// Scales a parameter by (1 + m), rounded to single precision.
inline float scale_by(float p, float m) { return (float)(p * (double)m + p); }

// The bound of the noise magnitude, a * 32767 + 1 truncated toward zero. A
// product below the int range gives the lowest int, as the processor's own
// conversion does, instead of undefined behaviour. (a is at most 1 here.)
inline int noise_divisor(float a)
{
    const double d = a * 32767.0 + 1.0;
    return d > (double)INT_MIN - 1.0 ? (int)d : INT_MIN;
}

} // namespace vco_detail

inline double VCO::phase_step(float f)
{
    uint32_t key;
    std::memcpy(&key, &f, sizeof key);
    if (key != step_key) {
        step_key = key;
        step = f / (double)SAMPLE_RATE;
    }
    return step;
}

// The frequency scaled by a pitch input: f * pitch / 44 (44 Hz plays the
// frequency itself).
inline float VCO::pitched_frequency(float pitch)
{
    uint32_t p, f;
    std::memcpy(&p, &pitch, sizeof p);
    std::memcpy(&f, &frequency, sizeof f);
    const uint64_t key = (uint64_t)p << 32 | f;
    if (key != pitch_key) {
        pitch_key = key;
        pitched = (float)(((double)pitch * frequency) / 44.0);
    }
    return pitched;
}

// xorshift64*, its top 31 bits.
inline int VCO::noise()
{
    noise_state ^= noise_state >> 12;
    noise_state ^= noise_state << 25;
    noise_state ^= noise_state >> 27;
    return (int)((noise_state * 0x2545F4914F6CDD1DULL) >> 33);
}

inline void VCO::latch_inputs(int reader)
{
    INPUT::latch(reader);
    INPUT_SYNC::latch(reader);
    latched_phase = latch_modulation(mod_phase, reader);
    latched_frequency = latch_modulation(mod_frequency, reader);
    latched_amplitude = latch_modulation(mod_amplitude, reader);
    latched_pulse_width = latch_modulation(mod_pulse_width, reader);
    connected = INPUT::latched || INPUT_SYNC::latched || latched_phase || latched_frequency ||
                latched_amplitude || latched_pulse_width;
}

SYNTH_INLINE void VCO::run(int from, int to)
{
    if (power == 0) {
        for (int k = from; k < to; ++k)
            history.store(k, 0.0f);
        value = 0.0f;
        return;
    }
    switch (type) {
    case SIN: run_wave<SIN>(from, to); break;
    case TRI: run_wave<TRI>(from, to); break;
    case SAW: run_wave<SAW>(from, to); break;
    case SQR: run_wave<SQR>(from, to); break;
    case NOISE: run_wave<NOISE>(from, to); break;
    case PULSE: run_wave<PULSE>(from, to); break;
    default: run_wave<NONE>(from, to); break;
    }
}

template <int WAVE> SYNTH_INLINE void VCO::run_wave(int from, int to)
{
    if (connected || WAVE == NOISE) {
        if (connected)
            run_frames<WAVE, true>(from, to);
        else
            run_frames<WAVE, false>(from, to);
        return;
    }
    run_unconnected<WAVE>(from, to);
}

// The wave at a position of the cycle (-1 .. 1), for every waveform but the
// noise, which has a state of its own.
template <int WAVE> SYNTH_INLINE float VCO::shape(double pos, float a, float ph, float pw)
{
    using namespace vco_detail;
    switch (WAVE) {
    case SIN:
        return sine_single((pos + ph) * TWO_PI_APPROX) * a;
    case TRI: {
        // 2a|pos| - a over -1 .. 1 (-(2a*pos) below 0 is 2a*|pos| exactly);
        // a position below -1, left by a negative frequency, gives -a.
        const double t = pos >= -1.0 ? 2.0 * a * std::fabs(pos) : 0.0;
        return (float)(t - a);
    }
    case SAW:
        return (float)(a * pos);
    case SQR: {
        // Picked from a table rather than by branches: the level changes
        // four times a cycle, too irregularly across oscillators to predict.
        const float levels[] = {-a, 0.0f, a};
        return levels[sine_beyond_half((pos + ph) * TWO_PI_APPROX) + 1];
    }
    case PULSE: {
        // From a table too: the comparison flips twice a cycle.
        const float levels[] = {-a, a};
        return levels[(pos + ph) <= pw];
    }
    default:
        return 0.0f;
    }
}

// Within [-1, 1].
inline float vco_detail_bounded(float v)
{
    if (v >= 1.0f)
        v = 1.0f;
    if (v <= -1.0f)
        v = -1.0f;
    return v;
}

template <int WAVE, bool Connected> SYNTH_INLINE void VCO::run_frames(int from, int to)
{
    using namespace vco_detail;
    float *out = history.frames + 1;
    // The running phase in a local for the loop; parameters as they are now.
    float at = position;
    for (int k = from; k < to; ++k) {
        float a = amplitude;
        float f = frequency;
        float ph = phase;
        float pw = pulse_width;

        if (Connected) {
            if (sync_arrived(k))
                at = 0.0f;
            if (const float *pitch = INPUT::latched)
                f = pitched_frequency(pitch[k]);
            if (latched_amplitude)
                a = scale_by(a, latched_amplitude[k]);
            if (latched_frequency)
                f = scale_by(f, latched_frequency[k]);
            if (latched_phase)
                ph = scale_by(ph, latched_phase[k]);
            if (latched_pulse_width)
                pw = scale_by(pw, latched_pulse_width[k]);
        }

        if (a > 1.0f)
            a = 1.0f;

        at = (float)(at + phase_step(f));
        if (at > 1.0f)
            at = -1.0f;

        float v;
        if (WAVE != NOISE) {
            v = shape<WAVE>(at, a, ph, pw);
        } else if (a == 0.0f || std::isnan(a)) {
            // A NaN amplitude (from a patch file or a modulation) is silence.
            v = 0.0f;
        } else {
            if (at == -1.0f) {
                // A new magnitude once per cycle. Amplitudes between -2/32767
                // and 0 give a divisor of 0: the noise then falls silent for
                // the cycle.
                const int d = noise_divisor(a);
                held_noise = d != 0 ? (float)(noise() % d) : 0.0f;
            }
            if (noise() % 2 == 1)
                held_noise = -held_noise;
            v = (float)(held_noise / 32676.0);
        }
        out[k] = vco_detail_bounded(v);
    }
    position = at;
    value = out[to - 1];
}

// An unconnected oscillator of one waveform (not the noise): the same steps
// as run_frames, without testing the inputs frame by frame.
template <int WAVE> SYNTH_INLINE void VCO::run_unconnected(int from, int to)
{
    using namespace vco_detail;
    float *out = history.frames + 1;
    float at = position;
    const float a = amplitude > 1.0f ? 1.0f : amplitude;
    const double step = phase_step(frequency);
    for (int k = from; k < to; ++k) {
        at = (float)(at + step);
        if (at > 1.0f)
            at = -1.0f;
        out[k] = vco_detail_bounded(shape<WAVE>(at, a, phase, pulse_width));
    }
    position = at;
    value = out[to - 1];
}

// Whether every angle of its sine over the next n frames stays where sine()
// computes it without the library (the phase and the position bound it).
inline bool VCO::sine_stays_near(int n)
{
    const double reach = std::fabs((double)phase) + std::fabs((double)position) + 1.0 +
                         n * std::fabs(phase_step(frequency));
    return reach * vco_detail::TWO_PI_APPROX < sine_detail::LIMIT / 2;
}

inline void VCO::run_alike(VCO *const *oscillators, int count, int n)
{
    constexpr int WAVES = PULSE + 1;
    VCO *waiting[WAVES][WAVE_LANES];
    int waiting_count[WAVES] = {};
    for (int i = 0; i < count; ++i) {
        VCO *o = oscillators[i];
        const int w = o->type;
        if (o->power == 0 || o->connected || w < SIN || w > PULSE || w == NOISE ||
            ((w == SIN || w == SQR) && !o->sine_stays_near(n))) {
            o->run(0, n);
            continue;
        }
        waiting[w][waiting_count[w]++] = o;
        if (waiting_count[w] == WAVE_LANES) {
            run_wave_lanes(waiting[w], WAVE_LANES, 0, n);
            waiting_count[w] = 0;
        }
    }
    for (int w = SIN; w < WAVES; ++w) {
        if (lanes::worth_lanes(waiting_count[w], WAVE_LANES))
            run_wave_lanes(waiting[w], waiting_count[w], 0, n);
        else
            for (int i = 0; i < waiting_count[w]; ++i)
                waiting[w][i]->run(0, n);
    }
}
