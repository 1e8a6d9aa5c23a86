// The sequencer panel: its step columns, digit displays, queued changes and
// the edits of the playing pattern.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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
    EXPECT_EQ(resting->colour, 0x505050);
    EXPECT_STREQ(resting->text, "1.0");
}

// A column of pattern 0: "octave note volume length skip".
std::string column(const SEQUENCER &s, int step)
{
    char out[64];
    std::snprintf(out, sizeof out, "%d %d %.1f %.1f %d", s.octave[0][step], s.note[0][step],
                  s.volume[0][step], s.length[0][step], s.bypass[0][step]);
    return out;
}

// The buttons and knobs edit the pattern shown, each its own step, within the
// reach of the displays (1 to 32 steps, octave 0 to 10, note 0 to 12); the divider and
// the pattern are queued for the end of the loop. Element names carry the
// panel's number, of any length, as their prefix.
TEST(SequencerPanel, ButtonsAndKnobsEditTheirOwnStepWithinTheLimits)
{
    for (const char *number : {"3", "42", "105"}) {
        SEQUENCER seq;
        seq.step_count = 31;
        seq.octave[0][2] = 9;
        seq.note[0][4] = 11;
        seq.note[0][5] = 0;
        SEQ_GUI panel(&seq, 0, 0, number);
        auto count = [&] {
            return std::to_string(seq.step_count) + "|" + text_of(panel, "LABEL_MAX_STEP") + "|" +
                   image_of(panel, "SPRITE_NOTE_9").substr(0, 14) + "|" +
                   image_of(panel, "SPRITE_NOTE_10").substr(0, 14);
        };
        auto queued = [&] {
            return std::to_string(seq.wished_divider) + " " + std::to_string(seq.divider) + "|" +
                   text_of(panel, "LABEL_WISHED_DIVIDER") + " " + text_of(panel, "LABEL_DIVIDER") +
                   "|" + std::to_string(seq.wished_pattern) + " " + std::to_string(seq.pattern);
        };
        BUTTON *skip = panel.get_BUTTON_by_name("BUTTON_BYPASS_4");
        ASSERT_NE(skip, nullptr);
        auto lamp = [&] {
            return std::to_string(seq.bypass[0][3]) + " " + std::to_string(skip->state) + " " +
                   skip->sprite_NAME;
        };
        const struct {
            const char *element, *turn; // turn: the knob's word; null: released
            int times;
            std::function<std::string()> seen;
            std::string expected;
        } script[] = {
            {"BUTTON_MAX_STEP_UP", nullptr, 3, count, "32|32|LED_NUMERIC_1_|LED_NUMERIC_1_"},
            {"BUTTON_MAX_STEP_DOWN", nullptr, 40, count, "1| 1|LED_NUMERIC_2_|LED_NUMERIC_2_"},
            {"BUTTON_MAX_STEP_UP", nullptr, 8, count, "9| 9|LED_NUMERIC_1_|LED_NUMERIC_2_"},
            {"BUTTON_DIVIDER_UP", nullptr, 2, queued, "0.500000 2.000000|0.500 2.000|0 0"},
            {"BUTTON_DIVIDER_DOWN", nullptr, 1, queued, "1.000000 2.000000|1.000 2.000|0 0"},
            {"BUTTON_PATTERN_5", nullptr, 1, queued, "1.000000 2.000000|1.000 2.000|5 0"},
            {"BUTTON_PATTERN_31", nullptr, 1, queued, "1.000000 2.000000|1.000 2.000|31 0"},
            {"BUTTON_OCT_3_UP", nullptr, 2, [&] { return digits(panel, "OCT", 3); },
             "LED_NUMERIC_1_2 LED_NUMERIC_1_1"},
            {"BUTTON_NOTE_5_UP", nullptr, 2, [&] { return digits(panel, "NOTE", 5); },
             "LED_NUMERIC_1_2 LED_NUMERIC_1_3"},
            {"BUTTON_NOTE_6_DOWN", nullptr, 1, [&] { return digits(panel, "NOTE", 6); },
             "LED_NUMERIC_1_0 LED_NUMERIC_1_1"},
            {"BUTTON_OCT_32_DOWN", nullptr, 4, [&] { return digits(panel, "OCT", 32); },
             "LED_NUMERIC_2_0 LED_NUMERIC_2_1"},
            {"BUTTON_BYPASS_4", nullptr, 1, lamp, "1 1 LAMP_LED_2_1"},
            {"BUTTON_BYPASS_4", nullptr, 1, lamp, "0 0 LAMP_LED_2_0"},
            {"BUTTON_BYPASS_4", nullptr, 1, lamp, "1 1 LAMP_LED_2_1"},
            {"SLD_VOL_10", "SLD_DOWN", 1, [&] { return text_of(panel, "LABEL_TXT_10_VOL"); },
             "1.1"},
            {"SLD_LENGHT_1", "SLD_UP", 1, [&] { return text_of(panel, "LABEL_TXT_1_LENGHT"); },
             "0.5"},
        };
        for (const auto &s : script) {
            if (s.turn)
                turn(panel, s.element, s.turn, s.times);
            for (int i = 0; !s.turn && i < s.times; i++)
                release(panel, s.element);
            EXPECT_EQ(s.seen(), s.expected) << number << " " << s.element;
        }
        std::vector<std::string> expected(SEQ_GUI::STEP_COLUMNS, "3 10 1.0 1.0 0"), got;
        expected[0] = "3 10 1.0 0.5 0";
        expected[2] = "10 10 1.0 1.0 0";
        expected[3] = "3 10 1.0 1.0 1";
        expected[4] = "3 12 1.0 1.0 0";
        expected[5] = "3 0 1.0 1.0 0";
        expected[9] = "3 10 1.1 1.0 0";
        expected[31] = "0 10 1.0 1.0 0";
        for (int i = 0; i < SEQ_GUI::STEP_COLUMNS; i++)
            got.push_back(column(seq, i));
        EXPECT_EQ(got, expected) << number;
    }
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

// What plays shows as it changes: the playing pattern's pad lit, the queued
// one blinking with the steps, no step lamp while switched off, the divider
// taken at the end of the loop on its display.
TEST(SequencerPanel, ThePadsLampsAndDividersShowWhatPlays)
{
    SEQUENCER seq;
    SEQ_GUI panel(&seq, 0, 0, "3");
    seq.pattern = 2;
    seq.wished_pattern = 5;
    std::vector<std::string> queued;
    for (int step : {0, 1, 2}) {
        seq.current_step = step;
        frame(panel);
        EXPECT_EQ(image_of(panel, "BUTTON_PATTERN_2"), "PAD_1");
        EXPECT_EQ(image_of(panel, "BUTTON_PATTERN_0"), "PAD_0");
        queued.push_back(image_of(panel, "BUTTON_PATTERN_5"));
    }
    EXPECT_EQ(queued, (std::vector<std::string>{"PAD_1", "PAD_0", "PAD_1"}));
    seq.power = 0;
    frame(panel);
    EXPECT_EQ(image_of(panel, "LAMPE_STEP_3"), "LAMP_LED_1_0");
    seq.divider = 8.0f; // the loop took the queued divider
    frame(panel);
    EXPECT_EQ(text_of(panel, "LABEL_DIVIDER"), "8.000");
}

} // namespace
