// Teleport ends. Every picture is 64 x 64 with the anchor at (8, 36): an
// end covers two cells (x 8..56, y 36..60) and its round portal stands on
// their floor, rising into the cells above. The back ring and the
// coloured front ring are separate layers; the spiral and glow fill the
// ring's opening.
#include "board/Families.h"
#include "board/Paint.h"

namespace board {
namespace {

constexpr int kW = 64, kH = 64;
constexpr double kCx = 32, kCy = 40, kR = 18; // ring centre and radius
// inflation of the resting inflatable teleport (picture 3 of the inflate series)
constexpr double kInflated3 = 0.1 + 3 * 0.225;



// Ring path (between two ellipses), upper half only when `half` is 1,
// lower half when 2, whole when 0.
void ringPath(cairo_t* cr, double r, double w, double squeeze, int half) {
    double a0 = 0, a1 = kTau;
    if (half == 1) {
        a0 = kPi;
        a1 = kTau;
    } else if (half == 2) {
        a0 = 0;
        a1 = kPi;
    }
    cairo_save(cr);
    cairo_translate(cr, kCx, kCy);
    cairo_scale(cr, 1, squeeze);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, r + w / 2, a0, a1);
    cairo_arc_negative(cr, 0, 0, r - w / 2, a1, a0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void pedestal(cairo_t* cr, art::Rgb c) {
    roundRect(cr, kCx - 14, 55, 28, 5, 2);
    shade(cr, c, 55, 60, 1.1);
    ellipse(cr, kCx, 55, 12, 2);
    setColor(cr, lighter(c, 0.3));
    cairo_fill(cr);
}

void frameBack(cairo_t* cr) {
    // the ring's back rim, seen through the opening, and the pedestal
    cairo_save(cr);
    cairo_translate(cr, 3, -3);
    ringPath(cr, kR, 5, 1.0, 0);
    shade(cr, darker(art::kWoodDark, 0.1), kCy - kR, kCy + kR, 1.0);
    cairo_restore(cr);
    pedestal(cr, art::kWoodDark);
}

void frameFront(cairo_t* cr, art::Rgb c, int light) {
    ringPath(cr, kR, 6, 1.0, 0);
    shade(cr, art::kBrass, kCy - kR, kCy + kR, art::kOutlineSmall);
    // coloured inlay
    ringPath(cr, kR, 2.4, 1.0, 0);
    setColor(cr, c);
    cairo_fill(cr);
    // gems light up one after another
    for (int k = 0; k < 5; ++k) {
        double a = kPi + k * kPi / 4;
        double x = kCx + kR * std::cos(a), y = kCy + kR * std::sin(a);
        bool lit = k <= light - 1 || light == 4;
        cairo_arc(cr, x, y, 2.2, 0, kTau);
        shadeRound(cr, lit ? lighter(c, 0.35) : darker(c, 0.4), x, y, 2.2, 0.9);
        if (lit)
            glow(cr, x, y, 5, lighter(c, 0.5), 0.5);
    }
    // feet
    for (int s : {-1, 1}) {
        cairo_move_to(cr, kCx + s * 10, kCy + 14);
        cairo_line_to(cr, kCx + s * 13, 57);
        cairo_line_to(cr, kCx + s * 7, 57);
        cairo_close_path(cr);
        shade(cr, art::kBrass, kCy + 14, 57, 1.0);
    }
}

void spiral(cairo_t* cr, art::Rgb c, double angle, double size, double alpha) {
    cairo_save(cr);
    cairo_arc(cr, kCx, kCy, kR - 2.5, 0, kTau);
    cairo_clip(cr);
    // a swirling disc of the portal's colour, lighter towards the middle
    double rd = (kR - 2) * size;
    cairo_pattern_t* disc = cairo_pattern_create_radial(kCx, kCy, 0, kCx, kCy, rd * 1.15);
    art::Rgb in = lighter(c, 0.55), out = darker(c, 0.25);
    cairo_pattern_add_color_stop_rgba(disc, 0, in.r, in.g, in.b, 0.95 * alpha);
    cairo_pattern_add_color_stop_rgba(disc, 0.75, c.r, c.g, c.b, 0.85 * alpha);
    cairo_pattern_add_color_stop_rgba(disc, 1, out.r, out.g, out.b, 0.0);
    cairo_set_source(cr, disc);
    cairo_arc(cr, kCx, kCy, rd * 1.15, 0, kTau);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    cairo_translate(cr, kCx, kCy);
    cairo_rotate(cr, angle);
    for (int arm = 0; arm < 3; ++arm) {
        cairo_save(cr);
        cairo_rotate(cr, arm * kTau / 3);
        cairo_move_to(cr, 0, 0);
        for (int i = 1; i <= 24; ++i) {
            double t = i / 24.0;
            double r = t * (kR - 2) * size;
            double a = t * 4.0;
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColor(cr, darker(c, 0.35), 0.8 * alpha);
        cairo_set_line_width(cr, 3.4);
        cairo_stroke_preserve(cr);
        setColor(cr, lighter(c, 0.75), alpha);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_arc(cr, 0, 0, 2.5 * size, 0, kTau);
    setColor(cr, {1, 1, 1}, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Inflatable ring: a rubber tube of the teleport's colour; inflate 0..1.
void inflatable(cairo_t* cr, art::Rgb c, double inflate, int half) {
    double w = 2 + 6 * inflate;
    double r = 8 + 10 * inflate;
    double cy = 58 - r - w / 2;
    cairo_save(cr);
    cairo_translate(cr, 0, cy - kCy);
    cairo_translate(cr, kCx, kCy);
    cairo_scale(cr, r / kR, r / kR);
    cairo_translate(cr, -kCx, -kCy);
    ringPath(cr, kR, w * kR / r, 1.0, half);
    cairo_restore(cr);
    shadeRound(cr, c, kCx, cy - r * 0.3, r + w, 1.1);
    if (half != 2) {
        // valve and stripe highlights on the upper half
        cairo_arc(cr, kCx + r * 0.7, cy - r * 0.7, 1.4, 0, kTau);
        fillInk(cr, art::kParchment, 0.7);
        cairo_save(cr);
        cairo_translate(cr, kCx, cy);
        cairo_arc(cr, 0, 0, r, kPi * 1.15, kPi * 1.45);
        setColor(cr, {1, 1, 1}, 0.55);
        cairo_set_line_width(cr, std::max(1.0, w * 0.3));
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void breakApart(cairo_t* cr, int n, int frames, void (*paint)(cairo_t*, art::Rgb, int), art::Rgb c, int arg) {
    double t = double(n) / (frames - 1);
    // cut the picture into six wedges that fly apart and fall
    for (int k = 0; k < 6; ++k) {
        double a0 = k * kTau / 6, a1 = a0 + kTau / 6;
        double mid = (a0 + a1) / 2;
        cairo_save(cr);
        double dx = std::cos(mid) * 10 * t + (hashf(k, 2) - 0.5) * 6 * t;
        double dy = std::sin(mid) * 6 * t + 22 * t * t;
        cairo_translate(cr, dx, dy);
        cairo_translate(cr, kCx, kCy);
        cairo_rotate(cr, (hashf(k, 1) - 0.5) * 2 * t);
        cairo_translate(cr, -kCx, -kCy);
        cairo_move_to(cr, kCx, kCy);
        cairo_arc(cr, kCx, kCy, 40, a0, a1);
        cairo_close_path(cr);
        cairo_clip(cr);
        cairo_push_group(cr);
        paint(cr, c, arg);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 1 - 0.6 * t);
        cairo_restore(cr);
    }
}

void paintBack(cairo_t* cr, art::Rgb, int) { frameBack(cr); }
void paintFront(cairo_t* cr, art::Rgb c, int) { frameFront(cr, c, 0); }
void paintInflBack(cairo_t* cr, art::Rgb c, int) { inflatable(cr, c, kInflated3, 1); }
void paintInflFront(cairo_t* cr, art::Rgb c, int) { inflatable(cr, c, kInflated3, 2); }

} // namespace

cairo_surface_t* drawTeleportImage(const std::string& name) {
    if (!startsWith(name, "teleport") && !startsWith(name, "inflatableteleport_"))
        return nullptr;
    int n = 0;
    art::Rgb c = colourOf(name);
    std::string base = name.substr(0, name.rfind('.'));
    std::string pre = base.substr(0, base.find_last_not_of("0123456789") + 1);
    bool numbered = pre.size() < base.size();
    if (numbered)
        n = std::stoi(base.substr(pre.size()));
    cairo_surface_t* s = newCanvas(kW, kH);
    cairo_t* cr = cairo_create(s);
    if (pre == "teleport_frameback") {
        frameBack(cr);
    } else if (pre == "teleport_framebackbreak") {
        breakApart(cr, n, 7, paintBack, c, 0);
    } else if (startsWith(pre, "teleport_frame") && contains(pre, "break")) {
        breakApart(cr, n, 7, paintFront, c, 0);
    } else if (startsWith(pre, "teleport_frame")) {
        frameFront(cr, c, n);
    } else if (startsWith(pre, "teleport_glow")) {
        cairo_save(cr);
        cairo_arc(cr, kCx, kCy, kR - 2, 0, kTau);
        cairo_clip(cr);
        glow(cr, kCx, kCy, kR * 1.1, lighter(c, 0.3), 0.9);
        glow(cr, kCx, kCy, kR * 0.5, {1, 1, 1}, 0.6);
        cairo_restore(cr);
    } else if (startsWith(pre, "teleport_spiral") && contains(pre, "turnon")) {
        double k = (n + 1) / 7.0;
        spiral(cr, c, n * 0.35, k, 0.3 + 0.7 * k);
    } else if (startsWith(pre, "teleport_spiral")) {
        spiral(cr, c, n * kTau / 40.0, 1.0, 1.0);
    } else if (startsWith(pre, "teleportinflatable_")) {
        if (contains(base, "3back"))
            inflatable(cr, c, kInflated3, 1);
        else if (contains(base, "3front"))
            inflatable(cr, c, kInflated3, 2);
        else
            inflatable(cr, c, std::min(1.0, 0.1 + n * 0.225), 0);
    } else if (startsWith(pre, "inflatableteleport_")) {
        // the rubber ring bursts into pieces
        if (contains(pre, "back"))
            breakApart(cr, n, 7, paintInflBack, c, 0);
        else
            breakApart(cr, n, 7, paintInflFront, c, 0);
    } else {
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        return nullptr;
    }
    cairo_destroy(cr);
    return s;
}

} // namespace board
