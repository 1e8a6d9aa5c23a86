// The input sockets of each kind of module, in one table: what the back
// panel calls each socket, its key in a patch file's link section, what it
// carries, and how to read and change what it is plugged into. The patch
// reader and writer, the cable list and the cable editor all read this table,
// so a new kind of module needs one table here and nothing else to be read,
// saved, drawn and re-cabled.
//
// Every input takes any module's output of its signal: any module feeds an
// audio input, keyboards and sequencers feed gates and syncs. Plugging goes
// through the connection functions of synth/ports.h, safe while the sound
// plays.
#pragma once

#include "modules/module.h"

struct SOCKET {
    // The socket's element on the back panel; a mixer's channels are
    // "INPUT_1" to "INPUT_24" (element "INPUT_%d", numbered from 1).
    const char *element;
    // Its link key: "TARGET;KEY=SOURCE;" in a patch file.
    const char *key;
    SIGNAL signal;
    // 1, or a mixer's 24 channels, which share this entry.
    int channels;
    // Drawn as a cable in the back view (a sequencer's reset input has no
    // socket there yet).
    bool cabled;
    // The address the input reads (a module's output value, gate state or
    // sync pulse), null when it is unplugged. channel: a mixer's channel.
    const void *(*source)(const MODULE &m, int channel);
    // Plugs the input into source's output of the signal; a null source
    // unplugs it. For a mixer, channel -1 adds a channel fed by source
    // (false when all 24 are taken).
    bool (*plug)(const MODULE &m, int channel, const MODULE &source);

    // How many channels the module has now: a mixer's count, else 1.
    int channels_in_use(const MODULE &m) const;
    // The element of one channel ("INPUT_3"), or the element itself.
    void element_of(int channel, char (&name)[24]) const;
};

// The input sockets of a kind, in the order a patch file writes them.
struct SOCKETS {
    const SOCKET *first, *last;
    const SOCKET *begin() const { return first; }
    const SOCKET *end() const { return last; }
};
SOCKETS input_sockets(MODULE_KIND kind);

// The input socket of a kind that an element names (for a mixer's channel
// socket, the channel in *channel, from 0); null when the kind has none.
const SOCKET *input_socket_named(MODULE_KIND kind, const char *element, int *channel);

// The back panel's element of a module's output of the signal: "OUTPUT",
// "OUTPUT_GATE", "OUTPUT_SYNC"; and the signal an output element carries.
const char *output_element(SIGNAL signal);
SIGNAL signal_of_output(const char *element);
