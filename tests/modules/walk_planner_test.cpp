// Computing a patch a sub-block at a time by its plan: the same samples as
// frame by frame, and every change heard from the next sub-block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "modules/random_edits_helpers.h"
#include "modules/walk_planner.h"
#include "synth/note2freq.h"

namespace {

// A random patch of the seed, made to do all it can: filters running,
// samplers with a short recording closing the gate that amplifiers without
// one hear too, a note held.
GENERATOR *busy_patch(unsigned seed)
{
    GENERATOR *g = empty_patch();
    edit_many(*g, seed, 120, nullptr);
    for (PCF *f : g->filters)
        f->bypass = 0;
    OUTPUT_GATE *gate = !g->keyboards.empty()    ? (OUTPUT_GATE *)g->keyboards[0]
                        : !g->sequencers.empty() ? (OUTPUT_GATE *)g->sequencers[0]
                                                 : nullptr;
    for (SAMPLER *s : g->samplers) {
        auto recording = std::make_unique<RECORDING>();
        for (int i = 0; i < 600; ++i)
            recording->values.push_back((int16_t)(i * 50));
        s->play(std::move(recording));
        s->INPUT_GATE::connect(gate);
    }
    for (VCA *a : g->amplifiers)
        if (!a->INPUT_GATE::source.get())
            a->INPUT_GATE::connect(gate);
    for (KEYBOARD *k : g->keyboards)
        k->Touch_note(7, 1);
    // Twelve unplugged oscillators of each waveform (but the noise, whose
    // numbers are drawn anew), filling one group of lanes and part of the
    // next, and four filters of each response on one of them: computed side
    // by side by the plan.
    const type_generateur waves[] = {SIN, TRI, SAW, SQR, PULSE};
    for (int i = 0; i < 60; ++i) {
        VCO *v = new VCO(0.3f + 0.1f * (i % 4), 97.0f * (1 + i), waves[i / 12]);
        v->pulse_width = 0.05f * (i % 4);
        // The first sine's angles beyond where sine() needs no library.
        v->phase = i == 0 ? 3e5f : 0.25f * (i % 4);
        g->oscillators.push_back(v);
        g->get_MIXER_by_name(g->output_mixer)->ajoute_en_entree(v, -1);
    }
    // Twenty amplifiers gated by the note: sixteen side by side, four alone.
    for (int i = 0; i < 20; ++i) {
        VCA *a = new VCA();
        a->attack = 2.0f + i, a->decay = 10.0f * i, a->sustain = 0.1f * (i % 3);
        a->INPUT::connect(g->oscillators[g->oscillators.size() - 1 - i]);
        a->INPUT_GATE::connect(gate);
        g->amplifiers.push_back(a);
    }
    for (int i = 0; i < 28; ++i) {
        PCF *f = new PCF();
        f->bypass = 0;
        f->type = 1 + i / 4;
        f->cut_off = 200 + 150 * i;
        f->INPUT::connect(g->oscillators.back());
        g->filters.push_back(f);
    }
    return g;
}

// Every frame of every module, bit for bit (a NaN too).
std::vector<uint32_t> render(GENERATOR &g)
{
    const std::vector<MODULE> all = all_modules(g);
    std::vector<uint32_t> out;
    // The last sub-block is not a whole number of eight frames.
    g.evaluate(4003, [&](int, int n) {
        for (const MODULE &m : all)
            for (int k = 0; k < n; ++k) {
                const float v = computed_frame(&m.object->value, k);
                uint32_t bits;
                std::memcpy(&bits, &v, sizeof bits);
                out.push_back(bits);
            }
    });
    return out;
}

} // namespace

TEST(WalkPlanner, APlannedPatchSoundsAsOneComputedFrameByFrame)
{
    fill_NOTE2FREQ();
    int loops = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        std::unique_ptr<GENERATOR> planned(busy_patch(seed)), frame_by_frame(busy_patch(seed));
        plan_walk(*planned);
        ASSERT_TRUE(planned->plan_is_current());
        ASSERT_FALSE(frame_by_frame->plan());
        for (const WALK_PLAN::STEP &step : planned->plan()->steps)
            loops += step.together > 1;
        EXPECT_TRUE(render(*planned) == render(*frame_by_frame));
        planned->release_modules();
        frame_by_frame->release_modules();
    }
    EXPECT_GT(loops, 0) << "no patch had a feedback loop";
}

