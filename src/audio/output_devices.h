// The PortAudio output devices behind each output type of the FSOUND layer.
#pragma once

#include <string>
#include <vector>

struct OutputDevice {
    int device;       // PortAudio device index
    std::string name; // as shown in the driver menu
    bool jack;        // an output of the JACK server: it plays in the server's period
};

// Starts PortAudio once (quietly); false when it cannot be started. Its JACK
// client, when a JACK server runs, is named JACK_CLIENT_NAME.
bool portaudio_start();
// Stops PortAudio if portaudio_start() started it.
void portaudio_stop();
// Leaves PortAudio running as it is for the rest of the process, for when it
// holds a stream on a JACK server that went away: PortAudio cannot stop that
// stream, nor stop itself, without waiting minutes for the gone server.
// Device lists stay as they were from then on.
void portaudio_abandon();

// The output devices of one output type, in PortAudio's order within each
// sound system: OSS lists the OSS devices, ALSA the ALSA devices, and the
// sound-daemon type the JACK server's outputs ("JACK: <client>") followed by
// the ALSA devices that reach a sound server. Empty for other types or when
// PortAudio cannot be started. PortAudio is started afresh, so that a sound
// server started or stopped since the last listing is seen as it is now.
std::vector<OutputDevice> list_output_devices(int output_type);

// True when a device name says it reaches a sound server.
bool reaches_sound_server(const std::string &device_name);
