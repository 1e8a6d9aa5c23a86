// Test support: builds a generator from patch text held in memory and
// captures what the readers print.
#pragma once

#include <string>

#include "synth/generator.h"

struct PATCH_TEXT {
    GENERATOR g;
    int modules_read; // result of the module reader
    int links_read;   // result of the link reader (0 when not run)
    std::string printed;

    // What the readers printed, without the sample loader's own lines.
    std::string complaints() const;

    // Reads the module section of the text and its pattern section, then
    // (when links is true and nothing fatal happened) its link section.
    explicit PATCH_TEXT(const std::string &text, bool links = true);
    ~PATCH_TEXT() { g.release_modules(); }
};

// What save_QSY writes for the generator.
std::string module_section(GENERATOR &g);
// What write_pattern_section writes for it.
std::string pattern_section(GENERATOR &g);

// The contents of a file, or an empty string.
std::string file_text(const std::string &path);
