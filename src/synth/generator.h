// The patch in memory: every module, one list per type, and lookups by name.
// Audio thread: evaluate() and evaluate_one_sample(); the lists, the lookups
// and the patch file functions belong to the main thread.
#pragma once

#include <cstdio>
#include <string>
#include <typeinfo>
#include <vector>

#include "synth/keyboard.h"
#include "synth/mixer.h"
#include "synth/module_list.h"
#include "synth/pcf.h"
#include "synth/ports.h"
#include "synth/sampler.h"
#include "synth/sequencer.h"
#include "synth/sfx_delay.h"
#include "synth/vca.h"
#include "synth/vco.h"

class GENERATOR : public OUTPUT {
public:
    // Whether a callback may evaluate the patch now (it is the patch that
    // plays): changes of the lists then keep what they replace until
    // free_retired().
    std::atomic<bool> playing{false};

    // Declaration order is the evaluation order of every sample.
    MODULE_LIST<SEQUENCER> sequencers{playing};
    MODULE_LIST<KEYBOARD> keyboards{playing};
    MODULE_LIST<VCO> oscillators{playing};
    MODULE_LIST<MIXER> mixers{playing};
    MODULE_LIST<SAMPLER> samplers{playing};
    MODULE_LIST<VCA> amplifiers{playing};
    MODULE_LIST<PCF> filters{playing};
    MODULE_LIST<SFX_DELAY> delays{playing};
    char patch_path[800];
    // The name of the mixer the patch plays: the one its output line
    // ("OUTPUT_1;NAME;") names, when the patch has such a mixer, else
    // DEFAULT_OUTPUT.
    static constexpr const char *DEFAULT_OUTPUT = "MIXER_4";
    char output_mixer[800];

    // An empty patch.
    GENERATOR();
    // Builds the patch of a file: its modules, then its links. A null path
    // reads "orgue.QSY". A file that cannot be read gives an empty patch.
    // Defined by the patch library (src/patch), like the readers below.
    explicit GENERATOR(const char *path);
    // Releases the lists, not the modules (see release_modules).
    virtual ~GENERATOR() = default;
    GENERATOR(const GENERATOR &) = delete;
    GENERATOR &operator=(const GENERATOR &) = delete;

    int evolue() override;

    VCO *get_VCO_by_name(const char *name);
    VCA *get_VCA_by_name(const char *name);
    PCF *get_PCF_by_name(const char *name);
    SAMPLER *get_SAMPLER_by_name(const char *name);
    SEQUENCER *get_SEQUENCER_by_name(const char *name);
    MIXER *get_MIXER_by_name(const char *name);
    // With exactly one keyboard in the patch, that keyboard whatever its name.
    KEYBOARD *get_KEYBOARD_by_name(const char *name);

    // Patch file reading and writing. Each reader returns 1 when the file was
    // read and 0 when it cannot be opened; a fatal fault in the file is
    // reported through load_status (below) instead of ending the process.
    // These three, and every module's write_desc_to_file, are defined by the
    // patch library (src/patch), not by this one: a program that calls them
    // links qm_patch, and the synthesis library links on its own.
    int load_QSY(const char *path);
    int load_QSY_link(const char *path);
    int save_QSY(FILE *file) const;

    // 0 when the last load went well; otherwise the exit status the fault
    // carries (-1 for a fault in the file, 1 for a file that is not a patch),
    // so that start-up can end the program with it while a load at run time
    // refuses the file and keeps the running patch.
    int load_status;
    // Why, in plain words, for the window and the console ("QSY/X.QSY, line
    // 12: empty field in the declaration of VCO_1"); empty after a good load.
    std::string load_problem;

    // Deletes every module of every list and empties the lists. For a patch
    // that is being discarded while no callback evaluates it.
    void release_modules();
    // Frees the list copies replaced, the modules removed and the samplers'
    // recordings replaced while the patch played. Only while no callback
    // holds them: none runs now (and any that starts takes the lists and
    // recordings as they are), or none has run since.
    void free_retired();

