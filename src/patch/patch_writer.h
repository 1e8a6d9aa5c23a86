// Writing the patch as a patch file, whole, and saving it so that a failed
// save never leaves a broken file.
//
// Saving sits with the patch files, not with the cables or the dialogs: every
// section comes from the modules alone (the links through the sockets table),
// so a patch saves the same with or without a window, and the reader and the
// writer of each section are side by side. What only the window knows (where
// its panels stand) is handed in as MORE_SECTIONS; the save command of the
// window (ui/dialogs/save_command) joins the name entry to it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "synth/generator.h"

// Writes sections of a patch file that the patch library knows nothing of
// (the window's panels).
using MORE_SECTIONS = void (*)(FILE *file);

// The whole patch: the module section, the link section, the pattern section,
// then what `more` writes (when given).
void write_patch(const GENERATOR &g, FILE *file, MORE_SECTIONS more = nullptr);

// The text write_patch writes, in memory: what the edit history keeps of
// each state of the patch.
std::string patch_snapshot(const GENERATOR &g, MORE_SECTIONS more = nullptr);

// Writes the text as the file at path so that a failure leaves any earlier
// file as it was: into a temporary file of the same directory, flushed to
// the disk, then renamed over path, keeping the permissions of the file it
// replaces. False with error (an errno value) set on failure.
bool write_file_whole(const std::string &path, const std::string &text, int &error);

// Saves the patch as directory + patch_file_name(name) ("QSY/" and "DEMO"
// give QSY/DEMO.QSY; "" is the working directory). A refused name
// (patch_name_problem) writes nothing. The patch is written whole to a
// temporary file in the same directory, flushed to the disk, then renamed
// over the target, so a failed save (a full disk, a directory that cannot be
// written) leaves any earlier file as it was; the file keeps the permissions
// of the one it replaces. Returns 1 when saved, else 0; either way the
// outcome is printed as one trace line and kept in report, for the window, in
// plain words ("Cannot write QSY/NEW.QSY: permission denied").
int save_patch_file(const GENERATOR &g, const char *directory, const char *name, MORE_SECTIONS more,
                    char *report, size_t report_size);
