// Step schedules of the knobs whose step depends on the value: a table of
// ranges per direction, applied rule after rule, each rule testing the value
// left by the rules before it. The oscillator's and the filter's knobs differ
// only in their tables.
#pragma once

struct STEP_RULE {
    double low;
    bool low_included;
    double high;
    bool high_included;
    double step; // added when the value lies in the range

    constexpr bool holds(double v) const
    {
        return (low_included ? v >= low : v > low) && (high_included ? v <= high : v < high);
    }
};

struct KNOB_SCHEDULE {
    STEP_RULE raise[6];
    STEP_RULE lower[6];
};

// Oscillator frequency (Hz) and pulse width.
constexpr KNOB_SCHEDULE OSCILLATOR_PITCH = {
    {{50, true, 22050, false, 1},
     {20, true, 50, false, 0.5},
     {10, true, 20, false, 0.025},
     {1, true, 10, false, 0.0125},
     {0.1, false, 1, false, 0.00625},
     {0.00001, false, 0.1, false, 0.003125}},
    {{50, true, 1e9, false, -1}, // from anywhere above: sums of steps overshoot 22050
     {20, true, 50, false, -0.5},
     {10, true, 20, false, -0.025},
     {1, true, 10, false, -0.0125},
     {0.1, false, 1, false, -0.00625},
     {0.01, false, 0.1, false, -0.003125}},
};

// Oscillator amplitude: the two lowest ranges start at their bound.
constexpr KNOB_SCHEDULE OSCILLATOR_VOLUME = {
    {{50, true, 22050, false, 1},
     {20, true, 50, false, 0.5},
     {10, true, 20, false, 0.025},
     {1, true, 10, false, 0.0125},
     {0.1, true, 1, false, 0.00625},
     {0.001, true, 0.1, false, 0.003125}},
    {{50, true, 1e9, false, -1}, // from anywhere above: sums of steps overshoot 22050
     {20, true, 50, false, -0.5},
     {10, true, 20, false, -0.025},
     {1, true, 10, false, -0.0125},
     {0.1, true, 1, false, -0.00625},
     {0.01, false, 0.1, false, -0.003125}},
};

// Filter cut-off (whole Hz): raising stops above 9999 Hz, lowering starts at 12000.
constexpr KNOB_SCHEDULE FILTER_CUTOFF = {
    {{4999, false, 9999, true, 100},
     {2500, true, 4999, true, 50},
     {1000, true, 2500, false, 25},
     {100, true, 1000, false, 10},
     {9, false, 100, false, 2},
     {0, false, 9, true, 1}},
    {{4999, false, 12000, true, -100},
     {2500, true, 4999, true, -50},
     {1000, true, 2500, false, -25},
     {100, true, 1000, false, -10},
     {9, false, 100, false, -2},
     {1, false, 9, true, -1}},
};

// A sampler's volume (a gain, 1 plays the recording as it is) and tune (1
// plays it at the rate of its frequency input) from 0 to 2: the raise rules
// from the top range down and the lower rules from the bottom range up, so
// that a turn takes one step; fine steps where the ear tells them apart. A
// value beyond the range, from a patch file, comes back into it.
constexpr double FAR_BEYOND = 1e9;
constexpr KNOB_SCHEDULE SAMPLER_VOLUME = {
    {{1, true, 2, false, 0.05},
     {0.1, true, 1, false, 0.01},
     {-FAR_BEYOND, true, 0.1, false, 0.005}},
    {{0, false, 0.1, true, -0.005},
     {0.1, false, 1, true, -0.01},
     {1, false, FAR_BEYOND, true, -0.05}},
};
constexpr KNOB_SCHEDULE SAMPLER_TUNE = {
    {{1.5, true, 2, false, 0.05},
     {0.5, true, 1.5, false, 0.005},
     {-FAR_BEYOND, true, 0.5, false, 0.05}},
    {{0, false, 0.5, true, -0.05},
     {0.5, false, 1.5, true, -0.005},
     {1.5, false, FAR_BEYOND, true, -0.05}},
};

// One turn: the raise rules when direction > 0, the lower rules when it is < 0.
float step_knob(float value, const KNOB_SCHEDULE &schedule, int direction);
int step_knob(int value, const KNOB_SCHEDULE &schedule, int direction);
