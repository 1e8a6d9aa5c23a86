#include <cstdio>
#include <cstring>
#include <string>

#include "modules/module_types.h"
#include "patch/module_keys.h"
#include "patch/patch_fields.h"
#include "patch/patch_sections.h"
#include "patch/token_reader.h"

namespace {

// The load status of a file without a module section: start-up ends with 1,
// as for a file it cannot read.
constexpr int NOT_A_PATCH = 1;

// The longest name the module's name field holds.
std::size_t name_capacity(MODULE_KIND k)
{
    switch (k) {
    case VCO_MODULE:
        return sizeof(VCO::name) - 1;
    case VCA_MODULE:
        return sizeof(VCA::name) - 1;
    case SEQ_MODULE:
        return sizeof(SEQUENCER::name) - 1;
    case VCF_MODULE:
        return sizeof(PCF::name) - 1;
    case KEYBOARD_MODULE:
        return sizeof(KEYBOARD::name) - 1;
    case SAMPLER_MODULE:
        return sizeof(SAMPLER::name) - 1;
    case MIXER_MODULE:
        return sizeof(MIXER::name) - 1;
    case NO_MODULE:
        break;
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

    // Whether the token declares a module, even one it cannot build.
    bool declares_a_module() const
    {
        return fields.get_nbr_champs() >= 2 && name && kinds_declared_by(name.get()).count > 0;
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
        const DECLARED_KINDS kinds = kinds_declared_by(name.get());
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

    // A module of the kind, with the defaults and the declaration's name,
    // put at the front of its list, its keys read.
    bool build_one(MODULE_KIND k)
    {
        const MODULE m = new_module(k, name.get());
        switch (k) {
        case SEQ_MODULE:
            return insert_and_read(g.sequencers, m.as<SEQUENCER>());
        case VCF_MODULE:
            return insert_and_read(g.filters, m.as<PCF>());
        case KEYBOARD_MODULE:
            return insert_and_read(g.keyboards, m.as<KEYBOARD>(), EMPTY_FIELDS_PASS);
        case SAMPLER_MODULE:
            return insert_and_read(g.samplers, m.as<SAMPLER>(), EMPTY_FIELDS_PASS);
        case VCO_MODULE:
            return insert_and_read(g.oscillators, m.as<VCO>());
        case VCA_MODULE:
            return insert_and_read(g.amplifiers, m.as<VCA>());
        case MIXER_MODULE:
            return insert_and_read(g.mixers, m.as<MIXER>(), EMPTY_FIELDS_PASS);
        case NO_MODULE:
            break;
        }
        return true;
    }

    // Keyboards, mixers and samplers without a recording are declared
    // "NAME;;": their empty fields are no fault.
    enum EMPTY_FIELDS { EMPTY_FIELDS_FAIL, EMPTY_FIELDS_PASS };

    // Puts the module at the front of its list, then reads fields 1 onwards
    // as its keys.
    template <typename Module>
    bool insert_and_read(MODULE_LIST<Module> &list, Module *m,
                         EMPTY_FIELDS empty = EMPTY_FIELDS_FAIL)
    {
        list.insert(list.begin(), m);
        for (int i = 1; i < fields.get_nbr_champs(); ++i) {
            FIELD field(fields.get_champ(i));
            if (!field && empty == EMPTY_FIELDS_PASS)
                continue;
            if (!field) {
                report_empty_field(g, line, std::string("the declaration of ") + name.get());
                return false;
            }
            const std::string fault = read_key(m, field.get(), line);
            if (!fault.empty()) {
                refuse_at(g, line, fault);
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
    bool marked = false, declared = false;
    while (tokens.next()) {
        const char *token = tokens.text();
        if (std::strcmp(token, "BEGIN_OBJECTS_DECLARE") == 0) {
            marked = true;
            continue;
        }
        if (token[0] == '#')
            continue;
        if (std::strcmp(token, "END_OBJECTS_DECLARE") == 0)
            break;
        DECLARATION declaration(g, token, tokens.number());
        declared = declared || declaration.declares_a_module();
        if (!declaration.build())
            return 0;
    }
    if (marked || declared)
        return 1;
    g.load_status = NOT_A_PATCH;
    g.load_problem = "not a patch file: it declares no module";
    return 0;
}
