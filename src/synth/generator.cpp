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

template <typename Module> Module *find_by_name(const MODULE_LIST<Module> &list, const char *name)
{
    if (!name)
        return nullptr;
    for (Module *m : list)
        if (std::strcmp(m->name, name) == 0)
            return m;
    return nullptr;
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
    sequencers.release();
    keyboards.release();
    oscillators.release();
    mixers.release();
    samplers.release();
    amplifiers.release();
    filters.release();
    delays.release();
    free_retired();
}

bool GENERATOR::plan_is_current() const
{
    const WALK_PLAN *p = plan();
    return p && p->wiring == wiring_changes.load();
}

void GENERATOR::publish_plan(std::unique_ptr<WALK_PLAN> plan)
{
    published_plan.store(plan.get(), std::memory_order_seq_cst);
    if (current_plan && playing.load())
        retired_plans.push_back(std::move(current_plan));
    current_plan = std::move(plan);
}

void GENERATOR::free_retired()
{
    retired_plans.clear();
    sequencers.free_retired();
    keyboards.free_retired();
    oscillators.free_retired();
    mixers.free_retired();
    samplers.free_retired(); // a sampler removed goes with its recordings
    for (SAMPLER *s : samplers)
        s->free_retired();
    amplifiers.free_retired();
    filters.free_retired();
    delays.free_retired();
}
