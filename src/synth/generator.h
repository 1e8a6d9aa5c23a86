// The patch in memory: every module, one list per type, and lookups by name.
// Audio thread: evaluate() and evaluate_one_sample(); the lists, the lookups
// and the patch file functions belong to the main thread.
#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
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
#include "synth/walk_plan.h"

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

    // Frames evaluated between two readings of the connections and of
    // parameters (ports.h).
    static constexpr int SUB_BLOCK = ::SUB_BLOCK;

    // Computes `frames` samples, as if every module were evaluated once per
    // frame, list by list in the declaration order above, each list from
    // first to last: a module hears one listed before it in the same frame
    // and one listed after it one frame late. Connections are read at the
    // start of every SUB_BLOCK frames (and of every call), where
    // before_sub_block(n) runs first (the MIDI notes are played there); after
    // the sub-block, after_sub_block(first, n) with the index of its first
    // frame and its length, when each module's frames are there to read
    // (computed_frame, ports.h).
    //
    // With a plan for the lists and connections as they are (plan(), made
    // on the main thread by modules/walk_planner.h), each module is computed
    // a whole sub-block at a time, in an order where it comes after what it
    // hears; modules that hear each other both ways (a feedback loop) are
    // computed frame by frame together. Without one (the patch just changed,
    // or a test's scripted module is listed), frame by frame in the walk's
    // order. Both give the same samples.
    template <typename BeforeSubBlock, typename AfterSubBlock>
    void evaluate(int frames, BeforeSubBlock &&before_sub_block, AfterSubBlock &&after_sub_block);
    template <typename AfterSubBlock> void evaluate(int frames, AfterSubBlock &&after_sub_block)
    {
        evaluate(frames, [](int) {}, after_sub_block);
    }
    // One sample of the whole patch.
    void evaluate_one_sample()
    {
        evaluate(1, [](int, int) {});
    }

    // ---- The plan (main thread) ----
    // The plan the walk follows now; null when none was made.
    const WALK_PLAN *plan() const { return published_plan.load(); }
    // Whether that plan is for the lists and connections as they are now.
    bool plan_is_current() const;
    // Makes `plan` the one the walk follows from its next call (it records
    // the wiring_changes it was made for). The one it replaces is kept until
    // free_retired().
    void publish_plan(std::unique_ptr<WALK_PLAN> plan);

private:
    std::atomic<WALK_PLAN *> published_plan{nullptr};
    std::vector<std::unique_ptr<WALK_PLAN>> retired_plans;
    std::unique_ptr<WALK_PLAN> current_plan; // owns published_plan
};

// The one patch of the program.
extern GENERATOR *gen;

// ---- The walk: templates, instantiated where the render loop calls it ----

