// Replacing the running patch while the sound output calls the callback: the
// old patch must never be freed while a callback still evaluates it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "app/output_tap.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "synth/generator.h"

namespace {

using namespace std::chrono_literals;

// A mixer that, once armed, holds the callback inside the evaluation until
// released.
class GateMixer : public MIXER {
public:
    GateMixer() { std::strcpy(name, GENERATOR::DEFAULT_OUTPUT); }
    int evolue() override
    {
        if (armed) {
            inside = true;
            while (!released)
                std::this_thread::yield();
            armed = false;
        }
        return 1;
    }
    std::atomic<bool> armed{false}, inside{false}, released{false};
};

// A patch of a few oscillators into the output mixer: enough work per block
// that replacements often land while a callback evaluates.
GENERATOR *small_patch()
{
    GENERATOR *patch = new GENERATOR;
    MIXER *mixer = new MIXER;
    std::strcpy(mixer->name, GENERATOR::DEFAULT_OUTPUT);
    for (int i = 0; i < 12; ++i) {
        VCO *vco = new VCO(0.5f, 110.0f * (i + 1), SAW);
        patch->oscillators.push_back(vco);
        mixer->ajoute_en_entree(vco, -1);
    }
    patch->mixers.push_back(mixer);
    return patch;
}

TEST(StopRendering, WaitsForTheCallbackInsideTheEvaluation)
{
    gen = new GENERATOR;
    GateMixer *mixer = new GateMixer;
    gen->mixers.push_back(mixer);
    connect_output_tap(gen);
    CALLBACK_READY = 1;
    mixer->armed = true;

    std::vector<int16_t> buffer(8);
    std::thread audio([&] { instrument_callback(nullptr, buffer.data(), 16, nullptr); });
    while (!mixer->inside)
        std::this_thread::yield();

    std::atomic<bool> stopped{false};
    std::thread main_side([&] {
        stop_rendering();
        stopped = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(stopped) << "returned while a callback was evaluating";
    EXPECT_EQ(0, CALLBACK_READY.load());
    mixer->released = true;
    main_side.join();
    audio.join();
    EXPECT_TRUE(stopped);

    discard_patch(gen);
    gen = nullptr;
}

TEST(ReplacePatch, ManyReplacementsWhileACallbackAlmostAlwaysRuns)
{
    gen = small_patch();
    connect_output_tap(gen);
    CALLBACK_READY = 1;

    // The audio thread keeps a callback running almost all the time, as a
    // sound card asking for short blocks would.
    std::atomic<bool> running{true};
    std::atomic<long> blocks{0};
    std::thread hammer([&] {
        std::vector<int16_t> buffer(2 * 256);
        while (running) {
            instrument_callback(nullptr, buffer.data(), 4 * 256, nullptr);
            ++blocks;
        }
    });

    for (int i = 0; i < 300; ++i) {
        replace_patch(small_patch());
        EXPECT_EQ(1, CALLBACK_READY.load());
        std::this_thread::sleep_for(std::chrono::microseconds(100 * (i % 20)));
    }
    running = false;
    hammer.join();

    EXPECT_GT(blocks.load(), 300);
    EXPECT_EQ(&gen->get_MIXER_by_name(GENERATOR::DEFAULT_OUTPUT)->value, general_out->source);
    stop_rendering();
    discard_patch(gen);
    gen = nullptr;
}

} // namespace
