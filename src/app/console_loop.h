// The plain console loop that plays the patch until the user quits.
#pragma once

// Puts the output delay in place, lets the callback compute, and plays until
// Escape or the end of the console input. Once per pass, about every 10 ms,
// it runs the pending remote-control orders, accepts one waiting client and
// posts the sequencers' step events.
void play_until_escape();
