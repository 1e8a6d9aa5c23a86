#include "app/patch_load.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "app/output_tap.h"
#include "app/patch_history.h"
#include "app/patch_swap.h"
#include "cables/cable_list.h"
#include "ui/window_sections.h"
#include "engine/video.h"
#include "panels/dashboard_row.h"
#include "panels/info_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "patch/error_words.h"
#include "modules/module_types.h"
#include "ui/views/module_commands.h"
#include "ui/views/view_state.h"
#include "synth/generator.h"
#include "ui/dialogs/load_dialog.h"

namespace {

GENERATOR *loaded_patch = nullptr; // built by the dialog, waiting for the main loop

// Every panel drawn once, from the work area's top-left corner.
void show_panels()
{
    offsx = offsy = 0;
    for (OBJET *panel : objets_globaux) {
        panel->evolue();
        panel->toggle_all_draw_flag(1);
        panel->calcule_lasurfaceoccupee();
        panel->Draw_Scene(nullptr);
    }
}

} // namespace

bool load_chosen_patch(const std::string &name, std::string &why)
{
    GENERATOR *next = build_patch_for_loading(std::string(PATCH_DIRECTORY) + "/" + name, why);
    if (next == nullptr) {
        std::printf("%s\n", why.c_str());
        return false;
    }
    discard_patch(loaded_patch);
    loaded_patch = next;
    return true;
}

void start_empty_patch()
{
    GENERATOR *next = new GENERATOR();
    std::snprintf(next->patch_path, sizeof next->patch_path, "%s", UNTITLED);
    next->mixers.push_back(new_module(MIXER_MODULE, next->output_mixer).as<MIXER>());
    discard_patch(loaded_patch);
    loaded_patch = next;
}

void LOAD_QSY()
{
    std::printf("LOAD QSY\n");
    LOAD_DIALOG dialog(list_patches(PATCH_DIRECTORY));
    run_load_dialog(dialog, load_chosen_patch);
}

GENERATOR *build_patch_for_loading(const std::string &path, std::string &why)
{
    struct stat st;
    FILE *probe = nullptr;
    if (stat(path.c_str(), &st) != 0 ||
        (S_ISREG(st.st_mode) && !(probe = std::fopen(path.c_str(), "r")))) {
        why = "Cannot read " + path + ": " + error_words(errno);
        return nullptr;
    }
    if (probe == nullptr) {
        why = path + " is not a patch file";
        return nullptr;
    }
    std::fclose(probe);
    GENERATOR *next = new GENERATOR(path.c_str());
    if (next->load_status == 0)
        return next;
    why = next->load_problem;
    discard_patch(next);
    if (gen != nullptr && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_SetCaption(gen->patch_path, nullptr);
    return nullptr;
}

bool install_loaded_patch()
{
    if (loaded_patch == nullptr)
        return false;
    GENERATOR *next = loaded_patch;
    loaded_patch = nullptr;
    write_recovery_now(); // the edits of the patch left are not lost
    release_patch_panels();
    replace_patch(next);
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_SetCaption(next->patch_path, nullptr);
    if (next->get_MIXER_by_name(next->output_mixer) == nullptr)
        std::printf("No mixer named %s in this patch: the output stays silent\n",
                    next->output_mixer);
    // The new panels are built in the front view.
    BACK_VIEW_TOGGLE = 0;
    initialise_gui_from_current();
    read_window_sections(next->patch_path);
    place_dashboards();
    link_not_created = 1;
    show_panels();
    start_patch_history();
    return true;
}

void release_patch_panels()
{
    for (LINK *cable : liens)
        delete cable;
    liens.clear();
    link_not_created = 1;
    if (information_dash != nullptr)
        information_dash->set_CIBLE(nullptr);
    forget_view_picks();
    forget_module_orders();
    MOVING_OBJET = -1;
    sequenceurs_gui.clear();
    for (OBJET *panel : objets_globaux)
        delete panel;
    objets_globaux.clear();
}
