// The six port classes through which modules are wired.
//
// A module inherits the ports it has: it is at once its own output and its own
// main inputs. An input is only a pointer to the value held by some output, so
// a connection costs one pointer read per sample. None of these classes owns
// its source and none has a virtual destructor: modules are never destroyed
// through a port pointer.
//
// Connections change while the sound plays (the cable editor re-points and
// unplugs them on the main thread), so each is a Link: an atomic pointer. The
// audio thread reads the links of a module once per sub-block of the walk
// (GENERATOR::SUB_BLOCK frames, 1.45 ms) into plain pointers, its latched
// inputs, and the module's tick() reads only those, so a connection can never
// turn null between its test and its use, and the per-sample code carries no
// atomic reads.
//
// Rewiring while the sound plays; each is heard from the start of the next
// sub-block at the latest, and frees nothing a callback may hold:
//   in.connect(out), in.connect(nullptr)   audio, gate and sync inputs
//   VCO::connect_modulation(slot, out)     modulation slot of an oscillator,
//                                          sampler or filter (null unplugs)
//   VCO::set_modulation(slot, input)       a new input in the slot; the old
//                                          one is retired (retired_inputs.h)
//   mixer.ajoute_en_entree(out, -1)        a new mixer channel
//   mixer.inputs[i].connect(out)           re-plugs (or unplugs) a channel
//   general_out->connect(out)              the output tap (render_callback.h)
// Retired inputs are freed by stop_rendering(), once no callback runs.
#pragma once

#include <atomic>

// The per-sample code of every module (its tick()) is compiled into the
// generator's walk of its list, one function per list (SYNTH_NOINLINE keeps
// each walk a function of its own).
#if defined(__GNUC__)
#define SYNTH_INLINE __attribute__((always_inline)) inline
#define SYNTH_NOINLINE __attribute__((noinline))
#else
#define SYNTH_INLINE inline
#define SYNTH_NOINLINE
#endif

// A pointer that one thread may re-point, or set to null, while another reads
// it. Storing publishes with release and reading takes with acquire, so an
// object built just before it was linked is seen whole; on x86 both are
// plain moves.
template <typename T> class Link {
public:
    Link(T *p = nullptr) : ptr(p) {}
    Link(const Link &) = delete;
    Link &operator=(const Link &) = delete;

    Link &operator=(T *p)
    {
        ptr.store(p, std::memory_order_release);
        return *this;
    }
    // One read of the link. Read it once per sample into a local.
    T *get() const { return ptr.load(std::memory_order_acquire); }
    operator T *() const { return get(); }
    T *operator->() const { return get(); }

private:
    std::atomic<T *> ptr;
};

// Audio, pitch or modulation output: the signal's current value.
class OUTPUT {
public:
    float value;
    explicit OUTPUT(float v = 0.0f) : value(v) {}
    // Computes one sample; always returns 1.
    virtual int evolue() = 0;
};

// Audio, pitch or modulation input; null source = not connected.
class INPUT {
public:
    Link<float> source;
    // The source as latch() last read it: what tick() reads. Audio thread only.
    const float *latched;
    INPUT() : source(nullptr), latched(nullptr) {}
    explicit INPUT(OUTPUT *o) : source(o ? &o->value : nullptr), latched(nullptr) {}
    // Plugs this input into o's value; null unplugs it. Safe while the sound
    // plays: the callback hears the new source from its next sub-block on.
    void connect(OUTPUT *o) { source = o ? &o->value : nullptr; }
    void latch() { latched = source.get(); }
};

// Gate output: state 1 while a note is held.
class OUTPUT_GATE {
public:
    float elapsed;
    int state;
    explicit OUTPUT_GATE(int s = 0) : elapsed(0.0f), state(s) {}
    virtual int evolue()
    {
        elapsed += 1.0f;
        return 1;
    }
    void TRIG()
    {
        state = 1;
        elapsed = 0.0f;
    }
    void UNTRIG() { state = 0; }
};

// Gate input; the gate is on when connected and the state read is exactly 1.
class INPUT_GATE {
public:
    Link<int> source;
    // The source as latch() last read it. Not const: a sampler closes the gate
    // of its source when its recording ends.
    int *latched;
    explicit INPUT_GATE(OUTPUT_GATE *g = nullptr)
        : source(g ? &g->state : nullptr), latched(nullptr)
    {
    }
    virtual int evolue() = 0;
    // Plugs this input into g's state; null unplugs it.
    void connect(OUTPUT_GATE *g) { source = g ? &g->state : nullptr; }
    void latch() { latched = source.get(); }
    // From the latched source.
    bool gate_on() const { return latched && *latched == 1; }
};

// Sync output: pulse is 1 during exactly one evaluation after TRIG_SYNC().
class OUTPUT_SYNC {
public:
    int pending;
    int pulse;
    explicit OUTPUT_SYNC(int = 0) : pending(0), pulse(0) {}
    void TRIG_SYNC() { pending = 1; }
    virtual int evolue()
    {
        if (pending == 1) {
            pending = 0;
            pulse = 1;
        } else {
            pulse = 0;
        }
        return 1;
    }
};

// Sync input; a sync arrives when connected and the pulse read is non-zero.
class INPUT_SYNC {
public:
    Link<int> source;
    // The source as latch() last read it.
    const int *latched;
    explicit INPUT_SYNC(OUTPUT_SYNC *s = nullptr)
        : source(s ? &s->pulse : nullptr), latched(nullptr)
    {
    }
    // Plugs this input into s's pulse; null unplugs it.
    void connect(OUTPUT_SYNC *s) { source = s ? &s->pulse : nullptr; }
    void latch() { latched = source.get(); }
    // From the latched source.
    bool sync_arrived() const { return latched && *latched != 0; }
};

// The value a latched input reads for one sample, or `absent` when it is
// unplugged.
inline float read_or(const INPUT &in, float absent) { return in.latched ? *in.latched : absent; }

// A modulation input slot: a separately allocated INPUT, or null.
using MOD_SLOT = Link<INPUT>;

// The value a modulation slot points at, or null when the slot is empty or its
// input unplugged: what a module latches for the sub-block.
inline const float *modulation(const MOD_SLOT &slot)
{
    const INPUT *in = slot;
    return in ? in->source.get() : nullptr;
}
