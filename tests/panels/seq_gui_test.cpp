// The sequencer panel: its step columns, digit displays, queued changes and
// the edits of the playing pattern.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/label.h"
#include "panel_test_helpers.h"
#include "panels/seq_gui.h"

using namespace panel_test;

namespace {

std::string digits(OBJET &p, const std::string &what, int step)
{
    const std::string name = "SPRITE_" + what + "_" + std::to_string(step);
    return image_of(p, name + "_0") + " " + image_of(p, name);
}

TEST(SequencerPanel, DigitsShowTensAndUnitsInTheStepsStyle)
{
    SEQUENCER seq;
    seq.step_count = 4;
    seq.note[0][0] = 12;
    seq.note[0][1] = 7;
    seq.octave[0][2] = 10;
    seq.note[0][5] = 12;
    seq.note[0][6] = 44; // from a file: shown at the end of the display's reach
    SEQ_GUI panel(&seq, 0, 0, "12");
    EXPECT_EQ(digits(panel, "NOTE", 1), "LED_NUMERIC_1_2 LED_NUMERIC_1_3");
    EXPECT_EQ(digits(panel, "NOTE", 2), "LED_NUMERIC_1_0 LED_NUMERIC_1_8");
    EXPECT_EQ(digits(panel, "OCT", 3), "LED_NUMERIC_1_2 LED_NUMERIC_1_1");
    EXPECT_EQ(digits(panel, "NOTE", 6), "LED_NUMERIC_2_2 LED_NUMERIC_2_3"); // past the count
    EXPECT_EQ(digits(panel, "NOTE", 7), "LED_NUMERIC_2_2 LED_NUMERIC_2_10");
    const LABEL *playing = dynamic_cast<LABEL *>(part(panel, "LABEL_TXT_4_VOL"));
    const LABEL *resting = dynamic_cast<LABEL *>(part(panel, "LABEL_TXT_5_LENGHT"));
    EXPECT_EQ(playing->colour, 0);
    EXPECT_EQ(resting->colour, 0x808080);
    EXPECT_STREQ(resting->text, "1.0");
}

TEST(SequencerPanel, StepCountStaysWithinOneAndThirtyTwo)
{
    const struct {
        int from;
        const char *button;
        int to;
    } cases[] = {{32, "BUTTON_MAX_STEP_UP", 32}, {1, "BUTTON_MAX_STEP_DOWN", 1},
                 {8, "BUTTON_MAX_STEP_UP", 9},   {8, "BUTTON_MAX_STEP_DOWN", 7}};
    for (const auto &c : cases) {
        SEQUENCER seq;
        seq.step_count = c.from;
        SEQ_GUI panel(&seq, 0, 0, "3");
        release(panel, c.button);
        EXPECT_EQ(seq.step_count, c.to) << c.from << " " << c.button;
        EXPECT_EQ(text_of(panel, "LABEL_MAX_STEP"), (c.to < 10 ? " " : "") + std::to_string(c.to));
        // The columns follow the new count at once.
        EXPECT_EQ(image_of(panel, "SPRITE_NOTE_" + std::to_string(c.to)).substr(0, 14),
                  "LED_NUMERIC_1_");
    }
}

TEST(SequencerPanel, DividerChangesAreQueued)
{
    SEQUENCER seq;
    SEQ_GUI panel(&seq, 0, 0, "3");
    release(panel, "BUTTON_DIVIDER_UP");
    release(panel, "BUTTON_DIVIDER_UP");
    EXPECT_FLOAT_EQ(seq.wished_divider, 0.5f);
    EXPECT_FLOAT_EQ(seq.divider, 2.0f);
    EXPECT_EQ(text_of(panel, "LABEL_DIVIDER"), "2.000");
    EXPECT_EQ(text_of(panel, "LABEL_WISHED_DIVIDER"), "0.500");
    release(panel, "BUTTON_DIVIDER_DOWN");
    EXPECT_FLOAT_EQ(seq.wished_divider, 1.0f);
}

TEST(SequencerPanel, OctaveAndNoteButtonsStopAtTenAndTwelve)
{
    SEQUENCER seq;
    seq.octave[0][2] = 9;
    seq.note[0][4] = 11;
    seq.note[0][5] = 0;
    SEQ_GUI panel(&seq, 0, 0, "3");
    for (int expected : {10, 10}) {
        release(panel, "BUTTON_OCT_3_UP");
        EXPECT_EQ(seq.octave[0][2], expected);
    }
    EXPECT_EQ(digits(panel, "OCT", 3), "LED_NUMERIC_1_2 LED_NUMERIC_1_1");
    release(panel, "BUTTON_NOTE_5_UP");
    release(panel, "BUTTON_NOTE_5_UP");
    EXPECT_EQ(seq.note[0][4], 12);
    release(panel, "BUTTON_NOTE_6_DOWN");
    EXPECT_EQ(seq.note[0][5], 0);
    EXPECT_EQ(seq.octave[0][0], 3); // the other steps stay
    EXPECT_EQ(seq.note[0][3], 10);
}

TEST(SequencerPanel, KnobsEditTheirOwnStepOnly)
{
    SEQUENCER seq;
    SEQ_GUI panel(&seq, 0, 0, "3");
    turn(panel, "SLD_VOL_10", "SLD_DOWN");
    turn(panel, "SLD_LENGHT_1", "SLD_UP");
    for (int i = 0; i < SEQ_GUI::STEP_COLUMNS; i++) {
        EXPECT_FLOAT_EQ(seq.volume[0][i], i == 9 ? 1.1f : 1.0f) << i;
        EXPECT_FLOAT_EQ(seq.length[0][i], i == 0 ? 0.5f : 1.0f) << i;
    }
    EXPECT_EQ(text_of(panel, "LABEL_TXT_10_VOL"), "1.1");
    EXPECT_EQ(text_of(panel, "LABEL_TXT_1_LENGHT"), "0.5");
}

TEST(SequencerPanel, PatternButtonsQueueTheirPatternWhateverThePanelNumber)
{
    for (const char *number : {"7", "42", "105"}) {
        SEQUENCER seq;
        SEQ_GUI panel(&seq, 0, 0, number);
        release(panel, "BUTTON_PATTERN_5");
        EXPECT_EQ(seq.wished_pattern, 5) << number;
        release(panel, "BUTTON_PATTERN_31");
        EXPECT_EQ(seq.wished_pattern, 31) << number;
        EXPECT_EQ(seq.pattern, 0);
        release(panel, "BUTTON_OCT_3_UP"); // long prefixes find the steps too
        EXPECT_EQ(seq.octave[0][2], 4) << number;
    }
}

TEST(SequencerPanel, SkipButtonShowsTheStepsNewState)
{
    SEQUENCER seq;
    SEQ_GUI panel(&seq, 0, 0, "3");
    BUTTON *skip = panel.get_BUTTON_by_name("BUTTON_BYPASS_4");
    ASSERT_NE(skip, nullptr);
    EXPECT_STREQ(skip->sprite_NAME, "LAMP_LED_2_0");
    for (int expected : {1, 0, 1}) {
        release(panel, "BUTTON_BYPASS_4");
        EXPECT_EQ(seq.bypass[0][3], expected);
        EXPECT_EQ(skip->state, expected);
        EXPECT_STREQ(skip->sprite_NAME, expected ? "LAMP_LED_2_1" : "LAMP_LED_2_0");
    }
    EXPECT_EQ(seq.bypass[0][2], 0);
}

TEST(SequencerPanel, LampsFollowTheNextStepAndPatternsShowAtTheLoopStart)
{
    SEQUENCER seq;
    seq.note[1][0] = 5;
    SEQ_GUI panel(&seq, 0, 0, "3");
    seq.current_step = 6;
    seq.pattern = 1; // taken by the sequencer at the end of the loop
    frame(panel);
    EXPECT_EQ(image_of(panel, "LAMPE_STEP_7"), "LAMP_LED_1_1");
    EXPECT_EQ(image_of(panel, "LAMPE_STEP_1"), "LAMP_LED_1_0");
    EXPECT_EQ(digits(panel, "NOTE", 1), "LED_NUMERIC_1_2 LED_NUMERIC_1_1"); // still pattern 0

    SDL_Event step = {};
    step.type = SDL_USEREVENT;
    panel.ajoute_message(MESSAGE(1, &step, nullptr, nullptr));
    frame(panel); // not at the loop start: nothing shown anew
    EXPECT_EQ(digits(panel, "NOTE", 1), "LED_NUMERIC_1_2 LED_NUMERIC_1_1");
    seq.current_step = 0;
    panel.ajoute_message(MESSAGE(1, &step, nullptr, nullptr));
    frame(panel);
    EXPECT_EQ(digits(panel, "NOTE", 1), "LED_NUMERIC_1_0 LED_NUMERIC_1_6");

    seq.pattern = 40; // out of the arrays: the panel shows pattern 0, where it goes
    panel.refresh_all();
    EXPECT_EQ(digits(panel, "NOTE", 1), "LED_NUMERIC_1_2 LED_NUMERIC_1_1");
}

TEST(SequencerPanel, EveryStepColumnHasItsFourteenElements)
{
    SEQUENCER seq;
    SEQ_GUI panel(&seq, 0, 0, "3");
    const char *formats[] = {"LABEL_TXT_%d_VOL", "LABEL_TXT_%d_LENGHT", "LAMPE_STEP_%d",
                             "SPRITE_OCT_%d",    "SPRITE_OCT_%d_0",     "SPRITE_NOTE_%d",
                             "SPRITE_NOTE_%d_0", "SLD_VOL_%d",          "SLD_LENGHT_%d",
                             "BUTTON_OCT_%d_UP", "BUTTON_OCT_%d_DOWN",  "BUTTON_NOTE_%d_UP",
                             "BUTTON_NOTE_%d_DOWN", "BUTTON_BYPASS_%d"};
    for (int step : {1, 32}) {
        for (const char *format : formats) {
            char name[40];
            std::snprintf(name, sizeof name, format, step);
            SPRITE *s = part(panel, name);
            ASSERT_NE(s, nullptr);
            EXPECT_GE(s->x, 20 * (step - 1) + 61) << name;
        }
    }
}

} // namespace
