#include <gtest/gtest.h>

#include "SpriteTestSupport.h"

using namespace spritetest;

class DepthOrder : public SpriteTest {
protected:
    void SetUp() override
    {
        SpriteTest::SetUp();
        solidImage("tile.png", 24, 24, 200, 0, 0);
        solidImage("wide.png", 28, 24, 0, 200, 0);
        solidImage("run.png", 96, 30, 0, 0, 200);
        solidImage("panel.png", 300, 300, 90, 90, 90);
    }

    // A board sprite at tile (col, row) whose tile fields are up to date.
    CSprite* at(int type, int col, int row, int tw = 1, int th = 1, const char* image = "tile.png",
                const char* name = "")
    {
        CSprite* s = boardSprite(type, image, col, row, tw, th, name);
        s->Update();
        CRender::ClearLists();
        return s;
    }

    // Gathers the sprites in the given candidate order and sorts them as
    // the redraw of one rectangle does.
    static std::vector<CSprite*> sorted(const std::vector<CSprite*>& candidates)
    {
        CRender::GetDirtySprites() = candidates;
        CRender::PresortDirtySprites();
        CRender::SortDirtySprites();
        CRender::PostsortDirtySprites();
        return CRender::GetSortedSprites();
    }

    static int both(const CSprite* a, const CSprite* b, bool force = false)
    {
        int ab = CRender::CompareDepth(a, b, force, false);
        int ba = CRender::CompareDepth(b, a, force, false);
        EXPECT_EQ(ab, -ba) << "comparison is not antisymmetric";
        return ab;
    }
};

TEST_F(DepthOrder, InterfaceLayersFollowTheirListAndMainMenuSpritesTheirLowerEdges)
{
    CSprite* pointer = shownSprite(1305, "tile.png", 0, 0);
    CSprite* flash = shownSprite(1102, "tile.png", 0, 0);
    CSprite* text = shownSprite(1423, "tile.png", 0, 0);
    CSprite* panel = shownSprite(1410, "tile.png", 0, 0);
    CSprite* effect = shownSprite(90, "tile.png", 0, 0);
    CSprite* crate = shownSprite(80, "tile.png", 0, 0);
    CSprite* bot = shownSprite(70, "tile.png", 0, 0);
    EXPECT_EQ(compareSpriteLayers(pointer, flash), 1);
    EXPECT_EQ(compareSpriteLayers(flash, pointer), -1);
    EXPECT_EQ(compareSpriteLayers(text, panel), 1);
    EXPECT_EQ(compareSpriteLayers(panel, effect), 1);
    EXPECT_EQ(compareSpriteLayers(crate, effect), -1);
    EXPECT_EQ(compareSpriteLayers(crate, bot), 0);

    CSprite* high = shownSprite(1500, "tile.png", 0, 100); // lower edge 124
    CSprite* low = shownSprite(1500, "tile.png", 0, 110);  // lower edge 134
    EXPECT_EQ(compareSpriteLayers(high, low), -1);
    EXPECT_EQ(compareSpriteLayers(low, high), 1);
    EXPECT_EQ(compareSpriteLayers(high, panel), -1); // 1410 is listed first
    EXPECT_EQ(compareSpriteLayers(high, effect), 1);
    EXPECT_EQ(sorted({low, high}), (std::vector<CSprite*>{high, low}));
}

TEST_F(DepthOrder, BackgroundsAndTheSwapImageAreAlwaysBehindThePointerAlwaysInFront)
{
    CSprite* swap = at(1103, 0, 0);
    CSprite* back = at(1100, 0, 0);
    CSprite* grid = at(1101, 0, 0);
    CSprite* crate = at(80, 0, 0);
    CSprite* widget = shownSprite(1421, "tile.png", 29, 20);
    CSprite* pointer = shownSprite(1305, "tile.png", 29, 20);
    for (CSprite* other : {crate, widget, pointer}) {
        EXPECT_EQ(both(swap, other), -1);
        EXPECT_EQ(both(back, other), -1);
        EXPECT_EQ(both(grid, other, true), -1);
        EXPECT_EQ(compareSpriteDepth(swap, other), -1);
        EXPECT_EQ(compareSpriteDepth(other, back), 1);
    }
    std::vector<CSprite*> order = sorted({pointer, widget, crate, swap});
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order.front(), swap);
    EXPECT_EQ(order[1], crate);
    EXPECT_EQ(order[2], widget);
    EXPECT_EQ(order.back(), pointer);
}

