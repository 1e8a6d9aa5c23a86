#include "engine/pixel_box.h"

#include <algorithm>
#include <cmath>

PIXEL_BOX united(const PIXEL_BOX &a, const PIXEL_BOX &b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PIXEL_BOX common_part(const PIXEL_BOX &a, const PIXEL_BOX &b)
{
    const PIXEL_BOX c = {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                         std::min(a.y1, b.y1)};
    return c.empty() ? PIXEL_BOX() : c;
}

bool overlap(const PIXEL_BOX &a, const PIXEL_BOX &b) { return !common_part(a, b).empty(); }

void POINT_SPAN::add(float x, float y)
{
    min_x = std::min(min_x, x);
    min_y = std::min(min_y, y);
    max_x = std::max(max_x, x);
    max_y = std::max(max_y, y);
}

PIXEL_BOX POINT_SPAN::box(int margin) const
{
    if (!(min_x <= max_x && min_y <= max_y))
        return {};
    // Far beyond any window: kept within int, still off screen.
    constexpr float LIMIT = 1 << 24;
    auto low = [&](float v) {
        return static_cast<int>(std::floor(std::clamp(v, -LIMIT, LIMIT))) - margin;
    };
    auto high = [&](float v) {
        return static_cast<int>(std::ceil(std::clamp(v, -LIMIT, LIMIT))) + margin;
    };
    return {low(min_x), low(min_y), high(max_x), high(max_y)};
}
