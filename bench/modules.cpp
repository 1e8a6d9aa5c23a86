// Cost of each synthesis module per computed sample, one module at a time
// through a per-sample call (whose own cost, and that of the changing inputs
// some cases compute, is in the figures; bench_module_walk times the modules
// as the render callback runs them), and of a whole patch of 64 oscillators
// feeding mixers. Prints "<case>: <ns> ns/module-sample".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "module_timing.h"
#include "modules/walk_planner.h"
#include "synth/flush_denormals.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

using bench::Constant;
using bench::RATE;
using bench::report;
using bench::sink;

// One module, run as the generator's walk runs it: its connections latched
// once per sub-block, one frame at a time.
template <typename Module>
void report_module(const char *name, Module &m, const std::function<void()> &before = {})
{
    int n = 0;
    report(name, 1, [&] {
        if (before)
            before();
        const int k = n++ % GENERATOR::SUB_BLOCK;
        if (k == 0)
            m.latch_inputs(0);
        m.run(k, k + 1);
        return m.value;
    });
}

void oscillators()
{
    const struct {
        const char *name;
        type_generateur type;
    } waves[] = {{"VCO SIN", SIN}, {"VCO TRI", TRI},     {"VCO SAW", SAW},
                 {"VCO SQR", SQR}, {"VCO NOISE", NOISE}, {"VCO PULSE", PULSE}};
    for (const auto &w : waves) {
        VCO vco(1.0f, 440.0f, w.type);
        report_module(w.name, vco);
    }
}

void keyboard_delay()
{
    KEYBOARD keyboard;
    keyboard.Touch_note(3, 3);
    report_module("KEYBOARD", keyboard);

    Constant a(0.5f);
    SFX_DELAY delay;
    delay.INPUT::source = &a.value;
    report_module("SFX_DELAY", delay);
}

// A mixer costs in proportion to its channels: the fewest a patch commonly
// gives it, and all it takes (as in the voice patches' sub-mixers).
void mixers()
{
    const auto sources = bench::channel_sources();
    for (int channels : {4, MIXER::CHANNELS}) {
        MIXER mixer;
        for (int i = 0; i < channels; ++i)
            mixer.ajoute_en_entree(sources[i].get(), -1);
        char name[32];
        std::snprintf(name, sizeof name, "MIXER %d channels", channels);
        report_module(name, mixer);
    }
}

// An envelope on a sine, its gate held for half a second and released for
// half a second, so every stage is timed.
void amplifier()
{
    OUTPUT_GATE gate(0);
    VCO vco(1.0f, 440.0f, SIN);
    VCA vca;
    vca.attack = 50.0f;
    vca.decay = 100.0f;
    vca.sustain = 0.5f;
    vca.release = 200.0f;
    vca.INPUT_GATE::source = &gate.state;
    vca.INPUT::source = &vco.value;
    int t = 0;
    report_module("VCA", vca, [&] {
        vco.value = (float)(t % 100) / 100.0f;
        gate.state = (t++ / (RATE / 2)) % 2 == 0;
    });
}

// A note released into silence: an envelope on a slow sine (an LFO) into a
// low-pass filter. After the release the envelope keeps multiplying its last
// output by the input, close to 1 for long stretches, so the output sinks
// slowly through the denormal numbers (about 1.5 s of them). Timed over the
// 5 s after the release, from a fresh start each run, as the engine renders
// (flush-to-zero) and without.
void release_into_silence()
{
    for (bool flush : {true, false}) {
        double best = 1e300;
        for (int run = 0; run < 3; ++run) {
            OUTPUT_GATE gate(1);
            VCO vco(1.0f, 0.2f, SIN);
            vco.phase = 0.0f;
            VCA vca;
            vca.attack = 5.0f;
            vca.decay = 50.0f;
            vca.sustain = 0.5f;
            vca.release = 500.0f;
            vca.INPUT_GATE::source = &gate.state;
            vca.INPUT::source = &vco.value;
            PCF pcf;
            pcf.INPUT::source = &vca.value;
            pcf.bypass = 0;
            pcf.type = 1;
            pcf.cut_off = 2000;
            OUTPUT *chain[] = {&vco, &vca, &pcf};
            for (int i = 0; i < RATE / 10; ++i)
                for (OUTPUT *m : chain)
                    m->evolue();
            gate.state = 0;

            std::unique_ptr<FlushDenormals> mode(flush ? new FlushDenormals : nullptr);
            const int samples = 5 * RATE;
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < samples; ++i)
                for (OUTPUT *m : chain)
                    m->evolue();
            const std::chrono::duration<double, std::nano> spent =
                std::chrono::steady_clock::now() - start;
            sink = pcf.value;
            best = std::min(best, spent.count() / samples / 3);
        }
        std::printf("VCO + VCA + PCF, 5 s after a release into silence%s: %.1f ns/module-sample\n",
                    flush ? " (as rendered)" : ", denormals kept", best);
    }
}

