// The sequencer panel's step columns: the table of the fourteen controls of a
// column, the loop that builds them, and the refreshes that show a step.
#include <cstdio>

#include "panels/panel_elements.h"
#include "panels/seq_gui.h"

namespace {

enum class KIND { LABEL, SPRITE, KNOB, BUTTON };

struct COLUMN_ELEMENT {
    KIND kind;
    const char *name_format; // with the panel's name and the step number
    const char *images[3];   // label text; sprite image; knob name and image; button on, hover, off
    int x, y;                // column 0; each further column 20 pixels to the right
    int use_colorkey;
    unsigned long colorkey;
    int blend;
    float zoom; // 0: the panel's own
};

const int COLUMN_PITCH = 20;
const unsigned long MAGENTA = 0xFF00FF;
const char *const UP = "BUTTONSTYLEA_0";
const char *const DOWN = "BUTTONSTYLEB_0";

const COLUMN_ELEMENT COLUMN[] = {
    {KIND::LABEL, "%s_LABEL_TXT_%d_VOL", {"1.0"}, 62, 125, 0, 0, 0, 1.0f},
    {KIND::LABEL, "%s_LABEL_TXT_%d_LENGHT", {"1.0"}, 62, 155, 0, 0, 0, 1.0f},
    {KIND::SPRITE, "%s_LAMPE_STEP_%d", {"LAMP_LED_1_1"}, 65, 5, 1, 0, 0, 1.0f},
    {KIND::SPRITE, "%s_SPRITE_OCT_%d", {"LED_NUMERIC_1_2"}, 70, 36, 1, MAGENTA, 1, 1.0f},
    {KIND::SPRITE, "%s_SPRITE_OCT_%d_0", {"LED_NUMERIC_1_2"}, 61, 36, 1, MAGENTA, 1, 1.0f},
    {KIND::SPRITE, "%s_SPRITE_NOTE_%d", {"LED_NUMERIC_1_2"}, 70, 73, 1, MAGENTA, 1, 1.0f},
    {KIND::SPRITE, "%s_SPRITE_NOTE_%d_0", {"LED_NUMERIC_1_2"}, 61, 73, 1, MAGENTA, 1, 1.0f},
    {KIND::KNOB, "%s_SLD_VOL_%d", {"VOL", "SLD"}, 62, 106, 1, 0, 0, 0.0f},
    {KIND::KNOB, "%s_SLD_LENGHT_%d", {"LENGHT", "SLD"}, 62, 136, 1, 0, 0, 0.0f},
    {KIND::BUTTON, "%s_BUTTON_OCT_%d_UP", {UP, UP, UP}, 65, 27, 1, MAGENTA, 0, 1.0f},
    {KIND::BUTTON, "%s_BUTTON_OCT_%d_DOWN", {DOWN, DOWN, DOWN}, 65, 53, 1, MAGENTA, 0, 1.0f},
    {KIND::BUTTON, "%s_BUTTON_NOTE_%d_UP", {UP, UP, UP}, 65, 64, 0, 1, 0, 1.0f},
    {KIND::BUTTON, "%s_BUTTON_NOTE_%d_DOWN", {DOWN, DOWN, DOWN}, 65, 91, 0, 1, 0, 1.0f},
    {KIND::BUTTON,
     "%s_BUTTON_BYPASS_%d",
     {"LAMP_LED_2_1", "0", "LAMP_LED_2_0"},
     65,
     15,
     0,
     1,
     0,
     1.4f},
};

SPRITE *make(const COLUMN_ELEMENT &e, const SEQ_GUI &p)
{
    switch (e.kind) {
    case KIND::LABEL:
        return new LABEL(e.images[0], 0, 0, 55, 50, 0, 8, 0);
    case KIND::SPRITE:
        return new SPRITE(e.images[0], 0, 0, 1, 0, 0, 1.0f, 0, 0);
    case KIND::KNOB:
        return new SLIDER(e.images[0], e.images[1]);
    case KIND::BUTTON:
        return new BUTTON(p.name, e.images[0], e.images[1], e.images[2], nullptr);
    }
    return nullptr;
}

// A step's element name as the lookups know it, such as "SLD_VOL_10".
const char *step_name(char (&buffer)[32], const char *format, int i)
{
    std::snprintf(buffer, sizeof buffer, format, i + 1);
    return buffer;
}

// A value on two digit sprites: image 0 is an empty tens place, image k shows
// the digit k - 1. Style 1 for the steps that play, 2 for the others. Values
// beyond two digits' reach are shown at the nearest end.
void show_digits(SEQ_GUI &p, const char *units_format, const char *tens_format, int i, int v)
{
    v = v < 0 ? 0 : v > 19 ? 19 : v;
    const int style = i < p.sequencer->step_count ? 1 : 2;
    char image[VORN_ENGINE::NAME_SIZE], name[32];
    std::snprintf(image, sizeof image, "LED_NUMERIC_%d_%d", style, v > 9 ? 2 : 0);
    show_image(p, step_name(name, tens_format, i), image);
    std::snprintf(image, sizeof image, "LED_NUMERIC_%d_%d", style, v > 9 ? v - 9 : v + 1);
    show_image(p, step_name(name, units_format, i), image);
}

// A step plays at a volume of exactly 1, in the middle of its knob; lengths
// double and halve, 1 in the middle.
const KNOB_SWEEP VOLUME_SWEEP = {0.0, 2.0, false};
const KNOB_SWEEP LENGTH_SWEEP = {1.0 / 16, 16.0, true};

// Past the step count a step's values are shown dark grey on their grey box.
const int RESTING_TEXT = 0x505050;

// A knob and its label showing one float of a step; grey past the step count.
void show_step_value(SEQ_GUI &p, const char *knob_format, const KNOB_SWEEP &sweep,
                     const char *label_format, int i, float v)
{
    char name[32];
    show_knob(p, step_name(name, knob_format, i), v, sweep);
    if (LABEL *l = element<LABEL>(p, step_name(name, label_format, i)))
        l->colour = i >= p.sequencer->step_count ? RESTING_TEXT : 0;
    show_text(p, name, "%2.1f", v);
}

} // namespace

