#include "audio/fsound.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <portaudio.h>
#include <vector>

#include "audio/output_devices.h"
#include "audio/quiet_stderr.h"
#include "audio/silent_output.h"

namespace {

constexpr int FRAME_BYTES = 4; // two signed 16-bit samples
constexpr unsigned int NEEDED_MODE = FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED;
// FSOUND_Init checks the format before any block length is known.
constexpr int BLOCK_FOR_CHECK = 3072;

} // namespace

struct FSOUND_STREAM {
    FSOUND_STREAMCALLBACK callback;
    void *userdata;
    int lenbytes;
    int samplerate;
    PaStream *device_stream;          // sound card output,
    bool jack;                        // on the JACK server, or
    SilentOutput silent;              // the "No sound" pacing thread
    std::vector<unsigned char> block; // its buffer
    std::atomic<int> last_frames{0};  // frames of the latest block
};

namespace {

struct SoundState {
    int output = FSOUND_OUTPUT_NOSOUND;
    int driver = 0;
    bool initialised = false;
    int mixrate = 44100;
    bool devices_listed = false;
    std::vector<OutputDevice> devices; // drivers of a PortAudio output type
    FSOUND_STREAM *stream = nullptr;
    int error = FMOD_ERR_NONE;
};

SoundState state;

bool fail(int code)
{
    state.error = code;
    return false;
}

bool uses_portaudio() { return state.output != FSOUND_OUTPUT_NOSOUND; }

const std::vector<OutputDevice> &drivers()
{
    if (!state.devices_listed) {
        state.devices = list_output_devices(state.output);
        state.devices_listed = true;
    }
    return state.devices;
}

const OutputDevice &chosen_device() { return drivers()[state.driver]; }

// The device's buffering asked for a stream of blocks of `frames` frames at
// `rate` Hz: two blocks, within the device's own low and high latencies. The
// default block of 3072 frames so gets the high latency; a small block gets a
// short buffer, which is what a small block is chosen for.
PaStreamParameters output_parameters(int frames, int rate)
{
    PaStreamParameters p;
    std::memset(&p, 0, sizeof p);
    p.device = chosen_device().device;
    p.channelCount = 2;
    p.sampleFormat = paInt16;
    const PaDeviceInfo *info = Pa_GetDeviceInfo(p.device);
    double two_blocks = 2.0 * frames / rate;
    p.suggestedLatency = std::min(info->defaultHighOutputLatency,
                                  std::max(info->defaultLowOutputLatency, two_blocks));
    return p;
}

int error_of(PaError e)
{
    switch (e) {
    case paInvalidSampleRate:
    case paSampleFormatNotSupported:
    case paInvalidChannelCount:
        return FMOD_ERR_OUTPUT_FORMAT;
    case paDeviceUnavailable:
        return FMOD_ERR_ALLOCATED;
    case paInsufficientMemory:
        return FMOD_ERR_MEMORY;
    default:
        return FMOD_ERR_INIT;
    }
}

// Sound card side: PortAudio asks for lenbytes / 4 frames, or for the
// server's period on a JACK output.
int device_callback(const void *, void *output, unsigned long frames,
                    const PaStreamCallbackTimeInfo *, PaStreamCallbackFlags, void *user)
{
    FSOUND_STREAM *s = static_cast<FSOUND_STREAM *>(user);
    int bytes = static_cast<int>(frames) * FRAME_BYTES;
    s->last_frames.store(static_cast<int>(frames), std::memory_order_relaxed);
    std::memset(output, 0, bytes);
    return s->callback(s, output, bytes, s->userdata) ? paContinue : paComplete;
}

// "No sound" side: one block per period, into the stream's own buffer.
void silent_tick(void *user)
{
    FSOUND_STREAM *s = static_cast<FSOUND_STREAM *>(user);
    std::memset(s->block.data(), 0, s->block.size());
    s->last_frames.store(s->lenbytes / FRAME_BYTES, std::memory_order_relaxed);
    s->callback(s, s->block.data(), s->lenbytes, s->userdata);
}

} // namespace

float FSOUND_GetVersion() { return 3.74f; }

bool FSOUND_SetOutput(int output_type)
{
    if (state.initialised)
        return fail(FMOD_ERR_BUSY);
    switch (output_type) {
    case FSOUND_OUTPUT_NOSOUND:
    case FSOUND_OUTPUT_OSS:
    case FSOUND_OUTPUT_ESD:
    case FSOUND_OUTPUT_ALSA:
        break;
    default:
        return fail(FMOD_ERR_INVALID_PARAM);
    }
    state.output = output_type;
    state.driver = 0;
    state.devices_listed = false;
    state.devices.clear();
    return true;
}

int FSOUND_GetOutput() { return state.output; }

int FSOUND_GetNumDrivers()
{
    if (!uses_portaudio())
        return 1;
    return static_cast<int>(drivers().size());
}

const char *FSOUND_GetDriverName(int driver)
{
    if (driver < 0 || driver >= FSOUND_GetNumDrivers())
        return nullptr;
    if (!uses_portaudio())
        return "No sound";
    return drivers()[driver].name.c_str();
}

