// Buttons, knobs and labels reacting to the messages of their queue.
#include <gtest/gtest.h>

#include <string>

#include "engine/button.h"
#include "engine/label.h"
#include "engine/slider.h"

namespace {

MESSAGE text_message(const char *text) { return MESSAGE(0, nullptr, text, nullptr); }

MESSAGE mouse_message(Uint8 type)
{
    SDL_Event event = {};
    event.type = type;
    return MESSAGE(1, &event, nullptr, nullptr);
}

void send(MSG_RESPONDER &widget, const MESSAGE &m) { widget.ajoute_message(&m); }

TEST(WidgetQueue, MessagesComeOutOldestFirst)
{
    SLIDER knob("K", "SLD");
    send(knob, text_message("first"));
    send(knob, text_message("second"));
    EXPECT_STREQ(knob.take_oldest()->text, "first");
    EXPECT_STREQ(knob.take_oldest()->text, "second");
    EXPECT_EQ(knob.take_oldest(), nullptr);
}

TEST(WidgetQueue, MessageTextIsCutToItsField)
{
    const std::string long_text(1000, 'x');
    MESSAGE m(0, nullptr, long_text.c_str(), nullptr);
    EXPECT_EQ(std::string(m.text), long_text.substr(0, MESSAGE::TEXT_SIZE - 1));
}

TEST(Button, MaskNameComesFromTheOnImage)
{
    EXPECT_STREQ(BUTTON("B", "VCO_ON", "0", "VCO_OFF", nullptr).mask_NAME, "VCO_MASK");
    EXPECT_STREQ(BUTTON("B", "A_B_ON", "0", "X", nullptr).mask_NAME, "A_B_MASK");
    EXPECT_STREQ(BUTTON("B", "PLAIN", "0", "X", nullptr).mask_NAME, "");
    EXPECT_STREQ(BUTTON("B", "_ON", "0", "X", nullptr).mask_NAME, "");
    EXPECT_STREQ(BUTTON("B", "VCO_ON", "0", "X", "GIVEN").mask_NAME, "GIVEN");
}

TEST(Button, TwoReleasesReturnItToItsFirstState)
{
    BUTTON b("B", "ON", "0", "OFF", nullptr);
    EXPECT_EQ(b.state, 0);
    EXPECT_STREQ(b.sprite_NAME, "ON"); // the image follows the state only once a message came

    send(b, mouse_message(SDL_MOUSEBUTTONDOWN));
    b.evolue();
    EXPECT_EQ(b.pressed, 1);
    EXPECT_EQ(b.state, 0);
    EXPECT_STREQ(b.sprite_NAME, "OFF");

    send(b, mouse_message(SDL_MOUSEBUTTONUP));
    b.evolue();
    EXPECT_EQ(b.pressed, 0);
    EXPECT_EQ(b.state, 1);
    EXPECT_STREQ(b.sprite_NAME, "ON");

    send(b, mouse_message(SDL_MOUSEBUTTONUP));
    b.evolue();
    EXPECT_EQ(b.state, 0);
    EXPECT_STREQ(b.sprite_NAME, "OFF");
}

TEST(Button, HoverImageFollowsThePointerUnlessItIsZero)
{
    BUTTON plain("B", "ON", "0", "OFF", nullptr);
    send(plain, text_message("TOUCH_IN"));
    plain.evolue();
    EXPECT_EQ(plain.touched, 1);
    EXPECT_STREQ(plain.sprite_NAME, "OFF");

    BUTTON hover("B", "ON", "HOVER", "OFF", nullptr);
    send(hover, text_message("TOUCH_IN"));
    hover.evolue();
    EXPECT_STREQ(hover.sprite_NAME, "HOVER");
    send(hover, text_message("TOUCH_OUT"));
    hover.evolue();
    EXPECT_EQ(hover.touched, 0);
    EXPECT_STREQ(hover.sprite_NAME, "OFF");
}

// A knob's angle shows its parameter's value, which its panel sets: turns
// leave the picture alone, presses and touches are followed, nothing toggles.
TEST(Slider, FollowsThePointerAndLeavesItsAngleToThePanel)
{
    SLIDER knob("K", "SLD");
    knob.angle = 40;
    for (int i = 0; i < 5; i++)
        send(knob, text_message("SLD_DOWN"));
    send(knob, mouse_message(SDL_MOUSEBUTTONDOWN));
    knob.evolue();
    EXPECT_EQ(knob.angle, 40);
    EXPECT_EQ(knob.pressed, 1);
    EXPECT_TRUE(knob.messages.empty());
    send(knob, text_message("xxTOUCH_INxx"));
    send(knob, mouse_message(SDL_MOUSEBUTTONUP));
    knob.redraw = 0;
    knob.evolue();
    EXPECT_EQ(knob.pressed, 0);
    EXPECT_EQ(knob.touched, 1);
    EXPECT_EQ(knob.redraw, 1);
}

TEST(Label, SizesItselfToItsTextWhenTextOrColourChanges)
{
    LABEL label("hello", 30, 40, 50, 50, 7, 8, 0xFF0000);
    EXPECT_EQ(label.x, 30);
    EXPECT_EQ(label.y, 40);
    EXPECT_EQ(label.param, 7);
    EXPECT_TRUE(label.corner_origin);
    label.evolue();
    EXPECT_EQ(label.w, 20); // 5 characters of height 8, half as wide as high
    EXPECT_EQ(label.h, 8);
    EXPECT_STREQ(label.prev_text, "hello");
    EXPECT_EQ(label.prev_colour, 0xFF0000);

    label.blit(nullptr); // no font built: draws nothing, but counts as drawn
    EXPECT_EQ(label.redraw, 0);
    snprintf(label.text, sizeof label.text, "%s", "abc");
    label.evolue();
    EXPECT_EQ(label.redraw, 1);
    EXPECT_EQ(label.w, 12);
}

TEST(Label, HugeSizesDoNotOverflowTheWidth)
{
    const std::string text(799, 'x');
    LABEL label(text.c_str(), 0, 0, 0, 0, 216, 8432210, 0xFF00FF);
    label.evolue();
    EXPECT_FLOAT_EQ(label.w, 799.0f * 8432210 / 2);
}

} // namespace
