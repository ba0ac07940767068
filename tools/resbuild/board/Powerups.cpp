// Collectable power-ups: 40 x 40, anchor (8, 10). Each floats in a soap
// bubble above its cell, bobbing and turning, with a glint running round.
// The collect labels ("poweruptext...") are 88 x 24 pictures anchored at
// (32, 26), so they float just above the cell; their eight frames pop in,
// rise and fade.
#include "board/Families.h"
#include "board/Paint.h"

namespace board {
namespace {

constexpr double kCx = 20, kCy = 22;

void item(cairo_t* cr, const std::string& kind) {
    // drawn around (0, 0) in a 16-pixel box
    if (kind == "crate") {
        roundRect(cr, -6, -6, 12, 12, 3);
        shade(cr, art::kYellow, -6, 6, 1.0);
        cairo_arc(cr, 3, -3, 1.2, 0, kTau);
        fillInk(cr, art::kRed, 0.6);
    } else if (kind == "barrel") {
        ellipse(cr, 0, 0, 5.5, 7);
        shade(cr, art::kYellow, -7, 7, 1.0);
        for (double y : {-3.5, 3.5}) {
            cairo_move_to(cr, -5, y);
            cairo_curve_to(cr, -2, y + 1.2, 2, y + 1.2, 5, y);
            setColor(cr, art::kRed);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    } else if (kind == "magnet") {
        cairo_move_to(cr, -6, -6);
        cairo_line_to(cr, -6, 1);
        cairo_arc_negative(cr, 0, 1, 6, kPi, 0);
        cairo_line_to(cr, 6, -6);
        cairo_line_to(cr, 2.5, -6);
        cairo_line_to(cr, 2.5, 1);
        cairo_arc(cr, 0, 1, 2.5, 0, kPi);
        cairo_line_to(cr, -2.5, -6);
        cairo_close_path(cr);
        shade(cr, art::kYellow, -6, 7, 1.0);
        for (double x : {-6.0, 2.5}) {
            cairo_rectangle(cr, x, -6, 3.5, 3);
            fillInk(cr, art::kRed, 0.8);
        }
    } else if (kind == "emp") {
        roundRect(cr, -5, -4, 10, 9, 2);
        shade(cr, art::kMetalDark, -4, 5, 1.0);
        cairo_move_to(cr, 1, -3);
        cairo_line_to(cr, -2, 1);
        cairo_line_to(cr, 0.5, 1);
        cairo_line_to(cr, -1, 4);
        cairo_line_to(cr, 2.5, 0);
        cairo_line_to(cr, 0, 0);
        cairo_close_path(cr);
        setColor(cr, {0.6, 0.9, 1.0});
        cairo_fill(cr);
        cairo_move_to(cr, 0, -4);
        cairo_line_to(cr, 0, -7);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_arc(cr, 0, -7.5, 1.3, 0, kTau);
        fillInk(cr, art::kRed, 0.7);
    } else if (kind == "frostgun" || kind == "heatgun") {
        bool frost = kind == "frostgun";
        roundRect(cr, -6, -2.5, 10, 4.5, 1.5);
        shade(cr, frost ? art::kMetal : art::kCopper, -2.5, 2, 1.0);
        cairo_rectangle(cr, 4, -1.8, 3, 3);
        shade(cr, art::kBrass, -1.8, 1.2, 0.8);
        roundRect(cr, -4.5, 1.5, 3, 5, 1);
        shade(cr, art::kWoodDark, 1.5, 6.5, 0.8);
        cairo_arc(cr, -1, -4.5, 2.4, 0, kTau);
        shadeRound(cr, frost ? art::kIce : art::kRed, -1, -4.5, 2.4, 0.8);
    } else if (kind == "bridge") {
        for (int k = 0; k < 3; ++k) {
            roundRect(cr, -7, -5 + k * 3.6, 14, 3.2, 1.5);
            shade(cr, art::kYellow, -5 + k * 3.6, -1.8 + k * 3.6, 0.9);
        }
        cairo_move_to(cr, -3, -6);
        cairo_line_to(cr, -3, 6);
        cairo_move_to(cr, 3, -6);
        cairo_line_to(cr, 3, 6);
        setColor(cr, art::kRed);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    } else if (kind == "whistle") {
        roundRect(cr, -6, -3, 9, 6, 3);
        shade(cr, art::kBrass, -3, 3, 1.0);
        cairo_rectangle(cr, 2, -3, 5, 3);
        shade(cr, art::kBrass, -3, 0, 1.0);
        cairo_arc(cr, -2.5, 0, 1.4, 0, kTau);
        setColor(cr, art::kInk);
        cairo_fill(cr);
    } else if (startsWith(kind, "teleport")) {
        art::Rgb c = contains(kind, "red") ? art::kRed : (contains(kind, "yellow") ? art::kYellow : art::kBlue);
        cairo_arc(cr, 0, 0, 6.5, 0, kTau);
        cairo_arc_negative(cr, 0, 0, 3.5, kTau, 0);
        shadeRound(cr, c, 0, 0, 7, 1.0);
        cairo_arc(cr, 0, 0, 3.2, 0, kTau);
        setColor(cr, lighter(c, 0.6), 0.8);
        cairo_fill(cr);
    }
}

void bubble(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, kTau);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(g, 0.8, 0.85, 0.95, 1.0, 0.18);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.70, 0.85, 1.0, 0.55);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, art::kInk, 0.55);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    ellipse(cr, cx - r * 0.4, cy - r * 0.45, r * 0.3, r * 0.18);
    setColor(cr, {1, 1, 1}, 0.8);
    cairo_fill(cr);
}

