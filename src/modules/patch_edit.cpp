#include "modules/patch_edit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "modules/module_types.h"
#include "modules/sockets.h"

namespace {

const MODULE_KIND KINDS[] = {VCO_MODULE,   VCA_MODULE,     VCF_MODULE,     SEQ_MODULE,
                             MIXER_MODULE, SAMPLER_MODULE, KEYBOARD_MODULE};

bool name_in_use(const GENERATOR &g, const std::string &name)
{
    for (MODULE_KIND k : KINDS)
        for (const MODULE &m : modules_of(g, k))
            if (name == m.name())
                return true;
    return false;
}

// Plugs every input of m into nothing.
void release_inputs(const MODULE &m)
{
    for (const SOCKET &s : input_sockets(m.kind))
        for (int c = 0; c < s.channels_in_use(m); c++)
            if (s.source(m, c) != nullptr)
                s.plug(m, c, MODULE());
}

template <class T> void take_out(MODULE_LIST<T> &list, const MODULE &m) { list.remove(m.as<T>()); }

} // namespace

std::string next_free_name(const GENERATOR &g, MODULE_KIND kind)
{
    const std::string prefix = std::string(module_type(kind).prefix) + "_";
    long highest = 0;
    for (MODULE_KIND k : KINDS)
        for (const MODULE &m : modules_of(g, k)) {
            const char *name = m.name();
            if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0)
                continue;
            char *end = nullptr;
            const long n = std::strtol(name + prefix.size(), &end, 10);
            if (end != name + prefix.size() && *end == '\0' && n > highest)
                highest = n;
        }
    std::string name;
    do
        name = prefix + std::to_string(++highest);
    while (name_in_use(g, name));
    return name;
}

size_t module_count(const GENERATOR &g)
{
    size_t n = 0;
    for (MODULE_KIND k : KINDS)
        n += modules_of(g, k).size();
    return n;
}

MODULE add_module(GENERATOR &g, MODULE_KIND kind, std::string &why)
{
    if (module_count(g) >= MODULE_LIMIT) {
        why = "The patch holds " + std::to_string(MODULE_LIMIT) + " modules, the most it takes";
        return {};
    }
    const MODULE m = new_module(kind, next_free_name(g, kind).c_str());
    switch (kind) {
    case VCO_MODULE:
        g.oscillators.push_back(m.as<VCO>());
        break;
    case VCA_MODULE:
        g.amplifiers.push_back(m.as<VCA>());
        break;
    case VCF_MODULE:
        g.filters.push_back(m.as<PCF>());
        break;
    case SEQ_MODULE:
        g.sequencers.push_back(m.as<SEQUENCER>());
        break;
    case MIXER_MODULE:
        g.mixers.push_back(m.as<MIXER>());
        break;
    case SAMPLER_MODULE:
        g.samplers.push_back(m.as<SAMPLER>());
        break;
    case KEYBOARD_MODULE:
        g.keyboards.push_back(m.as<KEYBOARD>());
        break;
    case NO_MODULE:
        break;
    }
    return m;
}

void unplug_readers_of(GENERATOR &g, const MODULE &m)
{
    for (MODULE_KIND k : KINDS)
        for (const MODULE &reader : modules_of(g, k))
            for (const SOCKET &s : input_sockets(k))
                for (int c = 0; c < s.channels_in_use(reader); c++) {
                    const void *source = s.source(reader, c);
                    if (source != nullptr && source == m.output(s.signal))
                        s.plug(reader, c, MODULE());
                }
}

bool remove_module(GENERATOR &g, const MODULE &m, std::string &why)
{
    const std::vector<MODULE> kin = modules_of(g, m.kind);
    if (std::find(kin.begin(), kin.end(), m) == kin.end()) {
        why = "That module is no longer in the patch";
        return false;
    }
    if (m.kind == MIXER_MODULE && std::strcmp(m.name(), g.output_mixer) == 0) {
        why = std::string(m.name()) + " is the patch's output: it cannot be removed";
        return false;
    }
    unplug_readers_of(g, m);
    release_inputs(m);
    switch (m.kind) {
    case VCO_MODULE:
        take_out(g.oscillators, m);
        break;
    case VCA_MODULE:
        take_out(g.amplifiers, m);
        break;
    case VCF_MODULE:
        take_out(g.filters, m);
        break;
    case SEQ_MODULE:
        take_out(g.sequencers, m);
        break;
    case MIXER_MODULE:
        take_out(g.mixers, m);
        break;
    case SAMPLER_MODULE:
        take_out(g.samplers, m);
        break;
    case KEYBOARD_MODULE:
        take_out(g.keyboards, m);
        break;
    case NO_MODULE:
        break;
    }
    return true;
}
