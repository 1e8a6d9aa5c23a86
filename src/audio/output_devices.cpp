#include "audio/output_devices.h"

#include <cstdlib>
#include <pa_jack.h>
#include <portaudio.h>

#include "audio/jack_server.h"
#include "audio/output_types.h"
#include "audio/quiet_stderr.h"

namespace {

bool portaudio_running = false;
bool portaudio_abandoned = false;

// Where the drivers of each output type come from, in menu order.
struct DeviceSource {
    int output_type;
    PaHostApiTypeId api;
    bool sound_servers_only; // keep the devices whose name reaches a server
    const char *prefix;      // put before the device name in the menu
};

constexpr DeviceSource SOURCES[] = {
    {FSOUND_OUTPUT_OSS, paOSS, false, ""},
    {FSOUND_OUTPUT_ESD, paJACK, false, "JACK: "},
    {FSOUND_OUTPUT_ESD, paALSA, true, ""},
    {FSOUND_OUTPUT_ALSA, paALSA, false, ""},
};

void append_devices(const DeviceSource &source, std::vector<OutputDevice> &devices)
{
    PaHostApiIndex api_index = Pa_HostApiTypeIdToHostApiIndex(source.api);
    if (api_index < 0)
        return;
    const PaHostApiInfo *api_info = Pa_GetHostApiInfo(api_index);
    for (int i = 0; i < api_info->deviceCount; ++i) {
        PaDeviceIndex device = Pa_HostApiDeviceIndexToDeviceIndex(api_index, i);
        const PaDeviceInfo *info = Pa_GetDeviceInfo(device);
        if (!info || info->maxOutputChannels < 2)
            continue;
        std::string name = info->name;
        if (source.sound_servers_only && !reaches_sound_server(name))
            continue;
        devices.push_back({device, source.prefix + name, source.api == paJACK});
    }
}

} // namespace

bool portaudio_start()
{
    if (portaudio_running)
        return true;
    // Without a running JACK server, its client library would try to launch
    // one while PortAudio probes it.
    setenv("JACK_NO_START_SERVER", "1", 0);
    QuietStderr quiet;
    PaJack_SetClientName(JACK_CLIENT_NAME);
    portaudio_running = Pa_Initialize() == paNoError;
    return portaudio_running;
}

void portaudio_stop()
{
    if (!portaudio_running || portaudio_abandoned)
        return;
    QuietStderr quiet;
    Pa_Terminate();
    portaudio_running = false;
}

void portaudio_abandon() { portaudio_abandoned = true; }

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
    bool wanted = false;
    for (const DeviceSource &source : SOURCES)
        wanted = wanted || source.output_type == output_type;
    if (!wanted)
        return devices;
    portaudio_stop();
    if (!portaudio_start())
        return devices;
    for (const DeviceSource &source : SOURCES)
        if (source.output_type == output_type)
            append_devices(source, devices);
    return devices;
}
