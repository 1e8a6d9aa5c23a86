#include "audio/silent_output.h"

void SilentOutput::start(std::chrono::nanoseconds period, Tick tick, void *context)
{
    stop();
    stopping = false;
    thread = std::thread(&SilentOutput::run, this, period, tick, context);
}

void SilentOutput::stop()
{
    if (!thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void SilentOutput::run(std::chrono::nanoseconds period, Tick tick, void *context)
{
    using clock = std::chrono::steady_clock;
    clock::time_point next = clock::now();
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopping) {
        // The block is computed without holding the lock, so stop() is never
        // kept waiting for more than one block.
        lock.unlock();
        tick(context);
        lock.lock();
        next += period;
        // A block slower than real time does not pile up a debt of blocks to
        // catch up on: the pace restarts from now.
        if (clock::now() > next + period)
            next = clock::now();
        wake.wait_until(lock, next, [this] { return stopping; });
    }
}
