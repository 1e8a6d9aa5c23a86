#include "app/startup.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
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

void start_stream(const CommandLine &cmd)
{
    output_stream = FSOUND_Stream_Create(instrument_callback, cmd.block_frames * FRAME_BYTES,
                                         STREAM_MODE, Frequency, nullptr);
    if (!output_stream || FSOUND_Stream_Play(0, output_stream) == -1) {
        std::printf("Error!\n%s\n", FMOD_ErrorString(FSOUND_GetError()));
        std::exit(1);
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
}

} // namespace

int init_Q_MODULAR(const CommandLine &cmd)
{
    DISPLAY_OSCILLO = 0;
    ZOOM_FACTOR = 1.0f;
    reset_remote_state();
    fill_NOTE2FREQ();

    if (cmd.patch.empty()) {
        std::printf("U must supply a syntheziser file (.QSY)\n");
        getch();
        return 0;
    }

    std::printf("Loading [%s]\n", cmd.patch.c_str());
    if (const char *why = unreadable_patch_reason(cmd.patch.c_str())) {
        std::fprintf(stderr, "qmodular: cannot read the patch %s: %s\n", cmd.patch.c_str(), why);
        std::exit(1);
    }
    if (int status = load_running_patch(cmd.patch.c_str(), stdout))
        std::exit(status);

    init_sound(cmd.outputs);
    if (cmd.remote)
        open_remote_listener(cmd.remote_port, cmd.remote_local);
    start_stream(cmd);
    open_midi_input(cmd.midi_source, stdout);
    return 1;
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
