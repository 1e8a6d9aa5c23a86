#include "app/midi_duties.h"

#include <string>

#include "midi/midi_input.h"
#include "panels/controller_bindings.h"
#include "panels/system_dash.h"
#include "ui/views/status_line.h"

void toggle_midi_clock()
{
    follow_midi_clock(!following_midi_clock());
    say_in_window(following_midi_clock()
                      ? "The sequencers follow the MIDI clock when one comes (CLOCK again: their own time)"
                      : "The sequencers keep their own time");
}

bool show_midi_clock(SYSTEM_DASH *dash)
{
    const bool following = following_midi_clock();
    const float tempo = midi_clock_tempo();
    if (dash != nullptr)
        dash->show_clock(following, tempo);
    static int shown = -1; // the tempo shown, in tenths, or -1: none
    const int now = following ? static_cast<int>(tempo * 10 + 0.5f) : -1;
    const bool changed = now != shown;
    shown = now;
    return changed;
}

bool take_control_changes()
{
    // A binding made is said long enough to be read while one plays.
    constexpr int BOUND_SECONDS = 10;
    constexpr int CONTROLLERS = 16 * 128;
    static int latest[CONTROLLERS]; // value + 1 of each channel's controller, 0: none
    static int changed[CONTROLLERS];
    int count = 0;
    MidiMessage m;
    while (take_midi_controller(m)) {
        const int at = (m.status & 0x0f) * 128 + (m.data1 & 0x7f);
        if (latest[at] == 0)
            changed[count++] = at;
        latest[at] = (m.data2 & 0x7f) + 1;
    }
    for (int i = 0; i < count; ++i) {
        const int at = changed[i];
        const std::string said = take_control_change(0xb0 | at / 128, at % 128, latest[at] - 1);
        latest[at] = 0;
        if (!said.empty())
            say_in_window(said, BOUND_SECONDS);
    }
    return count > 0;
}