TEST_F(DepthOrder, ACrateIsDrawnInFrontOfTheTerrainRunItStandsOn)
{
    CSprite* run = at(10, 1, 5, 6, 1, "run.png", "run");
    CSprite* crate = at(80, 3, 4, 1, 1, "tile.png", "crate");
    EXPECT_EQ(both(crate, run), 1);
    EXPECT_EQ(sorted({crate, run}), (std::vector<CSprite*>{run, crate}));
    EXPECT_EQ(sorted({run, crate}), (std::vector<CSprite*>{run, crate}));

    // Still in front while it slides right along the run, between tiles.
    crate->SetPosition(3 * 24 + 9, 4 * 24, false);
    crate->Update();
    ASSERT_TRUE(crate->IsMovingRight());
    EXPECT_EQ(crate->GetTileX(), 4);
    EXPECT_EQ(crate->GetPrevTileX(), 3);
    EXPECT_EQ(both(crate, run), 1);
    EXPECT_EQ(sorted({crate, run}), (std::vector<CSprite*>{run, crate}));
}

TEST_F(DepthOrder, AWalkerBetweenTwoObjectsIsDrawnBetweenThem)
{
    // Right is in front on the same row.
    CSprite* left = at(80, 3, 4, 1, 1, "wide.png", "left crate");
    CSprite* walker = at(70, 4, 4, 1, 1, "wide.png", "bot");
    CSprite* right = at(80, 5, 4, 1, 1, "wide.png", "right crate");
    CSprite* run = at(10, 2, 5, 4, 1, "run.png", "run");
    EXPECT_EQ(both(walker, left), 1);
    EXPECT_EQ(both(walker, right), -1);
    std::vector<CSprite*> expected{run, left, walker, right};
    EXPECT_EQ(sorted({right, walker, left, run}), expected);
    EXPECT_EQ(sorted({walker, run, right, left}), expected);

    // Two movers on one tile: the one compared first goes behind.
    walker->SetPosition(4 * 24 + 3, 4 * 24, false);
    walker->Update();
    ASSERT_EQ(walker->GetTileX(), 5);
    EXPECT_EQ(CRender::CompareDepth(walker, right, false, false), -1);
    EXPECT_EQ(CRender::CompareDepth(right, walker, false, false), -1);
}

TEST_F(DepthOrder, AWalkerWalkingBetweenTwoCratesStaysBetweenThem)
{
    CSprite* behind = at(80, 10, 4, 1, 1, "wide.png", "behind");
    CSprite* walker = at(70, 11, 4, 1, 1, "wide.png", "walker");
    CSprite* ahead = at(80, 13, 4, 1, 1, "wide.png", "ahead");
    CSprite* ground = at(10, 10, 5, 4, 1, "run.png", "ground");
    std::vector<CSprite*> expected{ground, behind, walker, ahead};
    for (int step = 1; step <= 8; ++step) {
        walker->SetPosition(11 * 24 + 3 * step, 4 * 24, false);
        walker->Update();
        ASSERT_TRUE(walker->IsMovingRight());
        EXPECT_EQ(sorted({ahead, walker, behind, ground}), expected) << "step " << step;
        EXPECT_EQ(sorted({behind, ground, walker, ahead}), expected) << "step " << step;
    }
}

TEST_F(DepthOrder, DistantSpritesKeepTheirCandidateOrderThroughTheForcedPass)
{
    CSprite* a = at(80, 1, 1);
    CSprite* b = at(80, 10, 10);
    EXPECT_EQ(CRender::CompareDepth(a, b, false, false), 0);
    EXPECT_EQ(CRender::CompareDepth(a, b, true, false), 1);  // above and left
    EXPECT_EQ(CRender::CompareDepth(b, a, true, false), 1);  // below and right
    CSprite* c = at(80, 0, 12);
    EXPECT_EQ(CRender::CompareDepth(c, a, true, false), -1); // below and left
    EXPECT_EQ(CRender::CompareDepth(c, a, true, true), 0);
    // Unordered at first, b is ignored and then placed by the forced pass.
    EXPECT_EQ(sorted({b, a}), (std::vector<CSprite*>{b, a}));
    EXPECT_EQ(sorted({a, c}).size(), 2u);
    // A layer difference still orders them.
    CSprite* effect = at(90, 15, 15);
    EXPECT_EQ(CRender::CompareDepth(effect, a, false, false), 1);
}

