// Remote buttons: the mask received from clients and the executor that turns
// held buttons into module and parameter changes.
//
// PORT_A bits: 0 F1, 1 F2, 2 F3, 3 F4 (function buttons, acting on every pass
// while held), 4 next module, 5 next module type, 6 next waveform, 7 previous
// waveform (selectors, repeating at a fixed period while held).
#pragma once

extern int PORT_A;
// 1 while F1 .. F4 are held.
extern int toggle_BUTTON_1, toggle_BUTTON_2, toggle_BUTTON_3, toggle_BUTTON_4;
// Step size of F1 and F2 (growing by half each pass), hold count of F3 and
// F4; 0.01 whenever the button is up.
extern float toggle_BUTTON_1_time, toggle_BUTTON_2_time, toggle_BUTTON_3_time, toggle_BUTTON_4_time;
// Selected module type: 0 oscillator, 1 envelope amplifier, 2 sequencer,
// 3 filter, 4 sampler; and the index of the selected module of each type.
extern int nr_type_instru;
extern int nr_vco_selected, nr_vca_selected, nr_seq_selected, nr_pcf_selected, nr_sampler_selected;
// Selected amplifier parameter (0 attack, 1 decay, 2 sustain, 3 release),
// filter parameter (0 cut-off, 1 Q, 2 gain, 3 and 4 none), sequencer step,
// and the waveform last chosen with bits 6 and 7.
extern int num_fct_vca, num_fct_pcf, num_step_seq, nr_type_onde;
// Repeat counters of bits 4, 5, 6 and 7.
extern int counter_1, counter_2, counter_3, counter_4;

// Start-up state: no button held, every selection and counter at zero, the
// step sizes at 0.01.
void reset_remote_state();

// Runs once per main-loop pass on the main thread; returns 1 when it changed
// something. A selected index outside its list is never used: the buttons
// then do nothing for that type until bit 4 or 5 makes the selection valid.
int Exec_Remote_Order();
