// MIDI controllers bound to knobs: learned with Ctrl+click, turning each kind
// of knob over its whole sweep along its drag steps, kept in the patch's
// section and read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/message.h"
#include "panel_test_helpers.h"
#include "panels/controller_bindings.h"
#include "panels/mixer_gui.h"
#include "panels/panel_lists.h"
#include "panels/sampler_gui.h"
#include "panels/seq_gui.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"
#include "synth/note2freq.h"

using namespace panel_test;

namespace {

constexpr int CC = 0xb0; // a control change on channel 1

// One panel of each kind with knobs, in the panel list as a patch has them.
struct Rig {
    VCO vco{0.5f, 440.0f, SIN};
    VCA vca;
    PCF pcf;
    MIXER mixer;
    SEQUENCER sequencer;
    SAMPLER sampler;
    std::vector<MODULE_PANEL *> panels;

    Rig()
    {
        fill_NOTE2FREQ();
        std::snprintf(vco.name, sizeof vco.name, "VCO_1");
        std::snprintf(vca.name, sizeof vca.name, "VCA_1");
        std::snprintf(pcf.name, sizeof pcf.name, "PCF_1");
        std::snprintf(mixer.name, sizeof mixer.name, "MIXER_1");
        sequencer.set_name("SEQUENCER_1");
        std::snprintf(sampler.name, sizeof sampler.name, "SAMPLER_1");
        panels = {new VCO_GUI(&vco, 0, 0, "1"),     new VCA_GUI(&vca, 0, 0, "2"),
                  new VCF_GUI(&pcf, 0, 0, "3"),     new MIXER_GUI(&mixer, 0, 0, "4"),
                  new SEQ_GUI(&sequencer, 0, 0, "5"), new SAMPLER_GUI(&sampler, 0, 0, "6")};
        objets_globaux.assign(panels.begin(), panels.end());
        controller_bindings.clear();
    }
    ~Rig()
    {
        objets_globaux.clear();
        for (MODULE_PANEL *p : panels)
            delete p;
        controller_bindings.clear();
    }
    MODULE_PANEL &panel(const std::string &module)
    {
        for (MODULE_PANEL *p : panels)
            if (module == p->module.name())
                return *p;
        throw std::runtime_error("no panel " + module);
    }
};

TEST(ControllerBindings, AControllerTurnsEveryKindOfKnobOverItsWholeSweep)
{
    const struct {
        const char *module, *knob;
    } knobs[] = {
        {"VCO_1", "SLD_FREQUENCE"}, {"VCO_1", "SLD_VOLUME"},    {"VCO_1", "SLD_PHASE"},
        {"VCA_1", "SLD_ATTACK"},    {"VCA_1", "SLD_SUSTAIN"},   {"PCF_1", "SLD_HICUTOFF"},
        {"MIXER_1", "SLD_CANAL_1"}, {"SEQUENCER_1", "SLD_VOL_3"}, {"SAMPLER_1", "SLD_TUNE"},
    };
    // The phase wraps round at a whole turn: its ends are a degree short.
    constexpr double END = 1 / 720.0;
    Rig rig;
    int controller = 1;
    for (const auto &k : knobs) {
        MODULE_PANEL &panel = rig.panel(k.module);
        SPRITE *knob = part(panel, k.knob);
        learn_knob(panel, *knob);
        const std::string said = take_control_change(CC, controller, 0);
        EXPECT_NE(said.find("bound to CC " + std::to_string(controller) + " CH 1"), std::string::npos)
            << said;
        EXPECT_EQ(binding_words(panel, knob), "CC " + std::to_string(controller) + " CH 1");
        double before = panel.knob_place(*knob);
        EXPECT_LE(before, END) << k.knob << ": 0 is the low end";
        for (int v = 1; v <= 127; ++v) {
            take_control_change(CC, controller, v);
            const double now = panel.knob_place(*knob);
            ASSERT_GE(now, before) << k.knob << " at " << v << ": never back";
            if (v == 64) {
                EXPECT_NEAR(now, 64 / 127.0, 0.06) << k.knob << ": the middle, to a step";
            }
            before = now;
        }
        // 127 is the high end, or as high as a drag goes (the filter stops
        // short of its sweep).
        panel.take_message(MESSAGE(0, nullptr, "SLD_DOWN", knob));
        EXPECT_TRUE(before >= 1 - END || panel.knob_place(*knob) == before) << k.knob;
        take_control_change(CC, controller, 0);
        EXPECT_LE(panel.knob_place(*knob), END) << k.knob << ": back to the low end";
        ++controller;
    }
    EXPECT_NEAR(rig.vco.frequency, 0.01f, 1e-4) << "the frequency's low end, on its drag steps";
    take_control_change(CC, 1, 127);
    EXPECT_EQ(rig.vco.frequency, 22050.0f) << "and its high end";
    take_control_change(CC + 1, 1, 0);
    EXPECT_EQ(rig.vco.frequency, 22050.0f) << "channel 2 is another controller";

    // A switch is clicked when its controller crosses the middle upwards.
    MODULE_PANEL &vco = rig.panel("VCO_1");
    learn_knob(vco, *part(vco, "POWER"));
    std::string powers;
    for (int v : {0, 127, 127, 0, 100, 63, 64}) {
        take_control_change(CC, 99, v);
        powers += std::to_string(rig.vco.power);
    }
    EXPECT_EQ(powers, "1000110");
    EXPECT_EQ(binding_words(vco, part(vco, "POWER")), "CC 99 CH 1");
}

TEST(ControllerBindings, CtrlClickUnbindsAndTheBindingsGoThroughThePatchSection)
{
    Rig rig;
    MODULE_PANEL &vco = rig.panel("VCO_1"), &vca = rig.panel("VCA_1");
    learn_knob(vco, *part(vco, "SLD_FREQUENCE"));
    take_control_change(CC + 2, 74, 10); // channel 3
    learn_knob(vca, *part(vca, "SLD_RELEASE"));
    learn_knob(vca, *part(vca, "SLD_RELEASE")); // a second Ctrl+click: no longer waiting
    EXPECT_EQ(take_control_change(CC, 7, 10), "");
    learn_knob(vca, *part(vca, "SLD_DECAY"));
    take_control_change(CC, 7, 10);

    char text[1024] = {};
    FILE *out = fmemopen(text, sizeof text, "w");
    write_controller_section(out);
    std::fclose(out);
    EXPECT_STREQ(text, "BEGIN_CONTROLLERS_DECLARE\n"
                       "VCO_1;KNOB=SLD_FREQUENCE;CHANNEL=3;CONTROLLER=74;\n"
                       "VCA_1;KNOB=SLD_DECAY;CHANNEL=1;CONTROLLER=7;\n"
                       "END_CONTROLLERS_DECLARE\n");

    EXPECT_NE(learn_knob(vco, *part(vco, "SLD_FREQUENCE")).find("unbound from CC 74 CH 3"),
              std::string::npos);
    forget_bindings_of("VCA_1");
    EXPECT_TRUE(controller_bindings.empty());

    // Read back, with a line naming no knob of the patch left out.
    std::string file = std::string(text).insert(sizeof "BEGIN_CONTROLLERS_DECLARE",
                                                "VCO_9;KNOB=SLD_FREQUENCE;CHANNEL=1;CONTROLLER=1;\n");
    FILE *in = fmemopen(file.data(), file.size(), "r");
    read_controller_section(in);
    std::fclose(in);
    ASSERT_EQ(controller_bindings.size(), 2u);
    EXPECT_EQ(binding_words(vco, part(vco, "SLD_FREQUENCE")), "CC 74 CH 3");
    EXPECT_EQ(binding_words(vca, part(vca, "SLD_DECAY")), "CC 7 CH 1");
    EXPECT_EQ(binding_words(vca, part(vca, "SLD_ATTACK")), "");
}

} // namespace
