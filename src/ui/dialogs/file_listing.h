// The files the window's boxes offer, read from a directory directly: nothing
// goes through the shell and no file is written.
//
// The load dialog's patch files: the entries whose name holds "QSY", then
// those whose name holds "qsy" (an entry holding both comes twice), each group
// sorted by name (byte order, as the name entry lists its files).
//
// The sample chooser's recordings: the entries whose name ends in ".wav" in
// any case, sorted A to Z whatever the case of their letters.
#pragma once

#include <string>
#include <vector>

struct FILE_LISTING {
    std::vector<std::string> names; // in listing order
    std::string problem;            // why the directory could not be read; "" when it was
};

FILE_LISTING list_patches(const char *directory);
FILE_LISTING list_samples(const char *directory);
