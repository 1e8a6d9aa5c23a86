#include "panels/knob_steps.h"

namespace {

template <class T> T walk(T value, const KNOB_SCHEDULE &schedule, int direction)
{
    if (direction == 0)
        return value;
    for (const STEP_RULE &rule : direction > 0 ? schedule.raise : schedule.lower)
        if (rule.holds(value))
            value = static_cast<T>(value + rule.step);
    return value;
}

} // namespace

float step_knob(float value, const KNOB_SCHEDULE &schedule, int direction)
{
    return walk(value, schedule, direction);
}

int step_knob(int value, const KNOB_SCHEDULE &schedule, int direction)
{
    return walk(value, schedule, direction);
}
