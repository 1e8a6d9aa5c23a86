// A small sound-output layer with the calling convention of the FSOUND_*
// functions the synthesizer was written against, built on PortAudio.
//
// It offers one thing: a pull stream that asks a callback for blocks of
// signed 16-bit interleaved stereo (left sample first), the block length
// given in bytes. Output types and drivers are chosen before FSOUND_Init;
// errors are reported by the FMOD_ERR_* code of FSOUND_GetError.
//
// Output types and the drivers they list:
//   FSOUND_OUTPUT_NOSOUND (0): one driver, "No sound": a thread of our own
//       that calls the stream callback at real-time pace and discards the
//       sound, so that everything else runs without a sound card.
//   FSOUND_OUTPUT_OSS (4):     PortAudio's OSS output devices.
//   FSOUND_OUTPUT_ESD (5):     the outputs of a running JACK server (its
//       client is named "qmodular"), then the ALSA output devices that
//       reach a sound server ("pulse", "pipewire", "jack" in their name).
//   FSOUND_OUTPUT_ALSA (6):    PortAudio's ALSA output devices.
// The sound libraries' own start-up chatter on standard error is silenced.
#pragma once

#include "audio/output_types.h"

// Stream mode bits; FSOUND_Stream_Create needs 16BITS, STEREO and SIGNED.
enum {
    FSOUND_16BITS = 0x10,
    FSOUND_STEREO = 0x40,
    FSOUND_SIGNED = 0x100,
    FSOUND_NONBLOCKING = 0x1000000,
};

enum FMOD_ERRORS {
    FMOD_ERR_NONE,
    FMOD_ERR_BUSY,
    FMOD_ERR_UNINITIALIZED,
    FMOD_ERR_INIT,
    FMOD_ERR_ALLOCATED,
    FMOD_ERR_PLAY,
    FMOD_ERR_OUTPUT_FORMAT,
    FMOD_ERR_COOPERATIVELEVEL,
    FMOD_ERR_CREATEBUFFER,
    FMOD_ERR_FILE_NOTFOUND,
    FMOD_ERR_FILE_FORMAT,
    FMOD_ERR_FILE_BAD,
    FMOD_ERR_MEMORY,
    FMOD_ERR_VERSION,
    FMOD_ERR_INVALID_PARAM,
    FMOD_ERR_NO_EAX,
    FMOD_ERR_CHANNEL_ALLOC,
    FMOD_ERR_RECORD,
    FMOD_ERR_MEDIAPLAYER,
};

struct FSOUND_STREAM;

// Fills buffer (length bytes) on the output thread; returns non-zero to keep
// streaming. The buffer arrives filled with silence.
typedef int (*FSOUND_STREAMCALLBACK)(FSOUND_STREAM *stream, void *buffer, int length,
                                     void *userdata);

float FSOUND_GetVersion();

// Output type and driver: only before FSOUND_Init (FMOD_ERR_BUSY after).
bool FSOUND_SetOutput(int output_type);
int FSOUND_GetOutput();
int FSOUND_GetNumDrivers();
// Printable name of a driver of the current output type; null when the index
// is out of range.
const char *FSOUND_GetDriverName(int driver);
bool FSOUND_SetDriver(int driver);

// Opens the selected driver at mixrate Hz for 16-bit stereo. Returns true on
// success. The channel count and flags are accepted and ignored.
bool FSOUND_Init(int mixrate, int maxchannels, unsigned int flags);
// Stops and releases every stream, closes the output.
void FSOUND_Close();

// One stream at a time. lenbytes is the block length handed to the callback;
// on a JACK output the callback gets the server's period instead.
// Returns null on failure (see FSOUND_GetError).
FSOUND_STREAM *FSOUND_Stream_Create(FSOUND_STREAMCALLBACK callback, int lenbytes, unsigned int mode,
                                    int samplerate, void *userdata);
// Starts the stream; returns the channel, or -1 on failure.
int FSOUND_Stream_Play(int channel, FSOUND_STREAM *stream);
// Stops and releases a stream; false for a null or unknown stream.
bool FSOUND_Stream_Close(FSOUND_STREAM *stream);

int FSOUND_GetError();

// Beyond the FSOUND calls: true when the selected driver is an output of the
// JACK server, whose stream plays in blocks of the server's period.
bool FSOUND_DriverIsJack();
// Beyond the FSOUND calls: the frames of the stream's latest block, 0 before
// the first one.
int FSOUND_Stream_GetBlockFrames(FSOUND_STREAM *stream);
