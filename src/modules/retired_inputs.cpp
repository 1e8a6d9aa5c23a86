#include "modules/retired_inputs.h"

#include <mutex>
#include <vector>

#include "synth/ports.h"

namespace {

// The main thread, the remote control and tests may rewire from different
// threads; the audio thread never comes here.
// Never destroyed, so inputs retired before the program ends stay reachable.
std::mutex guard;
std::vector<INPUT *> &retired = *new std::vector<INPUT *>;

} // namespace

void retire_input(INPUT *in)
{
    if (!in)
        return;
    std::lock_guard<std::mutex> lock(guard);
    retired.push_back(in);
}

void free_retired_inputs()
{
    std::vector<INPUT *> doomed;
    {
        std::lock_guard<std::mutex> lock(guard);
        doomed.swap(retired);
    }
    for (INPUT *in : doomed)
        delete in;
}

void set_modulation(MOD_SLOT &slot, INPUT *input)
{
    INPUT *old = slot;
    slot = input;
    retire_input(old);
}

int retired_input_count()
{
    std::lock_guard<std::mutex> lock(guard);
    return (int)retired.size();
}
