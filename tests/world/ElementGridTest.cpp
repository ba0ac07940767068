// The element record, the registries, the board grid and its lookups, the
// predicates and the names.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {

// A bare element of the base class, set up as the test needs it.
CElement* bare(int x, int y, int type, bool inGrid = true)
{
    CElement* e = new CElement(x, y, 1);
    e->type = type;
    if (inGrid) {
        e->inGrid = 1;
        setElementAt(x, y, e);
    }
    return e;
}

CElement* gunshotAt(int x, int y)
{
    CElement* g = bare(x, y, CElement::TYPE_DEVICE);
    g->typeDevice = CElement::DEVICE_GUNSHOT;
    return g;
}

} // namespace

TEST(ElementGrid, LookupsOffTheBoardGiveTheNullElementAndStoresThereAreIgnored)
{
    Board board;
    CElement* null = CElement::nullElement;
    for (auto cell : {std::make_pair(-1, 0), {32, 0}, {0, 24}, {0, -1}, {-1, -1}, {32, 24}})
        EXPECT_EQ(getElementAt(cell.first, cell.second, true), null) << cell.first << "," << cell.second;
    // The last cells inside the board are real cells.
    CElement* corner = bare(31, 23, CElement::TYPE_OBJECT);
    CElement* origin = bare(0, 0, CElement::TYPE_OBJECT);
    EXPECT_EQ(getElementAt(31, 23, false), corner);
    EXPECT_EQ(getElementAt(0, 0, false), origin);
    setElementAt(32, 0, corner);
    setElementAt(-1, 5, corner);
    setElementAt(0, 24, corner);
    for (CElement* cell : CElement::grid)
        EXPECT_TRUE(cell == null || cell == corner || cell == origin);
    EXPECT_FALSE(isCellOccupied(31, 24, true));
    EXPECT_TRUE(isCellOccupied(31, 23, true));
}

TEST(ElementGrid, AGunshotCountsAsEmptyUnlessAskedFor)
{
    Board board;
    CElement* shot = gunshotAt(31, 23);
    EXPECT_EQ(getElementAt(31, 23, false), CElement::nullElement);
    EXPECT_EQ(getElementAt(31, 23, true), shot);
    EXPECT_FALSE(isCellOccupied(31, 23, false));
    EXPECT_TRUE(isCellOccupied(31, 23, true));
    EXPECT_EQ(getMovableElementAt(31, 23), CElement::nullElement);
}

TEST(ElementGrid, UnloadAndInitLeaveOnlyTheNullElementInEveryCell)
{
    Board board;
    bare(3, 4, CElement::TYPE_OBJECT);
    bare(10, 20, CElement::TYPE_TERRAIN);
    CElement::caught = CElement::levelEnded = CElement::exitTubeDestroyed = 1;
    CElement::UnloadElements();
    EXPECT_EQ(CElement::nullElement, nullptr);
    EXPECT_TRUE(CElement::allElements.empty());
    CElement::InitElements();
    CElement* null = CElement::nullElement;
    ASSERT_NE(null, nullptr);
    ASSERT_EQ(CElement::allElements.size(), 1u);
    EXPECT_EQ(CElement::allElements[0], null);
    for (CElement* cell : CElement::grid)
        EXPECT_EQ(cell, null);
    EXPECT_EQ(null->lmagnet, null);
    EXPECT_EQ(null->rmagnet, null);
    EXPECT_TRUE(null->IsNull());
    EXPECT_EQ(null->width, 1);
    EXPECT_FALSE(CElement::GetCaught() || CElement::GetLevelEnded() || CElement::GetExitTubeDestroyed());
    EXPECT_TRUE(CElement::firstFrame);
}

