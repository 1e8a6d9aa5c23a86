// The console dialog that chooses the sound output and its driver.
#pragma once

#include <vector>

#include "app/output_choice.h"

// How the sound dialog ended.
enum SOUND_DIALOG_END {
    SOUND_OPENED,
    SOUND_NOT_OPENED,  // the sound output failed to open (the message is printed)
    SOUND_DIALOG_LEFT, // the user left: the program ends with status 0
};

// Takes the first of choices (the command line's --output) that opens, saying
// so in one line, and one line for each choice before it that did not.
// Without choices, or when none opens, it asks for the output type and the
// driver, one key each, and initialises the sound output at Frequency.
// Escape, end of input, or a key other than 1 to 4 in the first menu leaves
// the dialog. An output type without any driver is reported ("No driver
// found for this output type") and the first menu comes back; so does the
// sound daemon when no JACK server runs, or when it runs at another rate than
// Frequency (one line says which).
SOUND_DIALOG_END init_sound(const std::vector<OutputChoice> &choices = {});
