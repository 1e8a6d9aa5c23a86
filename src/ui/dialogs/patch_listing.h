// The patch files the load dialog offers: the entries of a directory whose
// name holds "QSY", then those whose name holds "qsy" (an entry holding both
// comes twice), each group sorted by name (byte order, as the name entry lists
// its files). The directory is read directly: nothing goes through the shell
// and no file is written.
#pragma once

#include <string>
#include <vector>

struct PATCH_LISTING {
    std::vector<std::string> names; // in listing order
    std::string problem;            // why the directory could not be read; "" when it was
};

PATCH_LISTING list_patches(const char *directory);
