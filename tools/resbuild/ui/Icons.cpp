#include "ui/Icons.h"

#include <cmath>

#include "ui/Paint.h"

namespace ui {

namespace {

void crate(cairo_t* cr, double lw)
{
    roundedRect(cr, -0.42, -0.42, 0.84, 0.84, 0.06);
    fillVertical(cr, lighter(art::kWood, 0.3), darker(art::kWood, 0.15), -0.42, 0.42);
    strokeInk(cr, lw);
    roundedRect(cr, -0.32, -0.32, 0.64, 0.64, 0.03);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, lw * 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, -0.3, -0.3);
    cairo_line_to(cr, 0.3, 0.3);
    cairo_move_to(cr, 0.3, -0.3);
    cairo_line_to(cr, -0.3, 0.3);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, lw * 1.3);
    cairo_stroke(cr);
}

void barrel(cairo_t* cr, double lw)
{
    cairo_move_to(cr, -0.3, -0.42);
    cairo_curve_to(cr, -0.45, -0.2, -0.45, 0.2, -0.3, 0.42);
    cairo_line_to(cr, 0.3, 0.42);
    cairo_curve_to(cr, 0.45, 0.2, 0.45, -0.2, 0.3, -0.42);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(-0.4, 0, 0.4, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, art::kWoodDark.r, art::kWoodDark.g, art::kWoodDark.b);
    cairo_pattern_add_color_stop_rgb(p, 0.4, art::kWood.r * 1.3, art::kWood.g * 1.3, art::kWood.b * 1.3);
    cairo_pattern_add_color_stop_rgb(p, 1, art::kWoodDark.r, art::kWoodDark.g, art::kWoodDark.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    strokeInk(cr, lw);
    for (double y : {-0.25, 0.25}) {
        cairo_move_to(cr, -0.4, y);
        cairo_curve_to(cr, -0.2, y + 0.05, 0.2, y + 0.05, 0.4, y);
    }
    setColor(cr, art::kMetalDark);
    cairo_set_line_width(cr, lw * 1.6);
    cairo_stroke(cr);
}

void magnet(cairo_t* cr, double lw)
{
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 0.36, kPi, 2 * kPi);
    cairo_line_to(cr, 0.36, 0.4);
    cairo_line_to(cr, 0.16, 0.4);
    cairo_line_to(cr, 0.16, 0);
    cairo_arc_negative(cr, 0, 0, 0.16, 0, kPi);
    cairo_line_to(cr, -0.16, 0.4);
    cairo_line_to(cr, -0.36, 0.4);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kRed, 0.3), darker(art::kRed, 0.2), -0.36, 0.4);
    strokeInk(cr, lw);
    for (int side = -1; side <= 1; side += 2) {
        cairo_rectangle(cr, side > 0 ? 0.16 : -0.36, 0.22, 0.2, 0.18);
        fillVertical(cr, lighter(art::kMetal, 0.4), art::kMetalDark, 0.22, 0.4);
        strokeInk(cr, lw * 0.8);
    }
}

void emp(cairo_t* cr, double lw)
{
    softGlow(cr, 0, 0, 0.5, art::kIce, 0.9);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        cairo_move_to(cr, 0.22 * std::cos(a), 0.22 * std::sin(a));
        cairo_line_to(cr, 0.44 * std::cos(a + 0.1), 0.44 * std::sin(a + 0.1));
    }
    setColor(cr, art::kBlue);
    cairo_set_line_width(cr, lw * 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, 0.06, -0.4);
    cairo_line_to(cr, -0.18, 0.04);
    cairo_line_to(cr, 0.0, 0.04);
    cairo_line_to(cr, -0.08, 0.4);
    cairo_line_to(cr, 0.2, -0.08);
    cairo_line_to(cr, 0.02, -0.08);
    cairo_close_path(cr);
    fillVertical(cr, kWhite, art::kYellow, -0.4, 0.4);
    strokeInk(cr, lw);
}