TEST_F(DepthOrder, TeleportBesideHigherTerrainGoesBehindOnlyWhenItsSecondColumnIsInTheRun)
{
    CSprite* tele = at(60, 4, 5, 1, 1, "tile.png", "teleport");
    CSprite* runOver = at(10, 5, 4, 4, 1, "run.png", "run over");
    EXPECT_EQ(both(tele, runOver), -1);
    forget(runOver);
    delete runOver;
    CSprite* runBeside = at(10, 1, 4, 4, 1, "run.png", "run beside");
    EXPECT_EQ(both(tele, runBeside), 1);
}

TEST_F(DepthOrder, LaddersButtonsAndCratesOnOneTile)
{
    CSprite* lower = at(12, 3, 5);
    CSprite* upper = at(13, 3, 6);
    EXPECT_EQ(both(lower, upper), -1);
    EXPECT_EQ(compareSpriteDepth(lower, upper), -1);

    CSprite* button = at(23, 8, 5);
    CSprite* crate = at(80, 8, 5);
    EXPECT_EQ(both(button, crate), -1);
    EXPECT_EQ(sorted({crate, button}), (std::vector<CSprite*>{button, crate}));
}

TEST_F(DepthOrder, ForegroundSpritesArePlacedAfterTheBoard)
{
    CSprite* run = at(10, 1, 5, 6, 1, "run.png");
    CSprite* crate = at(80, 3, 4);
    CSprite* marker = at(56, 3, 4); // tutorial marker: a foreground layer
    CSprite* panel = shownSprite(1412, "panel.png", 0, 0);
    std::vector<CSprite*> order = sorted({panel, marker, crate, run});
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], run);
    EXPECT_EQ(order[1], crate);
    EXPECT_EQ(order[2], marker);
    EXPECT_EQ(order[3], panel);

    // One sprite is drawn alone, and the presort leaves it in place.
    CRender::GetDirtySprites() = {crate};
    CRender::PresortDirtySprites();
    EXPECT_EQ(CRender::GetDirtySprites(), (std::vector<CSprite*>{crate}));
    CRender::SortDirtySprites();
    CRender::PostsortDirtySprites();
    EXPECT_EQ(CRender::GetSortedSprites(), (std::vector<CSprite*>{crate}));
    EXPECT_TRUE(sorted({}).empty());
}

TEST_F(DepthOrder, EditorLayersFollowTheirOwnRulesOnlyInTheEditor)
{
    CSprite* cursor = at(1307, 2, 2);
    CSprite* board = at(1309, 9, 9);
    // Far apart outside the editor: no order; in the editor the rules apply.
    EXPECT_EQ(CRender::CompareDepth(cursor, board, false, false), 0);
    g_controllerId = RENDER_CONTROLLER_EDITOR;
    EXPECT_EQ(both(cursor, board), -1);
}

TEST_F(DepthOrder, TwoMoversOnOneTileEndWithTheFirstGatheredInFront)
{
    // The presort keeps the gathered order of a pair on one tile; the full
    // comparison puts each mover behind the other, so the sort inserts the
    // second before the first.
    CSprite* bot = at(70, 6, 4, 1, 1, "tile.png", "bot");
    CSprite* prof = at(71, 6, 4, 1, 1, "tile.png", "professor");
    EXPECT_EQ(compareSpriteDepth(bot, prof), 1);
    EXPECT_EQ(compareSpriteDepth(prof, bot), 1);
    EXPECT_EQ(sorted({bot, prof}), (std::vector<CSprite*>{prof, bot}));
    EXPECT_EQ(sorted({prof, bot}), (std::vector<CSprite*>{bot, prof}));

    // An object landing on a walker: the same rule.
    CSprite* crate = at(80, 6, 4, 1, 1, "tile.png", "crate");
    CRender::GetDirtySprites() = {bot, crate};
    CRender::PresortDirtySprites();
    EXPECT_EQ(CRender::GetDirtySprites(), (std::vector<CSprite*>{bot, crate}));
}

