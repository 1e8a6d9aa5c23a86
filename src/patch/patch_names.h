// The names a patch may be saved under, and the files already in a patch
// directory (read directly: nothing goes through the shell).
#pragma once

#include <string>
#include <vector>

constexpr int PATCH_NAME_MAX = 79; // characters
constexpr const char *NAME_TOO_LONG = "A name holds at most 79 characters";

// Why a name is refused, or null when it is accepted. A name is one word of
// printable characters that is not empty, at most 79 characters long, holds
// no "/" or "\" (the file stays in its directory) and does not start with "."
// (no hidden files, no "." or "..").
const char *patch_name_problem(const char *name);

// The file an accepted name is saved as: the name itself when it holds "QSY"
// or "qsy" (the load dialog lists only such names), else the name with ".QSY"
// added.
std::string patch_file_name(const char *name);

// The names of the files in the directory ("" is the working directory),
// sorted, hidden ones and directories left out; empty when it cannot be read.
std::vector<std::string> list_patch_files(const char *directory);
