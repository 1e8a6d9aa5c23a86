#include "ui/dialogs/name_entry.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace {

// The character a key types: the translated character when the keyboard
// layout gave one, else the key itself for the keys that are characters.
int typed_character(const SDL_keysym &key)
{
    if (key.unicode != 0)
        return key.unicode < 0x80 ? key.unicode : 0;
    if (key.sym < SDLK_SPACE || key.sym > SDLK_z)
        return 0;
    if ((key.mod & KMOD_SHIFT) != 0 && key.sym >= SDLK_a)
        return key.sym - SDLK_a + 'A';
    return key.sym;
}

} // namespace

NAME_ENTRY::NAME_ENTRY(const char *prompt, const char *directory)
    : prompt(prompt), directory(directory), files(list_patch_files(directory))
{
}

void NAME_ENTRY::say(const std::string &text)
{
    message = text;
    asking = false;
}

void NAME_ENTRY::reopen(const std::string &why)
{
    state = TYPING;
    say(why);
}

bool NAME_ENTRY::enter()
{
    if (const char *problem = patch_name_problem(name)) {
        say(problem);
        return true;
    }
    const std::string file = patch_file_name(name);
    struct stat st;
    if (!asking && lstat((directory + file).c_str(), &st) == 0) {
        say(file + " exists: Enter again to replace, Escape to choose another");
        asking = true;
        return true;
    }
    state = ACCEPTED;
    return true;
}

bool NAME_ENTRY::press(const SDL_keysym &key)
{
    const size_t length = std::strlen(name);
    switch (key.sym) {
    case SDLK_ESCAPE:
        escape_held = true;
        return false;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return enter();
    case SDLK_BACKSPACE:
        if (length == 0)
            return false;
        name[length - 1] = '\0';
        say("");
        return true;
    default:
        break;
    }
    const int c = typed_character(key);
    if (c < ' ' || c > '~')
        return false;
    if (length >= PATCH_NAME_MAX) {
        say(NAME_TOO_LONG);
        return true;
    }
    name[length] = static_cast<char>(c);
    name[length + 1] = '\0';
    say("");
    return true;
}

bool NAME_ENTRY::take(const SDL_Event &event)
{
    if (event.type == SDL_USEREVENT)
        return true;
    if (event.type == SDL_KEYDOWN)
        return press(event.key.keysym);
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE && escape_held) {
        // Escape while the entry asks about replacing a file only withdraws
        // the name: the user chooses another.
        if (asking)
            say("");
        else
            state = CANCELLED;
        return true;
    }
    return false;
}

bool run_name_entry(NAME_ENTRY &entry)
{
    return run_modal(entry, "name entry") && entry.state == NAME_ENTRY::ACCEPTED;
}
