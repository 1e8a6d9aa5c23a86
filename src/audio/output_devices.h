// The PortAudio output devices behind each output type of the FSOUND layer.
#pragma once

#include <string>
#include <vector>

struct OutputDevice {
    int device;       // PortAudio device index
    std::string name; // as shown in the driver menu
};

// Starts PortAudio once (quietly); false when it cannot be started.
bool portaudio_start();
// Stops PortAudio if portaudio_start() started it.
void portaudio_stop();

// The output devices of one output type (OSS, ESD or ALSA), in PortAudio's
// order; empty for other types or when PortAudio cannot be started.
std::vector<OutputDevice> list_output_devices(int output_type);

// True when a device name says it reaches a sound server.
bool reaches_sound_server(const std::string &device_name);