void SEQ_GUI::add_step_column(int i)
{
    char name[OBJET::TEXT_SIZE + 32]; // cut to a NAME by set_NAME
    for (const COLUMN_ELEMENT &e : COLUMN) {
        SPRITE *s = make(e, *this);
        std::snprintf(name, sizeof name, e.name_format, this->name, i + 1);
        s->set_NAME(name);
        s->setxyz(static_cast<float>(COLUMN_PITCH * i + e.x), static_cast<float>(e.y), 0);
        if (e.kind != KIND::LABEL) {
            s->use_colorkey = e.use_colorkey;
            s->colorkey = e.colorkey;
            s->blend = e.blend;
            s->zoom = e.zoom > 0.0f ? e.zoom : zoom;
            s->angle = e.kind == KIND::KNOB ? angle : 0;
        }
        if (e.kind == KIND::BUTTON)
            s->redraw = 1;
        front.push_back(s);
    }
}

int SEQ_GUI::shown_pattern() const
{
    const int p = sequencer->pattern;
    return p >= 0 && p < SEQUENCER::PATTERNS ? p : 0;
}

void SEQ_GUI::refresh_NOTE_value(int i)
{
    show_digits(*this, "SPRITE_NOTE_%d", "SPRITE_NOTE_%d_0", i,
                sequencer->note[shown_pattern()][i]);
}

void SEQ_GUI::refresh_OCTAVE_value(int i)
{
    show_digits(*this, "SPRITE_OCT_%d", "SPRITE_OCT_%d_0", i,
                sequencer->octave[shown_pattern()][i]);
}

void SEQ_GUI::refresh_VOL_value(int i)
{
    show_step_value(*this, "SLD_VOL_%d", VOLUME_SWEEP, "LABEL_TXT_%d_VOL", i,
                    sequencer->volume[shown_pattern()][i]);
}

void SEQ_GUI::refresh_LENGHT_value(int i)
{
    show_step_value(*this, "SLD_LENGHT_%d", LENGTH_SWEEP, "LABEL_TXT_%d_LENGHT", i,
                    sequencer->length[shown_pattern()][i]);
}

void SEQ_GUI::refresh_BYPASS_value(int i)
{
    char name[32];
    if (BUTTON *b = get_BUTTON_by_name(step_name(name, "BUTTON_BYPASS_%d", i))) {
        b->state = sequencer->bypass[shown_pattern()][i] == 1 ? 1 : 0;
        show_state(*b);
        b->redraw = 1;
    }
}

void SEQ_GUI::refresh_all()
{
    for (int i = 0; i < STEP_COLUMNS; i++) {
        refresh_NOTE_value(i);
        refresh_OCTAVE_value(i);
        refresh_VOL_value(i);
        refresh_LENGHT_value(i);
        refresh_BYPASS_value(i);
    }
}

void SEQ_GUI::show_next_step()
{
    const int lit = sequencer->power != 0 ? sequencer->current_step : -1;
    for (int i = 0; i < STEP_COLUMNS; i++)
        if (lamps[i] != nullptr)
            lamps[i]->set_sprite_NAME(i == lit ? "LAMP_LED_1_1" : "LAMP_LED_1_0");
}

void SEQ_GUI::show_patterns()
{
    const bool blink_on = sequencer->current_step % 2 == 0;
    for (int n = 0; n < SEQUENCER::PLAYABLE_PATTERNS; n++) {
        const bool playing = n == sequencer->pattern;
        const bool queued = n == sequencer->wished_pattern && !playing;
        if (pattern_pads[n] != nullptr)
            pattern_pads[n]->set_sprite_NAME(playing || (queued && blink_on) ? "PAD_1" : "PAD_0");
    }
}
