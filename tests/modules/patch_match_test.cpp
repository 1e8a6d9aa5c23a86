// Undo and redo as the edit history makes them: the patch that plays is made
// into an earlier (or later) state of itself in place. After random edits of
// every kind, matching each state back in turn gives each state's file
// exactly, the first one's sound included, and matching forward again gives
// the edited patch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "modules/patch_match.h"
#include "modules/random_edits_helpers.h"
#include "patch/patch_sections.h"
#include "patch/patch_writer.h"
#include "synth/note2freq.h"

namespace {

// The patch the text holds, built as a load builds it.
struct SNAPSHOT_PATCH {
    GENERATOR g;
    explicit SNAPSHOT_PATCH(const std::string &text)
    {
        EXPECT_TRUE(read_patch_snapshot(g, text)) << g.load_problem;
    }
    ~SNAPSHOT_PATCH() { g.release_modules(); }
};

std::vector<float> render(GENERATOR &g)
{
    std::vector<float> out;
    for (int i = 0; i < 22050; ++i) {
        g.evaluate_one_sample();
        out.push_back(g.get_MIXER_by_name(g.output_mixer)->value);
    }
    return out;
}

TEST(PatchMatch, EditsUndoneOneByOneGiveEachStateBackAndRedoneGiveTheEditedPatch)
{
    fill_NOTE2FREQ();
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        GENERATOR *live = empty_patch();
        edit_many(*live, seed, 60, nullptr); // a patch to start from
        std::vector<std::string> states = {patch_snapshot(*live)};
        std::mt19937 random(seed);
        for (int i = 0; i < 150; ++i) {
            const unsigned what = random();
            edit(*live, what, random());
            if (patch_snapshot(*live) != states.back())
                states.push_back(patch_snapshot(*live));
        }
        ASSERT_GT(states.size(), 50u);
        for (size_t k = states.size() - 1; k-- > 0;) {
            SNAPSHOT_PATCH earlier(states[k]);
            match_patch(*live, earlier.g);
            ASSERT_EQ(patch_snapshot(*live), states[k]) << "undo to state " << k;
        }
        SNAPSHOT_PATCH first(states[0]);
        EXPECT_TRUE(render(*live) == render(first.g)) << "the first state's sound";
        for (size_t k = 1; k < states.size(); ++k) {
            SNAPSHOT_PATCH later(states[k]);
            match_patch(*live, later.g);
            ASSERT_EQ(patch_snapshot(*live), states[k]) << "redo to state " << k;
        }
        live->release_modules();
        delete live;
    }
}

} // namespace
