// Where the dashboards stand: in a row on the work area, under every panel
// that stands above the row, so that they cover no panel. The row is placed
// anew at start-up and after every load; Home brings it into view wherever
// the view was scrolled.
#pragma once

// Places the dashboards of objets_panel_front in a row, information, system,
// keys from left to right, at the left of the work area, below the lowest
// panel of objets_globaux that the row would meet.
void place_dashboards();

// The vertical scroll offset that shows the whole row, with the horizontal
// one at 0 (the row starts at the left edge), as far as the scroll reaches
// (max_y); the offset as it is, without dashboards.
int dashboards_scroll_y(int max_y, int offset_y);
