// The audio engine room: the stream's render callback and the globals it
// reads. The callback runs on the sound output's thread; everything it does
// per block is free of allocation, locks and I/O.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/fsound.h"
#include "synth/ports.h"
#include "synth/sample_rate.h"

// Output sample rate in Hz.
constexpr int Frequency = SAMPLE_RATE;
// A frame is two 16-bit samples, left then right.
constexpr int FRAME_BYTES = 4;
// The stream asks for blocks of 3072 frames (about 69.7 ms), BufferSize bytes.
constexpr int BLOCK_FRAMES = 3072;
constexpr int BufferSize = BLOCK_FRAMES * FRAME_BYTES;

// The output tap: the callback plays the value its source points at. A null
// source (a patch without its output mixer) plays silence. The tap itself stays the
// same object for the whole run; re-point it with general_out->connect(),
// which is safe while the sound plays.
extern INPUT *const general_out;

// The callback computes only while this is 1. Set it to 0 through
// stop_rendering() so as to know when no callback uses the patch any more.
extern std::atomic<int> CALLBACK_READY;

// Samples whose value lay beyond full scale and wrapped around in 16 bits,
// counted since the program started.
extern std::atomic<unsigned long> wrapped_samples;

// Fills buffer (length bytes of 16-bit stereo frames) with the patch's sound:
// one evaluation of every module per frame, the tap's value on both channels
// (and into scope_feed, app/scope_feed.h, while the oscilloscope watches).
// Leaves the buffer untouched while CALLBACK_READY is 0, and the bytes after
// the last whole frame always. Returns 1.
int instrument_callback(FSOUND_STREAM *stream, void *buffer, int length, void *userdata);

// One output sample for a tap value: v * 32767 truncated toward zero, then
// its low 16 bits (values beyond -1.0 .. 1.0 wrap around; NaN and products
// outside the 32-bit range give the lowest 32-bit value first).
int16_t output_sample(float v);

// Sets CALLBACK_READY to 0 and returns once no callback is inside the
// evaluation any more: the patch may then be changed or freed. Frees the
// modulation inputs retired while the sound played (retired_inputs.h) and
// what the running patch's changes retired.
void stop_rendering();

// Frees what the running patch's changes retired (list copies, modules
// removed, recordings replaced), when no callback is inside the evaluation
// now: any callback that starts later takes the lists and recordings as they
// are. Main thread.
void free_retired_when_quiet();
