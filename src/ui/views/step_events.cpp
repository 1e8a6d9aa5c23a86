#include "ui/views/step_events.h"

#include <SDL.h>

#include <deque>
#include <vector>

#include "synth/sequencer.h"
#include "synth/step_queue.h"

namespace {

// Step events taken from SDL's queue that did not fit back into it: they are
// pushed again, first, by the next post_step_events.
std::deque<SDL_Event> waiting;

bool event_queue_running() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

bool is_step_of(const SDL_Event &e, const SEQUENCER *s)
{
    return e.type == SDL_USEREVENT && e.user.code == 1 && e.user.data2 == s;
}

SDL_Event step_event(SEQUENCER *s)
{
    SDL_Event event;
    event.type = SDL_USEREVENT;
    event.user.type = SDL_USEREVENT;
    event.user.code = 1;
    event.user.data1 = s->step_event_text;
    event.user.data2 = s;
    return event;
}

// SDL's own queue is full: the rest wait for the next pass.
bool push(SDL_Event event) { return SDL_PushEvent(&event) == 0; }

int posted = 0;

bool post(SEQUENCER *s)
{
    if (!event_queue_running())
        return true;
    if (!waiting.empty() || !push(step_event(s)))
        return false;
    ++posted;
    return true;
}

} // namespace

int post_step_events()
{
    posted = 0;
    while (!waiting.empty() && event_queue_running() && push(waiting.front())) {
        waiting.pop_front();
        ++posted;
    }
    take_step_events(post);
    return posted;
}

void forget_step_events(const SEQUENCER *s)
{
    forget_queued_steps(s);
    for (auto e = waiting.begin(); e != waiting.end();)
        e = is_step_of(*e, s) ? waiting.erase(e) : e + 1;
    if (!event_queue_running())
        return;
    // Takes the user events out of SDL's queue and puts back those of the
    // other sequencers (and the dialogs' own), in their order; those that no
    // longer fit wait to be pushed again.
    std::vector<SDL_Event> keep;
    SDL_Event events[64];
    int n;
    while ((n = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT))) > 0)
        for (int i = 0; i < n; ++i)
            if (!is_step_of(events[i], s))
                keep.push_back(events[i]);
    const int back =
        keep.empty() ? 0 : SDL_PeepEvents(keep.data(), (int)keep.size(), SDL_ADDEVENT, 0);
    for (size_t i = back < 0 ? 0 : static_cast<size_t>(back); i < keep.size(); ++i)
        waiting.push_back(keep[i]);
}
