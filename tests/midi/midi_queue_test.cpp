// The queue between the MIDI library's thread and the main thread.
#include <gtest/gtest.h>

#include <thread>

#include "midi/midi_queue.h"

namespace {

MidiMessage numbered(unsigned i) { return {0x90, uint8_t(i & 0x7f), uint8_t((i >> 7) & 0x7f)}; }

TEST(MidiQueue, DropsWhenFullAndCarriesEveryOtherMessageAcrossThreadsInOrder)
{
    MidiQueue q;
    for (unsigned i = 0; i < MidiQueue::CAPACITY; ++i)
        ASSERT_TRUE(q.push(numbered(i)));
    EXPECT_FALSE(q.push(numbered(0)));
    EXPECT_EQ(1u, q.dropped());

    // Then many wrap-arounds, the producer retrying when full: the consumer
    // sees each message exactly once, in order, the first CAPACITY included.
    constexpr unsigned COUNT = 100000;
    std::thread producer([&q] {
        for (unsigned i = MidiQueue::CAPACITY; i < COUNT; ++i)
            while (!q.push(numbered(i)))
                std::this_thread::yield();
    });
    MidiMessage m;
    for (unsigned next = 0; next < COUNT;) {
        if (!q.pop(m)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(numbered(next).data1, m.data1) << next;
        ASSERT_EQ(numbered(next).data2, m.data2) << next;
        ++next;
    }
    producer.join();
    EXPECT_FALSE(q.pop(m));
}

} // namespace