void gun(cairo_t* cr, double lw, Rgb body, bool frost)
{
    // Barrel with fins, a round tank and a grip.
    roundedRect(cr, -0.42, -0.16, 0.7, 0.2, 0.06);
    fillVertical(cr, lighter(body, 0.35), darker(body, 0.2), -0.16, 0.04);
    strokeInk(cr, lw);
    for (double x : {-0.1, 0.05}) {
        cairo_rectangle(cr, x, -0.22, 0.07, 0.32);
        fillVertical(cr, lighter(art::kBrass, 0.3), darker(art::kBrass, 0.2), -0.22, 0.1);
        strokeInk(cr, lw * 0.7);
    }
    cairo_move_to(cr, 0.1, 0.04);
    cairo_line_to(cr, 0.26, 0.04);
    cairo_line_to(cr, 0.2, 0.38);
    cairo_line_to(cr, 0.06, 0.38);
    cairo_close_path(cr);
    fillVertical(cr, art::kWood, art::kWoodDark, 0.04, 0.38);
    strokeInk(cr, lw);
    cairo_arc(cr, 0.3, -0.08, 0.13, 0, 2 * kPi);
    fillVertical(cr, lighter(body, 0.5), body, -0.21, 0.05);
    strokeInk(cr, lw);
    // The shot leaving the muzzle.
    if (frost) {
        for (int i = 0; i < 3; ++i) {
            const double a = i * kPi / 3;
            cairo_move_to(cr, -0.4 + 0.12 * std::cos(a), -0.3 + 0.12 * std::sin(a));
            cairo_line_to(cr, -0.4 - 0.12 * std::cos(a), -0.3 - 0.12 * std::sin(a));
        }
        setColor(cr, kWhite);
        cairo_set_line_width(cr, lw * 1.2);
        cairo_stroke_preserve(cr);
        setColor(cr, art::kBlue);
        cairo_set_line_width(cr, lw * 0.5);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, -0.42, -0.18);
        cairo_curve_to(cr, -0.3, -0.3, -0.42, -0.4, -0.38, -0.48);
        cairo_curve_to(cr, -0.5, -0.38, -0.56, -0.26, -0.42, -0.18);
        fillVertical(cr, art::kYellow, art::kRed, -0.48, -0.18);
        strokeInk(cr, lw * 0.6);
    }
}

void bridge(cairo_t* cr, double lw)
{
    cairo_move_to(cr, -0.45, -0.15);
    cairo_curve_to(cr, -0.2, 0.05, 0.2, 0.05, 0.45, -0.15);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        const double x = -0.4 + i * 0.18;
        const double sag = 0.12 * std::sin((i + 0.5) / 5.0 * kPi);
        roundedRect(cr, x, 0.02 + sag, 0.15, 0.18, 0.03);
        fillVertical(cr, lighter(art::kWood, 0.3), art::kWood, 0.02 + sag, 0.2 + sag);
        strokeInk(cr, lw * 0.7);
    }
    for (int side = -1; side <= 1; side += 2) {
        cairo_rectangle(cr, side * 0.45 - 0.04, -0.3, 0.08, 0.5);
        fillVertical(cr, art::kWood, art::kWoodDark, -0.3, 0.2);
        strokeInk(cr, lw * 0.7);
    }
}

void whistle(cairo_t* cr, double lw)
{
    cairo_arc(cr, 0.08, 0.1, 0.26, 0, 2 * kPi);
    fillVertical(cr, lighter(art::kBrass, 0.45), darker(art::kBrass, 0.2), -0.16, 0.36);
    strokeInk(cr, lw);
    roundedRect(cr, -0.46, -0.16, 0.5, 0.18, 0.04);
    fillVertical(cr, lighter(art::kBrass, 0.45), darker(art::kBrass, 0.2), -0.16, 0.02);
    strokeInk(cr, lw);
    cairo_rectangle(cr, -0.06, -0.12, 0.08, 0.08);
    setColor(cr, art::kInk);
    cairo_fill(cr);
    // Sound lines.
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 0.3 + i * 0.06, -0.3 - i * 0.05);
        cairo_line_to(cr, 0.42 + i * 0.05, -0.38 - i * 0.03);
    }
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, lw * 0.8);
    cairo_stroke(cr);
}

void teleport(cairo_t* cr, double lw, Rgb c, double phase)
{
    softGlow(cr, 0, 0, 0.5, c, 0.6);
    cairo_arc(cr, 0, 0, 0.4, 0, 2 * kPi);
    setColor(cr, darker(c, 0.3));
    cairo_set_line_width(cr, lw * 2.2);
    cairo_stroke_preserve(cr);
    setColor(cr, lighter(c, 0.3));
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
    // Spiral arms.
    for (int arm = 0; arm < 3; ++arm) {
        cairo_new_path(cr);
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            const double a = phase * 2 * kPi + arm * 2 * kPi / 3 + t * 3.5;
            const double r = 0.33 * (1 - t);
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
        }
        setColor(cr, lighter(c, 0.55));
        cairo_set_line_width(cr, lw * 0.9);
        cairo_stroke(cr);
    }
    softGlow(cr, 0, 0, 0.15, kWhite, 0.9);
}

} // namespace

void drawPowerSymbol(cairo_t* cr, Power p, double cx, double cy, double size, double phase)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    const double lw = 1.4 / size;
    switch (p) {
    case Power::Crate: crate(cr, lw); break;
    case Power::Barrel: barrel(cr, lw); break;
    case Power::Magnet: magnet(cr, lw); break;
    case Power::Emp: emp(cr, lw); break;
    case Power::FrostGun: gun(cr, lw, art::kIce, true); break;
    case Power::HeatGun: gun(cr, lw, art::kRed, false); break;
    case Power::Bridge: bridge(cr, lw); break;
    case Power::Whistle: whistle(cr, lw); break;
    case Power::TeleportBlue: teleport(cr, lw, art::kBlue, phase); break;
    case Power::TeleportYellow: teleport(cr, lw, art::kYellow, phase); break;
    case Power::TeleportRed: teleport(cr, lw, art::kRed, phase); break;
    }
    cairo_restore(cr);
}

} // namespace ui
