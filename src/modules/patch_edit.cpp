#include "modules/patch_edit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "modules/module_types.h"
#include "modules/sockets.h"

namespace {

bool name_in_use(const GENERATOR &g, const std::string &name)
{
    for (MODULE_KIND k : MODULE_KINDS)
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

// Calls act with the generator's list of the kind.
template <class ACT> void with_list(GENERATOR &g, MODULE_KIND kind, ACT act)
{
    switch (kind) {
    case VCO_MODULE:
        return act(g.oscillators);
    case VCA_MODULE:
        return act(g.amplifiers);
    case VCF_MODULE:
        return act(g.filters);
    case SEQ_MODULE:
        return act(g.sequencers);
    case MIXER_MODULE:
        return act(g.mixers);
    case SAMPLER_MODULE:
        return act(g.samplers);
    case KEYBOARD_MODULE:
        return act(g.keyboards);
    case NO_MODULE:
        break;
    }
}

// The module type of a module list.
template <class LIST> using ITEM = typename std::decay_t<LIST>::MODULE_TYPE;

} // namespace

std::string next_free_name(const GENERATOR &g, MODULE_KIND kind)
{
    const std::string prefix = std::string(module_type(kind).prefix) + "_";
    long highest = 0;
    for (MODULE_KIND k : MODULE_KINDS)
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
    for (MODULE_KIND k : MODULE_KINDS)
        n += modules_of(g, k).size();
    return n;
}

MODULE add_module(GENERATOR &g, MODULE_KIND kind, std::string &why)
{
    if (module_count(g) >= MODULE_LIMIT) {
        why = "The patch holds " + std::to_string(MODULE_LIMIT) + " modules, the most it takes";
        return {};
    }
    return insert_module(g, kind, next_free_name(g, kind).c_str(), modules_of(g, kind).size());
}

MODULE insert_module(GENERATOR &g, MODULE_KIND kind, const char *name, size_t at)
{
    const MODULE m = new_module(kind, name);
    with_list(g, kind, [&](auto &list) {
        list.insert(list.items().begin() + static_cast<long>(at), m.as<ITEM<decltype(list)>>());
    });
    return m;
}

void unplug_readers_of(GENERATOR &g, const MODULE &m)
{
    for (MODULE_KIND k : MODULE_KINDS)
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
    with_list(g, m.kind,
              [&](auto &list) { list.remove(m.as<ITEM<decltype(list)>>()); });
    return true;
}
