// The three dashboards: what the information dashboard shows of its target,
// and which orders the system dashboard takes from the clicks on its buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel_test_helpers.h"
#include "panels/info_dash.h"
#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/module_dash.h"
#include "panels/sampler_gui.h"
#include "panels/seq_gui.h"
#include "panels/system_dash.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

using namespace panel_test;

namespace {

struct LABELS {
    std::string target, type, view;
};

LABELS shown(const INFO_DASH &dash)
{
    return {dash.label_target->text, dash.label_type->text, dash.label_view_mode->text};
}

TEST(InfoDash, DescribesEachKindOfModulePanel)
{
    VCO vco(0.5f, 440.0f, SIN);
    VCA vca;
    PCF pcf;
    SEQUENCER sequencer;
    MIXER mixer;
    SAMPLER sampler;
    KEYBOARD keyboard;
    std::snprintf(vco.name, sizeof vco.name, "VCO_BASS");
    std::snprintf(vca.name, sizeof vca.name, "VCA_BASS");
    std::snprintf(pcf.name, sizeof pcf.name, "PCF_MASTER");
    sequencer.set_name("SEQUENCER_1");
    std::snprintf(mixer.name, sizeof mixer.name, "MIXER_4");
    std::snprintf(sampler.name, sizeof sampler.name, "SAMPLER_KICK");
    std::snprintf(keyboard.name, sizeof keyboard.name, "KEYBOARD_1");
    VCO_GUI vco_panel(&vco, 0, 0, "1");
    VCA_GUI vca_panel(&vca, 0, 0, "2");
    VCF_GUI vcf_panel(&pcf, 0, 0, "3");
    SEQ_GUI seq_panel(&sequencer, 0, 0, "4");
    MIXER_GUI mixer_panel(&mixer, 0, 0, "5");
    SAMPLER_GUI sampler_panel(&sampler, 0, 0, "6");
    KEYBOARD_GUI keyboard_panel(&keyboard, 0, 0, "7");
    vco_panel.toggle_view_mode(0); // compact
    seq_panel.toggle_view_mode(OBJET::VIEW_BACK);
    const struct {
        OBJET *panel;
        LABELS labels;
    } cases[] = {
        {&vco_panel, {"VCO_BASS", "VCO", "2"}},
        {&vca_panel, {"VCA_BASS", "VCA", "1"}},
        {&vcf_panel, {"PCF_MASTER", "VCF", "1"}},
        {&seq_panel, {"SEQUENCER_1", "SEQUENCEUR", "4"}},
        {&mixer_panel, {"MIXER_4", "MIXER", "1"}},
        {&sampler_panel, {"SAMPLER_KICK", "SAMPLER", "1"}},
        {&keyboard_panel, {"KEYBOARD_1", "KEYBOARD", "1"}},
    };
    INFO_DASH dash;
    for (const auto &c : cases) {
        dash.redraw = 0;
        dash.set_CIBLE(c.panel);
        const LABELS l = shown(dash);
        EXPECT_EQ(l.target, c.labels.target);
        EXPECT_EQ(l.type, c.labels.type);
        EXPECT_EQ(l.view, c.labels.view) << c.labels.type;
        EXPECT_EQ(dash.cible, c.panel);
        EXPECT_EQ(dash.redraw, 1);
    }
}

TEST(InfoDash, OtherPanelsShowAddressAndImageAndNullChangesNoText)
{
    INFO_DASH dash;
    EXPECT_EQ(std::string(dash.label_target->NAME), "CIBLE_NAME");
    EXPECT_EQ(dash.front.back(), dash.label_view_mode); // drawn over the file's elements
    const LABELS initial = shown(dash);
    EXPECT_EQ(initial.target, "CIBLE_NAME");
    EXPECT_EQ(initial.type, "TYPE");
    EXPECT_EQ(initial.view, "VIEW_MODE");

    MODULE_DASH other;
    dash.set_CIBLE(&other);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%p %s", static_cast<void *>(&other),
                  other.sprite_NAME);
    EXPECT_EQ(shown(dash).target, expected);
    EXPECT_EQ(shown(dash).type, "TYPE");
    EXPECT_EQ(shown(dash).view, "1");

