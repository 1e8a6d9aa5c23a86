// Small helpers shared by the two patch-file readers.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "patch/qstr_parser.h"

class GENERATOR;

// A field copied out of a token; empty (null) when the field was empty.
using FIELD = std::unique_ptr<char[]>;

inline FIELD field_of(const char *text, char separator, int n)
{
    return FIELD(QSTR_PARSER(text, separator).get_champ(n));
}

// The text after "KEY=" in the first of the fields 1 onwards of a line
// ("NAME;KEY=VALUE;...") that starts so; empty when none does.
std::string keyed_value(const QSTR_PARSER &fields, const char *key);

inline bool contains(const char *text, const char *word)
{
    return std::strstr(text, word) != nullptr;
}

// "Ligne N semble avoir moins de 2 parametres": the declaration is skipped.
void report_too_few_fields(int line);

// Ends the load at a fault of the file: status -1, and load_problem
// "line N: " and the problem, N being the token number.
void refuse_at(GENERATOR &g, int line, const std::string &problem);

// An empty field inside a declaration ("the declaration of VCO_1", "the
// links of VCA_1"): reported, and the load fails with status -1.
void report_empty_field(GENERATOR &g, int line, const std::string &declaration);

// Shows the patch path as the window title, when there is a window.
void show_patch_in_title(const char *path);
