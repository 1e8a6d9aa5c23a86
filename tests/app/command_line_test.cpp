// Reading the command line: options first, then the patch file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/fmod_errors.h"

namespace {

struct Parsed {
    bool ok;
    CommandLine cmd;
    std::string error;
};

Parsed parse(const std::vector<const char *> &words)
{
    std::vector<std::string> storage{"qmodular"};
    storage.insert(storage.end(), words.begin(), words.end());
    std::vector<char *> argv;
    for (std::string &w : storage)
        argv.push_back(&w[0]);
    Parsed p;
    p.ok = parse_command_line(static_cast<int>(argv.size()), argv.data(), p.cmd, p.error);
    return p;
}

TEST(CommandLine, PatchAloneKeepsTheDefaults)
{
    Parsed p = parse({"QSY/DEMO.QSY"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ("QSY/DEMO.QSY", p.cmd.patch);
    EXPECT_EQ(9999, p.cmd.remote_port);
    EXPECT_TRUE(p.cmd.remote);
    EXPECT_FALSE(p.cmd.remote_local);
    EXPECT_TRUE(p.cmd.render_path.empty());
    EXPECT_FALSE(p.cmd.help);
    EXPECT_EQ(3072, p.cmd.block_frames);
    EXPECT_FALSE(p.cmd.block_given);
    EXPECT_TRUE(p.cmd.midi_source.empty());
}

TEST(CommandLine, EveryOptionBeforeThePatch)
{
    Parsed p = parse({"--render", "out.wav", "--seconds", "2.5", "--remote-port", "20001",
                      "--remote-local", "--no-remote", "a.QSY"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ("out.wav", p.cmd.render_path);
    EXPECT_DOUBLE_EQ(2.5, p.cmd.seconds);
    EXPECT_EQ(20001, p.cmd.remote_port);
    EXPECT_TRUE(p.cmd.remote_local);
    EXPECT_FALSE(p.cmd.remote);
    EXPECT_EQ("a.QSY", p.cmd.patch);
}

TEST(CommandLine, HelpNeedsNoPatch)
{
    Parsed p = parse({"--help"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.cmd.help);
    EXPECT_TRUE(p.cmd.patch.empty());
}

TEST(CommandLine, RefusesWhatItCannotUse)
{
    for (auto words : std::vector<std::vector<const char *>>{
             {"--bogus", "a.QSY"},
             {"-x"}, // an option, not a patch named "-x"
             {"--remote-port"},
             {"--remote-port", "0", "a.QSY"},
             {"--remote-port", "65536", "a.QSY"},
             {"--remote-port", "99x", "a.QSY"},
             {"--render", "o.wav", "--seconds", "0", "a.QSY"},
             {"--render", "o.wav", "--seconds", "-3", "a.QSY"},
             {"--render", "o.wav", "--seconds", "nan", "a.QSY"},
             {"--render", "o.wav", "--seconds", "3601", "a.QSY"},
             {"--seconds", "2", "a.QSY"},
             {"--render", "", "a.QSY"},
             {"--render", "o.wav"},
             {"a.QSY", "--no-remote"},
             {"--block", "63", "a.QSY"},
             {"--block", "3073", "a.QSY"},
             {"--block", "256k", "a.QSY"},
             {"--block"},
             {"--midi-in", "", "a.QSY"},
             {"--render", "o.wav", "--block", "64", "a.QSY"},
             {"--render", "o.wav", "--midi-in", "usb", "a.QSY"},
             {"--output", "speakers", "a.QSY"},
             {"--output"},
             {"--render", "o.wav", "--output", "none", "a.QSY"},
         }) {
        Parsed p = parse(words);
        EXPECT_FALSE(p.ok) << words[0];
        EXPECT_FALSE(p.error.empty());
    }
}

// The messages and --help take the numbers from the option table; a mark
// left unfilled or a limit taken from the wrong field shows here.
TEST(CommandLine, MessagesAndHelpGiveTheLimits)
{
    const std::vector<std::pair<std::vector<const char *>, std::string>> cases = {
        {{"--block", "63", "a.QSY"}, "--block needs a number of frames from 64 to 3072, not '63'"},
        {{"--remote-port", "0", "a.QSY"},
         "--remote-port needs a port number from 1 to 65535, not '0'"},
        {{"--render", "o.wav", "--seconds", "0", "a.QSY"},
         "--seconds needs a number of seconds above 0 and at most 3600, not '0'"},
        {{"--render", "", "a.QSY"}, "--render needs a file name"},
        {{"--block", "{low}", "a.QSY"}, // quoted as given
         "--block needs a number of frames from 64 to 3072, not '{low}'"},
    };
    for (const auto &[words, error] : cases)
        EXPECT_EQ(error, parse(words).error);

    char *text = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    print_usage(out, "qmodular");
    std::fclose(out);
    const std::string help(text, size);
    std::free(text);
    for (const char *shown :
         {"(default 9999)", "64 to 3072\n", "(default 3072, ", "(default 10, at most 3600)"})
        EXPECT_NE(std::string::npos, help.find(shown)) << shown;
    EXPECT_EQ(std::string::npos, help.find('{'));
}

TEST(CommandLine, BlockSizeAndMidiSourceForPlaying)
{
    for (const char *frames : {"64", "3072"}) {
        Parsed p = parse({"--block", frames, "--midi-in", "USB Keys", "a.QSY"});
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(std::stoi(frames), p.cmd.block_frames);
        EXPECT_TRUE(p.cmd.block_given);
        EXPECT_EQ("USB Keys", p.cmd.midi_source);
    }
}

TEST(ErrorTable, KnownCodesAndTheRest)
{
    EXPECT_STREQ("No errors", FMOD_ErrorString(0));
    EXPECT_STREQ("Error initializing output device.", FMOD_ErrorString(3));
    EXPECT_STREQ("Not enough memory ", FMOD_ErrorString(12));
    EXPECT_STREQ("Required Mediaplayer codec is not installed", FMOD_ErrorString(18));
    EXPECT_STREQ("Unknown error", FMOD_ErrorString(19));
    EXPECT_STREQ("Unknown error", FMOD_ErrorString(-1));
}

} // namespace
