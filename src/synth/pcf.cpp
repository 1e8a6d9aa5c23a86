#include "synth/pcf.h"

#include <cmath>
#include <cstring>

#include "synth/sample_rate.h"

namespace {

constexpr double RATE = SAMPLE_RATE;
constexpr double TWO_PI = 6.283185307179586;

enum FilterType : unsigned long {
    PASS = 0,
    LOW_PASS = 1,
    HIGH_PASS = 2,
    BAND_PASS = 3,
    NOTCH = 4,
    LOW_SHELF = 5,
    HIGH_SHELF = 6,
    PEAKING = 7
};

// Parameters that give the cookbook forms a stable, finite response: a
// positive Q and a cut-off from 1 Hz up to (not including) half the rate.
bool usable_parameters(double freq, double q, double gain_db)
{
    return q > 0.0 && freq >= 1.0 && freq < RATE / 2 && std::isfinite(q) && std::isfinite(gain_db);
}

bool finite_coefficients(const PCF::Cell &c)
{
    return std::isfinite(c.a1) && std::isfinite(c.a2) && std::isfinite(c.b0) &&
           std::isfinite(c.b1) && std::isfinite(c.b2);
}

void clear_history(PCF::Cell &c) { c.x1 = c.x2 = c.y1 = c.y2 = 0.0; }

// Second-order forms of the Audio EQ Cookbook (the Q form of alpha, shelf
// slope 1), each divided by a0.
void compute_coefficients(PCF::Cell &c, double freq, double q, double gain_db, unsigned long type)
{
    const double w = freq * TWO_PI / RATE;
    const double sn = std::sin(w);
    const double cs = std::cos(w);
    const double alpha = sn / (2.0 * q);
    double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;

    if (type >= LOW_PASS && type <= NOTCH) {
        const double g = std::pow(10.0, gain_db / 20.0);
        a0 = 1.0 + alpha;
        a1 = -2.0 * cs;
        a2 = 1.0 - alpha;
        switch (type) {
        case LOW_PASS:
            b1 = (1.0 - cs) * g;
            b0 = b2 = b1 * 0.5;
            break;
        case HIGH_PASS:
            b1 = -(1.0 + cs) * g;
            b0 = b2 = -b1 * 0.5;
            break;
        case BAND_PASS:
            b0 = alpha * g;
            b1 = 0.0;
            b2 = -b0;
            break;
        default: // NOTCH
            b0 = b2 = g;
            b1 = -2.0 * cs * g;
            break;
        }
    } else if (type == LOW_SHELF || type == HIGH_SHELF) {
        const double A = std::pow(10.0, gain_db / 40.0);
        const double slope = 1.0;
        const double beta_sn = std::sqrt((A * A + 1.0) / slope - (A - 1.0) * (A - 1.0)) * sn;
        // The high shelf is the low shelf with the sign of cos w turned over
        // in the and (A+1) terms.
        const double s = type == LOW_SHELF ? 1.0 : -1.0;
        a0 = (A + 1.0) + s * (A - 1.0) * cs + beta_sn;
        a1 = -2.0 * s * ((A - 1.0) + s * (A + 1.0) * cs);
        a2 = (A + 1.0) + s * (A - 1.0) * cs - beta_sn;
        b0 = A * ((A + 1.0) - s * (A - 1.0) * cs + beta_sn);
        b1 = 2.0 * s * A * ((A - 1.0) - s * (A + 1.0) * cs);
        b2 = A * ((A + 1.0) - s * (A - 1.0) * cs - beta_sn);
    } else if (type == PEAKING) {
        const double A = std::pow(10.0, gain_db / 40.0);
        a0 = 1.0 + alpha / A;
        a1 = -2.0 * cs;
        a2 = 1.0 - alpha / A;
        b0 = 1.0 + alpha * A;
        b1 = a1;
        b2 = 1.0 - alpha * A;
    }

    c.r = 1.0 / a0;
    c.a1 = a1 * c.r;
    c.a2 = a2 * c.r;
    c.b0 = b0 * c.r;
    c.b1 = b1 * c.r;
    c.b2 = b2 * c.r;
}

// The filters of PCF::run_steady_lanes in groups of lanes::COUNT, one lane
// each of vectors of numbers. Lanes left over have no coefficients and a
// silent input: they rest.
constexpr int GROUPS = PCF::STEADY_LANES / lanes::COUNT;
using lanes::Doubles;
using lanes::Floats;
struct SteadyLanes {
    Doubles b0, b1, b2, a1, a2, x1, x2, y1, y2;
    Floats level;
    // Each lane's input (silence when left over), the first `count` lanes'
    // outputs, and their frames as vectors of lanes.
    const float *in[lanes::COUNT];
    float *out[lanes::COUNT];
    int count;
    Floats x[SUB_BLOCK], y[SUB_BLOCK];
    // The mix of every frame when a lane's mix is modulated, else of all
    // frames in m[0].
    bool modulated;
    Floats m[SUB_BLOCK];
};

// The groups frame after frame, so that their chains of dependent steps
// (each frame's sum needs the last) overlap.
LANES_FOR_EACH_WIDTH void run_lanes(SteadyLanes (&s)[GROUPS], int n)
{
    Doubles x1[GROUPS], x2[GROUPS], y1[GROUPS], y2[GROUPS];
    for (int g = 0; g < GROUPS; ++g) {
        lanes::gather(s[g].in, s[g].x, n);
        x1[g] = s[g].x1, x2[g] = s[g].x2, y1[g] = s[g].y1, y2[g] = s[g].y2;
    }
    for (int k = 0; k < n; ++k)
        for (int g = 0; g < GROUPS; ++g)
            pcf_detail_steady_frame(s[g].b0, s[g].b1, s[g].b2, s[g].a1, s[g].a2, x1[g], x2[g],
                                    y1[g], y2[g], s[g].x[k], s[g].m[s[g].modulated ? k : 0],
                                    s[g].level, s[g].y[k]);
    for (int g = 0; g < GROUPS; ++g) {
        s[g].x1 = x1[g], s[g].x2 = x2[g], s[g].y1 = y1[g], s[g].y2 = y2[g];
        lanes::scatter(s[g].y, s[g].out, s[g].count, n);
    }
}

} // namespace

