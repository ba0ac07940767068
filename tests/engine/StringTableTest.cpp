#include <gtest/gtest.h>

#include "engine/StringTable.h"
#include "StringFileBytes.h"
#include "test_support.h"

using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

StringTable loadFrom(const TempDir& dir, const std::string& bytes)
{
    testsupport::writeFile(dir.file("strings.dat"), bytes);
    StringTable table;
    loadStringFile(dir.file("strings.dat").c_str(), table);
    return table;
}

// Runs a load that must end the program and returns what it wrote to the
// error log ("LOG.TXT" in the working folder, as no profile folder is set).
// The child is forked in place so that it shares this test's folder.
std::string failingLoad(const TempDir& dir, const std::string& bytes)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    testsupport::writeFile(dir.file("strings.dat"), bytes);
    ScopedChdir inDir(dir.path());
    EXPECT_EXIT(
        {
            StringTable table;
            loadStringFile("strings.dat", table);
        },
        ::testing::ExitedWithCode(1), "");
    return testsupport::readFile(dir.file("LOG.TXT"));
}

const char16_t* const FONT_LINE = u"!font.ttf|24|255|255|255|2";

} // namespace

TEST(StringTable, ByteOrderMarkFontLineAndStringLine)
{
    TempDir dir;
    StringTable table = loadFrom(dir, byteOrderMark() + utf16le(std::u16string(FONT_LINE) + u"\n@5|Hello"));
    ASSERT_EQ(table.size(), 1u);
    const StringTableEntry& e = table[5];
    EXPECT_EQ(e.text, TextString("Hello"));
    EXPECT_EQ(e.fontFile, "font.ttf");
    EXPECT_EQ(e.size, 24);
    EXPECT_EQ(e.red, 255);
    EXPECT_EQ(e.green, 255);
    EXPECT_EQ(e.blue, 255);
    EXPECT_EQ(e.lineSpacing, 2);
}

TEST(StringTable, FinalLineBreakIsAParseErrorOfTheNextLine)
{
    TempDir dir;
    std::string log = failingLoad(dir, byteOrderMark() + utf16le(std::u16string(FONT_LINE) + u"\n@5|Hello\n"));
    EXPECT_NE(log.find("FONTSYSTEM: Unable to parse line number 3\n"), std::string::npos) << log;
}

TEST(StringTable, UnknownMarkerReportsItsLineCountingCommentsNotBlankLines)
{
    {
        TempDir dir;
        std::string log = failingLoad(dir, utf16le(u"x|1|2"));
        EXPECT_NE(log.find("Unable to parse line number 1\n"), std::string::npos) << log;
    }
    {
        TempDir dir;
        std::string log = failingLoad(dir, utf16le(u"\r\n\r\n# a comment\r\n\n\nx"));
        EXPECT_NE(log.find("Unable to parse line number 2\n"), std::string::npos) << log;
    }
    {
        // The mark counts only as the very first unit.
        TempDir dir;
        std::string log = failingLoad(dir, utf16le(std::u16string(FONT_LINE) + u"\n\uFEFF@5|Hello"));
        EXPECT_NE(log.find("Unable to parse line number 2\n"), std::string::npos) << log;
    }
}

