// The field splitter shared by the patch readers and the remote commands.
#include <gtest/gtest.h>

#include <memory>

#include "patch/qstr_parser.h"

namespace {

std::unique_ptr<char[]> field(const QSTR_PARSER &p, int n)
{
    return std::unique_ptr<char[]>(p.get_champ(n));
}

} // namespace

TEST(QstrParser, FieldsBetweenSeparators)
{
    const char text[] = "VCO_1;;TYPE=2;tail";
    QSTR_PARSER p(text, ';');
    EXPECT_EQ(p.get_nbr_champs(), 3);
    EXPECT_STREQ(field(p, 0).get(), "VCO_1");
    EXPECT_EQ(field(p, 1), nullptr); // empty field
    EXPECT_STREQ(field(p, 2).get(), "TYPE=2");
    EXPECT_STREQ(field(p, 3).get(), "tail"); // after the last separator
    EXPECT_EQ(field(p, 4), nullptr);         // fewer separators than asked
    EXPECT_EQ(field(p, -1), nullptr);

    p.set_separateur('=');
    EXPECT_EQ(p.get_nbr_champs(), 1);
    EXPECT_STREQ(field(p, 1).get(), "2;tail");
}

TEST(QstrParser, NulSeparatorAndNullText)
{
    QSTR_PARSER nul("abc", '\0');
    EXPECT_EQ(nul.get_nbr_champs(), 0);
    EXPECT_STREQ(field(nul, 0).get(), "abc");
    EXPECT_EQ(field(nul, 1), nullptr);
    QSTR_PARSER none(nullptr, ';');
    EXPECT_EQ(none.get_nbr_champs(), 0);
    EXPECT_EQ(field(none, 0), nullptr);
}
