#include "synth/sine.h"

namespace sine_detail {

// Computed in long double, so that every entry is the double nearest to the
// exact value (sin(pi) is 0, not the sine of pi rounded to a double).
const std::array<double, STEPS + STEPS / 4> table = [] {
    constexpr long double PI = 3.141592653589793238462643383279502884L;
    std::array<double, STEPS + STEPS / 4> t{};
    for (int i = 0; i < STEPS + STEPS / 4; ++i)
        t[i] = (double)std::sin(2.0L * PI * i / STEPS);
    return t;
}();

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
