#include "app/startup.h"

#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/console.h"
#include "app/fmod_errors.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "app/sound_dialog.h"
#include "panels/view_state.h"
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

void start_stream()
{
    output_stream =
        FSOUND_Stream_Create(instrument_callback, BufferSize, STREAM_MODE, Frequency, nullptr);
    if (!output_stream || FSOUND_Stream_Play(0, output_stream) == -1) {
        std::printf("Error!\n%s\n", FMOD_ErrorString(FSOUND_GetError()));
        std::exit(1);
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
    if (int status = load_running_patch(cmd.patch.c_str(), stdout))
        std::exit(status);

    init_sound();
    if (cmd.remote)
        open_remote_listener(cmd.remote_port, cmd.remote_local);
    start_stream();
    return 1;
}

void shutdown_Q_MODULAR()
{
    FSOUND_Stream_Close(output_stream);
    output_stream = nullptr;
    FSOUND_Close();
    shutdown_remote_server();
    CALLBACK_READY.store(0);
    discard_patch(gen);
    gen = nullptr;
}
