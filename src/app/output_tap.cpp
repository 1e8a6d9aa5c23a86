#include "app/output_tap.h"

#include "app/render_callback.h"
#include "synth/generator.h"

namespace {

INPUT *tap()
{
    static INPUT the_tap;
    general_out = &the_tap;
    return general_out;
}

} // namespace

bool connect_output_tap(GENERATOR *patch)
{
    MIXER *mixer = patch ? patch->get_MIXER_by_name(OUTPUT_MIXER_NAME) : nullptr;
    tap()->source = mixer ? &mixer->value : nullptr;
    return mixer != nullptr;
}

void insert_output_delay(GENERATOR *patch)
{
    MIXER *mixer = patch ? patch->get_MIXER_by_name(OUTPUT_MIXER_NAME) : nullptr;
    if (!mixer)
        return;
    SFX_DELAY *delay = new SFX_DELAY;
    delay->INPUT::source = &mixer->value;
    patch->delays.insert(patch->delays.begin(), delay);
    tap()->source = &delay->value;
}
