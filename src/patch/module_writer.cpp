#include <climits>
#include <cmath>
#include <cstdio>

#include "synth/generator.h"

namespace {

// The whole part of a float for an integer field; a value no int holds
// (not a number, or beyond the int range) is written as 0 or the nearest
// limit instead of being converted blindly.
int whole_part(float v)
{
    if (std::isnan(v))
        return 0;
    if (v >= (float)INT_MAX)
        return INT_MAX;
    if (v <= (float)INT_MIN)
        return INT_MIN;
    return (int)v;
}

template <typename Module> void write_all(const std::vector<Module *> &list, FILE *file)
{
    for (Module *m : list)
        m->write_desc_to_file(file);
}

} // namespace

int GENERATOR::save_QSY(FILE *file)
{
    std::fprintf(file, "BEGIN_OBJECTS_DECLARE\n\n");
    write_all(oscillators, file);
    write_all(amplifiers, file);
    write_all(mixers, file);
    write_all(sequencers, file);
    write_all(filters, file);
    write_all(keyboards, file);
    write_all(samplers, file);
    std::fprintf(file, "END_OBJECTS_DECLARE\n\n");
    return 1;
}

void VCO::write_desc_to_file(FILE *f)
{
    std::fprintf(f, "%s;TYPE=%d;FREQ=%f;AMOUNT=%3.2f;PHASE=%d;\n", name, (int)type, frequency,
                 amplitude, whole_part(phase));
}

void VCA::write_desc_to_file(FILE *f)
{
    std::fprintf(f, "%s;BYPASS=%d;ATTACK=%f;DECAY=%f;SUSTAIN=%f;RELEASE=%f;INVERT=%d;\n", name,
                 bypass, attack, decay, sustain, release, invert);
}

void MIXER::write_desc_to_file(FILE *f) { std::fprintf(f, "%s;;\n", name); }

void KEYBOARD::write_desc_to_file(FILE *f) { std::fprintf(f, "%s;;\n", name); }

// Always the 32 steps of pattern 0, whatever the step count: the other
// patterns are not saved.
void SEQUENCER::write_desc_to_file(FILE *f)
{
    constexpr int SAVED_STEPS = 32;
    std::fprintf(f, "%s;*DIVIDER=%f;NBR_STEP=%d;", name, divider, step_count);
    for (int s = 0; s < SAVED_STEPS; ++s)
        std::fprintf(f, "NOTE_%03d_%03d=%02d;", 0, s, octave[0][s] * 12 + note[0][s]);
    for (int s = 0; s < SAVED_STEPS; ++s)
        std::fprintf(f, "VOLUME_%03d_%03d=%03.3f;", 0, s, volume[0][s]);
    for (int s = 0; s < SAVED_STEPS; ++s)
        std::fprintf(f, "LENGHT_%03d_%03d=%03.3f;", 0, s, length[0][s]);
    for (int s = 0; s < SAVED_STEPS; ++s)
        std::fprintf(f, "BYPASS_%03d_%03d=%01d;", 0, s, bypass[0][s]);
    std::fprintf(f, "\n");
}

// BYPASS keeps the filter's switch across a save and a reload.
void PCF::write_desc_to_file(FILE *f)
{
    std::fprintf(f, "%s;HICUT=%d;Q=%f;GAIN=%f;TYPE=%d;BYPASS=%d;\n", name, cut_off, q, gain, type,
                 bypass);
}

void SAMPLER::write_desc_to_file(FILE *f) { std::fprintf(f, "%s;FILE=%s;\n", name, file); }
