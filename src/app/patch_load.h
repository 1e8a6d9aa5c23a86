// Loading another patch while the program plays: the load order of F3 and of
// the system dashboard's LOAD button.
#pragma once

#include <string>

class GENERATOR;

// The directory the load dialog lists and loads from.
constexpr const char *PATCH_DIRECTORY = "QSY";
// The name of a patch started empty, until it is saved.
constexpr const char *UNTITLED = "untitled";

// Runs the load dialog over PATCH_DIRECTORY with load_chosen_patch().
void LOAD_QSY();

// The dialog's load order: builds the patch of the file name in
// PATCH_DIRECTORY at once. A file that cannot be read, is not a regular file,
// is not a patch, or whose reading stops at a fatal fault leaves the running
// patch playing, and the dialog and the trace say why. A file that loads,
// with warnings or without, becomes the next patch, which
// install_loaded_patch() puts in place at the start of the main loop's next
// pass, when no handler holds a panel of the old patch.
bool load_chosen_patch(const std::string &name, std::string &why);

// The new-patch order (Ctrl+N, the system dashboard's NEW): an empty patch
// that holds only its output mixer (DEFAULT_OUTPUT), named "untitled", which
// install_loaded_patch() puts in place as a loaded one.
void start_empty_patch();

// Builds the patch of path; null, with why set in plain words ("QSY/X.QSY,
// line 12: empty field in the declaration of VCO_1"), when it cannot replace
// the running one (the window's caption goes back to the running patch then).
GENERATOR *build_patch_for_loading(const std::string &path, std::string &why);

// Makes the patch LOAD_QSY built the running patch, if there is one: the
// cables and panels of the old patch are freed, the patch is replaced
// through replace_patch() (app/patch_swap.h), the new panels are built,
// placed and shown full or compact as the file says (in columns and full
// when it says nothing), the view at the top-left of the work area, and the
// cable list is marked for rebuilding. Returns whether it replaced the
// patch.
bool install_loaded_patch();

// Frees the cables and the module panels (not the dashboards) and forgets
// every pointer into them: the information dashboard's target, both views'
// picks, the panel being moved.
void release_patch_panels();