namespace generator_walk {

// A list whose modules are all of the list's own type is walked with direct
// calls that the compiler inlines; a list holding a subclass (a test's
// scripted module) goes through the virtual evolue(), frame by frame. A call
// walks the lists as published when it starts, so this is decided once per
// call.
template <typename Module> bool direct(const std::vector<Module *> &list)
{
    for (Module *m : list)
        if (typeid(*m) != typeid(Module))
            return false;
    return true;
}

// Gives each module of the list its place in the walk, from `place` on.
template <typename Module> inline void place(const std::vector<Module *> &list, int &place)
{
    for (Module *m : list) {
        m->AUDIO_FRAMES::history.position = place;
        if constexpr (std::is_base_of<OUTPUT_GATE, Module>::value)
            m->OUTPUT_GATE::history.position = place;
        if constexpr (std::is_base_of<OUTPUT_SYNC, Module>::value)
            m->OUTPUT_SYNC::history.position = place;
        ++place;
    }
}

template <typename Module> inline void latch(const std::vector<Module *> &list)
{
    for (Module *m : list)
        m->latch_inputs(m->AUDIO_FRAMES::history.position);
}

template <typename Module> inline void end_sub_block(const std::vector<Module *> &list, int n)
{
    for (Module *m : list) {
        m->AUDIO_FRAMES::history.end_sub_block(n);
        if constexpr (std::is_base_of<OUTPUT_GATE, Module>::value)
            m->OUTPUT_GATE::history.end_sub_block(n);
        if constexpr (std::is_base_of<OUTPUT_SYNC, Module>::value)
            m->OUTPUT_SYNC::history.end_sub_block(n);
    }
}

// Frame k of one list. Each list's walk is a function of its own rather
// than inlined into the render loop: its loop is then laid out and predicted
// on its own.
template <typename Module>
SYNTH_NOINLINE void walk(const std::vector<Module *> &list, bool direct, int k)
{
    if (direct) {
        for (Module *m : list)
            m->run(k, k + 1);
    } else {
        for (Module *m : list) {
            m->evolue();
            store_frame(m, k);
        }
    }
}

// Whether a class computes several of its modules side by side
// (Module::run_alike(modules, count, n)).
template <typename Module, typename = void> struct runs_alike : std::false_type {};
template <typename Module>
struct runs_alike<Module,
                  std::void_t<decltype(Module::run_alike(std::declval<Module *const *>(), 0, 0))>>
    : std::true_type {};

// A whole sub-block of each of `count` modules of one class, none hearing
// another.
template <typename Module>
SYNTH_NOINLINE void run_alike(const WALK_PLAN::STEP *steps, int count, int n)
{
    if constexpr (runs_alike<Module>::value) {
        constexpr int CHUNK = 64;
        Module *chunk[CHUNK];
        for (int first = 0; first < count; first += CHUNK) {
            const int c = count - first < CHUNK ? count - first : CHUNK;
            for (int i = 0; i < c; ++i)
                chunk[i] = static_cast<Module *>(steps[first + i].module);
            Module::run_alike(chunk, c, n);
        }
    } else {
        for (int i = 0; i < count; ++i)
            static_cast<Module *>(steps[i].module)->run(0, n);
    }
}

// Calls f with the step's module as its own class.
template <typename F> SYNTH_INLINE void visit(const WALK_PLAN::STEP &step, F &&f)
{
    switch (step.list) {
    case WALK_PLAN::SEQUENCERS: f(static_cast<SEQUENCER *>(step.module)); break;
    case WALK_PLAN::KEYBOARDS: f(static_cast<KEYBOARD *>(step.module)); break;
    case WALK_PLAN::OSCILLATORS: f(static_cast<VCO *>(step.module)); break;
    case WALK_PLAN::MIXERS: f(static_cast<MIXER *>(step.module)); break;
    case WALK_PLAN::SAMPLERS: f(static_cast<SAMPLER *>(step.module)); break;
    case WALK_PLAN::AMPLIFIERS: f(static_cast<VCA *>(step.module)); break;
    case WALK_PLAN::FILTERS: f(static_cast<PCF *>(step.module)); break;
    default: f(static_cast<SFX_DELAY *>(step.module)); break;
    }
}

// A sub-block of n frames by the plan.
inline void follow(const WALK_PLAN &plan, int n)
{
    const WALK_PLAN::STEP *step = plan.steps.data();
    const WALK_PLAN::STEP *const end = step + plan.steps.size();
    while (step < end) {
        const int together = step->together;
        if (together == 1) {
            const int alike = step->alike;
            visit(*step, [step, alike, n](auto *m) {
                run_alike<std::remove_pointer_t<decltype(m)>>(step, alike, n);
            });
            step += alike;
        } else {
            for (int k = 0; k < n; ++k)
                for (int j = 0; j < together; ++j)
                    visit(step[j], [k](auto *m) { m->run(k, k + 1); });
            step += together;
        }
    }
}

} // namespace generator_walk

template <typename BeforeSubBlock, typename AfterSubBlock>
void GENERATOR::evaluate(int frames, BeforeSubBlock &&before_sub_block,
                         AfterSubBlock &&after_sub_block)
{
    using namespace generator_walk;
    // The plan first, then the lists as published now (modules added or
    // removed meanwhile are heard from the next call). In that order, a plan
    // whose change count is the one read below was made for these very
    // lists; a plan taken after them might name modules they do not hold.
    const WALK_PLAN *plan = published_plan.load(std::memory_order_seq_cst);
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
    int places = 0;
    place(seq, places);
    place(key, places);
    place(osc, places);
    place(mix, places);
    place(smp, places);
    place(amp, places);
    place(fil, places);
    place(del, places);
    const bool planned = plan && d[0] && d[1] && d[2] && d[3] && d[4] && d[5] && d[6] && d[7];
    for (int first = 0; first < frames; first += SUB_BLOCK) {
        const int n = frames - first < SUB_BLOCK ? frames - first : SUB_BLOCK;
        before_sub_block(n);
        latch(seq);
        latch(key);
        latch(osc);
        latch(mix);
        latch(smp);
        latch(amp);
        latch(fil);
        latch(del);
        // Read after the lists and connections were taken: one newer than
        // the plan has moved the count (AtomicPointer, MODULE_LIST).
        if (planned && plan->wiring == wiring_changes.load(std::memory_order_acquire)) {
            follow(*plan, n);
        } else {
            for (int k = 0; k < n; ++k) {
                walk(seq, d[0], k);
                walk(key, d[1], k);
                walk(osc, d[2], k);
                walk(mix, d[3], k);
                walk(smp, d[4], k);
                walk(amp, d[5], k);
                walk(fil, d[6], k);
                walk(del, d[7], k);
            }
        }
        after_sub_block(first, n);
        end_sub_block(seq, n);
        end_sub_block(key, n);
        end_sub_block(osc, n);
        end_sub_block(mix, n);
        end_sub_block(smp, n);
        end_sub_block(amp, n);
        end_sub_block(fil, n);
        end_sub_block(del, n);
    }
}
