// Test support: a patch read into gen with its panels built, as the program
// has them when the cables are made or the patch is saved.
#pragma once

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace cable_test {

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

// What f printed on the standard output.
template <class F> std::string printed(F f)
{
    testing::internal::CaptureStdout();
    f();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

} // namespace cable_test
