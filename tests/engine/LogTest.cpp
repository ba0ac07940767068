#include <gtest/gtest.h>

#include <regex>
#include <sys/stat.h>

#include "engine/Log.h"
#include "test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

Uint32 g_fakeTicks = 0;
Uint32 fakeTicks() { return g_fakeTicks; }

// The log as main sets it up: everything off but NOTE, WARNING and ERROR.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        logInit(false);
        logCategoryOn(LOG_NOTE);
        logCategoryOn(LOG_WARNING);
        logCategoryOn(LOG_ERROR);
        logSetTickSource(fakeTicks);
    }
    void TearDown() override { logSetTickSource(nullptr); }
};

} // namespace

TEST_F(LogTest, DefaultSetupPrintsOnlyEnabledCategoriesWithPrefixes)
{
    CaptureStdout();
    logPrint(LOG_DEBUG, "hidden %d\n", 1);
    logPrint(LOG_MILESTONE, "ID_000:  INIT:  Image Load Started\n");
    logPrint(LOG_ERROR, "broken %s\n", "thing");
    logPrint(LOG_WARNING, "careful\n");
    logPrint(LOG_ERROR | LOG_NO_PREFIX, "bare\n");
    EXPECT_EQ(GetCapturedStdout(), "*** ERROR ***  broken thing\nWARNING: careful\nbare\n");
}

TEST_F(LogTest, PrefixesAndSwitches)
{
    logCategoryOn(LOG_CGAME);
    logCategoryOn(LOG_CEDITOR);
    logCategoryOn(LOG_GRID);
    CaptureStdout();
    logPrint(LOG_CGAME, "a\n");
    logPrint(LOG_CEDITOR, "b\n");
    logPrint(LOG_GRID, "c\n"); // category 5 has no prefix
    logCategoryToggle(LOG_CGAME);
    logPrint(LOG_CGAME, "gone\n");
    logCategoryToggle(LOG_CGAME);
    logSetPrefix(LOG_CGAME, "0123456789012345678901234567890123456789");
    logPrint(LOG_CGAME, "d\n");
    logCategoryOff(LOG_CGAME);
    logPrint(LOG_CGAME, "gone\n");
    // Out-of-range categories are ignored rather than indexing past the tables.
    logCategoryOn(40);
    logPrint(40, "gone\n");
    EXPECT_EQ(GetCapturedStdout(),
              "CGAME:       a\nCEDITOR:     b\nc\n0123456789012345678901234567890123d\n");
}

TEST_F(LogTest, InitWithTrueSwitchesEverythingOnAndResetsPrefixes)
{
    logSetPrefix(LOG_DEBUG, "X: ");
    logInit(true);
    EXPECT_TRUE(logCategoryEnabled(LOG_STACK));
    EXPECT_TRUE(logCategoryEnabled(LOG_MILESTONE));
    EXPECT_STREQ(logGetPrefix(LOG_DEBUG), "DEBUG:   ");
    EXPECT_STREQ(logGetPrefix(LOG_TIMING), "");
    EXPECT_STREQ(logGetPrefix(21), "RENDER SORTING RV:           ");
}

TEST_F(LogTest, TimingCategoriesPrintTickStampsInsteadOfPrefixes)
{
    logCategoryOn(LOG_TIMING);
    logCategoryOn(LOG_MILESTONE);
    logSetPrefix(LOG_TIMING, "NEVER ");
    CaptureStdout();
    g_fakeTicks = 100;
    logPrint(LOG_TIMING, "one\n");
    g_fakeTicks = 115;
    logPrint(LOG_TIMING, "two\n");
    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    // With the no-prefix bit the value is not 30, so neither stamp nor prefix.
    logPrint(LOG_TIMING | LOG_NO_PREFIX, "three\n");
    EXPECT_EQ(GetCapturedStdout(),
              "*** T=100       d=+100     *** one\n"
              "*** T=115       d=+15      *** two\n"
              "BETA TICKS:   T=115       d=+115     *** ID_900:  SHUTDOWN COMPLETED\n"
              "three\n");
}

TEST_F(LogTest, FatalErrorAppendsStampedLineAndExitsWithOne)
{
    TempDir dir;
    ScopedChdir in(dir.path());
    // Before the user folders exist the error log lies in the working folder.
    testsupport::writeFile(dir.file("LOG.TXT"), std::string("earlier line\n"));
    EXPECT_EXIT(logError(true, "Fatal %s %i\n", "thing", 7), ::testing::ExitedWithCode(1),
                "");
    std::string log = testsupport::readFile(dir.file("LOG.TXT"));
    std::regex line("earlier line\n"
                    "[0-3][0-9]/[01][0-9]/[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] - "
                    "Fatal thing 7\n");
    EXPECT_TRUE(std::regex_match(log, line)) << log;
}

TEST_F(LogTest, NonFatalErrorPrintsAndAppendsEachCall)
{
    TempDir dir;
    ScopedChdir in(dir.path());
    CaptureStdout();
    logError(false, "first\n");
    logError(false, "second\n");
    EXPECT_EQ(GetCapturedStdout(), "first\nsecond\n");
    std::string log = testsupport::readFile(dir.file("LOG.TXT"));
    EXPECT_TRUE(std::regex_match(log, std::regex(".{20}first\n.{20}second\n"))) << log;
}

TEST_F(LogTest, UnwritableLogFileStillPrintsAndStillExits)
{
    TempDir dir;
    ScopedChdir in(dir.path());
    // A folder named LOG.TXT cannot be opened as a file.
    ASSERT_EQ(mkdir(dir.file("LOG.TXT").c_str(), 0755), 0);
    CaptureStdout();
    logError(false, "message\n");
    EXPECT_EQ(GetCapturedStdout(), "message\n*** ERROR ***  Cannot open log file at 'LOG.TXT'\n");
    EXPECT_EXIT(logError(true, "bye\n"), ::testing::ExitedWithCode(1), "");
}
