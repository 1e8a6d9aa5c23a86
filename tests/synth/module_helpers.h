// Signal sources and a sine meter for the module tests.
#pragma once

#include <vector>

#include "synth/ports.h"

namespace module_test {

// An output whose value the test sets directly.
struct Source : OUTPUT {
    explicit Source(float v = 0.0f) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

// Amplitude of the component at freq Hz in a signal sampled at 44100 Hz,
// taken over a whole number of cycles by correlation with sine and cosine.
double amplitude_at(const std::vector<float> &signal, double freq);

} // namespace module_test
