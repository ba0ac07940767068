// Building the board: every tile code through the play screen's level load,
// runs of terrain, ladders, teleport power-up colours, frozen and heated
// cells, the screen's own sprites, and the refusal of a level without both
// tubes.
#include <gtest/gtest.h>

#include <string>

#include "elements/CElementDevicePowerup.h"
#include "elements/CElementLadder.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiCounter.h"
#include "play/CControllerGame.h"
#include "walkers/CElementAIProfessor.h"
#include "world/CElement.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"
#include "play/GameTestSupport.h"

using gametest::GameTest;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

class Load : public GameTest {
protected:
    // The walk floor plus one tile at (10, 20).
    void loadWith(int code, int flag = CELL_NORMAL)
    {
        m_level.Clear();
        m_level.SetName("one-tile");
        gametest::drawLevel(m_level, gametest::kWalkFloor);
        m_level.SetTile(code, 10, 20);
        m_level.SetCellFlags(flag, 10, 20);
        if (!m_screen)
            play(m_level);
        else
            m_screen->restartLevel(&m_level);
    }
    int countLines(const std::string& text, const std::string& part)
    {
        int n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }
};

struct Expected {
    int code;
    int type;
    int subType; // typeTerrain, typeObject, typeDevice, typeAI or 0, by type
    int extra;   // typeMagnet, facing (1 left, 0 right) or power-up type; -1 not checked
};

int subTypeOf(const CElement* e)
{
    switch (e->type) {
    case CElement::TYPE_TERRAIN: return e->typeTerrain;
    case CElement::TYPE_OBJECT: return e->typeObject;
    case CElement::TYPE_DEVICE: return e->typeDevice;
    case CElement::TYPE_AI: return e->typeAI;
    default: return 0;
    }
}

} // namespace

TEST_F(Load, EveryTileCodeGivesTheElementOfItsTable)
{
    const Expected table[] = {
        {TUTORIAL, 8, 0, -1},
        {POWERUP_FROSTGUN, 4, 7, 5},
        {POWERUP_HEATGUN, 4, 7, 6},
        {POWERUP_WHISTLE, 4, 7, 8},
        {DEVICE_TUBE_END, 4, 5, -1},
        {POWERUP_BRIDGE, 4, 7, 7},
        {POWERUP_EMP, 4, 7, 4},
        {POWERUP_CRATE, 4, 7, 1},
        {POWERUP_BARREL, 4, 7, 2},
        {POWERUP_MAGNET, 4, 7, 3},
        {TERRAIN_GRASS, 2, 1, -1},
        {OBJECT_WCRATE, 5, 1, 1},
        {OBJECT_WBARREL, 5, 2, 1},
        {OBJECT_LMAGNET, 5, 3, 1},
        {TERRAIN_SAND, 2, 3, -1},
        {OBJECT_MCRATE, 5, 1, 1},
        {OBJECT_MBARREL, 5, 2, 1},
        {OBJECT_RMAGNET, 5, 3, 2},
        {TERRAIN_ICE, 2, 2, -1},
        {DEVICE_GATE_B, 4, 2, -1},
        {DEVICE_GATE_Y, 4, 2, -1},
        {DEVICE_GATE_R, 4, 2, -1},
        {TERRAIN_BRIDGE, 2, 4, -1},
        {DEVICE_BUTTON_B, 4, 3, -1},
        {DEVICE_BUTTON_Y, 4, 3, -1},
        {DEVICE_BUTTON_R, 4, 3, -1},
        {DEVICE_TRAMPOLINE, 4, 4, -1},
        {BOT_HANG, 6, 2, -1},
        {BOT_LEFT, 6, 2, 1},
        {BOT_RIGHT, 6, 2, 0},
    };
    for (const Expected& want : table) {
        SCOPED_TRACE(CLevel::GetTypeName(want.code) + std::string(" ") + std::to_string(want.code));
        loadWith(want.code);
        ASSERT_TRUE(m_screen->HasBoard());
        CElement* e = elementAt(10, 20);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->type, want.type);
        EXPECT_EQ(subTypeOf(e), want.subType);
        if (want.extra < 0)
            continue;
        if (want.type == CElement::TYPE_OBJECT && want.subType == CElement::OBJECT_MAGNET)
            EXPECT_EQ(e->typeMagnet, want.extra);
        else if (want.type == CElement::TYPE_DEVICE)
            EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(10, 20), want.extra);
        else
            EXPECT_EQ(e->facingLeft != 0, want.extra == 1);
    }
}

