#include "ui/MapChart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "screens/MapLayout.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace ui {

namespace {

using maplayout::Point;
using maplayout::Scenery;

const int kWidth = 800, kHeight = 600;
// The inside of the parchment's frame: the sea.
const double kSeaInset = 14;

// A smooth closed line through the points (Catmull-Rom as Bezier curves).
void closedCurve(cairo_t* cr, const std::vector<Point>& p)
{
    const size_t n = p.size();
    cairo_new_path(cr);
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 0; i < n; ++i) {
        const Point p0 = p[(i + n - 1) % n], p1 = p[i], p2 = p[(i + 1) % n], p3 = p[(i + 2) % n];
        cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6, p2.x - (p3.x - p1.x) / 6,
                       p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
    cairo_close_path(cr);
}

void polyline(cairo_t* cr, const std::vector<Point>& p)
{
    cairo_new_path(cr);
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i)
        cairo_line_to(cr, p[i].x, p[i].y);
}

bool onAnyIsland(Point p, double margin)
{
    for (int s = 0; s < maplayout::SET_COUNT; ++s)
        if (maplayout::Inside(maplayout::Coast(s), p) || maplayout::DistanceToLine(maplayout::Coast(s), p) < margin)
            return true;
    return false;
}

void sea(cairo_t* cr)
{
    cairo_rectangle(cr, kSeaInset, kSeaInset, kWidth - 2 * kSeaInset, kHeight - 2 * kSeaInset);
    setColor(cr, art::kSky, 0.30);
    cairo_fill(cr);
    // Wave marks in open water only.
    Rand rnd(5);
    for (int i = 0; i < 220; ++i) {
        const double x = 24 + rnd.next() * (kWidth - 66), y = 24 + rnd.next() * (kHeight - 48);
        if (onAnyIsland({x + 9, y}, 14))
            continue;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 3, y - 3, x + 6, y - 3, x + 9, y);
        cairo_curve_to(cr, x + 12, y - 3, x + 15, y - 3, x + 18, y);
        setColor(cr, art::kBlue, 0.28);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void island(cairo_t* cr, const std::vector<Point>& coast, uint32_t seed)
{
    // Shallow water rings around the shore.
    for (int ring = 3; ring >= 1; --ring) {
        closedCurve(cr, coast);
        setColor(cr, art::kBlue, 0.07);
        cairo_set_line_width(cr, ring * 10);
        cairo_stroke(cr);
    }
    closedCurve(cr, coast);
    setColor(cr, lighter(art::kSand, 0.25));
    cairo_fill(cr);
    // Grass inside a rim of beach.
    cairo_save(cr);
    closedCurve(cr, coast);
    cairo_clip(cr);
    double minY = 1e9, maxY = -1e9;
    for (const Point& p : coast) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    cairo_paint(cr);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    fillVertical(cr, lighter(art::kGrass, 0.42), lighter(art::kGrass, 0.22), minY, maxY, 1, false);
    closedCurve(cr, coast);
    setColor(cr, lighter(art::kSand, 0.25));
    cairo_set_line_width(cr, 14);
    cairo_stroke(cr);
    closedCurve(cr, coast);
    setColor(cr, darker(art::kGrass, 0.2), 0.45);
    cairo_set_line_width(cr, 15.5);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_stroke(cr);
    closedCurve(cr, coast);
    setColor(cr, lighter(art::kSand, 0.25));
    cairo_set_line_width(cr, 13);
    cairo_stroke(cr);
    // Tufts of grass.
    Rand rnd(seed);
    for (int i = 0; i < 260; ++i) {
        const Point p{rnd.range(0, kWidth), rnd.range(minY, maxY)};
        if (!maplayout::Inside(coast, p) || maplayout::DistanceToLine(coast, p) < 12)
            continue;
        cairo_move_to(cr, p.x - 2, p.y);
        cairo_line_to(cr, p.x - 1, p.y - 3);
        cairo_move_to(cr, p.x + 1, p.y);
        cairo_line_to(cr, p.x + 2, p.y - 3);
        setColor(cr, darker(art::kGrass, 0.15), 0.35);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    closedCurve(cr, coast);
    setColor(cr, art::kInk, 0.85);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

// The road: a packed-earth track with a darker edge.
void road(cairo_t* cr, const std::vector<Point>& line)
{
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    polyline(cr, line);
    setColor(cr, darker(art::kSand, 0.35), 0.8);
    cairo_set_line_width(cr, 9);
    cairo_stroke(cr);
    polyline(cr, line);
    setColor(cr, lighter(art::kSand, 0.15));
    cairo_set_line_width(cr, 6.5);
    cairo_stroke(cr);
    polyline(cr, line);
    const double dash[] = {2, 5};
    cairo_set_dash(cr, dash, 2, 0);
    setColor(cr, darker(art::kSand, 0.3), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void shadow(cairo_t* cr, double x, double y, double rx)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, rx * 0.35);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    setColor(cr, art::kInk, 0.18);
    cairo_fill(cr);
}

void tree(cairo_t* cr, double x, double y, double r)
{
    shadow(cr, x + 1, y + r * 0.9, r * 0.8);
    cairo_move_to(cr, x, y + r * 0.2);
    cairo_line_to(cr, x, y + r * 0.9);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, x, y - r * 0.25, r * 0.72, 0, 2 * kPi);
    fillVertical(cr, lighter(art::kGrass, 0.15), darker(art::kGrass, 0.35), y - r, y + r * 0.5);
    strokeInk(cr, 0.9);
    softGlow(cr, x - r * 0.25, y - r * 0.5, r * 0.35, kWhite, 0.35);
}

void pine(cairo_t* cr, double x, double y, double r)
{
    shadow(cr, x + 1, y + r * 0.9, r * 0.7);
    cairo_move_to(cr, x, y - r);
    cairo_line_to(cr, x + r * 0.62, y + r * 0.65);
    cairo_line_to(cr, x - r * 0.62, y + r * 0.65);
    cairo_close_path(cr);
    fillVertical(cr, mix(art::kGrass, art::kBlue, 0.25), darker(art::kGrass, 0.5), y - r, y + r);
    strokeInk(cr, 0.9);
    cairo_move_to(cr, x, y + r * 0.65);
    cairo_line_to(cr, x, y + r * 0.95);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void bush(cairo_t* cr, double x, double y, double r)
{
    for (int k = -1; k <= 1; ++k) {
        cairo_new_path(cr);
        cairo_arc(cr, x + k * r * 0.55, y - (k == 0 ? r * 0.3 : 0), r * 0.6, 0, 2 * kPi);
        fillVertical(cr, lighter(art::kGrass, 0.05), darker(art::kGrass, 0.3), y - r, y + r, 1, false);
    }
}

void rock(cairo_t* cr, double x, double y, double r)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x - r, y + r * 0.5);
    cairo_curve_to(cr, x - r, y - r * 0.4, x - r * 0.3, y - r * 0.8, x + r * 0.2, y - r * 0.7);
    cairo_curve_to(cr, x + r * 0.8, y - r * 0.6, x + r, y, x + r, y + r * 0.5);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kMetal, 0.2), art::kMetalDark, y - r, y + r * 0.5);
    strokeInk(cr, 0.9);
}

