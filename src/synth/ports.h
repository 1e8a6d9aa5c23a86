// The six port classes through which modules are wired.
//
// A module inherits the ports it has: it is at once its own output and its own
// main inputs. An input is only a pointer to the value held by some output, so
// a connection costs one pointer read per sample. None of these classes owns
// its source and none has a virtual destructor: modules are never destroyed
// through a port pointer.
#pragma once

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
    float *source;
    INPUT() : source(nullptr) {}
    explicit INPUT(OUTPUT *o) : source(o ? &o->value : nullptr) {}
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
    int *source;
    explicit INPUT_GATE(OUTPUT_GATE *g = nullptr) : source(g ? &g->state : nullptr) {}
    virtual int evolue() = 0;
    bool gate_on() const { return source && *source == 1; }
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
    int *source;
    explicit INPUT_SYNC(OUTPUT_SYNC *s = nullptr) : source(s ? &s->pulse : nullptr) {}
    bool sync_arrived() const { return source && *source != 0; }
};
