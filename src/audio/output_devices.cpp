#include "audio/output_devices.h"

#include <cstdlib>
#include <portaudio.h>

#include "audio/fsound.h"
#include "audio/quiet_stderr.h"

namespace {
bool portaudio_running = false;
}

bool portaudio_start()
{
    if (portaudio_running)
        return true;
    // Without a running JACK server, its client library would try to launch
    // one while PortAudio probes it.
    setenv("JACK_NO_START_SERVER", "1", 0);
    QuietStderr quiet;
    portaudio_running = Pa_Initialize() == paNoError;
    return portaudio_running;
}

void portaudio_stop()
{
    if (!portaudio_running)
        return;
    QuietStderr quiet;
    Pa_Terminate();
    portaudio_running = false;
}

bool reaches_sound_server(const std::string &device_name)
{
    for (const char *server : {"pulse", "pipewire", "jack"})
        if (device_name.find(server) != std::string::npos)
            return true;
    return false;
}

std::vector<OutputDevice> list_output_devices(int output_type)
{
    std::vector<OutputDevice> devices;
    PaHostApiTypeId api;
    if (output_type == FSOUND_OUTPUT_OSS)
        api = paOSS;
    else if (output_type == FSOUND_OUTPUT_ALSA || output_type == FSOUND_OUTPUT_ESD)
        api = paALSA;
    else
        return devices;
    if (!portaudio_start())
        return devices;

    PaHostApiIndex api_index = Pa_HostApiTypeIdToHostApiIndex(api);
    if (api_index < 0)
        return devices;
    const PaHostApiInfo *api_info = Pa_GetHostApiInfo(api_index);
    for (int i = 0; i < api_info->deviceCount; ++i) {
        PaDeviceIndex device = Pa_HostApiDeviceIndexToDeviceIndex(api_index, i);
        const PaDeviceInfo *info = Pa_GetDeviceInfo(device);
        if (!info || info->maxOutputChannels < 2)
            continue;
        std::string name = info->name;
        if (output_type == FSOUND_OUTPUT_ESD && !reaches_sound_server(name))
            continue;
        devices.push_back({device, name});
    }
    return devices;
}
