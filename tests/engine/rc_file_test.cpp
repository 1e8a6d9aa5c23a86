// Panel description files: reading each kind of element, bounds on every
// token, truncated files, and writing a panel back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/label.h"
#include "engine/objet.h"
#include "engine/qbiblio.h"
#include "engine/slider.h"
#include "qbiblio_files_helpers.h"

namespace {

class RcFileTest : public ::testing::Test {
protected:
    TempDir dir;

    // Loads text as a description file into panel; returns what was printed.
    std::string load(OBJET &panel, const std::string &text)
    {
        const std::string path = dir.write("panel.RC", text);
        testing::internal::CaptureStdout();
        EXPECT_EQ(panel.load_RC(path.c_str()), 1);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(RcFileTest, OneSpriteTakesEveryField)
{
    OBJET panel(0, 0, "V1");
    load(panel, "SPRITE A a.bmp 0 10 20 1 16711935 0 1.0 0 255\r\n");
    ASSERT_EQ(panel.front.size(), 1u);
    SPRITE *s = panel.front[0];
    EXPECT_STREQ(s->NAME, "V1_A");
    EXPECT_STREQ(s->sprite_NAME, "a.bmp");
    EXPECT_EQ(s->x, 10);
    EXPECT_EQ(s->y, 20);
    EXPECT_EQ(s->use_colorkey, 1);
    EXPECT_EQ(s->colorkey, 0xFF00FFul);
    EXPECT_STREQ(s->mask_NAME, "");
    EXPECT_EQ(s->alpha, 255);
    EXPECT_FLOAT_EQ(s->zoom, 1.0f);
}

TEST_F(RcFileTest, EveryKindKeepsTheFilePositionWhereverThePanelStands)
{
    OBJET panel(100, 50, "V1");
    load(panel,
         "SPRITE S img MSK 10 20 0 0 1 0.5 30\n" // alpha left out
         "BUTTON B on off hover 10 20 0 0 0 1.0 0\n"
         "SLIDER K knob 10 20 0 0 0 1.0 0\n"
         "LABEL L text 10 20\n");
    ASSERT_EQ(panel.front.size(), 4u);
    SPRITE *sprite = panel.get_SPRITE_by_name("S");
    ASSERT_NE(sprite, nullptr);
    EXPECT_STREQ(sprite->mask_NAME, "MSK");
    EXPECT_EQ(sprite->alpha, 255);
    EXPECT_EQ(sprite->blend, 1);
    EXPECT_EQ(sprite->angle, 30);
    for (const char *name : {"S", "B", "K", "L"}) {
        SPRITE *e = panel.get_SPRITE_by_name(name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(e->x, 10) << name;
        EXPECT_EQ(e->y, 20) << name;
    }
}

TEST_F(RcFileTest, FileOrderIsReversedInTheList)
{
    OBJET panel(0, 0, "12");
    load(panel, "BUTTON BUTTON_GO VCO_ON VCO_OFF 0 5 6 1 16711935 0 1.0 0\n"
                "SPRITE IMAGE_FOND bg 0 0 0 0 0 0 1.0 0 255\n");
    ASSERT_EQ(panel.front.size(), 2u);
    BUTTON *b = dynamic_cast<BUTTON *>(panel.front[1]);
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(b->NAME, "12_BUTTON_GO");
    EXPECT_EQ(panel.get_nr_object(b), 0);
    EXPECT_EQ(panel.get_nr_object(panel.front[0]), 1);
    // File order is on, off, hover; the button keeps on, hover, off.
    EXPECT_STREQ(b->images[BUTTON::IMAGE_ON], "VCO_ON");
    EXPECT_STREQ(b->images[BUTTON::IMAGE_HOVER], "0");
    EXPECT_STREQ(b->images[BUTTON::IMAGE_OFF], "VCO_OFF");
    EXPECT_STREQ(b->mask_NAME, "VCO_MASK");
    EXPECT_EQ(b->colorkey, 0xFF00FFul);
    EXPECT_EQ(b->state, 0);
}

TEST_F(RcFileTest, KnobZoomAboveHundredMeansOne)
{
    OBJET panel(0, 0, "V1");
    load(panel, "SLIDER BIG SLD 0 0 1 0 0 150 0\n"
                "SLIDER HUNDRED SLD 0 0 1 0 0 100 45\n");
    SLIDER *big = dynamic_cast<SLIDER *>(panel.get_SPRITE_by_name("BIG"));
    SLIDER *hundred = dynamic_cast<SLIDER *>(panel.get_SPRITE_by_name("HUNDRED"));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(hundred, nullptr);
    EXPECT_FLOAT_EQ(big->zoom, 1.0f);
    EXPECT_FLOAT_EQ(hundred->zoom, 100.0f);
    EXPECT_EQ(hundred->angle, 45);
    EXPECT_STREQ(hundred->sprite_NAME, "SLD");
    EXPECT_STREQ(hundred->mask_NAME, "SLD_MASK");
}

TEST_F(RcFileTest, LabelOptionalFieldsStayOnTheirLine)
{
    OBJET panel(0, 0, "V1");
    load(panel, "LABEL SHORT hello 5 6\r\n"
                "SPRITE NEXT img 0 7 8 0 0 0 1.0 0 128\r\n"
                "LABEL FULL world 1 2 3 14 16711680\r\n"
                "LABEL INLINE x 1 2 SPRITE AFTER img 0 9 9 0 0 0 1.0 0\n");
    LABEL *shorter = dynamic_cast<LABEL *>(panel.get_SPRITE_by_name("SHORT"));
    ASSERT_NE(shorter, nullptr);
    EXPECT_STREQ(shorter->text, "hello");
    EXPECT_EQ(shorter->param, 0);
    EXPECT_EQ(shorter->size, 0);
    EXPECT_EQ(shorter->colour, 0);
    SPRITE *next = panel.get_SPRITE_by_name("NEXT");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->x, 7);
    EXPECT_EQ(next->alpha, 128);
    LABEL *full = dynamic_cast<LABEL *>(panel.get_SPRITE_by_name("FULL"));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->param, 3);
    EXPECT_EQ(full->size, 14);
    EXPECT_EQ(full->colour, 0xFF0000);
    // A kind word where an optional number could be is the next element.
    ASSERT_NE(panel.get_SPRITE_by_name("AFTER"), nullptr);
    EXPECT_EQ(panel.front.size(), 5u);
}

TEST_F(RcFileTest, UnknownTokensAreSkipped)
{
    OBJET panel(0, 0, "V1");
    load(panel, "# comment words\nSPRITE A img 0 1 2 0 0 0 1.0 0 255\nJUNK\n");
    ASSERT_EQ(panel.front.size(), 1u);
    EXPECT_STREQ(panel.front[0]->NAME, "V1_A");
}

TEST_F(RcFileTest, LongTokensAreCutToTheirFieldWithOneLine)
{
    OBJET panel(0, 0, "V1");
    const std::string long_image(200, 'i'), long_text(1000, 't');
    const std::string out = load(panel, "SPRITE A " + long_image +
                                            " 0 3 4 0 0 0 1.0 0 255\n"
                                            "LABEL L " +
                                            long_text + " 5 6 0 8 255\n");
    SPRITE *s = panel.get_SPRITE_by_name("A");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::string(s->sprite_NAME), long_image.substr(0, 79));
    EXPECT_EQ(s->x, 3); // the fields after the cut token are read as usual
    EXPECT_EQ(s->y, 4);
    LABEL *l = dynamic_cast<LABEL *>(panel.get_SPRITE_by_name("L"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(std::string(l->text), long_text.substr(0, 799));
    EXPECT_EQ(l->size, 8);
    EXPECT_NE(out.find("line 1: token longer than 79 characters"), std::string::npos) << out;
    EXPECT_NE(out.find("line 2: token longer than 799 characters"), std::string::npos) << out;
}

TEST_F(RcFileTest, LongElementNameIsCutToTheNameField)
{
    OBJET panel(0, 0, "V1");
    load(panel, "SPRITE " + std::string(150, 'n') + " img 0 1 2 0 0 0 1.0 0 255\n");
    ASSERT_EQ(panel.front.size(), 1u);
    EXPECT_EQ(std::string(panel.front[0]->NAME), "V1_" + std::string(76, 'n'));
}

TEST_F(RcFileTest, FileEndingInsideAnElementCreatesNothingFromIt)
{
    OBJET panel(0, 0, "V1");
    const std::string out = load(panel, "SPRITE A img 0 1 2 0 0 0 1.0 0 255\n"
                                        "\n"
                                        "BUTTON B on off 0 10 20 0");
    ASSERT_EQ(panel.front.size(), 1u);
    EXPECT_STREQ(panel.front[0]->NAME, "V1_A");
    EXPECT_NE(out.find("line 3"), std::string::npos) << out;
    EXPECT_NE(out.find("BUTTON"), std::string::npos) << out;
}

TEST_F(RcFileTest, MissingFileFailsAndLeavesThePanelEmpty)
{
    OBJET panel(0, 0, "V1");
    testing::internal::CaptureStdout();
    EXPECT_EQ(panel.load_RC(dir.path("absent.RC").c_str()), -1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Failing to Load RC["), std::string::npos);
    EXPECT_TRUE(panel.front.empty());
}

TEST_F(RcFileTest, NullPanelNameCountsAsEmpty)
{
    OBJET panel(0, 0, nullptr);
    EXPECT_STREQ(panel.name, "");
    load(panel, "SPRITE A img 0 1 2 0 0 0 1.0 0 255\n");
    ASSERT_EQ(panel.front.size(), 1u);
    EXPECT_STREQ(panel.front[0]->NAME, "_A");
}

TEST_F(RcFileTest, WritingAndReadingBackKeepsElementsAndOrder)
{
    OBJET first(0, 0, "7");
    load(first, "SPRITE IMAGE_FOND bg 0 0 0 1 16711935 0 1.0 0 200\n"
                "SPRITE LED led LED_MASK 3 4 0 0 1 0.75 90 255\n"
                "BUTTON BUTTON_X X_ON X_OFF X_HOVER 5 6 1 16711935 0 1.0 0\n"
                "SLIDER KNOB SLD 7 8 1 0 0 0.5 -30\n"
                "LABEL TITLE Demo 9 10 216 8 65280\n");
    const std::string path = dir.path("copy.RC");
    ASSERT_EQ(first.view_RC(path.c_str()), 1);

    OBJET second(0, 0, "7");
    ASSERT_EQ(second.load_RC(path.c_str()), 1);
    ASSERT_EQ(second.front.size(), first.front.size());
    for (size_t i = 0; i < first.front.size(); i++) {
        const SPRITE *a = first.front[i], *b = second.front[i];
        SCOPED_TRACE(a->NAME);
        EXPECT_EQ(typeid(*a), typeid(*b));
        EXPECT_STREQ(a->NAME, b->NAME);
        EXPECT_STREQ(a->sprite_NAME, b->sprite_NAME);
        EXPECT_STREQ(a->mask_NAME, b->mask_NAME);
        EXPECT_EQ(a->x, b->x);
        EXPECT_EQ(a->y, b->y);
        EXPECT_EQ(a->use_colorkey, b->use_colorkey);
        EXPECT_EQ(a->colorkey, b->colorkey);
        EXPECT_EQ(a->blend, b->blend);
        EXPECT_FLOAT_EQ(a->zoom, b->zoom);
        EXPECT_EQ(a->angle, b->angle);
    }
    const BUTTON *button = dynamic_cast<const BUTTON *>(second.get_SPRITE_by_name("BUTTON_X"));
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(button->images[BUTTON::IMAGE_HOVER], "X_HOVER");
    EXPECT_STREQ(button->images[BUTTON::IMAGE_OFF], "X_OFF");
    EXPECT_EQ(second.get_SPRITE_by_name("IMAGE_FOND")->alpha, 200);
    const LABEL *label = dynamic_cast<const LABEL *>(second.get_SPRITE_by_name("TITLE"));
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->text, "Demo");
    EXPECT_EQ(label->param, 216);
    EXPECT_EQ(label->size, 8);
    EXPECT_EQ(label->colour, 65280);
}

TEST_F(RcFileTest, WriterUsesTabsAndCrLf)
{
    OBJET panel(0, 0, "V1");
    load(panel, "SLIDER KNOB SLD 7 8 1 0 0 0.5 -30\n");
    const std::string path = dir.path("out.RC");
    ASSERT_EQ(panel.view_RC(path.c_str()), 1);
    FILE *f = fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char line[200] = {};
    ASSERT_NE(fgets(line, sizeof line, f), nullptr);
    fclose(f);
    EXPECT_STREQ(line, "SLIDER\tKNOB\tSLD\t7\t8\t1\t0\t0\t0.500000\t-30\r\n");
}

TEST_F(RcFileTest, WriterSkipsElementsWithoutThePanelPrefix)
{
    OBJET panel(0, 0, "V1");
    load(panel, "SPRITE A img 0 1 2 0 0 0 1.0 0 255\n");
    panel.front.push_back(new LABEL("added", 0, 0, 0, 0, 0, 8, 0)); // NAME "IMG_001"
    const std::string path = dir.path("out.RC");
    testing::internal::CaptureStdout();
    EXPECT_EQ(panel.view_RC(path.c_str()), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("ARF stf wrong during save element [IMG_001]"), std::string::npos) << out;

    OBJET back(0, 0, "V1");
    ASSERT_EQ(back.load_RC(path.c_str()), 1);
    ASSERT_EQ(back.front.size(), 1u);
    EXPECT_STREQ(back.front[0]->NAME, "V1_A");
}

TEST_F(RcFileTest, WriterReportsAPathItCannotOpen)
{
    OBJET panel(0, 0, "V1");
    testing::internal::CaptureStdout();
    EXPECT_EQ(panel.view_RC(dir.path("no/such/dir.RC").c_str()), -1);
    testing::internal::GetCapturedStdout();
}

} // namespace

namespace {

// The demonstration panel shipped with the program: one element of each
// kind, every image it names present in the image archive, and the
// background last in the file so that the controls are drawn over it.
TEST(DemoPanel, HoldsEveryKindWithImagesOfTheArchive)
{
    OBJET panel(0, 0, "D");
    ASSERT_EQ(panel.load_RC("RC/DEMO.RC"), 1);
    int buttons = 0, knobs = 0, labels = 0;
    for (SPRITE *s : panel.front) {
        buttons += dynamic_cast<BUTTON *>(s) != nullptr;
        knobs += dynamic_cast<SLIDER *>(s) != nullptr;
        labels += dynamic_cast<LABEL *>(s) != nullptr;
    }
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(knobs, 1);
    EXPECT_EQ(labels, 1);
    ASSERT_FALSE(panel.front.empty());
    EXPECT_EQ(panel.front[0], panel.get_SPRITE_by_name("IMAGE_FOND"));

    testing::internal::CaptureStdout();
    QBIBLIO archive("grfx/opengl.qim", false);
    testing::internal::GetCapturedStdout();
    for (SPRITE *s : panel.front) {
        if (dynamic_cast<LABEL *>(s))
            continue;
        EXPECT_NE(archive.get_image(s->sprite_NAME), nullptr) << s->NAME << " " << s->sprite_NAME;
        if (s->mask_NAME[0]) {
            EXPECT_NE(archive.get_image(s->mask_NAME), nullptr) << s->NAME << " " << s->mask_NAME;
        }
        if (BUTTON *b = dynamic_cast<BUTTON *>(s)) {
            EXPECT_NE(archive.get_image(b->images[BUTTON::IMAGE_OFF]), nullptr) << s->NAME;
        }
    }
}

} // namespace
