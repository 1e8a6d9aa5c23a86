// The queue between the MIDI library's thread and the main thread.
#include <gtest/gtest.h>

#include <thread>

#include "midi/midi_queue.h"

namespace {

MidiMessage numbered(unsigned i) { return {0x90, uint8_t(i & 0x7f), uint8_t((i >> 7) & 0x7f)}; }

TEST(MidiQueue, KeepsOrderAndDropsWhenFull)
{
    MidiQueue q;
    for (unsigned i = 0; i < MidiQueue::CAPACITY; ++i)
        ASSERT_TRUE(q.push(numbered(i)));
    EXPECT_FALSE(q.push(numbered(0)));
    EXPECT_EQ(1u, q.dropped());
    MidiMessage m;
    for (unsigned i = 0; i < MidiQueue::CAPACITY; ++i) {
        ASSERT_TRUE(q.pop(m));
        EXPECT_EQ(numbered(i).data1, m.data1);
        EXPECT_EQ(numbered(i).data2, m.data2);
    }
    EXPECT_FALSE(q.pop(m));
}

TEST(MidiQueue, CarriesEveryMessageAcrossThreadsInOrder)
{
    // More messages than the ring holds, the producer retrying when full:
    // the consumer sees each exactly once, in order, across many wrap-arounds.
    constexpr unsigned COUNT = 100000;
    MidiQueue q;
    std::thread producer([&q] {
        for (unsigned i = 0; i < COUNT; ++i)
            while (!q.push(numbered(i)))
                std::this_thread::yield();
    });
    unsigned next = 0;
    MidiMessage m;
    while (next < COUNT) {
        if (!q.pop(m)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(numbered(next).data1, m.data1) << next;
        ASSERT_EQ(numbered(next).data2, m.data2) << next;
        ++next;
    }
    producer.join();
}

} // namespace
