#include <gtest/gtest.h>

#include <string>

#include "engine/rectangle.h"

namespace {

TEST(VornEngineTest, SerialNumbersAndDefaultNames)
{
    VORN_ENGINE::CPT = 0;
    VORN_ENGINE first;
    BASE second(0, 0, 0);
    VORN_ENGINE third("NAMED");
    EXPECT_EQ(first.ID, 0u);
    EXPECT_EQ(second.ID, 1u);
    EXPECT_EQ(third.ID, 2u);
    EXPECT_EQ(VORN_ENGINE::CPT, 3u);
    EXPECT_EQ(std::string(first.NAME), "ITEM_" + std::string(19, ' ') + "0");
    EXPECT_EQ(std::string(second.NAME), "ITEM_" + std::string(19, ' ') + "1");
    EXPECT_STREQ(third.NAME, "NAMED");
    EXPECT_EQ(first.hidden, 0);
    for (char c : third.ID_NAME)
        EXPECT_EQ(c, '\0');
}

TEST(VornEngineTest, NamesAreCutAndNullGivesTheDefault)
{
    VORN_ENGINE item;
    item.set_NAME(std::string(100, 'x').c_str());
    EXPECT_EQ(std::string(item.NAME), std::string(79, 'x'));
    item.set_NAME(std::string(79, 'y').c_str());
    EXPECT_EQ(std::string(item.NAME), std::string(79, 'y'));
    item.set_NAME(nullptr);
    char expected[80];
    std::snprintf(expected, sizeof expected, "DEFAULT_ITEM_%20u", item.ID);
    EXPECT_STREQ(item.NAME, expected);

    item.set_ID_NAME(std::string(90, 'z').c_str());
    EXPECT_EQ(std::string(item.ID_NAME), std::string(79, 'z'));
}

TEST(VornEngineTest, CopyAssignmentCopiesTheSerialNumber)
{
    BASE a(1, 2, 3);
    BASE b(4, 5, 6);
    b = a;
    EXPECT_EQ(b.ID, a.ID);
    EXPECT_STREQ(b.NAME, a.NAME);
    EXPECT_EQ(b.y, 2);
}

TEST(BaseTest, FourArgumentFormIgnoresTheName)
{
    BASE point(1, 2, 3, "A");
    char expected[80];
    std::snprintf(expected, sizeof expected, "BASE_ITEM_%20u", point.ID);
    EXPECT_STREQ(point.NAME, expected);
    EXPECT_EQ(point.x, 1);
    EXPECT_EQ(point.z, 3);
}

TEST(BaseTest, EqualityMeansWithinTwoPixels)
{
    BASE a(10, 10, 0);
    EXPECT_TRUE(a == BASE(11.9f, 8.1f, 1.5f));
    EXPECT_FALSE(a == BASE(12, 10, 0));
    EXPECT_FALSE(a == BASE(10, 10, -2));
}

TEST(RectangleTest, PointTestIsInclusiveOnAllSides)
{
    RECTANGLE r(10, 20, 0, 30, 40, 0, nullptr);
    EXPECT_TRUE(r == BASE(10, 20, 0));
    EXPECT_TRUE(r == BASE(40, 60, 0));
    EXPECT_TRUE(r == BASE(25, 60, 0));
    EXPECT_FALSE(r == BASE(41, 30, 0));
    EXPECT_FALSE(r == BASE(9, 30, 0));
    EXPECT_FALSE(r == BASE(20, 61, 0));
    EXPECT_FALSE(r == BASE(20, 19, 0));
}

TEST(RectangleTest, PointTestTruncatesEachValue)
{
    // 10.7 + 30.7 would reach 41 as a float sum; truncated one by one it is 40.
    RECTANGLE r(10.7f, 20, 0, 30.7f, 40, 0, nullptr);
    EXPECT_TRUE(r == BASE(40.9f, 30, 0));
    EXPECT_FALSE(r == BASE(41, 30, 0));
    EXPECT_TRUE(r == BASE(10.2f, 30, 0));
}

TEST(RectangleTest, OverlapIncludesTouchingEdges)
{
    RECTANGLE r(0, 0, 0, 10, 10, 0, nullptr);
    EXPECT_TRUE(r == RECTANGLE(5, 5, 0, 10, 10, 0, nullptr));
    EXPECT_TRUE(r == RECTANGLE(10, 10, 0, 5, 5, 0, nullptr));
    EXPECT_TRUE(r == RECTANGLE(-5, -5, 0, 5, 5, 0, nullptr));
    EXPECT_TRUE(r == RECTANGLE(2, 2, 0, 2, 2, 0, nullptr));     // inside
    EXPECT_TRUE(r == RECTANGLE(-5, -5, 0, 20, 20, 0, nullptr)); // around
    EXPECT_FALSE(r == RECTANGLE(11, 0, 0, 5, 5, 0, nullptr));
    EXPECT_FALSE(r == RECTANGLE(0, 11, 0, 5, 5, 0, nullptr));
    EXPECT_FALSE(r == RECTANGLE(-6, 0, 0, 5, 5, 0, nullptr));
    EXPECT_FALSE(r == RECTANGLE(0, -6, 0, 5, 5, 0, nullptr));
    // Sums are formed before truncation: -5.5 + 5.6 reaches 0.
    EXPECT_TRUE(r == RECTANGLE(-5.5f, 0, 0, 5.6f, 5, 0, nullptr));
}

TEST(RectangleTest, AfficheprintsTruncatedValues)
{
    RECTANGLE r(1.9f, 2, 3, 4, 5.5f, 6, nullptr);
    testing::internal::CaptureStdout();
    r.affiche();
    char expected[100];
    std::snprintf(expected, sizeof expected, "RECT[%p] 1, 2, 3 4, 5, 6 \n",
                  static_cast<const void *>(&r));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
}

} // namespace
