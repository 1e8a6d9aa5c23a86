// Sends standard error to /dev/null for the lifetime of the object. The sound
// libraries print their device probing (ALSA, JACK) there; hiding it keeps
// the console dialog readable. Failures are still reported by error codes.
#pragma once

class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr &) = delete;
    QuietStderr &operator=(const QuietStderr &) = delete;

private:
    int saved_fd;
};
