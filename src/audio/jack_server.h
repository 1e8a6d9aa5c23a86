// The JACK sound server, as a short-lived client of our own sees it: whether
// one runs (the one JACK_DEFAULT_SERVER names, or the default one), its
// sample rate and its period. Asking never starts a server.
#pragma once

// The name the program's JACK clients carry, so that a patchbay shows them.
constexpr const char *JACK_CLIENT_NAME = "qmodular";

struct JackServerInfo {
    bool running = false;
    int sample_rate = 0;   // Hz
    int period_frames = 0; // frames per cycle, the block every client works on
};

JackServerInfo probe_jack_server();
