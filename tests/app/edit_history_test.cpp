// The edit history: steps noted, undone and redone in order, the redo steps
// dropped by a new edit, the oldest steps dropped past the depth, unsaved
// edits known; and the few words that say what a step changed.
#include <gtest/gtest.h>

#include <string>

#include "app/edit_history.h"

namespace {

TEST(EditHistory, UndoAndRedoWalkTheNotedStatesAndANewEditDropsTheRedoSteps)
{
    EDIT_HISTORY h;
    h.start("A");
    std::string text, what;
    EXPECT_FALSE(h.undo(text, what));
    EXPECT_FALSE(h.note("A")); // nothing changed: no step
    EXPECT_TRUE(h.note("B"));
    EXPECT_TRUE(h.note("C"));
    EXPECT_TRUE(h.unsaved());
    ASSERT_TRUE(h.undo(text, what));
    EXPECT_EQ(text, "B");
    ASSERT_TRUE(h.undo(text, what));
    EXPECT_EQ(text, "A");
    EXPECT_FALSE(h.unsaved()); // back to the file
    ASSERT_TRUE(h.redo(text, what));
    EXPECT_EQ(text, "B");
    EXPECT_TRUE(h.note("D")); // drops the redo step to C
    EXPECT_FALSE(h.redo(text, what));
    h.saved();
    EXPECT_FALSE(h.unsaved());
    ASSERT_TRUE(h.undo(text, what));
    EXPECT_EQ(text, "B");
    EXPECT_TRUE(h.unsaved());

    h.start("0");
    for (int i = 1; i <= 250; ++i)
        h.note(std::to_string(i));
    EXPECT_EQ(h.undo_steps(), EDIT_HISTORY::DEPTH);
    while (h.undo(text, what)) {
    }
    EXPECT_EQ(text, "50"); // the oldest fifty went
}

TEST(EditHistory, TheWordsNameWhatTheStepChanged)
{
    const std::string before = "BEGIN_OBJECTS_DECLARE\n\nVCO_1;TYPE=1;FREQ=440;\n"
                               "VCA_1;ATTACK=5;DECAY=1;\nMIXER_4;;\nEND_OBJECTS_DECLARE\n\n"
                               "BEGIN_LINKS_DECLARE\nVCA_1;IN=VCO_1;\nMIXER_4;ADD_CHANELL=VCA_1;\n\n"
                               "OUTPUT_1;MIXER_4;\nEND_LINKS_DECLARE\n"
                               "BEGIN_PANELS_DECLARE\nVCO_1;KIND=VCO;X=0;Y=25;VIEW=1;\n"
                               "END_PANELS_DECLARE\n";
    const auto with = [&](const std::string &from, const std::string &to) {
        std::string s = before;
        return s.replace(s.find(from), from.size(), to);
    };
    const struct {
        std::string after, words;
    } cases[] = {
        {with("MIXER_4;;\n", "MIXER_4;;\nPCF_1;HICUT=1;\n"), "PCF_1 added"},
        {with("VCO_1;TYPE=1;FREQ=440;\n", ""), "VCO_1 removed"},
        {with("VCA_1;IN=VCO_1;", "VCA_1;"), "cable VCO_1 -> VCA_1 IN"},
        {with("ADD_CHANELL=VCA_1;", "ADD_CHANELL=VCA_1;ADD_CHANELL=VCO_1;"),
         "cable VCO_1 -> MIXER_4 ADD_CHANELL"},
        {with("DECAY=1", "DECAY=2"), "VCA_1 DECAY"},
        {with("X=0;Y=25", "X=10;Y=25"), "VCO_1 panel"},
        {with("OUTPUT_1;MIXER_4", "OUTPUT_1;MIXER_5"), "the output mixer"},
        {before + "BEGIN_CONTROLLERS_DECLARE\nVCA_1;KNOB=SLD_DECAY;CHANNEL=1;CONTROLLER=7;\n"
                  "END_CONTROLLERS_DECLARE\n",
         "VCA_1 MIDI controller"},
        {before + "BEGIN_CABLE_COLOURS_DECLARE\nVCA_1;INPUT=INPUT;FROM=VCO_1;COLOUR=FF8C1A;\n"
                  "END_CABLE_COLOURS_DECLARE\n",
         "a cable colour into VCA_1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(edit_words(before, c.after), c.words);
}

} // namespace
