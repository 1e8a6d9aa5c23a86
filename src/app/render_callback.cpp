#include "app/render_callback.h"

#include <chrono>
#include <climits>
#include <thread>

#include "app/load_meter.h"
#include "app/recorder.h"
#include "app/scope_feed.h"
#include "synth/flush_denormals.h"
#include "synth/generator.h"
#include "midi/midi_input.h"
#include "modules/retired_inputs.h"
#include "ui/views/step_events.h"

namespace {
INPUT the_output_tap;
} // namespace
INPUT *const general_out = &the_output_tap;
std::atomic<int> CALLBACK_READY{0};
std::atomic<unsigned long> wrapped_samples{0};
SCOPE_FEED scope_feed;

namespace {

// Callbacks between their entry and their return. A callback announces
// itself before it reads CALLBACK_READY and stop_rendering() clears the flag
// before it reads this count; with sequentially consistent operations on both,
// either the callback sees the flag at 0, or stop_rendering() sees the
// callback and waits for it.
std::atomic<int> callbacks_inside{0};

class InsideCallback {
public:
    InsideCallback() { callbacks_inside.fetch_add(1); }
    ~InsideCallback() { callbacks_inside.fetch_sub(1); }
};

// The tap's n frames of the sub-block just computed. Its link is read once
// per sub-block, as every cable is: it may be re-pointed at any moment.
void tap_frames(float *v, int n)
{
    const float *s = general_out->source;
    for (int k = 0; k < n; ++k)
        v[k] = s ? computed_frame(s, k) : 0.0f;
}

// v * 32767 truncated toward zero; INT32_MIN when that is not a 32-bit
// integer (the value the processor's conversion gives).
int32_t truncated_product(float v)
{
    double s = v * 32767.0;
    if (s > -2147483649.0 && s < 2147483648.0)
        return static_cast<int32_t>(s);
    return INT32_MIN;
}

int16_t low_16_bits(int32_t whole)
{
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(whole)));
}

} // namespace

int16_t output_sample(float v) { return low_16_bits(truncated_product(v)); }

int instrument_callback(FSOUND_STREAM *, void *buffer, int length, void *)
{
    InsideCallback inside;
    if (CALLBACK_READY.load() == 0)
        return 1;
    GENERATOR *patch = gen;
    if (!patch)
        return 1;

    FlushDenormals flush;
    const auto started = std::chrono::steady_clock::now();
    int16_t *frame = static_cast<int16_t *>(buffer);
    const int frames = length / FRAME_BYTES;
    const SCOPE_FEED::BLOCK scope = scope_feed.begin_block(frames);
    patch->evaluate(frames,
                    [patch](int sub_block_frames) {
                        play_midi_notes(patch->keyboards.walked(), patch->sequencers.walked(),
                                        sub_block_frames);
                    },
                    [frame, &scope](int first, int n) {
        float v[SUB_BLOCK];
        tap_frames(v, n);
        recorder.put(v, n);
        unsigned long wrapped = 0;
        for (int k = 0; k < n; ++k) {
            const int i = first + k;
            scope.put(i, v[k]);
            int32_t whole = truncated_product(v[k]);
            wrapped += whole < INT16_MIN || whole > INT16_MAX;
            int16_t sample = low_16_bits(whole);
            frame[2 * i] = sample;
            frame[2 * i + 1] = sample;
        }
        if (wrapped != 0)
            wrapped_samples.fetch_add(wrapped, std::memory_order_relaxed);
    });
    scope_feed.end_block(scope);
    load_meter.add_block(std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::steady_clock::now() - started)
                             .count(),
                         frames);
    return 1;
}

namespace {

// Once no callback holds what the running patch retired. A removed sequencer
// may have queued a step in its last walk: its steps are forgotten first.
void free_retired_modules()
{
    if (gen == nullptr)
        return;
    for (const SEQUENCER *s : gen->sequencers.retired())
        forget_step_events(s);

    gen->free_retired();
}

} // namespace

void stop_rendering()
{
    CALLBACK_READY.store(0);
    while (callbacks_inside.load() != 0)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    free_retired_inputs();
    free_retired_modules();
}

void free_retired_when_quiet()
{
    // Sequentially consistent, as the publishing of the lists and recordings
    // and the callback's count: a callback not counted here had not yet taken
    // them.
    if (callbacks_inside.load() == 0)
        free_retired_modules();
}
