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
#include "modules/random_edits_helpers.h"
#include "modules/patch_edit.h"
#include "patch/patch_writer.h"
#include "support/temp_dir.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

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