TEST_F(Load, TheEntranceTubeHoldsTheProfessorAndMetalThingsAreMetallic)
{
    loadWith(OBJECT_MCRATE);
    CElement* tube = elementAt(0, 22, CElement::TYPE_DEVICE);
    CElement* professor = elementAt(0, 22, CElement::TYPE_AI);
    ASSERT_NE(tube, nullptr);
    ASSERT_NE(professor, nullptr);
    EXPECT_EQ(tube->typeDevice, CElement::DEVICE_TUBE);
    EXPECT_EQ(professor->typeAI, CElement::AI_PROFESSOR);
    EXPECT_EQ(static_cast<CElement*>(m_screen->GetProfessor()), professor);
    ASSERT_NE(elementAt(10, 20), nullptr);
    EXPECT_TRUE(elementAt(10, 20)->metallic);
    loadWith(OBJECT_WCRATE);
    ASSERT_NE(elementAt(10, 20), nullptr);
    EXPECT_FALSE(elementAt(10, 20)->metallic);
}

TEST_F(Load, CodesThatAreNoBoardThingCreateNothing)
{
    logCategoryOn(LOG_CGAME);
    const int codes[] = {CTRL_HELP, FREEZE_MODE, HEAT_MODE, 11, CTRL_SAVE, LADDER, PLATFORM, 53, 399, 453, 9999};
    for (int code : codes) {
        SCOPED_TRACE(code);
        CaptureStdout();
        loadWith(code);
        std::string log = GetCapturedStdout();
        EXPECT_EQ(elementAt(10, 20), nullptr);
        if (std::string(CLevel::GetTypeName(code)) == "***Unknown***") {
            EXPECT_NE(log.find("(10,20)  Creating Tile (***Unknown***," + std::to_string(code) + ")"),
                      std::string::npos);
        }
    }
    logCategoryOff(LOG_CGAME);
}

TEST_F(Load, AGrassRunBecomesOneElementOfItsFullWidth)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        "....######......\n"
                        "................\n"
                        "@..............$\n"
                        "################\n");
    logCategoryOn(LOG_CGAME);
    CaptureStdout();
    play(m_level);
    std::string log = GetCapturedStdout();
    logCategoryOff(LOG_CGAME);
    CElement* grass = elementAt(4, 20);
    ASSERT_NE(grass, nullptr);
    EXPECT_EQ(grass->typeTerrain, CElement::TERRAIN_GRASS);
    EXPECT_EQ(grass->width, 6);
    for (int x = 4; x <= 9; ++x)
        EXPECT_EQ(getElementAt(x, 20, false), grass) << x;
    EXPECT_FALSE(isCellOccupied(3, 20, false));
    EXPECT_FALSE(isCellOccupied(10, 20, false));
    EXPECT_EQ(countLines(log, ",20)  Tile (TERRAIN_GRASS) already exists"), 5);
}

TEST_F(Load, ALadderRunGetsTopMiddleAndBottomSegmentsAndItsPlatform)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        "..........._....\n"
                        "...........H....\n"
                        "...........H....\n"
                        "@..........H...$\n"
                        "################\n");
    play(m_level);
    for (int y = 19; y <= 22; ++y)
        EXPECT_TRUE(CElementLadder::IsLadderAt(11, y)) << y;
    EXPECT_FALSE(CElementLadder::IsLadderAt(11, 18));
    EXPECT_FALSE(CElementLadder::IsLadderAt(11, 23));
    EXPECT_TRUE(CElementLadder::IsPlatformAt(11, 19));
    EXPECT_FALSE(CElementLadder::IsPlatformAt(11, 20));
    // Middle 3, bottom 4; the top cell (kind 2) holds the platform, which
    // the segment keeps in place of its kind.
    const int kinds[] = {CElementLadder::SEGMENT_PLATFORM, 3, 3, 4};
    for (int y = 19; y <= 22; ++y) {
        CElement* segment = elementAt(11, y, CElement::TYPE_LADDER);
        ASSERT_NE(segment, nullptr) << y;
        EXPECT_EQ(segment->typeLadder, kinds[y - 19]) << y;
    }
    int segments = 0;
    for (CElement* e : CElement::allElements)
        segments += e->type == CElement::TYPE_LADDER;
    EXPECT_EQ(segments, 4);
}

