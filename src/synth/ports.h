// The six port classes through which modules are wired, and the protocol
// every module follows.
//
// A module inherits the ports it has: it is at once its own output and its own
// main inputs. An input is only a pointer to the value held by some output, so
// a connection costs one pointer read per sample. None of these classes owns
// its source and none has a virtual destructor: modules are never destroyed
// through a port pointer.
//
// The module protocol. Every module class has:
//   latch_inputs()  audio thread: reads its connections (each an atomic
//                   pointer, below) into plain pointers, once per sub-block
//                   of the generator's walk (GENERATOR::SUB_BLOCK frames)
//   tick()          audio thread: one sample from the latched pointers and
//                   its parameters, into its output; inline, so that the
//                   generator's walk of its list is one loop
//   evolue()        latch_inputs() then tick(): one sample on its own, for
//                   tests and scripted modules (virtual)
// A connection therefore never turns null between its test and its use, and
// the per-sample code carries no atomic reads. Parameters (a knob's value) are
// plain fields the main thread writes and the audio thread reads; a value
// torn by a concurrent store is impossible for an aligned int or float.
//
// What the audio thread writes: each module's own output (value, and a note
// source's gate state and sync pulse) and its own running state (phase
// positions, envelope times, filter history, step counters, the noise
// generator, a sequencer's playing pattern and divider, taken from the ones
// asked for at the end of its loop). Two of those are written by the main
// thread too, and are atomics for it: a gate's state (the keyboard opens and
// closes it; a sequencer opens it; a sampler closes its source's gate when
// its recording ends) and a sync's pending pulse (a key press asks for it).
//
// Rewiring while the sound plays; each is heard from the start of the next
// sub-block at the latest, and frees nothing a callback may hold:
//   in.connect(out), in.connect(nullptr)   audio, gate and sync inputs
//   connect_modulation(slot, out)          modulation slot of an oscillator,
//                                          sampler or filter (null unplugs)
//   mixer.ajoute_en_entree(out, -1)        a new mixer channel
//   mixer.inputs[i].connect(out)           re-plugs (or unplugs) a channel
//   general_out->connect(out)              the output tap (render_callback.h)
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
template <typename T> class AtomicPointer {
public:
    AtomicPointer(T *p = nullptr) : ptr(p) {}
    AtomicPointer(const AtomicPointer &) = delete;
    AtomicPointer &operator=(const AtomicPointer &) = delete;

    AtomicPointer &operator=(T *p)
    {
        ptr.store(p, std::memory_order_release);
        return *this;
    }
    // One read of the pointer. Read it once per sample into a local.
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
    AtomicPointer<float> source;
    // The source as latch() last read it: what tick() reads. Audio thread only.
    const float *latched;
    INPUT() : source(nullptr), latched(nullptr) {}
    explicit INPUT(OUTPUT *o) : source(o ? &o->value : nullptr), latched(nullptr) {}
    // Plugs this input into o's value; null unplugs it. Safe while the sound
    // plays: the callback hears the new source from its next sub-block on.
    void connect(OUTPUT *o) { source = o ? &o->value : nullptr; }
    void latch() { latched = source.get(); }
};

// A gate's state: 1 while a note is held. Written by both threads (see
// above), each store and load relaxed: the state is a flag, it orders nothing.
using GATE_STATE = std::atomic<int>;

// Gate output.
class OUTPUT_GATE {
public:
    GATE_STATE state;
    explicit OUTPUT_GATE(int s = 0) : state(s) {}
    void TRIG() { state.store(1, std::memory_order_relaxed); }
    void UNTRIG() { state.store(0, std::memory_order_relaxed); }
};

// Gate input; the gate is on when connected and the state read is exactly 1.
class INPUT_GATE {
public:
    AtomicPointer<GATE_STATE> source;
    // The source as latch() last read it. Not const: a sampler closes the gate
    // of its source when its recording ends.
    GATE_STATE *latched;
    explicit INPUT_GATE(OUTPUT_GATE *g = nullptr)
        : source(g ? &g->state : nullptr), latched(nullptr)
    {
    }
    virtual int evolue() = 0;
    // Plugs this input into g's state; null unplugs it.
    void connect(OUTPUT_GATE *g) { source = g ? &g->state : nullptr; }
    void latch() { latched = source.get(); }
    // From the latched source.
    bool gate_on() const { return latched && latched->load(std::memory_order_relaxed) == 1; }
};

// Sync output: pulse is 1 during exactly one evaluation after TRIG_SYNC().
class OUTPUT_SYNC {
public:
    // Asked for by TRIG_SYNC (any thread), taken by the next evaluation.
    std::atomic<int> pending;
    int pulse;
    explicit OUTPUT_SYNC(int = 0) : pending(0), pulse(0) {}
    void TRIG_SYNC() { pending.store(1, std::memory_order_relaxed); }
    virtual int evolue()
    {
        // The exchange, a locked instruction, only when a pulse was asked for.
        pulse = pending.load(std::memory_order_relaxed) != 0 &&
                pending.exchange(0, std::memory_order_relaxed) != 0;
        return 1;
    }
};

// Sync input; a sync arrives when connected and the pulse read is non-zero.
class INPUT_SYNC {
public:
    AtomicPointer<int> source;
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

// A modulation input slot: a separately allocated INPUT, owned by its module
// once connected, or null.
using MOD_SLOT = AtomicPointer<INPUT>;

// The value a modulation slot points at, or null when the slot is empty or its
// input unplugged: what a module latches for the sub-block.
inline const float *modulation(const MOD_SLOT &slot)
{
    const INPUT *in = slot;
    return in ? in->source.get() : nullptr;
}

// Plugs a modulation slot into source, null unplugging it. A slot that already
// has an input is re-pointed, so nothing is freed; an empty slot gets a new
// input (none for a null source). Main thread.
void connect_modulation(MOD_SLOT &slot, OUTPUT *source);