TEST_F(DepthOrder, PresortRowsOverlapIsInFrontAndOnlyALowerRowIsBehind)
{
    // A two-row footprint (rows 4..5) and a sprite on row 4 of the same
    // column: the rows overlap, neither is above or below.
    CSprite* tall = at(80, 2, 5, 1, 2);
    CSprite* beside = at(80, 2, 4);
    EXPECT_EQ(compareSpriteDepth(tall, beside), 1);
    EXPECT_EQ(compareSpriteDepth(beside, tall), 1);
    // One row further up it is above: in front; the tall one is below it.
    CSprite* higher = at(80, 2, 3);
    EXPECT_EQ(compareSpriteDepth(higher, tall), 1);
    EXPECT_EQ(compareSpriteDepth(tall, higher), -1);
    // Columns win over rows: right of is behind, left of in front.
    CSprite* right = at(80, 3, 9);
    EXPECT_EQ(compareSpriteDepth(right, higher), -1);
    EXPECT_EQ(compareSpriteDepth(higher, right), 1);
}

TEST_F(DepthOrder, PresortTypeRulesComeBeforeThePositionRules)
{
    // A lower ladder piece goes behind an upper one it touches, and is
    // otherwise in front of anything.
    CSprite* ladder = at(12, 2, 5);
    CSprite* farUpper = at(13, 9, 9);
    CSprite* crate = at(80, 1, 9); // left of and below: positions say in front
    EXPECT_EQ(compareSpriteDepth(ladder, farUpper), 1);
    EXPECT_EQ(compareSpriteDepth(farUpper, ladder), -1);
    EXPECT_EQ(compareSpriteDepth(ladder, crate), 1);
    EXPECT_EQ(compareSpriteDepth(crate, ladder), -1);

    // A teleport pad goes behind a ghost or a teleporting sprite it touches,
    // and behind anything on its own tile.
    CSprite* pad = at(60, 5, 2);
    CSprite* ghost = at(64, 6, 3);
    CSprite* moving = at(67, 4, 1);
    CSprite* onPad = at(80, 5, 2);
    EXPECT_EQ(compareSpriteDepth(pad, ghost), -1);
    EXPECT_EQ(compareSpriteDepth(ghost, pad), 1);
    EXPECT_EQ(compareSpriteDepth(pad, moving), -1);
    EXPECT_EQ(compareSpriteDepth(moving, pad), 1);
    EXPECT_EQ(compareSpriteDepth(pad, onPad), -1);
    EXPECT_EQ(compareSpriteDepth(onPad, pad), 1);
    // Not touching: the ghost rule stops; the pad is right of it, behind.
    CSprite* farGhost = at(64, 3, 2);
    EXPECT_EQ(compareSpriteDepth(pad, farGhost), -1);
    EXPECT_EQ(compareSpriteDepth(farGhost, pad), 1);

    // Type 65 is in front of everything after the ladders and pads.
    CSprite* top = at(65, 12, 12);
    EXPECT_EQ(compareSpriteDepth(top, crate), 1);
    EXPECT_EQ(compareSpriteDepth(crate, top), -1);

    // Trampoline and gate pieces on one tile: 31 and 21 behind, 20 in front.
    CSprite* cell = at(80, 15, 6);
    CSprite* tramp = at(31, 15, 6);
    CSprite* gateBack = at(21, 15, 6);
    CSprite* gateFront = at(20, 15, 6);
    EXPECT_EQ(compareSpriteDepth(tramp, cell), -1);
    EXPECT_EQ(compareSpriteDepth(cell, tramp), 1);
    EXPECT_EQ(compareSpriteDepth(gateBack, cell), -1);
    EXPECT_EQ(compareSpriteDepth(cell, gateBack), 1);
    EXPECT_EQ(compareSpriteDepth(gateFront, cell), 1);
    EXPECT_EQ(compareSpriteDepth(cell, gateFront), -1);
    // One tile apart they only touch: the overlap rules stop, the positions
    // decide (the crate right of it is behind).
    CSprite* next = at(80, 16, 6);
    EXPECT_EQ(compareSpriteDepth(gateFront, next), 1);
    EXPECT_EQ(compareSpriteDepth(next, gateFront), -1);

    // A button is in front of what it touches, and only of that.
    CSprite* button = at(23, 20, 6);
    CSprite* touching = at(80, 19, 6); // left of it: positions say in front
    CSprite* apart = at(80, 18, 6);
    EXPECT_EQ(compareSpriteDepth(button, touching), 1);
    EXPECT_EQ(compareSpriteDepth(touching, button), -1);
    EXPECT_EQ(compareSpriteDepth(button, apart), -1);
    EXPECT_EQ(compareSpriteDepth(apart, button), 1);
}
