#include "panels/seq_gui.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "panels/panel_elements.h"
#include "panels/panel_messages.h"

namespace {

void show_dividers(SEQ_GUI &p)
{
    show_text(p, "LABEL_DIVIDER", "%3.3f", p.sequencer->divider);
    show_text(p, "LABEL_WISHED_DIVIDER", "%3.3f", p.sequencer->wished_divider);
}

// A step's note as a musician reads it: C4 is note number 49 of the table
// (entry k is MIDI note k + 11).
std::string note_name(int octave, int note)
{
    static const char *const NAMES[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};
    const int midi = octave * 12 + note + 11;
    if (octave * 12 + note <= 0)
        return "REST";
    return NAMES[midi % 12] + std::to_string(midi / 12 - 1);
}

// A step event at the start of the loop shows the pattern that now plays.
void on_step(SEQ_GUI &p, const MESSAGE &)
{
    if (p.sequencer->current_step == 0)
        p.refresh_all();
}

void on_power(SEQ_GUI &p, const MESSAGE &m) { p.sequencer->power = switched_on(m); }

// The pattern number follows "BUTTON_PATTERN" and one '_'.
void on_pattern(SEQ_GUI &p, const MESSAGE &m)
{
    const char *number = std::strstr(m.target->NAME, "BUTTON_PATTERN") + 14;
    if (*number == '_')
        number++;
    p.sequencer->wished_pattern = std::atoi(number);
}

// The divider change is queued: the loop takes it at its end.
void on_divider(SEQ_GUI &p, const MESSAGE &m)
{
    if (aims_at(m, "BUTTON_DIVIDER_UP"))
        p.sequencer->wished_divider /= 2;
    if (aims_at(m, "BUTTON_DIVIDER_DOWN"))
        p.sequencer->wished_divider *= 2;
    show_dividers(p);
}

void on_step_count(SEQ_GUI &p, const MESSAGE &m)
{
    int &count = p.sequencer->step_count;
    if (aims_at(m, "BUTTON_MAX_STEP_UP"))
        count++;
    if (aims_at(m, "BUTTON_MAX_STEP_DOWN"))
        count--;
    if (count > SEQ_GUI::STEP_COLUMNS)
        count = SEQ_GUI::STEP_COLUMNS;
    if (count <= 0)
        count = 1;
    show_text(p, "LABEL_MAX_STEP", "%2d", count);
    p.refresh_all();
}

// Whether the element is the step's own, by a name format such as "BUTTON_OCT_%d_UP":
// exactly (whole), or within its NAME.
bool is_step_element(const SEQ_GUI &p, const SPRITE *s, const char *format, int i, bool whole)
{
    char name[32];
    std::snprintf(name, sizeof name, format, i + 1);
    return whole ? std::strcmp(name_in_panel(p, s), name) == 0
                 : std::strstr(s->NAME, name) != nullptr;
}

int clamp(int v, int highest) { return v < 0 ? 0 : v > highest ? highest : v; }

// The skip button and the octave and note buttons of every column.
void on_column_button(SEQ_GUI &p, const MESSAGE &m)
{
    if (m.target == nullptr)
        return;
    const int pattern = p.shown_pattern();
    for (int i = 0; i < SEQ_GUI::STEP_COLUMNS; i++) {
        if (aims_at(m, "BYPASS") && is_step_element(p, m.target, "BUTTON_BYPASS_%d", i, true)) {
            int &bypass = p.sequencer->bypass[pattern][i];
            bypass = std::abs(1 - bypass);
            p.refresh_BYPASS_value(i);
            // The button still toggles on this same release when the panel
            // hands it over: set it so that it lands on the step's new state.
            if (BUTTON *b = dynamic_cast<BUTTON *>(m.target)) {
                b->state = !b->state;
                b->pressed = 0;
                b->redraw = 1;
            }
        }
        if (aims_at(m, "OCT")) {
            int &octave = p.sequencer->octave[pattern][i];
            octave += is_step_element(p, m.target, "BUTTON_OCT_%d_UP", i, false);
            octave -= is_step_element(p, m.target, "BUTTON_OCT_%d_DOWN", i, false);
            octave = clamp(octave, SEQ_GUI::HIGHEST_OCTAVE);
            p.refresh_OCTAVE_value(i);
        }
        if (aims_at(m, "NOTE")) {
            int &note = p.sequencer->note[pattern][i];
            note += is_step_element(p, m.target, "BUTTON_NOTE_%d_UP", i, false);
            note -= is_step_element(p, m.target, "BUTTON_NOTE_%d_DOWN", i, false);
            note = clamp(note, SEQ_GUI::HIGHEST_NOTE);
            p.refresh_NOTE_value(i);
        }
    }
}

// The step whose knob is turned: 0 to 31, or -1.
int turned_step(const SEQ_GUI &p, const MESSAGE &m, const char *knob_format)
{
    for (int i = 0; i < SEQ_GUI::STEP_COLUMNS; i++)
        if (is_step_element(p, m.target, knob_format, i, true))
            return i;
    return -1;
}

// Volumes step by tenths and land on whole tenths: a step plays only at a
// volume of exactly 1, which turning down and up again gives back.
void on_volume(SEQ_GUI &p, const MESSAGE &m)
{
    const int i = turned_step(p, m, "SLD_VOL_%d");
    if (i < 0)
        return;
    float &v = p.sequencer->volume[p.shown_pattern()][i];
    v = static_cast<float>(std::round(v * 10.0 + turn_direction(m)) / 10.0);
    p.refresh_VOL_value(i);
}

void on_length(SEQ_GUI &p, const MESSAGE &m)
{
    const int i = turned_step(p, m, "SLD_LENGHT_%d");
    if (i < 0)
        return;
    float &v = p.sequencer->length[p.shown_pattern()][i];
    if (turn_direction(m) > 0)
        v *= 2;
    if (turn_direction(m) < 0)
        v /= 2;
    p.refresh_LENGHT_value(i);
}

const BINDING<SEQ_GUI> BINDINGS[] = {
    {GESTURE::STEP, "", on_step},
    {GESTURE::RELEASE, "POWER", on_power},
    {GESTURE::RELEASE, "BUTTON_PATTERN", on_pattern},
    {GESTURE::RELEASE, "DIVIDER", on_divider},
    {GESTURE::RELEASE, "MAX_STEP", on_step_count},
    {GESTURE::RELEASE, "", on_column_button},
    {GESTURE::TURN, "VOL", on_volume},
    {GESTURE::TURN, "LENGHT", on_length},
};

} // namespace

