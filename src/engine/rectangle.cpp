#include "engine/rectangle.h"

#include <cstdio>

RECTANGLE::RECTANGLE(float x, float y, float z, float w, float h, float d, const char *name)
    : BASE(x, y, z, name), w(w), h(h), d(d)
{
}

bool RECTANGLE::operator==(const BASE &p) const
{
    // Each value is truncated on its own, before the sums.
    const int px = static_cast<int>(p.x), py = static_cast<int>(p.y);
    const int left = static_cast<int>(x), top = static_cast<int>(y);
    return px >= left && px <= left + static_cast<int>(w) && py >= top &&
           py <= top + static_cast<int>(h);
}

bool RECTANGLE::operator==(const RECTANGLE &o) const
{
    // Here the sums are formed in floating point, then truncated.
    if (static_cast<int>(o.y + o.h) < static_cast<int>(y) ||
        static_cast<int>(y + h) < static_cast<int>(o.y))
        return false;
    return static_cast<int>(o.x + o.w) >= static_cast<int>(x) &&
           static_cast<int>(x + w) >= static_cast<int>(o.x);
}

void RECTANGLE::affiche() const
{
    std::printf("RECT[%p] %d, %d, %d %d, %d, %d \n", static_cast<const void *>(this),
                static_cast<int>(x), static_cast<int>(y), static_cast<int>(z), static_cast<int>(w),
                static_cast<int>(h), static_cast<int>(d));
}
