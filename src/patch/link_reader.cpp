#include <cstdio>
#include <cstring>

#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "patch/token_reader.h"

namespace {

const char OUTPUT_LINE[] = "OUTPUT_1";

enum class PORT { audio, mod_freq, mod_phase, mod_amp, mod_pwm, gate, sync, channel };

// One link key of a target type: the key word, the input it binds, and the
// type words a source name is tested for, in order (null-terminated).
struct RULE {
    const char *key;
    PORT port;
    const char *sources[8];
};

// Each table lists the keys in the order they are tested, and ends with a
// null key. Every audio input takes any module's audio output, as the cable
// editor lets it: the source words beyond those of the first files are
// appended, so a name that matches several types binds as it always did.
const RULE oscillator_rules[] = {
    {"MOD_FREQ", PORT::mod_freq, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_PHASE", PORT::mod_phase, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_AMP", PORT::mod_amp, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_PWM", PORT::mod_pwm, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"IN", PORT::audio, {"SEQUENCER", "KEY", "VCO", "SAMPLER", "VCA", "PCF", "MIXER"}},
    {"GATE", PORT::gate, {"SEQUENCER", "KEY", nullptr}},
    {"SYNC", PORT::sync, {"SEQUENCER", "KEY", nullptr}},
    {nullptr, PORT::audio, {nullptr}},
};

const RULE sampler_rules[] = {
    {"MOD_FREQ", PORT::mod_freq, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_PHASE", PORT::mod_phase, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_AMP", PORT::mod_amp, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"IN", PORT::audio, {"SEQUENCER", "KEY", "VCO", "SAMPLER", "VCA", "PCF", "MIXER"}},
    {"GATE", PORT::gate, {"SEQUENCER", "KEY", nullptr}},
    {"SYNC", PORT::sync, {"SEQUENCER", "KEY", nullptr}},
    {nullptr, PORT::audio, {nullptr}},
};

const RULE filter_rules[] = {
    {"MOD_FREQ", PORT::mod_freq, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_PHASE", PORT::mod_phase, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"MOD_AMP", PORT::mod_amp, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {"IN", PORT::audio, {"PCF", "VCO", "SAMPLER", "MIXER", "VCA", "SEQUENCER", "KEY", nullptr}},
    {"GATE", PORT::gate, {"KEY", "SEQUENCER", nullptr}},
    {"SYNC", PORT::sync, {"SEQUENCER", "KEY", nullptr}},
    {nullptr, PORT::audio, {nullptr}},
};

const RULE amplifier_rules[] = {
    {"IN", PORT::audio, {"VCO", "PCF", "SAMPLER", "MIXER", "VCA", "SEQUENCER", "KEY", nullptr}},
    {"GATE", PORT::gate, {"KEY", "SEQUENCER", nullptr}},
    {nullptr, PORT::audio, {nullptr}},
};

const RULE sequencer_rules[] = {
    {"SYNC", PORT::sync, {"KEY", "SEQUENCER", nullptr}},
    {nullptr, PORT::audio, {nullptr}},
};

const RULE mixer_rules[] = {
    {"ADD_CHANELL", PORT::channel, {"VCO", "SAMPLER", "VCA", "PCF", "MIXER", "SEQUENCER", "KEY"}},
    {nullptr, PORT::audio, {nullptr}},
};

// The inputs of one target module (null where it has none) and the rules
// that bind them.
struct TARGET {
    const RULE *rules = nullptr;
    INPUT *in = nullptr;
    INPUT_GATE *gate = nullptr;
    INPUT_SYNC *sync = nullptr;
    MOD_SLOT *mod_freq = nullptr;
    MOD_SLOT *mod_phase = nullptr;
    MOD_SLOT *mod_amp = nullptr;
    MOD_SLOT *mod_pwm = nullptr;
    MIXER *mixer = nullptr;
};

// Oscillators, samplers and filters: main, gate and sync inputs and three
// modulation inputs.
template <typename Module> TARGET modulated_target(Module *m, const RULE *rules)
{
    TARGET t;
    t.rules = rules;
    t.in = m;
    t.gate = m;
    t.sync = m;
    t.mod_freq = &m->mod_frequency;
    t.mod_phase = &m->mod_phase;
    t.mod_amp = &m->mod_amplitude;
    return t;
}

TARGET oscillator_target(VCO *m, const RULE *rules)
{
    TARGET t = modulated_target(m, rules);
    t.mod_pwm = &m->mod_pulse_width;
    return t;
}

TARGET target_of(VCO *m) { return oscillator_target(m, oscillator_rules); }
TARGET target_of(SAMPLER *m) { return oscillator_target(m, sampler_rules); }
TARGET target_of(PCF *m) { return modulated_target(m, filter_rules); }

TARGET target_of(VCA *m)
{
    TARGET t;
    t.rules = amplifier_rules;
    t.in = m;
    t.gate = m;
    return t;
}

TARGET target_of(SEQUENCER *m)
{
    TARGET t;
    t.rules = sequencer_rules;
    t.sync = m;
    return t;
}

TARGET target_of(MIXER *m)
{
    TARGET t;
    t.rules = mixer_rules;
    t.mixer = m;
    return t;
}

// The outputs of a source module (null where its type has none).
struct SOURCE {
    OUTPUT *audio = nullptr;
    OUTPUT_GATE *gate = nullptr;
    OUTPUT_SYNC *sync = nullptr;
};

template <typename Module> SOURCE note_source(Module *m)
{
    SOURCE s;
    s.audio = m;
    s.gate = m;
    s.sync = m;
    return s;
}

// The module of the type the word names that bears exactly this name.
SOURCE find_source(GENERATOR &g, const char *word, const char *name)
{
    SOURCE s;
    if (std::strcmp(word, "VCO") == 0)
        s.audio = g.get_VCO_by_name(name);
    else if (std::strcmp(word, "SAMPLER") == 0)
        s.audio = g.get_SAMPLER_by_name(name);
    else if (std::strcmp(word, "VCA") == 0)
        s.audio = g.get_VCA_by_name(name);
    else if (std::strcmp(word, "PCF") == 0)
        s.audio = g.get_PCF_by_name(name);
    else if (std::strcmp(word, "MIXER") == 0)
        s.audio = g.get_MIXER_by_name(name);
    else if (std::strcmp(word, "SEQUENCER") == 0) {
        if (SEQUENCER *m = g.get_SEQUENCER_by_name(name))
            s = note_source(m);
    } else if (std::strcmp(word, "KEY") == 0) {
        if (KEYBOARD *m = g.get_KEYBOARD_by_name(name))
            s = note_source(m);
    }
    return s;
}

// A second binding of the same slot re-points its input.
void bind_modulation(MOD_SLOT *slot, OUTPUT *source)
{
    if (slot)
        VCO::connect_modulation(*slot, source);
}

// Connects one input of the target to the source. The rules only pair
// inputs with sources that have the matching output.
void connect(const TARGET &t, PORT port, const SOURCE &s)
{
    switch (port) {
    case PORT::audio:
        if (t.in)
            t.in->connect(s.audio);
        break;
    case PORT::gate:
        if (t.gate && s.gate)
            t.gate->connect(s.gate);
        break;
    case PORT::sync:
        if (t.sync && s.sync)
            t.sync->connect(s.sync);
        break;
    case PORT::mod_freq:
        bind_modulation(t.mod_freq, s.audio);
        break;
    case PORT::mod_phase:
        bind_modulation(t.mod_phase, s.audio);
        break;
    case PORT::mod_amp:
        bind_modulation(t.mod_amp, s.audio);
        break;
    case PORT::mod_pwm:
        bind_modulation(t.mod_pwm, s.audio);
        break;
    case PORT::channel:
        // The mixer reports a channel it cannot add.
        if (t.mixer)
            t.mixer->ajoute_en_entree(s.audio, -1);
        break;
    }
}

// One field KEY=SOURCE of a target: every rule whose key word the field holds
// binds, from every source type word the source name holds. A mixer is
// tested on the key alone.
void bind_field(GENERATOR &g, const TARGET &t, const char *field, int line)
{
    FIELD source_name = field_of(field, '=', 1);
    if (!source_name) {
        std::printf("Ligne %d: link [%s] without a source, ignored\n", line, field);
        return;
    }
    FIELD key = field_of(field, '=', 0);
    const char *tested = t.mixer ? (key ? key.get() : "") : field;
    for (const RULE *rule = t.rules; rule->key; ++rule) {
        if (!contains(tested, rule->key))
            continue;
        bool named_a_type = false;
        bool found = false;
        for (const char *const *word = rule->sources; *word; ++word) {
            if (!contains(source_name.get(), *word))
                continue;
            named_a_type = true;
            const SOURCE source = find_source(g, *word, source_name.get());
            if (!source.audio)
                continue;
            found = true;
            connect(t, rule->port, source);
        }
        if (named_a_type && !found)
            std::printf("Ligne %d: no module [%s] to link to %s, ignored\n", line,
                        source_name.get(), rule->key);
    }
}

// Binds every field of the declaration to the target; false after an empty
// field, which ends the load.
bool bind_fields(GENERATOR &g, const TARGET &t, const QSTR_PARSER &fields, int line)
{
    for (int i = 1; i < fields.get_nbr_champs(); ++i) {
        FIELD field(fields.get_champ(i));
        if (!field) {
            report_empty_field(g, line);
            return false;
        }
        bind_field(g, t, field.get(), line);
    }
    return true;
}

// The targets a declaration's first field names, found by its whole name.
struct TARGETS {
    TARGET target[4];
    int count = 0;
    bool named_a_type = false;

    template <typename Module> void add(Module *m)
    {
        named_a_type = true;
        if (m)
            target[count++] = target_of(m);
    }
};

TARGETS targets_of(GENERATOR &g, const char *name)
{
    TARGETS t;
    if (contains(name, "SEQUENCER"))
        t.add(g.get_SEQUENCER_by_name(name));
    else if (contains(name, "VCO"))
        t.add(g.get_VCO_by_name(name));
    else if (contains(name, "MIXER"))
        t.add(g.get_MIXER_by_name(name));
    if (contains(name, "VCA"))
        t.add(g.get_VCA_by_name(name));
    if (contains(name, "PCF"))
        t.add(g.get_PCF_by_name(name));
    if (contains(name, "SAMPLER"))
        t.add(g.get_SAMPLER_by_name(name));
    return t;
}

// "OUTPUT_1;NAME;": the mixer the patch plays, when it has one of that name.
void read_output(GENERATOR &g, const QSTR_PARSER &fields, int line)
{
    FIELD mixer(fields.get_champ(1));
    if (mixer && g.get_MIXER_by_name(mixer.get()))
        std::snprintf(g.output_mixer, sizeof g.output_mixer, "%s", mixer.get());
    else
        std::printf("Ligne %d: no mixer [%s] to play, %s plays\n", line, mixer ? mixer.get() : "",
                    g.output_mixer);
}

// One link declaration; false after a fatal fault.
bool read_links(GENERATOR &g, const char *token, int line)
{
    QSTR_PARSER fields(token, ';');
    if (fields.get_nbr_champs() < 2) {
        report_too_few_fields(line);
        return true;
    }
    FIELD name(fields.get_champ(0));
    if (!name) {
        std::printf("Ligne %d: link declaration without a module name, skipped\n", line);
        return true;
    }
    if (std::strcmp(name.get(), OUTPUT_LINE) == 0) {
        read_output(g, fields, line);
        return true;
    }
    const TARGETS targets = targets_of(g, name.get());
    if (targets.named_a_type && targets.count == 0)
        std::printf("Ligne %d: no module [%s] to link, skipped\n", line, name.get());
    for (int i = 0; i < targets.count; ++i)
        if (!bind_fields(g, targets.target[i], fields, line))
            return false;
    return true;
}

} // namespace

int read_link_section(GENERATOR &g, FILE *file)
{
    return read_section(file, "BEGIN_LINKS_DECLARE", "END_LINKS_DECLARE",
                        [&g](const char *token, int line) { return read_links(g, token, line); });
}
