#include "board/Tube.h"

#include "board/Paint.h"

namespace board {
namespace {
// pipe spans x 18..38 (inside the cell 16..40), from y 9 to the floor at 61
constexpr double kL = 18.5, kR = 37.5, kTop = 9, kFloor = 61;
art::Rgb metalOf(int variant) { return variant == 0 ? art::kCopper : art::kBrass; }
} // namespace

void clipTubeInside(cairo_t* cr) {
    cairo_rectangle(cr, kL + 1, kTop + 3, kR - kL - 2, kFloor - kTop - 3);
    cairo_clip(cr);
}

void drawTubeBack(cairo_t* cr, int variant) {
    // dark inside of the pipe
    cairo_rectangle(cr, kL, kTop, kR - kL, kFloor - kTop);
    cairo_pattern_t* p = cairo_pattern_create_linear(kL, 0, kR, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.20, 0.28, 0.30, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0.40, 0.55, 0.55, 0.30);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.15, 0.22, 0.24, 0.55);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // back half of the foot ring
    ellipse(cr, 28, kFloor - 1, 12.5, 3.2);
    shade(cr, darker(metalOf(variant), 0.2), kFloor - 4, kFloor + 2, 1.0);
}

void drawTubeFront(cairo_t* cr, int variant, double lamp) {
    art::Rgb m = metalOf(variant);
    // glass sheen
    cairo_rectangle(cr, kL, kTop, kR - kL, kFloor - kTop);
    cairo_pattern_t* p = cairo_pattern_create_linear(kL, 0, kR, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.75, 0.92, 0.95, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 0.25, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(p, 0.7, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 0.9, 0.80, 0.95, 1.0, 0.35);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, kL + 3, kTop + 5, 2, kFloor - kTop - 12);
    setColor(cr, {1, 1, 1}, 0.45);
    cairo_fill(cr);
    // glass edges
    setColor(cr, art::kInk, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, kL, kTop);
    cairo_line_to(cr, kL, kFloor);
    cairo_move_to(cr, kR, kTop);
    cairo_line_to(cr, kR, kFloor);
    cairo_stroke(cr);
    // brass bands
    for (double y : {kTop + 18.0, kTop + 34.0}) {
        roundRect(cr, kL - 1.5, y, kR - kL + 3, 3, 1);
        shade(cr, m, y, y + 3, 1.0);
    }
    // cap
    cairo_move_to(cr, kL - 3, kTop + 4);
    cairo_line_to(cr, kL - 1, kTop - 3);
    cairo_curve_to(cr, kL + 4, kTop - 6.5, kR - 4, kTop - 6.5, kR + 1, kTop - 3);
    cairo_line_to(cr, kR + 3, kTop + 4);
    cairo_close_path(cr);
    shade(cr, m, kTop - 6, kTop + 4, 1.2);
    cairo_arc(cr, 28, kTop - 5, 2.2, 0, 2 * kPi);
    shadeRound(cr, m, 28, kTop - 5, 2.2, 1.0);
    // foot ring front half
    cairo_move_to(cr, kL - 4, kFloor - 2);
    cairo_curve_to(cr, kL - 4, kFloor + 4, kR + 4, kFloor + 4, kR + 4, kFloor - 2);
    cairo_line_to(cr, kR + 4, kFloor - 5);
    cairo_curve_to(cr, kR + 4, kFloor - 1, kL - 4, kFloor - 1, kL - 4, kFloor - 5);
    cairo_close_path(cr);
    shade(cr, m, kFloor - 5, kFloor + 3, 1.2);
    // The exit's mark low in the glass, in the tube's own cell: under a
    // low ceiling the cell above hides the cap and its lamp, this stays.
    if (variant == 1) {
        glow(cr, 28, 51, 9, lighter(art::kGrass, 0.3), 0.35 + 0.4 * lamp);
        for (double y : {47.0, 53.0}) {
            cairo_move_to(cr, 23, y + 4);
            cairo_line_to(cr, 28, y);
            cairo_line_to(cr, 33, y + 4);
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setColor(cr, darker(art::kGrass, 0.45));
        cairo_set_line_width(cr, 3.4);
        cairo_stroke_preserve(cr);
        setColor(cr, lighter(art::kGrass, 0.45));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
    // lamp on the cap (the exit tube shows the way out)
    art::Rgb lampColor = variant == 1 ? art::kGrass : art::kGlow;
    cairo_arc(cr, kR + 1.5, kTop + 1, 2.2, 0, 2 * kPi);
    shadeRound(cr, mix(darker(lampColor, 0.5), lampColor, lamp), kR + 1.5, kTop + 1, 2.2, 1.0);
    if (lamp > 0.3)
        glow(cr, kR + 1.5, kTop + 1, 5 * lamp, lighter(lampColor, 0.3), 0.6 * lamp);
}

} // namespace board
