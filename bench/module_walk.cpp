// Cost of each module type as the render callback runs it: 64 modules of the
// type in a patch of their own, evaluated in blocks of 3072 frames by the
// patch's plan (side by side where the type can). Their sources (fixed
// signals, gates) stay outside the walk, so the figure is the modules' own,
// without the per-sample call of a harness. Prints "<case>: <ns>
// ns/module-sample".
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "module_timing.h"
#include "modules/walk_planner.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

using bench::Constant;

constexpr int MODULES = 64;
constexpr int BLOCK = 3072;
// Blocks between two changes of the amplifiers' gate: about half a second,
// so that every stage of the envelope is timed.
constexpr int GATE_BLOCKS = 7;

// Fills one list of a patch with `make(i)` for i in 0 .. MODULES - 1, then
// times the walk; `before_block` runs before each block.
template <typename Module>
void report_walk(const char *name, MODULE_LIST<Module> GENERATOR::*list,
                 const std::function<Module *(int)> &make,
                 const std::function<void()> &before_block = {})
{
    GENERATOR g;
    for (int i = 0; i < MODULES; ++i)
        (g.*list).push_back(make(i));
    const Module *last = (g.*list)[MODULES - 1];
    plan_walk(g);
    char title[96];
    std::snprintf(title, sizeof title, "%s, %d in the walk", name, MODULES);
    bench::report(
        title, MODULES,
        [&] {
            if (before_block)
                before_block();
            float sum = 0.0f;
            g.evaluate(BLOCK, [&](int, int) { sum += last->value; });
            return sum;
        },
        BLOCK);
    g.release_modules();
}

void oscillators()
{
    const struct {
        const char *name;
        type_generateur type;
    } waves[] = {{"VCO SIN", SIN}, {"VCO TRI", TRI},     {"VCO SAW", SAW},
                 {"VCO SQR", SQR}, {"VCO NOISE", NOISE}, {"VCO PULSE", PULSE}};
    for (const auto &w : waves)
        report_walk<VCO>(w.name, &GENERATOR::oscillators,
                         [&](int i) { return new VCO(0.8f, 55.0f * (1 + i % 12), w.type); });
}

void keyboards()
{
    report_walk<KEYBOARD>("KEYBOARD", &GENERATOR::keyboards, [](int) {
        KEYBOARD *k = new KEYBOARD;
        k->Touch_note(3, 3);
        return k;
    });
}

void sequencers()
{
    report_walk<SEQUENCER>("SEQUENCER", &GENERATOR::sequencers, [](int) {
        SEQUENCER *s = new SEQUENCER;
        s->divider = s->wished_divider = 8.0f;
        return s;
    });
}

void mixers()
{
    const auto sources = bench::channel_sources();
    for (int channels : {4, MIXER::CHANNELS}) {
        char name[32];
        std::snprintf(name, sizeof name, "MIXER %d channels", channels);
        report_walk<MIXER>(name, &GENERATOR::mixers, [&](int) {
            MIXER *m = new MIXER;
            for (int c = 0; c < channels; ++c)
                m->ajoute_en_entree(sources[c].get(), -1);
            return m;
        });
    }
}

// Envelopes on a fixed signal, their shared gate held for about half a second
// and released for as long.
void amplifiers()
{
    Constant input(0.5f);
    OUTPUT_GATE gate(0);
    int blocks = 0;
    report_walk<VCA>(
        "VCA", &GENERATOR::amplifiers,
        [&](int) {
            VCA *a = new VCA;
            a->attack = 50.0f;
            a->decay = 100.0f;
            a->sustain = 0.5f;
            a->release = 200.0f;
            a->INPUT_GATE::source = &gate.state;
            a->INPUT::source = &input.value;
            return a;
        },
        [&] {
            if (blocks++ % GATE_BLOCKS == 0)
                gate.state = !gate.state;
        });
}

// Low-pass filters switched on, on a fixed signal: the cell runs every sample
// (only an input of exactly 0 skips it).
void filters()
{
    Constant input(0.5f);
    report_walk<PCF>("PCF low-pass", &GENERATOR::filters, [&](int i) {
        PCF *f = new PCF;
        f->INPUT::source = &input.value;
        f->bypass = 0;
        f->type = 1;
        f->cut_off = 660 + 60 * (i % 32);
        f->q = 1.5f;
        return f;
    });
}

// One-second stereo recordings, each sampler's gate opened again before
// every block, so that a sampler starts over at most one block after its
// recording ends.
void samplers()
{
    Constant pitch(523.25f);
    std::vector<OUTPUT_GATE> gates(MODULES);
    report_walk<SAMPLER>(
        "SAMPLER", &GENERATOR::samplers,
        [&](int i) {
            auto recording = std::make_unique<RECORDING>();
            recording->values.resize(2 * bench::RATE);
            for (std::size_t v = 0; v < recording->values.size(); ++v)
                recording->values[v] = (int16_t)(v * 37);
            SAMPLER *s = new SAMPLER;
            s->play(std::move(recording));
            s->INPUT_GATE::source = &gates[i].state;
            s->INPUT::source = &pitch.value;
            return s;
        },
        [&] {
            for (OUTPUT_GATE &g : gates)
                g.TRIG();
        });
}

} // namespace

int main()
{
    fill_NOTE2FREQ();
    oscillators();
    keyboards();
    sequencers();
    mixers();
    amplifiers();
    filters();
    samplers();
    return 0;
}
