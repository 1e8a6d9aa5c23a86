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
    float gain;     // dB
    float level;
    float q;
    Cell cell;

    PCF();
    virtual ~PCF();
    PCF(const PCF &) = delete;
    PCF &operator=(const PCF &) = delete;

    void set_HiCutOff(int hz);
    int set_HiCutOff_Lower();
    int evolue() override;
    double FilterCell(unsigned long cell_number, double x, double freq, double q, double gain_db,
                      unsigned long type);
    void write_desc_to_file(FILE *f);
};