TEST_F(Load, ALadderOfOneCellIsKindOneAndOfTwoCellsTopAndBottom)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        "......H.........\n"
                        "@.....H....H...$\n"
                        "################\n");
    play(m_level);
    const struct {
        int y, x, kind;
    } cells[] = {{21, 6, 2}, {22, 6, 4}, {22, 11, 1}};
    for (const auto& c : cells) {
        CElement* segment = elementAt(c.x, c.y, CElement::TYPE_LADDER);
        ASSERT_NE(segment, nullptr) << c.x << "," << c.y;
        EXPECT_EQ(segment->typeLadder, c.kind) << c.x << "," << c.y;
    }
}

TEST_F(Load, TeleportPowerupsTakeTheColoursNoPlacedPairUses)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        ".....9.9.9......\n"
                        "################\n"
                        "@..............$\n"
                        "################\n");
    m_level.SetTeleport(DEVICE_LTELEPORT_B, 1, 19);
    m_level.SetTeleport(DEVICE_LTELEPORT_B, 12, 19);
    logCategoryOn(LOG_WARNING);
    CaptureStdout();
    play(m_level);
    std::string log = GetCapturedStdout();
    // The scan runs right to left: the rightmost takes yellow, the next red,
    // and the third finds no colour left.
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(9, 20), 11);
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(7, 20), 13);
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(5, 20), 9);
    EXPECT_NE(log.find("Teleport powerup defined, but not typeID's available"), std::string::npos);
    int ends = 0;
    for (CElement* e : CElement::allElements)
        ends += e->type == CElement::TYPE_DEVICE && e->typeDevice == CElement::DEVICE_TELEPORT;
    EXPECT_EQ(ends, 2);
}

TEST_F(Load, CellFlagsFreezeOrHeatWhatTheCellCreated)
{
    const struct {
        int code, flag;
        bool frozen, heated;
    } cases[] = {{OBJECT_WCRATE, CELL_FROZEN, true, false},
                 {OBJECT_MBARREL, CELL_HEATED, false, true},
                 {OBJECT_MBARREL, CELL_NORMAL, false, false},
                 {BOT_LEFT, CELL_FROZEN, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        loadWith(c.code, c.flag);
        CElement* e = elementAt(10, 20);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->frozen != 0, c.frozen);
        EXPECT_EQ(e->heated != 0, c.heated);
    }
}

TEST_F(Load, AFlagOnACellThatCreatesNothingFreezesNothing)
{
    loadWith(PLATFORM, CELL_FROZEN);
    for (CElement* e : CElement::allElements)
        EXPECT_FALSE(e->frozen) << e->GetName();
    loadWith(NONE, CELL_HEATED);
    for (CElement* e : CElement::allElements)
        EXPECT_FALSE(e->heated) << e->GetName();
}

TEST_F(Load, TheScreenStartsWithItsMenuButtonAndAZeroStepCount)
{
    profile().SetSteps(57);
    profile().SetShowStepCounter(true);
    loadWith(NONE);
    EXPECT_EQ(profile().GetTotal(1), 0);
    EXPECT_EQ(m_screen->GetId(), CONTROLLER_GAME);
    ASSERT_NE(m_screen->GetMenuButton(), nullptr);
    EXPECT_EQ(m_screen->GetMenuButton()->GetX(), 742);
    EXPECT_EQ(m_screen->GetMenuButton()->GetY(), 9);
    EXPECT_EQ(m_screen->GetMenuButton()->GetId(), CControllerGame::MENU_BUTTON_ID);
    EXPECT_TRUE(m_screen->GetReplayIndicator()->IsHidden());
    EXPECT_FALSE(m_screen->GetStepCounter()->GetDigitSprite(0)->IsHidden());
    EXPECT_EQ(m_screen->GetLevelSet(), nullptr);
    EXPECT_EQ(m_screen->GetLevelIndex(), -1);
    EXPECT_EQ(m_screen->GetMenuMode(), CControllerGame::MENU_MODE_SINGLE);
}

