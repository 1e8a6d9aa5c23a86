#include "remote/remote_orders.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "synth/generator.h"

RemoteState remote_state;

void store_port_a(int mask) { __atomic_store_n(&remote_state.PORT_A, mask, __ATOMIC_RELAXED); }

int load_port_a() { return __atomic_load_n(&remote_state.PORT_A, __ATOMIC_RELAXED); }

namespace {

enum ModuleType { OSCILLATOR = 0, AMPLIFIER = 1, SEQUENCER_TYPE = 2, FILTER = 3, SAMPLER_TYPE = 4 };
constexpr int LAST_TYPE = SAMPLER_TYPE;

template <typename T> T *at_index(const MODULE_LIST<T> &list, int index)
{
    return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : nullptr;
}

VCO *selected_oscillator() { return at_index(gen->oscillators, remote_state.nr_vco_selected); }
VCA *selected_amplifier() { return at_index(gen->amplifiers, remote_state.nr_vca_selected); }
SEQUENCER *selected_sequencer() { return at_index(gen->sequencers, remote_state.nr_seq_selected); }
PCF *selected_filter() { return at_index(gen->filters, remote_state.nr_pcf_selected); }

// The selected index of a module type and the length of its list.
int *selected_index(int type, int *count)
{
    switch (type) {
    case OSCILLATOR:
        *count = static_cast<int>(gen->oscillators.size());
        return &remote_state.nr_vco_selected;
    case AMPLIFIER:
        *count = static_cast<int>(gen->amplifiers.size());
        return &remote_state.nr_vca_selected;
    case SEQUENCER_TYPE:
        *count = static_cast<int>(gen->sequencers.size());
        return &remote_state.nr_seq_selected;
    case FILTER:
        *count = static_cast<int>(gen->filters.size());
        return &remote_state.nr_pcf_selected;
    case SAMPLER_TYPE:
        *count = static_cast<int>(gen->samplers.size());
        return &remote_state.nr_sampler_selected;
    default:
        *count = 0;
        return nullptr;
    }
}

bool selection_is_valid()
{
    int count = 0;
    const int *index = selected_index(remote_state.nr_type_instru, &count);
    return index && *index >= 0 && *index < count;
}

// A selector counts passes up to ready_at and then acts on the first pass its
// bit is held, starting to count again from 0.
bool selector_fires(int &counter, int ready_at, bool held)
{
    if (counter < ready_at) {
        ++counter;
        return false;
    }
    if (!held)
        return false;
    counter = 0;
    return true;
}

// value inside low..high, else the replacement for the side it left by.
int wrap(int value, int low, int high, int below_low, int above_high)
{
    if (value < low)
        return below_low;
    if (value > high)
        return above_high;
    return value;
}

void next_module()
{
    int count = 0;
    int *index = selected_index(remote_state.nr_type_instru, &count);
    if (!index)
        return;
    ++*index;
    if (*index >= count || *index < 0)
        *index = 0;
}

// The growing step of F1 and F2 overflows after a few seconds of holding; an
// infinite frequency would reach the audio thread as a non-number.
void move_frequency(VCO *vco, float delta)
{
    const float moved = vco->frequency + delta;
    if (std::isfinite(moved))
        vco->frequency = moved;
}

// The selected sequencer's note at the selected step, or null when the
// pattern or step lies outside the note table.
int *selected_note(SEQUENCER *seq)
{
    if (seq->pattern < 0 || seq->pattern >= SEQUENCER::PATTERNS || remote_state.num_step_seq < 0 ||
        remote_state.num_step_seq >= SEQUENCER::STEPS)
        return nullptr;
    return &seq->note[seq->pattern][remote_state.num_step_seq];
}

// Moves the selected step's note by delta, without a limit: the sequencer
// plays a note number outside its table as a rest.
void change_note(SEQUENCER *seq, int delta)
{
    if (int *note = selected_note(seq))
        *note += delta;
}

void choose_waveform(int step)
{
    if (step > 0)
        remote_state.nr_type_onde = wrap(remote_state.nr_type_onde + 1, 0, 5, 0, 1);
    else
        remote_state.nr_type_onde = wrap(remote_state.nr_type_onde - 1, 0, 5, 5, 5);
    if (remote_state.nr_type_instru == OSCILLATOR) {
        selected_oscillator()->type = static_cast<type_generateur>(remote_state.nr_type_onde);
    } else if (remote_state.nr_type_instru == SEQUENCER_TYPE) {
        SEQUENCER *seq = selected_sequencer();
        seq->divider = step > 0 ? seq->divider * 2.0f : seq->divider / 2.0f;
    }
}

// Envelope times in milliseconds: F3 raises through the ranges in turn, so a
// raised value is re-tested against the higher ranges; F4 lowers without a
// lower limit.
float raise_time(float t)
{
    if (t < 10.0f)
        t += 1.0f;
    if (t >= 10.0f && t < 100.0f)
        t += 10.0f;
    if (t >= 100.0f && t < 100000.0f)
        t += 100.0f;
    return t;
}

float lower_time(float t)
{
    if (t < 10.0f)
        t -= 1.0f;
    if (t >= 10.0f && t < 100.0f)
        t -= 10.0f;
    if (t >= 100.0f && t < 100000.0f)
        t -= 100.0f;
    return t;
}

// F3 (raise) and F4 (lower) on the selected amplifier parameter; sustain is
// switched fully on or off.
void change_envelope(VCA *vca, bool raise)
{
    float (*change)(float) = raise ? raise_time : lower_time;
    switch (remote_state.num_fct_vca) {
    case 0:
        vca->attack = change(vca->attack);
        break;
    case 1:
        vca->decay = change(vca->decay);
        break;
    case 2:
        vca->sustain = raise ? 1.0f : 0.0f;
        break;
    case 3:
        vca->release = change(vca->release);
        break;
    default:
        break;
    }
}

// F1 (direction -1) and F2 (+1): the selected amplifier or filter parameter,
// or the note of the selected step, one step in direction; the selected
// oscillator's frequency the other way by the key's step, which grows by half
// on every pass the key is held.
void press_step_key(const char *key, int direction, float &step)
{
    std::printf("%s [%f]\n", key, static_cast<double>(step));
    switch (remote_state.nr_type_instru) {
    case OSCILLATOR:
        move_frequency(selected_oscillator(), -static_cast<float>(direction) * step);
        break;
    case AMPLIFIER:
        remote_state.num_fct_vca = wrap(remote_state.num_fct_vca + direction, 0, 3, 3, 0);
        break;
    case SEQUENCER_TYPE:
        change_note(selected_sequencer(), direction);
        break;
    case FILTER:
        remote_state.num_fct_pcf = wrap(remote_state.num_fct_pcf + direction, 0, 4, 4, 0);
        break;
    default:
        break;
    }
    step *= 1.5f;
}

void press_F3()
{
    std::printf("F3 [%f]\n", static_cast<double>(remote_state.toggle_BUTTON_3_time));
    switch (remote_state.nr_type_instru) {
    case OSCILLATOR:
        selected_oscillator()->amplitude += 0.01f;
        break;
    case AMPLIFIER:
        change_envelope(selected_amplifier(), true);
        break;
    case SEQUENCER_TYPE: {
        const int steps = selected_sequencer()->step_count;
        if (--remote_state.num_step_seq < 0)
            remote_state.num_step_seq = steps > 0 ? steps - 1 : 0;
        break;
    }
    case FILTER: {
        PCF *pcf = selected_filter();
        if (remote_state.num_fct_pcf == 0)
            pcf->set_HiCutOff_Lower();
        if (remote_state.num_fct_pcf == 1)
            pcf->q -= 0.5f;
        if (remote_state.num_fct_pcf == 2)
            pcf->gain -= 0.5f;
        break;
    }
    default:
        break;
    }
    remote_state.toggle_BUTTON_3_time += 1.0f;
}

void press_F4()
{
    std::printf("F4 [%f]\n", static_cast<double>(remote_state.toggle_BUTTON_4_time));
    switch (remote_state.nr_type_instru) {
    case OSCILLATOR:
        selected_oscillator()->amplitude -= 0.01f;
        break;
    case AMPLIFIER:
        change_envelope(selected_amplifier(), false);
        break;
    case SEQUENCER_TYPE:
        if (++remote_state.num_step_seq >= selected_sequencer()->step_count)
            remote_state.num_step_seq = 0;
        break;
    default:
        break;
    }
    remote_state.toggle_BUTTON_4_time += 1.0f;
}

// Step 1: a function button's flag follows its bit; a released button's step
// size goes back to 0.01.
void follow_function_button(int mask, int bit, int &toggle, float &time)
{
    toggle = (mask >> bit) & 1;
    if (!toggle)
        time = RemoteState::STEP_UP;
}

} // namespace

