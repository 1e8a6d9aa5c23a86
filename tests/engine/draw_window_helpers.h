// A real OpenGL window for the drawing tests, opened through initGL with a
// small image archive, and pixel read-back from it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "qbiblio_files_helpers.h"

// The pixels of the window, read from the frame being drawn.
struct Frame {
    int w, h;
    std::vector<uint8_t> rgb; // bottom row first, as OpenGL reads them

    // Pixel at (x, y) counted from the top-left corner.
    Rgba at(int x, int y) const;
    // Smallest rectangle holding every pixel that matches; w = h = 0 if none.
    struct Box {
        int x, y, w, h;
    };
    Box bounds(const std::function<bool(const Rgba &)> &match) const;
    bool any_near(int x, int y, int radius, Rgba colour) const;
};

bool operator==(const Frame::Box &a, const Frame::Box &b);
std::ostream &operator<<(std::ostream &out, const Frame::Box &b);

bool is_black(const Rgba &c);

// The project's font file (a system font while it is not there yet).
std::string test_font_path();

class GlWindowTest : public ::testing::Test {
protected:
    static constexpr int WIDTH = 1024, HEIGHT = 768;
    TempDir dir;

    // Entries of the archive given to initGL; images are written by the test
    // before SetUp runs, so tests add them in their constructor.
    std::string archive_entries;
    void add_image(const std::string &name, const Picture &picture);

    void SetUp() override;
    void TearDown() override;

    // Clears the frame to a colour and the depth buffer.
    void clear(Rgba colour = {0, 0, 0, 255});
    Frame grab();
};
