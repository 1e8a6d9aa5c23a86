#include "app/console.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

namespace {

termios saved_settings;

void restore_terminal() { tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings); }

void leave_line_mode_once()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_settings) != 0)
        return;
    termios raw = saved_settings;
    raw.c_lflag &= ~ICANON;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    std::atexit(restore_terminal);
}

// Waits until standard input is readable: 1 when it is, 0 on timeout, -1 on
// failure. A null timeout waits for ever. A signal does not end the wait.
int wait_readable(timeval *timeout)
{
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(STDIN_FILENO, &readable);
        int n = select(STDIN_FILENO + 1, &readable, nullptr, nullptr, timeout);
        if (n >= 0)
            return n > 0 ? 1 : 0;
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

int wait_key(timeval *timeout)
{
    leave_line_mode_once();
    std::fflush(stdout);
    int ready = wait_readable(timeout);
    if (ready < 0) {
        std::printf("wincompat.h: select() on fd 0 failed\n");
        return KEY_FAILED;
    }
    return ready ? read_key() : -1;
}

} // namespace

int getch() { return wait_key(nullptr); }

int poll_key(int timeout_ms)
{
    timeval timeout;
    timeout.tv_sec = timeout_ms / 1000;
    timeout.tv_usec = (timeout_ms % 1000) * 1000;
    return wait_key(&timeout);
}

void clear_console()
{
    if (!isatty(STDOUT_FILENO))
        return;
    std::fflush(stdout);
    if (std::system("clear") != 0)
        std::printf("\n");
}
