// Side by side with Pure Data: the 32-voice reference patch rendered offline
// by this program and its equivalent bench/voices32.pd rendered by Pure Data
// in batch mode, for the same length, alternately, several times each. Prints
// the processor time (user + system) of every run, the medians and their
// ratio. Each render is a whole process, start-up and WAV writing included,
// measured the same way for both. Run from data/; needs `pd` (puredata-core).
#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RUNS = 7;
constexpr const char *SECONDS = "20";

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the command with its output discarded; returns its processor time in
// seconds, or -1 when it cannot be run or fails.
double processor_seconds(const std::vector<std::string> &command)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char *> argv;
        for (const std::string &word : command)
            argv.push_back(const_cast<char *>(word.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status;
    rusage usage;
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1.0;
    auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main()
{
    const std::string out = "/tmp/qm_bench_" + std::to_string(getpid());
    const std::vector<std::string> ours = {QM_PROGRAM,      "--render",
                                           out + "_qm.wav", "--seconds",
                                           SECONDS,         QM_SOURCE_DIR "/bench/VOICES_32.QSY"};
    const std::vector<std::string> pd = {"pd",
                                         "-nogui",
                                         "-batch",
                                         "-nosound",
                                         "-noprefs",
                                         "-r",
                                         "44100",
                                         "-send",
                                         "pd dsp 1",
                                         "-send",
                                         "bench-render " + out + "_pd.wav " + SECONDS,
                                         "-open",
                                         QM_SOURCE_DIR "/bench/voices32.pd"};

    std::printf("\nSide by side with Pure Data: %s s of the 32-voice patch, %d runs each\n",
                SECONDS, RUNS);
    std::printf("%-6s %14s %14s\n", "run", "qmodular (s)", "Pure Data (s)");
    std::vector<double> ours_s, pd_s;
    for (int run = 1; run <= RUNS; ++run) {
        const double a = processor_seconds(ours);
        const double b = processor_seconds(pd);
        if (a < 0) {
            std::printf("qmodular did not render the reference patch\n");
            return 1;
        }
        if (b < 0) {
            std::printf("Pure Data did not run (is puredata-core installed? "
                        "scripts/install-deps bench)\n");
            return 1;
        }
        ours_s.push_back(a);
        pd_s.push_back(b);
        std::printf("%-6d %14.3f %14.3f\n", run, a, b);
    }
    std::remove((out + "_qm.wav").c_str());
    std::remove((out + "_pd.wav").c_str());
    const double a = median(ours_s), b = median(pd_s);
    std::printf("median %14.3f %14.3f\n", a, b);
    std::printf("qmodular takes %.2f times the processor time of Pure Data "
                "(below 1: faster)\n",
                a / b);
    return 0;
}