SEQ_GUI::SEQ_GUI(SEQUENCER *sequencer, int x, int y, const char *number)
    : MODULE_PANEL(sequencer, x, y, number), step_columns(STEP_COLUMNS), sequencer(sequencer)
{
    load_panel_files(*this, "SEQUEN_%s", "RC/BACK_SEQUENCEUR.RC", "RC/SEQUENCEUR.RC");
    show_text_in_both_views(*this, "label_NAME", sequencer->name);
    show_dividers(*this);
    show_text(*this, "LABEL_MAX_STEP", "%2d", sequencer->step_count);
    for (int i = 0; i < STEP_COLUMNS; i++)
        add_step_column(i);
    refresh_all();
    show_power(*this, sequencer->power);
    char name[32];
    for (int i = 0; i < STEP_COLUMNS; i++) {
        std::snprintf(name, sizeof name, "LAMPE_STEP_%d", i + 1);
        lamps[i] = get_SPRITE_by_name(name);
    }
    for (int n = 0; n < SEQUENCER::PLAYABLE_PATTERNS; n++) {
        std::snprintf(name, sizeof name, "BUTTON_PATTERN_%d", n);
        pattern_pads[n] = get_SPRITE_by_name(name);
    }
    finish_panel(*this);
}

int SEQ_GUI::evolue()
{
    if (view_mode != VIEW_FRONT) {
        OBJET::evolue();
        return 0;
    }
    handle_messages(*this, BINDINGS);
    OBJET::evolue();
    // After the widgets took their messages: a pad clicked shows what plays,
    // not its own toggle.
    show_next_step();
    show_patterns();
    if (sequencer->divider != shown_divider || sequencer->wished_divider != shown_wished_divider) {
        shown_divider = sequencer->divider;
        shown_wished_divider = sequencer->wished_divider;
        show_dividers(*this);
    }
    return 0;
}

std::string SEQ_GUI::describe(const SPRITE *element) const
{
    const char *name = name_in_panel(*this, element);
    const int p = shown_pattern();
    int i = 0;
    char rest[32] = "";
    if (std::sscanf(name, "SLD_VOL_%d", &i) == 1 && i >= 1 && i <= STEP_COLUMNS)
        return describe_value(("STEP " + std::to_string(i) + " VOLUME").c_str(), "%2.1f",
                              sequencer->volume[p][i - 1], "");
    if (std::sscanf(name, "SLD_LENGHT_%d", &i) == 1 && i >= 1 && i <= STEP_COLUMNS)
        return describe_value(("STEP " + std::to_string(i) + " LENGTH").c_str(), "%2.1f",
                              sequencer->length[p][i - 1], "");
    if (std::sscanf(name, "BUTTON_BYPASS_%d", &i) == 1 && i >= 1 && i <= STEP_COLUMNS)
        return "STEP " + std::to_string(i) + " SKIP " +
               (sequencer->bypass[p][i - 1] == 1 ? "ON" : "OFF");
    if ((std::sscanf(name, "BUTTON_OCT_%d_%31s", &i, rest) == 2 ||
         std::sscanf(name, "BUTTON_NOTE_%d_%31s", &i, rest) == 2 ||
         std::sscanf(name, "SPRITE_OCT_%d", &i) == 1 ||
         std::sscanf(name, "SPRITE_NOTE_%d", &i) == 1) &&
        i >= 1 && i <= STEP_COLUMNS)
        return "STEP " + std::to_string(i) + " NOTE " +
               note_name(sequencer->octave[p][i - 1], sequencer->note[p][i - 1]);
    if (std::sscanf(name, "BUTTON_PATTERN_%d", &i) == 1) {
        const char *state = i == sequencer->pattern          ? " PLAYING"
                            : i == sequencer->wished_pattern ? " QUEUED"
                                                             : "";
        return "PATTERN " + std::to_string(i) + state;
    }
    if (std::strstr(name, "DIVIDER"))
        return describe_value("STEPS A SECOND NOW", "%3.3f", sequencer->divider, "") +
               describe_value(", NEXT", "%3.3f", sequencer->wished_divider, "");
    if (std::strstr(name, "MAX_STEP"))
        return "STEPS " + std::to_string(sequencer->step_count);
    return MODULE_PANEL::describe(element);
}

void SEQ_GUI::take_message(const MESSAGE &m) { handle_message(*this, BINDINGS, m); }
