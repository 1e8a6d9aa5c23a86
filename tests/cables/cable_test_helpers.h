// Test support: a patch read into gen with its panels built, as the program
// has them when the cables are made or the patch is saved.
#pragma once

#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

class GENERATOR;

namespace cable_test {

// The contents of a file, or an empty string.
std::string file_text(const std::string &path);

// A patch file holding these module and link declarations.
std::string patch_text(const std::string &modules, const std::string &links);

// The patch of a file in gen and its panels in objets_globaux, released at
// the end with the cables.
struct LOADED_PATCH {
    explicit LOADED_PATCH(const std::string &path);
    ~LOADED_PATCH();
};

// The whole patch as write_patch writes it.
std::string patch_as_written();

// Every binding of the patch's modules as "TARGET.PORT=SOURCE", found from
// the modules themselves (mixer channels as CH1, CH2, ... counting only the
// plugged ones).
std::set<std::string> bindings_of(GENERATOR &g);

// What f printed on the standard output.
template <class F> std::string printed(F f)
{
    testing::internal::CaptureStdout();
    f();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

} // namespace cable_test
