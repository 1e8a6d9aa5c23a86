#include "patch/module_keys.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "patch/patch_fields.h"
#include "patch/sample_loader.h"
#include "synth/note2freq.h"

namespace {

// One KEY=VALUE field. The value is the text between the first "=" and the
// next one (or the end of the field).
class KEY_FIELD {
public:
    KEY_FIELD(const char *field, int line)
        : text(field), line(line), val(field_of(field, '=', 1)), reported(false)
    {
    }

    // True when the field holds the word and a value to read. A field that
    // holds a key word but no value is reported once and read as absent.
    bool has(const char *word)
    {
        if (!contains(text, word))
            return false;
        if (!val && !reported) {
            std::printf("Ligne %d: no value in field [%s], ignored\n", line, text);
            reported = true;
        }
        return val != nullptr;
    }

    const char *value() const { return val.get(); }
    int as_int() const { return std::atoi(val.get()); }
    // The integer part of the value, held within the int range.
    int whole() const
    {
        const double v = std::atof(val.get());
        return v != v ? 0 : v >= INT_MAX ? INT_MAX : v <= INT_MIN ? INT_MIN : (int)v;
    }
    float as_float() const { return (float)std::atof(val.get()); }
    const char *field() const { return text; }

private:
    const char *text;
    int line;
    FIELD val;
    bool reported;
};

// A note number fits NOTE2FREQ; one that does not is reported.
bool note_in_table(int n, int line)
{
    if (n >= 0 && n < NOTE2FREQ_SIZE)
        return true;
    std::printf("Ligne %d: note %d outside 0 to %d, ignored\n", line, n, NOTE2FREQ_SIZE - 1);
    return false;
}

bool digits(const char *text, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isdigit((unsigned char)text[i]))
            return false;
    return true;
}

// Where a sequencer step key points. Keys are WORD_ppp_sss (pattern, step,
// three digits each) or, where the short form is allowed, WORD_s or WORD_ss
// (a step of pattern 0).
struct STEP_REF {
    bool valid;
    int pattern;
    int step;
};

STEP_REF parse_step_key(const KEY_FIELD &kf, const char *word, bool short_form, int line)
{
    STEP_REF ref{false, 0, 0};
    FIELD key = field_of(kf.field(), '=', 0);
    const std::size_t w = std::strlen(word);
    const char *k = key ? key.get() : "";
    const std::size_t n = std::strlen(k);
    if (std::strncmp(k, word, w) == 0 && n > w && k[w] == '_') {
        const char *rest = k + w + 1;
        if (n == w + 8 && digits(rest, 3) && rest[3] == '_' && digits(rest + 4, 3)) {
            ref = {true, std::atoi(rest), std::atoi(rest + 4)};
        } else if (short_form && (n == w + 2 || n == w + 3) && digits(rest, (int)(n - w - 1))) {
            ref = {true, 0, std::atoi(rest)};
        }
    }
    if (!ref.valid)
        std::printf("Ligne %d: step key [%s] not understood, ignored\n", line, k);
    else if (ref.pattern >= SEQUENCER::PATTERNS || ref.step >= SEQUENCER::STEPS) {
        std::printf("Ligne %d: step key [%s] beyond pattern or step %d, ignored\n", line, k,
                    SEQUENCER::STEPS - 1);
        ref.valid = false;
    }
    return ref;
}

// The channel (from 0) that a mixer key WORDnn names, or -1 (reported) when
// the mixer has no such channel.
int mixer_channel(const char *field, const char *word, int line)
{
    const int c = std::atoi(std::strstr(field, word) + std::strlen(word)) - 1;
    if (c >= 0 && c < MIXER::CHANNELS)
        return c;
    std::printf("Ligne %d: mixer channel in [%s] outside 1 to %d, ignored\n", line, field,
                MIXER::CHANNELS);
    return -1;
}

type_generateur waveform_of(const char *value)
{
    if (value[0] >= '1' && value[0] <= '6')
        return (type_generateur)(value[0] - '0');
    return SIN;
}

} // namespace

