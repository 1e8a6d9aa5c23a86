// The program's MIDI input port on a private JACK server: the connection
// --midi-in makes, notes travelling from another JACK client through the
// queue to a keyboard module where the sound is computed, and the port
// waiting for connections when no source matches.
#include <gtest/gtest.h>

#include <RtMidi.h>
#include <cstdio>
#include <unistd.h>
#include <string>

#include "midi/midi_input.h"
#include "support/jack_test_server.h"
#include "synth/generator.h"

namespace {

// What open_midi_input() said.
std::string opened(const std::string &source)
{
    FILE *said = std::tmpfile();
    open_midi_input(source, said);
    std::rewind(said);
    char line[256] = {};
    if (!std::fgets(line, sizeof line, said))
        line[0] = '\0';
    std::fclose(said);
    return line;
}

// The render callback's part, played here at the pace of sub-blocks until
// the keyboard's gate is `state`; false when it never is within ms.
bool played_within(int ms, const std::vector<KEYBOARD *> &keyboards, int state)
{
    for (int waited = 0; waited <= ms; ++waited) {
        play_midi_notes(keyboards, {}, GENERATOR::SUB_BLOCK);
        if (keyboards[0]->state == state)
            return true;
        usleep(1000);
    }
    return false;
}

TEST(MidiInput, NotesFromTheConnectedSourcePlayTheKeyboardWhereTheSoundIsComputed)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    GENERATOR patch;
    KEYBOARD &keyboard = *new KEYBOARD; // the patch's, released with it
    patch.keyboards.push_back(&keyboard);
    gen = &patch;
    // Another JACK client with the MIDI output "sender<pid>:keys".
    const std::string sender_name = JackTestServer::client_name("sender");
    RtMidiOut sender(RtMidi::UNIX_JACK, sender_name);
    sender.openVirtualPort("keys");
    EXPECT_EQ("MIDI input: port qmodular-midi:midi_in on JACK, connected from " + sender_name +
                  ":keys\n",
              opened(sender_name.substr(3) + ":ke"));

    // The connection carries messages once the server's graph holds it: until
    // then the sender repeats a note, which then sounds and is let go.
    const unsigned char probe[] = {0x90, 60, 100}, probe_off[] = {0x80, 60, 0};
    for (int tries = 0; tries < 100 && !played_within(100, patch.keyboards, 1); ++tries)
        sender.sendMessage(probe, sizeof probe);
    sender.sendMessage(probe_off, sizeof probe_off);
    ASSERT_TRUE(played_within(5000, patch.keyboards, 0));

    for (const unsigned char velocity : {100, 0}) { // note-on A4, then its note-off
        const unsigned char message[] = {static_cast<unsigned char>(velocity ? 0x90 : 0x80), 69,
                                         velocity};
        sender.sendMessage(message, sizeof message);
        ASSERT_TRUE(played_within(5000, patch.keyboards, velocity != 0));
        EXPECT_EQ(4, keyboard.octave);
        EXPECT_EQ(10, keyboard.note);
    }
    close_midi_input();
    EXPECT_FALSE(midi_input_open());

    // No source matches: the port is made all the same, for others to connect.
    EXPECT_EQ("MIDI input: port qmodular-midi:midi_in on JACK; no MIDI source port contains "
              "\"nothing\"\n",
              opened("nothing"));
    bool listed = false;
    for (unsigned i = 0; i < sender.getPortCount(); ++i)
        listed |= sender.getPortName(i) == "qmodular-midi:midi_in";
    EXPECT_TRUE(listed);
    close_midi_input();
    gen = nullptr;
    patch.release_modules();
}

} // namespace
