// A positioned object with a size, and its hit and overlap tests.
#pragma once

#include "engine/base.h"

class RECTANGLE : public BASE {
public:
    float w, h, d; // width, height, depth extent (d is only stored)

    RECTANGLE(float x, float y, float z, float w, float h, float d, const char *name);

    // Point inside, every value truncated to int, all four edges inclusive.
    bool operator==(const BASE &point) const;
    // Overlap of the two rectangles, edges inclusive.
    bool operator==(const RECTANGLE &other) const;

    void affiche() const;
};
