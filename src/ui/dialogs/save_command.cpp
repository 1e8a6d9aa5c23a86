#include "ui/dialogs/save_command.h"

#include "panels/panel_layout.h"
#include "patch/patch_writer.h"
#include "synth/generator.h"

bool ask_patch_name(NAME_ENTRY &entry, const char *failure)
{
    if (failure[0] != '\0')
        entry.reopen(failure);
    return run_name_entry(entry);
}

int save_patch_with_entry(const char *directory)
{
    NAME_ENTRY entry("Save - Entrez le nom du fichier :", directory);
    char report[512] = "";
    while (ask_patch_name(entry, report))
        if (save_patch_file(*gen, directory, entry.name, write_panel_layout, report, sizeof report))
            return 1;
    return 0;
}

int SAVE_QSY() { return save_patch_with_entry("QSY/"); }
