// Effect overlays, gunshots and the tutorial marker.
//  - "heatedobjectglow3..9": 140 x 100, anchor (58, 48); a heat haze round
//    the object's cell, strongest at 9.
//  - "heatgunimpact0..25": 90 x 104, anchor (33, 77); a fiery burst that
//    rises into smoke.
//  - "icemeltingsteam0..18": 120 x 122, anchor (48, 95); steam clouds
//    billowing up from the cell.
//  - "magnetemp0..14": 64 x 56, anchor (20, 16); blue crackle and a ring.
//  - frost and fire balls, frost burst: 32 x 32, anchor (4, 4).
//  - "qmarkrotate0..23": 32 x 40, anchor (4, 12); a turning question mark
//    floating in the cell.
#include "board/Families.h"
#include "board/Paint.h"

namespace board {
namespace {



void cloud(cairo_t* cr, double x, double y, double r, art::Rgb c, double alpha) {
    if (alpha <= 0.01 || r <= 0.2)
        return;
    cairo_push_group(cr);
    for (int k = 0; k < 4; ++k) {
        double a = k * kTau / 4 + 0.4;
        cairo_arc(cr, x + r * 0.45 * std::cos(a), y + r * 0.3 * std::sin(a), r * 0.7, 0, kTau);
        cairo_close_path(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - r, 0, y + r);
    art::Rgb hi = lighter(c, 0.4), lo = darker(c, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

cairo_surface_t* heatGlow(int n) {
    cairo_surface_t* s = newCanvas(140, 100);
    cairo_t* cr = cairo_create(s);
    double k = (n - 3) / 6.0;
    double cx = 58 + 12, cy = 48 + 12;
    glow(cr, cx, cy, 26 + 14 * k, {1.0, 0.45, 0.15}, 0.35 + 0.35 * k);
    glow(cr, cx, cy, 14 + 6 * k, {1.0, 0.85, 0.45}, 0.25 + 0.3 * k);
    // rising shimmer
    for (int i = 0; i < 5; ++i) {
        double x = cx - 14 + i * 7;
        double y = cy - 16 - 6 * k - (i % 2) * 4;
        cairo_move_to(cr, x, y + 8);
        cairo_curve_to(cr, x - 2, y + 5, x + 2, y + 3, x, y);
        setColor(cr, {1.0, 0.75, 0.4}, 0.3 + 0.4 * k);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* heatImpact(int n) {
    cairo_surface_t* s = newCanvas(90, 104);
    cairo_t* cr = cairo_create(s);
    double t = n / 25.0;
    double cx = 33 + 12, cy = 77 + 12;
    // smoke rising
    for (int k = 0; k < 6; ++k) {
        double u = t * 1.2 - k * 0.08;
        if (u <= 0)
            continue;
        double x = cx + (hashf(k, 1) - 0.5) * 24 * u;
        double y = cy - 70 * u;
        cloud(cr, x, y, 5 + 12 * u, {0.45, 0.42, 0.40}, std::max(0.0, 0.8 - u * 0.8));
    }
    // fire ball
    double fire = t < 0.5 ? std::sin(t / 0.5 * kPi / 2) : std::max(0.0, 1 - (t - 0.5) / 0.4);
    if (fire > 0) {
        double r = 8 + 14 * std::min(1.0, t * 2.5);
        glow(cr, cx, cy - 6 * t * 8, r * 1.6, {1.0, 0.5, 0.1}, 0.7 * fire);
        cloud(cr, cx, cy - 40 * t, r, {1.0, 0.55, 0.15}, fire);
        cloud(cr, cx, cy - 40 * t, r * 0.55, {1.0, 0.9, 0.5}, fire);
    }
    // sparks
    for (int k = 0; k < 8; ++k) {
        double a = hashf(k, 2) * kPi + kPi;
        double d = 30 * t * (0.6 + 0.4 * hashf(k, 3));
        double x = cx + d * std::cos(a), y = cy + d * std::sin(a) + 25 * t * t;
        if (t < 0.75)
            sparkle(cr, x, y, 2.2 * (1 - t), art::kYellow);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* steam(int n) {
    cairo_surface_t* s = newCanvas(120, 122);
    cairo_t* cr = cairo_create(s);
    double t = n / 18.0;
    double cx = 48 + 12, cy = 95 + 18;
    for (int k = 0; k < 9; ++k) {
        double u = t * 1.25 - k * 0.05;
        if (u <= 0)
            continue;
        double x = cx + (hashf(k, 4) - 0.5) * 50 * u;
        double y = cy - 90 * u * (0.6 + 0.4 * hashf(k, 5));
        cloud(cr, x, y, 6 + 14 * u, {0.92, 0.95, 0.98}, std::max(0.0, std::min(1.0, 3 * u) * (1 - u * 0.85)));
    }
    // droplets at the start
    if (t < 0.4)
        for (int k = 0; k < 5; ++k) {
            double x = cx - 10 + k * 5, y = cy - 6 - 20 * t + 40 * t * t * hashf(k, 6);
            ellipse(cr, x, y, 1.2, 1.7);
            setColor(cr, art::kIce, 1 - t * 2.5);
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* emp(int n) {
    cairo_surface_t* s = newCanvas(64, 56);
    cairo_t* cr = cairo_create(s);
    double t = n / 14.0;
    double cx = 20 + 12, cy = 16 + 12;
    double fade = 1 - 0.7 * t;
    glow(cr, cx, cy, 20, {0.45, 0.75, 1.0}, 0.5 * fade);
    cairo_arc(cr, cx, cy, 6 + 20 * t, 0, kTau);
    setColor(cr, {0.55, 0.85, 1.0}, fade);
    cairo_set_line_width(cr, 2.0 * fade + 0.5);
    cairo_stroke(cr);
    // crackling bolts, a new set every frame
    for (int k = 0; k < 4; ++k) {
        double a = hashf(n, k) * kTau;
        double r0 = 5, r1 = 12 + 8 * hashf(n, k + 9);
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        for (int j = 1; j <= 3; ++j) {
            double rr = r0 + (r1 - r0) * j / 3;
            double aa = a + (hashf(n * 7 + k, j) - 0.5) * 0.6;
            cairo_line_to(cr, cx + rr * std::cos(aa), cy + rr * std::sin(aa));
        }
        setColor(cr, {0.85, 0.95, 1.0}, fade);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* shot(bool frost, bool left, int n) {
    cairo_surface_t* s = newCanvas(32, 32);
    cairo_t* cr = cairo_create(s);
    double cx = 4 + 12, cy = 4 + 12;
    double dir = left ? -1 : 1;
    double ph = n * kTau / 12;
    art::Rgb core = frost ? art::kIce : art::Rgb{1.0, 0.6, 0.15};
    art::Rgb hot = frost ? art::Rgb{1, 1, 1} : art::Rgb{1.0, 0.92, 0.5};
    // trail
    for (int k = 1; k <= 4; ++k) {
        double x = cx - dir * k * 3.2, y = cy + std::sin(ph + k) * 1.5;
        cairo_arc(cr, x, y, 4.5 - k * 0.8, 0, kTau);
        setColor(cr, core, 0.55 - k * 0.1);
        cairo_fill(cr);
    }
    glow(cr, cx, cy, 10, core, 0.6);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, dir * ph);
    if (frost) {
        // a spinning snowflake crystal
        for (int k = 0; k < 6; ++k) {
            cairo_save(cr);
            cairo_rotate(cr, k * kTau / 6);
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, 6, 0);
            cairo_move_to(cr, 3.5, 0);
            cairo_line_to(cr, 5, -1.5);
            cairo_move_to(cr, 3.5, 0);
            cairo_line_to(cr, 5, 1.5);
            cairo_restore(cr);
        }
        setColor(cr, darker(art::kIce, 0.5));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke_preserve(cr);
        setColor(cr, {1, 1, 1});
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    } else {
        for (int k = 0; k < 5; ++k) {
            cairo_save(cr);
            cairo_rotate(cr, k * kTau / 5);
            cairo_move_to(cr, -2, -2);
            cairo_curve_to(cr, 1, -7, 4, -6, 6.5, -1);
            cairo_line_to(cr, 2, 1);
            cairo_close_path(cr);
            setColor(cr, {0.95, 0.35, 0.1}, 0.9);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    }
    cairo_restore(cr);
    double coreR = frost ? 2.0 : 3.5;
    cairo_arc(cr, cx, cy, coreR, 0, kTau);
    shadeRound(cr, hot, cx, cy, coreR, 0.8);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* frostBurst(int n) {
    cairo_surface_t* s = newCanvas(32, 32);
    cairo_t* cr = cairo_create(s);
    double t = n / 8.0;
    double cx = 16, cy = 16;
    glow(cr, cx, cy, 6 + 10 * t, art::kIce, 0.8 * (1 - t));
    for (int k = 0; k < 8; ++k) {
        double a = k * kTau / 8 + 0.3;
        double d = 2 + 12 * t;
        double x = cx + d * std::cos(a), y = cy + d * std::sin(a);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + t * 3);
        cairo_move_to(cr, -2.5, 0);
        cairo_line_to(cr, 0, -1.2);
        cairo_line_to(cr, 2.5, 0);
        cairo_line_to(cr, 0, 1.2);
        cairo_close_path(cr);
        setColor(cr, lighter(art::kIce, 0.4), 1 - t * 0.8);
        cairo_fill_preserve(cr);
        setColor(cr, darker(art::kIce, 0.5), 1 - t * 0.8);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    if (n < 4)
        sparkle(cr, cx, cy, 5 - n, {1, 1, 1});
    cairo_destroy(cr);
    return s;
}

// The mark reads on every background: a red-copper face with an ink
// outline, inside a cream rim that keeps it apart from dark scenery.
void questionMarkPath(cairo_t* cr) {
    cairo_move_to(cr, -6, -5);
    cairo_curve_to(cr, -6, -13, 7, -13, 7, -5.5);
    cairo_curve_to(cr, 7, -1.5, 2, -0.5, 2, 3.5);
    cairo_line_to(cr, -2.2, 3.5);
    cairo_curve_to(cr, -2.2, -2.5, 3, -2.5, 3, -5.5);
    cairo_curve_to(cr, 3, -9.5, -2, -9.5, -2, -5);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 8, 2.6, 0, kTau);
}

cairo_surface_t* questionMark(int n) {
    cairo_surface_t* s = newCanvas(32, 40);
    cairo_t* cr = cairo_create(s);
    double a = n * kTau / 24;
    double cx = 16, cy = 23.5 - 1.5 * std::sin(a * 2);
    glow(cr, cx, cy, 12, art::kGlow, 0.35);
    ellipse(cr, cx, 36, 6 + std::sin(a * 2), 1.5);
    setColor(cr, art::kInk, 0.3);
    cairo_fill(cr);
    double turn = std::cos(a);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1.1 * std::max(0.14, std::fabs(turn)) * (turn < 0 ? -1 : 1), 1.1);
    art::Rgb face = mix(art::kRed, art::kCopper, 0.35);
    if (turn < 0)
        face = darker(face, 0.2);
    questionMarkPath(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, lighter(art::kParchment, 0.5));
    cairo_set_line_width(cr, 4.2);
    cairo_stroke_preserve(cr);
    shade(cr, face, -12, 10, 1.4);
    cairo_restore(cr);
    sparkle(cr, cx + 9 * std::cos(a * 2 + 1), cy - 9 + 3 * std::sin(a * 2 + 1), 1.8, {1, 1, 0.9});
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawEffectImage(const std::string& name) {
    int n = 0;
    if (parseNumbered(name, "heatedobjectglow", ".png", n) && n >= 3 && n <= 9)
        return heatGlow(n);
    if (parseNumbered(name, "heatgunimpact", ".png", n))
        return heatImpact(n);
    if (parseNumbered(name, "icemeltingsteam", ".png", n))
        return steam(n);
    if (parseNumbered(name, "magnetemp", ".tga", n))
        return emp(n);
    if (parseNumbered(name, "frostballleft", ".tga", n))
        return shot(true, true, n);
    if (parseNumbered(name, "frostballright", ".tga", n))
        return shot(true, false, n);
    if (parseNumbered(name, "fireballleft", ".png", n))
        return shot(false, true, n);
    if (parseNumbered(name, "fireballright", ".png", n))
        return shot(false, false, n);
    if (parseNumbered(name, "frostexplode", ".tga", n))
        return frostBurst(n);
    if (parseNumbered(name, "qmarkrotate", ".tga", n))
        return questionMark(n);
    return nullptr;
}

} // namespace board
