#include "ui/Scenery.h"

#include <cmath>

namespace ui {

namespace {
// The same professor as on the board: green coat, white hair and beard,
// brass spectacles and a dark top hat with a copper band.
constexpr Rgb kSkin{0.97, 0.79, 0.63};
constexpr Rgb kHair{0.95, 0.94, 0.90};
constexpr Rgb kCoat{0.26, 0.46, 0.34};
constexpr Rgb kVest{0.62, 0.48, 0.30};
constexpr Rgb kHat{0.24, 0.19, 0.21};

// The top hat, its brim's middle at (0, brimY) of the head's frame.
void drawTopHat(cairo_t* cr, double brimY, double lw)
{
    // Crown, a little wider at the top.
    cairo_move_to(cr, -30, brimY);
    cairo_line_to(cr, -33, brimY - 56);
    cairo_curve_to(cr, -20, brimY - 61, 20, brimY - 61, 33, brimY - 56);
    cairo_line_to(cr, 30, brimY);
    cairo_close_path(cr);
    fillVertical(cr, lighter(kHat, 0.25), darker(kHat, 0.2), brimY - 60, brimY);
    strokeInk(cr, lw);
    // Copper band.
    cairo_move_to(cr, -30.6, brimY - 8);
    cairo_line_to(cr, -31.6, brimY - 18);
    cairo_line_to(cr, 31.6, brimY - 18);
    cairo_line_to(cr, 30.6, brimY - 8);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kCopper, 0.3), darker(art::kCopper, 0.2), brimY - 18, brimY - 8);
    strokeInk(cr, lw * 0.6);
    // A sheen down the crown.
    cairo_rectangle(cr, -20, brimY - 52, 5, 32);
    setColor(cr, kWhite, 0.18);
    cairo_fill(cr);
    // Brim.
    cairo_save(cr);
    cairo_translate(cr, 0, brimY);
    cairo_scale(cr, 1, 0.22);
    cairo_arc(cr, 0, 0, 50, 0, 2 * kPi);
    cairo_restore(cr);
    fillVertical(cr, lighter(kHat, 0.15), darker(kHat, 0.25), brimY - 11, brimY + 11);
    strokeInk(cr, lw);
}
} // namespace