std::string read_key(SEQUENCER *seq, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("DIVIDER")) {
        seq->divider = kf.as_float();
        seq->wished_divider = seq->divider;
    }
    if (kf.has("NBR_STEP"))
        seq->step_count = kf.as_int();
    if (kf.has("NOTE")) {
        const STEP_REF ref = parse_step_key(kf, "NOTE", false, line);
        const int n = kf.as_int();
        if (ref.valid && note_in_table(n, line)) {
            seq->octave[ref.pattern][ref.step] = n / 12;
            seq->note[ref.pattern][ref.step] = n - 12 * (n / 12);
        }
    }
    if (kf.has("BYPASS")) {
        const STEP_REF ref = parse_step_key(kf, "BYPASS", true, line);
        if (ref.valid)
            seq->bypass[ref.pattern][ref.step] = kf.as_int();
    }
    if (kf.has("VOLUME")) {
        const STEP_REF ref = parse_step_key(kf, "VOLUME", true, line);
        if (ref.valid)
            seq->volume[ref.pattern][ref.step] = kf.as_float();
    }
    if (kf.has("LENGHT")) {
        const STEP_REF ref = parse_step_key(kf, "LENGHT", true, line);
        if (ref.valid)
            seq->length[ref.pattern][ref.step] = kf.as_float();
    }
    if (kf.has("PATTERN")) {
        const int p = kf.as_int();
        if (p >= 0 && p < SEQUENCER::PLAYABLE_PATTERNS)
            seq->pattern = seq->wished_pattern = p;
        else
            std::printf("Ligne %d: pattern %d outside 0 to %d, ignored\n", line, p,
                        SEQUENCER::PLAYABLE_PATTERNS - 1);
    }
    if (kf.has("POWER"))
        seq->power = kf.as_int();
    return {};
}

std::string read_key(PCF *filter, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("HICUT"))
        filter->set_HiCutOff(kf.as_int());
    if (kf.has("AMOUNT"))
        filter->level = kf.as_float();
    if (kf.has("TYPE"))
        filter->type = kf.as_int();
    // A level given by GAIN alone is its tenth, in whole numbers; an AMOUNT
    // after it sets the level itself.
    if (kf.has("GAIN")) {
        filter->gain = kf.as_float();
        filter->level = (float)(kf.whole() / 10);
    }
    if (kf.has("Q"))
        filter->q = kf.as_float();
    // Saved since the filter's switch was lost on every reload; files
    // without it keep the default.
    if (kf.has("BYPASS"))
        filter->bypass = kf.as_int();
    if (kf.has("POWER"))
        filter->power = kf.as_int();
    return {};
}

// A file's path may hold any word: FILE is the only key looked for in its field.
std::string read_key(SAMPLER *sampler, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("FILE"))
        return load_sample(*sampler, kf.value());
    if (kf.has("TUNE"))
        sampler->tune = kf.as_float();
    if (kf.has("VOLUME"))
        sampler->volume = kf.as_float();
    if (kf.has("POWER"))
        sampler->power = kf.as_int();
    return {};
}

std::string read_key(VCO *osc, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("TYPE"))
        osc->type = waveform_of(kf.value());
    if (kf.has("FREQ"))
        osc->frequency = kf.as_float();
    if (kf.has("AMOUNT"))
        osc->amplitude = kf.as_float();
    if (kf.has("NOTE")) {
        const int n = kf.as_int();
        if (note_in_table(n, line))
            osc->frequency = (float)NOTE2FREQ[n];
    }
    if (kf.has("PHASE"))
        osc->phase = kf.as_float();
    if (kf.has("PWM"))
        osc->pulse_width = kf.as_float();
    if (kf.has("POWER"))
        osc->power = kf.as_int();
    return {};
}

std::string read_key(VCA *amp, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("ATTACK"))
        amp->attack = (float)kf.as_int();
    if (kf.has("INVERT"))
        amp->invert = kf.as_int();
    if (kf.has("DECAY"))
        amp->decay = (float)kf.as_int();
    // A fraction of the peak.
    if (kf.has("SUSTAIN"))
        amp->sustain = kf.as_float();
    if (kf.has("RELEASE"))
        amp->release = (float)kf.as_int();
    if (kf.has("POWER"))
        amp->power = kf.as_int();
    return {};
}

// LEVEL_nn and MUTE_nn: channel nn, counted from 1.
std::string read_key(MIXER *mixer, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("LEVEL_")) {
        const int c = mixer_channel(field, "LEVEL_", line);
        if (c >= 0)
            mixer->gain[c] = kf.as_float();
    }
    if (kf.has("MUTE_")) {
        const int c = mixer_channel(field, "MUTE_", line);
        if (c >= 0)
            mixer->bypass[c] = kf.as_int() != 0 ? 1.0f : 0.0f;
    }
    if (kf.has("POWER"))
        mixer->power = kf.as_int();
    return {};
}

std::string read_key(KEYBOARD *keyboard, const char *field, int line)
{
    KEY_FIELD kf(field, line);
    if (kf.has("OCTAVE"))
        keyboard->octave = kf.as_int();
    if (kf.has("POWER"))
        keyboard->power = kf.as_int();
    return {};
}
