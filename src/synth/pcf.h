// Filter: one biquad section with eight response types.
// Audio thread: latch_inputs(), tick(), evolue(), FilterCell(); the rest on
// the main thread.
#pragma once

#include <cstdio>

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
        tick(0);
        return 1;
    }
    // The module protocol of ports.h; latches audio input, cut-off and mix modulation.
    inline void latch_inputs(int reader);
    inline void tick(int k);
    // Runs the cell on one input sample (types as in evolue). Parameters
    // without a usable response (Q <= 0, cut-off below 1 Hz or at or above
    // 22050 Hz, coefficients or an output that overflow) give 0 and clear the
    // history, so the filter restarts clean once they are usable again.
    inline double FilterCell(unsigned long cell_number, double x, double freq, double q,
                             double gain_db, unsigned long type);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
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

SYNTH_INLINE void PCF::tick(int k)
{
    // Switched off or without an input: silence.
    float v = 0.0f;
    const float *in = INPUT::latched;
    if (power != 0 && in) {
        if (bypass) {
            v = in[k];
        } else {
            float m = mix;
            if (const float *mod = latched_mix)
                m = m + m * mod[k];
            float f = (float)cut_off;
            if (const float *mod = latched_frequency)
                f = f + f * mod[k];

            // A type out of range plays as the nearest end wraps it; the
            // field is the panel's alone to write.
            const int t = type > 7 ? 0 : type < 0 ? 7 : type;

            const float x = in[k];
            if (x == 0.0f) {
                v = 0.0f;
            } else {
                float y = (float)FilterCell(0, x, f, q, gain, (unsigned long)t);
                y = y * level + y;
                v = y * m + (1.0f - m) * x;
            }
        }
    }

    // A NaN from the input or the modulation becomes silence; infinities are
    // caught by the clamp.
    if (std::isnan(v))
        v = 0.0f;
    if (v > 1.0f)
        v = 1.0f;
    if (v < -1.0f)
        v = -1.0f;
    value = v;
}

inline double PCF::FilterCell(unsigned long, double x, double freq, double q_, double gain_db,
                              unsigned long type_)
{
    Cell &c = cell;
    double y;
    if (type_ == 0) {
        y = x;
    } else {
        // Parameters equal to a valid cache key were usable when it was set.
        const bool cached = c.key_valid && freq == c.key_frequency && q_ == c.key_q &&
                            gain_db == c.key_gain && type_ == c.key_type;
        if (!cached && !set_coefficients(freq, q_, gain_db, type_))
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
