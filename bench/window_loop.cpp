// What the window's main loop costs and how fast it answers, under the X
// display it is given (make bench runs it on a private Xvfb with Mesa's
// software OpenGL). Run from data/.
//
// 1. The processor share of an idle window over 10 s: the program itself
//    (with the "No sound" driver) on a patch of one oscillator, whose window
//    gets no event, and on the demo patch, whose sequencers' steps redraw
//    the front view; then the loop alone, in this process, without sound.
// 2. The delay from an event entering the window's event queue to the return
//    of the pass that shows its effect, for events pushed at random moments
//    of an idle loop over the demo patch's front view: a knob held with the
//    left button and turned by motions of the pointer, up and down in turn,
//    so that each one changes the picture.
#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/main_loop.h"
#include "app/patch_swap.h"
#include "engine/slider.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "synth/note2freq.h"

namespace {

using CLOCK = std::chrono::steady_clock;
constexpr double IDLE_SECONDS = 10.0;
constexpr int LATENCY_EVENTS = 200;
constexpr int KNOB_TURN_PIXELS = 10; // of pointer motion per event

const char *const ONE_OSCILLATOR = "BEGIN_OBJECTS_DECLARE\n"
                                   "VCO_1;TYPE=1;FREQ=220.000000;AMOUNT=0.50;PHASE=0;\n"
                                   "MIXER_4;;\n"
                                   "END_OBJECTS_DECLARE\n"
                                   "BEGIN_LINKS_DECLARE\n"
                                   "MIXER_4;ADD_CHANELL=VCO_1;\n"
                                   "END_LINKS_DECLARE\n";

double seconds_since(CLOCK::time_point t)
{
    return std::chrono::duration<double>(CLOCK::now() - t).count();
}

// User and system time of a process, in seconds.
double process_cpu_seconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; i++)
        if (i >= 14)
            ticks += std::stod(field);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double thread_cpu_seconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

bool file_holds(const std::string &path, const char *text)
{
    std::ifstream f(path);
    std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return all.find(text) != std::string::npos;
}

