#include "screens/MapLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace maplayout {

namespace {

const double kPi = 3.14159265358979323846;
const int kLevelCounts[SET_COUNT] = {111, 50, 81};

// ---------------------------------------------------------------- roads

// The regular road: from the south-west shore of the big island it spirals
// in, ring inside ring, to the foot of the volcano in the middle. The rings
// wobble together, so neighbouring rings stay the same distance apart.
std::vector<Point> spiralRoad()
{
    const double cx = 220, cy = 280;
    const double outer = 180, inner = 74, ringGap = 29;
    const double turns = (outer - inner) / ringGap;
    const double sweep = turns * 2 * kPi;
    const double start = kPi * 0.62; // south-south-west
    const int samples = 6000;
    std::vector<Point> road;
    road.reserve(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        const double t = sweep * i / samples;
        const double a = start - t; // anticlockwise on screen
        const double r = outer - ringGap * t / (2 * kPi) + 4 * std::sin(3 * a + 0.6);
        road.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return road;
}

// A smooth line through the control points (Catmull-Rom), densely sampled.
std::vector<Point> smoothThrough(const std::vector<Point>& c, int perSegment)
{
    std::vector<Point> out;
    const size_t n = c.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const Point p0 = c[i == 0 ? 0 : i - 1];
        const Point p1 = c[i];
        const Point p2 = c[i + 1];
        const Point p3 = c[i + 2 < n ? i + 2 : n - 1];
        for (int k = 0; k < perSegment; ++k) {
            const double t = static_cast<double>(k) / perSegment;
            const double t2 = t * t, t3 = t2 * t;
            auto at = [&](double a0, double a1, double a2, double a3) {
                return 0.5 * (2 * a1 + (-a0 + a2) * t + (2 * a0 - 5 * a1 + 4 * a2 - a3) * t2 +
                              (-a0 + 3 * a1 - 3 * a2 + a3) * t3);
            };
            out.push_back({at(p0.x, p1.x, p2.x, p3.x), at(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    out.push_back(c.back());
    return out;
}

// The advanced road: switchbacks up the mountain island, each bend shorter
// than the one below, to the summit.
std::vector<Point> switchbackRoad()
{
    struct Row {
        double y, left, right;
    };
    const Row rows[] = {{224, 482, 742}, {196, 494, 730}, {168, 508, 716},
                        {140, 522, 702}, {112, 538, 688}, {84, 604, 672}};
    const int rowCount = sizeof rows / sizeof rows[0];
    std::vector<Point> c;
    for (int i = 0; i < rowCount; ++i) {
        const Row& r = rows[i];
        const bool rightwards = i % 2 == 0;
        const double from = rightwards ? r.left : r.right;
        const double to = rightwards ? r.right : r.left;
        // A few points along the row, which waves gently (alike on every
        // row, so the rows stay the same distance apart).
        const int parts = std::max(2, static_cast<int>(std::fabs(to - from) / 45));
        for (int k = 0; k <= parts; ++k) {
            const double x = from + (to - from) * k / parts;
            c.push_back({x, r.y + 2.5 * std::sin(x / 30)});
        }
        if (i + 1 < rowCount) {
            // The bend: out past the end of this row, halfway up to the next.
            const double endX = rightwards ? std::max(r.right, rows[i + 1].right) + 15
                                           : std::min(r.left, rows[i + 1].left) - 15;
            c.push_back({endX, (r.y + rows[i + 1].y) / 2});
        }
    }
    return smoothThrough(c, 40);
}

// The kids' road: up and down across the meadow island, column after
// column, with round bends at the top and bottom; the last column stops
// halfway, below the tent at the end. All columns sway alike, so they stay
// the same distance apart.
std::vector<Point> meanderRoad()
{
    const double left = 462, columnGap = 27, top = 304, bottom = 462, lastColumn = 80;
    const int columns = 11;
    auto sway = [](double y) { return 3 * std::sin(y / 16); };
    std::vector<Point> road;
    const double r = columnGap / 2;
    for (int k = 0; k < columns; ++k) {
        const double x = left + k * columnGap;
        const bool up = k % 2 == 0;
        const double length = k + 1 == columns ? lastColumn : bottom - top;
        for (double s = 0; s < length; s += 1.5) {
            const double y = up ? bottom - s : top + s;
            road.push_back({x + sway(y), y});
        }
        if (k + 1 == columns)
            break;
        // Half a circle over the top (or under the bottom) to the next column.
        const double endY = up ? top : bottom;
        for (int i = 0; i < 30; ++i) {
            const double a = kPi * i / 30;
            const double yy = up ? endY - r * std::sin(a) : endY + r * std::sin(a);
            road.push_back({x + r - r * std::cos(a) + sway(endY), yy});
        }
    }
    return road;
}

// ---------------------------------------------------------------- coasts

// Points that an island must hold besides its road: its landmarks.
std::vector<Point> landmarkOutline(const std::vector<Scenery>& landmarks)
{
    std::vector<Point> out;
    for (const Scenery& s : landmarks)
        for (int i = 0; i < 16; ++i) {
            const double a = 2 * kPi * i / 16;
            out.push_back({s.x + s.r * std::cos(a), s.y + s.r * std::sin(a)});
        }
    return out;
}

// The convex hull of the points, anticlockwise on screen.
std::vector<Point> hullOf(std::vector<Point> p)
{
    std::sort(p.begin(), p.end(), [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    auto cross = [](Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    std::vector<Point> hull(2 * p.size());
    size_t k = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p[i]) <= 0)
            --k;
        hull[k++] = p[i];
    }
    for (size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], p[i - 1]) <= 0)
            --k;
        hull[k++] = p[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

// A coast around everything: the outline of all the island holds, widened
// by the margin (straight shores with round headlands), then given a gentle
// wobble outwards so it does not look drawn with a ruler.
std::vector<Point> coastAround(const std::vector<Point>& things, double margin, int seed)
{
    const std::vector<Point> hull = hullOf(things);
    const size_t n = hull.size();
    // The widened outline, densely: each hull edge moved out along its
    // normal, joined by arcs round the corners.
    std::vector<Point> outline;
    for (size_t i = 0; i < n; ++i) {
        const Point a = hull[i], b = hull[(i + 1) % n], c = hull[(i + 2) % n];
        auto normal = [](Point from, Point to) {
            const double dx = to.x - from.x, dy = to.y - from.y, len = std::hypot(dx, dy);
            // Outwards of an anticlockwise outline (y down).
            return Point{dy / len, -dx / len};
        };
        const Point n1 = normal(a, b), n2 = normal(b, c);
        outline.push_back({a.x + n1.x * margin, a.y + n1.y * margin});
        outline.push_back({b.x + n1.x * margin, b.y + n1.y * margin});
        double a1 = std::atan2(n1.y, n1.x), a2 = std::atan2(n2.y, n2.x);
        while (a2 < a1)
            a2 += 2 * kPi;
        if (a2 - a1 > kPi)
            a2 -= 2 * kPi;
        const int steps = std::max(1, static_cast<int>(std::fabs(a2 - a1) / 0.15));
        for (int k = 1; k < steps; ++k) {
            const double t = a1 + (a2 - a1) * k / steps;
            outline.push_back({b.x + margin * std::cos(t), b.y + margin * std::sin(t)});
        }
    }
    // Even steps along it, each pushed out from the middle a little.
    std::vector<double> along(outline.size() + 1, 0.0);
    for (size_t i = 1; i <= outline.size(); ++i)
        along[i] = along[i - 1] + Distance(outline[i - 1], outline[i % outline.size()]);
    Point middle{0, 0};
    for (const Point& p : hull) {
        middle.x += p.x / n;
        middle.y += p.y / n;
    }
    const int points = 160;
    std::vector<Point> coast;
    size_t seg = 0;
    for (int k = 0; k < points; ++k) {
        const double want = along.back() * k / points;
        while (along[seg + 1] < want)
            ++seg;
        const Point a = outline[seg], b = outline[(seg + 1) % outline.size()];
        const double span = along[seg + 1] - along[seg];
        const double u = span > 0 ? (want - along[seg]) / span : 0;
        const Point p{a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u};
        const double phase = 2 * kPi * k / points;
        const double wobble = 2.5 + 1.5 * std::sin(7 * phase + seed) + 1 * std::sin(13 * phase + 2 * seed);
        const double d = Distance(p, middle);
        coast.push_back({p.x + (p.x - middle.x) / d * wobble, p.y + (p.y - middle.y) / d * wobble});
    }
    return coast;
}

// ---------------------------------------------------------------- scenery

// The landmark at the end of each road.
std::vector<Scenery> landmarksOf(int set)
{
    switch (set) {
    case 0:
        return {{SCENERY_VOLCANO, 220, 276, 42}};
    case 1:
        return {{SCENERY_SUMMIT, 570, 86, 18}};
    default:
        return {{SCENERY_TENT, 735, 322, 11}};
    }
}

// A small deterministic sequence for scattering trees and rocks.
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state(seed * 747796405u + 2891336453u) {}
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }

private:
    uint32_t state;
};

double distanceToRoad(const std::vector<Point>& road, Point p)
{
    double best = 1e9;
    for (size_t i = 0; i < road.size(); i += 2)
        best = std::min(best, Distance(road[i], p));
    return best;
}

// Trees, bushes, rocks and flowers wherever there is room: on land, clear
// of the road, the landmarks and each other.
std::vector<Scenery> scatterScenery(int set)
{
    std::vector<Scenery> pieces = landmarksOf(set);
    const std::vector<Point>& road = Road(set);
    const std::vector<Point>& coast = Coast(set);
    static const int kinds[SET_COUNT][4] = {{SCENERY_TREE, SCENERY_TREE, SCENERY_BUSH, SCENERY_ROCK},
                                            {SCENERY_PINE, SCENERY_PINE, SCENERY_ROCK, SCENERY_BUSH},
                                            {SCENERY_TREE, SCENERY_FLOWERS, SCENERY_BUSH, SCENERY_FLOWERS}};
    Scatter rnd(static_cast<uint32_t>(set + 7));
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Point& p : coast) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int tries = 0; tries < 3000 && pieces.size() < 40; ++tries) {
        const Point p{minX + rnd.next() * (maxX - minX), minY + rnd.next() * (maxY - minY)};
        const int kind = kinds[set][static_cast<int>(rnd.next() * 4) % 4];
        const double r = kind == SCENERY_TREE || kind == SCENERY_PINE ? 7 : kind == SCENERY_ROCK ? 5 : 4;
        if (!Inside(coast, p) || DistanceToLine(coast, p) < r + 12)
            continue;
        if (distanceToRoad(road, p) < r + 12)
            continue;
        bool clear = true;
        for (const Scenery& s : pieces)
            clear = clear && Distance({s.x, s.y}, p) >= s.r + r + 3;
        if (clear)
            pieces.push_back({kind, p.x, p.y, r});
    }
    return pieces;
}

// Walks the road putting a dot down each time the road has gone one step
// (straight-line) away from the last dot, with the longest step that still
// puts count dots on the road. Straight-line steps keep the dots in tight
// bends as far apart as on the straight. Gives the road index after which
// the last dot stands.
std::vector<Point> placeDots(const std::vector<Point>& road, int count, size_t* lastIndex)
{
    auto walk = [&road](double step, int wanted, std::vector<Point>* dots, size_t* where) {
        Point last = road.front();
        int placed = 1;
        if (dots)
            dots->push_back(last);
        if (where)
            *where = 0;
        for (size_t i = 1; i < road.size() && placed < wanted; ++i) {
            if (Distance(last, road[i]) < step)
                continue;
            // Between road[i - 1] and road[i]: the point one step away.
            const Point a = road[i - 1], b = road[i];
            double lo = 0, hi = 1;
            for (int k = 0; k < 30; ++k) {
                const double mid = (lo + hi) / 2;
                if (Distance(last, {a.x + (b.x - a.x) * mid, a.y + (b.y - a.y) * mid}) < step)
                    lo = mid;
                else
                    hi = mid;
            }
            last = {a.x + (b.x - a.x) * hi, a.y + (b.y - a.y) * hi};
            ++placed;
            if (dots)
                dots->push_back(last);
            if (where)
                *where = i - 1;
            --i; // the rest of this stretch may hold another step
        }
        return placed;
    };
    std::vector<Point> dots;
    if (count <= 0 || road.empty())
        return dots;
    double lo = 0.5, hi = 1000;
    for (int k = 0; k < 50; ++k) {
        const double mid = (lo + hi) / 2;
        if (walk(mid, count, nullptr, nullptr) >= count)
            lo = mid;
        else
            hi = mid;
    }
    size_t where = 0;
    walk(count == 1 ? 1e9 : lo, count, &dots, &where);
    if (lastIndex)
        *lastIndex = where;
    return dots;
}

// The roads and the built-in sets' dots, worked out once.
struct Tables {
    std::vector<Point> roads[SET_COUNT];
    std::vector<Point> dots[SET_COUNT];
};

const Tables& tables()
{
    static const Tables t = [] {
        Tables made;
        made.roads[0] = spiralRoad();
        made.roads[1] = switchbackRoad();
        made.roads[2] = meanderRoad();
        // Each road ends at the last dot of its set.
        for (int s = 0; s < SET_COUNT; ++s) {
            size_t last = 0;
            made.dots[s] = placeDots(made.roads[s], kLevelCounts[s], &last);
            made.roads[s].resize(last + 1);
            made.roads[s].push_back(made.dots[s].back());
        }
        return made;
    }();
    return t;
}

// The coasts, only for those who draw or check the chart.
std::vector<Point> coastOf(int set)
{
    const double margins[SET_COUNT] = {21, 20, 20};
    std::vector<Point> things = tables().roads[set];
    for (const Point& p : landmarkOutline(landmarksOf(set)))
        things.push_back(p);
    return coastAround(things, margins[set], 3 + 4 * set);
}

int clampSet(int set)
{
    return set < 0 ? 0 : (set >= SET_COUNT ? SET_COUNT - 1 : set);
}

} // namespace

int LevelCount(int set)
{
    return kLevelCounts[clampSet(set)];
}

const std::vector<Point>& Road(int set)
{
    return tables().roads[clampSet(set)];
}

std::vector<Point> DotCentres(int set, int count)
{
    set = clampSet(set);
    if (count == kLevelCounts[set])
        return tables().dots[set];
    return placeDots(Road(set), count, nullptr);
}

const std::vector<Point>& Coast(int set)
{
    static const std::vector<Point> coasts[SET_COUNT] = {coastOf(0), coastOf(1), coastOf(2)};
    return coasts[clampSet(set)];
}

const std::vector<Scenery>& SceneryOf(int set)
{
    static const std::vector<Scenery> scenery[SET_COUNT] = {scatterScenery(0), scatterScenery(1),
                                                             scatterScenery(2)};
    return scenery[clampSet(set)];
}

Box SetButtonBox(int set)
{
    return {40 + clampSet(set) * 267, 10, 186, 29};
}

Box CaptionBox()
{
    return {100, 505, 600, 30};
}

Box ManagerButtonBox()
{
    return {30, 556, 186, 29};
}

Box BackButtonBox()
{
    return {236, 556, 186, 29};
}

Box PlayButtonBox()
{
    return {556, 548, 220, 44};
}

double Distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool Inside(const std::vector<Point>& polygon, Point p)
{
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

double DistanceToLine(const std::vector<Point>& polygon, Point p)
{
    double best = 1e9;
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % n];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        double u = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
        u = std::min(1.0, std::max(0.0, u));
        best = std::min(best, Distance(p, {a.x + dx * u, a.y + dy * u}));
    }
    return best;
}

} // namespace maplayout
