// The sections of a patch file that the window adds after the sound's own:
// where the panels stand (panels/panel_layout.h), which MIDI controllers
// turn which knobs (panels/controller_bindings.h) and which cables were
// painted by hand (cables/cable_paint.h). Builds that do not know them never
// read that far.
#pragma once

#include <cstdio>

void write_window_sections(FILE *file);
// Both sections of the file, from its start; the bindings of a file without
// them are none.
void read_window_sections(FILE *file);
// The same from the file at path; without the file the panels stay where
// they are and there are no bindings or paints.
void read_window_sections(const char *path);