void drawProfessorHead(cairo_t* cr, double cx, double cy, double s, const Face& f)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s, s);
    const double lw = art::kOutlineLarge / std::max(s, 0.5) * 0.8;

    // White hair curling out on both sides under the hat.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        for (int k = 0; k < 3; ++k) {
            const double a = (side < 0 ? kPi : 0) + side * (-0.5 + k * 0.45);
            cairo_new_sub_path(cr);
            cairo_arc(cr, side * 38 + 9 * std::cos(a), -8 + 11 * std::sin(a), 9, 0, 2 * kPi);
        }
        fillVertical(cr, kWhite, mix(kHair, art::kMetal, 0.3), -20, 8);
        strokeInk(cr, lw);
    }
    // Ears.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, side * 41, 6, 9, 0, 2 * kPi);
        fillVertical(cr, kSkin, darker(kSkin, 0.15), -4, 16);
        strokeInk(cr, lw);
    }
    // Face.
    cairo_save(cr);
    cairo_scale(cr, 1.0, 1.08);
    cairo_arc(cr, 0, 0, 40, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* skin = cairo_pattern_create_radial(-12, -16, 5, 0, 0, 48);
    cairo_pattern_add_color_stop_rgb(skin, 0, 1.0, 0.9, 0.8);
    cairo_pattern_add_color_stop_rgb(skin, 1, kSkin.r * 0.85, kSkin.g * 0.8, kSkin.b * 0.78);
    cairo_set_source(cr, skin);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(skin);
    strokeInk(cr, lw);
    // Rosy cheeks.
    softGlow(cr, -24, 12, 11, art::kRed, 0.35);
    softGlow(cr, 24, 12, 11, art::kRed, 0.35);
    // Full white beard from ear to ear, round under the chin.
    cairo_move_to(cr, -38, 6);
    cairo_curve_to(cr, -40, 34, -22, 58, 0, 60);
    cairo_curve_to(cr, 22, 58, 40, 34, 38, 6);
    cairo_curve_to(cr, 30, 14, 22, 26, 12, 30);
    cairo_curve_to(cr, 4, 33, -4, 33, -12, 30);
    cairo_curve_to(cr, -22, 26, -30, 14, -38, 6);
    cairo_close_path(cr);
    fillVertical(cr, kWhite, mix(kHair, art::kMetal, 0.35), 6, 60);
    strokeInk(cr, lw * 0.8);
    for (int k = -2; k <= 2; ++k) {
        cairo_move_to(cr, k * 9, 36 + std::abs(k) * 2);
        cairo_curve_to(cr, k * 10, 44, k * 11, 48, k * 10.5, 54 - std::abs(k) * 3);
    }
    setColor(cr, mix(kHair, art::kMetal, 0.6), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // Eyes behind round spectacles.
    const double look = f.look * 3;
    for (int side = -1; side <= 1; side += 2) {
        const double ex = side * 16;
        cairo_arc(cr, ex, -2, 12, 0, 2 * kPi);
        setColor(cr, lighter(art::kSky, 0.6), 0.6);
        cairo_fill_preserve(cr);
        setColor(cr, art::kBrass);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke_preserve(cr);
        strokeInk(cr, lw * 0.6);
        if (f.blink < 0.95) {
            cairo_save(cr);
            cairo_rectangle(cr, ex - 10, -2 - 7 + 14 * f.blink, 20, 14);
            cairo_clip(cr);
            cairo_arc(cr, ex + look, -2, 5.5, 0, 2 * kPi);
            setColor(cr, kWhite);
            cairo_fill_preserve(cr);
            strokeInk(cr, lw * 0.5);
            cairo_arc(cr, ex + look * 1.3, -1.5, 2.8, 0, 2 * kPi);
            setColor(cr, art::kInk);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        if (f.blink > 0.05) {
            // The lid comes down over the eye.
            cairo_move_to(cr, ex - 6, -2 - 6 + 12 * f.blink);
            cairo_curve_to(cr, ex - 3, -2 - 2 + 12 * f.blink, ex + 3, -2 - 2 + 12 * f.blink, ex + 6, -2 - 6 + 12 * f.blink);
            strokeInk(cr, lw * 0.7);
        }
        // Bushy brow.
        const double by = -16 - f.brow * 4;
        cairo_move_to(cr, ex - 11, by + 3 - side * f.brow * 1.5);
        cairo_curve_to(cr, ex - 5, by - 4, ex + 5, by - 4, ex + 11, by + 3 + side * f.brow * 1.5);
        setColor(cr, kHair);
        cairo_set_line_width(cr, 6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        strokeInk(cr, lw * 0.35);
    }
    // Bridge of the spectacles.
    cairo_move_to(cr, -4, -4);
    cairo_curve_to(cr, -2, -7, 2, -7, 4, -4);
    setColor(cr, art::kBrass);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);

    // Mouth (under the moustache).
    if (f.mouth > 0.02) {
        cairo_save(cr);
        cairo_translate(cr, 0, 25);
        cairo_scale(cr, 1.0, 0.3 + 0.7 * f.mouth);
        cairo_arc(cr, 0, 0, 9, 0, 2 * kPi);
        cairo_restore(cr);
        setColor(cr, darker(art::kRed, 0.5));
        cairo_fill_preserve(cr);
        strokeInk(cr, lw * 0.6);
    }
    // Moustache.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 0, 14);
        cairo_curve_to(cr, side * 10, 8, side * 24, 12, side * 30, 22);
        cairo_curve_to(cr, side * 24, 26, side * 12, 24, 0, 21);
        cairo_close_path(cr);
        fillVertical(cr, kWhite, mix(kHair, art::kMetal, 0.35), 8, 26);
        strokeInk(cr, lw * 0.7);
    }
    // Nose.
    cairo_save(cr);
    cairo_scale(cr, 1, 0.85);
    cairo_arc(cr, 0, 10, 7.5, 0, 2 * kPi);
    cairo_restore(cr);
    fillVertical(cr, lighter(art::kCopper, 0.35), darker(art::kCopper, 0.05), 2, 16);
    strokeInk(cr, lw * 0.7);
    softGlow(cr, -2, 6, 3, kWhite, 0.7);
    drawTopHat(cr, -27, lw);
    cairo_restore(cr);
}

void drawProfessorBody(cairo_t* cr, double cx, double top, double s)
{
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, s, s);
    const double lw = art::kOutlineLarge * 0.8 / std::max(s, 0.5);
    // Coat.
    cairo_move_to(cr, -30, 0);
    cairo_curve_to(cr, -60, 8, -72, 40, -72, 80);
    cairo_line_to(cr, -70, 188);
    cairo_line_to(cr, 70, 188);
    cairo_line_to(cr, 72, 80);
    cairo_curve_to(cr, 72, 40, 60, 8, 30, 0);
    cairo_close_path(cr);
    fillVertical(cr, lighter(kCoat, 0.2), darker(kCoat, 0.25), 0, 188);
    strokeInk(cr, lw);
    // Waistcoat.
    cairo_move_to(cr, -26, 4);
    cairo_line_to(cr, -34, 150);
    cairo_line_to(cr, 0, 168);
    cairo_line_to(cr, 34, 150);
    cairo_line_to(cr, 26, 4);
    cairo_close_path(cr);
    fillVertical(cr, lighter(kVest, 0.2), darker(kVest, 0.2), 0, 168);
    strokeInk(cr, lw);
    // Shirt front.
    cairo_move_to(cr, -14, 0);
    cairo_line_to(cr, 0, 60);
    cairo_line_to(cr, 14, 0);
    cairo_close_path(cr);
    setColor(cr, kWhite);
    cairo_fill_preserve(cr);
    strokeInk(cr, lw * 0.7);
    // Lapels.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 28, 2);
        cairo_line_to(cr, side * 40, 60);
        cairo_line_to(cr, side * 24, 90);
        cairo_line_to(cr, side * 22, 6);
        cairo_close_path(cr);
        fillVertical(cr, darker(kCoat, 0.05), darker(kCoat, 0.35), 0, 90);
        strokeInk(cr, lw * 0.8);
    }
    // Copper buttons.
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 0, 80 + i * 26, 5, 0, 2 * kPi);
        fillVertical(cr, lighter(art::kCopper, 0.4), darker(art::kCopper, 0.2), 75 + i * 26, 85 + i * 26);
        strokeInk(cr, lw * 0.5);
    }
    // Bow tie.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 0, 10);
        cairo_line_to(cr, side * 16, 0);
        cairo_line_to(cr, side * 16, 20);
        cairo_close_path(cr);
        fillVertical(cr, lighter(art::kRed, 0.2), darker(art::kRed, 0.2), 0, 20);
        strokeInk(cr, lw * 0.7);
    }
    cairo_arc(cr, 0, 10, 4, 0, 2 * kPi);
    setColor(cr, darker(art::kRed, 0.25));
    cairo_fill_preserve(cr);
    strokeInk(cr, lw * 0.5);
    // Watch chain.
    cairo_move_to(cr, -28, 110);
    cairo_curve_to(cr, -18, 124, -6, 124, 0, 106);
    setColor(cr, art::kBrass);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawLantern(cairo_t* cr, double cx, double top, double s, double glow)
{
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, s, s);
    const double lw = art::kOutlineLarge * 0.7 / std::max(s, 0.4);
    if (glow > 0)
        softGlow(cr, 0, 34, 40, art::kGlow, 0.55 * glow);
    // Ring.
    cairo_arc(cr, 0, 4, 5, 0, 2 * kPi);
    setColor(cr, art::kCopper);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    strokeInk(cr, lw * 0.4);
    // Cap.
    cairo_move_to(cr, -10, 18);
    cairo_line_to(cr, 0, 9);
    cairo_line_to(cr, 10, 18);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kCopper, 0.35), darker(art::kCopper, 0.2), 9, 18);
    strokeInk(cr, lw);
    roundedRect(cr, -14, 17, 28, 5, 2);
    fillVertical(cr, lighter(art::kCopper, 0.3), darker(art::kCopper, 0.3), 17, 22);
    strokeInk(cr, lw);
    // Glass with the flame.
    roundedRect(cr, -11, 22, 22, 26, 3);
    fillVertical(cr, mix(art::kGlow, kWhite, 0.4 * glow), mix(art::kYellow, art::kCopper, 0.4), 22, 48, 0.5 + 0.5 * glow);
    strokeInk(cr, lw);
    cairo_move_to(cr, 0, 28);
    cairo_curve_to(cr, 5, 34, 4, 42, 0, 43);
    cairo_curve_to(cr, -4, 42, -5, 34, 0, 28);
    setColor(cr, mix(art::kYellow, kWhite, 0.5 * glow));
    cairo_fill(cr);
    // Bars.
    for (int k = -1; k <= 1; k += 2) {
        cairo_move_to(cr, k * 6, 22);
        cairo_line_to(cr, k * 6, 48);
    }
    setColor(cr, darker(art::kCopper, 0.2));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Base.
    roundedRect(cr, -13, 48, 26, 7, 2);
    fillVertical(cr, lighter(art::kCopper, 0.3), darker(art::kCopper, 0.3), 48, 55);
    strokeInk(cr, lw);
    cairo_restore(cr);
}

