#include "synth/module_helpers.h"

#include <cmath>

namespace module_test {

double amplitude_at(const std::vector<float> &signal, double freq)
{
    const double period = 44100.0 / freq;
    const std::size_t n = (std::size_t)(std::floor(signal.size() / period) * period);
    double s = 0.0, c = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = 2.0 * M_PI * freq * (double)i / 44100.0;
        s += signal[i] * std::sin(w);
        c += signal[i] * std::cos(w);
    }
    return 2.0 * std::sqrt(s * s + c * c) / (double)n;
}

} // namespace module_test
