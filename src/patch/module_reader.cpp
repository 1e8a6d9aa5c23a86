#include <cstdio>
#include <cstring>

#include "patch/module_keys.h"
#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "patch/token_reader.h"

namespace {

enum class KIND { sequencer, filter, keyboard, sampler, oscillator, amplifier, mixer };

// The module types a name declares, in the order they are built. The tests
// are independent of each other, except filter, keyboard, sampler and
// oscillator, of which the first that matches wins.
struct KINDS {
    KIND kind[4];
    int count = 0;
    void add(KIND k) { kind[count++] = k; }
};

KINDS kinds_of(const char *name)
{
    KINDS kinds;
    if (contains(name, "SEQUENCER"))
        kinds.add(KIND::sequencer);
    if (contains(name, "PCF"))
        kinds.add(KIND::filter);
    else if (contains(name, "KEY"))
        kinds.add(KIND::keyboard);
    else if (contains(name, "SAMPLER"))
        kinds.add(KIND::sampler);
    else if (contains(name, "VCO"))
        kinds.add(KIND::oscillator);
    if (contains(name, "VCA"))
        kinds.add(KIND::amplifier);
    if (contains(name, "MIXER"))
        kinds.add(KIND::mixer);
    return kinds;
}

// The longest name the module's name field holds.
std::size_t name_capacity(KIND k)
{
    switch (k) {
    case KIND::oscillator:
        return sizeof(VCO::name) - 1;
    case KIND::amplifier:
        return sizeof(VCA::name) - 1;
    case KIND::sequencer:
        return sizeof(SEQUENCER::name) - 1;
    case KIND::filter:
        return sizeof(PCF::name) - 1;
    case KIND::keyboard:
        return sizeof(KEYBOARD::name) - 1;
    case KIND::sampler:
        return sizeof(SAMPLER::name) - 1;
    case KIND::mixer:
        return sizeof(MIXER::name) - 1;
    }
    return 0;
}

// One declaration: TOKEN_READER's current token, split at ";".
class DECLARATION {
public:
    DECLARATION(GENERATOR &g, const char *token, int line)
        : g(g), fields(token, ';'), line(line), name(fields.get_champ(0))
    {
    }

    // Builds the modules the declaration names; false after a fatal fault.
    bool build()
    {
        if (fields.get_nbr_champs() < 2) {
            report_too_few_fields(line);
            return true;
        }
        if (!name) {
            std::printf("Ligne %d: declaration without a module name, skipped\n", line);
            return true;
        }
        const KINDS kinds = kinds_of(name.get());
        for (int i = 0; i < kinds.count; ++i) {
            if (std::strlen(name.get()) > name_capacity(kinds.kind[i])) {
                std::printf(
                    "Ligne %d: module name longer than %d characters, declaration skipped\n", line,
                    (int)name_capacity(kinds.kind[i]));
                return true;
            }
        }
        for (int i = 0; i < kinds.count; ++i)
            if (!build_one(kinds.kind[i]))
                return false;
        return true;
    }

private:
    GENERATOR &g;
    QSTR_PARSER fields;
    int line;
    FIELD name;

    bool build_one(KIND k)
    {
        switch (k) {
        case KIND::sequencer: {
            SEQUENCER *m = new SEQUENCER();
            m->set_name(name.get());
            return insert_and_read(g.sequencers, m);
        }
        case KIND::filter:
            return insert_and_read(g.filters, named(new PCF()));
        case KIND::keyboard:
            return insert_and_read(g.keyboards, named(new KEYBOARD()), EMPTY_FIELDS_PASS);
        case KIND::sampler:
            return insert_and_read(g.samplers, named(new SAMPLER()));
        case KIND::oscillator:
            return insert_and_read(g.oscillators, named(new VCO(1.0f, 110.0f, SIN)));
        case KIND::amplifier:
            return insert_and_read(g.amplifiers, named(new VCA()));
        case KIND::mixer:
            return insert_and_read(g.mixers, named(new MIXER()), EMPTY_FIELDS_PASS);
        }
        return true;
    }

    template <typename Module> Module *named(Module *m)
    {
        std::snprintf(m->name, sizeof m->name, "%s", name.get());
        return m;
    }

    // Keyboards and mixers are declared "NAME;;": their empty fields are no
    // fault.
    enum EMPTY_FIELDS { EMPTY_FIELDS_FAIL, EMPTY_FIELDS_PASS };

    // Puts the module at the front of its list, then reads fields 1 onwards
    // as its keys.
    template <typename Module>
    bool insert_and_read(std::vector<Module *> &list, Module *m,
                         EMPTY_FIELDS empty = EMPTY_FIELDS_FAIL)
    {
        list.insert(list.begin(), m);
        for (int i = 1; i < fields.get_nbr_champs(); ++i) {
            FIELD field(fields.get_champ(i));
            if (!field && empty == EMPTY_FIELDS_PASS)
                continue;
            if (!field) {
                report_empty_field(g, line);
                return false;
            }
            if (!read_key(m, field.get(), line)) {
                g.load_status = -1;
                return false;
            }
        }
        return true;
    }
};

} // namespace

int read_module_section(GENERATOR &g, FILE *file)
{
    TOKEN_READER tokens(file);
    while (tokens.next()) {
        const char *token = tokens.text();
        if (std::strcmp(token, "BEGIN_OBJECTS_DECLARE") == 0 || token[0] == '#')
            continue;
        if (std::strcmp(token, "END_OBJECTS_DECLARE") == 0)
            break;
        if (!DECLARATION(g, token, tokens.number()).build())
            return 0;
    }
    return 1;
}
