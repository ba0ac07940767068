// Terrain runs, bridges and ladders.
//  - grass and sand runs of n cells: (24n + 10) x 42, anchor (2, 6); the
//    front face fills the run's cells and the top face recedes 4 pixels up
//    and to the right. The "b" pictures are runs with a rocky underside
//    hanging below the row. Ice is one cell (34 x 42, anchor (2, 6)) in
//    ten looks; "ice1b"/"ice2b" carry icicles for a free lower edge.
//  - bridges: 34 x 50, anchor (4, 6); a plank whose top is the cell's top,
//    level with the terrain floor; its pieces fall through the picture as
//    it collapses. The trimmed pictures are the bare intact plank (28 x 12)
//    for cursors.
//  - ladders: 34 x 34, anchor (4, 6); rails and rungs filling the cell.
#include "board/Families.h"
#include "board/Paint.h"

namespace board {
namespace {

constexpr double kD = 4; // depth offset

enum class Ground { Grass, Sand, Ice };

void block(cairo_t* cr, Ground g, double x, double y, double w, double h, int seed) {
    art::Rgb top = g == Ground::Grass ? art::kGrass : (g == Ground::Sand ? art::kSand : art::kIce);
    art::Rgb front = g == Ground::Grass ? art::Rgb{0.55, 0.36, 0.22}
                                        : (g == Ground::Sand ? darker(art::kSand, 0.12) : darker(art::kIce, 0.08));
    // right face
    cairo_move_to(cr, x + w, y);
    cairo_line_to(cr, x + w + kD, y - kD);
    cairo_line_to(cr, x + w + kD, y + h - kD);
    cairo_line_to(cr, x + w, y + h);
    cairo_close_path(cr);
    shade(cr, darker(front, 0.3), y, y + h, 1.0);
    // top face
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + kD, y - kD);
    cairo_line_to(cr, x + w + kD, y - kD);
    cairo_line_to(cr, x + w, y);
    cairo_close_path(cr);
    shade(cr, lighter(top, 0.15), y - kD, y, 1.0);
    // front face
    cairo_rectangle(cr, x, y, w, h);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    art::Rgb a = lighter(front, 0.1), b = darker(front, 0.3);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, art::kOutlineSmall);
    cairo_stroke(cr);

