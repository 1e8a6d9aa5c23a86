// The panels of every demo patch drawn in a real window with the program's
// art, checked from the pixels read back: each panel covers its place, its
// knobs show in the front view and its sockets in the back view, and nothing
// is drawn beside it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cables/cable_test_helpers.h"
#include "engine/font_data.h"
#include "engine/label.h"
#include "engine/qbiblio.h"
#include "engine/slider.h"
#include "engine/video.h"
#include "panels/dashboard_row.h"
#include "panels/info_dash.h"
#include "panels/mixer_gui.h"
#include "panels/module_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/seq_gui.h"
#include "panels/system_dash.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

namespace {

struct Rgb {
    int r, g, b;
};

const Rgb KEY = {0, 0, 255}; // the clear colour, in none of the art

std::ostream &operator<<(std::ostream &out, const Rgb &c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class PanelViews : public ::testing::TestWithParam<const char *> {
protected:
    std::vector<unsigned char> pixels;

    static void SetUpTestSuite()
    {
        initGL(VIEW_WIDTH, VIEW_HEIGHT, "panels", "grfx/opengl.qim");
        our_font_7.init("Fonts/04b_03b_.ttf", 6);
    }

    cable_test::LOADED_PATCH patch{GetParam()};

    void TearDown() override
    {
        offsx = offsy = 0;
        BACK_VIEW_TOGGLE = 0;
    }

    // Draws the panels with the window scrolled to (x, y) and reads it back.
    void draw_at(int x, int y)
    {
        offsx = x;
        offsy = y;
        glClearColor(KEY.r / 255.0f, KEY.g / 255.0f, KEY.b / 255.0f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
        draw_all_modules(1, 0, objets_globaux, nullptr, offsx, offsy, 1);
        PerspectiveMode();
        glFinish();
        pixels.resize(3 * VIEW_WIDTH * VIEW_HEIGHT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, VIEW_WIDTH, VIEW_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }

    // The pixel at a work-area point.
    Rgb at(int x, int y) const
    {
        const int wx = x - offsx, wy = VIEW_HEIGHT - 1 - (y - offsy);
        const unsigned char *p = &pixels[3 * (wy * VIEW_WIDTH + wx)];
        return {p[0], p[1], p[2]};
    }

    // Whether a panel draws anything (the sampler panels have no elements).
    static bool drawn(const OBJET *p) { return !p->current->empty(); }

    // The panel drawn last (on top) at a work-area point; null when none.
    static const OBJET *top_panel(int x, int y)
    {
        const OBJET *top = nullptr;
        for (const OBJET *p : objets_globaux)
            if (drawn(p) && x >= p->x && x < p->x + p->w && y >= p->y && y < p->y + p->h)
                top = p;
        return top;
    }

    // Checks every panel in the current view, each with the window scrolled onto it.
    void check_view(bool front)
    {
        int checked = 0;
        EXPECT_EQ(BACK_VIEW_TOGGLE, front ? 0 : 1);
        for (const OBJET *p : objets_globaux) {
            EXPECT_EQ(p->view_mode,
                      static_cast<unsigned>(front ? OBJET::VIEW_FRONT : OBJET::VIEW_BACK))
                << p->sprite_NAME;
            if (!drawn(p))
                continue;
            const int x = static_cast<int>(p->x), y = static_cast<int>(p->y);
            const int w = static_cast<int>(p->w), h = static_cast<int>(p->h);
            draw_at(std::max(0, x - 16), std::max(0, y - 16));
            const std::string where = std::string(p->sprite_NAME) + (front ? " front" : " back");
            const int corners[][2] = {
                {x + 2, y + 2}, {x + w - 3, y + 2}, {x + 2, y + h - 3}, {x + w - 3, y + h - 3}};
            for (const auto &c : corners)
                if (top_panel(c[0], c[1]) == p) {
                    const Rgb got = at(c[0], c[1]);
                    EXPECT_FALSE(got.r == KEY.r && got.g == KEY.g && got.b == KEY.b)
                        << where << " not drawn at " << c[0] << ", " << c[1];
                }
            for (const int *beside : {corners[0], corners[2]})
                if (x > 4 && top_panel(x - 3, beside[1]) == nullptr) {
                    const Rgb got = at(x - 3, beside[1]);
                    EXPECT_TRUE(got.r == KEY.r && got.g == KEY.g && got.b == KEY.b)
                        << where << ": drawn beside it " << got;
                }
            for (const SPRITE *s : *p->current) {
                const bool knob = dynamic_cast<const SLIDER *>(s) != nullptr;
                const bool socket = std::string(s->sprite_NAME).rfind("JACK_", 0) == 0;
                if (!(front ? knob : socket))
                    continue;
                const int cx = x + static_cast<int>(s->x + s->w / 2);
                const int cy = y + static_cast<int>(s->y + s->h / 2);
                if (top_panel(cx, cy) != p)
                    continue;
                const Rgb got = at(cx, cy);
                if (front) // the light cap of the knob
                    EXPECT_TRUE(got.r > 140 && got.g > 140 && got.b > 140)
                        << where << " knob " << s->NAME << " " << got;
                else // the dark hole of the socket
                    EXPECT_TRUE(got.r < 40 && got.g < 40 && got.b < 40)
                        << where << " socket " << s->NAME << " " << got;
                checked++;
            }
        }
        EXPECT_GT(checked, 0);
    }
};

TEST_P(PanelViews, EveryPanelIsDrawnAtItsPlaceInBothViews)
{
    check_view(true);
    show_panel_sides(1);
    check_view(false);
    show_panel_sides(0);
    check_view(true);
}

// The dashboards stand in a row where they cover no panel.
TEST_P(PanelViews, TheDashboardsCoverNoPanel)
{
    INFO_DASH info;
    SYSTEM_DASH system({});
    MODULE_DASH keys;
    objets_panel_front = {&keys, &system, &info};
    place_dashboards();
    for (const OBJET *d : objets_panel_front)
        for (const OBJET *p : objets_globaux)
            EXPECT_FALSE(d->x < p->x + p->w && p->x < d->x + d->w && d->y < p->y + p->h &&
                         p->y < d->y + d->h)
                << d->name << " covers " << p->sprite_NAME;
    EXPECT_LT(info.x + info.w, system.x); // information, system, keys from the left
    EXPECT_LT(system.x + system.w, keys.x);
    objets_panel_front.clear();
}

// What a display should read: the module's value in the display's format.
std::string shown(const char *format, double v)
{
    char text[64];
    if (std::strstr(format, "d"))
        std::snprintf(text, sizeof text, format, static_cast<int>(v));
    else
        std::snprintf(text, sizeof text, format, v);
    return text;
}

// The number displays of a panel (label name without the panel's prefix) and
// what each should read.
std::map<std::string, std::string> displays(const OBJET *p)
{
    std::map<std::string, std::string> d;
    if (auto *v = dynamic_cast<const VCO_GUI *>(p)) {
        d["LABEL_FREQUENCE"] = shown("%5.3f", v->vco->frequency);
        d["LABEL_VOLUME"] = shown("%5.3f", v->vco->amplitude);
        d["LABEL_PHASE"] = shown("%d", v->vco->phase);
        d["LABEL_PWM"] = shown("%5.3f", v->vco->pulse_width);
    } else if (auto *a = dynamic_cast<const VCA_GUI *>(p)) {
        d["LABEL_ATTACK"] = shown("%4.1f", a->vca->attack);
        d["LABEL_DECAY"] = shown("%4.1f", a->vca->decay);
        d["LABEL_SUSTAIN"] = shown("%4.2f", a->vca->sustain);
        d["LABEL_RELEASE"] = shown("%4.1f", a->vca->release);
    } else if (auto *f = dynamic_cast<const VCF_GUI *>(p)) {
        d["LABEL_HICUTOFF"] = shown("%4d", f->pcf->cut_off);
        d["LABEL_GAIN"] = shown("%2.1f", f->pcf->gain);
        d["LABEL_QRATIO"] = shown("%2.1f", f->pcf->q);
        d["LABEL_LEVEL"] = shown("%3.2f", f->pcf->level);
    } else if (auto *m = dynamic_cast<const MIXER_GUI *>(p)) {
        for (int n = 1; n <= MIXER_GUI::STRIPS; n++)
            d["LABEL_CANAL_" + std::to_string(n)] = shown("%3.2f", m->mixer->gain[n - 1]);
    } else if (auto *q = dynamic_cast<const SEQ_GUI *>(p)) {
        const SEQUENCER &s = *q->sequencer;
        d["LABEL_DIVIDER"] = shown("%3.3f", s.divider);
        d["LABEL_WISHED_DIVIDER"] = shown("%3.3f", s.wished_divider);
        d["LABEL_MAX_STEP"] = shown("%2d", s.step_count);
        for (int i = 0; i < SEQ_GUI::STEP_COLUMNS; i++) {
            d["LABEL_TXT_" + std::to_string(i + 1) + "_VOL"] = shown("%2.1f", s.volume[0][i]);
            d["LABEL_TXT_" + std::to_string(i + 1) + "_LENGHT"] = shown("%2.1f", s.length[0][i]);
        }
    }
    return d;
}

// Which pixels of a picture hold text of a colour: within 40 of it on every
// channel.
struct TEXT_MASK {
    int w = 0, h = 0;
    std::vector<bool> on;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[y * w + x]; }
};

bool near(const unsigned char *p, int colour)
{
    const int c[] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};
    for (int i = 0; i < 3; i++)
        if (std::abs(p[i] - c[i]) > 40)
            return false;
    return true;
}

// The text alone, drawn on whole pixels on a background far from its colour,
// cut to the pixels it covers.
TEXT_MASK drawn_alone(const std::string &text, int colour)
{
    const float back = ((colour >> 8) & 0xFF) > 0x80 ? 0.0f : 1.0f;
    glClearColor(back, back, back, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    glColor3ub(static_cast<GLubyte>(colour >> 16), static_cast<GLubyte>(colour >> 8),
               static_cast<GLubyte>(colour));
    freetype::print(our_font_7, 20, 20, "%s", text.c_str());
    glColor3ub(255, 255, 255);
    PerspectiveMode();
    glFinish();
    const int W = 160, H = 40; // the text lies within, its baseline 20 up
    std::vector<unsigned char> px(3 * W * H);
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    int x0 = W, y0 = H, x1 = -1, y1 = -1;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (near(&px[3 * (y * W + x)], colour))
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y),
                y1 = std::max(y1, y);
    TEXT_MASK m;
    if (x1 < 0)
        return m;
    m.w = x1 - x0 + 1, m.h = y1 - y0 + 1;
    for (int y = y1; y >= y0; y--) // top row first
        for (int x = x0; x <= x1; x++)
            m.on.push_back(near(&px[3 * (y * W + x)], colour));
    return m;
}

// Every number display of every panel reads, as drawn, the value of its
// module: the pixels of its text match, at some whole-pixel place near the
// label, those of the value's text drawn alone. Text smeared between pixels,
// or a display that shows another value, matches nowhere.
TEST_P(PanelViews, EveryNumberDisplayReadsItsModulesValue)
{
    int checked = 0;
    std::map<std::pair<std::string, int>, TEXT_MASK> references;
    for (const OBJET *p : objets_globaux) {
        const std::map<std::string, std::string> expected = displays(p);
        if (expected.empty())
            continue;
        const int px = static_cast<int>(p->x), py = static_cast<int>(p->y);
        std::vector<std::pair<const LABEL *, std::string>> labels;
        for (const SPRITE *s : p->front)
            if (const LABEL *l = dynamic_cast<const LABEL *>(s)) {
                const char *name = std::strncmp(l->NAME, p->name, std::strlen(p->name)) == 0
                                       ? l->NAME + std::strlen(p->name) + 1
                                       : l->NAME;
                if (auto e = expected.find(name); e != expected.end())
                    labels.push_back({l, e->second});
            }
        EXPECT_EQ(labels.size(), expected.size()) << p->sprite_NAME;
        for (const auto &[label, text] : labels)
            if (!references.count({text, label->colour}))
                references[{text, label->colour}] = drawn_alone(text, label->colour);
        draw_at(std::max(0, px - 16), std::max(0, py - 16));
        for (const auto &[label, text] : labels) {
            const TEXT_MASK &want = references[{text, label->colour}];
            const int lx = px + static_cast<int>(label->x), ly = py + static_cast<int>(label->y);
            bool found = false;
            for (int oy = ly - 10; oy <= ly + 14 && !found; oy++)
                for (int ox = lx - 6; ox <= lx + 12 && !found; ox++) {
                    bool same = true;
                    for (int y = 0; y < want.h && same; y++)
                        for (int x = 0; x < want.w && same; x++) {
                            const int wx = ox + x - offsx, wy = VIEW_HEIGHT - 1 - (oy + y - offsy);
                            same = wx >= 0 && wy >= 0 && wx < VIEW_WIDTH && wy < VIEW_HEIGHT &&
                                   near(&pixels[3 * (wy * VIEW_WIDTH + wx)], label->colour) ==
                                       want.at(x, y);
                        }
                    found = same;
                }
            EXPECT_TRUE(found && want.w > 0)
                << p->sprite_NAME << " " << label->NAME << " does not read " << text;
            checked++;
        }
    }
    EXPECT_GT(checked, 10);
}

INSTANTIATE_TEST_SUITE_P(DemoPatches, PanelViews,
                         ::testing::Values("QSY/DEMO.QSY", "QSY/DRUMS.QSY", "QSY/KEYS.QSY",
                                           "QSY/MODULAR.QSY"));

} // namespace