TEST(ElementGrid, MovableLookupFindsAnElementHalfWayByEitherCell)
{
    Board board;
    CElement* crate = bare(5, 5, CElement::TYPE_OBJECT);
    crate->mobile = 1;
    crate->MoveTo(6, 5);
    // The grid holds it in the cell it moves into only.
    EXPECT_EQ(getElementAt(6, 5, false), crate);
    EXPECT_EQ(getElementAt(5, 5, false), CElement::nullElement);
    EXPECT_EQ(getMovableElementAt(5, 5), crate);
    EXPECT_EQ(getMovableElementAt(6, 5), crate);
    EXPECT_EQ(getMovableElementAt(7, 5), CElement::nullElement);
    // The null element stands first at (0, 0).
    bare(0, 0, CElement::TYPE_OBJECT);
    EXPECT_EQ(getMovableElementAt(0, 0), CElement::nullElement);
    // The search stops at the first match even when it is gone.
    crate->exploded = 1;
    bare(6, 5, CElement::TYPE_OBJECT, false);
    EXPECT_EQ(getMovableElementAt(6, 5), CElement::nullElement);
}

TEST(ElementGrid, MotionPredicatesNeedAMobileElement)
{
    Board board;
    CElement* e = bare(4, 4, CElement::TYPE_OBJECT);
    e->prevX = 5;
    e->moving = 1;
    EXPECT_EQ(e->GetGridX(), 4);
    EXPECT_FALSE(e->IsMovingLeft());
    EXPECT_FALSE(e->IsMoving());
    e->mobile = 1;
    EXPECT_EQ(e->GetGridX(), 5);
    EXPECT_TRUE(e->IsMovingLeft());
    EXPECT_FALSE(e->IsMovingRight());
    e->prevX = 3;
    EXPECT_TRUE(e->IsMovingRight());
    e->prevX = 4;
    e->prevY = 3;
    EXPECT_TRUE(e->IsMovingDown());
    e->prevY = 5;
    EXPECT_TRUE(e->IsMovingUp());
    e->wasMovingLeft = 1;
    EXPECT_TRUE(e->WasMovingLeft());
    e->mobile = 0;
    EXPECT_FALSE(e->WasMovingLeft());
}

TEST(ElementGrid, NearCellOriginAllowsFivePixelsEachWay)
{
    Board board;
    CElement* e = bare(4, 4, CElement::TYPE_OBJECT);
    for (int d : {-5, 5}) {
        e->pixelX = 4 * 24 + d;
        EXPECT_TRUE(e->IsNearCellOrigin()) << d;
    }
    for (int d : {-6, 6}) {
        e->pixelX = 4 * 24 + d;
        EXPECT_FALSE(e->IsNearCellOrigin()) << d;
    }
}

TEST(ElementNames, NamesFollowTheTypeFieldsDownTheTable)
{
    Board board;
    CElement* e = bare(2, 2, CElement::TYPE_OBJECT, false);
    e->typeAI = CElement::AI_PROFESSOR;
    EXPECT_STREQ(e->GetName(), "Professor AI");
    e->type = CElement::TYPE_DEVICE;
    e->typeObject = CElement::OBJECT_BARREL;
    EXPECT_STREQ(e->GetName(), "Barrel Object");
    e->typeDevice = CElement::DEVICE_POWERUP;
    EXPECT_STREQ(e->GetName(), "Powerup Device");
    e->type = CElement::TYPE_TERRAIN;
    EXPECT_STREQ(e->GetName(), "Ladder");
    e->typeTerrain = CElement::TERRAIN_BRIDGE;
    EXPECT_STREQ(e->GetName(), "Bridge Terrain");
    e->type = CElement::TYPE_AI;
    e->typeAI = 0;
    EXPECT_STREQ(e->GetName(), "Tutorial");
    e->type = CElement::TYPE_TUTORIAL;
    EXPECT_STREQ(e->GetName(), "Tutorial");
    EXPECT_STREQ(CElement::nullElement->GetName(), "Null Element");

    e->type = CElement::TYPE_UNUSED7;
    logCategoryOn(LOG_DEBUG);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(e->GetName(), "Unknown Element");
    std::string log = testing::internal::GetCapturedStdout();
    logCategoryOff(LOG_DEBUG);
    EXPECT_NE(log.find("Unknown Element:  type=7   typeObject=2   typeDevice=7"), std::string::npos) << log;
}

