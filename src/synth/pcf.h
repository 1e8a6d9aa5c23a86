// Filter: one biquad section with eight response types.
// Audio thread: latch_inputs(), run(), evolue(), FilterCell(); the rest on
// the main thread.
#pragma once

#include <cstdio>

#include "synth/lanes.h"
#include "synth/ports.h"

class PCF : public OUTPUT, public INPUT, public INPUT_GATE, public INPUT_SYNC {
public:
    // One biquad cell: history, coefficients divided by a0, and the
    // parameters they were computed for.
    struct Cell {
        double x1, x2, y1, y2;
        double r, a1, a2, b0, b1, b2;
        double key_frequency, key_q, key_gain;
        unsigned long key_type;
        bool key_valid;
    };

    int power;
    // Modulation inputs as the oscillator's (see VCO): phase (connected,
    // not read), cut-off frequency and mix. Change them only through
    // connect_modulation (ports.h) while the sound plays.
    MOD_SLOT mod_phase;
    MOD_SLOT mod_frequency;
    MOD_SLOT mod_amplitude;
    char name[800];
    float mix;
    int type;
    int bypass;
    int cut_off;
    float gain; // dB
    float level;
    float q;
    Cell cell;
    // How many steady filters run_alike computes side by side: two groups
    // of lanes.
    static constexpr int STEADY_LANES = 2 * lanes::COUNT;

    PCF();
    virtual ~PCF();
    PCF(const PCF &) = delete;
    PCF &operator=(const PCF &) = delete;

