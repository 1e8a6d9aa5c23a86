#include "draw_window_helpers.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/font_engine.h"
#include "engine/qbiblio.h"
#include "engine/video.h"

Rgba Frame::at(int x, int y) const
{
    const size_t i = 3 * (static_cast<size_t>(h - 1 - y) * w + x);
    return {rgb[i], rgb[i + 1], rgb[i + 2], 255};
}

Frame::Box Frame::bounds(const std::function<bool(const Rgba &)> &match) const
{
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (match(at(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {0, 0, 0, 0};
    return {left, top, right - left + 1, bottom - top + 1};
}

bool Frame::any_near(int x, int y, int radius, Rgba colour) const
{
    for (int j = y - radius; j <= y + radius; j++)
        for (int i = x - radius; i <= x + radius; i++)
            if (i >= 0 && j >= 0 && i < w && j < h && at(i, j) == colour)
                return true;
    return false;
}

bool operator==(const Frame::Box &a, const Frame::Box &b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

std::ostream &operator<<(std::ostream &out, const Frame::Box &b)
{
    return out << "box(" << b.x << ", " << b.y << ", " << b.w << " x " << b.h << ")";
}

bool is_black(const Rgba &c) { return c.r == 0 && c.g == 0 && c.b == 0; }

std::string test_font_path()
{
    const std::string project = QM_SOURCE_DIR "/data/Fonts/04b_03b_.ttf";
    if (std::filesystem::exists(project))
        return project;
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

void GlWindowTest::add_image(const std::string &name, const Picture &picture)
{
    archive_entries += name + " " + write_png(dir, name + ".png", picture, true) + " SIMPLEPART\n";
}

void GlWindowTest::SetUp()
{
    const std::string archive = dir.write("test.qim", "TEST QIM\n" + archive_entries + "END\n");
    initGL(WIDTH, HEIGHT, "test", archive.c_str());
    offsx = offsy = 0;
    OrthoMode(0, 0, WIDTH, HEIGHT);
    clear();
}

void GlWindowTest::TearDown()
{
    PerspectiveMode();
    delete bibliotheque_graphique;
    bibliotheque_graphique = nullptr;
    delete font_engine;
    font_engine = nullptr;
    SDL_Quit();
}

void GlWindowTest::clear(Rgba colour)
{
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Frame GlWindowTest::grab()
{
    Frame frame{WIDTH, HEIGHT, std::vector<uint8_t>(3 * WIDTH * HEIGHT)};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}
