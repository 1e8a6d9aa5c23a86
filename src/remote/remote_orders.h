// Remote buttons: the mask received from clients and the executor that turns
// held buttons into module and parameter changes.
#pragma once

extern int PORT_A;
extern int toggle_BUTTON_1, toggle_BUTTON_2, toggle_BUTTON_3, toggle_BUTTON_4;
extern float toggle_BUTTON_1_time, toggle_BUTTON_2_time, toggle_BUTTON_3_time, toggle_BUTTON_4_time;
extern int nr_type_instru;
extern int nr_vco_selected, nr_vca_selected, nr_seq_selected, nr_pcf_selected, nr_sampler_selected;
extern int num_fct_vca, num_fct_pcf, num_step_seq, nr_type_onde;
extern int counter_1, counter_2, counter_3, counter_4;

// Resets the button mask, the selection and the button state to zero.
void reset_remote_state();

// Runs once per main-loop pass on the main thread; returns 1 when it changed
// something.
int Exec_Remote_Order();
