// Cables moved while the sound plays: a "No sound" stream renders a patch
// while this thread re-plugs, unplugs and replaces every kind of connection
// thousands of times, turns knobs, takes the sequencer's step events and
// hands the sampler new recordings, freeing the replaced ones whenever no
// callback runs. Under AddressSanitizer a callback that reads a freed input
// or recording fails; under ThreadSanitizer (make test runs this test in such
// a build too) so does any connection that is not published to the audio
// thread safely.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "app/output_tap.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "audio/fsound.h"
#include "synth/generator.h"
#include "synth/note2freq.h"
#include "modules/retired_inputs.h"
#include "ui/views/step_events.h"

namespace {

std::atomic<long> blocks{0};

int counting_callback(FSOUND_STREAM *s, void *buffer, int length, void *user)
{
    ++blocks;
    return instrument_callback(s, buffer, length, user);
}

// Every kind of module with every kind of input, wired as a small patch.
struct Rig {
    GENERATOR *patch = new GENERATOR;
    SEQUENCER *seq = add(patch->sequencers, new SEQUENCER);
    KEYBOARD *key = add(patch->keyboards, new KEYBOARD);
    VCO *osc[3] = {add(patch->oscillators, new VCO(0.5f, 220.0f, SAW)),
                   add(patch->oscillators, new VCO(0.5f, 330.0f, SQR)),
                   add(patch->oscillators, new VCO(0.5f, 3.0f, SIN))};
    MIXER *out = add(patch->mixers, new MIXER);
    MIXER *group = add(patch->mixers, new MIXER);
    SAMPLER *sampler = add(patch->samplers, new SAMPLER);
    VCA *amp[2] = {add(patch->amplifiers, new VCA), add(patch->amplifiers, new VCA)};
    PCF *filter = add(patch->filters, new PCF);
    SFX_DELAY *delay = add(patch->delays, new SFX_DELAY);

    Rig()
    {
        std::strcpy(out->name, GENERATOR::DEFAULT_OUTPUT);
        sampler->play(std::make_unique<RECORDING>(RECORDING{std::vector<int16_t>(2 * 4410, 1000)}));
        sampler->INPUT_GATE::connect(seq);
        seq->divider = 40.0f;
        filter->bypass = 0;
        filter->type = 1;
        filter->cut_off = 2000;
        for (VCA *a : amp) {
            a->attack = 5.0f;
            a->INPUT::connect(osc[0]);
            a->INPUT_GATE::connect(seq);
        }
        group->ajoute_en_entree(amp[0], -1);
        group->ajoute_en_entree(filter, -1);
        out->ajoute_en_entree(group, -1);
        delay->INPUT::connect(out);
        connect_output_tap(patch);
    }
    template <typename M> static M *add(MODULE_LIST<M> &list, M *m)
    {
        list.push_back(m);
        return m;
    }
};

// The knobs of the panels: plain stores of parameters while the sound plays
// (listed as deliberate in the ThreadSanitizer suppressions).
void turn_knob(Rig &r, unsigned n)
{
    r.osc[n % 3]->frequency = 100.0f + n % 500;
    r.filter->cut_off = 200 + (int)(n % 3000);
    r.group->gain[n % 2] = (float)(n % 10) / 10.0f;
}

// One cable moved. Each case is one kind of connection the cable editor
// changes; pick chooses the new source, and 0 often means unplugged.
void move_cable(Rig &r, unsigned kind, unsigned pick)
{
    OUTPUT *audio[] = {nullptr, r.osc[0], r.osc[1], r.osc[2], r.sampler, r.amp[0], r.filter};
    OUTPUT *a = audio[pick % 7];
    OUTPUT_GATE *gates[] = {nullptr, r.seq, r.key};
    OUTPUT_SYNC *syncs[] = {nullptr, r.seq, r.key};
    VCO *o = r.osc[pick % 3];
    MOD_SLOT *slots[] = {&o->mod_phase,
                         &o->mod_frequency,
                         &o->mod_amplitude,
                         &o->mod_pulse_width,
                         &r.filter->mod_frequency,
                         &r.filter->mod_amplitude,
                         &r.sampler->mod_frequency};
    MOD_SLOT &slot = *slots[pick % 7];
    switch (kind % 10) {
    case 0:
        r.amp[pick % 2]->INPUT::connect(a);
        break;
    case 1:
        r.amp[pick % 2]->INPUT_GATE::connect(gates[pick % 3]);
        break;
    case 2:
        r.filter->INPUT::connect(a);
        break;
    case 3: // a new input in the slot; the old one is retired
        set_modulation(slot, a ? new INPUT(a) : nullptr);
        break;
    case 4: // the slot's input re-pointed or unplugged
        connect_modulation(slot, a);
        break;
    case 5:
        r.group->inputs[pick % r.group->count.load()].connect(a);
        break;
    case 6:
        if (a && r.group->count.load() < MIXER::CHANNELS)
            r.group->ajoute_en_entree(a, -1);
        break;
    case 7: // the output tap itself
        general_out->connect(pick % 4 == 0 ? nullptr : pick % 2 ? (OUTPUT *)r.delay : r.group);
        break;
    case 8:
        o->INPUT_SYNC::connect(syncs[pick % 3]);
        r.sampler->INPUT_GATE::connect(gates[(pick / 3) % 3]);
        break;
    case 9:
        o->INPUT::connect(pick % 2 ? (OUTPUT *)r.seq : nullptr);
        break;
    }
}

// A new recording for the sampler, of a length that comes and goes; the one
// it replaces may still be playing.
void swap_recording(Rig &r, unsigned pick)
{
    const std::vector<int16_t> values(2 * (1 + pick % 4410), static_cast<int16_t>(pick));
    r.sampler->play(std::make_unique<RECORDING>(RECORDING{values}));
}

} // namespace

TEST(LiveRewiring, CablesMovedThousandsOfTimesWhileTheStreamPlays)
{
    fill_NOTE2FREQ();
    Rig r;
    gen = r.patch;
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    ASSERT_TRUE(FSOUND_Init(Frequency, 32, 0));
    // Short blocks: a callback starts every 1.5 ms.
    FSOUND_STREAM *stream =
        FSOUND_Stream_Create(counting_callback, 4 * 64,
                             FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED, Frequency, nullptr);
    ASSERT_NE(nullptr, stream);
    ASSERT_EQ(0, FSOUND_Stream_Play(0, stream));
    CALLBACK_READY = 1;

    std::mt19937 random(16);
    const long before = blocks.load();
    for (unsigned i = 0; i < 20000; ++i) {
        move_cable(r, random(), random());
        if (i % 7 == 0)
            turn_knob(r, random());
        if (i % 50 == 0)
            post_step_events(); // the sequencer's steps, queued by the audio thread
        if (i % 5 == 0)
            swap_recording(r, random());
        if (i % 3 == 0)
            free_retired_when_quiet(); // as every pass of the main loop does
        if (i % 8 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const long during = blocks.load() - before;
    FSOUND_Stream_Close(stream);
    FSOUND_Close();
    stop_rendering();

    EXPECT_GT(during, 100) << "the stream must have played while the cables moved";
    EXPECT_EQ(0, retired_input_count()) << "stop_rendering frees the retired inputs";
    discard_patch(gen);
    gen = nullptr;
}
