#include "app/startup.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/command_line.h"
#include "app/console.h"
#include "app/fmod_errors.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "app/sound_dialog.h"
#include "midi/midi_input.h"
#include "ui/views/view_state.h"
#include "remote/remote_listener.h"
#include "remote/remote_orders.h"
#include "remote/remote_server.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

char window_title[1024];
FSOUND_STREAM *output_stream = nullptr;

namespace {

constexpr unsigned int STREAM_MODE =
    FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED | FSOUND_NONBLOCKING;
constexpr int START_UP_FAILED = 1;

// False, after saying why, when the stream cannot start.
bool start_stream(const CommandLine &cmd)
{
    output_stream = FSOUND_Stream_Create(instrument_callback, cmd.block_frames * FRAME_BYTES,
                                         STREAM_MODE, Frequency, nullptr);
    if (!output_stream || FSOUND_Stream_Play(0, output_stream) == -1) {
        std::printf("Error!\n%s\n", FMOD_ErrorString(FSOUND_GetError()));
        return false;
    }
    if (FSOUND_DriverIsJack()) {
        // The server's period is the length of the blocks it asks for.
        int period = 0;
        for (int i = 0; i < 200 && period == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            period = FSOUND_Stream_GetBlockFrames(output_stream);
        }
        std::printf("JACK plays in the server's period: blocks of %d frames (%.1f ms)%s\n", period,
                    1000.0 * period / Frequency, cmd.block_given ? "; --block does not apply" : "");
    }
    return true;
}

} // namespace

bool init_Q_MODULAR(const CommandLine &cmd, int &status)
{
    DISPLAY_OSCILLO = 0;
    ZOOM_FACTOR = 1.0f;
    reset_remote_state();
    fill_NOTE2FREQ();

    if (cmd.patch.empty()) {
        std::printf("U must supply a syntheziser file (.QSY)\n");
        getch();
        status = START_UP_FAILED;
        return false;
    }

    std::printf("Loading [%s]\n", cmd.patch.c_str());
    if (const char *why = unreadable_patch_reason(cmd.patch.c_str())) {
        std::fprintf(stderr, "qmodular: cannot read the patch %s: %s\n", cmd.patch.c_str(), why);
        status = START_UP_FAILED;
        return false;
    }
    status = load_running_patch(cmd.patch.c_str(), stdout);
    if (status != 0) {
        std::fprintf(stderr, "qmodular: cannot read the patch %s\n", gen->load_problem.c_str());
        return false;
    }

    // A sound output that did not open goes on to the stream, which cannot
    // start on it and says so.
    if (init_sound(cmd.outputs) == SOUND_DIALOG_LEFT) {
        status = 0; // leaving is the user's choice, not a failure
        return false;
    }
    if (cmd.remote) {
        status = open_remote_listener(cmd.remote_port, cmd.remote_local);
        if (status != 0)
            return false;
    }
    if (!start_stream(cmd)) {
        status = START_UP_FAILED;
        return false;
    }
    open_midi_input(cmd.midi_source, stdout);
    follow_midi_clock(cmd.midi_clock);
    return true;
}

void shutdown_Q_MODULAR()
{
    close_midi_input();
    FSOUND_Stream_Close(output_stream);
    output_stream = nullptr;
    FSOUND_Close();
    shutdown_remote_server();
    CALLBACK_READY.store(0);
    discard_patch(gen);
    gen = nullptr;
}
