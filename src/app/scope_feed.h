// The oscilloscope's feed: the played samples on their way from the render
// callback (audio thread) to the main loop, which draws them. A fixed ring
// with one writer and one reader: the writer never waits, never allocates and
// drops what does not fit; the reader takes what has arrived.
#pragma once

#include <atomic>
#include <cstdint>

class SCOPE_FEED {
public:
    static constexpr uint32_t SIZE = 1u << 15; // about 0.74 s of sound

    // The room one call of the render callback may fill, starting at head.
    struct BLOCK {
        float *data = nullptr; // null while nobody watches: put() does nothing
        uint32_t head = 0, room = 0;

        void put(int i, float v) const
        {
            if (data != nullptr && static_cast<uint32_t>(i) < room)
                data[(head + static_cast<uint32_t>(i)) & (SIZE - 1)] = v;
        }
    };

    // Main thread: whether the render callback should feed the ring at all.
    void watch(bool on) { watched.store(on ? 1 : 0, std::memory_order_relaxed); }

    // Audio thread, at the start of a call that computes `frames` frames.
    BLOCK begin_block(int frames)
    {
        BLOCK b;
        if (watched.load(std::memory_order_relaxed) == 0)
            return b;
        b.head = head.load(std::memory_order_relaxed);
        const uint32_t free = SIZE - (b.head - tail.load(std::memory_order_acquire));
        b.room = static_cast<uint32_t>(frames) < free ? static_cast<uint32_t>(frames) : free;
        b.data = samples;
        frames_per_call.store(frames, std::memory_order_relaxed);
        if (b.room < static_cast<uint32_t>(frames))
            dropped.fetch_add(frames - b.room, std::memory_order_relaxed);
        return b;
    }
    // Audio thread, at the end of the call: publishes what put() wrote.
    void end_block(const BLOCK &b)
    {
        if (b.data != nullptr)
            head.store(b.head + b.room, std::memory_order_release);
    }

    // Main thread: takes up to max of the samples that arrived, oldest
    // first; returns how many.
    int read(float *out, int max)
    {
        const uint32_t t = tail.load(std::memory_order_relaxed);
        uint32_t n = head.load(std::memory_order_acquire) - t;
        if (n > static_cast<uint32_t>(max))
            n = static_cast<uint32_t>(max);
        for (uint32_t i = 0; i < n; i++)
            out[i] = samples[(t + i) & (SIZE - 1)];
        tail.store(t + n, std::memory_order_release);
        return static_cast<int>(n);
    }
    // Main thread: forgets every sample not read yet.
    void flush() { tail.store(head.load(std::memory_order_acquire), std::memory_order_release); }

    // Frames computed by the render callback's last call that fed the ring
    // (0 before the first).
    int last_frames_per_call() const { return frames_per_call.load(std::memory_order_relaxed); }
    // Samples dropped because the reader fell behind.
    unsigned long dropped_samples() const { return dropped.load(std::memory_order_relaxed); }

private:
    float samples[SIZE] = {};
    std::atomic<uint32_t> head{0}; // written by the audio thread only
    std::atomic<uint32_t> tail{0}; // written by the main thread only
    std::atomic<int> watched{0};
    std::atomic<int> frames_per_call{0};
    std::atomic<unsigned long> dropped{0};
};

// The one feed, filled by instrument_callback.
extern SCOPE_FEED scope_feed;
