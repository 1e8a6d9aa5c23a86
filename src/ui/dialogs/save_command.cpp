#include "ui/dialogs/save_command.h"

#include <string>

#include "ui/window_sections.h"
#include "patch/patch_names.h"
#include "patch/patch_writer.h"
#include "synth/generator.h"

bool ask_patch_name(NAME_ENTRY &entry, const char *failure)
{
    if (failure[0] != '\0')
        entry.reopen(failure);
    return run_name_entry(entry);
}

void (*patch_saved)(const char *path) = nullptr;

int save_patch_with_entry(const char *directory)
{
    NAME_ENTRY entry("Save - Entrez le nom du fichier :", directory);
    char report[512] = "";
    while (ask_patch_name(entry, report))
        if (save_patch_file(*gen, directory, entry.name, write_window_sections, report, sizeof report)) {
            if (patch_saved != nullptr)
                patch_saved((std::string(directory) + patch_file_name(entry.name)).c_str());
            return 1;
        }
    return 0;
}

int SAVE_QSY() { return save_patch_with_entry("QSY/"); }
