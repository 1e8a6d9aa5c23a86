// The folder an installed program works in: found from the environment,
// kept up at every start, and patch paths given from elsewhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/user_folder.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Installed data in share/qmodular with two demo patches, and the user folder
// prepared from it once.
struct Installation {
    TempDir tmp;
    std::string data = tmp.path("share/qmodular");
    fs::path folder = tmp.path("home/.local/share/qmodular");

    Installation()
    {
        for (const char *dir : {"QSY", "RC", "grfx", "Fonts", "samples"})
            fs::create_directories(fs::path(data) / dir);
        fs::create_directories(tmp.path("elsewhere"));
        tmp.write("share/qmodular/QSY/DEMO.QSY", "demo");
        tmp.write("share/qmodular/QSY/KEYS.QSY", "keys");
        EXPECT_TRUE(prepare());
    }

    bool prepare()
    {
        std::string error;
        FILE *quiet = std::fopen("/dev/null", "w");
        bool ok = prepare_user_folder(folder, data, quiet, error);
        std::fclose(quiet);
        return ok;
    }
};

TEST(UserFolder, FoundFromTheEnvironment)
{
    const char *const rows[][3] = {
        // XDG_DATA_HOME, HOME, the folder
        {"/data/u", "/home/u", "/data/u/qmodular"},
        {nullptr, "/home/u", "/home/u/.local/share/qmodular"},
        {"relative/data", "/home/u", "/home/u/.local/share/qmodular"},
        {nullptr, "", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row[2], user_folder_path(row[0], row[1])) << (row[0] ? row[0] : "(unset)");
}

TEST(UserFolder, LaterStartsKeepTheUsersOwnAndFollowTheInstallation)
{
    Installation inst;
    // The user deletes a demo and keeps samples of their own; the
    // installation moves, so a link points elsewhere now.
    fs::remove(inst.folder / "QSY/KEYS.QSY");
    fs::remove(inst.folder / "samples");
    fs::create_directory(inst.folder / "samples");
    fs::remove(inst.folder / "RC");
    fs::create_directory_symlink("/old/prefix/share/qmodular/RC", inst.folder / "RC");

    ASSERT_TRUE(inst.prepare());
    EXPECT_TRUE(fs::exists(inst.folder / "QSY/DEMO.QSY"));
    EXPECT_FALSE(fs::exists(inst.folder / "QSY/KEYS.QSY"));
    EXPECT_FALSE(fs::is_symlink(inst.folder / "samples"));
    for (const char *name : {"RC", "grfx", "Fonts"})
        EXPECT_EQ(fs::path(inst.data) / name, fs::read_symlink(inst.folder / name)) << name;
}

TEST(UserFolder, PatchPathsFromWhereTheUserStood)
{
    Installation inst;
    const std::string cwd = inst.tmp.path("elsewhere");
    inst.tmp.write("elsewhere/here.QSY", "");
    fs::remove(inst.folder / "QSY/DEMO.QSY");
    const std::string rows[][2] = {
        {"/any/where/x.QSY", "/any/where/x.QSY"},
        {"./sub/../here.QSY", cwd + "/here.QSY"},
        {"QSY/KEYS.QSY", "QSY/KEYS.QSY"}, // the user's copy: the folder becomes current
        {"QSY/DEMO.QSY", inst.data + "/QSY/DEMO.QSY"}, // deleted there: the installed one
        {"nowhere.QSY", cwd + "/nowhere.QSY"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row[1], resolve_patch_path(row[0], cwd, inst.folder, inst.data)) << row[0];
}

} // namespace
