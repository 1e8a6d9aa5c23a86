// The sound-daemon output type over a private JACK server: the client's name
// and ports, blocks of the server's period, a server at another rate refused
// by the output itself, and closing once the server went away.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <jack/jack.h>
#include <memory>
#include <string>
#include <thread>

#include "audio/fsound.h"
#include "support/jack_test_server.h"
#include "support/temp_dir.h"

namespace {

constexpr unsigned int MODE = FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED | FSOUND_NONBLOCKING;

struct Blocks {
    std::atomic<int> count{0};
    std::atomic<int> last_length{0};
};

int count_blocks(FSOUND_STREAM *, void *, int length, void *user)
{
    Blocks *b = static_cast<Blocks *>(user);
    b->last_length = length;
    ++b->count;
    return 1;
}

// Chooses the sound-daemon type and returns the index of "JACK: system", or -1.
int jack_system_driver()
{
    FSOUND_SetOutput(FSOUND_OUTPUT_ESD);
    for (int i = 0; i < FSOUND_GetNumDrivers(); ++i)
        if (std::string(FSOUND_GetDriverName(i)) == "JACK: system")
            return i;
    return -1;
}

class JackOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        // ALSA with nothing but a null default device: the machine's own
        // ALSA devices and plug-ins stay out of the list.
        std::ofstream(conf) << "pcm.default { type null }\n";
        setenv("ALSA_CONFIG_PATH", conf.c_str(), 1);
    }
    void TearDown() override
    {
        FSOUND_Close();
        FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND);
        server.reset();
        unsetenv("ALSA_CONFIG_PATH");
    }

    TempDir dir;
    const std::string conf = dir.path("alsa.conf");
    std::unique_ptr<JackTestServer> server;
};

// Opens and starts a stream of 3072-frame blocks on "JACK: system".
FSOUND_STREAM *play_on_jack(Blocks &blocks)
{
    const int driver = jack_system_driver();
    EXPECT_EQ(0, driver) << "the JACK outputs come first";
    if (driver < 0 || !FSOUND_SetDriver(driver) || !FSOUND_Init(44100, 32, 0))
        return nullptr;
    FSOUND_STREAM *s = FSOUND_Stream_Create(count_blocks, 3072 * 4, MODE, 44100, &blocks);
    if (s && FSOUND_Stream_Play(0, s) != 0)
        return nullptr;
    for (int i = 0; i < 200 && blocks.count < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return s;
}

TEST_F(JackOutput, AServerAtAnotherRateIsRefused)
{
    server = std::make_unique<JackTestServer>(48000, 256);
    ASSERT_TRUE(server->running());
    const int driver = jack_system_driver();
    ASSERT_GE(driver, 0);
    ASSERT_TRUE(FSOUND_SetDriver(driver));
    EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
    EXPECT_EQ(FMOD_ERR_OUTPUT_FORMAT, FSOUND_GetError());
}

// Last: PortAudio stays as the closed stream left it for the rest of the
// process (ctest runs every test in a process of its own).
TEST_F(JackOutput, PlaysInTheServersPeriodAsQmodularAndClosesAfterItsServerWentAway)
{
    server = std::make_unique<JackTestServer>(44100, 128);
    ASSERT_TRUE(server->running());
    Blocks blocks;
    ASSERT_NE(nullptr, play_on_jack(blocks));
    EXPECT_TRUE(FSOUND_DriverIsJack());
    EXPECT_GE(blocks.count, 5);
    EXPECT_EQ(128 * 4, blocks.last_length) << "blocks of the server's period";

    jack_client_t *watcher = jack_client_open(JackTestServer::client_name("watcher").c_str(),
                                              JackNoStartServer, nullptr);
    ASSERT_NE(nullptr, watcher);
    for (const char *port : {"qmodular:out_0", "qmodular:out_1"})
        EXPECT_NE(nullptr, jack_port_by_name(watcher, port)) << port;
    jack_client_close(watcher);

    server.reset();
    // Returns at once rather than waiting minutes for the gone server.
    FSOUND_Close();
}

} // namespace
