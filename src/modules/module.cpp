#include "modules/module.h"

#include <cstring>

namespace {

bool contains(const char *text, const char *word) { return std::strstr(text, word) != nullptr; }

} // namespace

const char *kind_word(MODULE_KIND kind)
{
    switch (kind) {
    case VCO_MODULE:
        return "VCO";
    case VCA_MODULE:
        return "VCA";
    case VCF_MODULE:
        return "VCF";
    case SEQ_MODULE:
        return "SEQUENCEUR";
    case MIXER_MODULE:
        return "MIXER";
    case SAMPLER_MODULE:
        return "SAMPLER";
    case KEYBOARD_MODULE:
        return "KEYBOARD";
    case NO_MODULE:
        break;
    }
    return nullptr;
}

const char *MODULE::name() const
{
    switch (kind) {
    case VCO_MODULE:
        return as<VCO>()->name;
    case VCA_MODULE:
        return as<VCA>()->name;
    case VCF_MODULE:
        return as<PCF>()->name;
    case SEQ_MODULE:
        return as<SEQUENCER>()->name;
    case MIXER_MODULE:
        return as<MIXER>()->name;
    case SAMPLER_MODULE:
        return as<SAMPLER>()->name;
    case KEYBOARD_MODULE:
        return as<KEYBOARD>()->name;
    case NO_MODULE:
        break;
    }
    return nullptr;
}

OUTPUT_GATE *MODULE::gate() const
{
    if (kind == SEQ_MODULE)
        return as<SEQUENCER>();
    if (kind == KEYBOARD_MODULE)
        return as<KEYBOARD>();
    return nullptr;
}

OUTPUT_SYNC *MODULE::sync() const
{
    if (kind == SEQ_MODULE)
        return as<SEQUENCER>();
    if (kind == KEYBOARD_MODULE)
        return as<KEYBOARD>();
    return nullptr;
}

int *MODULE::power() const
{
    switch (kind) {
    case VCO_MODULE:
        return &as<VCO>()->power;
    case VCA_MODULE:
        return &as<VCA>()->power;
    case VCF_MODULE:
        return &as<PCF>()->power;
    case SEQ_MODULE:
        return &as<SEQUENCER>()->power;
    case MIXER_MODULE:
        return &as<MIXER>()->power;
    case SAMPLER_MODULE:
        return &as<SAMPLER>()->power;
    case KEYBOARD_MODULE:
        return &as<KEYBOARD>()->power;
    case NO_MODULE:
        break;
    }
    return nullptr;
}

bool MODULE::has_output(SIGNAL signal) const { return output(signal) != nullptr; }

const void *MODULE::output(SIGNAL signal) const
{
    switch (signal) {
    case SIGNAL::AUDIO:
        return object != nullptr ? &object->value : nullptr;
    case SIGNAL::GATE:
        return gate() != nullptr ? &gate()->state : nullptr;
    case SIGNAL::SYNC:
        return sync() != nullptr ? &sync()->pulse : nullptr;
    }
    return nullptr;
}

DECLARED_KINDS kinds_declared_by(const char *name)
{
    DECLARED_KINDS d;
    auto add = [&d](MODULE_KIND k) { d.kind[d.count++] = k; };
    if (contains(name, "SEQUENCER"))
        add(SEQ_MODULE);
    if (contains(name, "PCF"))
        add(VCF_MODULE);
    else if (contains(name, "KEY"))
        add(KEYBOARD_MODULE);
    else if (contains(name, "SAMPLER"))
        add(SAMPLER_MODULE);
    else if (contains(name, "VCO"))
        add(VCO_MODULE);
    if (contains(name, "VCA"))
        add(VCA_MODULE);
    if (contains(name, "MIXER"))
        add(MIXER_MODULE);
    return d;
}

namespace {

template <class T> void append(std::vector<MODULE> &out, const MODULE_LIST<T> &list)
{
    for (T *m : list)
        out.push_back(MODULE(m));
}

} // namespace

std::vector<MODULE> modules_of(const GENERATOR &g, MODULE_KIND kind)
{
    std::vector<MODULE> out;
    switch (kind) {
    case VCO_MODULE:
        append(out, g.oscillators);
        break;
    case VCA_MODULE:
        append(out, g.amplifiers);
        break;
    case VCF_MODULE:
        append(out, g.filters);
        break;
    case SEQ_MODULE:
        append(out, g.sequencers);
        break;
    case MIXER_MODULE:
        append(out, g.mixers);
        break;
    case SAMPLER_MODULE:
        append(out, g.samplers);
        break;
    case KEYBOARD_MODULE:
        append(out, g.keyboards);
        break;
    case NO_MODULE:
        break;
    }
    return out;
}

MODULE find_module(const GENERATOR &g, const char *name, unsigned kinds)
{
    if (name == nullptr)
        return {};
    const DECLARED_KINDS declared = kinds_declared_by(name);
    for (int i = 0; i < declared.count; ++i) {
        const MODULE_KIND k = declared.kind[i];
        if ((k & kinds) == 0)
            continue;
        if (k == KEYBOARD_MODULE && g.keyboards.size() == 1)
            return MODULE(g.keyboards[0]);
        for (const MODULE &m : modules_of(g, k))
            if (std::strcmp(m.name(), name) == 0)
                return m;
    }
    return {};
}

MODULE owner_of(const GENERATOR &g, SIGNAL signal, const void *address)
{
    if (address == nullptr)
        return {};
    for (MODULE_KIND k : MODULE_KINDS)
        for (const MODULE &m : modules_of(g, k))
            if (m.output(signal) == address)
                return m;
    return {};
}
