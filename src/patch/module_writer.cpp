#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "patch/patch_sections.h"
#include "synth/generator.h"

namespace {

// A number as a key's usual format writes it ("%f", "%3.2f", "%.0f"), when
// the reader gets the same float back from that text; otherwise with the
// nine significant digits that always give it back. A value without a
// reading (not a number, an infinity) is written 0.
struct NUMBER {
    char text[64];
    NUMBER(float v, const char *usual = "%f")
    {
        if (!std::isfinite(v)) {
            std::snprintf(text, sizeof text, "0");
            return;
        }
        std::snprintf(text, sizeof text, usual, v);
        if ((float)std::atof(text) != v)
            std::snprintf(text, sizeof text, "%.9g", v);
    }
};

template <typename Module> void write_all(const MODULE_LIST<Module> &list, FILE *file)
{
    // The reader puts each module at the front of its list: written from the
    // back, a patch reads back in the order it plays.
    for (auto m = list.items().rbegin(); m != list.items().rend(); ++m)
        (*m)->write_desc_to_file(file);
}

// Steps 0 to 31 of one pattern: notes, volumes, lengths, then skips.
constexpr int SAVED_STEPS = 32;

void write_steps(FILE *f, const SEQUENCER &s, int p)
{
    for (int i = 0; i < SAVED_STEPS; ++i)
        std::fprintf(f, "NOTE_%03d_%03d=%02d;", p, i, s.octave[p][i] * 12 + s.note[p][i]);
    for (int i = 0; i < SAVED_STEPS; ++i)
        std::fprintf(f, "VOLUME_%03d_%03d=%s;", p, i, NUMBER(s.volume[p][i], "%03.3f").text);
    for (int i = 0; i < SAVED_STEPS; ++i)
        std::fprintf(f, "LENGHT_%03d_%03d=%s;", p, i, NUMBER(s.length[p][i], "%03.3f").text);
    for (int i = 0; i < SAVED_STEPS; ++i)
        std::fprintf(f, "BYPASS_%03d_%03d=%01d;", p, i, s.bypass[p][i]);
}

// Whether a pattern holds anything but what a new sequencer holds.
bool edited(const SEQUENCER &s, int p)
{
    using D = SEQUENCER::STEP_DEFAULTS;
    for (int i = 0; i < SAVED_STEPS; ++i)
        if (s.note[p][i] != D::NOTE || s.octave[p][i] != D::OCTAVE || s.volume[p][i] != D::VOLUME ||
            s.length[p][i] != D::LENGTH || s.bypass[p][i] != D::SKIP)
            return true;
    return false;
}

// The keys a module has beyond its fixed ones, each "KEY=VALUE;". Only
// settings that differ from a new module's are written, so a module left as
// it was reads as before in any build.
struct EXTRA_KEYS {
    std::string text;
    void add(const char *key, const char *value) { text += std::string(key) + "=" + value + ";"; }
    void add(const char *key, int value) { add(key, std::to_string(value).c_str()); }
    // "POWER=0;" for a module switched off.
    void power(int power)
    {
        if (power == 0)
            add("POWER", 0);
    }
};

// The declaration of a module without fixed keys: "NAME;;" when it has no
// extra keys either, as every build writes and reads it.
void write_bare(FILE *f, const char *name, const EXTRA_KEYS &keys)
{
    std::fprintf(f, "%s;%s\n", name, keys.text.empty() ? ";" : keys.text.c_str());
}

} // namespace

int GENERATOR::save_QSY(FILE *file) const
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

void write_pattern_section(const GENERATOR &g, FILE *file)
{
    std::fprintf(file, "BEGIN_PATTERNS_DECLARE\n");
    for (auto m = g.sequencers.items().rbegin(); m != g.sequencers.items().rend(); ++m) {
        for (int p = 1; p < SEQUENCER::PLAYABLE_PATTERNS; ++p) {
            if (!edited(**m, p))
                continue;
            std::fprintf(file, "%s;", (*m)->name);
            write_steps(file, **m, p);
            std::fprintf(file, "\n");
        }
    }
    std::fprintf(file, "END_PATTERNS_DECLARE\n");
}

void VCO::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    if (pulse_width != DEFAULT_PULSE_WIDTH)
        keys.add("PWM", NUMBER(pulse_width).text);
    keys.power(power);
    std::fprintf(f, "%s;TYPE=%d;FREQ=%s;AMOUNT=%s;PHASE=%s;%s\n", name, (int)type,
                 NUMBER(frequency).text, NUMBER(amplitude, "%3.2f").text,
                 NUMBER(phase, "%.0f").text, keys.text.c_str());
}

void VCA::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    keys.power(power);
    std::fprintf(f, "%s;ATTACK=%s;DECAY=%s;SUSTAIN=%s;RELEASE=%s;INVERT=%d;%s\n", name,
                 NUMBER(attack).text, NUMBER(decay).text, NUMBER(sustain).text,
                 NUMBER(release).text, invert, keys.text.c_str());
}

// The channels whose gain is not 1 (LEVEL_nn) or that are muted (MUTE_nn),
// by their file numbers.
void MIXER::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    for (int c = 0; c < CHANNELS; ++c) {
        const int number = file_number(c);
        if (number == 0)
            continue;
        char key[24];
        std::snprintf(key, sizeof key, "LEVEL_%02d", number);
        if (gain[c] != 1.0f)
            keys.add(key, NUMBER(gain[c]).text);
        std::snprintf(key, sizeof key, "MUTE_%02d", number);
        if (bypass[c] == 1.0f)
            keys.add(key, 1);
    }
    keys.power(power);
    write_bare(f, name, keys);
}

void KEYBOARD::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    if (octave != DEFAULT_OCTAVE)
        keys.add("OCTAVE", octave);
    keys.power(power);
    write_bare(f, name, keys);
}

// The 32 steps of pattern 0, whatever the step count; the other patterns
// that were edited go to the pattern section (write_pattern_section), so that
// the line stays short enough for any reader. The divider written is the one
// asked for last, the pattern the one chosen last.
void SEQUENCER::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    if (wished_pattern != 0)
        keys.add("PATTERN", wished_pattern);
    keys.power(power);
    std::fprintf(f, "%s;*DIVIDER=%s;NBR_STEP=%d;", name, NUMBER(wished_divider).text, step_count);
    write_steps(f, *this, 0);
    std::fprintf(f, "%s\n", keys.text.c_str());
}

// GAIN is read before AMOUNT: the level written after it is the one kept.
void PCF::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    keys.power(power);
    std::fprintf(f, "%s;HICUT=%d;Q=%s;GAIN=%s;TYPE=%d;BYPASS=%d;AMOUNT=%s;%s\n", name, cut_off,
                 NUMBER(q).text, NUMBER(gain).text, type, bypass, NUMBER(level).text,
                 keys.text.c_str());
}

// A sampler without a recording has no FILE key: an empty one would not read
// back. Tune and volume are written when they differ from a new sampler's.
void SAMPLER::write_desc_to_file(FILE *f)
{
    EXTRA_KEYS keys;
    if (file[0] != '\0')
        keys.add("FILE", file);
    if (tune != DEFAULT_TUNE)
        keys.add("TUNE", NUMBER(tune).text);
    if (volume != DEFAULT_VOLUME)
        keys.add("VOLUME", NUMBER(volume).text);
    keys.power(power);
    write_bare(f, name, keys);
}
