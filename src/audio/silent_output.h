// The output of the "No sound" driver: a thread that asks for one block of
// sound every block period, at real-time pace, and throws it away. Sequencers
// keep their tempo and the rest of the program runs as with a sound card.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class SilentOutput {
public:
    using Tick = void (*)(void *context);

    SilentOutput() = default;
    ~SilentOutput() { stop(); }
    SilentOutput(const SilentOutput &) = delete;
    SilentOutput &operator=(const SilentOutput &) = delete;

    // Calls tick(context) at once and then once per period until stop().
    void start(std::chrono::nanoseconds period, Tick tick, void *context);
    // Returns when the thread has ended; no tick runs after it. Idempotent.
    void stop();

private:
    void run(std::chrono::nanoseconds period, Tick tick, void *context);

    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};
