// The world map's layout tables: every set's dots stand on land inside the
// screen, along their own island's road in level order, clear of each
// other, of the scenery, of the buttons and of the level line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "screens/MapLayout.h"

using namespace maplayout;

namespace {

// How far a dot's centre stays from the shore at least: the dot's radius,
// the sand along the shore and a little grass.
const double kShoreClearance = 18;
// A dot covers 18 x 18 pixels around its centre (a tutorial star 20 x 20).
const int kDotHalf = 10;

bool overlaps(const Box& b, Point p, int half)
{
    return p.x + half > b.x && p.x - half < b.x + b.w && p.y + half > b.y && p.y - half < b.y + b.h;
}

std::vector<Box> screenBoxes()
{
    std::vector<Box> boxes = {CaptionBox(), ManagerButtonBox(), BackButtonBox(), PlayButtonBox()};
    for (int s = 0; s < SET_COUNT; ++s)
        boxes.push_back(SetButtonBox(s));
    return boxes;
}

} // namespace

TEST(MapLayout, EachSetsDotsStandOnItsOwnIslandInsideTheScreen)
{
    for (int set = 0; set < SET_COUNT; ++set) {
        std::vector<Point> dots = DotCentres(set, LevelCount(set));
        ASSERT_EQ(static_cast<int>(dots.size()), LevelCount(set));
        for (size_t i = 0; i < dots.size(); ++i) {
            const Point p = dots[i];
            EXPECT_GE(p.x - kDotHalf, 0) << set << "/" << i;
            EXPECT_LE(p.x + kDotHalf, 800) << set << "/" << i;
            EXPECT_GE(p.y - kDotHalf, 0) << set << "/" << i;
            EXPECT_LE(p.y + kDotHalf, 600) << set << "/" << i;
            EXPECT_TRUE(Inside(Coast(set), p)) << set << "/" << i;
            EXPECT_GE(DistanceToLine(Coast(set), p), kShoreClearance) << set << "/" << i;
            for (int other = 0; other < SET_COUNT; ++other) {
                if (other != set) {
                    EXPECT_FALSE(Inside(Coast(other), p)) << set << "/" << i << " on island " << other;
                }
            }
        }
    }
    EXPECT_EQ(LevelCount(0), 111);
    EXPECT_EQ(LevelCount(1), 50);
    EXPECT_EQ(LevelCount(2), 81);
}

TEST(MapLayout, DotsNeverOverlapEachOtherTheButtonsOrTheLevelLine)
{
    const std::vector<Box> boxes = screenBoxes();
    for (int set = 0; set < SET_COUNT; ++set) {
        std::vector<Point> dots = DotCentres(set, LevelCount(set));
        double closest = 1e9;
        for (size_t i = 0; i < dots.size(); ++i) {
            for (size_t j = i + 1; j < dots.size(); ++j)
                closest = std::min(closest, Distance(dots[i], dots[j]));
            for (const Box& b : boxes)
                EXPECT_FALSE(overlaps(b, dots[i], kDotHalf)) << set << "/" << i;
        }
        EXPECT_GE(closest, kMinDotDistance) << set;
    }
    // The boxes of the screen stay apart too, and inside it.
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_GE(boxes[i].x, 0);
        EXPECT_LE(boxes[i].x + boxes[i].w, 800);
        EXPECT_LE(boxes[i].y + boxes[i].h, 600);
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i];
            const Box& b = boxes[j];
            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h) << i << "," << j;
        }
    }
}

TEST(MapLayout, TheDotsFollowTheRoadInLevelOrderAtEvenSteps)
{
    for (int set = 0; set < SET_COUNT; ++set) {
        const std::vector<Point>& road = Road(set);
        std::vector<Point> dots = DotCentres(set, LevelCount(set));
        // The first and last levels stand at the ends of the road.
        EXPECT_LT(Distance(dots.front(), road.front()), 0.5) << set;
        EXPECT_LT(Distance(dots.back(), road.back()), 0.5) << set;
        // Neighbouring levels are neighbours on the chart: the next level
        // is never farther than a short step, and no other dot stands
        // closer to a dot than the level after it.
        double shortest = 1e9, longest = 0;
        for (size_t i = 0; i + 1 < dots.size(); ++i) {
            const double step = Distance(dots[i], dots[i + 1]);
            shortest = std::min(shortest, step);
            longest = std::max(longest, step);
        }
        EXPECT_GE(shortest, kMinDotDistance) << set;
        EXPECT_LT(longest, 36) << set;
        EXPECT_LT(longest - shortest, 4) << set;
    }
}

TEST(MapLayout, SceneryStandsOnLandClearOfTheRoadAndTheDots)
{
    for (int set = 0; set < SET_COUNT; ++set) {
        const std::vector<Scenery>& scenery = SceneryOf(set);
        ASSERT_FALSE(scenery.empty());
        std::vector<Point> dots = DotCentres(set, LevelCount(set));
        const std::vector<Point>& road = Road(set);
        for (const Scenery& s : scenery) {
            const Point c{s.x, s.y};
            EXPECT_TRUE(Inside(Coast(set), c)) << set << " kind " << s.kind;
            for (const Point& d : dots)
                EXPECT_GE(Distance(c, d), s.r + kDotHalf) << set << " kind " << s.kind;
            double nearest = 1e9;
            for (const Point& p : road)
                nearest = std::min(nearest, Distance(c, p));
            EXPECT_GE(nearest, s.r + 4) << set << " kind " << s.kind;
        }
    }
}

TEST(MapLayout, AnyOtherCountOfDotsStillFollowsTheRoad)
{
    std::vector<Point> one = DotCentres(1, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_LT(Distance(one[0], Road(1).front()), 0.5);
    EXPECT_TRUE(DotCentres(2, 0).empty());
    EXPECT_TRUE(DotCentres(2, -3).empty());
    // Fewer dots than the built-in set: farther apart, in order along the
    // road, the first at its start.
    std::vector<Point> ten = DotCentres(2, 10);
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_LT(Distance(ten.front(), Road(2).front()), 0.5);
    for (size_t i = 1; i < ten.size(); ++i)
        EXPECT_GT(Distance(ten[i - 1], ten[i]), 2 * kMinDotDistance) << i;
    // A set index out of range is read as the nearest set.
    EXPECT_EQ(LevelCount(-1), LevelCount(0));
    EXPECT_EQ(LevelCount(7), LevelCount(2));
}
