#include "lang/ui/Language.h"

#include <gtest/gtest.h>

namespace {

QStringList Split(const char *text, const char *separator)
{
    return TLanguage::SplitItems(QString::fromUtf8(text), QString::fromUtf8(separator));
}

TEST(SplitItems, KeepsInnerEmptyItemsAndDropsAnEmptyTail)
{
    EXPECT_EQ(Split("a; b;;c;", ";"), QStringList({"a", "b", "", "c"}));
}

TEST(SplitItems, LeadingSeparatorGivesAnEmptyFirstItem)
{
    EXPECT_EQ(Split(";a", ";"), QStringList({"", "a"}));
    EXPECT_EQ(Split(" ; ", ";"), QStringList({""}));
}

TEST(SplitItems, BlankTailIsNotAnItem)
{
    EXPECT_EQ(Split("a;b;   ", ";"), QStringList({"a", "b"}));
    EXPECT_EQ(Split("a;b ", ";"), QStringList({"a", "b"}));
}

TEST(SplitItems, TextWithoutSeparatorIsOneTrimmedItem)
{
    EXPECT_EQ(Split("  one item  ", ";"), QStringList({"one item"}));
}

TEST(SplitItems, EmptySeparatorMakesTheWholeTextOneItem)
{
    EXPECT_EQ(Split(" a;b ", ""), QStringList({"a;b"}));
}

TEST(SplitItems, SeparatorOfSeveralCharacters)
{
    EXPECT_EQ(Split("a || b||c", "||"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Split("a|b", "||"), QStringList({"a|b"}));
}

TEST(SplitItems, KeepsInnerBlanksOfAnItem)
{
    EXPECT_EQ(Split("Ship explode    ;Ships move down", ";"),
              QStringList({"Ship explode", "Ships move down"}));
}

TEST(ToInteger, AcceptsSignedWholeNumbersIn32Bits)
{
    EXPECT_EQ(TLanguage::ToInteger(QStringLiteral("0")), 0);
    EXPECT_EQ(TLanguage::ToInteger(QStringLiteral("-17")), -17);
    EXPECT_EQ(TLanguage::ToInteger(QStringLiteral("+17")), 17);
    EXPECT_EQ(TLanguage::ToInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(TLanguage::ToInteger(QStringLiteral("-2147483648")), INT32_MIN);
}

TEST(ToInteger, RejectsEverythingElseWithAClearMessage)
{
    for (const char *bad : {"", "abc", "12abc", "1.5", "2147483648", "-2147483649", "0x10"}) {
        try {
            TLanguage::ToInteger(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConversionError &e) {
            EXPECT_NE(std::string(e.what()).find("not a valid integer"), std::string::npos);
        }
    }
}

} // namespace