void drawProfessorArm(cairo_t* cr, double sx, double sy, double s, double angle, bool holdsLantern, double glow)
{
    cairo_save(cr);
    cairo_translate(cr, sx, sy);
    cairo_scale(cr, s, s);
    cairo_rotate(cr, -angle);
    const double lw = art::kOutlineLarge * 0.8 / std::max(s, 0.5);
    // Sleeve.
    cairo_move_to(cr, -12, 0);
    cairo_curve_to(cr, -16, 30, -14, 60, -11, 78);
    cairo_line_to(cr, 11, 78);
    cairo_curve_to(cr, 14, 60, 16, 30, 12, 0);
    cairo_close_path(cr);
    fillVertical(cr, lighter(kCoat, 0.2), darker(kCoat, 0.3), 0, 78);
    strokeInk(cr, lw);
    // Cuff.
    roundedRect(cr, -12, 72, 24, 8, 3);
    setColor(cr, kWhite);
    cairo_fill_preserve(cr);
    strokeInk(cr, lw * 0.7);
    // Hand.
    cairo_arc(cr, 0, 88, 10, 0, 2 * kPi);
    fillVertical(cr, kSkin, darker(kSkin, 0.15), 78, 98);
    strokeInk(cr, lw);
    cairo_restore(cr);
    if (holdsLantern) {
        const double hx = sx + std::sin(angle) * 88 * s;
        const double hy = sy + std::cos(angle) * 88 * s;
        drawLantern(cr, hx, hy - 4 * s, s * 0.9, glow);
    }
}

