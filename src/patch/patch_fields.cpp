#include "patch/patch_fields.h"

#include <SDL/SDL.h>
#include <cstdio>

#include "synth/generator.h"

void report_too_few_fields(int line)
{
    std::printf("Ligne %d semble avoir moins de 2 parametres\n", line);
}

void report_empty_field(GENERATOR &g, int line)
{
    std::printf("Erreur, au niveau des parametre ligne [%d]\n", line);
    g.load_status = -1;
}

void show_patch_in_title(const char *path)
{
    if (path && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_SetCaption(path, nullptr);
}
