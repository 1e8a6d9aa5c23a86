// Side by side with Pure Data: two 32-voice patches rendered offline by this
// program and their twins rendered by Pure Data in batch mode, for the same
// length, alternately, several times each. Prints the processor time (user +
// system) of every run, the medians and their ratio, pair by pair. Each
// render is a whole process, start-up and WAV writing included, measured the
// same way for both. Run from data/; needs `pd` (puredata-core).
//
// The first pair is kept as it was first measured so that its figures stay
// comparable over time, but it is uneven: the filters of VOICES_32.QSY are
// bypassed while voices32.pd runs its biquads and builds its waves from
// several objects. The second pair does equal work: sines, envelopes and
// running low-pass filters with the same coefficients on both sides
// (bench/make_voices32_active.py writes both files).
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

struct Pair {
    const char *title;
    const char *ours; // in bench/
    const char *pd;   // in bench/
};

const Pair PAIRS[] = {
    {"32 voices, our filters bypassed (the first pair, uneven)", "VOICES_32.QSY", "voices32.pd"},
    {"32 voices, equal work: sine, envelope, running low-pass", "VOICES_32_ACTIVE.QSY",
     "voices32_active.pd"},
};

// Renders the pair alternately RUNS times and prints every run and the
// medians; returns the ratio of the medians, ours over Pure Data's, or -1
// when either program fails.
double compare(const Pair &pair, const std::string &out)
{
    const std::string bench_dir = QM_SOURCE_DIR "/bench/";
    const std::vector<std::string> ours = {QM_PROGRAM,  "--render", out + "_qm.wav",
                                           "--seconds", SECONDS,    bench_dir + pair.ours};
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
                                         bench_dir + pair.pd};

    std::printf("\n%s: %s against %s, %s s, %d runs each\n", pair.title, pair.ours, pair.pd,
                SECONDS, RUNS);
    std::printf("%-6s %14s %14s\n", "run", "qmodular (s)", "Pure Data (s)");
    std::vector<double> ours_s, pd_s;
    for (int run = 1; run <= RUNS; ++run) {
        const double a = processor_seconds(ours);
        const double b = processor_seconds(pd);
        if (a < 0) {
            std::printf("qmodular did not render %s\n", pair.ours);
            return -1.0;
        }
        if (b < 0) {
            std::printf("Pure Data did not render %s (is puredata-core installed? "
                        "scripts/install-deps bench)\n",
                        pair.pd);
            return -1.0;
        }
        ours_s.push_back(a);
        pd_s.push_back(b);
        std::printf("%-6d %14.3f %14.3f\n", run, a, b);
    }
    std::remove((out + "_qm.wav").c_str());
    std::remove((out + "_pd.wav").c_str());
    const double a = median(ours_s), b = median(pd_s);
    std::printf("median %14.3f %14.3f\n", a, b);
    return a / b;
}

} // namespace

int main()
{
    const std::string out = "/tmp/qm_bench_" + std::to_string(getpid());
    std::vector<double> ratios;
    for (const Pair &pair : PAIRS) {
        const double ratio = compare(pair, out);
        if (ratio < 0)
            return 1;
        ratios.push_back(ratio);
    }
    std::printf("\nProcessor time of qmodular / Pure Data, medians (below 1: qmodular faster)\n");
    for (std::size_t i = 0; i < ratios.size(); ++i)
        std::printf("%-58s %6.2f\n", PAIRS[i].title, ratios[i]);
    return 0;
}
