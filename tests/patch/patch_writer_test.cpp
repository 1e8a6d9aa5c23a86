// Saving a patch file: a refused name writes nothing, a name without "QSY"
// takes the extension, and a save that fails (a missing folder, a full disk)
// says why and leaves the earlier file as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The file a name is saved as, and why a folder refuses it.
TEST(SavePatchFile, NamesWithoutQsyTakeTheExtensionAndRefusalsSayWhy)
{
    TempDir dir;
    GENERATOR g;
    dir.write("a file", "");
    mkdir(dir.path("read-only").c_str(), 0555);
    const struct {
        const char *directory, *name, *file, *why;
    } cases[] = {
        {"", "NEW", "NEW.QSY", nullptr},
        {"", "x.qsy", "x.qsy", nullptr},
        {"", "MY.QSY.bak", "MY.QSY.bak", nullptr},
        {"", "Qsy", "Qsy.QSY", nullptr},
        {"a file/", "NEW", "NEW.QSY", "not a directory"},
        {"read-only/", "NEW", "NEW.QSY", "permission denied"},
    };
    for (const auto &c : cases) {
        const std::string path = dir.path(std::string(c.directory) + c.file);
        if (c.why != nullptr && access(dir.path(c.directory).c_str(), W_OK) == 0) {
            std::printf("note: %s is writable here (root), its row is left out\n", c.directory);
            continue;
        }
        char report[256] = "";
        EXPECT_EQ(save_patch_file(g, dir.path(c.directory).c_str(), c.name, nullptr, report,
                                  sizeof report),
                  c.why == nullptr);
        EXPECT_EQ(std::string(report),
                  c.why == nullptr ? "Saved " + path : "Cannot write " + path + ": " + c.why);
        EXPECT_EQ(access(path.c_str(), F_OK) == 0, c.why == nullptr) << path;
    }
}

TEST(SavePatchFile, WritesThePatchWholeOrLeavesThePreviousFile)
{
    TempDir dir;
    GENERATOR g("QSY/MODULAR.QSY");
    const std::string target = dir.write("P.QSY", "#an earlier patch\n");
    char report[256];
    testing::internal::CaptureStdout();
    EXPECT_EQ(
        save_patch_file(g, dir.path("none/").c_str(), "P.QSY", nullptr, report, sizeof report), 0);
    // The console keeps its line; the window reads the reason in words.
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Non de fichier NULL! ", 0), 0u);
    EXPECT_EQ(std::string(report),
              "Cannot write " + dir.path("none/P.QSY") + ": no such file or directory");

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
