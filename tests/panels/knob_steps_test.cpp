// The value-dependent knob schedules, by the numbers they must give.
#include <gtest/gtest.h>

#include "panels/knob_steps.h"

namespace {

struct FloatCase {
    const char *what;
    const KNOB_SCHEDULE *schedule;
    float from;
    int direction;
    float to;
};

TEST(KnobSchedules, RulesApplyInTurnToTheValueLeftBefore)
{
    const FloatCase cases[] = {
        {"raising just below 50 Hz crosses into the 1 Hz range", &OSCILLATOR_PITCH, 49.75f, 1,
         50.25f},
        {"lowering just above 50 Hz applies two rules", &OSCILLATOR_PITCH, 50.5f, -1, 49.0f},
        {"amplitude 2.0 rises by the 1 to 10 step", &OSCILLATOR_VOLUME, 2.0f, 1, 2.0125f},
        {"the top of the range is left alone", &OSCILLATOR_PITCH, 22050.0f, 1, 22050.0f},
        {"0.1 rises by the 0.1 to 1 step", &OSCILLATOR_VOLUME, 0.1f, 1, 0.10625f},
        {"amplitude from 0.001 rises", &OSCILLATOR_VOLUME, 0.001f, 1, 0.004125f},
        {"lowering stops at 0.01", &OSCILLATOR_PITCH, 0.01f, -1, 0.01f},
        {"no direction, no change", &OSCILLATOR_PITCH, 440.0f, 0, 440.0f},
    };
    for (const FloatCase &c : cases)
        EXPECT_FLOAT_EQ(step_knob(c.from, *c.schedule, c.direction), c.to) << c.what;
}

TEST(KnobSchedules, FilterCutOffStepsByItsRanges)
{
    const struct {
        int from, direction, to;
    } cases[] = {
        {5000, -1, 4850},   // rules 1 and 2
        {9999, 1, 10099},   // the last raise
        {10099, 1, 10099},  // and no further
        {12000, -1, 11900}, // lowering starts at 12000
        {12001, -1, 12001},
        {2500, 1, 2550},
        {99, 1, 101},
        {9, 1, 10},
        {1, -1, 1}, // the bottom
        {0, 1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(step_knob(c.from, FILTER_CUTOFF, c.direction), c.to) << c.from;
}

} // namespace
