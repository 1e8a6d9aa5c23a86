// MIDI messages on their way from the MIDI library's thread to the main
// thread: a fixed ring for one producer and one consumer, without locks or
// allocation, so the producer may be a real-time thread (JACK's). A message
// that finds the ring full is dropped and counted, never waited for.
#pragma once

#include <atomic>
#include <cstdint>

struct MidiMessage {
    uint8_t status; // the kind in the high four bits, the channel (0-15) in the low four
    uint8_t data1;  // note number
    uint8_t data2;  // velocity
};

class MidiQueue {
public:
    static constexpr unsigned CAPACITY = 1024; // a power of two

    // Producer: queues m; false (dropped) when the ring is full.
    bool push(const MidiMessage &m)
    {
        const unsigned t = tail.load(std::memory_order_relaxed);
        if (t - head.load(std::memory_order_acquire) == CAPACITY) {
            drops.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        ring[t % CAPACITY] = m;
        tail.store(t + 1, std::memory_order_release);
        return true;
    }

    // Consumer: takes the oldest message into m; false when there is none.
    bool pop(MidiMessage &m)
    {
        const unsigned h = head.load(std::memory_order_relaxed);
        if (h == tail.load(std::memory_order_acquire))
            return false;
        m = ring[h % CAPACITY];
        head.store(h + 1, std::memory_order_release);
        return true;
    }

    unsigned long dropped() const { return drops.load(std::memory_order_relaxed); }

private:
    MidiMessage ring[CAPACITY];
    // Free-running counters; their difference is the number queued.
    std::atomic<unsigned> head{0}; // written by the consumer only
    std::atomic<unsigned> tail{0}; // written by the producer only
    std::atomic<unsigned long> drops{0};
};