cairo_surface_t* drawText(const std::string& kind, int n) {
    static const struct {
        const char* kind;
        const char* text;
    } texts[] = {{"emp", "EMP!"},         {"frostgun", "Frost Gun!"}, {"inflatable", "Inflatable!"},
                 {"whistle", "Whistle!"}, {"heatgun", "Heat Gun!"}};
    const char* text = nullptr;
    for (const auto& t : texts)
        if (kind == t.kind)
            text = t.text;
    if (!text)
        return nullptr;
    cairo_surface_t* s = newCanvas(88, 24);
    cairo_t* cr = cairo_create(s);
    double t = n / 7.0;
    double pop = n == 0 ? 0.6 : (n == 1 ? 1.15 : 1.0);
    double alpha = n < 5 ? 1.0 : 1.0 - (n - 4) / 4.0;
    double rise = 5 * t;
    cairo_translate(cr, 44, 13 - rise + 3);
    cairo_scale(cr, pop, pop);
    label(cr, text, 0, 0, 11, art::kParchment, alpha);
    if (n >= 1 && n <= 5)
        sparkle(cr, -36 + n * 14, -6, 2.5, art::kYellow, alpha);
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawPowerupImage(const std::string& name) {
    if (!startsWith(name, "powerup"))
        return nullptr;
    std::string base = name.substr(0, name.rfind('.'));
    std::string pre = base.substr(0, base.find_last_not_of("0123456789") + 1);
    if (pre.size() == base.size())
        return nullptr;
    int n = std::stoi(base.substr(pre.size()));
    std::string kind = pre.substr(7);
    if (startsWith(kind, "text"))
        return drawText(kind.substr(4), n);
    cairo_surface_t* s = newCanvas(40, 40);
    cairo_t* cr = cairo_create(s);
    if (kind == "halo") {
        glow(cr, kCx, kCy, 17, art::kGlow, 0.8);
        cairo_arc(cr, kCx, kCy, 13, 0, kTau);
        setColor(cr, {1, 1, 0.85}, 0.7);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_destroy(cr);
        return s;
    }
    int count = kind == "barrel" || kind == "magnet" ? 24
                : (kind == "emp" || kind == "frostgun" || kind == "whistle" || kind == "heatgun") ? 18
                                                                                                    : 28;
    double ph = kTau * n / count;
    double cy = kCy + 2 * std::sin(ph);
    ellipse(cr, kCx, 33, 7 - std::sin(ph), 1.6);
    setColor(cr, art::kInk, 0.2);
    cairo_fill(cr);
    glow(cr, kCx, cy, 13, art::kGlow, 0.35 + 0.15 * std::sin(ph * 2));
    cairo_save(cr);
    cairo_translate(cr, kCx, cy);
    double turn = std::cos(ph);
    cairo_scale(cr, 0.35 + 0.65 * std::fabs(turn), 1);
    if (turn < 0)
        cairo_scale(cr, -1, 1);
    item(cr, kind);
    cairo_restore(cr);
    bubble(cr, kCx, cy, 10.5);
    double ga = ph * 2;
    sparkle(cr, kCx + 11 * std::cos(ga), cy + 11 * std::sin(ga), 2.2, {1, 1, 0.9});
    cairo_destroy(cr);
    return s;
}

} // namespace board
