#include <gtest/gtest.h>

#include <vector>

#include "engine/TextString.h"

namespace {
std::vector<Uint16> unitsOf(const TextString& s)
{
    const Uint16* p = s.c_str();
    return std::vector<Uint16>(p, p + s.length());
}
} // namespace

TEST(TextString, ConstructionAndTerminatedCopy)
{
    TextString empty;
    EXPECT_EQ(empty.length(), 0);
    const Uint16* z = empty.c_str();
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z[0], 0);

    const Uint16 buffer[] = {0x41, 0x142, 0xFEFF, 0};
    TextString wide(buffer);
    EXPECT_EQ(unitsOf(wide), (std::vector<Uint16>{0x41, 0x142, 0xFEFF}));
    EXPECT_EQ(wide.c_str()[3], 0);
    EXPECT_EQ(TextString(static_cast<const Uint16*>(nullptr)).length(), 0);

    TextString narrow("Az\xE9");
    EXPECT_EQ(unitsOf(narrow), (std::vector<Uint16>{'A', 'z', 0xE9}));
}

TEST(TextString, CopiesAreIndependentAndAppendsGrow)
{
    TextString a("ab");
    TextString b = a;
    b.push_back('c');
    b += static_cast<Uint16>('d');
    const Uint16 more[] = {'e', 'f', 0};
    b += more;
    b.appendUnits(more);
    EXPECT_EQ(a, TextString("ab"));
    EXPECT_EQ(b, TextString("abcdefef"));

    b.append(b);
    EXPECT_EQ(b, TextString("abcdefefabcdefef"));
    b.assign(more);
    EXPECT_EQ(b, TextString("ef"));
    EXPECT_EQ(concatTextString(more, TextString("gh")), TextString("efgh"));
}

TEST(TextString, SearchesReturnFirstUnitIndex)
{
    TextString s("a%bc%bd");
    EXPECT_EQ(s.find('%'), 1);
    EXPECT_EQ(s.find('z'), -1);
    EXPECT_EQ(TextString().find('a'), -1);

    const Uint16 code[] = {'%', 'b', 0};
    EXPECT_EQ(s.findText(code), 1);
    const Uint16 missing[] = {'b', '%', 0};
    EXPECT_EQ(s.findText(missing), -1);
    const Uint16 longer[] = {'a', '%', 'b', 'c', '%', 'b', 'd', 'e', 0};
    EXPECT_EQ(s.findText(longer), -1);
    // Whole units are compared: 0x0162 is not 'b'.
    const Uint16 wideB[] = {'%', 0x0162, 0};
    EXPECT_EQ(s.findText(wideB), -1);
}

TEST(TextString, SubstringsOutsideTheStringAreEmpty)
{
    EXPECT_EQ(TextString("abcd").substr(2, 3).length(), 0);
    EXPECT_EQ(TextString("abcde").substr(2, 3), TextString("cde"));
    EXPECT_EQ(TextString("abcde").substr(0, 0).length(), 0);
    EXPECT_EQ(TextString("abcde").substrFrom(5).length(), 0);
    EXPECT_EQ(TextString("abcde").substrFrom(6).length(), 0);
    EXPECT_EQ(TextString("abcde").substrFrom(3), TextString("de"));
    EXPECT_EQ(TextString("abcde").substr(-1, 2).length(), 0);
}

TEST(TextString, NarrowingKeepsLowBytes)
{
    const Uint16 units[] = {0x0041, 0x0142, 0};
    EXPECT_EQ(toNarrowString(units), "AB");
    EXPECT_EQ(toNarrowString(nullptr), "");
}
