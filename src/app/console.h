// Single-key input from the console and clearing it.
#pragma once

// The code of the Escape key; end of input on the console reads as Escape.
constexpr int KEY_ESCAPE = 27;
// What getch() returns when the console cannot be read at all.
constexpr int KEY_FAILED = static_cast<int>(0xdeadbeef);

// Waits for one key and returns it, without waiting for Return. On first use
// on a terminal it switches line mode off (echo stays on) and restores the
// terminal at exit, and also before Ctrl-C or SIGTERM end the process where
// no play loop catches them; when standard input is not a terminal (a pipe) it reads
// the characters as they come. End of input returns KEY_ESCAPE, every time.
// A failed wait prints a line and returns KEY_FAILED.
int getch();

// As getch(), but gives up after timeout_ms milliseconds and returns -1; it
// also returns -1 as soon as wake_fd (when not -1) turns readable. Standard
// input that is no terminal, pipe or socket (a desktop's launcher gives
// /dev/null, or no input at all) says nothing of the user: it is not read,
// and poll_key only waits.
int poll_key(int timeout_ms, int wake_fd = -1);

// Clears the console when standard output is a terminal.
void clear_console();
