#include "synth/step_queue.h"

#include <atomic>

namespace {

// Far more steps than all the sequencers of a patch fire between two passes
// of the main loop.
constexpr unsigned CAPACITY = 256;

// Steps tail .. head-1 are queued. The producer writes slot head and then
// publishes head; the consumer reads (or blanks) queued slots and then
// publishes tail. A blanked slot (null) is a forgotten step.
SEQUENCER *slots[CAPACITY];
std::atomic<unsigned> head{0};
std::atomic<unsigned> tail{0};
std::atomic<unsigned long> dropped{0};

} // namespace

bool queue_step_event(SEQUENCER *s)
{
    const unsigned h = head.load(std::memory_order_relaxed);
    if (h - tail.load(std::memory_order_acquire) == CAPACITY) {
        dropped.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    slots[h % CAPACITY] = s;
    head.store(h + 1, std::memory_order_release);
    return true;
}

int take_step_events(bool (*take)(SEQUENCER *s))
{
    int taken = 0;
    const unsigned h = head.load(std::memory_order_acquire);
    unsigned t = tail.load(std::memory_order_relaxed);
    for (; t != h; ++t) {
        SEQUENCER *s = slots[t % CAPACITY];
        if (!s)
            continue;
        if (!take(s))
            break;
        ++taken;
    }
    tail.store(t, std::memory_order_release);
    return taken;
}

void forget_queued_steps(const SEQUENCER *s)
{
    const unsigned h = head.load(std::memory_order_acquire);
    for (unsigned t = tail.load(std::memory_order_relaxed); t != h; ++t)
        if (slots[t % CAPACITY] == s)
            slots[t % CAPACITY] = nullptr;
}

unsigned long dropped_step_events() { return dropped.load(std::memory_order_relaxed); }
