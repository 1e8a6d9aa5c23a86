// Small image files and archives written into a temporary directory, for the
// image library tests.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

struct Rgba {
    uint8_t r, g, b, a;
    // Compares the colour only.
    bool operator==(const Rgba &o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgba &o) const { return !(*this == o); }
};
std::ostream &operator<<(std::ostream &out, const Rgba &c);

// A w x h picture; pixel (x, y) is at [y * w + x].
struct Picture {
    int w, h;
    std::vector<Rgba> pixels;
    Picture(int w, int h, Rgba fill) : w(w), h(h), pixels(w * h, fill) {}
    Rgba &at(int x, int y) { return pixels[y * w + x]; }
    void fill(int x, int y, int fw, int fh, Rgba colour);
};

// File writers; each returns the path written.
std::string write_bmp24(const TempDir &dir, const std::string &file, const Picture &p);
std::string write_png(const TempDir &dir, const std::string &file, const Picture &p,
                      bool with_alpha);

// The colour of pixel (x, y) of a 24-bit surface in the library's BGR layout.
Rgba bgr_pixel(const SDL_Surface *s, int x, int y);
