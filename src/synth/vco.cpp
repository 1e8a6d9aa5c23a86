#include "synth/vco.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "synth/sample_rate.h"

namespace {

constexpr double TWO_PI_APPROX = 6.2831853; // the oscillator's own 2*pi

// A modulation input takes part only when it exists and is connected.
inline bool modulated(const INPUT *in) { return in && in->source; }

// Scales a parameter by (1 + m), rounded to single precision.
inline float scale_by(float p, const INPUT *in)
{
    double m = *in->source;
    return (float)(p * m + p);
}

// The bound of the noise magnitude, a * 32767 + 1 truncated toward zero. A
// product below the int range gives the lowest int, as the processor's own
// conversion does, instead of undefined behaviour. (a is at most 1 here.)
inline int noise_divisor(float a)
{
    const double d = a * 32767.0 + 1.0;
    return d > (double)INT_MIN - 1.0 ? (int)d : INT_MIN;
}

} // namespace

VCO::VCO(float amplitude_, float frequency_, type_generateur type_)
    : OUTPUT(0.0f), INPUT(), INPUT_GATE(nullptr), INPUT_SYNC(nullptr), power(1), mod_phase(nullptr),
      mod_frequency(nullptr), mod_amplitude(nullptr), mod_pulse_width(nullptr), position(0.0f),
      phase((float)(std::rand() % 360)), amplitude(amplitude_), frequency(frequency_),
      pulse_width(0.1f), held_noise(0.0f), type(type_)
{
    std::strcpy(name, "Emptynamed_VCO");
}

VCO::~VCO()
{
    delete mod_phase;
    delete mod_frequency;
    delete mod_amplitude;
    delete mod_pulse_width;
}

void VCO::set_modulation(INPUT *&slot, INPUT *input)
{
    INPUT *old = slot;
    slot = input;
    delete old;
}

int VCO::evolue()
{
    if (power == 0) {
        value = 0.0f;
        return 1;
    }

    if (INPUT_SYNC::source && *INPUT_SYNC::source != 0)
        position = 0.0f;

    float a = amplitude;
    float f = frequency;
    float ph = phase;
    float pw = pulse_width;

    if (INPUT::source)
        f = (float)(((double)*INPUT::source * frequency) / 44.0);
    if (modulated(mod_amplitude))
        a = scale_by(a, mod_amplitude);
    if (modulated(mod_frequency))
        f = scale_by(f, mod_frequency);
    if (modulated(mod_phase))
        ph = scale_by(ph, mod_phase);
    if (modulated(mod_pulse_width))
        pw = scale_by(pw, mod_pulse_width);

    if (a > 1.0f)
        a = 1.0f;

    position = (float)(position + f / (double)SAMPLE_RATE);
    if (position > 1.0f)
        position = -1.0f;

    const double pos = position;
    switch (type) {
    case SIN:
        value = (float)(std::sin((pos + ph) * TWO_PI_APPROX) * a);
        break;
    case TRI: {
        double v = 0.0;
        if (pos >= -1.0 && pos < 0.0)
            v = -(2.0 * a * pos);
        if (pos >= 0.0 && pos <= 1.0)
            v = 2.0 * a * pos;
        value = (float)(v - a);
        break;
    }
    case SAW:
        value = (float)(a * pos);
        break;
    case SQR: {
        double s = std::sin((pos + ph) * TWO_PI_APPROX);
        if (s >= 0.5)
            value = a;
        else if (s < -0.5)
            value = -a;
        else
            value = 0.0f;
        break;
    }
    case NOISE:
        // A NaN amplitude (from a patch file or a modulation) is silence.
        if (a == 0.0f || std::isnan(a)) {
            value = 0.0f;
            break;
        }
        if (position == -1.0f) {
            // A new magnitude once per cycle. Amplitudes between -2/32767 and
            // 0 give a divisor of 0: the noise then falls silent for the cycle.
            const int d = noise_divisor(a);
            held_noise = d != 0 ? (float)(std::rand() % d) : 0.0f;
        }
        if (std::rand() % 2 == 1)
            held_noise = -held_noise;
        value = (float)(held_noise / 32676.0);
        break;
    case PULSE:
        value = (pos + ph) <= pw ? a : -a;
        break;
    default:
        value = 0.0f;
        break;
    }

    if (value >= 1.0f)
        value = 1.0f;
    if (value <= -1.0f)
        value = -1.0f;
    return 1;
}
