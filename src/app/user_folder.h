// Where an installed program runs: each user's own folder, with the
// installed read-only data linked into it.
//
// The program opens its files by fixed names relative to the working
// directory (QSY/, RC/, grfx/opengl.qim, Fonts/..., the samples a patch
// names), and the load dialog writes its listing there. Run from a build
// tree's data/ it finds them all. Installed, the data lies in
// <prefix>/share/qmodular, which the user cannot write; so the program works
// in $XDG_DATA_HOME/qmodular (normally ~/.local/share/qmodular): a real QSY/
// holding the user's patches (the demo patches on first start) and links RC,
// grfx, Fonts and samples to the installed folders. Every fixed name then
// works unchanged in every part of the program, and saving writes into the
// user's QSY/. The links are checked at every start, so a reinstallation
// elsewhere is followed.
#pragma once

#include <cstdio>
#include <string>

struct CommandLine;

// The folder of the installed data beside the executable exe
// (<bin>/../share/qmodular, holding grfx/opengl.qim), or "" when exe is not
// an installed program (a build tree).
std::string installed_data_folder(const std::string &exe);

// $XDG_DATA_HOME/qmodular when that variable holds an absolute path, else
// <home>/.local/share/qmodular; "" without either.
std::string user_folder_path(const char *xdg_data_home, const char *home);

// Makes the user folder ready: creates it; on first start (no QSY/ yet)
// makes QSY/ and copies the demo patches of data/QSY into it, saying so on
// log; links RC, grfx, Fonts and samples to data's, replacing a link that
// points elsewhere and keeping anything else of that name (the user's own).
// Returns false with a message in error when the folder cannot be made.
bool prepare_user_folder(const std::string &folder, const std::string &data, FILE *log,
                         std::string &error);

// The patch path to open from inside folder, for a path given while in cwd:
// an absolute path stays; a relative one is taken from cwd when it is there
// (made absolute), else from folder (kept relative), else from the installed
// data (made absolute). One found nowhere is made absolute from cwd, so that
// the message says where it was looked for.
std::string resolve_patch_path(const std::string &patch, const std::string &cwd,
                               const std::string &folder, const std::string &data);

// For an installed program: resolves the command line's patch and output
// file from the current directory, prepares the user folder and makes it the
// working directory. A build tree's program is left as it is. Returns false
// with a message in error when the folder cannot be made or entered.
bool enter_user_folder(CommandLine &cmd, std::string &error);
