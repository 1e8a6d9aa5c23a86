#include "audio/jack_server.h"

#include <jack/jack.h>
#include <string>
#include <unistd.h>

#include "audio/quiet_stderr.h"

JackServerInfo probe_jack_server()
{
    JackServerInfo info;
    // The client library reports a failed connection on standard error; the
    // answer is all the caller needs.
    QuietStderr quiet;
    // A name of this process's own: the client library mixes up clients of
    // one name opened at the same moment by two processes, even on two
    // different servers.
    const std::string name = "qmodular-probe-" + std::to_string(getpid());
    jack_status_t status;
    jack_client_t *client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!client)
        return info;
    info.running = true;
    info.sample_rate = static_cast<int>(jack_get_sample_rate(client));
    info.period_frames = static_cast<int>(jack_get_buffer_size(client));
    jack_client_close(client);
    return info;
}
