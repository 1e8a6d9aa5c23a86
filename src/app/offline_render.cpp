#include "app/offline_render.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "app/command_line.h"
#include "app/output_tap.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "app/wav_writer.h"
#include "modules/walk_planner.h"
#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

constexpr int BAR_WIDTH = 40;

// A progress bar on standard error, drawn only when that is a terminal.
class Progress {
public:
    explicit Progress(long total) : total(total), shown(-1), visible(isatty(STDERR_FILENO)) {}

    void update(long done)
    {
        int percent = total ? static_cast<int>(100 * done / total) : 100;
        if (!visible || percent == shown)
            return;
        shown = percent;
        int filled = percent * BAR_WIDTH / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled,
                     "########################################", BAR_WIDTH - filled, "", percent);
        if (done == total)
            std::fprintf(stderr, "\n");
    }

private:
    long total;
    int shown;
    bool visible;
};

int fail(int status, const char *what, const std::string &name, const char *why)
{
    std::fprintf(stderr, "qmodular: %s %s: %s\n", what, name.c_str(), why);
    return status;
}

} // namespace

bool start_patch_offline(const std::string &path, int &status)
{
    if (const char *why = unreadable_patch_reason(path.c_str())) {
        status = fail(1, "cannot read the patch", path, why);
        return false;
    }

    fill_NOTE2FREQ();
    status = load_running_patch(path.c_str(), stderr);
    if (status != 0) {
        fail(status, "cannot build the patch", path, "fault in the file");
        stop_patch_offline();
        return false;
    }
    insert_output_delay(gen);
    plan_walk(*gen);
    CALLBACK_READY.store(1);
    status = 0;
    return true;
}

void stop_patch_offline()
{
    stop_rendering();
    discard_patch(gen);
    gen = nullptr;
}

void render_frames(int16_t *samples, long frames)
{
    for (long done = 0; done < frames; done += BLOCK_FRAMES) {
        long n = frames - done < BLOCK_FRAMES ? frames - done : BLOCK_FRAMES;
        instrument_callback(nullptr, samples + 2 * done, static_cast<int>(n * FRAME_BYTES),
                            nullptr);
    }
}

int render_offline(const CommandLine &cmd)
{
    int status;
    if (!start_patch_offline(cmd.patch, status))
        return status;

    WavWriter wav(Frequency);
    if (!wav.open(cmd.render_path)) {
        stop_patch_offline();
        return fail(1, "cannot write", cmd.render_path, std::strerror(errno));
    }

    const long total = std::lround(cmd.seconds * Frequency);
    std::vector<int16_t> samples(2 * BLOCK_FRAMES);
    Progress progress(total);
    unsigned long wrapped_before = wrapped_samples.load();
    bool written = true;
    for (long done = 0; done < total && written;) {
        long n = total - done < BLOCK_FRAMES ? total - done : BLOCK_FRAMES;
        render_frames(samples.data(), n);
        written = wav.write(samples.data(), n);
        done += n;
        progress.update(done);
    }
    written = wav.close() && written;
    stop_patch_offline();
    if (!written)
        return fail(1, "cannot write", cmd.render_path, std::strerror(errno));

    std::printf("Rendered %.3f s of [%s] into %s, %lu samples beyond full scale\n",
                static_cast<double>(total) / Frequency, cmd.patch.c_str(), cmd.render_path.c_str(),
                wrapped_samples.load() - wrapped_before);
    return 0;
}