    // Frames evaluated between two readings of the connections: a cable moved
    // while the sound plays is heard at most this many frames late (1.45 ms
    // at 44100 Hz).
    static constexpr int SUB_BLOCK = 64;

    // Computes `frames` samples. For each: every module evaluated once, list
    // by list in the declaration order above, each list from first to last
    // (a module hears one listed before it in the same sample and one listed
    // after it one sample late); then after_frame(i) with the frame's index.
    // Parameters are read afresh at every sample; connections at the start
    // of every SUB_BLOCK frames (and of every call), where before_sub_block()
    // runs first (the MIDI notes are played there).
    template <typename BeforeSubBlock, typename AfterFrame>
    void evaluate(int frames, BeforeSubBlock &&before_sub_block, AfterFrame &&after_frame);
    template <typename AfterFrame> void evaluate(int frames, AfterFrame &&after_frame)
    {
        evaluate(frames, [](int) {}, after_frame);
    }
    // One sample of the whole patch.
    void evaluate_one_sample()
    {
        evaluate(1, [](int) {});
    }
};

// The one patch of the program.
extern GENERATOR *gen;

// ---- The walk: templates, instantiated where the render loop calls it ----

namespace generator_walk {

// A list whose modules are all of the list's own type is walked with direct
// calls that the compiler inlines; a list holding a subclass (a test's
// scripted module) goes through the virtual evolue(). A call walks the lists
// as published when it starts, so this is decided once per call.
template <typename Module> bool direct(const std::vector<Module *> &list)
{
    for (Module *m : list)
        if (typeid(*m) != typeid(Module))
            return false;
    return true;
}

template <typename Module> inline void latch(const std::vector<Module *> &list)
{
    for (Module *m : list)
        m->latch_inputs();
}

// One frame of one list. Each list's walk is a function of its own rather
// than inlined into the render loop: its loop is then laid out and predicted
// on its own, which measured faster and steadier against unrelated changes
// of the surrounding code than one loop body for the whole patch.
template <typename Module> SYNTH_NOINLINE void walk(const std::vector<Module *> &list, bool direct)
{
    if (direct) {
        for (Module *m : list)
            m->tick();
    } else {
        for (Module *m : list)
            m->evolue();
    }
}

} // namespace generator_walk

template <typename BeforeSubBlock, typename AfterFrame>
void GENERATOR::evaluate(int frames, BeforeSubBlock &&before_sub_block, AfterFrame &&after_frame)
{
    using namespace generator_walk;
    // The lists as published now: modules added or removed meanwhile are
    // heard from the next call.
    const auto &seq = sequencers.walked();
    const auto &key = keyboards.walked();
    const auto &osc = oscillators.walked();
    const auto &mix = mixers.walked();
    const auto &smp = samplers.walked();
    const auto &amp = amplifiers.walked();
    const auto &fil = filters.walked();
    const auto &del = delays.walked();
    const bool d[] = {direct(seq), direct(key), direct(osc), direct(mix),
                      direct(smp), direct(amp), direct(fil), direct(del)};
    for (int first = 0; first < frames; first += SUB_BLOCK) {
        const int end = frames - first < SUB_BLOCK ? frames : first + SUB_BLOCK;
        before_sub_block(end - first);
        latch(seq);
        latch(key);
        latch(osc);
        latch(mix);
        latch(smp);
        latch(amp);
        latch(fil);
        latch(del);
        for (int i = first; i < end; ++i) {
            walk(seq, d[0]);
            walk(key, d[1]);
            walk(osc, d[2]);
            walk(mix, d[3]);
            walk(smp, d[4]);
            walk(amp, d[5]);
            walk(fil, d[6]);
            walk(del, d[7]);
            after_frame(i);
        }
    }
}
