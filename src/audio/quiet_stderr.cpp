#include "audio/quiet_stderr.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

QuietStderr::QuietStderr() : saved_fd(-1)
{
    std::fflush(stderr);
    int null_fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null_fd < 0)
        return;
    saved_fd = dup(STDERR_FILENO);
    if (saved_fd >= 0)
        dup2(null_fd, STDERR_FILENO);
    close(null_fd);
}

QuietStderr::~QuietStderr()
{
    if (saved_fd < 0)
        return;
    std::fflush(stderr);
    dup2(saved_fd, STDERR_FILENO);
    close(saved_fd);
}
