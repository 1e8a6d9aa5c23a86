// A scene object with a position (screen pixels, y downwards, z as depth).
#pragma once

#include "engine/vorn_engine.h"

class BASE : public VORN_ENGINE {
public:
    float x, y, z;

    BASE(float x, float y, float z);
    // The temporary point objects of hit tests: whatever the name given, NAME
    // becomes "BASE_ITEM_" and the serial number in 20 columns.
    BASE(float x, float y, float z, const char *name);

    virtual void setxyz(float x, float y, float z);
    virtual void setx(float x);
    virtual void sety(float y);
    virtual void setz(float z);

    // Near-equality: every coordinate within less than 2 pixels.
    bool operator==(const BASE &other) const;
};
