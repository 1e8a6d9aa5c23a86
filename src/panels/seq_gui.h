// The step sequencer's panel. Besides the elements of its files it builds one
// column of controls per step (seq_columns.cpp): the lamp of the next step, a
// skip button, octave and note displays with up and down buttons, and volume
// and length knobs with their labels. It edits the steps of the playing
// pattern, queues a pattern or a divider and changes the step count.
#pragma once

#include "panels/module_panel.h"
#include "synth/sequencer.h"

class SEQ_GUI : public MODULE_PANEL {
public:
    static constexpr int STEP_COLUMNS = 32;
    static constexpr int HIGHEST_OCTAVE = 10; // what the up buttons reach
    static constexpr int HIGHEST_NOTE = 12;

    int step_columns;     // STEP_COLUMNS
    SEQUENCER *sequencer; // not owned

    SEQ_GUI(SEQUENCER *sequencer, int x, int y, const char *number);

    // In the front view, handles the queued clicks, turns and step events,
    // then shows what plays: the lamp of the next step (none while switched
    // off), the playing pattern's pad lit and the queued one blinking, the
    // dividers; then the panel's own refresh. Returns 0.
    int evolue() override;
    std::string describe(const SPRITE *element) const override;
    void take_message(const MESSAGE &m) override;

    // Bring step column i (0 to 31) up to date with the playing pattern.
    void refresh_NOTE_value(int i);
    void refresh_OCTAVE_value(int i);
    void refresh_VOL_value(int i);
    void refresh_LENGHT_value(int i);
    void refresh_BYPASS_value(int i);
    // The five refreshes for every column.
    void refresh_all();

    // The pattern whose steps the panel shows and edits: the playing one,
    // or pattern 0 while the playing number is out of the step arrays.
    int shown_pattern() const;
    // Builds the controls of step column i (seq_columns.cpp).
    void add_step_column(int i);
    // Lights the lamp of the step that fires next and darkens the others.
    void show_next_step();
    // The pads of the patterns: the playing one lit, the queued one
    // blinking with the steps, the others dark.
    void show_patterns();

private:
    SPRITE *lamps[STEP_COLUMNS];
    SPRITE *pattern_pads[SEQUENCER::PLAYABLE_PATTERNS];
    float shown_divider = 0, shown_wished_divider = 0; // as the labels show them
};
