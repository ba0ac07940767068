// Every frame of every animation state of the professor and the bot, and
// every icon of the power-up bar, is a picture that the image catalogues
// have put into the image store; every sound the walkers load is in the
// sound archive.
#include <set>
#include <string>

#include "WalkerTestSupport.h"
#include "engine/CDraw.h"
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "test_support.h"

using namespace walkertest;

namespace {

void expectFramesInStore(const std::vector<WalkerAnimation>& table, size_t states)
{
    ASSERT_EQ(table.size(), states);
    for (size_t i = 0; i < table.size(); ++i) {
        const WalkerAnimation& a = table[i];
        SCOPED_TRACE(a.name);
        EXPECT_FALSE(a.frames.empty()) << i;
        for (const std::string& frame : a.frames)
            EXPECT_GE(CDraw::FindImageId(frame.c_str()), 0) << "state " << i << ": " << frame;
    }
}

std::set<std::string> soundArchiveNames()
{
    std::set<std::string> names;
    ResourceArchiveReader archive;
    if (!archive.Open((testsupport::runDir() + "/resource3.dat").c_str()))
        return names;
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < archive.Count(); ++i)
        if (archive.ReadEntry(i, name, data))
            names.insert(name);
    return names;
}

} // namespace

TEST(WalkerAssets, EveryProfessorStateFindsAllItsFramesInTheImageStore)
{
    boardtest::startWorld();
    expectFramesInStore(CElementAIProfessor::AnimationTable(), CElementAIProfessor::PROF_ANIMATION_COUNT);
    expectFramesInStore(CElementAIProfessor::IdleTable(), CElementAIProfessor::IDLE_COUNT);
    // Spot checks of frame lists built from several pieces.
    const std::vector<WalkerAnimation>& table = CElementAIProfessor::AnimationTable();
    EXPECT_EQ(table[CElementAIProfessor::PROF_STAND_MIDDLE].frames.size(), 8u + 4u + 8u + 1u + 8u + 1u);
    EXPECT_EQ(table[CElementAIProfessor::PROF_TUBE_ENTRANCE].frames.front(), "tubeentrance0.png");
    EXPECT_EQ(table[CElementAIProfessor::PROF_TUBE_ENTRANCE].frames.back(), "tube0.tga");
    EXPECT_EQ(table[CElementAIProfessor::PROF_CAUGHT_LEFT].frames.size(), 28u + 5u * 6u);
    EXPECT_EQ(table[CElementAIProfessor::PROF_HEAT].frames.size(), 20u + 8u + 15u);
    EXPECT_EQ(table[CElementAIProfessor::PROF_TUBE_EXIT].type, 73);
    EXPECT_EQ(table[CElementAIProfessor::PROF_STUN_LEFT].frameDelay, 3);
    EXPECT_EQ(table[CElementAIProfessor::PROF_TURN_LEFT].frameDelay, 2);
}

TEST(WalkerAssets, EveryBotStateFindsAllItsFramesInTheImageStore)
{
    boardtest::startWorld();
    expectFramesInStore(CElementAIBot::AnimationTable(), CElementAIBot::BOT_ANIMATION_COUNT);
    const std::vector<WalkerAnimation>& table = CElementAIBot::AnimationTable();
    EXPECT_EQ(table[CElementAIBot::BOT_CAPTURE_RIGHT].frames.size(), 25u + 5u * 6u + 3u);
    EXPECT_TRUE(table[CElementAIBot::BOT_RUN_LEFT].loop);
    EXPECT_FALSE(table[CElementAIBot::BOT_LANDING].loop);
    EXPECT_EQ(table[CElementAIBot::BOT_HEATED_RIGHT].anchorX, 16);
    EXPECT_EQ(table[CElementAIBot::BOT_EMPED_LEFT_LFALL].frames.size(), 5u);
}

TEST(WalkerAssets, EveryIconOfThePowerupBarIsInTheImageStore)
{
    boardtest::startWorld();
    std::vector<std::string> names = CElementAIProfessor::IconFrameNames();
    EXPECT_EQ(names.size(), 9u * 3u + 11u * 6u + 3u * 9u);
    for (const std::string& name : names)
        EXPECT_GE(CDraw::FindImageId(name.c_str()), 0) << name;
}

TEST(WalkerAssets, EverySoundTheWalkersLoadIsInTheSoundArchive)
{
    std::set<std::string> archive = soundArchiveNames();
    if (archive.empty())
        GTEST_SKIP() << "no sound archive in " << testsupport::runDir();
    boardtest::startWorld();
    if (!CSound::isAvailable())
        GTEST_SKIP() << "sound is off";
    std::multiset<std::string> before;
    {
        Board empty;
        std::vector<std::string> names = CSound::liveSoundNames();
        before.insert(names.begin(), names.end());
    }
    // The sounds a professor and a bot load when they are built.
    Board board(R"(
        P.>
        ###
    )");
    std::multiset<std::string> loaded;
    for (const std::string& name : CSound::liveSoundNames())
        loaded.insert(name);
    for (const std::string& name : before)
        loaded.erase(loaded.find(name));
    for (const std::string& name : loaded)
        EXPECT_TRUE(archive.count(name)) << name;
    // The walkers' own sounds, each loaded by its constructor.
    std::vector<std::string> expected = {"tube_arrival.ogg", "tube_departure.ogg", "powerup_frostgun.ogg",
                                         "powerup_heatgun.ogg", "powerup_emp.ogg", "powerup_whistle.ogg",
                                         "powerup_inflate.ogg", "powerup_fail.ogg", "emp_electricity.ogg",
                                         "bot_catches_prof.ogg", "professor_trampoline.ogg", "professor_crush.ogg",
                                         "stuck_ice.ogg", "professor_land.ogg", "explode_heat_metal.ogg",
                                         "bot_fall.ogg", "bot_crush.ogg", "bot_slide.ogg"};
    for (int i = 0; i < 6; ++i)
        expected.push_back("professor_run" + std::to_string(i) + ".ogg");
    for (int i = 0; i < 4; ++i) {
        expected.push_back("professor_climb" + std::to_string(i) + ".ogg");
        expected.push_back("bot_climb" + std::to_string(i) + ".ogg");
    }
    for (int i = 1; i <= 12; ++i)
        expected.push_back("bot_footstep" + std::to_string(i) + ".ogg");
    for (const std::string& name : expected)
        EXPECT_EQ(loaded.count(name), 1u) << name;
    EXPECT_EQ(loaded.count("bot_hang_detect.ogg"), 2u);
}