bool FSOUND_SetDriver(int driver)
{
    if (state.initialised)
        return fail(FMOD_ERR_BUSY);
    if (driver < 0 || driver >= FSOUND_GetNumDrivers())
        return fail(FMOD_ERR_INVALID_PARAM);
    state.driver = driver;
    return true;
}

bool FSOUND_Init(int mixrate, int, unsigned int)
{
    if (state.initialised)
        return fail(FMOD_ERR_BUSY);
    if (mixrate <= 0)
        return fail(FMOD_ERR_INVALID_PARAM);
    if (uses_portaudio()) {
        if (state.driver >= static_cast<int>(drivers().size()))
            return fail(FMOD_ERR_INIT);
        PaStreamParameters p = output_parameters(BLOCK_FOR_CHECK, mixrate);
        PaError e;
        {
            QuietStderr quiet;
            // A JACK server running at another rate is refused here too.
            e = Pa_IsFormatSupported(nullptr, &p, mixrate);
        }
        if (e != paFormatIsSupported)
            return fail(error_of(e));
    }
    state.mixrate = mixrate;
    state.initialised = true;
    return true;
}

void FSOUND_Close()
{
    FSOUND_Stream_Close(state.stream);
    state.initialised = false;
    state.devices_listed = false;
    state.devices.clear();
    portaudio_stop();
}

FSOUND_STREAM *FSOUND_Stream_Create(FSOUND_STREAMCALLBACK callback, int lenbytes, unsigned int mode,
                                    int samplerate, void *userdata)
{
    if (!state.initialised) {
        fail(FMOD_ERR_UNINITIALIZED);
        return nullptr;
    }
    if (!callback || lenbytes < FRAME_BYTES || samplerate <= 0 ||
        (mode & NEEDED_MODE) != NEEDED_MODE) {
        fail(FMOD_ERR_INVALID_PARAM);
        return nullptr;
    }
    if (state.stream) {
        fail(FMOD_ERR_CHANNEL_ALLOC);
        return nullptr;
    }
    FSOUND_STREAM *s = new FSOUND_STREAM;
    s->callback = callback;
    s->userdata = userdata;
    s->lenbytes = lenbytes;
    s->samplerate = samplerate;
    s->device_stream = nullptr;
    s->jack = false;
    if (uses_portaudio()) {
        const int frames = lenbytes / FRAME_BYTES;
        PaStreamParameters p = output_parameters(frames, samplerate);
        // A JACK output hands over the server's period as it comes: fixing
        // another block length would add a buffer and its delay.
        const unsigned long block = chosen_device().jack ? paFramesPerBufferUnspecified
                                                         : static_cast<unsigned long>(frames);
        s->jack = chosen_device().jack;
        PaError e;
        {
            QuietStderr quiet;
            e = Pa_OpenStream(&s->device_stream, nullptr, &p, samplerate, block, paNoFlag,
                              device_callback, s);
        }
        if (e != paNoError) {
            delete s;
            fail(error_of(e));
            return nullptr;
        }
    } else {
        s->block.assign(lenbytes, 0);
    }
    state.stream = s;
    return s;
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM *stream)
{
    if (!stream || stream != state.stream || channel < 0) {
        fail(FMOD_ERR_INVALID_PARAM);
        return -1;
    }
    if (stream->device_stream) {
        PaError e;
        {
            QuietStderr quiet;
            e = Pa_StartStream(stream->device_stream);
        }
        if (e != paNoError) {
            fail(FMOD_ERR_PLAY);
            return -1;
        }
    } else {
        auto period = std::chrono::nanoseconds(1000000000LL * (stream->lenbytes / FRAME_BYTES) /
                                               stream->samplerate);
        stream->silent.start(period, silent_tick, stream);
    }
    return channel;
}

bool FSOUND_Stream_Close(FSOUND_STREAM *stream)
{
    if (!stream || stream != state.stream)
        return false;
    if (stream->device_stream && stream->jack && Pa_IsStreamActive(stream->device_stream) != 1) {
        // Its JACK server went away (a stream it shut down is no longer
        // active): PortAudio would wait minutes for the server to confirm the
        // stop. The stream is left open, and PortAudio with it; the program
        // closes its sound output only when it ends.
        portaudio_abandon();
    } else if (stream->device_stream) {
        QuietStderr quiet;
        Pa_StopStream(stream->device_stream);
        Pa_CloseStream(stream->device_stream);
    }
    stream->silent.stop();
    delete stream;
    state.stream = nullptr;
    return true;
}

int FSOUND_GetError() { return state.error; }

int FSOUND_Stream_GetBlockFrames(FSOUND_STREAM *stream)
{
    return stream ? stream->last_frames.load(std::memory_order_relaxed) : 0;
}

bool FSOUND_DriverIsJack()
{
    return uses_portaudio() && state.driver < static_cast<int>(drivers().size()) &&
           chosen_device().jack;
}
