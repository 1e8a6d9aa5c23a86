#include "app/stop_signals.h"

#include <signal.h>

volatile std::sig_atomic_t stop_signal = 0;

namespace {

void on_stop_signal(int) { stop_signal = 1; }

} // namespace

void end_loop_on_signals()
{
    struct sigaction action = {};
    action.sa_handler = on_stop_signal;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
