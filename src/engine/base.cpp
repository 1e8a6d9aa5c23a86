#include "engine/base.h"

#include <cmath>
#include <cstdio>

BASE::BASE(float x, float y, float z) : x(x), y(y), z(z) {}

BASE::BASE(float x, float y, float z, const char *name) : VORN_ENGINE(name), x(x), y(y), z(z)
{
    std::snprintf(NAME, sizeof NAME, "BASE_ITEM_%20lu", static_cast<unsigned long>(ID));
}

void BASE::setxyz(float nx, float ny, float nz)
{
    x = nx;
    y = ny;
    z = nz;
}

void BASE::setx(float v) { x = v; }
void BASE::sety(float v) { y = v; }
void BASE::setz(float v) { z = v; }

bool BASE::operator==(const BASE &o) const
{
    return std::fabs(x - o.x) < 2 && std::fabs(y - o.y) < 2 && std::fabs(z - o.z) < 2;
}
