// Step events: queued by the sequencer without locks, posted by the main
// thread as SDL user events in order, dropped when the queue is full, and
// forgotten when their sequencer goes away.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "synth/sequencer.h"
#include "synth/step_queue.h"
#include "ui/views/step_events.h"

namespace {

class StepEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no SDL video: " << SDL_GetError();
        post_step_events(); // whatever earlier tests left
        drain_sdl();
    }
    void TearDown() override { SDL_Quit(); }

    // The sequencers (data2) of the step events in SDL's queue, in order.
    static std::vector<void *> drain_sdl()
    {
        std::vector<void *> seen;
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type != SDL_USEREVENT)
                continue;
            EXPECT_EQ(1, e.user.code);
            EXPECT_EQ(static_cast<SEQUENCER *>(e.user.data2)->step_event_text, e.user.data1);
            seen.push_back(e.user.data2);
        }
        return seen;
    }

    std::unique_ptr<SEQUENCER> a{new SEQUENCER}, b{new SEQUENCER};
};

} // namespace

TEST_F(StepEvents, PostedInTheOrderTheStepsFiredAndForgottenWithTheirSequencer)
{
    a->set_name("A");
    b->set_name("B");
    for (SEQUENCER *s : {a.get(), b.get(), a.get()})
        ASSERT_TRUE(queue_step_event(s));
    EXPECT_TRUE(drain_sdl().empty()) << "nothing reaches SDL before the main thread posts";
    EXPECT_EQ(3, post_step_events());
    EXPECT_EQ((std::vector<void *>{a.get(), b.get(), a.get()}), drain_sdl());
    EXPECT_EQ(0, post_step_events());

    // One step of each already posted to SDL, one still in the queue: B goes.
    queue_step_event(a.get());
    queue_step_event(b.get());
    post_step_events();
    queue_step_event(b.get());
    queue_step_event(a.get());
    forget_step_events(b.get());
    b.reset();
    post_step_events();
    EXPECT_EQ((std::vector<void *>{a.get(), a.get()}), drain_sdl());
}

TEST_F(StepEvents, AFullQueueDropsAndCountsInsteadOfWaiting)
{
    const unsigned long dropped_before = dropped_step_events();
    int queued = 0;
    for (int i = 0; i < 1000; ++i)
        queued += queue_step_event(a.get());
    EXPECT_LT(queued, 1000);
    EXPECT_EQ(1000 - queued, (int)(dropped_step_events() - dropped_before));
    // SDL's queue may hold fewer: the rest wait for the next pass.
    int posted = 0;
    for (int pass = 0; pass < 10 && posted < queued; ++pass) {
        const int n = post_step_events();
        EXPECT_EQ(n, (int)drain_sdl().size());
        posted += n;
    }
    EXPECT_EQ(queued, posted);
    EXPECT_TRUE(queue_step_event(a.get())) << "room again once posted";
    post_step_events();
    drain_sdl();
}
