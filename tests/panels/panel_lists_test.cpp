// Building the panels of a patch: numbering, columns, the registry of
// sequencer panels, the view switch and the visibility rule of the drawing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/qbiblio.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/vca_gui.h"
#include "synth/generator.h"

namespace {

// A patch of the given numbers of modules in gen, and its panels, which take
// their sizes from the program's images (loaded without a window).
class PatchPanels : public ::testing::Test {
protected:
    std::unique_ptr<QBIBLIO> images = std::make_unique<QBIBLIO>("grfx/opengl.qim", false);

    void SetUp() override { bibliotheque_graphique = images.get(); }

    void build(int keyboards, int oscillators, int samplers, int amplifiers, int sequencers,
               int filters, int mixers)
    {
        gen = new GENERATOR();
        for (int i = 0; i < keyboards; i++)
            gen->keyboards.push_back(new KEYBOARD());
        for (int i = 0; i < oscillators; i++)
            gen->oscillators.push_back(new VCO(0.5f, 440.0f, SIN));
        for (int i = 0; i < samplers; i++)
            gen->samplers.push_back(new SAMPLER());
        for (int i = 0; i < amplifiers; i++)
            gen->amplifiers.push_back(new VCA());
        for (int i = 0; i < sequencers; i++)
            gen->sequencers.push_back(new SEQUENCER());
        for (int i = 0; i < filters; i++)
            gen->filters.push_back(new PCF());
        for (int i = 0; i < mixers; i++)
            gen->mixers.push_back(new MIXER());
        initialise_gui_from_current();
    }

    void discard()
    {
        for (OBJET *p : objets_globaux)
            delete p;
        objets_globaux.clear();
        if (gen == nullptr)
            return;
        gen->release_modules();
        delete gen;
        gen = nullptr;
    }

    void TearDown() override
    {
        discard();
        sequenceurs_gui.clear();
        BACK_VIEW_TOGGLE = 0;
        bibliotheque_graphique = nullptr;
    }

