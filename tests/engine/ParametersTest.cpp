#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

class ParametersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        logInit(false);
        logCategoryOn(LOG_ERROR);
    }

    // Loads text as "resource8.dat" of a fresh working folder and returns
    // what was printed.
    std::string load(const std::string& text)
    {
        testsupport::writeFile(m_dir.file("resource8.dat"), text);
        ScopedChdir in(m_dir.path());
        CaptureStdout();
        loadParameters();
        return GetCapturedStdout();
    }

    size_t reports(const std::string& out)
    {
        size_t n = 0;
        for (size_t p = out.find("Invalid parameter specified:"); p != std::string::npos;
             p = out.find("Invalid parameter specified:", p + 1))
            ++n;
        return n;
    }

    TempDir m_dir;
};

} // namespace

TEST_F(ParametersTest, ValidFileSetsEveryValue)
{
    std::string out = load("MOREGAMES_URL http://a.example/more\n"
                           "VENDOR_ID shop\n"
                           "USE_TW_BLINK 0\n"
                           "USE_MOREGAMES 1\n"
                           "USE_MORELEVELS no\n");
    EXPECT_EQ(reports(out), 0u);
    EXPECT_STREQ(getMoreGamesUrl(), "http://a.example/more");
    EXPECT_STREQ(getVendorId(), "shop");
    EXPECT_FALSE(getUseTwBlink());
    EXPECT_TRUE(getUseMoreGames());
    EXPECT_FALSE(getUseMoreLevels());
}

TEST_F(ParametersTest, DefaultsWhenKeysAreAbsentAndLaterLinesWin)
{
    std::string out = load("MOREGAMES_URL first\r\nMOREGAMES_URL second\r\n");
    EXPECT_EQ(reports(out), 0u);
    EXPECT_STREQ(getMoreGamesUrl(), "second");
    EXPECT_EQ(getVendorId(), nullptr);
    EXPECT_TRUE(getUseTwBlink());
    EXPECT_TRUE(getUseMoreGames());
    EXPECT_TRUE(getUseMoreLevels());
}

TEST_F(ParametersTest, SwitchIsOnOnlyForExactlyOne)
{
    load("MOREGAMES_URL u\nUSE_MOREGAMES yes\n");
    EXPECT_FALSE(getUseMoreGames());
    load("MOREGAMES_URL u\nUSE_MOREGAMES 1\n");
    EXPECT_TRUE(getUseMoreGames());
    load("MOREGAMES_URL u\nUSE_MOREGAMES 01\n");
    EXPECT_FALSE(getUseMoreGames());
}

TEST_F(ParametersTest, BadLinesAreReportedOnceEachAndSkipped)
{
    std::string out = load("MOREGAMES_URL u\n"
                           "VENDOR_ID a b\n"   // three tokens
                           "\n"                // empty line
                           "COLOUR blue\n"     // unknown key
                           "moregames_url x\n" // keys are case-sensitive
                           "   USE_TW_BLINK     0    \n");
    EXPECT_EQ(reports(out), 4u);
    EXPECT_NE(out.find("Invalid parameter specified:  'VENDOR_ID a b'\n"), std::string::npos);
    EXPECT_NE(out.find("Invalid parameter specified:  ''\n"), std::string::npos);
    EXPECT_STREQ(getMoreGamesUrl(), "u");
    EXPECT_EQ(getVendorId(), nullptr);
    // Several blanks between and after the tokens still make a valid line.
    EXPECT_FALSE(getUseTwBlink());
    // Reports also reach the error log in the working folder.
    std::string log = testsupport::readFile(m_dir.file("LOG.TXT"));
    EXPECT_NE(log.find("Invalid parameter specified:  'COLOUR blue'"), std::string::npos);
}

TEST_F(ParametersTest, BadLinesArePrintedWithControlBytesEscapedAndCut)
{
    std::string binary("KEY \x01\x1b[2J\x7f\xff\\end", 15);
    std::string out = load("MOREGAMES_URL u\n" + binary + "\n");
    EXPECT_NE(out.find("Invalid parameter specified:  'KEY \\x01\\x1B[2J\\x7F\\xFF\\x5Cend'\n"), std::string::npos)
        << out;
    for (char c : out)
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << static_cast<int>(c);

    // 300 printed characters are kept whole; one more cuts the report.
    std::string fits = "X " + std::string(298, 'a');
    std::string over = "Y " + std::string(299, 'b');
    std::string huge = "Z " + std::string(10 * 1024 * 1024, 'c');
    out = load("MOREGAMES_URL u\n" + fits + "\n" + over + "\n" + huge + "\n");
    EXPECT_EQ(reports(out), 3u);
    EXPECT_NE(out.find("'" + fits + "'\n"), std::string::npos);
    EXPECT_NE(out.find("'Y " + std::string(298, 'b') + "... (301 bytes)'\n"), std::string::npos);
    EXPECT_NE(out.find("'Z " + std::string(298, 'c') + "... (10485762 bytes)'\n"), std::string::npos);
    EXPECT_LT(out.size(), 2000u);
    std::string log = testsupport::readFile(m_dir.file("LOG.TXT"));
    EXPECT_LT(log.size(), 4000u);
    // Escapes count as what they print.
    std::string controls = "W " + std::string(100, '\t');
    out = load("MOREGAMES_URL u\n" + controls + "\n");
    EXPECT_NE(out.find("'W " + [] {
                  std::string s;
                  for (int i = 0; i < 74; ++i)
                      s += "\\x09";
                  return s;
              }() + "... (102 bytes)'\n"),
              std::string::npos)
        << out;
}

TEST_F(ParametersTest, MissingAddressOrMissingFileIsFatal)
{
    EXPECT_EXIT(load("VENDOR_ID x\n"), ::testing::ExitedWithCode(1),
                "");
    TempDir empty;
    ScopedChdir in(empty.path());
    EXPECT_EXIT(
        {
            loadParameters();
        },
        ::testing::ExitedWithCode(1), "");
    std::string log = testsupport::readFile(empty.file("LOG.TXT"));
    EXPECT_NE(log.find("'resource8.dat' cannot be used:  cannot be opened: No such file or directory\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("'MoreGames' URL has not been defined.\n"), std::string::npos);
}

TEST_F(ParametersTest, TheShippedFileIsValid)
{
    std::string out = load(testsupport::readFile(testsupport::runDir() + "/resource8.dat"));
    EXPECT_EQ(reports(out), 0u);
    ASSERT_NE(getMoreGamesUrl(), nullptr);
}
