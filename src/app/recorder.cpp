#include "app/recorder.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <vector>

#include "app/render_callback.h"
#include "app/wav_writer.h"
#include "patch/error_words.h"

RECORDER recorder;

namespace {

using CLOCK = std::chrono::steady_clock;

// How often the writer wakes, and brings the header up to date.
constexpr auto WRITER_PAUSE = std::chrono::milliseconds(20);
constexpr auto HEADER_EVERY = std::chrono::seconds(1);

} // namespace

std::string recording_path(const std::string &patch_path)
{
    const size_t slash = patch_path.rfind('/');
    std::string name = patch_path.substr(slash == std::string::npos ? 0 : slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    char when[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(when, sizeof when, "%Y%m%d-%H%M%S", std::localtime(&now));
    return std::string(RECORDING_DIRECTORY) + "/" + name + "-" + when + ".wav";
}

bool RECORDER::start(const std::string &path, bool float_samples, std::string &why)
{
    if (recording())
        return true;
    if (mkdir(RECORDING_DIRECTORY, 0777) != 0 && errno != EEXIST) {
        why = std::string("Cannot make ") + RECORDING_DIRECTORY + ": " + error_words(errno);
        return false;
    }
    auto wav = std::make_shared<WavWriter>(
        SAMPLE_RATE, float_samples ? WavWriter::FLOAT_32 : WavWriter::PCM_16);
    if (!wav->open(path)) {
        why = "Cannot write " + path + ": " + error_words(errno);
        return false;
    }
    if (!ring)
        ring.reset(new float[RING_FRAMES]);
    head.store(0);
    tail.store(0);
    lost.store(0);
    written.store(0);
    failed.store(false);
    ending.store(false);
    file_path = path;
    writer = std::thread([this, wav, float_samples] {
        std::vector<float> floats;
        std::vector<int16_t> pcm;
        bool broken = false;
        auto last_header = CLOCK::now();
        for (;;) {
            const bool end = ending.load(std::memory_order_acquire);
            unsigned h = head.load(std::memory_order_relaxed);
            const unsigned t = tail.load(std::memory_order_acquire);
            floats.clear();
            pcm.clear();
            for (; h != t; ++h) {
                const float v = ring[h % RING_FRAMES];
                floats.insert(floats.end(), {v, v});
                const int16_t s = output_sample(v);
                pcm.insert(pcm.end(), {s, s});
            }
            head.store(h, std::memory_order_release);
            const long frames = static_cast<long>(floats.size() / 2);
            if (!broken && frames > 0) {
                errno = 0;
                const bool ok = float_samples ? wav->write(floats.data(), frames)
                                              : wav->write(pcm.data(), frames);
                if (ok) {
                    written.fetch_add(static_cast<unsigned long>(frames));
                } else {
                    broken = true;
                    failure_words = "Recording stopped: cannot write " + file_path + ": " +
                                    error_words(errno != 0 ? errno : ENOSPC);
                    failed.store(true, std::memory_order_release);
                }
            }
            if (!broken && CLOCK::now() - last_header >= HEADER_EVERY) {
                wav->update_header();
                last_header = CLOCK::now();
            }
            if (end)
                break;
            std::this_thread::sleep_for(WRITER_PAUSE);
        }
        wav->close();
    });
    taking.store(true, std::memory_order_release);
    return true;
}

void RECORDER::stop()
{
    if (!recording())
        return;
    taking.store(false, std::memory_order_release);
    ending.store(true, std::memory_order_release);
    writer.join();
}

double RECORDER::seconds() const { return static_cast<double>(written.load()) / SAMPLE_RATE; }

std::string RECORDER::failure() const
{
    return failed.load(std::memory_order_acquire) ? failure_words : std::string();
}
