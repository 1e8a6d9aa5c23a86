// The oscillator, amplifier, filter, mixer, keyboard and sampler panels, built from the
// real panel files (the tests run from data/), driven by the messages the
// event code posts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "panel_test_helpers.h"
#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/sampler_gui.h"
#include "panels/seq_gui.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"
#include "support/temp_dir.h"

using namespace panel_test;

namespace {

// A knob's step depends on the value: its schedule's rules apply in turn,
// each to the value the one before left (49.75 Hz crosses into the 1 Hz range,
// 50.5 Hz takes two rules), and stop at the ends of their ranges.
TEST(OscillatorPanel, TurnsStepTheOscillatorAndRewriteTheLabel)
{
    const struct {
        const char *knob, *word;
        float VCO::*field;
        float from, to;
        const char *label, *shown;
    } cases[] = {
        {"SLD_FREQUENCE", "SLD_DOWN", &VCO::frequency, 49.75f, 50.25f, "LABEL_FREQUENCE", "50.250"},
        {"SLD_FREQUENCE", "SLD_UP", &VCO::frequency, 50.5f, 49.0f, "LABEL_FREQUENCE", "49.000"},
        {"SLD_FREQUENCE", "SLD_DOWN", &VCO::frequency, 22050.0f, 22050.0f, "LABEL_FREQUENCE",
         "22050.000"},
        {"SLD_FREQUENCE", "SLD_UP", &VCO::frequency, 0.01f, 0.01f, "LABEL_FREQUENCE", "0.010"},
        {"SLD_FREQUENCE", "SLD_UP", &VCO::frequency, 0.001f, 0.001f, "LABEL_FREQUENCE", "0.001"},
        {"SLD_VOLUME", "SLD_DOWN", &VCO::amplitude, 2.0f, 2.0125f, "LABEL_VOLUME", "2.013"},
        {"SLD_VOLUME", "SLD_DOWN", &VCO::amplitude, 0.1f, 0.10625f, "LABEL_VOLUME", "0.106"},
        {"SLD_VOLUME", "SLD_DOWN", &VCO::amplitude, 0.001f, 0.004125f, "LABEL_VOLUME", "0.004"},
        {"SLD_VOLUME", "SLD_DOWN", &VCO::amplitude, 0.0f, 0.01f, "LABEL_VOLUME", "0.010"},
        {"SLD_VOLUME", "SLD_UP", &VCO::amplitude, 0.012f, 0.0f, "LABEL_VOLUME", "0.000"},
        {"SLD_PWM", "SLD_DOWN", &VCO::pulse_width, 0.5f, 0.50625f, "LABEL_PWM", "0.506"},
        {"SLD_PHASE", "SLD_UP", &VCO::phase, 0.0f, -1.0f, "LABEL_PHASE", "-1"},
        {"SLD_PHASE", "SLD_DOWN", &VCO::phase, 359.0f, 0.0f, "LABEL_PHASE", "0"},
    };
    for (const auto &c : cases) {
        VCO vco(0.5f, 440.0f, SIN);
        vco.*c.field = c.from;
        VCO_GUI panel(&vco, 0, 0, "3");
        turn(panel, c.knob, c.word);
        EXPECT_FLOAT_EQ(vco.*c.field, c.to) << c.knob << " " << c.from;
        EXPECT_EQ(text_of(panel, c.label), c.shown) << c.knob << " " << c.from;
        if (c.field != &VCO::frequency) {
            EXPECT_EQ(vco.frequency, 440.0f);
        }
    }
}

TEST(OscillatorPanel, WaveformClicksCycleThroughPulseBeforeNoise)
{
    VCO vco(0.5f, 440.0f, SIN);
    VCO_GUI panel(&vco, 0, 0, "3");
    EXPECT_EQ(image_of(panel, "AFFICHAGE_TYPE_ONDE"), "DISP_SIN");
    const struct {
        int type;
        const char *picture;
    } steps[] = {{TRI, "DISP_TRI"},     {SAW, "DISP_SAW"},     {SQR, "DISP_SQR"},
                 {PULSE, "DISP_PULSE"}, {NOISE, "DISP_NOISE"}, {SIN, "DISP_SIN"}};
    for (const auto &s : steps) {
        release(panel, "AFFICHAGE_TYPE_ONDE");
        EXPECT_EQ(vco.type, s.type);
        EXPECT_EQ(image_of(panel, "AFFICHAGE_TYPE_ONDE"), s.picture);
    }
    vco.type = NONE; // another value is left alone
    release(panel, "AFFICHAGE_TYPE_ONDE");
    EXPECT_EQ(vco.type, NONE);
}

// Raising the cut-off stops above 9999 Hz and lowering starts at 12000 Hz.
TEST(FilterPanel, TurnsStepTheFilterWithinItsLimits)
{
    const struct {
        const char *knob, *word;
        int times;
        float from, to;
        const char *label, *shown;
    } cases[] = {
        {"SLD_HICUTOFF", "SLD_UP", 1, 5000, 4850, "LABEL_HICUTOFF", "4850"},
        {"SLD_HICUTOFF", "SLD_DOWN", 3, 9999, 10099, "LABEL_HICUTOFF", "10099"},
        {"SLD_HICUTOFF", "SLD_UP", 1, 12000, 11900, "LABEL_HICUTOFF", "11900"},
        {"SLD_HICUTOFF", "SLD_UP", 1, 12001, 12001, "LABEL_HICUTOFF", "12001"},
        {"SLD_HICUTOFF", "SLD_DOWN", 1, 2500, 2550, "LABEL_HICUTOFF", "2550"},
        {"SLD_HICUTOFF", "SLD_DOWN", 1, 99, 101, "LABEL_HICUTOFF", " 101"},
        {"SLD_HICUTOFF", "SLD_DOWN", 1, 9, 10, "LABEL_HICUTOFF", "  10"},
        {"SLD_HICUTOFF", "SLD_UP", 1, 1, 1, "LABEL_HICUTOFF", "   1"},
        {"SLD_HICUTOFF", "SLD_DOWN", 1, 0, 0, "LABEL_HICUTOFF", "   0"},
        {"SLD_QRATIO", "SLD_UP", 1, 0.05f, 0.001f, "LABEL_QRATIO", "0.0"},
        {"SLD_LEVEL", "SLD_DOWN", 2, 0.98f, 1.0f, "LABEL_LEVEL", "1.00"},
        {"SLD_LEVEL", "SLD_UP", 1, 0.02f, 0.0f, "LABEL_LEVEL", "0.00"},
        {"SLD_GAIN", "SLD_UP", 30, 1.0f, -2.0f, "LABEL_GAIN", "-2.0"},
    };
    for (const auto &c : cases) {
        PCF pcf;
        pcf.cut_off = static_cast<int>(c.from);
        pcf.q = pcf.level = pcf.gain = c.from;
        VCF_GUI panel(&pcf, 0, 0, "7");
        turn(panel, c.knob, c.word, c.times);
        const float got = std::strstr(c.knob, "HICUTOFF") ? pcf.cut_off
                          : std::strstr(c.knob, "QRATIO") ? pcf.q
                          : std::strstr(c.knob, "LEVEL")  ? pcf.level
                                                          : pcf.gain;
        EXPECT_NEAR(got, c.to, 1e-4) << c.knob;
        EXPECT_EQ(text_of(panel, c.label), c.shown) << c.knob;
    }
}

// The peak output of the filter, once settled, for a sine of amplitude 0.25.
float peak_out(PCF &pcf, double hz)
{
    float in = 0.0f, peak = 0.0f;
    pcf.INPUT::source = &in;
    for (int i = 0; i < 8820; i++) {
        in = 0.25f * static_cast<float>(std::sin(2 * M_PI * hz * i / 44100));
        pcf.evolue();
        if (i >= 4410)
            peak = std::max(peak, std::fabs(pcf.value));
    }
    pcf.INPUT::source = nullptr;
    return peak;
}

TEST(FilterPanel, TypeClicksCycleThroughTheEightTypesShownAsTheFilterComputesThem)
{
    // A click shows the next type as the filter computes it: 7 wraps to 0,
    // which leaves the input unchanged, and a type below 0 comes back as 7.
    // What is shown is what is heard, at 500 Hz and a flat gain: 100 Hz and
    // 8 kHz pass, or not.
    const struct {
        int from, to;
        const char *picture, *name;
        bool low_passes, high_passes;
    } clicks[] = {
        {7, 0, "DISP_FILTRE_NONE", "    NONE", true, true},
        {0, 1, "DISP_FILTRE_LOWPASS", " LOWPASS", true, false},
        {1, 2, "DISP_FILTRE_HIGHPASS", "HIGHPASS", false, true},
        {2, 3, "DISP_FILTRE_BANDPASS", "BANDPASS", false, false},
        {3, 4, "DISP_FILTRE_NOTCH", "   NOTCH", true, true},
        {4, 5, "DISP_FILTRE_LOWSHELF", "LOWSHELF", true, true},
        {5, 6, "DISP_FILTRE_HIGHSHELF", "HIGHSHELF", true, true},
        {6, 7, "DISP_FILTRE_PEAKING", " PEAKING", true, true},
        {-3, 7, "DISP_FILTRE_PEAKING", " PEAKING", true, true},
    };
    for (const auto &c : clicks) {
        PCF pcf;
        pcf.type = c.from;
        pcf.bypass = 0;
        pcf.level = 0.0f;
        pcf.gain = 0.0f;
        pcf.cut_off = 500;
        VCF_GUI panel(&pcf, 0, 0, "7");
        if (c.from >= 0) { // the type's name from the start
            EXPECT_EQ(text_of(panel, "LABEL_TYPE"), clicks[c.from].name);
        }
        release(panel, "AFFICHAGE_TYPE_FILTRE");
        EXPECT_EQ(pcf.type, c.to);
        EXPECT_EQ(image_of(panel, "AFFICHAGE_TYPE_FILTRE"), c.picture) << c.from;
        EXPECT_EQ(text_of(panel, "LABEL_TYPE"), c.name) << c.from;
        EXPECT_EQ(peak_out(pcf, 100) > 0.2f, c.low_passes) << c.name;
        EXPECT_EQ(peak_out(pcf, 8000) > 0.2f, c.high_passes) << c.name;
    }
}

TEST(AmplifierPanel, SustainStepsByHundredthsAndTimesKeepTheirFloors)
{
    const struct {
        const char *knob, *word;
        float VCA::*field;
        float from, to;
    } cases[] = {
        {"SLD_SUSTAIN", "SLD_DOWN", &VCA::sustain, 0.0f, 0.01f},
        {"SLD_SUSTAIN", "SLD_UP", &VCA::sustain, 0.01f, 0.0f},
        {"SLD_SUSTAIN", "SLD_UP", &VCA::sustain, 0.0f, 0.0f},
        {"SLD_SUSTAIN", "SLD_UP", &VCA::sustain, 0.456f, 0.45f},
        {"SLD_SUSTAIN", "SLD_DOWN", &VCA::sustain, 1.0f, 1.0f},
        {"SLD_ATTACK", "SLD_UP", &VCA::attack, 0.5f, 0.0f},
        {"SLD_DECAY", "SLD_DOWN", &VCA::decay, 10.0f, 11.0f},
        {"SLD_RELEASE", "SLD_UP", &VCA::release, 10.0f, 9.0f},
    };
    for (const auto &c : cases) {
        VCA vca;
        vca.*c.field = c.from;
        VCA_GUI panel(&vca, 0, 0, "12");
        turn(panel, c.knob, c.word);
        EXPECT_NEAR(vca.*c.field, c.to, 1e-6) << c.knob << " " << c.from;
    }
}

// The sampler's knobs step by their schedules and land on whole thousandths,
// so that a value reached by many turns meets the next range's bound; they
// stop at 0 and 2, and bring a value from a file back within.
TEST(SamplerPanel, TurnsStepTheSamplerWithinItsRanges)
{
    const struct {
        const char *knob, *word;
        int times;
        float from, to;
        const char *shown;
    } cases[] = {
        {"SLD_TUNE", "SLD_DOWN", 1, 1.495f, 1.5f, "1.500"},
        {"SLD_TUNE", "SLD_DOWN", 20, 1.9f, 2.0f, "2.000"},
        {"SLD_TUNE", "SLD_UP", 1, 0.5f, 0.45f, "0.450"},
        {"SLD_TUNE", "SLD_UP", 20, 0.1f, 0.0f, "0.000"},
        {"SLD_TUNE", "SLD_UP", 1, 3.0f, 2.95f, "2.950"},
        {"SLD_VOLUME", "SLD_DOWN", 40, 0.0f, 0.3f, "0.300"},
        {"SLD_VOLUME", "SLD_UP", 1, 1.0f, 0.99f, "0.990"},
        {"SLD_VOLUME", "SLD_UP", 1, 0.003f, 0.0f, "0.000"},
        {"SLD_VOLUME", "SLD_DOWN", 1, -0.5f, 0.0f, "0.000"},
    };
    for (const auto &c : cases) {
        SAMPLER sampler;
        sampler.tune = sampler.volume = c.from;
        SAMPLER_GUI panel(&sampler, 0, 0, "4");
        turn(panel, c.knob, c.word, c.times);
        const bool tune = std::strstr(c.knob, "TUNE") != nullptr;
        EXPECT_EQ(tune ? sampler.tune : sampler.volume, c.to) << c.knob << " " << c.from;
        EXPECT_EQ(text_of(panel, tune ? "LABEL_TUNE" : "LABEL_VOLUME"), c.shown) << c.knob;
    }
}

SAMPLER_GUI *asking = nullptr;
int recordings_asked = 0;
bool queue_taken = false;

// The display shows the file's name, its middle cut out when it is long. A
// release of the file pad orders another recording once, after the panel
// handed its queue to the widgets (a modal box's repaint refreshes the panel
// again: it must find no release left to take); the display follows.
TEST(SamplerPanel, TheFilePadOrdersAnotherRecordingOnceAndTheDisplayFollows)
{
    EXPECT_EQ(file_display("", 10), "NO FILE");
    EXPECT_EQ(file_display("kick.wav", 10), "kick.wav");
    EXPECT_EQ(file_display("samples/a_long_name.wav", 10), "a_lo...wav");
    EXPECT_EQ(file_display("/x/samples/a_long_name.wav", 11), "a_lo..e.wav");
    SAMPLER sampler;
    std::strcpy(sampler.name, "SAMPLER_KICK");
    SAMPLER_GUI panel(&sampler, 0, 0, "4");
    EXPECT_EQ(text_of(panel, "LABEL_FILE"), "NO FILE");
    asking = &panel;
    choose_recording = [](SAMPLER &s) {
        recordings_asked++;
        queue_taken = asking->messages.empty();
        std::strcpy(s.file, "samples/snare.wav");
    };
    release(panel, "BUTTON_FILE");
    EXPECT_EQ(recordings_asked, 1);
    EXPECT_TRUE(queue_taken);
    frame(panel);
    EXPECT_EQ(recordings_asked, 1);
    EXPECT_EQ(text_of(panel, "LABEL_FILE"), "snare.wav");
    choose_recording = nullptr;
    EXPECT_EQ(panel.describe(part(panel, "BUTTON_FILE")), "FILE samples/snare.wav");
    EXPECT_EQ(panel.describe(part(panel, "SLD_TUNE")), "TUNE 1.000");
    EXPECT_EQ(panel.describe(part(panel, "POWER")), "POWER ON");
}

// One module of each kind and its panel, built from the panel files of the
// working directory.
struct EVERY_PANEL {
    VCO vco{0.5f, 440.0f, SIN};
    PCF pcf;
    VCA vca;
    KEYBOARD keyboard;
    MIXER mixer;
    SAMPLER sampler;
    VCO_GUI vco_panel{&vco, 0, 0, "1"};
    VCF_GUI vcf_panel{&pcf, 0, 0, "2"};
    VCA_GUI vca_panel{&vca, 0, 0, "3"};
    KEYBOARD_GUI keyboard_panel{&keyboard, 0, 0, "4"};
    MIXER_GUI mixer_panel{&mixer, 0, 0, "5"};
    SAMPLER_GUI sampler_panel{&sampler, 0, 0, "6"};
};

// Dragging up (the "SLD_DOWN" turns) raises every knob's value and turns
// its picture clockwise; a press alone changes nothing; every knob stands at
// the angle of its value from the start, so the same value always shows the
// same angle.
TEST(ModulePanels, EveryKnobRaisesItsValueWhenDraggedUpAndShowsIt)
{
    VCO vco(0.5f, 20.0f, SIN);
    vco.phase = 10.0f;
    vco.pulse_width = 0.3f;
    PCF pcf;
    pcf.cut_off = 200;
    pcf.gain = 0.0f;
    pcf.q = 1.0f;
    pcf.level = 0.0f;
    VCA vca;
    vca.attack = vca.decay = vca.release = 100.0f;
    vca.sustain = 0.5f;
    MIXER mixer;
    SEQUENCER seq;
    SAMPLER sampler;
    sampler.volume = 0.5f;
    VCO_GUI vco_panel(&vco, 0, 0, "1");
    VCF_GUI vcf_panel(&pcf, 0, 0, "2");
    VCA_GUI vca_panel(&vca, 0, 0, "3");
    MIXER_GUI mixer_panel(&mixer, 0, 0, "5");
    SEQ_GUI seq_panel(&seq, 0, 0, "6");
    SAMPLER_GUI sampler_panel(&sampler, 0, 0, "7");
    const struct {
        OBJET *panel;
        const char *knob;
        std::function<float()> value;
    } knobs[] = {
        {&vco_panel, "SLD_FREQUENCE", [&] { return vco.frequency; }},
        {&vco_panel, "SLD_VOLUME", [&] { return vco.amplitude; }},
        {&vco_panel, "SLD_PHASE", [&] { return vco.phase; }},
        {&vco_panel, "SLD_PWM", [&] { return vco.pulse_width; }},
        {&vcf_panel, "SLD_HICUTOFF", [&] { return static_cast<float>(pcf.cut_off); }},
        {&vcf_panel, "SLD_GAIN", [&] { return pcf.gain; }},
        {&vcf_panel, "SLD_QRATIO", [&] { return pcf.q; }},
        {&vcf_panel, "SLD_LEVEL", [&] { return pcf.level; }},
        {&vca_panel, "SLD_ATTACK", [&] { return vca.attack; }},
        {&vca_panel, "SLD_DECAY", [&] { return vca.decay; }},
        {&vca_panel, "SLD_SUSTAIN", [&] { return vca.sustain; }},
        {&vca_panel, "SLD_RELEASE", [&] { return vca.release; }},
        {&mixer_panel, "SLD_CANAL_1", [&] { return mixer.gain[0]; }},
        {&mixer_panel, "SLD_CANAL_21", [&] { return mixer.gain[20]; }},
        {&seq_panel, "SLD_VOL_1", [&] { return seq.volume[0][0]; }},
        {&seq_panel, "SLD_LENGHT_32", [&] { return seq.length[0][31]; }},
        {&sampler_panel, "SLD_VOLUME", [&] { return sampler.volume; }},
        {&sampler_panel, "SLD_TUNE", [&] { return sampler.tune; }},
    };
    for (const auto &k : knobs) {
        SCOPED_TRACE(k.knob);
        SPRITE *knob = part(*k.panel, k.knob);
        const float start = k.value();
        const int start_angle = knob->angle;
        SDL_Event press = {};
        press.type = SDL_MOUSEBUTTONDOWN;
        k.panel->ajoute_message(MESSAGE(1, &press, nullptr, knob));
        frame(*k.panel);
        EXPECT_EQ(k.value(), start);
        turn(*k.panel, k.knob, "SLD_DOWN", 30);
        EXPECT_GT(k.value(), start);
        EXPECT_GT(knob->angle, start_angle);
        turn(*k.panel, k.knob, "SLD_UP", 30);
        EXPECT_FLOAT_EQ(k.value(), start);
        EXPECT_EQ(knob->angle, start_angle);
    }
}

TEST(ModulePanels, PowerSwitchesFollowEveryRelease)
{
    EVERY_PANEL p;
    const struct {
        OBJET *panel;
        int *power;
    } switches[] = {{&p.vco_panel, &p.vco.power},     {&p.vcf_panel, &p.pcf.power},
                    {&p.vca_panel, &p.vca.power},     {&p.keyboard_panel, &p.keyboard.power},
                    {&p.mixer_panel, &p.mixer.power}, {&p.sampler_panel, &p.sampler.power}};
    for (const auto &s : switches) {
        BUTTON *button = dynamic_cast<BUTTON *>(part(*s.panel, "POWER"));
        ASSERT_NE(button, nullptr);
        for (int expected : {0, 1, 0}) {
            release(*s.panel, "POWER");
            EXPECT_EQ(*s.power, expected) << s.panel->sprite_NAME;
            // The dark image shows while the module is off.
            EXPECT_STREQ(button->sprite_NAME, expected ? "SWITCH_ON" : "SWITCH_OFF");
        }
    }
    // The release of another panel's switch, which reaches a panel when the
    // pointer slid onto it with the button held, switches nothing there,
    // whichever way the other switch stands.
    BUTTON *other = dynamic_cast<BUTTON *>(part(p.vco_panel, "POWER"));
    for (const auto &s : switches)
        for (int state = 0; state < 2 && s.panel != &p.vco_panel; state++) {
            other->state = state;
            release(*s.panel, "POWER", &p.vco_panel);
            EXPECT_EQ(*s.power, 0) << s.panel->sprite_NAME;
        }
}

TEST(ModulePanels, TheBackViewChangesNothing)
{
    VCO vco(0.5f, 440.0f, SIN);
    VCO_GUI panel(&vco, 0, 0, "3");
    SPRITE *knob = part(panel, "SLD_FREQUENCE");
    panel.toggle_view_mode(OBJET::VIEW_BACK);
    panel.ajoute_message(MESSAGE(0, nullptr, "SLD_DOWN", knob));
    panel.evolue();
    EXPECT_EQ(vco.frequency, 440.0f);
    EXPECT_NE(panel.get_SPRITE_by_name("INPUT_MOD_PWM"), nullptr);
}

TEST(KeyboardPanel, OctaveStaysWithinItsRangeAndTheDisplayFollowsTheModuleInEveryView)
{
    KEYBOARD keyboard;
    keyboard.octave = 7;
    KEYBOARD_GUI panel(&keyboard, 0, 0, "0");
    release(panel, "BUTTON_OCT_UP");
    EXPECT_EQ(keyboard.octave, 7);
    EXPECT_EQ(image_of(panel, "SPRITE_OCT"), "LED_NUMERIC_1_8");
    keyboard.octave = -3; // set elsewhere: any release brings it back
    release(panel, "");
    EXPECT_EQ(keyboard.octave, 0);
    EXPECT_EQ(image_of(panel, "SPRITE_OCT"), "LED_NUMERIC_1_1");
    // A MIDI note sets the module's octave, up to 9 for the highest notes.
    keyboard.octave = 9;
    panel.evolue();
    EXPECT_EQ(image_of(panel, "SPRITE_OCT"), "LED_NUMERIC_1_10");
    panel.toggle_view_mode(OBJET::VIEW_BACK);
    keyboard.octave = 2;
    panel.evolue();
    panel.toggle_view_mode(OBJET::VIEW_FRONT);
    panel.evolue();
    EXPECT_EQ(image_of(panel, "SPRITE_OCT"), "LED_NUMERIC_1_3");
}

TEST(MixerPanel, EveryStripTurnsAndMutesItsChannel)
{
    MIXER mixer;
    mixer.bypass[20] = 1.0f;
    MIXER_GUI panel(&mixer, 0, 0, "5");
    EXPECT_EQ(dynamic_cast<BUTTON *>(part(panel, "BYPASS_CANAL_21"))->state, 1);
    turn(panel, "SLD_CANAL_7", "SLD_DOWN", 10);
    EXPECT_FLOAT_EQ(mixer.gain[6], 1.1f);
    EXPECT_EQ(text_of(panel, "LABEL_CANAL_7"), "1.10");
    turn(panel, "SLD_CANAL_21", "SLD_UP", 300);
    EXPECT_EQ(mixer.gain[20], 0.0f);
    release(panel, "BYPASS_CANAL_21");
    release(panel, "BYPASS_CANAL_6");
    EXPECT_EQ(mixer.bypass[20], 0.0f);
    EXPECT_EQ(mixer.bypass[5], 1.0f);
    EXPECT_EQ(text_of(panel, "LABEL_CANAL_7_TXT"), "7");
}

TEST(ModulePanels, MissingFilesLeaveWorkingEmptyPanels)
{
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    TempDir empty;
    ASSERT_EQ(chdir(empty.path("").c_str()), 0);
    EVERY_PANEL p;
    ASSERT_EQ(chdir(here), 0);
    SDL_Event up = {};
    up.type = SDL_MOUSEBUTTONUP;
    for (OBJET *panel :
         std::initializer_list<OBJET *>{&p.vco_panel, &p.vcf_panel, &p.vca_panel, &p.keyboard_panel,
                                        &p.mixer_panel, &p.sampler_panel}) {
        EXPECT_TRUE(panel->back.empty());
        panel->ajoute_message(MESSAGE(0, nullptr, "SLD_DOWN", nullptr));
        panel->ajoute_message(MESSAGE(1, &up, nullptr, nullptr));
        panel->evolue();
    }
    EXPECT_EQ(p.vco.frequency, 440.0f);
    EXPECT_EQ(p.mixer_panel.front.size(), 4u * MIXER_GUI::STRIPS); // the strips are the panel's own
}

} // namespace
