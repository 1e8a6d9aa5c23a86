#include "app/console.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <signal.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

termios saved_settings;

void restore_terminal() { tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings); }

// Ctrl-C or SIGTERM while no play loop catches them (the sound dialog): the
// terminal gets its line mode back before the signal ends the process.
void restore_terminal_and_end(int signal_number)
{
    restore_terminal();
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

void leave_line_mode_once()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_settings) != 0)
        return;
    // The way back first: a signal between the switch and its handler would
    // end the program with the terminal out of line mode.
    std::atexit(restore_terminal);
    for (int signal_number : {SIGINT, SIGTERM}) {
        struct sigaction current;
        sigaction(signal_number, nullptr, &current);
        if (current.sa_handler == SIG_DFL) // a play loop's own handler stays
            std::signal(signal_number, restore_terminal_and_end);
    }
    termios raw = saved_settings;
    raw.c_lflag &= ~ICANON;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

// A terminal, a pipe or a socket: someone there can type Escape, and its end
// of input means they went away.
bool stdin_is_console()
{
    struct stat input;
    if (fstat(STDIN_FILENO, &input) != 0)
        return false;
    return isatty(STDIN_FILENO) || S_ISFIFO(input.st_mode) || S_ISSOCK(input.st_mode);
}

// Waits until standard input (when watched) is readable: 1 when it is, 0 on
// timeout or when wake_fd (if not -1) turns readable first, -1 on failure. A
// null timeout waits for ever. A signal does not end the wait.
int wait_readable(timeval *timeout, int wake_fd, bool watch_stdin = true)
{
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        if (watch_stdin)
            FD_SET(STDIN_FILENO, &readable);
        if (wake_fd >= 0)
            FD_SET(wake_fd, &readable);
        int highest = wake_fd > STDIN_FILENO ? wake_fd : STDIN_FILENO;
        int n = select(highest + 1, &readable, nullptr, nullptr, timeout);
        if (n >= 0)
            return n > 0 && watch_stdin && FD_ISSET(STDIN_FILENO, &readable) ? 1 : 0;
        if (errno != EINTR)
            return -1;
    }
}

int read_key()
{
    unsigned char c;
    ssize_t n;
    do
        n = read(STDIN_FILENO, &c, 1);
    while (n < 0 && errno == EINTR);
    return n == 1 ? c : KEY_ESCAPE;
}

int wait_key(timeval *timeout, int wake_fd)
{
    leave_line_mode_once();
    std::fflush(stdout);
    int ready = wait_readable(timeout, wake_fd);
    if (ready < 0) {
        std::printf("wincompat.h: select() on fd 0 failed\n");
        return KEY_FAILED;
    }
    return ready ? read_key() : -1;
}

} // namespace

int getch() { return wait_key(nullptr, -1); }

int poll_key(int timeout_ms, int wake_fd)
{
    timeval timeout;
    timeout.tv_sec = timeout_ms / 1000;
    timeout.tv_usec = (timeout_ms % 1000) * 1000;
    if (!stdin_is_console()) {
        wait_readable(&timeout, wake_fd, false);
        return -1;
    }
    return wait_key(&timeout, wake_fd);
}

void clear_console()
{
    if (!isatty(STDOUT_FILENO))
        return;
    std::fflush(stdout);
    if (std::system("clear") != 0)
        std::printf("\n");
}
