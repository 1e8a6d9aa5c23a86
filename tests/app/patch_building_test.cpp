// A patch built while it plays: from the empty patch, thousands of random
// adds, removes, cable moves and knob turns while a "No sound" stream renders
// it. Under AddressSanitizer a callback that reads a removed module or a
// replaced list fails; under ThreadSanitizer (make test runs this test in such
// a build too) so does a change not published to the audio thread safely.
// Then the patch is saved, and the file must sound as the same edits made on
// a patch that never played.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "app/output_tap.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "audio/fsound.h"
#include "modules/module_types.h"
#include "modules/patch_edit.h"
#include "modules/sockets.h"
#include "patch/patch_writer.h"
#include "support/temp_dir.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

const MODULE_KIND KINDS[] = {VCO_MODULE,   VCA_MODULE,     VCF_MODULE,     SEQ_MODULE,
                             MIXER_MODULE, SAMPLER_MODULE, KEYBOARD_MODULE};

GENERATOR *empty_patch()
{
    GENERATOR *g = new GENERATOR();
    g->mixers.push_back(new_module(MIXER_MODULE, g->output_mixer).as<MIXER>());
    return g;
}

std::vector<MODULE> all_modules(const GENERATOR &g)
{
    std::vector<MODULE> all;
    for (MODULE_KIND k : KINDS)
        for (const MODULE &m : modules_of(g, k))
            all.push_back(m);
    return all;
}

// The knobs of the panels: plain stores of parameters while the sound plays
// (listed as deliberate in the ThreadSanitizer suppressions).
void turn_knob(const MODULE &m, unsigned n)
{
    *m.power() = n % 5 != 0;
    switch (m.kind) {
    case VCO_MODULE:
        m.as<VCO>()->frequency = 50.0f + static_cast<float>(n % 2000);
        m.as<VCO>()->amplitude = static_cast<float>(n % 11) / 10.0f;
        break;
    case VCA_MODULE:
        m.as<VCA>()->attack = static_cast<float>(n % 300);
        m.as<VCA>()->sustain = static_cast<float>(n % 7) / 6.0f;
        break;
    case VCF_MODULE:
        m.as<PCF>()->cut_off = 100 + static_cast<int>(n % 5000);
        break;
    case MIXER_MODULE:
        m.as<MIXER>()->gain[n % MIXER::CHANNELS] = static_cast<float>(n % 9) / 4.0f;
        break;
    default:
        break;
    }
}

// One cable: an input of m plugged into another module's output of its
// signal, or into nothing; a mixer's channel added or re-plugged.
void move_cable(GENERATOR &g, const MODULE &m, unsigned n)
{
    const SOCKETS sockets = input_sockets(m.kind);
    const long count = sockets.end() - sockets.begin();
    if (count == 0)
        return;
    const SOCKET &s = sockets.begin()[n % count];
    std::vector<MODULE> sources;
    for (const MODULE &source : all_modules(g))
        if (source.has_output(s.signal))
            sources.push_back(source);
    n /= static_cast<unsigned>(count);
    const MODULE source = n % 5 == 0 || sources.empty() ? MODULE() : sources[n % sources.size()];
    const int channels = s.channels_in_use(m);
    const int channel = s.channels > 1 && (channels == 0 || n % 3 == 0)
                            ? -1
                            : static_cast<int>(n / 7 % static_cast<unsigned>(channels));
    if (channel >= 0 || source)
        s.plug(m, channel, source);
}

// One edit, the same on any patch given the same numbers.
void edit(GENERATOR &g, unsigned what, unsigned n)
{
    const std::vector<MODULE> all = all_modules(g);
    const MODULE &m = all[n % all.size()];
    std::string why;
    switch (what % 8) {
    case 0:
        if (all.size() < 40)
            add_module(g, KINDS[n % 7], why);
        break;
    case 1:
        remove_module(g, m, why); // the output mixer stays
        break;
    case 2:
        turn_knob(m, n / 64);
        break;
    default:
        move_cable(g, m, n / 64);
        break;
    }
}

void edit_many(GENERATOR &g, unsigned seed, unsigned edits, void (*between)(unsigned i))
{
    std::mt19937 random(seed);
    std::srand(seed); // a new oscillator's phase is drawn from it
    for (unsigned i = 0; i < edits; ++i) {
        const unsigned what = random();
        edit(g, what, random());
        if (between)
            between(i);
    }
}

std::vector<float> render_second(GENERATOR &g)
{
    std::vector<float> out;
    for (int i = 0; i < 44100; ++i) {
        g.evaluate_one_sample();
        out.push_back(g.get_MIXER_by_name("MIXER_4")->value);
    }
    return out;
}

} // namespace

TEST(PatchBuilding, ThousandsOfEditsWhileThePatchPlaysThenItsFileSoundsAsTheEdits)
{
    fill_NOTE2FREQ();
    constexpr unsigned SEED = 25, EDITS = 20000;
    gen = empty_patch();
    connect_output_tap(gen);
    gen->playing = true;
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    ASSERT_TRUE(FSOUND_Init(Frequency, 32, 0));
    FSOUND_STREAM *stream =
        FSOUND_Stream_Create(instrument_callback, 4 * 64,
                             FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED, Frequency, nullptr);
    ASSERT_NE(nullptr, stream);
    ASSERT_EQ(0, FSOUND_Stream_Play(0, stream));
    CALLBACK_READY = 1;
    edit_many(*gen, SEED, EDITS, [](unsigned i) {
        if (i % 8 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (i % 16 == 0)
            free_retired_when_quiet();
    });
    FSOUND_Stream_Close(stream);
    FSOUND_Close();
    stop_rendering();
    EXPECT_GT(module_count(*gen), 5u) << "the edits must have built something";

    TempDir dir;
    const std::string path = dir.path("BUILT.QSY");
    FILE *f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    write_patch(*gen, f);
    std::fclose(f);
    GENERATOR loaded(path.c_str());
    ASSERT_EQ(loaded.load_status, 0) << loaded.load_problem;
    GENERATOR *quiet = empty_patch();
    edit_many(*quiet, SEED, EDITS, nullptr);
    const std::vector<float> heard = render_second(loaded);
    EXPECT_TRUE(heard == render_second(*quiet));
    EXPECT_NE(std::count(heard.begin(), heard.end(), 0.0f), 44100) << "the patch must sound";

    loaded.release_modules();
    discard_patch(quiet);
    discard_patch(gen);
    gen = nullptr;
}
