// The history of the edits of the running patch, as the texts of its file
// in each state: what undo goes back to and redo forward to, and whether the
// patch differs from its file.
//
// An edit is whatever changes the text: a knob, a button, a step or pattern,
// a cable, a module added or removed, a panel moved. Whoever watches the
// patch notes its text after each change the user made; the text that
// differs from the last one noted is one step.
#pragma once

#include <deque>
#include <string>

class EDIT_HISTORY {
public:
    // Steps kept; the oldest goes first.
    static constexpr size_t DEPTH = 200;

    // Starts anew from a patch as its file holds it (loaded, started empty):
    // nothing to undo or redo.
    void start(const std::string &text);
    // The patch's text now. When it differs from the last state, that state
    // becomes the newest undo step and the redo steps are dropped. Returns
    // whether it was an edit.
    bool note(const std::string &text);
    // The state before the newest undo step (text) and what that step did
    // (what); the state now becomes the first redo step. False when there
    // is nothing to undo.
    bool undo(std::string &text, std::string &what);
    // The same forward.
    bool redo(std::string &text, std::string &what);
    // The file now holds the state now.
    void saved() { saved_text = now; }

    // Whether the state now differs from the file's.
    bool unsaved() const { return now != saved_text; }
    const std::string &current() const { return now; }
    size_t undo_steps() const { return undos.size(); }
    size_t redo_steps() const { return redos.size(); }

private:
    struct STEP {
        std::string text; // the state the step leads to
        std::string what; // what it changes, in a few words
    };
    std::deque<STEP> undos, redos;
    std::string now, saved_text;
};

// What leads from one text of a patch file to another, in a few words: a
// module added or removed ("VCO_2 added"), a cable ("cable VCO_1 -> VCA_1
// IN"), a setting ("VCA_1 ATTACK"), a pattern ("SEQUENCER_1 patterns"), a
// panel ("VCO_1 panel"), a MIDI controller bound or unbound ("VCO_1 MIDI
// controller"), a cable painted ("a cable colour into VCA_1"), the output
// ("the output mixer").
std::string edit_words(const std::string &before, const std::string &after);
