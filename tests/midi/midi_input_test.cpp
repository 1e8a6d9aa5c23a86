// The program's MIDI input port on a private JACK server: the connection
// --midi-in makes, notes travelling from another JACK client through the
// queue to a keyboard module on the main thread, and the port waiting for
// connections when no source matches.
#include <gtest/gtest.h>

#include <RtMidi.h>
#include <cstdio>
#include <poll.h>
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

bool woken_within(int ms)
{
    pollfd p = {midi_wake_fd(), POLLIN, 0};
    return poll(&p, 1, ms) == 1;
}

TEST(MidiInput, NotesFromTheConnectedSourcePlayTheKeyboardOnTheMainThread)
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
    // then the sender repeats a note below the table, which plays nothing.
    const unsigned char below_the_table[] = {0x90, 0, 100};
    for (int tries = 0; tries < 100; ++tries) {
        sender.sendMessage(below_the_table, sizeof below_the_table);
        if (woken_within(100))
            break;
    }
    do
        apply_midi_input();
    while (woken_within(200));
    EXPECT_EQ(0, keyboard.state);

    for (const unsigned char velocity : {100, 0}) { // note-on A4, then its note-off
        const unsigned char message[] = {static_cast<unsigned char>(velocity ? 0x90 : 0x80), 69,
                                         velocity};
        sender.sendMessage(message, sizeof message);
        ASSERT_TRUE(woken_within(5000));
        EXPECT_EQ(velocity == 0, keyboard.state) << "the MIDI thread never touches a module";
        EXPECT_EQ(1, apply_midi_input());
        EXPECT_EQ(velocity != 0, keyboard.state);
        EXPECT_EQ(4, keyboard.octave);
        EXPECT_EQ(10, keyboard.note);
        EXPECT_FALSE(woken_within(0)) << "applying clears the wake-up";
    }
    close_midi_input();
    EXPECT_EQ(-1, midi_wake_fd());
    EXPECT_EQ(0, apply_midi_input());

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
