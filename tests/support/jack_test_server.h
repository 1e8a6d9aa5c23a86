// A private JACK server with the dummy back end for the unit tests that need
// one: started under a name of its own (so parallel test programs never
// meet), made the default server of this process through
// JACK_DEFAULT_SERVER, and stopped by the destructor. It runs without
// real-time scheduling, which works as root and in containers.
//
// The client library mixes up clients of one name opened at the same moment
// by two processes, even on different servers: the tests that use JACK hold
// the ctest resource lock "jack", and name their own clients after their
// process (client_name()).
#pragma once

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
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
            // A test that dies leaves no server behind.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
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

    // base followed by this process's id.
    static std::string client_name(const char *base) { return base + std::to_string(getpid()); }

    const std::string name;

private:
    static int &count()
    {
        static int n = 0;
        return n;
    }

    pid_t pid = -1;
};
