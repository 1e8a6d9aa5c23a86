// A view's frame as the list of its layers, and the parts of the window where
// the frame due differs from the frame the window shows.
//
// A frame is the background tiles, which change only with the scroll, and
// over them its layers in drawing order: the panels in view, then the marks
// of the knobs bound to MIDI controllers and the dashboards (front view) or
// the cables and their legend (back view), then the status line.
// Each layer keeps the record of its drawing (engine/draw_record.h), made
// just before the frame is painted. Between two frames of the same view at
// the same scroll, with the same layers in the same order, pixels can differ
// only within the boxes of the primitives whose records differ: the window
// needs painting again only there. Any other change paints the whole window.
#pragma once

#include <vector>

#include "engine/draw_record.h"
#include "engine/pixel_box.h"

class LINK;
class OBJET;

struct LAYER {
    enum KIND { PANEL, BINDING_MARKS, CABLE, CABLE_LEGEND, STATUS_LINE };
    KIND kind = STATUS_LINE;
    OBJET *panel = nullptr;         // of a PANEL: a module panel or a dashboard
    float panel_x = 0, panel_y = 0; // where the panel lay on the work area
    LINK *cable = nullptr;          // of a CABLE
    DRAW_RECORD record;
};

struct VIEW_FRAME {
    int view = -1;                // BACK_VIEW_TOGGLE's value; -1 for no frame
    unsigned long side_turns = 0; // panel_side_turns (panels/panel_drawing.h)
    int scroll_x = 0, scroll_y = 0;
    std::vector<LAYER> layers;
};

// What a paint painted: the whole window, or some parts of it, disjoint and
// within the window (none when nothing changed).
struct REPAINT {
    bool whole = false;
    std::vector<PIXEL_BOX> parts;
};

// Boxes closer than this are painted as one: a box costs the drawing of
// everything under it, so two near ones cost less together.
constexpr int REPAINT_MERGE_GAP = 8;

// Where the window, showing `shown`, must be painted again to show `due`
// (both recorded): the whole window when the views, the panels' turns, the
// scrolls or the layers differ (a panel moved included), or when the parts
// together would cover more than half of it; else the boxes of the records'
// changes, cut to the window, each two that overlap or lie within
// REPAINT_MERGE_GAP of each other merged into the box holding both.
REPAINT repaint_between(const VIEW_FRAME &shown, const VIEW_FRAME &due, int window_w, int window_h);
