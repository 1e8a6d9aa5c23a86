// The save command: asks for a file name in the window, then writes the
// patch under it. The name source and the writer (patch_writer.h) are apart,
// so that the writer is tested on its own.
#pragma once

// Asks for a patch file name in the window's modal entry (panels/name_entry.h),
// listing the files of the directory; name (80 bytes) holds the name shown at
// first and, on true, the accepted one. message, when not empty, tells why the
// last attempt failed. False when the user cancelled.
bool ask_patch_name(const char *directory, char *name, const char *message);

// Asks for a name and saves the patch as directory + name until a save
// succeeds (1) or the user cancels (0). A failed save asks again, showing why.
int save_patch_with_entry(const char *directory);

// The save command of the system dashboard and of the front view's F4: the
// patch goes into the directory "QSY". Returns 1 when the file was written.
int SAVE_QSY();