void filters()
{
    Constant cut_off_mod(0.0f);
    const struct {
        const char *name;
        int type;
        bool modulated;
    } cases[] = {{"PCF low-pass", 1, false},
                 {"PCF low shelf", 5, false},
                 {"PCF low-pass, cut-off modulated (coefficients every sample)", 1, true}};
    for (const auto &c : cases) {
        Constant in(0.0f);
        PCF pcf;
        pcf.INPUT::source = &in.value;
        pcf.bypass = 0;
        pcf.type = c.type;
        pcf.cut_off = 1000;
        if (c.modulated)
            pcf.mod_frequency = new INPUT(&cut_off_mod);
        int t = 0;
        report_module(c.name, pcf, [&] {
            in.value = (float)(t % 100) / 100.0f - 0.5f;
            cut_off_mod.value = (float)(t % 1000) / 2000.0f;
            ++t;
        });
    }
}

void sequencer()
{
    SEQUENCER seq;
    seq.set_name("SEQUENCER_1");
    seq.divider = 8.0f;
    report_module("SEQUENCER", seq);
}

// A two-second stereo recording retriggered whenever it ends.
void sampler()
{
    SAMPLER s;
    auto recording = std::make_unique<RECORDING>();
    recording->values.resize(2 * 2 * RATE);
    for (std::size_t i = 0; i < recording->values.size(); ++i)
        recording->values[i] = (int16_t)(i * 37);
    s.play(std::move(recording));
    OUTPUT_GATE gate(1);
    Constant pitch(523.25f);
    s.INPUT_GATE::source = &gate.state;
    s.INPUT::source = &pitch.value;
    report_module("SAMPLER", s, [&] { gate.state = 1; });
}

// 64 oscillators of every waveform, mixed by three mixers into a fourth, as
// the render callback evaluates a patch: in blocks of 3072 frames.
void generator()
{
    GENERATOR g;
    std::vector<MIXER *> groups;
    for (int i = 0; i < 3; ++i)
        groups.push_back(new MIXER);
    for (int i = 0; i < 64; ++i) {
        VCO *vco = new VCO(0.5f, 55.0f * (1 + i % 12), (type_generateur)(1 + i % 6));
        g.oscillators.push_back(vco);
        groups[i % 3]->ajoute_en_entree(vco, -1);
    }
    MIXER *out = new MIXER;
    for (MIXER *m : groups) {
        g.mixers.push_back(m);
        out->ajoute_en_entree(m, -1);
    }
    g.mixers.push_back(out);
    const int modules = (int)(g.oscillators.size() + g.mixers.size());
    plan_walk(g);
    constexpr int BLOCK = 3072;
    report(
        "GENERATOR 64 VCO + 4 MIXER", modules,
        [&] {
            float sum = 0.0f;
            g.evaluate(BLOCK, [&](int, int) { sum += out->value; });
            return sum;
        },
        BLOCK);
    g.release_modules();
}

} // namespace

int main()
{
    fill_NOTE2FREQ();
    oscillators();
    keyboard_delay();
    mixers();
    amplifier();
    release_into_silence();
    filters();
    sequencer();
    sampler();
    generator();
    return 0;
}
