// Recording what the program plays into a WAV file, while it plays: the
// render callback copies every frame into a ring without locks, a writer
// thread of its own empties the ring into the file and brings the header's
// sizes up to date every second, so that the file plays in any player
// however the program ends (a kill loses the last second at most).
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

// Where the recordings go, in the user's folder (the working directory).
constexpr const char *RECORDING_DIRECTORY = "recordings";

class RECORDER {
public:
    // Frames the ring holds: about 12 seconds, far more than the writer
    // ever lags behind.
    static constexpr unsigned RING_FRAMES = 1u << 19;

    ~RECORDER() { stop(); }

    // Main thread: starts recording into path (16-bit PCM, or 32-bit float
    // samples), from the next frame the callback plays; false with why when
    // the file cannot be made.
    bool start(const std::string &path, bool float_samples, std::string &why);
    // Main thread: writes what is left and the final header, and closes the
    // file. Nothing happens when not recording.
    void stop();
    bool recording() const { return writer.joinable(); }
    const std::string &path() const { return file_path; }
    // Seconds recorded so far.
    double seconds() const;
    // Why the writer stopped writing (a full disk), in plain words; empty
    // while all goes well. The recording should then be stopped.
    std::string failure() const;

    // Audio thread: n frames of the sound (both channels play them). Those
    // that find the ring full are lost, and counted.
    void put(const float *v, int n)
    {
        if (!taking.load(std::memory_order_acquire))
            return;
        const unsigned t = tail.load(std::memory_order_relaxed);
        const unsigned room = RING_FRAMES - (t - head.load(std::memory_order_acquire));
        const unsigned kept = (unsigned)n < room ? (unsigned)n : room;
        for (unsigned k = 0; k < kept; ++k)
            ring[(t + k) % RING_FRAMES] = v[k];
        if (kept < (unsigned)n)
            lost.fetch_add(n - kept, std::memory_order_relaxed);
        tail.store(t + kept, std::memory_order_release);
    }

private:
    std::unique_ptr<float[]> ring;
    std::atomic<unsigned> head{0}, tail{0};
    std::atomic<bool> taking{false}, ending{false};
    std::atomic<unsigned long> lost{0}, written{0};
    std::atomic<bool> failed{false};
    std::string failure_words; // set by the writer before failed
    std::string file_path;
    std::thread writer;
};

// The recorder of the program's sound.
extern RECORDER recorder;

// The file a recording of the patch starts now goes to:
// RECORDING_DIRECTORY/NAME-YYYYMMDD-HHMMSS.wav, NAME the patch file's name
// without its extension.
std::string recording_path(const std::string &patch_path);
