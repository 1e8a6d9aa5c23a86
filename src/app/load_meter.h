// How much of the time the sound allows the patch takes: the render callback
// times its computing of each block, the main thread reads the sum once a
// second, shows it on the system dashboard and says when the sound falls
// behind. No lock on either side: the callback adds to atomics, the reader
// exchanges them for zero.
#pragma once

#include <atomic>
#include <string>

class LOAD_METER {
public:
    // Audio thread: a block of `frames` frames took busy_ns nanoseconds.
    void add_block(long long busy_ns, int frames);
    // Main thread: since the last call, the share of the blocks' periods
    // their computing took (1.0: all the time the sound allows) and the
    // share the slowest block took of its own period. False when no block
    // was computed.
    bool take(double &share, double &worst);

private:
    std::atomic<long long> busy_ns{0}, allowed_ns{0};
    std::atomic<long long> worst_permille{0};
};
extern LOAD_METER load_meter;

// What the window says when the sound falls behind: "The patch needs 360 % of
// the time the sound allows: remove modules or raise --block".
std::string behind_words(int percent);

// Every pass of the main loop or the console loop: once a second, the load
// of the last second goes to show (the system dashboard's meter; null:
// none); when a block took longer than its period, or the load passed
// 100 %, behind_words goes to the console and the status line, again at most
// every 10 seconds while it lasts.
void watch_load(void (*show)(int percent));
