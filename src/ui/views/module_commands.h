// Adding a module, with its panel, to the patch that plays, and taking one
// away, from the window: the Delete key, the module browser (Insert, a right
// click on empty space, the ADD pad), the DEL pad.
//
// The event handlers only ask: what they ask is carried out at the start of
// the main loop's next pass, when no handler walks the panel lists (the front
// view walks a copy of them, and both keep indices into them). Each carried
// out order says in the window's status line what it did, or why not.
#pragma once

#include "engine/objet.h"
#include "modules/module.h"

// A module of the kind, its panel's top-left corner at the work-area point
// (x, y).
void ask_to_add_module(MODULE_KIND kind, int x, int y);
// A module of the kind, its panel at the first place of its column where it
// covers no other panel (modules/panel_lists.h).
void ask_to_add_module(MODULE_KIND kind);
// The module of the panel; a panel of no module (a dashboard) is refused.
void ask_to_remove_module(OBJET *panel);

// The module browser (ui/dialogs/module_browser.h); the kind chosen is asked
// for at the work-area point (x, y), or in its column. Both views forget
// their picks: the button that opened it was let go in the browser.
void browse_modules_at(int x, int y);
void browse_modules();

// The panel of a module just added to the running patch, its top-left corner
// at the work-area point (x, y), showing the side of the view on screen.
OBJET *show_added_module(const MODULE &m, int x, int y);
// The panel of a module just taken out of the running patch goes, with what
// points into it (the information dashboard's target, a sequencer's step
// events on their way). Both only between passes, when no handler walks the
// panel lists.
void hide_removed_module(const MODULE &m);

// Carries out the orders asked since the last call, oldest first. Returns
// whether the panels changed (the view must be drawn again).
bool carry_out_module_orders();
// Forgets the orders not yet carried out, as the patch they name is replaced.
void forget_module_orders();
