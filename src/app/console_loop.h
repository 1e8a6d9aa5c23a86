// The plain console loop that plays the patch until the user quits.
#pragma once

// Puts the output delay in place, lets the callback compute, and plays until
// Escape or the end of the console input. Once per pass, about every 10 ms
// and at once when a MIDI message arrives, it runs the pending remote-control
// orders, accepts one waiting client, posts the sequencers' step events and
// plays the queued MIDI notes.
void play_until_escape();