    dash.redraw = 0;
    dash.set_CIBLE(nullptr);
    EXPECT_EQ(dash.cible, nullptr);
    EXPECT_EQ(dash.redraw, 1);
    EXPECT_EQ(shown(dash).target, expected);
}

TEST(InfoDash, KeepsItsView)
{
    INFO_DASH dash;
    EXPECT_EQ(dash.toggle_view_mode(OBJET::VIEW_BACK), 1);
    EXPECT_EQ(dash.toggle_view_mode(0), 1);
    EXPECT_EQ(dash.view_mode, static_cast<unsigned>(OBJET::VIEW_FRONT));
    EXPECT_EQ(dash.current, &dash.front);
}

// The orders record what ran, and whether a patch was loading meanwhile.
std::vector<std::string> orders_run;
void load() { orders_run.push_back(LOAD_FLAG ? "load while loading" : "load"); }
int save()
{
    orders_run.push_back("save");
    return 1;
}
void fils() { orders_run.push_back("fils"); }

TEST(SystemDash, ReleasedClicksRunTheOrdersOfTheWordsInTheButtonName)
{
    SYSTEM_DASH dash({load, save, fils});
    for (const char *button : {"BUTTON_LOAD", "BUTTON_SAVE", "BUTTON_FILS"})
        part(dash, button);
    SPRITE both("IMG_001", 0, 0, 0, 0, 0, 1.0f, 0, 0),
        nothing("IMG_001", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    both.set_NAME("60_BUTTON_SAVE_FILS_LOAD");
    nothing.set_NAME("60_BUTTON_NEW");
    SDL_Event press = {}, release = {};
    press.type = SDL_MOUSEBUTTONDOWN;
    release.type = SDL_MOUSEBUTTONUP;
    const struct {
        MESSAGE message;
        std::vector<std::string> run;
    } cases[] = {
        {MESSAGE(1, &release, nullptr, part(dash, "BUTTON_SAVE")), {"save"}},
        {MESSAGE(1, &press, nullptr, part(dash, "BUTTON_SAVE")), {}},
        {MESSAGE(0, &release, "TOUCH_IN", part(dash, "BUTTON_SAVE")), {}},
        {MESSAGE(1, &release, nullptr, nullptr), {}},
        {MESSAGE(1, &release, nullptr, part(dash, "BUTTON_LOAD")), {"load while loading"}},
        {MESSAGE(1, &release, nullptr, part(dash, "BUTTON_FILS")), {"fils"}},
        {MESSAGE(1, &release, nullptr, &both), {"load while loading", "save", "fils"}},
        {MESSAGE(1, &release, nullptr, &nothing), {}},
    };
    for (const auto &c : cases) {
        orders_run.clear();
        dash.ajoute_message(c.message);
        dash.evolue();
        EXPECT_EQ(orders_run, c.run) << c.message.event.type;
        EXPECT_TRUE(dash.messages.empty());
        EXPECT_EQ(LOAD_FLAG, 0);
    }
    // Oldest first, and the button itself never hears of the clicks.
    orders_run.clear();
    dash.ajoute_message(MESSAGE(1, &release, nullptr, part(dash, "BUTTON_FILS")));
    dash.ajoute_message(MESSAGE(1, &release, nullptr, part(dash, "BUTTON_SAVE")));
    dash.evolue();
    EXPECT_EQ(orders_run, (std::vector<std::string>{"fils", "save"}));
    EXPECT_EQ(dynamic_cast<BUTTON *>(part(dash, "BUTTON_SAVE"))->state, 0);
}

} // namespace
