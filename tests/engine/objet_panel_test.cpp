// Panels without drawing: hit testing, name lookups, element numbers, view
// modes, sizes and the message flow from the panel to its widgets.
#include <gtest/gtest.h>

#include <string>

#include "engine/label.h"
#include "engine/objet.h"
#include "engine/qbiblio.h"
#include "engine/slider.h"

namespace {

// A sprite element of size w x h at (x, y), as a description file would make it.
SPRITE *element(OBJET &panel, const char *name, float x, float y, float w, float h)
{
    SPRITE *s = new SPRITE("none", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    s->setxyz(x, y, 0);
    s->w = w;
    s->h = h;
    s->set_NAME((std::string(panel.name) + "_" + name).c_str());
    panel.current->insert(panel.current->begin(), s);
    return s;
}

void point_at(int x, int y)
{
    mouse_x = x;
    mouse_y = y;
}

TEST(PanelHit, FirstElementOfTheFileIsHitFirst)
{
    OBJET panel(100, 200, "V1");
    SPRITE *under = element(panel, "UNDER", 0, 0, 50, 50); // read first: on top
    SPRITE *over = element(panel, "OVER", 10, 10, 50, 50);
    point_at(120, 220);
    EXPECT_EQ(panel.get_pointed_object(), under);
    point_at(155, 255); // only the second one reaches here
    EXPECT_EQ(panel.get_pointed_object(), over);
    point_at(160, 260); // its bottom-right corner is inside
    EXPECT_EQ(panel.get_pointed_object(), over);
    point_at(161, 260);
    EXPECT_EQ(panel.get_pointed_object(), nullptr);
}

TEST(PanelHit, BackgroundsBackElementsAndLabelsAreNeverHit)
{
    OBJET panel(0, 0, "V1");
    SPRITE *knob = element(panel, "KNOB", 0, 0, 40, 40);
    element(panel, "IMAGE_FOND", 0, 0, 100, 100);
    element(panel, "BACK_PLATE", 0, 0, 100, 100);
    LABEL *label = new LABEL("text", 0, 0, 0, 0, 0, 8, 0);
    label->w = label->h = 100;
    panel.front.push_back(label); // the first element of the file
    point_at(20, 20);
    EXPECT_EQ(panel.get_pointed_object(), knob);
    point_at(70, 70);
    EXPECT_EQ(panel.get_pointed_object(), nullptr);
}

TEST(PanelHit, CentredElementsAreHitAroundTheirPosition)
{
    OBJET panel(0, 0, "V1");
    SPRITE *s = element(panel, "C", 100, 100, 20, 20);
    s->corner_origin = false;
    point_at(92, 92);
    EXPECT_EQ(panel.get_pointed_object(), s);
    point_at(112, 100);
    EXPECT_EQ(panel.get_pointed_object(), nullptr);
    EXPECT_EQ(s->x, 100); // the element is left as it was
    EXPECT_EQ(s->w, 20);
}

TEST(PanelLookup, NamesSkipThePanelNameOrAShortPrefix)
{
    OBJET two(0, 0, "V1"), one(0, 0, "5"), long_name(0, 0, "123");
    SPRITE *a = element(two, "A", 0, 0, 1, 1);
    SPRITE *b = element(one, "B", 0, 0, 1, 1);
    SPRITE *c = element(long_name, "C", 0, 0, 1, 1);
    EXPECT_EQ(two.get_SPRITE_by_name("A"), a);
    EXPECT_EQ(one.get_SPRITE_by_name("B"), b);
    EXPECT_EQ(long_name.get_SPRITE_by_name("C"), c); // a panel numbered 100 or more
    EXPECT_EQ(long_name.get_SPRITE_by_name("123_C"), c);
    EXPECT_EQ(two.get_SPRITE_by_name("V1_A"), nullptr);
}

TEST(PanelLookup, SameNameFindsTheFirstOfTheFile)
{
    OBJET panel(0, 0, "V1");
    SPRITE *first = element(panel, "TWIN", 0, 0, 1, 1);
    element(panel, "TWIN", 0, 0, 1, 1);
    EXPECT_EQ(panel.get_SPRITE_by_name("TWIN"), first);
}

TEST(PanelLookup, ButtonsAreFoundAmongButtonsOnly)
{
    OBJET panel(0, 0, "V1");
    element(panel, "BUTTON_FAKE", 0, 0, 1, 1); // a plain sprite
    BUTTON *b = new BUTTON("V1_BUTTON_GO", "ON", "0", "OFF", nullptr);
    panel.front.insert(panel.front.begin(), b);
    EXPECT_EQ(panel.get_BUTTON_by_name("BUTTON_GO"), b);
    EXPECT_EQ(panel.get_BUTTON_by_name("BUTTON_FAKE"), nullptr);
}

TEST(PanelNumbers, CountInFileOrder)
{
    OBJET panel(0, 0, "V1");
    SPRITE *s0 = element(panel, "S0", 0, 0, 1, 1);
    SPRITE *s1 = element(panel, "S1", 0, 0, 1, 1);
    SPRITE *back = element(panel, "BACK_S2", 0, 0, 1, 1);
    EXPECT_EQ(panel.get_nr_object(s0), 0);
    EXPECT_EQ(panel.get_nr_object(s1), 1);
    EXPECT_EQ(panel.get_nr_object(back), 0);
    SPRITE stranger("x", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    EXPECT_EQ(panel.get_nr_object(&stranger), 0);
}

TEST(PanelViews, ModeZeroFromTheBackGivesTheFullFront)
{
    OBJET panel(0, 0, "V1");
    EXPECT_EQ(panel.toggle_view_mode(4), 1);
    EXPECT_EQ(panel.view_mode, 4u);
    EXPECT_EQ(panel.current, &panel.back);
    panel.toggle_view_mode(0);
    EXPECT_EQ(panel.view_mode, 1u);
    EXPECT_EQ(panel.current, &panel.front);
    panel.toggle_view_mode(0);
    EXPECT_EQ(panel.view_mode, 2u);
    panel.toggle_view_mode(3); // not a mode: nothing changes
    EXPECT_EQ(panel.view_mode, 2u);
    EXPECT_EQ(panel.current, &panel.front);
}

TEST(PanelViews, ToggleMarksEveryElementOfTheCurrentList)
{
    OBJET panel(0, 0, "V1");
    panel.current = &panel.back;
    SPRITE *socket = element(panel, "SOCKET", 0, 0, 1, 1);
    panel.current = &panel.front;
    socket->redraw = socket->changed = 0;
    panel.redraw = 0;
    panel.toggle_view_mode(4);
    // Marked, then drawn at once: drawing clears redraw only.
    EXPECT_EQ(socket->changed, 1);
    EXPECT_EQ(socket->redraw, 0);
    EXPECT_EQ(panel.redraw, 1);
    panel.toggle_all_draw_flag(0);
    EXPECT_EQ(socket->changed, 0);
    panel.toggle_all_draw_flag(1);
    EXPECT_EQ(socket->redraw, 1);
}

TEST(PanelSize, BackgroundImageSetsTheSizeHalvedWhenCompact)
{
    QBIBLIO library;
    library.upload_textures = false; // no OpenGL context here
    library.add_image("BG", library.create_empty_surface(200, 120, nullptr), 200, 120);
    bibliotheque_graphique = &library;

    OBJET panel(0, 0, "V1");
    SPRITE *background = element(panel, "IMAGE_FOND", 0, 0, 0, 0);
    VORN_ENGINE::copy_name(background->sprite_NAME, "BG");
    panel.calcule_lasurfaceoccupee();
    EXPECT_EQ(panel.w, 200);
    EXPECT_EQ(panel.h, 120);
    panel.view_mode = OBJET::VIEW_COMPACT;
    panel.calcule_lasurfaceoccupee();
    EXPECT_EQ(panel.w, 100);
    EXPECT_EQ(panel.h, 60);

    bibliotheque_graphique = nullptr;
}

TEST(PanelSize, MissingBackgroundImageUsesTheElementSize)
{
    OBJET panel(0, 0, "V1");
    panel.calcule_lasurfaceoccupee();
    EXPECT_EQ(panel.w, 0); // nothing to measure: the size stays
    element(panel, "IMAGE_FOND", 0, 0, 81.5f, 41);
    panel.view_mode = OBJET::VIEW_COMPACT;
    panel.calcule_lasurfaceoccupee();
    EXPECT_EQ(panel.w, 40);
    EXPECT_EQ(panel.h, 20);
}

class PanelMessages : public ::testing::Test {
protected:
    OBJET panel{0, 0, "V1"};
    BUTTON *button = new BUTTON("V1_B", "ON", "0", "OFF", nullptr);
    SLIDER *knob = new SLIDER("V1_K", "SLD");
    LABEL *label = new LABEL("text", 0, 0, 0, 0, 0, 8, 0);

    void SetUp() override { panel.front = {button, knob, label}; }

    void post(int kind, Uint8 type, const char *text, SPRITE *target)
    {
        SDL_Event event = {};
        event.type = type;
        panel.ajoute_message(MESSAGE(kind, &event, text, target));
    }
};

TEST_F(PanelMessages, ReachTheirWidgetsWhenThePanelEvolves)
{
    post(1, SDL_MOUSEBUTTONDOWN, nullptr, button);
    post(1, SDL_MOUSEBUTTONUP, nullptr, button);
    post(1, SDL_MOUSEBUTTONDOWN, nullptr, knob);
    post(0, 0, "SLD_DOWN", knob);
    EXPECT_EQ(panel.messages.size(), 4u);
    EXPECT_EQ(panel.evolue(), 0);
    // The widgets take their messages while the panel draws itself.
    EXPECT_TRUE(panel.messages.empty());
    EXPECT_EQ(button->state, 1);
    EXPECT_EQ(button->pressed, 0);
    EXPECT_EQ(knob->pressed, 1);
    EXPECT_TRUE(button->messages.empty());
    EXPECT_TRUE(knob->messages.empty());
}

TEST_F(PanelMessages, OthersAreDropped)
{
    post(0, 0, "SLD_DOWN", label);
    post(0, SDL_USEREVENT, "STEP", nullptr);
    testing::internal::CaptureStdout();
    panel.evolue();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(panel.messages.empty());
    EXPECT_TRUE(label->messages.empty());

    post(1, SDL_MOUSEBUTTONUP, nullptr, nullptr);
    testing::internal::CaptureStdout();
    panel.evolue();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ZZZ\n");
}

TEST_F(PanelMessages, WidgetsWaitForTheNextDrawingWhenNothingIsToRedraw)
{
    for (SPRITE *s : panel.front)
        s->redraw = 0;
    post(1, SDL_MOUSEBUTTONDOWN, nullptr, knob);
    panel.evolue();
    EXPECT_EQ(knob->messages.size(), 1u);
    EXPECT_EQ(knob->pressed, 0);
    panel.Draw_Scene(nullptr);
    EXPECT_EQ(knob->pressed, 1);
}

} // namespace