void PCF::run_steady_lanes(PCF *const *f, int count, int from, int to)
{
    static const float silence[SUB_BLOCK] = {};
    SteadyLanes groups[GROUPS];
    const int n = to - from;
    for (int g = 0; g < GROUPS; ++g) {
        SteadyLanes &s = groups[g];
        s.count = lanes::in_group(count, g);
        s.modulated = false;
        for (int i = 0; i < count; ++i)
            s.modulated = s.modulated || f[i]->latched_mix;
    }
    for (int i = 0; i < STEADY_LANES; ++i) {
        SteadyLanes &s = groups[i / lanes::COUNT];
        const int j = i % lanes::COUNT;
        const PCF *p = i < count ? f[i] : nullptr;
        const Cell c = p ? p->cell : Cell{};
        s.b0[j] = c.b0, s.b1[j] = c.b1, s.b2[j] = c.b2, s.a1[j] = c.a1, s.a2[j] = c.a2;
        s.x1[j] = c.x1, s.x2[j] = c.x2, s.y1[j] = c.y1, s.y2[j] = c.y2;
        s.level[j] = p ? p->level : 0.0f;
        s.in[j] = p ? p->INPUT::latched + from : silence;
        s.out[j] = p ? f[i]->history.frames + 1 + from : nullptr;
        const float mix = p ? p->mix : 0.0f;
        const float *mod = p ? p->latched_mix : nullptr;
        for (int k = 0; k < (s.modulated ? n : 1); ++k)
            s.m[k][j] = mod ? mix + mix * mod[from + k] : mix;
    }
    run_lanes(groups, n);
    for (int i = 0; i < count; ++i) {
        const SteadyLanes &s = groups[i / lanes::COUNT];
        const int j = i % lanes::COUNT;
        PCF &p = *f[i];
        Cell &c = p.cell;
        c.x1 = s.x1[j], c.x2 = s.x2[j], c.y1 = s.y1[j], c.y2 = s.y2[j];
        p.value = s.out[j][n - 1];
    }
}

PCF::PCF()
    : OUTPUT(0.0f), INPUT(), INPUT_GATE(nullptr), INPUT_SYNC(nullptr), power(1), mod_phase(nullptr),
      mod_frequency(nullptr), mod_amplitude(nullptr), mix(1.0f), type(3), bypass(1), cut_off(0),
      gain(1.0f), level(1.0f), q(1.0f), latched_frequency(nullptr), latched_mix(nullptr)
{
    name[0] = '\0';
    // Zero history, and a cache key that matches nothing.
    std::memset(&cell, 0, sizeof cell);
    set_HiCutOff(300);
}

PCF::~PCF()
{
    delete mod_phase.get();
    delete mod_frequency.get();
    delete mod_amplitude.get();
}

void PCF::set_HiCutOff(int hz) { cut_off = hz; }

int PCF::set_HiCutOff_Lower()
{
    cut_off += 100;
    return 1;
}

// With unusable parameters (Q of zero or below, cut-off below 1 Hz or at or
// above 22050 Hz, coefficients that overflow) the cell outputs 0 and clears
// its history, so that it starts clean once the parameters are usable again.
bool PCF::set_coefficients(double freq, double q_, double gain_db, unsigned long type_)
{
    Cell &c = cell;
    if (!usable_parameters(freq, q_, gain_db)) {
        clear_history(c);
        return false;
    }
    c.key_frequency = freq;
    c.key_q = q_;
    c.key_gain = gain_db;
    c.key_type = type_;
    compute_coefficients(c, freq, q_, gain_db, type_);
    c.key_valid = finite_coefficients(c);
    if (!c.key_valid)
        clear_history(c);
    return c.key_valid;
}
