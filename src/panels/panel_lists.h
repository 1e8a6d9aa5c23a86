// The panels of the loaded patch: building one panel per module of the
// generator, placed in columns on the work area, and the lists that hold them.
#pragma once

#include <vector>

#include "engine/objet.h"
#include "modules/module.h"
#include "panels/seq_gui.h"

// The module panels, drawn and hit-tested in this order (later ones lie on
// top). The list owns nothing: whoever replaces the patch empties it.
extern std::vector<OBJET *> objets_globaux;
// The sequencer panels, also in objets_globaux.
extern std::vector<SEQ_GUI *> sequenceurs_gui;
// The dashboards, filled by the main program.
extern std::vector<OBJET *> objets_panel_front;

// Builds one panel per module of gen (delays have none), numbers and places
// it, and puts it at the front of objets_globaux (sequencer panels also at the
// front of sequenceurs_gui, which is emptied first so that it never holds the
// panels of an earlier patch). Prints a progress line per module type.
void initialise_gui_from_current();

// The first panel of objets_globaux that shows the module; null when none.
OBJET *panel_of(const MODULE &module);

// A new panel for a module added to the patch, at the front of objets_globaux
// (and of sequenceurs_gui for a sequencer), its top-left corner at (x, y),
// in the full front view.
OBJET *add_module_panel(const MODULE &module, int x, int y);
// Where a new panel of the kind goes when no pointer says: the first place,
// from the top of the column where the panels of its kind stand (the first
// column without any), where it covers no other panel.
void place_in_its_column(OBJET &panel, MODULE_KIND kind);
// A new panel for the module of old, with its number, place and look, in its
// place in the lists, old deleted: the panel shows the module's settings
// as they are now. Returns the new panel.
OBJET *renew_module_panel(OBJET *old);
// Takes the panel out of the lists and deletes it.
void remove_module_panel(OBJET *panel);

// The panel of a sequencer; null when it has none.
SEQ_GUI *get_sequencer_gui_by_its_parent(const SEQUENCER *sequencer);