    void set_HiCutOff(int hz);
    int set_HiCutOff_Lower(); // raises the cut-off by 100 Hz
    // One sample: 0 when switched off or without input, the input when bypassed, otherwise the
    // cell's output scaled by (1 + level) and mixed with the dry input; always
    // within [-1, 1]. Types: 0 none, 1 low-pass, 2 high-pass, 3 band-pass,
    // 4 notch, 5 low shelf, 6 high shelf, 7 peaking; above 7 plays as 0, below
    // 0 as 7.
    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches audio input, cut-off and mix modulation.
    inline void latch_inputs(int reader);
    inline void run(int from, int to);
    // A whole sub-block of n frames of each of `count` filters, none hearing
    // another (GENERATOR::evaluate).
    static inline void run_alike(PCF *const *filters, int count, int n);
    // Runs the cell on one input sample (types as in evolue). Parameters
    // without a usable response (Q <= 0, cut-off below 1 Hz or at or above
    // 22050 Hz, coefficients or an output that overflow) give 0 and clear the
    // history, so the filter restarts clean once they are usable again.
    inline double FilterCell(unsigned long cell_number, double x, double freq, double q,
                             double gain_db, unsigned long type);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
    // Whether the cell's coefficients are those of the parameters (a valid
    // cache key was usable when it was set).
    bool cached(double freq, double q_, double gain_db, unsigned long type_) const
    {
        return cell.key_valid && freq == cell.key_frequency && q_ == cell.key_q &&
               gain_db == cell.key_gain && type_ == cell.key_type;
    }
    // Running its cell with coefficients that hold for the whole run: on,
    // with an input, not bypassed, its cut-off unmodulated and its
    // coefficients those of its parameters.
    bool steady() const
    {
        return power != 0 && INPUT::latched && !bypass && !latched_frequency && type >= 1 &&
               type <= 7 && cached((float)cut_off, q, gain, (unsigned long)type);
    }
    // run() while steady().
    inline void run_steady(int from, int to);
    // run_steady() of up to STEADY_LANES filters side by side, several
    // frames of them at a time in the vector registers (pcf.cpp).
    static void run_steady_lanes(PCF *const *f, int count, int from, int to);
    // The values the cut-off and mix slots point at, as last latched.
    const float *latched_frequency;
    const float *latched_mix;
    // Makes the cell's coefficients those of the parameters, which differ
    // from its cache key; false (history cleared) when they give no usable
    // response.
    bool set_coefficients(double freq, double q, double gain_db, unsigned long type);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include <cmath>

inline void PCF::latch_inputs(int reader)
{
    INPUT::latch(reader);
    latched_frequency = latch_modulation(mod_frequency, reader);
    latched_mix = latch_modulation(mod_amplitude, reader);
}

// The output of one frame made safe: a NaN from the input or the modulation
// becomes silence; infinities are caught by the clamp.
inline float pcf_detail_bounded(float v)
{
    v = std::isnan(v) ? 0.0f : v;
    v = v > 1.0f ? 1.0f : v;
    return v < -1.0f ? -1.0f : v;
}

SYNTH_INLINE void PCF::run(int from, int to)
{
    float *out = history.frames + 1;
    const float *in = INPUT::latched;
    if (power == 0 || !in) {
        // Switched off or without an input: silence.
        for (int k = from; k < to; ++k)
            out[k] = 0.0f;
    } else if (bypass) {
        for (int k = from; k < to; ++k)
            out[k] = pcf_detail_bounded(in[k]);
    } else if (steady()) {
        run_steady(from, to);
    } else {
        // A type out of range plays as the nearest end wraps it; the field
        // is the panel's alone to write.
        const int t = type > 7 ? 0 : type < 0 ? 7 : type;
        for (int k = from; k < to; ++k) {
            float m = mix;
            if (const float *mod = latched_mix)
                m = m + m * mod[k];
            float f = (float)cut_off;
            if (const float *mod = latched_frequency)
                f = f + f * mod[k];
            const float x = in[k];
            float v = 0.0f;
            if (x != 0.0f) {
                float y = (float)FilterCell(0, x, f, q, gain, (unsigned long)t);
                y = y * level + y;
                v = y * m + (1.0f - m) * x;
            }
            out[k] = pcf_detail_bounded(v);
        }
    }
    value = out[to - 1];
}

// One frame of a biquad whose coefficients hold for the run: its history
// moves on by the input x, the same sums in the same order as FilterCell's,
// unless x is exactly 0, where the filter rests and gives silence. A sum that
// is not finite clears the history and gives 0. The output is raised by
// (1 + level), mixed with the dry input by m and bounded. D and F are double
// and float for one filter, or vectors of them for filters side by side
// (run_steady_lanes), which then take the very same steps, lane by lane.
// Written without branches for those.
template <typename D, typename F>
SYNTH_INLINE void pcf_detail_steady_frame(const D &b0, const D &b1, const D &b2, const D &a1,
                                          const D &a2, D &x1, D &x2, D &y1, D &y2, const F &x,
                                          const F &m, const F &level, F &out)
{
    const D zero{};
    const F zero_f{}, one_f = zero_f + 1.0f, minus_one_f = zero_f - 1.0f;
    D xd;
    lanes::convert(x, xd);
    const auto heard = xd != zero;
    D y = b0 * xd + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    const auto finite = y - y == zero;
    y = finite ? y : zero;
    const D moved_x2 = finite ? x1 : zero, moved_x1 = finite ? xd : zero,
            moved_y2 = finite ? y1 : zero;
    x2 = heard ? moved_x2 : x2;
    x1 = heard ? moved_x1 : x1;
    y2 = heard ? moved_y2 : y2;
    y1 = heard ? y : y1;
    F yf;
    lanes::convert(y, yf);
    yf = yf * level + yf;
    // As pcf_detail_bounded.
    F v = x != zero_f ? yf * m + (1.0f - m) * x : zero_f;
    v = v == v ? v : zero_f;
    v = v > 1.0f ? one_f : v;
    out = v < -1.0f ? minus_one_f : v;
}

SYNTH_INLINE void PCF::run_steady(int from, int to)
{
    float *out = history.frames + 1;
    const float *in = INPUT::latched;
    Cell &c = cell;
    for (int k = from; k < to; ++k) {
        const float m = latched_mix ? mix + mix * latched_mix[k] : mix;
        pcf_detail_steady_frame(c.b0, c.b1, c.b2, c.a1, c.a2, c.x1, c.x2, c.y1, c.y2, in[k], m,
                                level, out[k]);
    }
}

inline void PCF::run_alike(PCF *const *filters, int count, int n)
{
    PCF *steady[STEADY_LANES];
    int waiting = 0;
    for (int i = 0; i < count; ++i) {
        PCF *p = filters[i];
        if (!p->steady()) {
            p->run(0, n);
            continue;
        }
        steady[waiting++] = p;
        if (waiting == STEADY_LANES) {
            run_steady_lanes(steady, waiting, 0, n);
            waiting = 0;
        }
    }
    if (lanes::worth_lanes(waiting, STEADY_LANES))
        run_steady_lanes(steady, waiting, 0, n);
    else
        for (int i = 0; i < waiting; ++i)
            steady[i]->run(0, n);
}

inline double PCF::FilterCell(unsigned long, double x, double freq, double q_, double gain_db,
                              unsigned long type_)
{
    Cell &c = cell;
    double y;
    if (type_ == 0) {
        y = x;
    } else {
        if (!cached(freq, q_, gain_db, type_) && !set_coefficients(freq, q_, gain_db, type_))
            return 0.0;
        y = c.b0 * x + c.b1 * c.x1 + c.b2 * c.x2 - c.a1 * c.y1 - c.a2 * c.y2;
    }
    if (!std::isfinite(y)) {
        c.x1 = c.x2 = c.y1 = c.y2 = 0.0;
        return 0.0;
    }
    c.y2 = c.y1;
    c.y1 = y;
    c.x2 = c.x1;
    c.x1 = x;
    return y;
}
