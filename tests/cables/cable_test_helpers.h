// Test support: a patch read into gen with its panels built, as the program
// has them when the cables are made or the patch is saved.
#pragma once

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/objet.h"
#include "support/temp_dir.h"

namespace cable_test {

// A patch file holding these module and link declarations.
std::string patch_text(const std::string &modules, const std::string &links);

// The patch of a file in gen, its panels in objets_globaux; the panels, the
// cables, the modules and the generator are released at the end.
class LOADED_PATCH {
public:
    explicit LOADED_PATCH(const std::string &path);
    ~LOADED_PATCH();
    LOADED_PATCH(const LOADED_PATCH &) = delete;
    LOADED_PATCH &operator=(const LOADED_PATCH &) = delete;

    // The panel of the module of that name (mixers too); fails the test when
    // there is none.
    OBJET *panel(const std::string &module) const;
};

// What f printed on the standard output.
template <class F> std::string printed(F f)
{
    testing::internal::CaptureStdout();
    f();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

} // namespace cable_test
