#include "modules/module_types.h"

#include <cstdio>

const MODULE_TYPE MODULE_TYPES[7] = {
    {VCO_MODULE, "VCO", "OSCILLATOR", "A tone: sine, triangle, saw, square, pulse or noise"},
    {SAMPLER_MODULE, "SAMPLER", "SAMPLER", "Plays a recording once per note"},
    {VCA_MODULE, "VCA", "ENVELOPE AMPLIFIER", "Shapes a sound's loudness while a gate is held"},
    {VCF_MODULE, "PCF", "FILTER", "Low-pass, high-pass, band-pass and more"},
    {MIXER_MODULE, "MIXER", "MIXER", "Mixes up to 24 channels, each with its gain"},
    {SEQ_MODULE, "SEQUENCER", "STEP SEQUENCER", "Plays a loop of notes, 32 patterns"},
    {KEYBOARD_MODULE, "KEY", "KEYBOARD", "Notes from the computer keyboard or MIDI"},
};

const MODULE_TYPE &module_type(MODULE_KIND kind)
{
    for (const MODULE_TYPE &t : MODULE_TYPES)
        if (t.kind == kind)
            return t;
    return MODULE_TYPES[0];
}

namespace {

template <class T> MODULE named(T *m, const char *name)
{
    std::snprintf(m->name, sizeof m->name, "%s", name);
    return MODULE(m);
}

} // namespace

MODULE new_module(MODULE_KIND kind, const char *name)
{
    switch (kind) {
    case SEQ_MODULE: {
        SEQUENCER *m = new SEQUENCER();
        m->set_name(name);
        return MODULE(m);
    }
    case VCF_MODULE:
        return named(new PCF(), name);
    case KEYBOARD_MODULE:
        return named(new KEYBOARD(), name);
    case SAMPLER_MODULE:
        return named(new SAMPLER(), name);
    case VCO_MODULE:
        return named(new VCO(1.0f, 110.0f, SIN), name);
    case VCA_MODULE:
        return named(new VCA(), name);
    case MIXER_MODULE:
        return named(new MIXER(), name);
    case NO_MODULE:
        break;
    }
    return {};
}
