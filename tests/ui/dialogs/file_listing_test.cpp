// The listings the window's boxes show, the directory read directly and
// nothing written: for the load dialog the names holding "QSY" first and
// those holding "qsy" after, each sorted; for the sample chooser the WAV
// files A to Z.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "support/temp_dir.h"
#include "ui/dialogs/file_listing.h"

namespace {

// The directory's entries in the order it gives them.
std::vector<std::string> entries(const std::string &dir)
{
    std::vector<std::string> out;
    if (DIR *d = opendir(dir.c_str())) {
        while (const dirent *e = readdir(d))
            out.push_back(e->d_name);
        closedir(d);
    }
    return out;
}

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

TEST(PatchListing, UpperCaseMatchesFirstThenLowerCaseEachSortedByName)
{
    TempDir dir;
    for (const char *name : {"B.QSY", "a.qsy", "BOTH.QSY.qsy", "notes.txt", ".hidden.QSY", "QSYNTH",
                             "with space.QSY", "C.QSY", "z.Qsy", "0.qsy", "A.QSY"})
        dir.write(name, "");
    mkdir(dir.path("folder.QSY").c_str(), 0755);
    const std::vector<std::string> before = sorted(entries(dir.path(""))),
                                   here = sorted(entries("."));

    const FILE_LISTING listing = list_patches(dir.path("").c_str());

    EXPECT_EQ("", listing.problem);
    EXPECT_EQ(listing.names,
              (std::vector<std::string>{".hidden.QSY", "A.QSY", "B.QSY", "BOTH.QSY.qsy", "C.QSY",
                                        "QSYNTH", "folder.QSY", "with space.QSY", "0.qsy",
                                        "BOTH.QSY.qsy", "a.qsy"}));
    // Nothing written, here or there.
    EXPECT_EQ(before, sorted(entries(dir.path(""))));
    EXPECT_EQ(here, sorted(entries(".")));
}

// Upper and lower case sort together; the suffix counts in any case, and
// only as the end of the name.
TEST(SampleListing, WavFilesInAnyCaseFromAToZ)
{
    TempDir dir;
    for (const char *name : {"snare.wav", "Bell.WAV", "kick.Wav", "bell.wav", "notes.txt", "wav",
                             ".wav", "x.wav.txt", "Hat.wav"})
        dir.write(name, "");
    const FILE_LISTING listing = list_samples(dir.path("").c_str());
    EXPECT_EQ("", listing.problem);
    EXPECT_EQ(listing.names, (std::vector<std::string>{"Bell.WAV", "bell.wav", "Hat.wav",
                                                       "kick.Wav", "snare.wav"}));
    EXPECT_NE(std::string::npos, list_samples(dir.path("gone").c_str()).problem.find("gone"));
}

TEST(PatchListing, AnEmptyOrMissingDirectoryListsNothing)
{
    TempDir dir;
    const FILE_LISTING empty = list_patches(dir.path("").c_str());
    EXPECT_TRUE(empty.names.empty());
    EXPECT_EQ("", empty.problem);
    const FILE_LISTING missing = list_patches(dir.path("nowhere").c_str());
    EXPECT_TRUE(missing.names.empty());
    EXPECT_NE(std::string::npos, missing.problem.find("nowhere")) << missing.problem;
}

} // namespace
