// The folder an installed program works in: found from the environment,
// prepared on first start and kept up at every start, and patch paths given
// from elsewhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/user_folder.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Installed data in share/qmodular and a user folder yet to be made.
struct Installation {
    TempDir tmp;
    std::string data = tmp.path("share/qmodular");
    std::string folder = tmp.path("home/.local/share/qmodular");

    Installation()
    {
        for (const char *dir : {"QSY", "RC", "grfx", "Fonts", "samples"})
            fs::create_directories(fs::path(data) / dir);
        fs::create_directories(tmp.path("elsewhere"));
        tmp.write("share/qmodular/grfx/opengl.qim", "QIM_ARCHIVE 1\nEND\n");
        tmp.write("share/qmodular/QSY/DEMO.QSY", "demo");
        tmp.write("share/qmodular/QSY/KEYS.QSY", "keys");
    }

    // "" when prepared, else the error; what it said goes into log_text.
    std::string prepare(std::string &log_text)
    {
        std::string error;
        char *text = nullptr;
        size_t size = 0;
        FILE *log = open_memstream(&text, &size);
        bool ok = prepare_user_folder(folder, data, log, error);
        std::fclose(log);
        log_text = text;
        std::free(text);
        return ok ? "" : error;
    }
};

TEST(UserFolder, FoundFromTheEnvironment)
{
    struct Row {
        const char *xdg_data_home;
        const char *home;
        const char *folder;
    };
    const Row rows[] = {
        {"/data/u", "/home/u", "/data/u/qmodular"},
        {nullptr, "/home/u", "/home/u/.local/share/qmodular"},
        {"", "/home/u", "/home/u/.local/share/qmodular"},
        {"relative/data", "/home/u", "/home/u/.local/share/qmodular"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.folder, user_folder_path(row.xdg_data_home, row.home))
            << (row.xdg_data_home ? row.xdg_data_home : "(unset)");
}

TEST(UserFolder, FirstStartCopiesTheDemosLaterStartsKeepTheUsersOwn)
{
    Installation inst;
    std::string log;
    ASSERT_EQ("", inst.prepare(log));
    EXPECT_NE(std::string::npos, log.find("First start: 2 demo patches copied"));
    const fs::path folder = inst.folder;
    EXPECT_TRUE(fs::is_regular_file(folder / "QSY/DEMO.QSY"));
    EXPECT_TRUE(fs::is_regular_file(folder / "QSY/KEYS.QSY"));
    for (const char *name : {"RC", "grfx", "Fonts", "samples"}) {
        ASSERT_TRUE(fs::is_symlink(folder / name)) << name;
        EXPECT_EQ(fs::path(inst.data) / name, fs::read_symlink(folder / name));
    }
    EXPECT_TRUE(fs::exists(folder / "grfx/opengl.qim"));

    // The user deletes a demo and keeps samples of their own; the
    // installation moves (its links point elsewhere now).
    fs::remove(folder / "QSY/KEYS.QSY");
    fs::remove(folder / "samples");
    fs::create_directory(folder / "samples");
    inst.tmp.write("home/.local/share/qmodular/samples/mine.wav", "");
    fs::remove(folder / "RC");
    fs::create_directory_symlink("/old/prefix/share/qmodular/RC", folder / "RC");

    ASSERT_EQ("", inst.prepare(log));
    EXPECT_EQ("", log);
    EXPECT_FALSE(fs::exists(folder / "QSY/KEYS.QSY"));
    EXPECT_TRUE(fs::exists(folder / "samples/mine.wav"));
    EXPECT_FALSE(fs::is_symlink(folder / "samples"));
    EXPECT_EQ(fs::path(inst.data) / "RC", fs::read_symlink(folder / "RC"));
}

TEST(UserFolder, PatchPathsFromWhereTheUserStood)
{
    Installation inst;
    std::string log;
    ASSERT_EQ("", inst.prepare(log));
    const std::string cwd = inst.tmp.path("elsewhere");
    inst.tmp.write("elsewhere/here.QSY", "");
    inst.tmp.write("home/.local/share/qmodular/QSY/MINE.QSY", "");
    fs::remove(fs::path(inst.folder) / "QSY/DEMO.QSY");
    struct Row {
        std::string given;
        std::string opened;
    };
    const Row rows[] = {
        {"/any/where/x.QSY", "/any/where/x.QSY"},
        {"here.QSY", cwd + "/here.QSY"},
        {"./sub/../here.QSY", cwd + "/here.QSY"},
        {"QSY/MINE.QSY", "QSY/MINE.QSY"},              // in the user folder, which becomes current
        {"QSY/KEYS.QSY", "QSY/KEYS.QSY"},              // the user's copy of a demo
        {"QSY/DEMO.QSY", inst.data + "/QSY/DEMO.QSY"}, // deleted by the user: the installed one
        {"nowhere.QSY", cwd + "/nowhere.QSY"},
        {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.opened, resolve_patch_path(row.given, cwd, inst.folder, inst.data))
            << row.given;
}

} // namespace
