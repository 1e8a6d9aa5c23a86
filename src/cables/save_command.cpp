#include "cables/save_command.h"

#include <cstdio>

#include "cables/patch_writer.h"
#include "panels/name_entry.h"

bool ask_patch_name(const char *directory, char *name, const char *message)
{
    NAME_ENTRY entry("Save - Entrez le nom du fichier :", directory, name, message);
    if (!run_name_entry(entry))
        return false;
    std::snprintf(name, PATCH_NAME_MAX + 1, "%s", entry.name);
    return true;
}

int save_patch_with_entry(const char *directory)
{
    char name[PATCH_NAME_MAX + 1] = "";
    char report[512] = "";
    while (ask_patch_name(directory, name, report))
        if (save_patch_file(directory, name, report, sizeof report))
            return 1;
    return 0;
}

int SAVE_QSY() { return save_patch_with_entry("QSY/"); }
