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
    EXPECT_NE(testsupport::readFile(empty.file("LOG.TXT")).find("'MoreGames' URL has not been defined.\n"),
              std::string::npos);
}

TEST_F(ParametersTest, TheShippedFileIsValid)
{
    std::string out = load(testsupport::readFile(testsupport::runDir() + "/resource8.dat"));
    EXPECT_EQ(reports(out), 0u);
    ASSERT_NE(getMoreGamesUrl(), nullptr);
}