TEST(StringTable, MissingFileEndsTheProgram)
{
    TempDir dir;
    GTEST_FLAG_SET(death_test_style, "fast");
    ScopedChdir inDir(dir.path());
    EXPECT_EXIT(
        {
            StringTable table;
            loadStringFile("absent.dat", table);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_NE(testsupport::readFile(dir.file("LOG.TXT")).find("FONTSYSTEM: Cannot load string data file.\n"),
              std::string::npos);
}

TEST(StringTable, LaterIdWinsAndEntriesKeepTheFontInForce)
{
    TempDir dir;
    StringTable table = loadFrom(dir, utf16le(u"!a.ttf|10|1|2|3|4\n"
                                              u"@5|first\n"
                                              u"@6|six\n"
                                              u"!b.ttf|12|9|8|7|-1\n"
                                              u"@5|second"));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[5].text, TextString("second"));
    EXPECT_EQ(table[5].fontFile, "b.ttf");
    EXPECT_EQ(table[5].size, 12);
    EXPECT_EQ(table[5].red, 9);
    EXPECT_EQ(table[5].lineSpacing, -1);
    EXPECT_EQ(table[6].fontFile, "a.ttf");
    EXPECT_EQ(table[6].blue, 3);
    EXPECT_EQ(table[6].lineSpacing, 4);
}

TEST(StringTable, BlankAndCommentLinesChangeNothing)
{
    TempDir plainDir, paddedDir;
    StringTable plain = loadFrom(plainDir, utf16le(u"!a.ttf|10|1|2|3|4\n@1|one\n@2|two"));
    StringTable padded = loadFrom(paddedDir, utf16le(u"#top\r\n!a.ttf|10|1|2|3|4\r\n\r\n# @9|not me\n\n"
                                                     u"@1|one\r\r\n#\n@2|two"));
    ASSERT_EQ(padded.size(), plain.size());
    for (auto& kv : plain) {
        const StringTableEntry& p = padded[kv.first];
        EXPECT_EQ(p.text, kv.second.text);
        EXPECT_EQ(p.fontFile, kv.second.fontFile);
        EXPECT_EQ(p.lineSpacing, kv.second.lineSpacing);
    }
}

TEST(StringTable, CrLfClosesOneExtraField)
{
    TempDir dir;
    // An id alone ended by CR LF gets an empty text; by a lone LF none. The
    // extra field after a full font line is ignored.
    StringTable table = loadFrom(dir, utf16le(u"!a.ttf|10|1|2|3|4\r\n@7\r\n@8\n@9|nine"));
    EXPECT_EQ(table.count(7), 1u);
    EXPECT_EQ(table[7].text.length(), 0);
    EXPECT_EQ(table[7].lineSpacing, 4);
    EXPECT_EQ(table.count(8), 0u);
    EXPECT_EQ(table[9].text, TextString("nine"));
}

TEST(StringTable, FieldRules)
{
    TempDir dir;
    StringTable table = loadFrom(dir, utf16le(u"!x\u0162y.ttf|  18pt|200|0|0|2|ignored\n"
                                              u"@ 42abc|%bBold%b \u0142 \uFEFF|extra\n"
                                              u"@43|") + std::string("Q"));
    ASSERT_EQ(table.count(42), 1u);
    const Uint16 expected[] = {'%', 'b', 'B', 'o', 'l', 'd', '%', 'b', ' ', 0x0142, ' ', 0xFEFF, 0};
    EXPECT_EQ(table[42].text, TextString(expected));
    // Font names keep each unit's low byte; numbers skip blanks and stop at
    // the first non-digit.
    EXPECT_EQ(table[42].fontFile, "xby.ttf");
    EXPECT_EQ(table[42].size, 18);
    EXPECT_EQ(table[42].red, 200);
    EXPECT_EQ(table[42].lineSpacing, 2);
    // The final odd byte is no unit; the empty text still makes an entry.
    ASSERT_EQ(table.count(43), 1u);
    EXPECT_EQ(table[43].text.length(), 0);
}

TEST(StringTable, OverlongFieldIsCutWithoutDisturbingLaterLines)
{
    TempDir dir;
    std::u16string longText(1500, u'a');
    longText[1022] = u'z';
    StringTable table = loadFrom(dir, utf16le(u"!" + std::u16string(2000, u'f') + u"|10|1|2|3|4\n@1|" + longText +
                                              u"|\n@2|after"));
    ASSERT_EQ(table[1].text.length(), STRING_FIELD_MAX_UNITS);
    EXPECT_EQ(table[1].text.c_str()[1022], u'z');
    EXPECT_EQ(table[1].fontFile.size(), static_cast<size_t>(STRING_FIELD_MAX_UNITS));
    EXPECT_EQ(table[1].size, 10);
    EXPECT_EQ(table[2].text, TextString("after"));
    EXPECT_EQ(table[2].lineSpacing, 4);
}

TEST(StringTable, FontLineFieldsAreCheckedAndRefusedWithTheirLineNumber)
{
    struct Case {
        const char16_t* fontLine;
        const char* reason; // null: accepted
    };
    const Case cases[] = {
        {u"!font.ttf|0|1|2|3|4", "the point size 0 is outside 1 to 200"},
        {u"!font.ttf|1|1|2|3|4", nullptr},
        {u"!font.ttf|200|1|2|3|4", nullptr},
        {u"!font.ttf|201|1|2|3|4", "the point size 201 is outside 1 to 200"},
        {u"!font.ttf|-5|1|2|3|4", "the point size -5 is outside 1 to 200"},
        {u"!font.ttf|12|0|0|0|4", nullptr},
        {u"!font.ttf|12|255|255|255|4", nullptr},
        {u"!font.ttf|12|256|2|3|4", "the red 256 is outside 0 to 255"},
        {u"!font.ttf|12|1|-1|3|4", "the green -1 is outside 0 to 255"},
        {u"!font.ttf|12|1|2|300|4", "the blue 300 is outside 0 to 255"},
        {u"!font.ttf|12|1|2|3|-100", nullptr},
        {u"!font.ttf|12|1|2|3|-101", "the line spacing -101 is outside -100 to 100"},
        {u"!font.ttf|12|1|2|3|100", nullptr},
        {u"!font.ttf|12|1|2|3|101", "the line spacing 101 is outside -100 to 100"},
        {u"!font.ttf|12|1|2|3|2147483647", "the line spacing 2147483647 is outside -100 to 100"},
        {u"!font.ttf|12|1|2|3|99999999999999999999", "the line spacing 2147483647 is outside"},
        {u"!font.ttf|twelve|1|2|3|4", "the point size is not a number"},
        {u"!font.ttf|12|1|2|3|", "the line spacing is not a number"},
        {u"!../font.ttf|12|1|2|3|4", "the font file name '../font.ttf' leaves the font folder"},
        {u"!/usr/share/fonts/font.ttf|12|1|2|3|4", "leaves the font folder"},
        {u"!fonts\\font.ttf|12|1|2|3|4", "leaves the font folder"},
        {u"!..|12|1|2|3|4", "leaves the font folder"},
        {u"!|12|1|2|3|4", "the font file name is empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toNarrowString(reinterpret_cast<const Uint16*>(c.fontLine)));
        // The font line is line 2, after a good one.
        std::string bytes = utf16le(std::u16string(FONT_LINE) + u"\n" + c.fontLine + u"\n@5|Hello");
        TempDir dir;
        if (!c.reason) {
            StringTable table = loadFrom(dir, bytes);
            EXPECT_EQ(table.count(5), 1u);
            continue;
        }
        std::string log = failingLoad(dir, bytes);
        size_t line = log.find("'strings.dat' cannot be used:  line 2: the ");
        EXPECT_NE(line, std::string::npos) << log;
        EXPECT_NE(log.find(c.reason, line), std::string::npos) << log;
        EXPECT_NE(log.find("FONTSYSTEM: Unable to parse line number 2\n"), std::string::npos) << log;
    }
}