void flowers(cairo_t* cr, double x, double y, double r)
{
    const Rgb colours[] = {art::kRed, art::kYellow, kWhite, art::kBlue};
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * kPi / 5 + 0.4;
        cairo_new_path(cr);
        cairo_arc(cr, x + r * 0.65 * std::cos(a), y + r * 0.5 * std::sin(a), 1.3, 0, 2 * kPi);
        setColor(cr, colours[k % 4], 0.9);
        cairo_fill(cr);
    }
}

// The snowy summit with a flag on top, at the end of the advanced road.
void summit(cairo_t* cr, double x, double y, double r)
{
    const double base = y + r * 0.7, top = y - r * 0.9;
    cairo_move_to(cr, x - r * 1.1, base);
    cairo_line_to(cr, x - r * 0.1, top);
    cairo_line_to(cr, x + r * 1.1, base);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kMetal, 0.1), art::kMetalDark, top, base);
    strokeInk(cr, 1.2);
    cairo_move_to(cr, x - r * 0.45, y - r * 0.3);
    cairo_line_to(cr, x - r * 0.1, top);
    cairo_line_to(cr, x + r * 0.35, y - r * 0.25);
    cairo_line_to(cr, x + r * 0.05, y - r * 0.4);
    cairo_close_path(cr);
    setColor(cr, kWhite, 0.95);
    cairo_fill(cr);
    cairo_move_to(cr, x - r * 0.1, top);
    cairo_line_to(cr, x - r * 0.1, top - r * 0.7);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, x - r * 0.1, top - r * 0.7);
    cairo_line_to(cr, x + r * 0.45, top - r * 0.55);
    cairo_line_to(cr, x - r * 0.1, top - r * 0.4);
    cairo_close_path(cr);
    setColor(cr, art::kRed);
    cairo_fill(cr);
}