void drawHills(cairo_t* cr, double width, double bottom, double baseY, double amp, double wave, double phase,
               Rgb top, Rgb low, bool outline)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, -2, bottom + 2);
    for (double x = -2; x <= width + 2; x += 4) {
        const double y = baseY - amp * (0.6 * std::sin(x / wave + phase) + 0.4 * std::sin(x / (wave * 0.43) + phase * 1.7));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, width + 2, bottom + 2);
    cairo_close_path(cr);
    fillVertical(cr, top, low, baseY - amp, bottom);
    if (outline) {
        setColor(cr, darker(top, 0.45), 0.6);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}

void drawGear(cairo_t* cr, double cx, double cy, double r, int teeth, Rgb colour, double angle, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    const double inner = r * 0.8;
    for (int i = 0; i < teeth; ++i) {
        const double a0 = 2 * kPi * i / teeth;
        const double step = 2 * kPi / teeth;
        cairo_line_to(cr, inner * std::cos(a0), inner * std::sin(a0));
        cairo_line_to(cr, r * std::cos(a0 + step * 0.15), r * std::sin(a0 + step * 0.15));
        cairo_line_to(cr, r * std::cos(a0 + step * 0.45), r * std::sin(a0 + step * 0.45));
        cairo_line_to(cr, inner * std::cos(a0 + step * 0.6), inner * std::sin(a0 + step * 0.6));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0, 0, r * 0.3, 2 * kPi, 0);
    fillVertical(cr, lighter(colour, 0.25), darker(colour, 0.25), -r, r, alpha);
    setColor(cr, art::kInk, alpha * 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawVolcano(cairo_t* cr, double cx, double topY, double w, double h)
{
    cairo_save(cr);
    const double craterW = w * 0.13;
    cairo_new_path(cr);
    // Concave flanks: steep near the crater, spreading out at the foot.
    cairo_move_to(cr, cx - w / 2, topY + h);
    cairo_curve_to(cr, cx - w * 0.22, topY + h * 0.9, cx - craterW * 1.15, topY + h * 0.45, cx - craterW, topY);
    cairo_curve_to(cr, cx - craterW * 0.4, topY + h * 0.04, cx + craterW * 0.4, topY + h * 0.04, cx + craterW, topY);
    cairo_curve_to(cr, cx + craterW * 1.15, topY + h * 0.45, cx + w * 0.22, topY + h * 0.9, cx + w / 2, topY + h);
    cairo_close_path(cr);
    cairo_path_t* cone = cairo_copy_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
    const Rgb rock = mix(art::kWoodDark, art::kMetalDark, 0.4);
    cairo_pattern_add_color_stop_rgb(p, 0, rock.r * 1.2, rock.g * 1.2, rock.b * 1.2);
    cairo_pattern_add_color_stop_rgb(p, 0.6, rock.r, rock.g, rock.b);
    cairo_pattern_add_color_stop_rgb(p, 1, rock.r * 0.7, rock.g * 0.7, rock.b * 0.7);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Green lower slopes and lava streaks, clipped to the cone.
    cairo_append_path(cr, cone);
    cairo_clip(cr);
    drawHills(cr, cx + w, topY + h, topY + h * 0.72, h * 0.06, w * 0.12, 1.3, art::kGrass, darker(art::kGrass, 0.35), false);
    for (int k = -1; k <= 1; k += 2) {
        cairo_move_to(cr, cx + k * craterW * 0.5, topY + 2);
        cairo_curve_to(cr, cx + k * craterW * 0.9, topY + h * 0.2, cx + k * craterW * 0.6, topY + h * 0.3,
                       cx + k * craterW * 1.3, topY + h * 0.45);
        setColor(cr, art::kCopper, 0.9);
        cairo_set_line_width(cr, 4);
        cairo_stroke_preserve(cr);
        setColor(cr, art::kYellow, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // Ridges running down the flanks, and light on the left side.
    for (int k = -3; k <= 3; ++k) {
        if (k == 0)
            continue;
        cairo_move_to(cr, cx + k * craterW * 0.3, topY + h * 0.1);
        cairo_curve_to(cr, cx + k * craterW * 0.45, topY + h * 0.4, cx + k * w * 0.07, topY + h * 0.6,
                       cx + k * w * 0.1, topY + h * 0.75);
    }
    setColor(cr, art::kInk, 0.25);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    softGlow(cr, cx - w * 0.15, topY + h * 0.45, h * 0.45, kWhite, 0.18);
    cairo_reset_clip(cr);
    cairo_append_path(cr, cone);
    strokeInk(cr, art::kOutlineLarge);
    cairo_path_destroy(cone);
    // Crater lip glowing.
    cairo_save(cr);
    cairo_translate(cr, cx, topY + 2);
    cairo_scale(cr, craterW, 4);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    fillVertical(cr, art::kYellow, art::kRed, topY - 2, topY + 6);
    strokeInk(cr, 1.5);
    cairo_restore(cr);
}

} // namespace ui