TEST_F(Load, TheStepCounterIsHiddenWhenTheProfileSaysSo)
{
    profile().SetShowStepCounter(false);
    loadWith(NONE);
    EXPECT_TRUE(m_screen->GetStepCounter()->GetDigitSprite(0)->IsHidden());
}

TEST_F(Load, LeavingFreesEveryBoardSpriteAndKeepsTheLevel)
{
    size_t spritesBefore = CSprite::GetAllSprites().size();
    loadWith(OBJECT_WCRATE);
    frames(3);
    EXPECT_GT(CSprite::GetAllSprites().size(), spritesBefore);
    m_screen->ExitNow(1);
    delete m_screen;
    m_screen = nullptr;
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore);
    EXPECT_EQ(m_level.GetTile(10, 20), OBJECT_WCRATE);
    EXPECT_EQ(CElement::theProfessor, nullptr);
}

TEST_F(Load, ALevelWithoutAnEntranceTubeIsRefusedWithAMessage)
{
    const struct {
        const char* picture;
        bool playable;
    } cases[] = {
        {"@..............$\n################\n", true},
        {"@...............\n################\n", true}, // no way out, but the professor plays
        {"...............$\n################\n", false},
        {"...............$\n################\n", false},
        {"................\n################\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        m_level.Clear();
        gametest::drawLevel(m_level, c.picture);
        play(m_level);
        EXPECT_EQ(m_screen->HasBoard(), c.playable);
        frame();
        if (c.playable) {
            EXPECT_EQ(CController::GetCurrentController(), m_screen);
            EXPECT_EQ(m_screen->GetMessageChild(), nullptr);
            EXPECT_NE(m_screen->GetProfessor(), nullptr);
        } else {
            EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
            ASSERT_NE(m_screen->GetMessageChild(), nullptr);
            // Keys and frames while the message stands do nothing to the board.
            frames(3);
            tap(13); // Return answers the message
            frames(2);
            EXPECT_EQ(CController::GetCurrentController(), &m_host);
            EXPECT_EQ(m_host.receivedExit, 0);
            EXPECT_EQ(m_screen->GetMessageChild(), nullptr);
        }
        m_screen->SetExitCode(0);
        if (CController::GetCurrentController() == m_screen)
            m_screen->ExitNow(1);
        delete m_screen;
        m_screen = nullptr;
    }
}

namespace {
class LoadSet : public gametest::GameSetTest {};
} // namespace

// A built-in level the reader refused is filed empty and has lost its name:
// the refusal names it by its set and the label the map shows.
TEST_F(LoadSet, ABuiltInLevelFiledEmptyIsNamedByItsSetAndLabel)
{
    CLevelSet::getSet(CLevelSet::ADVANCED)->getLevel(4)->Clear();
    CLevelSet::getSet(CLevelSet::REGULAR)->getLevel(3)->Clear();
    const struct {
        int set, index;
        const char* title;
    } cases[] = {{CLevelSet::REGULAR, 3, "Regular T2"}, {CLevelSet::ADVANCED, 4, "Advanced 5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        CaptureStdout();
        playSet(c.set, c.index);
        std::string log = GetCapturedStdout();
        EXPECT_FALSE(m_screen->HasBoard());
        EXPECT_EQ(m_screen->GetLevelTitle(), c.title);
        EXPECT_NE(log.find(std::string("Level '") + c.title + "' has no entrance tube"), std::string::npos) << log;
        frame();
        EXPECT_NE(m_screen->GetMessageChild(), nullptr);
        m_screen->GetMessageChild()->ExitNow(1);
        frames(2);
        delete m_screen;
        m_screen = nullptr;
    }
}
