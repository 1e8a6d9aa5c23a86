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

} // namespace sine_detail