void reset_remote_state() { remote_state = RemoteState(); }

int Exec_Remote_Order()
{
    const int mask = load_port_a();
    follow_function_button(mask, 0, remote_state.toggle_BUTTON_1,
                           remote_state.toggle_BUTTON_1_time);
    follow_function_button(mask, 1, remote_state.toggle_BUTTON_2,
                           remote_state.toggle_BUTTON_2_time);
    follow_function_button(mask, 2, remote_state.toggle_BUTTON_3,
                           remote_state.toggle_BUTTON_3_time);
    follow_function_button(mask, 3, remote_state.toggle_BUTTON_4,
                           remote_state.toggle_BUTTON_4_time);
    if (!gen)
        return 0;

    int changed = 0;
    if (selector_fires(remote_state.counter_1, 6, mask & 0x10)) {
        next_module();
        changed = 1;
    }
    if (selector_fires(remote_state.counter_2, 6, mask & 0x20)) {
        remote_state.nr_type_instru = wrap(remote_state.nr_type_instru + 1, 0, LAST_TYPE, 0, 0);
        changed = 1;
    }
    // Everything below acts on the selected module, so only while it exists.
    if (!selection_is_valid())
        return changed;
    if (selector_fires(remote_state.counter_3, 12, mask & 0x40)) {
        choose_waveform(+1);
        changed = 1;
    }
    if (selector_fires(remote_state.counter_4, 12, mask & 0x80)) {
        choose_waveform(-1);
        changed = 1;
    }
    if (remote_state.toggle_BUTTON_1)
        press_step_key("F1", -1, remote_state.toggle_BUTTON_1_time);
    if (remote_state.toggle_BUTTON_2)
        press_step_key("F2", +1, remote_state.toggle_BUTTON_2_time);
    if (remote_state.toggle_BUTTON_3)
        press_F3();
    if (remote_state.toggle_BUTTON_4)
        press_F4();
    return changed || remote_state.toggle_BUTTON_1 || remote_state.toggle_BUTTON_2 ||
           remote_state.toggle_BUTTON_3 || remote_state.toggle_BUTTON_4;
}
