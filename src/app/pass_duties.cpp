#include "app/pass_duties.h"

#include <SDL.h>

#include "app/render_callback.h"
#include "app/stop_signals.h"
#include "remote/remote_orders.h"
#include "remote/remote_server.h"

int run_pass_duties()
{
    free_retired_when_quiet();
    return Exec_Remote_Order();
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
