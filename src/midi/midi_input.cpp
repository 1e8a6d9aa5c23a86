#include "midi/midi_input.h"

#include <RtMidi.h>
#include <memory>
#include <vector>

#include "audio/jack_server.h"
#include "audio/quiet_stderr.h"
#include "midi/midi_player.h"
#include "synth/generator.h"

namespace {

constexpr const char *JACK_MIDI_CLIENT = "qmodular-midi";

struct MidiInput {
    std::unique_ptr<RtMidiIn> port;
    MIDI_PLAYER player; // its queue filled here, its notes played by the audio thread
};

MidiInput midi;

// The MIDI library's thread (JACK's process thread on JACK): queue the note
// messages for the audio thread; nothing that allocates, locks or waits.
void on_message(double, std::vector<unsigned char> *bytes, void *)
{
    if (bytes->empty())
        return;
    const unsigned char status = (*bytes)[0];
    const bool clock = status == 0xf8 || status == 0xfa || status == 0xfb || status == 0xfc;
    const unsigned char kind = status & 0xf0;
    if (clock)
        midi.player.queue.push({status, 0, 0});
    else if (bytes->size() >= 3 && (kind == 0x80 || kind == 0x90))
        midi.player.queue.push({status, (*bytes)[1], (*bytes)[2]});
}

// The first source port whose name contains source, or -1.
int find_source(RtMidiIn &port, const std::string &source, std::string &name)
{
    const unsigned count = port.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        name = port.getPortName(i);
        if (name.find(source) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}

// Opens the port on api; returns what to say about it. Throws RtMidiError.
std::string open_port(RtMidi::Api api, const std::string &source)
{
    const bool jack = api == RtMidi::UNIX_JACK;
    const char *client = jack ? JACK_MIDI_CLIENT : JACK_CLIENT_NAME;
    midi.port = std::make_unique<RtMidiIn>(api, client);
    midi.port->setCallback(on_message);
    midi.port->ignoreTypes(true, false, true); // the clock's messages are heard
    std::string said = std::string("MIDI input: port ") + client + ":" + MIDI_PORT_NAME +
                       (jack ? " on JACK" : " on the ALSA sequencer");
    std::string name;
    const int found = source.empty() ? -1 : find_source(*midi.port, source, name);
    if (found >= 0) {
        // The port is opened connected to the source; others may still
        // connect to it.
        midi.port->openPort(found, MIDI_PORT_NAME);
        return said + ", connected from " + name;
    }
    midi.port->openVirtualPort(MIDI_PORT_NAME);
    if (!source.empty())
        said += "; no MIDI source port contains \"" + source + "\"";
    return said;
}

} // namespace

bool open_midi_input(const std::string &source, FILE *messages)
{
    close_midi_input();
    std::string said;
    // JACK when a server runs, else the ALSA sequencer. Trying JACK is the
    // test: without a server it throws.
    for (RtMidi::Api api : {RtMidi::UNIX_JACK, RtMidi::LINUX_ALSA}) {
        try {
            // The library prints its errors before it throws them.
            QuietStderr quiet;
            said = open_port(api, source);
        } catch (const RtMidiError &e) {
            said = "No MIDI input: " + e.getMessage();
            close_midi_input();
            continue;
        }
        std::fprintf(messages, "%s\n", said.c_str());
        return true;
    }
    std::fprintf(messages, "%s\n", said.c_str());
    return false;
}

void close_midi_input()
{
    {
        QuietStderr quiet;
        midi.port.reset();
    }
}

void forget_held_midi_notes() { midi.player.forget(); }

void play_midi_notes(const std::vector<KEYBOARD *> &keyboards,
                     const std::vector<SEQUENCER *> &sequencers, int frames)
{
    midi.player.play(keyboards, sequencers, frames);
}

void follow_midi_clock(bool follow) { midi.player.follow.store(follow); }

bool following_midi_clock() { return midi.player.follow.load(); }

float midi_clock_tempo() { return midi.player.tempo.load(std::memory_order_relaxed); }

bool midi_input_open() { return midi.port != nullptr; }

unsigned long dropped_midi_messages() { return midi.player.queue.dropped(); }
