// Modulation inputs taken out of their slots while the sound may play.
#include <gtest/gtest.h>

#include "modules/retired_inputs.h"
#include "synth/module_helpers.h"
#include "synth/vco.h"

using module_test::Source;

// A callback may still read a replaced modulation input: it is retired and
// freed only by free_retired_inputs() (which stop_rendering() calls).
// Re-pointing and unplugging a slot allocate and free nothing.
TEST(RetiredInputs, ReplacedModulationInputsAreRetiredNotFreed)
{
    Source m(0.0f), n(0.0f);
    VCO v(1.0f, 100.0f, SIN);
    free_retired_inputs();
    set_modulation(v.mod_frequency, new INPUT(&m));
    INPUT *first = v.mod_frequency;
    set_modulation(v.mod_frequency, new INPUT(&m));
    EXPECT_EQ(1, retired_input_count());
    EXPECT_NE(first, v.mod_frequency.get());

    INPUT *kept = v.mod_frequency;
    connect_modulation(v.mod_frequency, &n);
    connect_modulation(v.mod_frequency, nullptr);
    EXPECT_EQ(kept, v.mod_frequency.get());
    EXPECT_EQ(nullptr, v.mod_frequency->source.get());
    EXPECT_EQ(1, retired_input_count());

    connect_modulation(v.mod_amplitude, nullptr); // an empty slot stays empty
    EXPECT_EQ(nullptr, v.mod_amplitude.get());
    connect_modulation(v.mod_amplitude, &n);
    EXPECT_EQ(&n.value, v.mod_amplitude->source.get());

    free_retired_inputs(); // the first input, checked by LeakSanitizer
    EXPECT_EQ(0, retired_input_count());
}
