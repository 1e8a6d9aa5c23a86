#include "synth/vco.h"

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace {

// A distinct, non-zero noise seed for every oscillator, from the clock and a
// count (as the C library's generator is seeded from a clock, no listener
// can tell one sequence from another).
uint64_t noise_seed()
{
    static std::atomic<uint64_t> count{0};
    uint64_t z = (uint64_t)std::chrono::steady_clock::now().time_since_epoch().count() +
                 0x9E3779B97F4A7C15ULL * (count.fetch_add(1) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return z ? z : 1;
}

} // namespace

VCO::VCO(float amplitude_, float frequency_, type_generateur type_)
    : OUTPUT(0.0f), INPUT(), INPUT_GATE(nullptr), INPUT_SYNC(nullptr), power(1), mod_phase(nullptr),
      mod_frequency(nullptr), mod_amplitude(nullptr), mod_pulse_width(nullptr), position(0.0f),
      phase((float)(std::rand() % 360)), amplitude(amplitude_), frequency(frequency_),
      pulse_width(DEFAULT_PULSE_WIDTH), held_noise(0.0f), type(type_), latched_phase(nullptr),
      latched_frequency(nullptr), latched_amplitude(nullptr), latched_pulse_width(nullptr),
      connected(false), step_key(0), step(0.0), pitch_key(0), pitched(0.0f),
      noise_state(noise_seed())
{
    std::strcpy(name, "Emptynamed_VCO");
}

VCO::~VCO()
{
    delete mod_phase.get();
    delete mod_frequency.get();
    delete mod_amplitude.get();
    delete mod_pulse_width.get();
}
