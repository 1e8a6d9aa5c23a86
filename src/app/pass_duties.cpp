#include "app/pass_duties.h"

#include <SDL.h>

#include "app/render_callback.h"
#include "app/stop_signals.h"
#include "modules/walk_planner.h"
#include "remote/remote_orders.h"
#include "remote/remote_server.h"

int run_pass_duties()
{
    free_retired_when_quiet();
    // After this pass's edits, so that the sound is computed by sub-blocks
    // again from the next callback on.
    const int changed = Exec_Remote_Order();
    if (gen)
        plan_walk(*gen);
    return changed;
}

int modal_box_duties(void *)
{
    if (stop_signal) { // the box closes as for the window's close button
        SDL_Event quit_event = {};
        quit_event.type = SDL_QUIT;
        SDL_PushEvent(&quit_event);
    }
    const int changed = run_pass_duties();
    accept_remote_client();
    return changed;
}
