// A module of the patch seen whole, whatever its type: its kind, its object,
// its outputs and its name; the kinds a module's name declares; and finding
// modules in a patch by name or by the output an input reads.
#pragma once

#include <vector>

#include "synth/generator.h"

// The seven kinds of module, one bit each so that a set of kinds is a mask.
enum MODULE_KIND : unsigned {
    NO_MODULE = 0,
    VCO_MODULE = 1 << 0,
    VCA_MODULE = 1 << 1,
    VCF_MODULE = 1 << 2, // a filter (class PCF)
    SEQ_MODULE = 1 << 3,
    MIXER_MODULE = 1 << 4,
    SAMPLER_MODULE = 1 << 5,
    KEYBOARD_MODULE = 1 << 6,
};
constexpr unsigned ANY_MODULE = 0x7f;
// Every kind, in the order the lookups by name try them.
constexpr MODULE_KIND MODULE_KINDS[] = {VCO_MODULE,   VCA_MODULE,     VCF_MODULE,     SEQ_MODULE,
                                        MIXER_MODULE, SAMPLER_MODULE, KEYBOARD_MODULE};

// What a cable carries: an audio (or pitch, or modulation) signal, a gate or
// a sync pulse.
enum class SIGNAL { AUDIO, GATE, SYNC };

// The word a panel shows for a kind ("VCO", "VCA", "VCF", "SEQUENCEUR",
// "MIXER", "SAMPLER", "KEYBOARD"); null for no kind.
const char *kind_word(MODULE_KIND kind);

struct MODULE {
    MODULE_KIND kind = NO_MODULE;
    OUTPUT *object = nullptr; // every module is an audio output

    MODULE() = default;
    MODULE(VCO *m) : MODULE(VCO_MODULE, m) {}
    MODULE(VCA *m) : MODULE(VCA_MODULE, m) {}
    MODULE(PCF *m) : MODULE(VCF_MODULE, m) {}
    MODULE(SEQUENCER *m) : MODULE(SEQ_MODULE, m) {}
    MODULE(MIXER *m) : MODULE(MIXER_MODULE, m) {}
    MODULE(SAMPLER *m) : MODULE(SAMPLER_MODULE, m) {}
    MODULE(KEYBOARD *m) : MODULE(KEYBOARD_MODULE, m) {}

    explicit operator bool() const { return object != nullptr; }
    bool operator==(const MODULE &other) const { return object == other.object; }
    bool operator!=(const MODULE &other) const { return object != other.object; }

    // The object as its own class; the caller knows the kind.
    template <class T> T *as() const { return static_cast<T *>(object); }
    // The name the patch file gives it.
    const char *name() const;
    // Its gate and sync outputs: keyboards and sequencers only, else null.
    OUTPUT_GATE *gate() const;
    OUTPUT_SYNC *sync() const;
    // Its power switch (every kind has one): 0 while switched off.
    int *power() const;
    // Whether it has an output of the signal (every module has an audio one).
    bool has_output(SIGNAL signal) const;
    // The address of that output's value, state or pulse: what an input
    // plugged into it reads. Null when the module has none.
    const void *output(SIGNAL signal) const;

private:
    MODULE(MODULE_KIND k, OUTPUT *m) : kind(m != nullptr ? k : NO_MODULE), object(m) {}
};

// The kinds a module name declares, in the order a patch file's reader builds
// them: "SEQUENCER"; then the first of "PCF" (a filter), "KEY", "SAMPLER",
// "VCO"; then "VCA"; then "MIXER" (the name VCO_VCA_1 declares an oscillator
// and an amplifier).
struct DECLARED_KINDS {
    MODULE_KIND kind[4];
    int count = 0;
};
DECLARED_KINDS kinds_declared_by(const char *name);

// The modules of one kind, in the order of the patch's list.
std::vector<MODULE> modules_of(const GENERATOR &g, MODULE_KIND kind);

// The module of that name among the kinds the name declares and `kinds`
// holds, the first found in the order above; none when there is none. With a
// single keyboard in the patch, any name that declares a keyboard finds it.
MODULE find_module(const GENERATOR &g, const char *name, unsigned kinds = ANY_MODULE);

// The module whose output of the signal is at address: the module an input
// reading address is plugged into. None when no module's is (an input of
// another patch, or a test's own source).
MODULE owner_of(const GENERATOR &g, SIGNAL signal, const void *address);
