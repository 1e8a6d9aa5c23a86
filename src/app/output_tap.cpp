#include "app/output_tap.h"

#include "app/render_callback.h"
#include "synth/generator.h"

bool connect_output_tap(GENERATOR *patch)
{
    MIXER *mixer = patch ? patch->get_MIXER_by_name(patch->output_mixer) : nullptr;
    general_out->connect(mixer);
    return mixer != nullptr;
}

void insert_output_delay(GENERATOR *patch)
{
    MIXER *mixer = patch ? patch->get_MIXER_by_name(patch->output_mixer) : nullptr;
    if (!mixer)
        return;
    SFX_DELAY *delay = new SFX_DELAY;
    delay->INPUT::connect(mixer);
    patch->delays.insert(patch->delays.begin(), delay);
    general_out->connect(delay);
}
