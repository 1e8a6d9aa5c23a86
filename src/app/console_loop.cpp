#include "app/console_loop.h"

#include <cstdio>

#include "app/console.h"
#include "app/load_meter.h"
#include "app/output_tap.h"
#include "app/pass_duties.h"
#include "app/render_callback.h"
#include "app/stop_signals.h"
#include "remote/remote_server.h"
#include "synth/generator.h"
#include "synth/step_queue.h"

namespace {

constexpr int PASS_MS = 10;

} // namespace

void play_until_escape()
{
    // Before "Playing" is said: whoever reads it may stop the program at once.
    end_loop_on_signals();
    insert_output_delay(gen);
    clear_console();
    std::printf("Playing [%s]. Press Escape to quit.\n", gen->patch_path);
    std::fflush(stdout);
    CALLBACK_READY.store(1);

    while (!stop_signal) {
        run_pass_duties();
        accept_remote_client();
        take_step_events([](SEQUENCER *) { return true; }); // no panel to show them
        watch_load(nullptr);
        int key = poll_key(PASS_MS);
        if (key == KEY_ESCAPE || key == KEY_FAILED)
            break;
    }
}
