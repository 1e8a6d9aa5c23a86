// The demo patches shipped in data/QSY: they load cleanly, survive a save and
// reload, and make sound at a sensible level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "patch_text.h"

namespace {

const char *const DEMOS[] = {"QSY/DEMO.QSY", "QSY/KEYS.QSY", "QSY/DRUMS.QSY", "QSY/MODULAR.QSY"};

struct LEVELS {
    float peak = 0.0f;
    double rms = 0.0;
    int clipped = 0;
    bool finite = true;
};

// Plays the patch for some seconds and measures what "MIXER_4" puts out.
// A filter output at full scale counts as clipped too: the mixer's mean can
// hide it.
LEVELS render(GENERATOR &g, double seconds, KEYBOARD *held = nullptr)
{
    MIXER *out = g.get_MIXER_by_name("MIXER_4");
    LEVELS l;
    const int n = (int)(seconds * 44100);
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        if (held && i % 22050 == 0)
            held->Touch_note(1 + (i / 22050) % 6, 1 + (i / 22050) % 6);
        if (held && i % 22050 == 15000)
            held->UNTRIG();
        g.evaluate_one_sample();
        const float v = out->value;
        l.finite = l.finite && std::isfinite(v);
        l.peak = std::max(l.peak, std::fabs(v));
        l.clipped += std::fabs(v) >= 0.999f;
        for (PCF *f : g.filters)
            l.clipped += std::fabs(f->value) >= 0.999f;
        sum += (double)v * v;
    }
    l.rms = std::sqrt(sum / n);
    return l;
}

} // namespace

TEST(DemoPatches, LoadWithoutComplaintAndFeedMixer4)
{
    for (const char *path : DEMOS) {
        SCOPED_TRACE(path);
        PATCH_TEXT p(file_text(path));
        EXPECT_EQ(p.g.load_status, 0);
        EXPECT_EQ(p.links_read, 1);
        MIXER *out = p.g.get_MIXER_by_name("MIXER_4");
        ASSERT_NE(out, nullptr);
        EXPECT_GE(out->count, 1);
        EXPECT_EQ(p.complaints(), "");
        for (PCF *f : p.g.filters)
            EXPECT_EQ(f->bypass, 0) << f->name;
    }
}

TEST(DemoPatches, SaveAndReloadRoundTrip)
{
    for (const char *path : DEMOS) {
        SCOPED_TRACE(path);
        PATCH_TEXT loaded(file_text(path), false);
        const std::string first = module_section(loaded.g);
        PATCH_TEXT second_load(first, false);
        // The modules come back in the order they were read.
        EXPECT_EQ(module_section(second_load.g), first);
    }
}

TEST(DemoPatches, ModularDemoUsesEveryLinkKey)
{
    const std::string text = file_text("QSY/MODULAR.QSY");
    const std::string links = text.substr(text.find("BEGIN_LINKS_DECLARE"));
    for (const char *key : {"IN=", "MOD_FREQ=", "MOD_PHASE=", "MOD_AMP=", "MOD_PWM=", "GATE=",
                            "SYNC=", "ADD_CHANELL="})
        EXPECT_NE(links.find(std::string(";") + key), std::string::npos) << key;
}

TEST(DemoPatches, MakeSoundWithoutClipping)
{
    const std::map<std::string, bool> keyboard_played = {{"QSY/DEMO.QSY", false},
                                                         {"QSY/KEYS.QSY", true},
                                                         {"QSY/DRUMS.QSY", false},
                                                         {"QSY/MODULAR.QSY", false}};
    for (const auto &[path, played] : keyboard_played) {
        SCOPED_TRACE(path);
        PATCH_TEXT p(file_text(path));
        KEYBOARD *key = played ? p.g.get_KEYBOARD_by_name("KEY_1") : nullptr;
        const LEVELS l = render(p.g, 4.0, key);
        std::printf("%-16s peak %.3f  rms %.3f  clipped samples %d\n", path.c_str(), l.peak, l.rms,
                    l.clipped);
        EXPECT_TRUE(l.finite);
        EXPECT_GT(l.rms, 0.05);
        EXPECT_LT(l.peak, 1.0f);
        EXPECT_EQ(l.clipped, 0);
    }
}