// A striped tent with a pennant, at the end of the kids' road.
void tent(cairo_t* cr, double x, double y, double r)
{
    shadow(cr, x, y + r * 0.8, r);
    cairo_move_to(cr, x - r, y + r * 0.8);
    cairo_line_to(cr, x, y - r * 0.9);
    cairo_line_to(cr, x + r, y + r * 0.8);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setColor(cr, kWhite);
    cairo_fill(cr);
    for (int k = -2; k <= 2; k += 2) {
        cairo_rectangle(cr, x + k * r * 0.25 - r * 0.12, y - r, r * 0.25, r * 2);
        setColor(cr, art::kRed);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_move_to(cr, x - r, y + r * 0.8);
    cairo_line_to(cr, x, y - r * 0.9);
    cairo_line_to(cr, x + r, y + r * 0.8);
    cairo_close_path(cr);
    strokeInk(cr, 1);
    cairo_move_to(cr, x, y - r * 0.9);
    cairo_line_to(cr, x + r * 0.6, y - r * 0.7);
    cairo_line_to(cr, x, y - r * 0.5);
    setColor(cr, art::kYellow);
    cairo_fill(cr);
}

// The compass rose in the open sea of the lower left corner.
void compass(cairo_t* cr, double cx, double cy, double r)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    setColor(cr, art::kParchment, 0.7);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 - kPi / 2;
        const double len = (i % 2 == 0) ? r * 0.95 : r * 0.55;
        cairo_move_to(cr, cx + len * std::cos(a), cy + len * std::sin(a));
        cairo_line_to(cr, cx + r * 0.15 * std::cos(a + kPi / 2), cy + r * 0.15 * std::sin(a + kPi / 2));
        cairo_line_to(cr, cx, cy);
        cairo_close_path(cr);
        setColor(cr, i == 0 ? art::kRed : art::kWoodDark);
        cairo_fill(cr);
    }
    drawText(cr, "N", cx - 10, cy - r - 20, 20, 18, 14, art::kInk, true);
}

void volcano(cairo_t* cr, double x, double y, double r)
{
    drawVolcano(cr, x, y - r * 0.75, r * 2.1, r * 1.5);
}

// The painters of the scenery kinds, in the order of maplayout::SceneryKind.
typedef void (*Painter)(cairo_t*, double x, double y, double r);
const Painter kPainters[] = {tree, pine, bush, rock, flowers, volcano, summit, tent};

void scenery(cairo_t* cr, const Scenery& s)
{
    cairo_new_path(cr);
    if (s.kind >= 0 && s.kind < static_cast<int>(sizeof kPainters / sizeof kPainters[0]))
        kPainters[s.kind](cr, s.x, s.y, s.r);
}

} // namespace

cairo_surface_t* drawMapChart()
{
    cairo_surface_t* s = newSurface(kWidth, kHeight);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    fillVertical(cr, art::kWood, art::kWoodDark, 0, kHeight, 1, false);
    drawParchment(cr, 4, 4, kWidth - 8, kHeight - 8, 99);
    cairo_save(cr);
    cairo_rectangle(cr, kSeaInset, kSeaInset, kWidth - 2 * kSeaInset, kHeight - 2 * kSeaInset);
    cairo_clip(cr);
    sea(cr);
    for (int set = 0; set < maplayout::SET_COUNT; ++set)
        island(cr, maplayout::Coast(set), 11 + 12 * set);
    for (int set = 0; set < maplayout::SET_COUNT; ++set)
        road(cr, maplayout::Road(set));
    // Scenery from the back (top) to the front (bottom), so nearer pieces
    // stand in front.
    std::vector<Scenery> pieces;
    for (int set = 0; set < maplayout::SET_COUNT; ++set)
        for (const Scenery& piece : maplayout::SceneryOf(set))
            pieces.push_back(piece);
    std::stable_sort(pieces.begin(), pieces.end(), [](const Scenery& a, const Scenery& b) { return a.y < b.y; });
    for (const Scenery& piece : pieces)
        scenery(cr, piece);
    compass(cr, 52, 517, 21);
    cairo_restore(cr);
    cairo_destroy(cr);
    return s;
}

} // namespace ui
