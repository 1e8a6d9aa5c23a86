// Filter: one biquad section with eight response types.
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
    INPUT *mod_phase;
    INPUT *mod_frequency;
    INPUT *mod_amplitude;
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
    // One sample: 0 without input, the input when bypassed, otherwise the
    // cell's output scaled by (1 + level) and mixed with the dry input; always
    // within [-1, 1]. Types: 0 none, 1 low-pass, 2 high-pass, 3 band-pass,
    // 4 notch, 5 low shelf, 6 high shelf, 7 peaking; others wrap into range.
    int evolue() override;
    // Runs the cell on one input sample (types as in evolue). Parameters
    // without a usable response (Q <= 0, cut-off below 1 Hz or at or above
    // 22050 Hz, coefficients or an output that overflow) give 0 and clear the
    // history, so the filter restarts clean once they are usable again.
    double FilterCell(unsigned long cell_number, double x, double freq, double q, double gain_db,
                      unsigned long type);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};
