// Ctrl-C (SIGINT) and SIGTERM ending a play loop as Escape does, so that the
// program leaves through its normal exit: the sound closed and the terminal
// put back in line mode.
#pragma once

#include <csignal>

// Non-zero once one of the two signals came.
extern volatile std::sig_atomic_t stop_signal;

// From now on the two signals set stop_signal, once: a second one, while
// something else holds the loop (a dialog), ends the process. Installed before
// the window opens, SDL then leaves them alone, where it would otherwise turn
// them into a window-close event, which the views ignore.
void end_loop_on_signals();
