#include "app/patch_swap.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "app/output_tap.h"
#include "app/render_callback.h"
#include "midi/midi_input.h"
#include "synth/generator.h"

const char *unreadable_patch_reason(const char *path)
{
    struct stat file;
    if (stat(path, &file) != 0)
        return std::strerror(errno);
    if (S_ISDIR(file.st_mode))
        return std::strerror(EISDIR);
    FILE *probe = std::fopen(path, "r");
    if (probe == nullptr)
        return std::strerror(errno);
    std::fclose(probe);
    return nullptr;
}

int load_running_patch(const char *path, FILE *messages)
{
    gen = new GENERATOR(path);
    gen->playing = true;
    if (gen->load_status != 0)
        return gen->load_status;
    if (!connect_output_tap(gen))
        std::fprintf(messages, "No mixer named %s in this patch: the output stays silent\n",
                     gen->output_mixer);
    return 0;
}

void replace_patch(GENERATOR *next)
{
    stop_rendering();
    GENERATOR *old = gen;
    next->playing = true;
    gen = next;
    connect_output_tap(next);
    forget_held_midi_notes();
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