// The program playing patch in its window with the "No sound" driver; its
// processor share over IDLE_SECONDS once it plays. -1 when it did not start.
double program_idle_share(const char *patch)
{
    char log[] = "/tmp/qm_bench_window_XXXXXX";
    const int out = mkstemp(log);
    int keys[2];
    if (out < 0 || pipe(keys) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(keys[0], STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        close(keys[1]);
        execl(QM_PROGRAM, QM_PROGRAM, "--no-remote", patch, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(keys[0]);
    close(out);
    if (write(keys[1], "41", 2) != 2)
        return -1;
    const CLOCK::time_point start = CLOCK::now();
    while (!file_holds(log, "Playing [") && seconds_since(start) < 60)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::seconds(1)); // the first frames
    const double cpu = process_cpu_seconds(pid);
    const CLOCK::time_point from = CLOCK::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(IDLE_SECONDS));
    const double share = (process_cpu_seconds(pid) - cpu) / seconds_since(from);
    close(keys[1]); // the end of the console input ends the program
    int status = 0;
    waitpid(pid, &status, 0);
    unlink(log);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? share : -1;
}

// The main thread's share while the loop passes with no event.
double loop_idle_share()
{
    const double cpu = thread_cpu_seconds();
    const CLOCK::time_point from = CLOCK::now();
    unsigned long frames = main_loop.frames;
    while (seconds_since(from) < IDLE_SECONDS)
        wait_after_pass(main_loop_pass());
    if (main_loop.frames != frames)
        std::printf("  (the loop drew %lu frames meanwhile)\n", main_loop.frames - frames);
    return (thread_cpu_seconds() - cpu) / seconds_since(from);
}

struct DELAYS {
    std::vector<double> to_frame; // event pushed to the end of the pass showing it, sorted
    std::vector<double> pass;     // the pass that handled it, sorted
    int unseen = 0;               // events whose pass showed no new frame
};

// The centre of the first knob of a panel in view, in window pixels; the
// scroll is at 0.
bool first_knob_in_view(int &x, int &y)
{
    for (OBJET *panel : objets_globaux) {
        if (!is_in_view(*panel, 0, 0))
            continue;
        for (SPRITE *s : *panel->current) {
            x = static_cast<int>(panel->x + s->x + s->w / 2);
            y = static_cast<int>(panel->y + s->y + s->h / 2);
            if (dynamic_cast<SLIDER *>(s) && x < VIEW_WIDTH && y < VIEW_HEIGHT)
                return true;
        }
    }
    return false;
}

SDL_Event mouse_event(Uint8 type, int x, int y)
{
    const Uint16 at_x = static_cast<Uint16>(x), at_y = static_cast<Uint16>(y);
    SDL_Event e = {};
    if (type == SDL_MOUSEMOTION)
        e.motion = {type, 0, SDL_BUTTON(SDL_BUTTON_LEFT), at_x, at_y, 0, 0};
    else
        e.button = {type, 0, SDL_BUTTON_LEFT, SDL_PRESSED, at_x, at_y};
    return e;
}

// Delays, in milliseconds, from motions that turn a held knob, pushed by
// another thread at random moments, to the end of the pass that handled them
// (its buffer swap included), and the length of that pass.
DELAYS event_to_frame_delays()
{
    int knob_x, knob_y;
    if (!first_knob_in_view(knob_x, knob_y))
        return {};
    SDL_Event press = mouse_event(SDL_MOUSEBUTTONDOWN, knob_x, knob_y);
    SDL_PushEvent(&press);
    wait_after_pass(main_loop_pass());
    std::atomic<int> pending{0};
    std::atomic<bool> done{false};
    std::atomic<CLOCK::rep> pushed_at{0};
    DELAYS delays;
    std::thread injector([&] {
        std::mt19937 random(15);
        std::uniform_int_distribution<int> pause_us(0, 20000);
        for (int i = 0; i < LATENCY_EVENTS; i++) {
            std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
            const int dy = i % 2 ? KNOB_TURN_PIXELS : -KNOB_TURN_PIXELS;
            SDL_Event e = mouse_event(SDL_MOUSEMOTION, knob_x, knob_y + dy);
            pushed_at = CLOCK::now().time_since_epoch().count();
            pending = 1;
            SDL_PushEvent(&e);
            while (pending)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        done = true;
    });
    while (!done) {
        const CLOCK::time_point start = CLOCK::now();
        const unsigned long frames = main_loop.frames;
        const PASS_DRAWING drew = main_loop_pass();
        if (drew != DREW_NOTHING && pending) {
            const CLOCK::time_point at{CLOCK::duration(pushed_at.load())};
            if (main_loop.frames == frames) {
                delays.unseen++;
            } else {
                delays.to_frame.push_back(1e3 * seconds_since(at));
                delays.pass.push_back(1e3 * seconds_since(start));
            }
            pending = 0;
        }
        wait_after_pass(drew);
    }
    injector.join();
    SDL_Event release = mouse_event(SDL_MOUSEBUTTONUP, knob_x, knob_y);
    SDL_PushEvent(&release);
    wait_after_pass(main_loop_pass());
    std::sort(delays.to_frame.begin(), delays.to_frame.end());
    std::sort(delays.pass.begin(), delays.pass.end());
    return delays;
}

} // namespace

int main()
{
    signal(SIGPIPE, SIG_IGN);
    char patch[] = "/tmp/qm_bench_one_XXXXXX";
    const int fd = mkstemp(patch);
    if (fd < 0 || write(fd, ONE_OSCILLATOR, std::strlen(ONE_OSCILLATOR)) < 0)
        return 1;
    close(fd);

    std::printf("Idle window, processor share over %.0f s (1.0 = one core):\n", IDLE_SECONDS);
    std::printf("  program, one oscillator, no event   %6.4f\n", program_idle_share(patch));
    std::printf("  program, demo patch (steps redraw)  %6.4f\n",
                program_idle_share("QSY/DEMO.QSY"));
    unlink(patch);

    fill_NOTE2FREQ();
    if (load_running_patch("QSY/DEMO.QSY", stdout) != 0)
        return 1;
    build_visible_side();
    for (int i = 0; i < 3; i++)
        wait_after_pass(main_loop_pass());
    const double loop_share = loop_idle_share();
    const DELAYS d = event_to_frame_delays();
    std::printf("  the loop alone, without sound       %6.4f\n", loop_share);
    std::printf("Event to swapped frame, %zu knob turns at random moments, front view of the demo "
                "patch (ms):\n",
                d.to_frame.size());
    if (d.unseen > 0)
        std::printf("  (%d more changed nothing on the screen)\n", d.unseen);
    for (const auto &[what, v] :
         {std::pair{"event to frame", &d.to_frame}, {"the pass alone", &d.pass}})
        if (!v->empty())
            std::printf("  %-15s median %6.2f, 95th percentile %6.2f, worst %6.2f\n", what,
                        (*v)[v->size() / 2], (*v)[v->size() * 95 / 100], v->back());
    close_window();
    return 0;
}
