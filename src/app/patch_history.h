// The edit history of the running patch in the window: the states the user
// made, noted between passes; undo and redo, which make the patch that plays
// into an earlier or later state in place; the caption, which marks unsaved
// edits; and the recovery file that keeps them.
#pragma once

#include <string>

// Starts the history anew from the running patch (at start-up, after a load
// or a new patch).
void start_patch_history();
// Unsaved edits are written to the recovery file this often at least (30 s
// until it is set).
void set_autosave_seconds(int seconds);

// After a pass that drew the view: the running patch's state is noted,
// unless a mouse button is still held (the knob turn, the cable or the panel
// carried is one edit, from press to release). The caption follows: the
// patch's path, then " *" while it has unsaved edits.
void note_patch_edits();

// Every pass: the unsaved edits go to the recovery file when the last write
// is as old as the autosave period.
void write_recovery_when_due();

// Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y): asked in a handler, made at the start
// of the next pass by carry_out_history_orders(), when no handler walks the
// panel lists.
void undo_patch_edit();
void redo_patch_edit();
// Makes what was asked: the patch becomes the state before (after) the last
// step, while the sound plays, and the status line says what was undone or
// redone ("Undo: VCA_1 ATTACK"), or that there is nothing to. Returns
// whether the patch changed.
bool carry_out_history_orders();

// After a save as path: the patch is that file now (its path and caption),
// without unsaved edits, and the recovery file of its old name goes.
void note_patch_saved(const char *path);

// The patch's unsaved edits go to its recovery file now, when there are any
// not yet written (the program ends). Says on the console when it cannot.
void write_recovery_now();
