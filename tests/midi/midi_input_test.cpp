// The program's MIDI input port on a private JACK server: its name, the
// connection --midi-in makes, and a note travelling from another JACK client
// through the queue to a keyboard module on the main thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <poll.h>
#include <string>

#include "midi/midi_input.h"
#include "support/jack_test_server.h"
#include "synth/generator.h"

namespace {

// A JACK client with the MIDI output "sender<pid>:keys" that sends one
// queued three-byte message at the start of its next cycle.
class Sender {
public:
    Sender()
    {
        client = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
        if (!client)
            return;
        port = jack_port_register(client, "keys", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(client, process, this);
        jack_activate(client);
    }
    ~Sender()
    {
        if (client)
            jack_client_close(client);
    }

    void send(unsigned char status, unsigned char note, unsigned char velocity)
    {
        message[0] = status;
        message[1] = note;
        message[2] = velocity;
        pending.store(true);
    }

    const std::string name = JackTestServer::client_name("sender");
    jack_client_t *client = nullptr;
    jack_port_t *port = nullptr;

private:
    static int process(jack_nframes_t frames, void *arg)
    {
        Sender *s = static_cast<Sender *>(arg);
        void *buffer = jack_port_get_buffer(s->port, frames);
        jack_midi_clear_buffer(buffer);
        if (s->pending.exchange(false))
            jack_midi_event_write(buffer, 0, s->message, 3);
        return 0;
    }

    unsigned char message[3] = {};
    std::atomic<bool> pending{false};
};

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

class MidiInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        patch.keyboards.push_back(&keyboard);
        gen = &patch;
    }
    void TearDown() override
    {
        close_midi_input();
        gen = nullptr;
        patch.keyboards.clear();
    }

    JackTestServer server;
    KEYBOARD keyboard;
    GENERATOR patch;
};

TEST_F(MidiInputTest, ANoteFromTheConnectedSourcePlaysTheKeyboardOnTheMainThread)
{
    ASSERT_TRUE(server.running());
    Sender sender;
    ASSERT_NE(nullptr, sender.client);
    EXPECT_EQ("MIDI input: port qmodular-midi:midi_in on JACK, connected from " + sender.name +
                  ":keys\n",
              opened(sender.name.substr(3) + ":ke"));
    jack_port_t *ours = jack_port_by_name(sender.client, "qmodular-midi:midi_in");
    ASSERT_NE(nullptr, ours);
    EXPECT_TRUE(jack_port_connected_to(ours, (sender.name + ":keys").c_str()));

    sender.send(0x90, 69, 100);
    ASSERT_TRUE(woken_within(5000));
    EXPECT_EQ(0, keyboard.state) << "the MIDI thread never touches a module";
    EXPECT_EQ(1, apply_midi_input());
    EXPECT_EQ(1, keyboard.state);
    EXPECT_EQ(4, keyboard.octave);
    EXPECT_EQ(10, keyboard.note);
    EXPECT_FALSE(woken_within(0)) << "applying clears the wake-up";

    sender.send(0x80, 69, 0);
    ASSERT_TRUE(woken_within(5000));
    EXPECT_EQ(1, apply_midi_input());
    EXPECT_EQ(0, keyboard.state);
}

TEST_F(MidiInputTest, WithoutMatchingSourceThePortWaitsForConnections)
{
    ASSERT_TRUE(server.running());
    EXPECT_EQ("MIDI input: port qmodular-midi:midi_in on JACK; no MIDI source port contains "
              "\"nothing\"\n",
              opened("nothing"));
    jack_client_t *watcher = jack_client_open(JackTestServer::client_name("watcher").c_str(),
                                              JackNoStartServer, nullptr);
    ASSERT_NE(nullptr, watcher);
    EXPECT_NE(nullptr, jack_port_by_name(watcher, "qmodular-midi:midi_in"));
    jack_client_close(watcher);
    close_midi_input();
    EXPECT_EQ(-1, midi_wake_fd());
    EXPECT_EQ(0, apply_midi_input());
}

} // namespace
