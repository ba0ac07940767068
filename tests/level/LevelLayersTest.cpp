#include <gtest/gtest.h>

#include "level/Level.h"

TEST(LevelLayers, OffBoardCellsAreSafe)
{
    CLevel level;
    for (auto cell : {std::pair<int, int>{-1, 0}, {32, 0}, {0, -1}, {0, 24}, {1000000, -1000000}}) {
        EXPECT_EQ(level.GetTile(cell.first, cell.second), NONE);
        EXPECT_EQ(level.GetLadder(cell.first, cell.second), NONE);
        EXPECT_EQ(level.GetCellFlags(cell.first, cell.second), 0);
        EXPECT_FALSE(level.HasLadder(cell.first, cell.second));
        EXPECT_EQ(level.GetTutorialText(cell.first, cell.second), nullptr);
        level.SetModified(false);
        level.SetTile(TERRAIN_GRASS, cell.first, cell.second);
        EXPECT_TRUE(level.IsModified());
        level.SetLadder(LADDER, cell.first, cell.second);
        level.SetCellFlags(CELL_FROZEN, cell.first, cell.second);
        level.SetTutorialText(cell.first, cell.second, new char[3]()); // freed, not stored
        level.ClearTutorialText(cell.first, cell.second);
    }
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 24; ++y)
            ASSERT_EQ(level.GetTile(x, y), NONE);
}

TEST(LevelLayers, TileTestsAndTeleportPowerupCount)
{
    CLevel level;
    level.SetTile(TERRAIN_ICE, 1, 1);
    level.SetTile(TERRAIN_BRIDGE, 2, 1);
    level.SetTile(PLATFORM, 3, 1);
    level.SetTile(BOT_HANG, 4, 1);
    level.SetTile(DEVICE_GATE_R, 5, 1);
    EXPECT_TRUE(level.IsTerrain(1, 1));
    EXPECT_TRUE(level.IsTerrain(2, 1));
    EXPECT_TRUE(level.IsBridge(2, 1));
    EXPECT_FALSE(level.IsTerrain(3, 1));
    EXPECT_TRUE(level.IsPlatform(3, 1));
    EXPECT_TRUE(level.IsBot(4, 1));
    EXPECT_TRUE(level.IsGate(5, 1));
    EXPECT_FALSE(level.IsGate(-1, 1));

    level.SetTile(POWERUP_TELEPORT, 6, 6);
    level.SetTile(POWERUP_TELEPORT, 7, 6);
    level.SetTile(POWERUP_TELEPORT, 7, 6); // replacing one with another keeps the count
    EXPECT_EQ(level.GetTeleportPowerupCount(), 2);
    level.SetTile(NONE, 6, 6);
    EXPECT_EQ(level.GetTeleportPowerupCount(), 1);
}

TEST(LevelLayers, RunsOfTilesAndLadders)
{
    CLevel level;
    for (int x = 4; x <= 9; ++x)
        level.SetTile(TERRAIN_GRASS, x, 10);
    Rect run = level.MeasureTileRun(TERRAIN_GRASS, 6, 10);
    EXPECT_EQ(run.x, 4);
    EXPECT_EQ(run.y, 10);
    EXPECT_EQ(run.w, 6);
    EXPECT_EQ(run.h, 1);
    for (int x = 0; x < 32; ++x)
        level.SetTile(TERRAIN_SAND, x, 23);
    run = level.MeasureTileRun(TERRAIN_SAND, 31, 23);
    EXPECT_EQ(run.x, 0);
    EXPECT_EQ(run.w, 32);

    for (int y = 20; y < 24; ++y)
        level.SetLadder(LADDER, 0, y);
    Rect ladder = level.MeasureLadderRun(0, 21);
    EXPECT_EQ(ladder.x, 0);
    EXPECT_EQ(ladder.y, 20);
    EXPECT_EQ(ladder.w, 1);
    EXPECT_EQ(ladder.h, 4);
}

TEST(LevelLayers, TypeNames)
{
    EXPECT_STREQ(CLevel::GetTypeName(22), "TERRAIN_GRASS");
    EXPECT_STREQ(CLevel::GetTypeName(452), "BOT_RIGHT");
    EXPECT_STREQ(CLevel::GetTypeName(0), "CTRL_HELP");
    EXPECT_STREQ(CLevel::GetTypeName(9), "***Unknown***");
    EXPECT_STREQ(CLevel::GetTypeName(11), "***Unknown***");
    EXPECT_STREQ(CLevel::GetTypeName(-1), "***Unknown***");
}

TEST(LevelLayers, TeleportEnds)
{
    CLevel level;
    level.SetTeleport(DEVICE_LTELEPORT_B, -1, 3);
    EXPECT_EQ(level.FindTeleportType(-1, 3), 0);
    EXPECT_EQ(level.GetTeleportTypeRecord(0)[0].w, 0);
    level.SetModified(false);
    level.SetTeleport(DEVICE_LTELEPORT_Y, 32, 3);
    level.SetTeleport(DEVICE_LTELEPORT_Y, 3, 24);
    level.SetTeleport(DEVICE_LTELEPORT_Y, -2, 3);
    EXPECT_TRUE(level.IsModified()); // marked even when refused
    EXPECT_FALSE(level.HasTeleportOfTile(DEVICE_LTELEPORT_Y));
    EXPECT_EQ(level.FindTeleportType(32, 3), -1);
    EXPECT_EQ(level.FindTeleportType(0, 3), -1);

    EXPECT_FALSE(level.AreTeleportsPaired());
    level.SetTeleport(DEVICE_LTELEPORT_B, 31, 3);
    EXPECT_TRUE(level.AreTeleportsPaired());
    level.SetTeleport(99, 5, 5); // any other code is red
    EXPECT_EQ(level.FindTeleportType(5, 5), 2);
    EXPECT_TRUE(level.HasTeleportOfTile(DEVICE_LTELEPORT_R));
    EXPECT_TRUE(level.HasTeleportOfTile(12345)); // any other code asks about blue
    EXPECT_EQ(level.CountTeleportColours(), 2);

    level.SetModified(false);
    level.EraseTeleport(5, 5);
    level.EraseTeleport(7, 7); // none there
    EXPECT_FALSE(level.IsModified());
    EXPECT_EQ(level.CountTeleportColours(), 1);
    EXPECT_TRUE(level.GetTeleportTypeRecord(3).empty());
    level.DumpTeleports();
}

TEST(LevelLayers, TeleportPowerupsTakeFreeColours)
{
    CLevel level;
    level.SetTeleport(DEVICE_LTELEPORT_B, 1, 1);
    level.SetTeleport(DEVICE_LTELEPORT_B, 5, 1);
    EXPECT_EQ(level.AllocTeleportTypeId(), 1);
    EXPECT_EQ(level.AllocTeleportTypeId(), 2);
    EXPECT_EQ(level.AllocTeleportTypeId(), 0); // none free: warned
    level.ClearTeleportTypeFlags();
    EXPECT_EQ(level.AllocTeleportTypeId(), 1);
    level.Encode(CLevel::GAME_LEVEL_ID); // writing frees the taken colours
    EXPECT_EQ(level.AllocTeleportTypeId(), 1);
}
