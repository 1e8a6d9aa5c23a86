// Where the module panels stand on the work area and whether they show full
// or compact, kept in the patch file after its other sections, one line per
// panel between "BEGIN_PANELS_DECLARE" and "END_PANELS_DECLARE":
//   VCO_BASS;KIND=VCO;X=0;Y=168;VIEW=1;
// KIND is the panel's kind word (a name may declare modules of several
// kinds), VIEW 1 full and 2 compact. Builds that do not know the section
// never read that far.
#pragma once

#include <cstdio>

// The section for the panels of objets_globaux.
void write_panel_layout(FILE *file);

// Moves the panels of objets_globaux to the places the section of the patch
// file at path gives them and shows each full or compact as it says. Panels
// the section does not name keep their places; a line naming no panel, or
// a place off the work area, is reported and left out. Without the section
// (or the file) nothing changes.
void apply_panel_layout(const char *path);
// The same from a file already open.
void apply_panel_layout(FILE *file);
