// The name entry's keys, and the files it lists. (The rules of a name are
// tested with the writer, which checks them too.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/dialogs/name_entry.h"

namespace {

SDL_Event key(SDLKey sym, Uint16 unicode = 0, SDLMod mod = KMOD_NONE, Uint8 type = SDL_KEYDOWN)
{
    SDL_Event e = {};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = unicode;
    e.key.keysym.mod = mod;
    return e;
}

std::vector<SDL_Event> typing(const std::string &text, std::vector<SDL_Event> then = {})
{
    std::vector<SDL_Event> out;
    for (char c : text)
        out.push_back(key(static_cast<SDLKey>(c), static_cast<Uint16>(c)));
    out.insert(out.end(), then.begin(), then.end());
    return out;
}

TEST(NameEntry, KeysTypeEraseAcceptAndCancel)
{
    const SDL_Event enter = key(SDLK_RETURN), backspace = key(SDLK_BACKSPACE);
    const SDL_Event escape = key(SDLK_ESCAPE),
                    escape_up = key(SDLK_ESCAPE, 0, KMOD_NONE, SDL_KEYUP);
    const struct {
        const char *what;
        std::vector<SDL_Event> events;
        std::string name;
        NAME_ENTRY::STATE state;
        bool message;
    } cases[] = {
        {"letters type", typing("My.QSY"), "My.QSY", NAME_ENTRY::TYPING, false},
        {"untranslated keys",
         {key(SDLK_a), key(SDLK_b, 0, KMOD_LSHIFT), key(SDLK_1)},
         "aB1",
         NAME_ENTRY::TYPING,
         false},
        {"enter accepts", typing("X.QSY", {enter}), "X.QSY", NAME_ENTRY::ACCEPTED, false},
        {"keypad enter", typing("X", {key(SDLK_KP_ENTER)}), "X", NAME_ENTRY::ACCEPTED, false},
        {"backspace erases", typing("AB", {backspace, backspace, backspace}), "",
         NAME_ENTRY::TYPING, false},
        {"empty refused", {enter}, "", NAME_ENTRY::TYPING, true},
        {"slash refused", typing("a/b", {enter}), "a/b", NAME_ENTRY::TYPING, true},
        {"editing clears the refusal", typing("a/", {enter, backspace}), "a", NAME_ENTRY::TYPING,
         false},
        {"escape closes on its release", {escape, escape_up}, "", NAME_ENTRY::CANCELLED, false},
        {"an earlier escape's release", {escape_up}, "", NAME_ENTRY::TYPING, false},
        {"other keys do nothing",
         {key(SDLK_F1), key(SDLK_F4), key(SDLK_TAB), key(SDLK_LEFT), key(SDLK_LSHIFT),
          key(SDLK_UNKNOWN, 0xe9)},
         "",
         NAME_ENTRY::TYPING,
         false},
        {"no eightieth character", typing(std::string(80, 'z')), std::string(79, 'z'),
         NAME_ENTRY::TYPING, true},
        // QSY/DEMO.QSY exists.
        {"escape withdraws the name only", typing("DEMO", {enter, escape, escape_up}), "DEMO",
         NAME_ENTRY::TYPING, false},
        {"editing forgets the question",
         typing("DEMO", {enter, backspace, key(SDLK_o, 'O'), enter}), "DEMO", NAME_ENTRY::TYPING,
         true},
    };
    for (const auto &c : cases) {
        NAME_ENTRY entry("prompt", "QSY/");
        for (const SDL_Event &e : c.events)
            entry.take(e);
        EXPECT_EQ(std::string(entry.name), c.name) << c.what;
        EXPECT_EQ(entry.state, c.state) << c.what;
        EXPECT_EQ(!entry.message.empty(), c.message) << c.what << ": " << entry.message;
    }
    NAME_ENTRY asking("prompt", "QSY/");
    for (const SDL_Event &e : typing("DEMO", {enter}))
        asking.take(e);
    EXPECT_EQ(asking.message, "DEMO.QSY exists: Enter again to replace, Escape to choose another");
    NAME_ENTRY listing("prompt", "QSY/");
    EXPECT_TRUE(std::is_sorted(listing.files.begin(), listing.files.end()));
    EXPECT_EQ(std::count(listing.files.begin(), listing.files.end(), "DEMO.QSY"), 1);
    EXPECT_FALSE(run_name_entry(listing)); // no window
}

} // namespace
