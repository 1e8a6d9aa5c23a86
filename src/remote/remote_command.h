// The commands of one remote-control line.
#pragma once

// Carries out the commands found in a line (without its CR LF); the tests
// are substring tests, so one line can hold several commands:
//   "FINISH"    ends the session: *finished becomes 1;
//   "PORTA"     "PORTA=n" stores n in PORT_A, read as a leading number (a
//               value without digits stores 0 and so releases every
//               button); without "=" PORT_A keeps its value;
//   "BT_TOGGLE" is recognised and does nothing.
// Other text is ignored.
void execute_remote_line(const char *line, int *finished);
