// Note number to frequency in Hz, shared by the keyboard, the sequencer and
// the patch reader.
#pragma once

constexpr int NOTE2FREQ_SIZE = 2000;
extern double NOTE2FREQ[NOTE2FREQ_SIZE];

// Entry k = 8.1757989 * 2^((k + 11) / 12), the power taken in single
// precision (so from k = 1525 on it overflows to +infinity) and the product
// in double. Entry 58 is 440 Hz.
void fill_NOTE2FREQ();
