// Where the world map puts things. Each level set has its own island with a
// road across it: the regular set spirals in to the volcano on the big
// island, the advanced set climbs a mountain in switchbacks, the kids' set
// winds back and forth across a meadow. A set's dots stand on its road in
// level order, at equal steps, so progress reads as a journey. The tables
// also hold the coasts of the islands, the scenery beside the roads and the
// boxes of the map's buttons and level line.
//
// The map screen places its dots and buttons from here and the resource
// build draws the chart from the same tables, so a dot always stands on the
// road the chart shows.
#pragma once

#include <vector>

namespace maplayout {

struct Point {
    double x;
    double y;
};

struct Box {
    int x;
    int y;
    int w;
    int h;
};

enum SceneryKind {
    SCENERY_TREE,    // a round leafy tree
    SCENERY_PINE,    // a dark pointed tree
    SCENERY_BUSH,    // a small shrub
    SCENERY_ROCK,    // a boulder
    SCENERY_FLOWERS, // a patch of flowers
    SCENERY_VOLCANO, // the smoking cone at the end of the regular road
    SCENERY_SUMMIT,  // the snowy peak at the end of the advanced road
    SCENERY_TENT     // the striped tent at the end of the kids' road
};

// One piece of scenery: it covers the round area of radius r around (x, y).
struct Scenery {
    int kind;
    double x;
    double y;
    double r;
};

enum { SET_COUNT = 3 };

// How far apart neighbouring dots stand at least, centre to centre: the
// dots' hit boxes (17 x 17) never overlap.
const double kMinDotDistance = 24.5;

// The number of levels a set's road is laid out for (the built-in sets).
int LevelCount(int set);
// The road of a set from its first level to its last, as a dense line.
const std::vector<Point>& Road(int set);
// The centres of count dots at equal steps along the road, the first at its
// start and the last at its end.
std::vector<Point> DotCentres(int set, int count);
// The coast of a set's island, a closed line (the last point joins the first).
const std::vector<Point>& Coast(int set);
// The scenery of a set's island, clear of the road.
const std::vector<Scenery>& SceneryOf(int set);

// Boxes of the map screen's own things, kept clear of the islands.
Box SetButtonBox(int set);
Box CaptionBox();
Box ManagerButtonBox();
Box BackButtonBox();
Box PlayButtonBox();

// Geometry helpers for the tables' users.
double Distance(Point a, Point b);
// Whether p lies inside the closed line.
bool Inside(const std::vector<Point>& polygon, Point p);
// The shortest distance from p to the closed line.
double DistanceToLine(const std::vector<Point>& polygon, Point p);

} // namespace maplayout
