// Cables painted by hand: F8 in the back view gives the cable under the
// pointer (or the one in hand) the next colour of a cycle that starts and
// ends with the colour of what it carries (cables/cable_colours.h), so that a
// musician can tell apart two cables of one kind. A painted cable keeps its
// colour as long as the patch joins the same output to the same input.
//
// The paints are kept with the patch after its other sections, one line per
// cable between "BEGIN_CABLE_COLOURS_DECLARE" and "END_CABLE_COLOURS_DECLARE":
//   VCA_1;INPUT=INPUT;FROM=VCO_1;COLOUR=FF8C1A;
// so that builds that do not know them never read that far. Main thread only.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class LINK;

struct CABLE_PAINT {
    std::string reader; // the module whose input the cable plugs
    std::string input;  // that input's socket ("INPUT", "INPUT_3")
    std::string source; // the module whose output the cable joins
    int colour;         // 0xRRGGBB
};

// The paints of the running patch.
extern std::vector<CABLE_PAINT> cable_paints;

// The colour of the cable into the reader's input from the source: its paint,
// else by_kind.
int painted_colour(const std::string &reader, const std::string &input, const std::string &source,
                   int by_kind);

// Gives the cable the next colour of its cycle; returns what the window says
// of it. A cable that does not join an output to an input (one just started)
// keeps its colour.
std::string repaint_cable(LINK &link);

// The paints of a module that is no longer in the patch go.
void forget_paints_of(const std::string &module);

// The section, and its reading: the paints of the file replace those there
// were (none without the section).
void write_cable_paint_section(FILE *file);
void read_cable_paint_section(FILE *file);
