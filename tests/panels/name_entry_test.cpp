// The name entry's keys and the rules of a patch file name.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "panels/name_entry.h"
#include "panels/patch_names.h"
#include "support/temp_dir.h"

namespace {

SDL_Event key(SDL_EventType type, SDLKey sym, Uint16 unicode = 0, SDLMod mod = KMOD_NONE)
{
    SDL_Event e = {};
    e.type = static_cast<Uint8>(type);
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = unicode;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event press(SDLKey sym, Uint16 unicode = 0, SDLMod mod = KMOD_NONE)
{
    return key(SDL_KEYDOWN, sym, unicode, mod);
}

std::vector<SDL_Event> typing(const std::string &text)
{
    std::vector<SDL_Event> out;
    for (char c : text)
        out.push_back(press(static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c),
                            static_cast<Uint16>(c)));
    return out;
}

TEST(PatchNames, RulesOfANameToSaveUnder)
{
    const struct {
        std::string name;
        bool accepted;
    } cases[] = {
        {"DEMO.QSY", true},
        {std::string(79, 'x'), true},
        {"a-b_c+1.qsy", true},
        {"", false},
        {std::string(80, 'x'), false},
        {"QSY/x", false},
        {"a\\b", false},
        {".x", false},
        {"..", false},
        {"two words", false},
        {"bell\a", false},
        {"caf\xe9", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(patch_name_problem(c.name.c_str()) == nullptr, c.accepted) << c.name;
}

TEST(PatchNames, ListingHoldsTheFilesSortedWithoutHiddenOnesOrDirectories)
{
    TempDir dir;
    dir.write("B.QSY", "");
    dir.write("a.qsy", "");
    dir.write(".B.QSY.x1", "");
    ASSERT_EQ(mkdir(dir.path("SUB").c_str(), 0700), 0);
    EXPECT_EQ(list_patch_files((dir.path("")).c_str()),
              (std::vector<std::string>{"B.QSY", "a.qsy"}));
    EXPECT_TRUE(list_patch_files(dir.path("none/").c_str()).empty());
}

// Each case: the keys pressed (and released) in order, then what the entry
// shows and whether it is still open.
TEST(NameEntry, KeysTypeEraseAcceptAndCancel)
{
    const SDL_Event escape_down = press(SDLK_ESCAPE), escape_up = key(SDL_KEYUP, SDLK_ESCAPE);
    const SDL_Event enter = press(SDLK_RETURN), backspace = press(SDLK_BACKSPACE);
    auto then = [](std::vector<SDL_Event> a, const std::vector<SDL_Event> &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        const char *what;
        std::vector<SDL_Event> events;
        const char *name;
        NAME_ENTRY::STATE state;
        bool message;
    } cases[] = {
        {"letters type", typing("My.QSY"), "My.QSY", NAME_ENTRY::TYPING, false},
        {"without translation",
         {press(SDLK_a), press(SDLK_b, 0, KMOD_LSHIFT), press(SDLK_1)},
         "aB1",
         NAME_ENTRY::TYPING,
         false},
        {"enter accepts", then(typing("X.QSY"), {enter}), "X.QSY", NAME_ENTRY::ACCEPTED, false},
        {"keypad enter", then(typing("X"), {press(SDLK_KP_ENTER)}), "X", NAME_ENTRY::ACCEPTED,
         false},
        {"backspace erases", then(typing("ABC"), {backspace, backspace, backspace, backspace}), "",
         NAME_ENTRY::TYPING, false},
        {"empty refused", {enter}, "", NAME_ENTRY::TYPING, true},
        {"slash refused", then(typing("a/b"), {enter}), "a/b", NAME_ENTRY::TYPING, true},
        {"refusal cleared by editing", then(typing("a/"), {enter, backspace}), "a",
         NAME_ENTRY::TYPING, false},
        {"escape closes on its release",
         {escape_down, escape_up},
         "",
         NAME_ENTRY::CANCELLED,
         false},
        {"escape press alone", {escape_down}, "", NAME_ENTRY::TYPING, false},
        {"release of an earlier escape", {escape_up}, "", NAME_ENTRY::TYPING, false},
        {"function and other keys do nothing",
         {press(SDLK_F1), press(SDLK_F4), press(SDLK_F6), press(SDLK_TAB), press(SDLK_LEFT),
          press(SDLK_KP_PLUS), press(SDLK_LSHIFT), press(SDLK_UNKNOWN, 0xe9)},
         "",
         NAME_ENTRY::TYPING,
         false},
        {"eightieth character refused", typing(std::string(80, 'z')),
         "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz",
         NAME_ENTRY::TYPING, true},
    };
    for (const auto &c : cases) {
        NAME_ENTRY entry("prompt", "none/");
        for (const SDL_Event &e : c.events)
            entry.take(e);
        EXPECT_EQ(std::string(entry.name), c.name) << c.what;
        EXPECT_EQ(entry.state, c.state) << c.what;
        EXPECT_EQ(!entry.message.empty(), c.message) << c.what << ": " << entry.message;
    }
}

TEST(NameEntry, RunsOnlyInAWindow)
{
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_FALSE(entry.files.empty()); // the demo patches
}

} // namespace