    // "<sprite name> x y" of every panel, in creation order.
    static std::vector<std::string> places()
    {
        std::vector<std::string> out;
        for (auto it = objets_globaux.rbegin(); it != objets_globaux.rend(); ++it)
            out.push_back(std::string((*it)->sprite_NAME) + " " +
                          std::to_string(static_cast<int>((*it)->x)) + " " +
                          std::to_string((*it)->y).substr(0, 5));
        return out;
    }
};

// Each module type has its column, left to right, and the panels are numbered
// across them in that order. Samplers stand at the top of the amplifiers'
// column, the amplifiers under them, and take the column alone when there
// are no amplifiers. The
// sequencer panel is 720 pixels wide: its column advances by that and the 14
// pixels the amplifiers' column leaves, instead of 202, but unknown panel
// sizes (no images) keep the 202. Mixers alone stand in the first column.
TEST_F(PatchPanels, ColumnsAndNumbersFollowTheModuleTypes)
{
    const struct {
        int n[7]; // keyboards, oscillators, samplers, amplifiers, sequencers, filters, mixers
        bool images;
        std::vector<std::string> places;
    } cases[] = {
        {{2, 3, 0, 1, 0, 0, 1},
         true,
         {"KEY_0 0 50.00", "KEY_1 0 146.0", "VCO_0 120 25.00", "VCO_1 120 168.0", "VCO_2 120 310.0",
          "VCA_5 330 50.00", "MIXER_6 600 50.00"}},
        {{0, 1, 2, 1, 1, 1, 0},
         true,
         {"VCO_0 0 25.00", "SAMPLER_0 210 25.00", "SAMPLER_1 210 109.0", "VCA_3 210 193.0",
          "SEQUEN_4 480 50.00", "VCF_5 1214 50.00"}},
        {{0, 0, 2, 0, 1, 0, 0},
         true,
         {"SAMPLER_0 0 25.00", "SAMPLER_1 0 109.0", "SEQUEN_3 270 50.00"}},
        {{0, 0, 0, 1, 2, 1, 2},
         true,
         {"VCA_0 0 50.00", "SEQUEN_1 270 50.00", "SEQUEN_2 270 284.0", "VCF_3 1004 50.00",
          "MIXER_4 1199 50.00", "MIXER_5 1199 299.0"}},
        {{0, 0, 0, 1, 2, 1, 2},
         false,
         {"VCA_0 0 50.00", "SEQUEN_1 270 50.00", "SEQUEN_2 270 284.0", "VCF_3 472 50.00",
          "MIXER_4 667 50.00", "MIXER_5 667 299.0"}},
        {{0, 0, 0, 0, 0, 0, 3}, true, {"MIXER_0 0 50.00", "MIXER_1 0 299.0", "MIXER_2 0 548.0"}},
    };
    for (const auto &c : cases) {
        bibliotheque_graphique = c.images ? images.get() : nullptr;
        build(c.n[0], c.n[1], c.n[2], c.n[3], c.n[4], c.n[5], c.n[6]);
        EXPECT_EQ(places(), c.places) << c.places.front() << (c.images ? "" : ", no images");
        discard();
    }
}

TEST_F(PatchPanels, NumbersPastNinetyNineStillFindTheirElements)
{
    build(60, 0, 0, 50, 0, 0, 0);
    VCA_GUI *last = dynamic_cast<VCA_GUI *>(objets_globaux.front());
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(last->name, "109");
    EXPECT_STREQ(last->sprite_NAME, "VCA_109");
    EXPECT_EQ(last->vca, gen->amplifiers.back());
    ASSERT_NE(last->get_SPRITE_by_name("SLD_SUSTAIN"), nullptr);
    EXPECT_STREQ(last->get_SPRITE_by_name("SLD_SUSTAIN")->NAME, "109_SLD_SUSTAIN");
    last->ajoute_message(MESSAGE(0, nullptr, "SLD_UP", last->get_SPRITE_by_name("SLD_SUSTAIN")));
    last->evolue(); // the turn reaches the module
    EXPECT_NE(last->vca->sustain, VCA().sustain);
    last->toggle_view_mode(OBJET::VIEW_BACK);
    EXPECT_NE(last->get_SPRITE_by_name("INPUT_GATE"), nullptr);
}

TEST_F(PatchPanels, SequencerLookupNeverFindsThePanelsOfAnEarlierPatch)
{
    build(0, 0, 0, 0, 2, 0, 0);
    SEQUENCER *first = gen->sequencers[0];
    EXPECT_EQ(get_sequencer_gui_by_its_parent(first)->sequencer, first);
    EXPECT_EQ(sequenceurs_gui.front()->sequencer, gen->sequencers[1]);
    discard();
    build(0, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(sequenceurs_gui.size(), 1u);
    EXPECT_EQ(get_sequencer_gui_by_its_parent(gen->sequencers[0]), sequenceurs_gui[0]);
    SEQUENCER stranger;
    EXPECT_EQ(get_sequencer_gui_by_its_parent(&stranger), nullptr);
}

// A panel that counts its refreshes.
struct Counted : OBJET {
    int refreshed = 0;
    Counted(int x, int y, int w, int h) : OBJET(x, y, "1")
    {
        this->w = static_cast<float>(w);
        this->h = static_cast<float>(h);
    }
    int evolue() override
    {
        refreshed++;
        return OBJET::evolue();
    }
};

TEST(PanelDrawing, OnlyPanelsOverlappingTheWindowAreRefreshed)
{
    Counted inside(1000, 700, 50, 50), corner(1024, 768, 50, 50), left(-60, 10, 50, 50),
        right(1025, 0, 50, 50), below(0, 769, 50, 50), scrolled_in(2000, 1500, 10, 10);
    std::vector<OBJET *> panels = {&inside, &corner, &left, &right, &below, &scrolled_in};
    EXPECT_EQ(draw_all_modules(1, 0, panels, nullptr, 0, 0, 1), 1);
    const int at_origin[] = {1, 1, 0, 0, 0, 0};
    for (size_t i = 0; i < panels.size(); i++)
        EXPECT_EQ(static_cast<Counted *>(panels[i])->refreshed, at_origin[i]) << i;
    draw_all_modules(1, 0, panels, nullptr, 1500, 1000, 1);
    EXPECT_EQ(scrolled_in.refreshed, 1);
    EXPECT_EQ(inside.refreshed, 1);
    draw_all_modules_DASH(1, 0, panels, nullptr, 0, 0);
    EXPECT_EQ(below.refreshed, 1); // the dashboards have no visibility test
}

} // namespace
