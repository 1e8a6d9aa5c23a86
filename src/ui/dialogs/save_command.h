// The save command: asks for a file name in the window, then writes the
// patch under it. The name source and the writer (patch/patch_writer.h) are apart,
// so that the writer is tested on its own.
#pragma once

#include "ui/dialogs/name_entry.h"

// The name source: runs the window's modal entry (ui/dialogs/name_entry.h), which
// lists the files of its directory, until the user accepts a name (true:
// entry.name) or cancels (false). After a failed save the same entry is asked
// again, showing why (a non-empty failure) and the name typed before.
bool ask_patch_name(NAME_ENTRY &entry, const char *failure);

// Called after every save that succeeded, with the file's path; the main
// program plugs in the edit history here. Null: nothing is called.
extern void (*patch_saved)(const char *path);

// Asks for a name and saves the patch as directory + name until a save
// succeeds (1) or the user cancels (0). A failed save asks again, showing why.
int save_patch_with_entry(const char *directory);

// The save command of the system dashboard and of the front view's F4: the
// patch goes into the directory "QSY". Returns 1 when the file was written.
int SAVE_QSY();
