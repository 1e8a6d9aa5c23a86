#include "remote/remote_orders.h"

int PORT_A = 0;
int toggle_BUTTON_1 = 0, toggle_BUTTON_2 = 0, toggle_BUTTON_3 = 0, toggle_BUTTON_4 = 0;
float toggle_BUTTON_1_time = 0.01f, toggle_BUTTON_2_time = 0.01f, toggle_BUTTON_3_time = 0.01f,
      toggle_BUTTON_4_time = 0.01f;
int nr_type_instru = 0;
int nr_vco_selected = 0, nr_vca_selected = 0, nr_seq_selected = 0, nr_pcf_selected = 0, nr_sampler_selected = 0;
int num_fct_vca = 0, num_fct_pcf = 0, num_step_seq = 0, nr_type_onde = 0;
int counter_1 = 0, counter_2 = 0, counter_3 = 0, counter_4 = 0;

void reset_remote_state() {}

int Exec_Remote_Order() { return 0; }
