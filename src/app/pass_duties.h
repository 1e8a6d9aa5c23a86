// What the main thread does once per pass of every loop it runs (the window's
// loop, the console loop, the modal boxes of the window), whatever it shows.
#pragma once

// Plays the queued MIDI notes, frees what the patch's changes retired when
// no callback runs, and executes the pending remote-control orders; returns
// Exec_Remote_Order's result (1 when something changed).
int run_pass_duties();

// The duties of a pass of a modal box (modal_hooks.each_pass): the same,
// and at most one waiting remote client accepted, which the views' handlers
// do otherwise; after SIGINT or SIGTERM, the window's close event, which
// ends the box and then the program. The data is not used.
int modal_box_duties(void *unused);
