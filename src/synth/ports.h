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
//   latch_inputs(r) audio thread: reads its connections (each an atomic
//                   pointer, below) into plain pointers, once per sub-block
//                   of SUB_BLOCK frames; r is the module's place in the
//                   generator's walk (HISTORY::position), or STANDALONE
//   run(from, to)   audio thread: frames from .. to - 1 of the sub-block,
//                   from the latched pointers and its parameters, into its
//                   frames (below; store_frame), `value` left at the last;
//                   inline, so that the generator's walk of a module is one
//                   loop
//   evolue()        latch_inputs(STANDALONE) then run(0, 1): one sample on
//                   its own, for tests and scripted modules (virtual)
// A connection therefore never turns null between its test and its use, and
// the per-sample code carries no atomic reads. Parameters (a knob's value) are
// plain fields the main thread writes and the audio thread reads; a value
// torn by a concurrent store is impossible for an aligned int or float.
//
// Every output keeps the frames of the sub-block being computed (HISTORY),
// so that a module can run a whole sub-block before the modules that read
// it, and a reader finds each frame where its place in the walk says it
// should hear it. Parameters may therefore be read once per run(): a knob
// turned is heard from the next sub-block at the latest. Latched STANDALONE,
// an input reads the output's `value` itself.
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
#include <climits>
#include <type_traits>

// The per-sample code of every module (its run()) is compiled into the
// generator's walk, one function per module class (SYNTH_NOINLINE keeps each
// a function of its own).
#if defined(__GNUC__)
#define SYNTH_INLINE __attribute__((always_inline)) inline
#define SYNTH_NOINLINE __attribute__((noinline))
#else
#define SYNTH_INLINE inline
#define SYNTH_NOINLINE
#endif

// Frames evaluated between two readings of the connections and of the
// parameters (knobs, switches, keys, MIDI notes, remote orders): whatever
// changes while the sound plays is heard at most this many frames late
// (1.45 ms at 44100 Hz). The generator may compute a module's whole
// sub-block before the next module's.
constexpr int SUB_BLOCK = 64;

// How many times any connection (AtomicPointer below) or any list of modules
// (synth/module_list.h) was changed: the generator computes its patch a
// sub-block at a time only by an order worked out for them as they are
// (synth/walk_plan.h).
extern std::atomic<unsigned> wiring_changes;

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
        // Counted before the store: a callback that reads the new pointer
        // then also sees the count changed.
        wiring_changes.fetch_add(1, std::memory_order_relaxed);
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

// An input's place in the generator's walk when it is latched outside it: it
// then reads the output's current value.
constexpr int STANDALONE = -1;
// The place of an output walked by no generator.
constexpr int UNWALKED = INT_MAX;

// The frames of the sub-block being computed: frames[1 + k] is frame k,
// frames[0] the last frame of the sub-block before. A reader placed after the
// owner in the walk hears frame k at its frame k; one placed before it (or
// the owner itself) hears frame k - 1, as it would if every module were
// computed one frame at a time in the walk's order.
template <typename FRAME> struct HISTORY {
    int position = UNWALKED; // the owner's place in the walk
    FRAME frames[SUB_BLOCK + 1];

    explicit HISTORY(FRAME v)
    {
        for (FRAME &f : frames)
            f = v;
    }
    // Where a reader placed at `reader` finds frame k: at base(reader)[k].
    // An output walked by no generator (a test's own source) holds `now`,
    // its current value, for the whole sub-block.
    FRAME *base(int reader, FRAME now)
    {
        if (position == UNWALKED) {
            for (FRAME &f : frames)
                f = now;
            return frames;
        }
        return frames + (position < reader ? 1 : 0);
    }
    void store(int k, FRAME v) { frames[1 + k] = v; }
    // The sub-block of n frames is over: its last frame is the history.
    void end_sub_block(int n) { frames[0] = frames[n]; }
};

// Each output is its current value followed by its frames. The value comes
// first, so that the address an input is plugged into is the address of the
// whole.
struct AUDIO_FRAMES {
    float value;
    HISTORY<float> history;
    explicit AUDIO_FRAMES(float v) : value(v), history(v) {}
};

// Where an input plugged into `now` (an output's value or pulse), latched at
// `reader`, finds frame k of the sub-block: at the result's [k]. STANDALONE
// reads `now` itself.
template <typename WHOLE, typename NOW> const NOW *frames_base(const NOW *now, int reader)
{
    static_assert(std::is_standard_layout<WHOLE>::value, "the value must be the whole's address");
    if (!now || reader == STANDALONE)
        return now;
    return reinterpret_cast<WHOLE *>(const_cast<NOW *>(now))->history.base(reader, *now);
}

// Frame k of the sub-block the generator has just computed, of the output
// whose value is at `value`; an output walked by no generator has only its
// value.
inline float computed_frame(const float *value, int k)
{
    const auto *whole = reinterpret_cast<const AUDIO_FRAMES *>(value);
    return whole->history.position == UNWALKED ? *value : whole->history.frames[1 + k];
}

// Audio, pitch or modulation output: the signal's current value.
class OUTPUT : public AUDIO_FRAMES {
public:
    explicit OUTPUT(float v = 0.0f) : AUDIO_FRAMES(v) {}
    // Computes one sample; always returns 1.
    virtual int evolue() = 0;
};

// Audio, pitch or modulation input; null source = not connected.
class INPUT {
public:
    AtomicPointer<float> source;
    // Where frame k of the source is, as latch() last found it: at
    // latched[k]. Audio thread only.
    const float *latched;
    INPUT() : source(nullptr), latched(nullptr) {}
    explicit INPUT(OUTPUT *o) : source(o ? &o->value : nullptr), latched(nullptr) {}
    // Plugs this input into o's value; null unplugs it. Safe while the sound
    // plays: the callback hears the new source from its next sub-block on.
    void connect(OUTPUT *o) { source = o ? &o->value : nullptr; }
    void latch(int reader) { latched = frames_base<AUDIO_FRAMES>(source.get(), reader); }
};

