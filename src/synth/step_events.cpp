#include "synth/step_events.h"

#include <SDL/SDL.h>

#include <atomic>
#include <vector>

#include "synth/sequencer.h"

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

bool event_queue_running() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

bool is_step_of(const SDL_Event &e, const SEQUENCER *s)
{
    return e.type == SDL_USEREVENT && e.user.code == 1 && e.user.data2 == s;
}

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

int post_step_events()
{
    const bool running = event_queue_running();
    int posted = 0;
    const unsigned h = head.load(std::memory_order_acquire);
    unsigned t = tail.load(std::memory_order_relaxed);
    for (; t != h; ++t) {
        SEQUENCER *s = slots[t % CAPACITY];
        if (!s || !running)
            continue;
        SDL_Event event;
        event.type = SDL_USEREVENT;
        event.user.type = SDL_USEREVENT;
        event.user.code = 1;
        event.user.data1 = s->step_event_text;
        event.user.data2 = s;
        // SDL's own queue is full: the rest wait for the next pass.
        if (SDL_PushEvent(&event) != 0)
            break;
        ++posted;
    }
    tail.store(t, std::memory_order_release);
    return posted;
}

void forget_step_events(const SEQUENCER *s)
{
    const unsigned h = head.load(std::memory_order_acquire);
    for (unsigned t = tail.load(std::memory_order_relaxed); t != h; ++t)
        if (slots[t % CAPACITY] == s)
            slots[t % CAPACITY] = nullptr;

    if (!event_queue_running())
        return;
    // Takes the user events out of SDL's queue and puts back those of the
    // other sequencers, in their order.
    std::vector<SDL_Event> keep;
    SDL_Event events[64];
    int n;
    while ((n = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT))) > 0)
        for (int i = 0; i < n; ++i)
            if (!is_step_of(events[i], s))
                keep.push_back(events[i]);
    if (!keep.empty())
        SDL_PeepEvents(keep.data(), (int)keep.size(), SDL_ADDEVENT, 0);
}

unsigned long dropped_step_events() { return dropped.load(std::memory_order_relaxed); }