namespace {

// Oscillators A (a saw stepping by 0.01) and B, C under the keyboard's pitch,
// a mixer of A, an amplifier of A without a gate, and the keyboard, computed
// by its plan: each case changes one thing after the first sub-block and
// names the module whose output must show it.
struct Rig {
    GENERATOR g;
    KEYBOARD *key = add(g.keyboards, new KEYBOARD);
    VCO *a = add(g.oscillators, new VCO(1.0f, 441.0f, SAW));
    VCO *b = add(g.oscillators, new VCO(1.0f, 1323.0f, SAW));
    VCO *c = add(g.oscillators, new VCO(1.0f, 88.0f, SAW));
    MIXER *mix = add(g.mixers, new MIXER);
    VCA *amp = add(g.amplifiers, new VCA);

    Rig()
    {
        key->Touch_note(10, 0);
        mix->ajoute_en_entree(a, -1);
        amp->INPUT::connect(a);
        c->INPUT::connect(key);
        plan_walk(g);
    }
    ~Rig() { g.release_modules(); }
    template <typename M> static M *add(MODULE_LIST<M> &list, M *m)
    {
        list.push_back(m);
        return m;
    }
};

// The watched output at every frame, with the change made after the first
// sub-block; whether the plan was still current after the change.
std::vector<float> watch(OUTPUT *(*watched)(Rig &), void (*change)(Rig &), bool &plan_kept)
{
    fill_NOTE2FREQ();
    Rig r;
    std::vector<float> out;
    r.g.evaluate(3 * GENERATOR::SUB_BLOCK, [&](int first, int n) {
        for (int k = 0; k < n; ++k)
            out.push_back(computed_frame(&watched(r)->value, k));
        if (first == 0 && change) {
            change(r);
            plan_kept = r.g.plan_is_current();
        }
    });
    return out;
}

} // namespace

// A change is heard from the next sub-block; a change of the modules or their
// cables leaves the plan behind, so that the sound is computed frame by frame
// until a new plan is made (a plan kept past it would read a module before
// it has computed).
TEST(WalkPlanner, KnobsNotesAndCablesAreHeardFromTheNextSubBlock)
{
    struct Case {
        const char *change;
        bool rewires;
        OUTPUT *(*watched)(Rig &);
        void (*make)(Rig &);
    } cases[] = {
        {"amplitude knob", false, [](Rig &r) -> OUTPUT * { return r.mix; },
         [](Rig &r) { r.a->amplitude = 0.5f; }},
        {"frequency knob", false, [](Rig &r) -> OUTPUT * { return r.a; },
         [](Rig &r) { r.a->frequency = 882.0f; }},
        // A pitched oscillator keeps the scaled frequency of the last pitch
        // and knob it saw: a change of either is heard all the same.
        {"note under a pitch input", false, [](Rig &r) -> OUTPUT * { return r.c; },
         [](Rig &r) { r.key->set_note(3); }},
        {"frequency knob under a pitch input", false, [](Rig &r) -> OUTPUT * { return r.c; },
         [](Rig &r) { r.c->frequency = 30.0f; }},
        {"pitch input plugged", true, [](Rig &r) -> OUTPUT * { return r.a; },
         [](Rig &r) { r.a->INPUT::connect(r.key); }},
        {"pitch input unplugged", true, [](Rig &r) -> OUTPUT * { return r.c; },
         [](Rig &r) { r.c->INPUT::connect(nullptr); }},
        {"channel re-plugged", true, [](Rig &r) -> OUTPUT * { return r.mix; },
         [](Rig &r) { r.mix->inputs[0].connect(r.b); }},
        {"channel added", true, [](Rig &r) -> OUTPUT * { return r.mix; },
         [](Rig &r) { r.mix->ajoute_en_entree(r.b, -1); }},
        {"gate plugged", true, [](Rig &r) -> OUTPUT * { return r.amp; },
         [](Rig &r) { r.amp->INPUT_GATE::connect(r.key); }},
        {"modulation slot plugged", true, [](Rig &r) -> OUTPUT * { return r.a; },
         [](Rig &r) { connect_modulation(r.a->mod_amplitude, r.b); }},
        {"channel unplugged", true, [](Rig &r) -> OUTPUT * { return r.mix; },
         [](Rig &r) { r.mix->inputs[0].connect(nullptr); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.change);
        bool plan_kept = true;
        const std::vector<float> before = watch(c.watched, nullptr, plan_kept);
        const std::vector<float> after = watch(c.watched, c.make, plan_kept);
        const auto first = std::mismatch(before.begin(), before.end(), after.begin());
        ASSERT_NE(first.first, before.end()) << "never heard";
        EXPECT_EQ(first.first - before.begin(), GENERATOR::SUB_BLOCK);
        EXPECT_EQ(!c.rewires, plan_kept);
    }
}