// A gate's state: 1 while a note is held. Written by both threads (see
// above), each store and load relaxed: the state is a flag, it orders nothing.
using GATE_STATE = std::atomic<int>;

struct GATE_FRAMES {
    GATE_STATE state;
    HISTORY<int> history;
    explicit GATE_FRAMES(int s) : state(s), history(s) {}
};

// Gate output.
class OUTPUT_GATE : public GATE_FRAMES {
public:
    explicit OUTPUT_GATE(int s = 0) : GATE_FRAMES(s) {}
    void TRIG() { state.store(1, std::memory_order_relaxed); }
    void UNTRIG() { state.store(0, std::memory_order_relaxed); }
};

// Gate input; the gate is on when connected and the state read is exactly 1.
class INPUT_GATE {
public:
    AtomicPointer<GATE_STATE> source;
    explicit INPUT_GATE(OUTPUT_GATE *g = nullptr) : source(g ? &g->state : nullptr) {}
    virtual int evolue() = 0;
    // Plugs this input into g's state; null unplugs it.
    void connect(OUTPUT_GATE *g) { source = g ? &g->state : nullptr; }
    void latch(int reader)
    {
        GATE_STATE *s = source.get();
        latched_source = reinterpret_cast<GATE_FRAMES *>(s);
        if (!s) {
            latched = nullptr;
        } else if (reader == STANDALONE) {
            held = s->load(std::memory_order_relaxed);
            latched = &held;
        } else {
            latched = latched_source->history.base(reader, s->load(std::memory_order_relaxed));
        }
    }
    // Whether it was plugged in when latched.
    bool gate_plugged() const { return latched != nullptr; }
    // At frame k, from the latched source.
    bool gate_on(int k) const { return latched && latched[k] == 1; }
    // The gate's frames as latched (frame k at [k]); null when unplugged.
    const int *gate_frames() const { return latched; }
    // Closes the source's gate at frame k: readers after this one hear it
    // closed from this frame, the source itself from its next.
    void close_gate(int k)
    {
        latched_source->state.store(0, std::memory_order_relaxed);
        latched[k] = 0;
    }

private:
    static_assert(std::is_standard_layout<GATE_FRAMES>::value, "the state is the whole's address");
    GATE_FRAMES *latched_source = nullptr;
    int *latched = nullptr; // frame k at latched[k]
    int held = 0;           // the state itself, latched STANDALONE
};

struct SYNC_FRAMES {
    int pulse;
    HISTORY<int> history;
    SYNC_FRAMES() : pulse(0), history(0) {}
};

// Sync output: pulse is 1 during exactly one evaluation after TRIG_SYNC().
class OUTPUT_SYNC : public SYNC_FRAMES {
public:
    // Asked for by TRIG_SYNC (any thread), taken by the next evaluation.
    std::atomic<int> pending;
    explicit OUTPUT_SYNC(int = 0) : pending(0) {}
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
    // Where frame k of the source is, as latch() last found it.
    const int *latched;
    explicit INPUT_SYNC(OUTPUT_SYNC *s = nullptr)
        : source(s ? &s->pulse : nullptr), latched(nullptr)
    {
    }
    // Plugs this input into s's pulse; null unplugs it.
    void connect(OUTPUT_SYNC *s) { source = s ? &s->pulse : nullptr; }
    void latch(int reader) { latched = frames_base<SYNC_FRAMES>(source.get(), reader); }
    // At frame k, from the latched source.
    bool sync_arrived(int k) const { return latched && latched[k] != 0; }
};

// The value a latched input reads at frame k, or `absent` when it is
// unplugged.
inline float read_or(const INPUT &in, int k, float absent)
{
    return in.latched ? in.latched[k] : absent;
}

// A modulation input slot: a separately allocated INPUT, owned by its module
// once connected, or null.
using MOD_SLOT = AtomicPointer<INPUT>;

// The value a modulation slot points at, or null when the slot is empty or its
// input unplugged.
inline const float *modulation(const MOD_SLOT &slot)
{
    const INPUT *in = slot;
    return in ? in->source.get() : nullptr;
}
// Where a module latched at `reader` finds frame k of what the slot points
// at (null when nothing), for the sub-block.
inline const float *latch_modulation(const MOD_SLOT &slot, int reader)
{
    return frames_base<AUDIO_FRAMES>(modulation(slot), reader);
}

// Plugs a modulation slot into source, null unplugging it. A slot that already
// has an input is re-pointed, so nothing is freed; an empty slot gets a new
// input (none for a null source). Main thread.
void connect_modulation(MOD_SLOT &slot, OUTPUT *source);

// Keeps what module m put out at frame k of the sub-block: its value, and its
// gate state and sync pulse when it has them.
template <class Module> SYNTH_INLINE void store_frame(Module *m, int k)
{
    m->AUDIO_FRAMES::history.store(k, m->value);
    if constexpr (std::is_base_of<OUTPUT_GATE, Module>::value)
        m->OUTPUT_GATE::history.store(k, m->state.load(std::memory_order_relaxed));
    if constexpr (std::is_base_of<OUTPUT_SYNC, Module>::value)
        m->OUTPUT_SYNC::history.store(k, m->pulse);
}

// run() of a module computed one frame at a time by its frame(k).
template <class Module> SYNTH_INLINE void run_by_frames(Module *m, int from, int to)
{
    for (int k = from; k < to; ++k) {
        m->frame(k);
        store_frame(m, k);
    }
}
