#include "patch/patch_fields.h"

#include <SDL/SDL.h>
#include <cstdio>

#include "synth/generator.h"

void report_too_few_fields(int line)
{
    std::printf("Ligne %d semble avoir moins de 2 parametres\n", line);
}

void refuse_at(GENERATOR &g, int line, const std::string &problem)
{
    g.load_status = -1;
    g.load_problem = "line " + std::to_string(line) + ": " + problem;
}

void report_empty_field(GENERATOR &g, int line, const std::string &declaration)
{
    std::printf("Erreur, au niveau des parametre ligne [%d]\n", line);
    refuse_at(g, line, "empty field in " + declaration);
}

void show_patch_in_title(const char *path)
{
    if (path && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_SetCaption(path, nullptr);
}

std::string keyed_value(const QSTR_PARSER &fields, const char *key)
{
    const size_t n = std::strlen(key);
    for (int i = 1; i < fields.get_nbr_champs(); ++i) {
        FIELD field(fields.get_champ(i));
        if (field && std::strncmp(field.get(), key, n) == 0 && field[n] == '=')
            return field.get() + n + 1;
    }
    return "";
}
