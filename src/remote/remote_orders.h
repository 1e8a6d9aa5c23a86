// Remote buttons: the mask received from clients and the executor that turns
// held buttons into module and parameter changes.
//
// PORT_A bits: 0 F1, 1 F2, 2 F3, 3 F4 (function buttons, acting on every pass
// while held), 4 next module, 5 next module type, 6 next waveform, 7 previous
// waveform (selectors, repeating at a fixed period while held).
#pragma once

// The state of the remote buttons and of what they select, one for the
// process. The main thread owns it, except PORT_A, which client threads write
// (through store_port_a, always as one whole int).
struct RemoteState {
    static constexpr float STEP_UP = 0.01f; // step size and hold count of a button that is up

    int PORT_A = 0; // the button mask last received
    // 1 while F1 .. F4 are held.
    int toggle_BUTTON_1 = 0, toggle_BUTTON_2 = 0, toggle_BUTTON_3 = 0, toggle_BUTTON_4 = 0;
    // Step size of F1 and F2 (growing by half each pass), hold count of F3
    // and F4; STEP_UP whenever the button is up.
    float toggle_BUTTON_1_time = STEP_UP, toggle_BUTTON_2_time = STEP_UP,
          toggle_BUTTON_3_time = STEP_UP, toggle_BUTTON_4_time = STEP_UP;
    // Selected module type: 0 oscillator, 1 envelope amplifier, 2 sequencer,
    // 3 filter, 4 sampler; and the index of the selected module of each type.
    int nr_type_instru = 0;
    int nr_vco_selected = 0, nr_vca_selected = 0, nr_seq_selected = 0, nr_pcf_selected = 0,
        nr_sampler_selected = 0;
    // Selected amplifier parameter (0 attack, 1 decay, 2 sustain, 3 release),
    // filter parameter (0 cut-off, 1 Q, 2 gain, 3 and 4 none), sequencer step,
    // and the waveform last chosen with bits 6 and 7.
    int num_fct_vca = 0, num_fct_pcf = 0, num_step_seq = 0, nr_type_onde = 0;
    // Repeat counters of bits 4, 5, 6 and 7.
    int counter_1 = 0, counter_2 = 0, counter_3 = 0, counter_4 = 0;
};

extern RemoteState remote_state;

// PORT_A is written by client threads and read by the main loop: always as
// one whole int.
void store_port_a(int mask);
int load_port_a();

// Back to the start-up state: no button held, every selection and counter at
// zero, the step sizes at 0.01. Only while no client thread runs.
void reset_remote_state();

// Runs once per main-loop pass on the main thread; returns 1 when it changed
// something. A selected index outside its list is never used: the buttons
// then do nothing for that type until bit 4 or 5 makes the selection valid.
int Exec_Remote_Order();