TEST(ElementRegistry, ConstructionAppendsAndSpawningMarks)
{
    Board board;
    size_t before = CElement::allElements.size();
    CElement* a = bare(1, 1, CElement::TYPE_OBJECT);
    CElement* b = bare(2, 1, CElement::TYPE_OBJECT);
    ASSERT_EQ(CElement::allElements.size(), before + 2);
    EXPECT_EQ(CElement::allElements[before], a);
    EXPECT_EQ(CElement::allElements[before + 1], b);
    EXPECT_EQ(a->state, -1);
    EXPECT_EQ(a->landFrame, -1);
    EXPECT_TRUE(a->bounceReady1 && a->bounceReady2);
    EXPECT_EQ(a->lmagnet, CElement::nullElement);
    EXPECT_EQ(a->pixelX, 24);
    EXPECT_FALSE(a->spawned);
    CElement::registerSpawnedElement(b);
    EXPECT_EQ(b->spawned, 1);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_EQ(CElement::spawnedElements[0], b);
}

TEST(ElementRegistry, MagnetLinksAndRollDirectionSetters)
{
    Board board;
    CElement* a = bare(1, 1, CElement::TYPE_OBJECT);
    CElement* b = bare(2, 1, CElement::TYPE_OBJECT);
    a->SetMagnetLink(b, false);
    EXPECT_EQ(a->GetRightMagnet(), b);
    EXPECT_TRUE(a->IsMagnetHeld());
    a->SetMagnetLink(nullptr, false);
    EXPECT_EQ(a->GetRightMagnet(), CElement::nullElement);
    EXPECT_FALSE(a->IsMagnetHeld());
    a->SetRollDirection(true, true);
    EXPECT_TRUE(a->rollLeft);
    EXPECT_FALSE(a->rollRight);
    a->SetRidden(true);
    a->SetRollDirection(false, true);
    EXPECT_TRUE(a->rollRight);
    a->SetRidden(false);
    EXPECT_FALSE(a->rollLeft || a->rollRight);
    a->tramp = 1;
    a->frozen = 1;
    a->SetOnTrampoline(false);
    EXPECT_FALSE(a->leftTrampoline);
    a->tramp = 1;
    a->frozen = 0;
    a->SetOnTrampoline(false);
    EXPECT_TRUE(a->leftTrampoline);
}

TEST(ElementDumps, ObstructionMapDrawsTheGridInTwoCategories)
{
    Board board;
    bare(0, 0, CElement::TYPE_TERRAIN);
    bare(1, 0, CElement::TYPE_OBJECT);
    bare(2, 0, CElement::TYPE_AI);
    bare(3, 0, CElement::TYPE_DEVICE);
    bare(4, 0, CElement::TYPE_UNUSED7);
    logCategoryOn(LOG_DEBUG);
    logCategoryOn(LOG_GRID);
    logSetPrefix(LOG_DEBUG, "");
    logSetPrefix(LOG_GRID, "");
    testing::internal::CaptureStdout();
    CElement::DumpObstructionMap();
    std::string log = testing::internal::GetCapturedStdout();
    logCategoryOff(LOG_DEBUG);
    logCategoryOff(LOG_GRID);
    std::string top = "/" + std::string(32, '-') + "\\\n";
    std::string row0 = "|TOAD?" + std::string(27, ' ') + "|\n";
    std::string bottom = "\\" + std::string(32, '-') + "/\n";
    EXPECT_EQ(log.find(top), 0u) << log;
    EXPECT_NE(log.find(row0), std::string::npos) << log;
    EXPECT_EQ(log.size(), top.size() + 24 * row0.size() + bottom.size()) << log;
}
