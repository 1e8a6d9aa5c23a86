#include "synth/generator.h"

#include <cstring>

GENERATOR *gen = nullptr;

GENERATOR::GENERATOR() : OUTPUT(0.0f), load_status(0)
{
    patch_path[0] = '\0';
    std::strcpy(output_mixer, DEFAULT_OUTPUT);
}

int GENERATOR::evolue()
{
    value = 0.0f;
    return 1;
}

namespace {

template <typename Module> Module *find_by_name(const std::vector<Module *> &list, const char *name)
{
    if (!name)
        return nullptr;
    for (Module *m : list)
        if (std::strcmp(m->name, name) == 0)
            return m;
    return nullptr;
}

template <typename Module> void delete_all(std::vector<Module *> &list)
{
    for (Module *m : list)
        delete m;
    list.clear();
}

} // namespace

VCO *GENERATOR::get_VCO_by_name(const char *name) { return find_by_name(oscillators, name); }
VCA *GENERATOR::get_VCA_by_name(const char *name) { return find_by_name(amplifiers, name); }
PCF *GENERATOR::get_PCF_by_name(const char *name) { return find_by_name(filters, name); }
SAMPLER *GENERATOR::get_SAMPLER_by_name(const char *name) { return find_by_name(samplers, name); }
SEQUENCER *GENERATOR::get_SEQUENCER_by_name(const char *name)
{
    return find_by_name(sequencers, name);
}
MIXER *GENERATOR::get_MIXER_by_name(const char *name) { return find_by_name(mixers, name); }

KEYBOARD *GENERATOR::get_KEYBOARD_by_name(const char *name)
{
    if (keyboards.size() == 1)
        return keyboards[0];
    return find_by_name(keyboards, name);
}

void GENERATOR::release_modules()
{
    delete_all(sequencers);
    delete_all(keyboards);
    delete_all(oscillators);
    delete_all(mixers);
    delete_all(samplers);
    delete_all(amplifiers);
    delete_all(filters);
    delete_all(delays);
}
