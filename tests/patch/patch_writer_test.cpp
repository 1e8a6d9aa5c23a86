// Saving a patch file: a refused name writes nothing, and a save that fails
// (a missing folder, a full disk) leaves the earlier file as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "patch/patch_writer.h"
#include "patch_text.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string written(const GENERATOR &g)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    write_patch(g, f);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

TEST(SavePatchFile, RefusedNamesWriteNothing)
{
    TempDir dir;
    GENERATOR g;
    const std::vector<std::string> refused = {
        "",   std::string(80, 'A'), "sub/x.QSY", "a\\b",   ".hidden",
        "..", "two words",          "bell\a",    "caf\xe9"};
    for (const std::string &name : refused) {
        char report[256] = "";
        EXPECT_EQ(
            save_patch_file(g, dir.path("").c_str(), name.c_str(), nullptr, report, sizeof report),
            0);
        EXPECT_EQ(std::string(report).rfind("Not saved: ", 0), 0u) << report;
    }
    EXPECT_TRUE(fs::is_empty(dir.path("")));
    char report[256];
    EXPECT_EQ(save_patch_file(g, dir.path("").c_str(), std::string(79, 'A').c_str(), nullptr,
                              report, sizeof report),
              1);
}

TEST(SavePatchFile, WritesThePatchWholeOrLeavesThePreviousFile)
{
    TempDir dir;
    GENERATOR g("QSY/MODULAR.QSY");
    const std::string target = dir.write("P.QSY", "#an earlier patch\n");
    char report[256];
    EXPECT_EQ(
        save_patch_file(g, dir.path("none/").c_str(), "P.QSY", nullptr, report, sizeof report), 0);
    EXPECT_EQ(std::string(report).rfind("Non de fichier NULL! ", 0), 0u) << report;

    // The disk fills up after 100 bytes.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small = {100, saved.rlim_max};
    void (*handler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const int result =
        save_patch_file(g, dir.path("").c_str(), "P.QSY", nullptr, report, sizeof report);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, handler);
    EXPECT_EQ(result, 0);
    EXPECT_NE(std::string(report).find("the file is left as it was"), std::string::npos) << report;
    EXPECT_EQ(file_text(target), "#an earlier patch\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path("")), fs::directory_iterator()), 1);

    EXPECT_EQ(save_patch_file(g, dir.path("").c_str(), "P.QSY", nullptr, report, sizeof report), 1);
    EXPECT_EQ(std::string(report), "Saved " + target);
    EXPECT_EQ(file_text(target), written(g));
    g.release_modules();
}

} // namespace
