// A private JACK server with the dummy back end for the unit tests that need
// one: started under a name of its own (so parallel test programs never
// meet), made the default server of this process through
// JACK_DEFAULT_SERVER, and stopped by the destructor. It runs without
// real-time scheduling, which works as root and in containers.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "audio/jack_server.h"

class JackTestServer {
public:
    explicit JackTestServer(int rate = 44100, int period = 256)
        : name("qmtest-" + std::to_string(getpid()) + "-" + std::to_string(++count()))
    {
        const std::string r = std::to_string(rate), p = std::to_string(period);
        pid = fork();
        if (pid == 0) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execlp("jackd", "jackd", "--name", name.c_str(), "--no-realtime", "--sync", "-d",
                   "dummy", "-r", r.c_str(), "-p", p.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
        for (int i = 0; i < 300 && !probe_jack_server().running; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    ~JackTestServer()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        unsetenv("JACK_DEFAULT_SERVER");
    }

    JackTestServer(const JackTestServer &) = delete;
    JackTestServer &operator=(const JackTestServer &) = delete;

    bool running() const { return probe_jack_server().running; }

    const std::string name;

private:
    static int &count()
    {
        static int n = 0;
        return n;
    }

    pid_t pid = -1;
};