    cairo_save(cr);
    cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
    cairo_clip(cr);
    int cells = int(w / 24 + 0.5);
    if (g == Ground::Grass) {
        for (int k = 0; k < cells * 3; ++k) {
            double sx = x + 4 + hashf(seed + k, 1) * (w - 8), sy = y + 9 + hashf(seed + k, 2) * (h - 12);
            ellipse(cr, sx, sy, 1.6 + hashf(k, 3), 1.1);
            fillInk(cr, {0.62, 0.56, 0.50}, 0.6);
        }
    } else if (g == Ground::Sand) {
        for (int k = 0; k < 3; ++k) {
            double yy = y + 7 + k * 6;
            cairo_move_to(cr, x, yy);
            for (double xx = x; xx <= x + w; xx += 6)
                cairo_line_to(cr, xx + 3, yy + ((int(xx / 6) + k) % 2 ? 1.2 : -1.2));
            setColor(cr, darker(art::kSand, 0.3), 0.5);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        for (int k = 0; k < cells * 4; ++k) {
            cairo_arc(cr, x + 2 + hashf(seed + k, 4) * (w - 4), y + 3 + hashf(seed + k, 5) * (h - 5), 0.6, 0,
                      kTau);
            setColor(cr, darker(art::kSand, 0.4), 0.7);
            cairo_fill(cr);
        }
    } else {
        // cracks and glints differ per look
        for (int k = 0; k < 2; ++k) {
            double sx = x + 4 + hashf(seed, 10 + k) * (w - 8), sy = y + 4 + hashf(seed, 20 + k) * (h - 10);
            cairo_move_to(cr, sx, sy);
            cairo_rel_line_to(cr, 3 * (hashf(seed, 30 + k) - 0.3), 4);
            cairo_rel_line_to(cr, 3 * (hashf(seed, 40 + k) - 0.6), 4);
            setColor(cr, {1, 1, 1}, 0.85);
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, x + 3, y + h - 4);
        cairo_line_to(cr, x + w * 0.5, y + 3);
        setColor(cr, {1, 1, 1}, 0.35);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        sparkle(cr, x + 5 + hashf(seed, 50) * (w - 10), y + 5 + hashf(seed, 51) * 8, 2.2, {1, 1, 1});
    }
    cairo_restore(cr);

    if (g == Ground::Grass) {
        // grass lip hanging over the front edge, with blades
        cairo_move_to(cr, x - 0.5, y - 0.5);
        for (double xx = x; xx < x + w; xx += 4) {
            double d = 3 + 2.2 * hashf(seed + int(xx), 7);
            cairo_line_to(cr, xx + 2, y + d);
            cairo_line_to(cr, std::min(xx + 4, x + w + 0.5), y + 1.5);
        }
        cairo_line_to(cr, x + w + 0.5, y - 0.5);
        cairo_close_path(cr);
        shade(cr, art::kGrass, y, y + 5, 0.9);
        for (double xx = x + 3; xx < x + w + 2; xx += 5 + 3 * hashf(int(xx), 8)) {
            double yy = y - 1 - hashf(int(xx), 9) * 2;
            cairo_move_to(cr, xx, yy + 1);
            cairo_line_to(cr, xx + 1, yy - 2.5);
            cairo_line_to(cr, xx + 2, yy + 1);
            setColor(cr, darker(art::kGrass, 0.25));
            cairo_fill(cr);
        }
    }
}

void underside(cairo_t* cr, Ground g, double x, double y, double w, int seed) {
    // rocks and roots (or icicles) hanging below a free lower edge
    art::Rgb c = g == Ground::Ice ? lighter(art::kIce, 0.2) : (g == Ground::Sand ? darker(art::kSand, 0.3)
                                                                                 : art::Rgb{0.45, 0.30, 0.18});
    for (double xx = x + 2; xx < x + w - 3; xx += 5) {
        double len = 3 + 5 * hashf(seed + int(xx), 11);
        cairo_move_to(cr, xx, y - 0.5);
        cairo_line_to(cr, xx + 4, y - 0.5);
        cairo_line_to(cr, xx + 2 + (hashf(int(xx), 12) - 0.5) * 2, y + len);
        cairo_close_path(cr);
        fillInk(cr, c, 0.8);
    }
    if (g == Ground::Grass)
        for (double xx = x + 5; xx < x + w - 3; xx += 9) {
            cairo_move_to(cr, xx, y);
            cairo_curve_to(cr, xx - 2, y + 3, xx + 2, y + 4, xx, y + 7);
            setColor(cr, {0.35, 0.25, 0.15});
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
}

cairo_surface_t* drawGround(Ground g, int cells, bool lower, int look) {
    int w = 24 * cells + 10, h = 42;
    cairo_surface_t* s = newCanvas(w, h);
    cairo_t* cr = cairo_create(s);
    int seed = look * 131 + cells * 7;
    if (lower)
        underside(cr, g, 2, 30, 24 * cells, seed);
    block(cr, g, 2, 6, 24 * cells, 24, seed);
    cairo_destroy(cr);
    return s;
}

// ----- bridges -----
constexpr int kBrW = 34, kBrH = 50, kBrAx = 4, kBrAy = 6;

void plank(cairo_t* cr, double x, double y, double w, art::Rgb c, bool rubber) {
    // top of the plank recedes like terrain
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + kD, y - kD);
    cairo_line_to(cr, x + w + kD, y - kD);
    cairo_line_to(cr, x + w, y);
    cairo_close_path(cr);
    shade(cr, lighter(c, 0.2), y - kD, y, 0.9);
    roundRect(cr, x, y, w, 5, rubber ? 2.5 : 0.8);
    shade(cr, c, y, y + 5, 1.0);
    if (!rubber) {
        for (double xx = x + 6; xx < x + w - 1; xx += 6) {
            cairo_move_to(cr, xx, y + 0.5);
            cairo_line_to(cr, xx, y + 4.5);
        }
        setColor(cr, art::kInk, 0.6);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        for (double xx : {x + 2.0, x + w - 2.0}) {
            cairo_arc(cr, xx, y + 2.5, 0.7, 0, kTau);
            setColor(cr, art::kMetalDark);
            cairo_fill(cr);
        }
    } else {
        cairo_move_to(cr, x + 3, y + 1.5);
        cairo_line_to(cr, x + w - 3, y + 1.5);
        setColor(cr, {1, 1, 1}, 0.45);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

// Collapse progress t 0..1: the plank splits into pieces that fall and fade.
void collapsing(cairo_t* cr, double t, art::Rgb c, bool rubber) {
    int pieces = rubber ? 2 : 4;
    double pw = 24.0 / pieces;
    for (int k = 0; k < pieces; ++k) {
        double delay = rubber ? 0 : hashf(k, 3) * 0.3;
        double u = std::max(0.0, t - delay) / (1 - delay);
        double x = kBrAx + k * pw, y = kBrAy + 38 * u * u;
        cairo_save(cr);
        cairo_translate(cr, x + pw / 2, y + 2);
        cairo_rotate(cr, (k - (pieces - 1) / 2.0) * 0.9 * u);
        cairo_push_group(cr);
        if (rubber) {
            // a deflating rubber piece shrivels
            cairo_scale(cr, 1 - 0.3 * u, 1 - 0.4 * u);
        }
        plank(cr, -pw / 2, -2, pw, c, rubber);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 1 - 0.65 * u);
        cairo_restore(cr);
    }
}

cairo_surface_t* drawBridge(const std::string& name) {
    int n = 0;
    if (name == "bridgeA0_trimmed.png" || name == "bridgeinflatable0_trimmed.png") {
        cairo_surface_t* s = newCanvas(28, 12);
        cairo_t* cr = cairo_create(s);
        bool rubber = startsWith(name, "bridgeinflatable");
        plank(cr, 0.5, 5.5, 23, rubber ? art::kYellow : art::kWood, rubber);
        cairo_destroy(cr);
        return s;
    }
    cairo_surface_t* s = newCanvas(kBrW, kBrH);
    cairo_t* cr = cairo_create(s);
    if (parseNumbered(name, "bridgeA", ".png", n)) {
        if (n == 0)
            plank(cr, kBrAx, kBrAy, 24, art::kWood, false);
        else
            collapsing(cr, n / 13.0, art::kWood, false);
    } else if (parseNumbered(name, "bridgeinflatable", ".png", n)) {
        if (n == 0)
            plank(cr, kBrAx, kBrAy, 24, art::kYellow, true);
        else
            collapsing(cr, n / 10.0, art::kYellow, true);
    } else if (name == "bridgefrozen.png") {
        plank(cr, kBrAx, kBrAy, 24, art::kWood, false);
        frostOver(cr, kBrW, kBrH);
        for (int k = 0; k < 4; ++k) {
            double x = kBrAx + 3 + k * 6;
            cairo_move_to(cr, x - 1.2, kBrAy + 5);
            cairo_line_to(cr, x + 1.2, kBrAy + 5);
            cairo_line_to(cr, x, kBrAy + 8 + (k % 2) * 2);
            cairo_close_path(cr);
            fillInk(cr, lighter(art::kIce, 0.3), 0.6);
        }
    } else {
        // inflating: left0/right0 start small at one end, 1, 2 and 4 grow to
        // the full plank
        // The professor stands beside the cell he faces, so a bridge blown
        // up to his left starts at the cell's right end, and the reverse.
        double k = 0.12;
        bool fromLeft = name == "bridgeinflateright0.png";
        if (parseNumbered(name, "bridgeinflate", ".png", n))
            k = n / 4.0;
        double w = 6 + 18 * k;
        double x = fromLeft ? kBrAx : kBrAx + 24 - w;
        if (n > 0)
            x = kBrAx + (24 - w) / 2;
        cairo_save(cr);
        cairo_translate(cr, x, kBrAy + 2.5);
        cairo_scale(cr, 1, 0.5 + 0.5 * k);
        plank(cr, 0, -2.5, w, art::kYellow, true);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return s;
}

// ----- ladders -----

cairo_surface_t* drawLadder(const std::string& name) {
    cairo_surface_t* s = newCanvas(34, 34);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, 0, 2); // drawn for anchor (4, 4), shown at (4, 6)
    const double x0 = 4 + 5, x1 = 4 + 19; // rails inside the cell
    std::string kind = name.substr(6, name.rfind('.') - 6);
    double top = 4, bottom = 28;
    bool hooks = kind == "top" || kind == "iso" || kind == "platform";
    bool feet = kind == "bottom" || kind == "iso";
    if (hooks)
        top = 5;
    if (kind == "bottomhang")
        bottom = 24;
    if (kind == "platform") {
        // a landing the walkers can stand on, with the ladder's head below it
        top = 9;
    }
    // rungs first so the rails overlap them
    for (double y = top + 3; y < bottom - 1; y += 6) {
        roundRect(cr, x0, y, x1 - x0 + 3, 2.4, 1);
        shade(cr, art::kWood, y, y + 2.4, 0.9);
    }
    for (double x : {x0, x1}) {
        roundRect(cr, x - 0.5, top, 3.5, bottom - top, 1.2);
        shade(cr, art::kWoodDark, top, bottom, 1.0);
    }
    if (hooks && kind != "platform")
        for (double x : {x0, x1}) {
            cairo_arc(cr, x + 3.5, top + 1, 2.6, kPi, kTau);
            setColor(cr, art::kInk);
            cairo_set_line_width(cr, 2.6);
            cairo_stroke_preserve(cr);
            setColor(cr, art::kMetal);
            cairo_set_line_width(cr, 1.4);
            cairo_stroke(cr);
        }
    if (feet)
        for (double x : {x0, x1}) {
            roundRect(cr, x - 1.5, bottom - 2, 5.5, 2.5, 1);
            fillInk(cr, art::kMetalDark, 0.9);
        }
    if (kind == "bottomhang")
        for (double x : {x0, x1}) {
            cairo_arc(cr, x + 1.25, bottom, 2.0, 0, kTau);
            shadeRound(cr, art::kBrass, x + 1.25, bottom, 2.0, 0.9);
        }
    if (kind == "platform")
        plank(cr, 4, 4, 24, art::kWood, false);
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawTerrainImage(const std::string& name) {
    int n = 0;
    if (startsWith(name, "ladder"))
        return drawLadder(name);
    if (startsWith(name, "bridge"))
        return drawBridge(name);
    for (auto [pre, g] : {std::pair<const char*, Ground>{"grass", Ground::Grass}, {"sand", Ground::Sand},
                          {"ice", Ground::Ice}}) {
        if (parseNumbered(name, pre, ".png", n)) {
            if (g == Ground::Ice)
                return drawGround(g, 1, false, n);
            return drawGround(g, n, false, 0);
        }
        if (parseNumbered(name, pre, "b.png", n)) {
            if (g == Ground::Ice)
                return drawGround(g, 1, true, n + 20);
            return drawGround(g, n, true, 1);
        }
    }
    return nullptr;
}

} // namespace board
