#include "app/patch_swap.h"

#include "app/output_tap.h"
#include "app/render_callback.h"
#include "synth/generator.h"

void replace_patch(GENERATOR *next)
{
    stop_rendering();
    GENERATOR *old = gen;
    gen = next;
    connect_output_tap(next);
    discard_patch(old);
    CALLBACK_READY.store(1);
}

void discard_patch(GENERATOR *patch)
{
    if (!patch)
        return;
    patch->release_modules();
    delete patch;
}
