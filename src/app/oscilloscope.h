// The oscilloscope mode's picture, drawn by the main loop with OpenGL from the
// samples the render callback leaves in scope_feed (app/scope_feed.h).
//
// The trace is built as on a screen that keeps its pixels: every sample v adds
// one column at x = MX: a tip pixel at 128 v below the middle line (above it
// for a negative v) in light cyan, a grey bar from the middle line to it and
// the middle-line pixel in magenta. MX moves right by (frames per call / 700,
// an integer division) / 1000 × ZOOM_FACTOR per sample; once it passes 800 it
// starts again at 0 on a cleared (magenta) screen. That screen is a picture in
// memory shown as one texture, so that every frame of the double-buffered
// window shows all the columns drawn since the last clear.
#pragma once

#include <cstdint>
#include <vector>

class OSCILLOSCOPE {
public:
    static constexpr int WIDTH = 1024, HEIGHT = 768;
    static constexpr uint32_t BACKGROUND = 0xff00ff, TIP = 0x80ffff, BAR = 0x808080,
                              MIDDLE = 0xff00ff; // 0xRRGGBB

    float MX = 0; // the x of the next column

    OSCILLOSCOPE();
    ~OSCILLOSCOPE();
    OSCILLOSCOPE(const OSCILLOSCOPE &) = delete;
    OSCILLOSCOPE &operator=(const OSCILLOSCOPE &) = delete;

    // A cleared screen with the trace back at the left.
    void restart();
    // The column of one sample; frames_per_call is the render callback's
    // frame count. A value that is not finite draws as 0; the bar stops at
    // the window's edge.
    void column(float v, int frames_per_call);
    // Every sample waiting in scope_feed, as columns.
    void take_samples();
    // Shows the screen over the whole window and "ZOOM SIZE IS %3.3f" with
    // ZOOM_FACTOR in the small font, without swapping buffers. Needs the
    // window's OpenGL context.
    void draw();

    // The colour at (x, y) of the screen in memory; 0 outside.
    uint32_t pixel(int x, int y) const;

private:
    std::vector<uint8_t> rgb; // WIDTH x HEIGHT, rows from the top
    unsigned int texture = 0;
    int dirty_from, dirty_to; // the columns changed since the last upload
    bool drawn = false;       // a column was drawn since the last clear

    void clear();
    void plot(int x, int y, uint32_t colour);
    void upload();
};
