// The console loop: playing the patch without a window (--no-window), for a
// machine without a display or a player driven by remote control only.
#pragma once

// Puts the output delay in place, lets the callback compute, and plays until
// Escape or the end of the console input, or Ctrl-C (SIGINT) or SIGTERM. Once per pass, about every
// 10 ms and at once when a MIDI message arrives, it does the duties of every pass
// (app/pass_duties.h: the remote orders, the queued MIDI notes), accepts one
// waiting client and posts the sequencers' step events.
void play_until_escape();
