#include "synth/sine.h"

namespace sine_detail {

// The thresholds sit at 1/12, 5/12, 7/12 and 11/12 of the circle, none of
// them on the edge of a step.
const std::array<signed char, STEPS> half_levels = [] {
    std::array<signed char, STEPS> t{};
    for (int i = 0; i < STEPS; ++i) {
        const double from = (i - 0.5) / STEPS, to = (i + 0.5) / STEPS; // in turns
        auto holds = [&](double turn) { return from < turn && turn < to; };
        if (holds(1.0 / 12) || holds(5.0 / 12) || holds(7.0 / 12) || holds(11.0 / 12))
            t[i] = BOTH;
        else if (to <= 1.0 / 12 || from >= 11.0 / 12)
            t[i] = 0;
        else if (to <= 5.0 / 12)
            t[i] = 1;
        else if (to <= 7.0 / 12)
            t[i] = 0;
        else
            t[i] = -1;
    }
    return t;
}();

} // namespace sine_detail
