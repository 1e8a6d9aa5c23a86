// The plain console loop that plays the patch until the user quits.
#pragma once

// Puts the output delay in place, lets the callback compute, and plays until
// Escape or the end of the console input. Once per pass, about every 10 ms,
// it runs the pending remote-control orders and accepts one waiting client.
void play_until_escape();
