// Runs the resource builder's string compiler on small sources: good input
// gives the exact UTF-16LE bytes the game's reader expects, input the reader
// would misread is refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace {

std::string tool()
{
    return testsupport::runDir() + "/../tools/resbuild/resbuild";
}

// Compiles the source; returns the exit status and fills the output bytes.
int compile(const std::string& source, std::string& out)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("in.txt"), source);
    const std::string cmd = "'" + tool() + "' strings '" + dir.file("in.txt") + "' '" + dir.file("out.dat") +
                            "' 2>/dev/null";
    const int status = std::system(cmd.c_str());
    out = testsupport::fileExists(dir.file("out.dat")) ? testsupport::readFile(dir.file("out.dat")) : "";
    return status;
}

std::string utf16le(const std::u16string& s)
{
    std::string b;
    for (char16_t c : s) {
        b += static_cast<char>(c & 0xFF);
        b += static_cast<char>(c >> 8);
    }
    return b;
}

TEST(StringCompiler, WritesUtf16WithoutCommentsOrAFinalLineBreak)
{
    ASSERT_TRUE(testsupport::fileExists(tool()));
    std::string out;
    ASSERT_EQ(compile("# comment\r\n!f.ttf|12|1|2|3|4\r\n\r\n@7|Caf\xC3\xA9 %b\xE2\x82\xAC%b\n\n", out), 0);
    EXPECT_EQ(out, utf16le(u"\xFEFF!f.ttf|12|1|2|3|4\n@7|Caf\u00E9 %b\u20AC%b"));
}

TEST(StringCompiler, RefusesWhatTheReaderWouldMisread)
{
    std::string out;
    EXPECT_NE(compile("@1|before any font", out), 0);
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|a | b", out), 0);          // "|" inside a text
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|a\n@1|b", out), 0);        // the same id twice
    EXPECT_NE(compile("!f|1|0|0|0|0\nx not a marker", out), 0);
    EXPECT_NE(compile("!f|1|0|0|0\n@1|a", out), 0);                // five font fields
    EXPECT_NE(compile("!f|1|300|0|0|0\n@1|a", out), 0);            // colour above 255
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|", out), 0);               // empty text
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|\xF0\x9F\x98\x80", out), 0); // outside 16 bits
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|a\rb", out), 0);      // a lone CR splits the line
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|" + std::string(1024, 'a'), out), 0);
    EXPECT_EQ(compile("!f|1|0|0|0|0\n@1|" + std::string(1023, 'a'), out), 0);
}

TEST(StringCompiler, RefusesByteOrderMarksInsideALine)
{
    std::string out;
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|a\xEF\xBB\xBF" "b", out), 0); // U+FEFF
    EXPECT_NE(compile("!f|1|0|0|0|0\n@1|\xEF\xBF\xBE" "ab", out), 0); // U+FFFE
    EXPECT_NE(compile("!f\xEF\xBB\xBF|1|0|0|0|0\n@1|ab", out), 0);
    EXPECT_EQ(compile("!f|1|0|0|0|0\n@1|a\xEF\xBF\xBD" "b", out), 0); // U+FFFD is a character
}

TEST(StringCompiler, FontLinesFollowTheGamesLimits)
{
    std::string out;
    // Point size 1 to 200.
    EXPECT_NE(compile("!f|0|0|0|0|0\n@1|a", out), 0);
    EXPECT_EQ(compile("!f|1|0|0|0|0\n@1|a", out), 0);
    EXPECT_EQ(compile("!f|200|0|0|0|0\n@1|a", out), 0);
    EXPECT_NE(compile("!f|201|0|0|0|0\n@1|a", out), 0);
    // Colours 0 to 255.
    EXPECT_EQ(compile("!f|9|255|255|255|0\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|256|0|0\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|0|-1|0\n@1|a", out), 0);
    // Line spacing -100 to 100.
    EXPECT_EQ(compile("!f|9|0|0|0|-100\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|0|0|-101\n@1|a", out), 0);
    EXPECT_EQ(compile("!f|9|0|0|0|100\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|0|0|101\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|0|0|2147483647\n@1|a", out), 0);
    EXPECT_NE(compile("!f|9|0|0|0|99999999999999999999\n@1|a", out), 0);
    // The font stays in the font folder.
    EXPECT_NE(compile("!../f.ttf|9|0|0|0|0\n@1|a", out), 0);
    EXPECT_NE(compile("!/usr/f.ttf|9|0|0|0|0\n@1|a", out), 0);
    EXPECT_NE(compile("!..|9|0|0|0|0\n@1|a", out), 0);
    EXPECT_NE(compile("!|9|0|0|0|0\n@1|a", out), 0);
    EXPECT_EQ(compile("!my.font.ttf|9|0|0|0|0\n@1|a", out), 0);
}

} // namespace
