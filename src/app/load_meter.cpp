#include "app/load_meter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "synth/sample_rate.h"
#include "ui/views/status_line.h"

LOAD_METER load_meter;

void LOAD_METER::add_block(long long busy, int frames)
{
    const long long allowed = static_cast<long long>(frames) * 1000000000LL / SAMPLE_RATE;
    busy_ns.fetch_add(busy, std::memory_order_relaxed);
    allowed_ns.fetch_add(allowed, std::memory_order_relaxed);
    const long long permille = allowed > 0 ? busy * 1000 / allowed : 0;
    long long worst = worst_permille.load(std::memory_order_relaxed);
    while (permille > worst &&
           !worst_permille.compare_exchange_weak(worst, permille, std::memory_order_relaxed)) {
    }
}

bool LOAD_METER::take(double &share, double &worst)
{
    const long long busy = busy_ns.exchange(0, std::memory_order_relaxed);
    const long long allowed = allowed_ns.exchange(0, std::memory_order_relaxed);
    worst = static_cast<double>(worst_permille.exchange(0, std::memory_order_relaxed)) / 1000.0;
    if (allowed <= 0)
        return false;
    share = static_cast<double>(busy) / static_cast<double>(allowed);
    return true;
}

std::string behind_words(int percent)
{
    return "The patch needs " + std::to_string(percent) +
           " % of the time the sound allows: remove modules or raise --block";
}

void watch_load(void (*show)(int percent))
{
    using CLOCK = std::chrono::steady_clock;
    static CLOCK::time_point next_reading = CLOCK::now() + std::chrono::seconds(1);
    static CLOCK::time_point next_warning;
    const CLOCK::time_point now = CLOCK::now();
    if (now < next_reading)
        return;
    next_reading = now + std::chrono::seconds(1);
    double share = 0, worst = 0;
    if (!load_meter.take(share, worst))
        return;
    const int percent = static_cast<int>(std::lround(share * 100));
    if (show != nullptr)
        show(percent);
    if ((share <= 1.0 && worst <= 1.0) || now < next_warning)
        return;
    next_warning = now + std::chrono::seconds(10);
    const std::string words =
        behind_words(static_cast<int>(std::lround(std::max(share, worst) * 100)));
    std::printf("%s\n", words.c_str());
    std::fflush(stdout);
    say_in_window(words, 10);
}
