// A rectangle of window pixels, x to the right and y downwards from the
// window's top-left corner, its far edges excluded: what a drawing covers,
// and what a partial redraw paints again.
#pragma once

#include <cmath>

struct PIXEL_BOX {
    int x0 = 0, y0 = 0; // the first column and row inside
    int x1 = 0, y1 = 0; // the first column and row beyond

    bool empty() const { return x1 <= x0 || y1 <= y0; }
    long area() const { return empty() ? 0 : static_cast<long>(x1 - x0) * (y1 - y0); }
    bool operator==(const PIXEL_BOX &o) const
    {
        return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1;
    }
};

// The smallest box holding both; an empty box adds nothing.
PIXEL_BOX united(const PIXEL_BOX &a, const PIXEL_BOX &b);
// The pixels both hold (an empty box when none).
PIXEL_BOX common_part(const PIXEL_BOX &a, const PIXEL_BOX &b);
// Whether the two share at least one pixel.
bool overlap(const PIXEL_BOX &a, const PIXEL_BOX &b);

// The extent of a shape's points in window pixels, grown point by point.
struct POINT_SPAN {
    float min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;

    void add(float x, float y);
    // The whole pixels the shape can touch, widened by `margin` pixels on
    // every side for the rasteriser's rounding and the width of lines. Empty
    // when no point was added.
    PIXEL_BOX box(int margin) const;
};
