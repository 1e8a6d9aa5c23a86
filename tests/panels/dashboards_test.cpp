// The dashboards: what the information dashboard shows of its target, which
// orders the system dashboard takes from the clicks on its buttons, and the
// keys the KEYS dashboard lists.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/qbiblio.h"
#include "panel_test_helpers.h"
#include "panels/info_dash.h"
#include "panels/module_dash.h"
#include "panels/sampler_gui.h"
#include "panels/seq_gui.h"
#include "panels/system_dash.h"
#include "panels/vco_gui.h"

using namespace panel_test;

namespace {

std::vector<std::string> shown(const INFO_DASH &d)
{
    return {d.label_target->text, d.label_type->text, d.label_view_mode->text};
}

// The dashboard names the module under the pointer and what the element
// under it sets, with value and unit, its type and the view its panel shows;
// no placeholder at start, nothing for a dashboard or for nothing, and the
// texts follow the values as they change.
TEST(InfoDash, NamesTheModuleAndTheSettingUnderThePointer)
{
    INFO_DASH dash;
    EXPECT_EQ(shown(dash), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(dash.front.back(), dash.label_view_mode); // drawn over the file's elements
    VCO vco(0.5f, 88.0f, SAW);
    std::snprintf(vco.name, sizeof vco.name, "VCO_BASS");
    SAMPLER sampler; // its own name field hides the oscillator's
    std::snprintf(sampler.name, sizeof sampler.name, "SAMPLER_KICK");
    SEQUENCER sequencer;
    sequencer.set_name("SEQUENCER_1");
    VCO_GUI vco_panel(&vco, 0, 0, "1");
    SAMPLER_GUI sampler_panel(&sampler, 0, 0, "2");
    SEQ_GUI seq_panel(&sequencer, 0, 0, "3");
    MODULE_DASH other;
    seq_panel.toggle_view_mode(OBJET::VIEW_BACK);
    const struct {
        OBJET *panel;
        const char *element;
        std::vector<std::string> labels;
    } cases[] = {
        {&vco_panel, "SLD_FREQUENCE", {"VCO_BASS - FREQUENCY 88.000 Hz", "VCO", "1 (FRONT)"}},
        {&vco_panel, "AFFICHAGE_TYPE_ONDE", {"VCO_BASS - WAVE SAW", "VCO", "1 (FRONT)"}},
        {&vco_panel, "POWER", {"VCO_BASS - POWER ON", "VCO", "1 (FRONT)"}},
        {&vco_panel, nullptr, {"VCO_BASS", "VCO", "1 (FRONT)"}},
        {&sampler_panel, nullptr, {"SAMPLER_KICK", "SAMPLER", "1 (FRONT)"}},
        {&seq_panel, nullptr, {"SEQUENCER_1", "SEQUENCEUR", "4 (BACK)"}},
        {&other, nullptr, {"", "", ""}},
        {nullptr, nullptr, {"", "", ""}},
    };
    for (const auto &c : cases) {
        dash.redraw = 0;
        const SPRITE *element = c.element ? part(*c.panel, c.element) : nullptr;
        dash.set_CIBLE(c.panel, element);
        EXPECT_EQ(shown(dash), c.labels) << (c.element ? c.element : "");
        EXPECT_EQ(dash.redraw, 1);
    }
    dash.set_CIBLE(&vco_panel, part(vco_panel, "SLD_FREQUENCE"));
    turn(vco_panel, "SLD_FREQUENCE", "SLD_DOWN", 2);
    vco_panel.toggle_view_mode(0); // compact
    dash.evolue();
    EXPECT_EQ(shown(dash),
              (std::vector<std::string>{"VCO_BASS - FREQUENCY 90.000 Hz", "VCO", "2 (COMPACT)"}));
    EXPECT_EQ(dash.toggle_view_mode(OBJET::VIEW_BACK), 1);
    EXPECT_EQ(dash.view_mode, static_cast<unsigned>(OBJET::VIEW_FRONT));
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
void help() { orders_run.push_back("help"); }
void empty() { orders_run.push_back("new"); }
void add() { orders_run.push_back("add"); }

TEST(SystemDash, ReleasedClicksRunTheOrdersNamedByTheirButtons)
{
    SYSTEM_DASH dash({load, save, fils, help, empty, add});
    SPRITE all("IMG_001", 0, 0, 0, 0, 0, 1.0f, 0, 0), none("IMG_001", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    all.set_NAME("60_BUTTON_HELP_SAVE_FILS_LOAD");
    none.set_NAME("60_BUTTON_OTHER");
    SDL_Event press = {}, release = {};
    press.type = SDL_MOUSEBUTTONDOWN;
    release.type = SDL_MOUSEBUTTONUP;
    const struct {
        std::vector<MESSAGE> messages; // oldest first
        std::vector<std::string> run;
    } cases[] = {
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_SAVE"))}, {"save"}},
        {{MESSAGE(1, &press, nullptr, part(dash, "BUTTON_SAVE"))}, {}},
        {{MESSAGE(0, &release, "TOUCH_IN", part(dash, "BUTTON_SAVE"))}, {}},
        {{MESSAGE(1, &release, nullptr, nullptr)}, {}},
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_LOAD"))}, {"load while loading"}},
        {{MESSAGE(1, &release, nullptr, &all)}, {"load while loading", "save", "fils", "help"}},
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_HELP"))}, {"help"}},
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_NEW"))}, {"new"}},
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_ADD"))}, {"add"}},
        {{MESSAGE(1, &release, nullptr, &none)}, {}},
        {{MESSAGE(1, &release, nullptr, part(dash, "BUTTON_FILS")),
          MESSAGE(1, &release, nullptr, part(dash, "BUTTON_SAVE"))},
         {"fils", "save"}},
    };
    for (const auto &c : cases) {
        orders_run.clear();
        for (const MESSAGE &m : c.messages)
            dash.ajoute_message(m);
        dash.evolue();
        EXPECT_EQ(orders_run, c.run);
        EXPECT_TRUE(dash.messages.empty());
        EXPECT_EQ(LOAD_FLAG, 0);
    }
    EXPECT_EQ(dynamic_cast<BUTTON *>(part(dash, "BUTTON_SAVE"))->state, 0); // never clicked
}

// The slots, column after column, hold the help table's front-view rows that
// have a dashboard word; the slots left over are blank.
TEST(KeysDash, ListsTheFrontViewsKeysOfTheHelpTableInItsSlots)
{
    MODULE_DASH dash;
    std::vector<std::string> shown;
    for (int n = 0; text_of(dash, "LABEL_KEY_" + std::to_string(n)) != "<none>"; n++)
        shown.push_back(text_of(dash, "LABEL_KEY_" + std::to_string(n)) + " " +
                        text_of(dash, "LABEL_WORD_" + std::to_string(n)));
    EXPECT_EQ(shown,
              (std::vector<std::string>{"F1 SCOPE", "F3 LOAD", "F4 SAVE", "F6 CABLES", "F12 HELP",
                                        "F7 REC", "TAB REMOTE VCO", "5 COMPACT", "ZXCVBN KEY_1",
                                        "ASDFGH KEY_2", "QWERTY KEY_3", "ESCAPE QUIT"}));
}

TEST(Dashboards, KeepTheSizeOfTheirPlateWhenRefreshed)
{
    auto images = std::make_unique<QBIBLIO>("grfx/opengl.qim", false);
    bibliotheque_graphique = images.get();
    {
        INFO_DASH info;
        MODULE_DASH module;
        SYSTEM_DASH system({load, save, fils});
        for (OBJET *dash : std::vector<OBJET *>{&info, &module, &system}) {
            const SPRITE *plate = part(*dash, "IMAGE_FOND");
            ASSERT_GT(plate->w, 64.0f) << dash->name;
            dash->evolue(); // takes the 64 x 64 of the dashboard's own default image
            EXPECT_EQ(dash->w, plate->w) << dash->name;
            EXPECT_EQ(dash->h, plate->h) << dash->name;
        }
    }
    bibliotheque_graphique = nullptr;
}

} // namespace
