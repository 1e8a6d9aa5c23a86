// Never losing the edits: while the patch has unsaved edits, its text is
// written now and then to a recovery file of its own, which the next start
// on that patch brings back.
//
// The recovery files lie in RECOVERY_DIRECTORY of the working directory (the
// user's folder), one per patch file name, where the load dialog does not
// look; they are written as saving writes a patch, whole or not at all, and
// never over a patch of the user's.
#pragma once

#include <string>

constexpr const char *RECOVERY_DIRECTORY = "QSY/.recovery";
// What a recovered file is called in QSY/: this prefix and the patch's name.
constexpr const char *RECOVERED_PREFIX = "RECOVERED_";

// The recovery file of a patch: RECOVERY_DIRECTORY, '/', the patch file's
// name (".QSY" added to one that has no "QSY").
std::string recovery_path(const std::string &patch_path);

// Writes the text as the recovery file of the patch, making the directory
// when it is missing; false with why in plain words.
bool write_recovery(const std::string &patch_path, const std::string &text, std::string &why);

// Removes the recovery file of the patch, if there is one.
void remove_recovery(const std::string &patch_path);

// At start-up: a recovery file of the patch that is newer than the patch's
// own file (or whose patch is gone) moves into QSY/ as RECOVERED_<name>, or
// RECOVERED_2_<name> and so on when that name is taken, where the load
// dialog lists it. Returns what to tell the user ("Edits of DEMO.QSY from
// 21:14 were recovered: F3 lists them as RECOVERED_DEMO.QSY"), or "" when
// there was nothing to recover.
std::string recover_edits(const std::string &patch_path);
