// Crates, barrels and magnets. Every picture is 40 x 42 with the anchor at
// (6, 12): the object's front face fills the 24 x 24 cell (x 6..30,
// y 12..36) and its top and right faces recede 4 pixels up and to the
// right, the depth direction of the board.
#include "board/Families.h"
#include "board/Paint.h"

#include <vector>

namespace board {
namespace {

constexpr int kW = 40, kH = 42, kAx = 6, kAy = 12;
constexpr double kDepth = 4;

enum class Mat { Wood, WoodB, Metal, Rubber };
enum class Temp { Normal, Frozen, Heated };

struct Look {
    Mat mat = Mat::Wood;
    Temp temp = Temp::Normal;
    double heat = 0;     // heated or cooling strength 0..1
    double squash = 0;   // 0..1 flattened
    int move = 0;        // -1 moving left, +1 moving right
    double shift = 0;    // sideways offset of a small (deflated) object
};

art::Rgb matColor(Mat m) {
    switch (m) {
    case Mat::Wood: return art::kWood;
    case Mat::WoodB: return mix(art::kWood, art::kWoodDark, 0.35);
    case Mat::Metal: return art::kMetal;
    case Mat::Rubber: return art::kYellow;
    }
    return art::kWood;
}

// Front rectangle of a cell-filling object after squash and a move lean.
struct Box {
    double x, y, w, h;
};

Box frontBox(const Look& l) {
    double h = 24 * (1 - 0.45 * l.squash), w = 24 * (1 + 0.15 * l.squash);
    return {kAx + 12 - w / 2, kAy + 24 - h, w, h};
}

void boxFaces(cairo_t* cr, Box b, art::Rgb c, double round) {
    // top face
    cairo_move_to(cr, b.x, b.y);
    cairo_line_to(cr, b.x + kDepth, b.y - kDepth);
    cairo_line_to(cr, b.x + b.w + kDepth, b.y - kDepth);
    cairo_line_to(cr, b.x + b.w, b.y);
    cairo_close_path(cr);
    shade(cr, lighter(c, 0.25), b.y - kDepth, b.y, 1.0);
    // right face
    cairo_move_to(cr, b.x + b.w, b.y);
    cairo_line_to(cr, b.x + b.w + kDepth, b.y - kDepth);
    cairo_line_to(cr, b.x + b.w + kDepth, b.y + b.h - kDepth);
    cairo_line_to(cr, b.x + b.w, b.y + b.h);
    cairo_close_path(cr);
    shade(cr, darker(c, 0.3), b.y, b.y + b.h, 1.0);
    roundRect(cr, b.x, b.y, b.w, b.h, round);
    shade(cr, c, b.y, b.y + b.h, art::kOutlineSmall);
}

void applyTemp(cairo_t* cr, const Look& l) {
    if (l.temp == Temp::Frozen) {
        frostOver(cr, kW, kH);
        Box b = frontBox(l);
        // icicles and a frosted rim
        for (int k = 0; k < 4; ++k) {
            double x = b.x + 3 + k * (b.w - 6) / 3;
            double len = 2 + (k % 2) * 1.5;
            cairo_move_to(cr, x - 1.5, b.y + b.h - 0.5);
            cairo_line_to(cr, x + 1.5, b.y + b.h - 0.5);
            cairo_line_to(cr, x, b.y + b.h + len);
            cairo_close_path(cr);
            setColor(cr, lighter(art::kIce, 0.3));
            cairo_fill_preserve(cr);
            setColor(cr, darker(art::kIce, 0.4));
            cairo_set_line_width(cr, 0.7);
            cairo_stroke(cr);
        }
        sparkle(cr, b.x + 5, b.y + 5, 2.5, {1, 1, 1});
        sparkle(cr, b.x + b.w - 4, b.y + b.h - 8, 1.8, {1, 1, 1});
    } else if (l.heat > 0) {
        heatOver(cr, l.heat);
        Box b = frontBox(l);
        glow(cr, b.x + b.w / 2, b.y + b.h / 2, 16, {1.0, 0.55, 0.2}, 0.25 * l.heat);
    }
}

void moveDust(cairo_t* cr, const Look& l) {
    if (l.move == 0)
        return;
    Box b = frontBox(l);
    double x = l.move > 0 ? b.x - 1.5 : b.x + b.w + 1.5;
    for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, x - l.move * k * 1.6, b.y + b.h - 2 - k * 1.2, 2.0 - k * 0.4, 0, kTau);
        setColor(cr, art::kParchmentDark, 0.8 - k * 0.2);
        cairo_fill(cr);
    }
    for (int k = 0; k < 2; ++k) {
        double y = b.y + 6 + k * 7;
        cairo_move_to(cr, x - l.move * 1, y);
        cairo_line_to(cr, x - l.move * 4.5, y);
        setColor(cr, art::kInk, 0.45);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

// ----- crates -----

void drawCrate(cairo_t* cr, const Look& l, double inflate = 1.0) {
    Box b = frontBox(l);
    if (l.mat == Mat::Rubber) {
        // an inflatable box: rounded, with seams and a valve
        double s = 0.25 + 0.75 * inflate;
        Box r{kAx + 12 + l.shift - b.w * s / 2, b.y + b.h * (1 - s), b.w * s, b.h * s};
        boxFaces(cr, r, matColor(l.mat), 5 * s + 1);
        cairo_move_to(cr, r.x + 3, r.y + r.h / 2);
        cairo_line_to(cr, r.x + r.w - 3, r.y + r.h / 2);
        setColor(cr, darker(art::kYellow, 0.3));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_arc(cr, r.x + r.w - 5, r.y + 5, 1.6 * s + 0.6, 0, kTau);
        fillInk(cr, art::kRed, 0.8);
        ellipse(cr, r.x + 6, r.y + 5, 3 * s, 1.5 * s);
        setColor(cr, {1, 1, 1}, 0.6);
        cairo_fill(cr);
    } else if (l.mat == Mat::Metal) {
        boxFaces(cr, b, matColor(l.mat), 1.5);
        roundRect(cr, b.x + 3, b.y + 3, b.w - 6, b.h - 6, 1.5);
        setColor(cr, darker(art::kMetal, 0.25));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        for (double fx : {0.0, 1.0})
            for (double fy : {0.0, 1.0}) {
                cairo_arc(cr, b.x + 2.2 + fx * (b.w - 4.4), b.y + 2.2 + fy * (b.h - 4.4), 0.9, 0, kTau);
                setColor(cr, art::kMetalDark);
                cairo_fill(cr);
            }
        cairo_move_to(cr, b.x + 5, b.y + 5);
        cairo_line_to(cr, b.x + b.w - 5, b.y + b.h - 5);
        setColor(cr, {1, 1, 1}, 0.35);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    } else {
        art::Rgb c = matColor(l.mat);
        boxFaces(cr, b, c, 1.0);
        // planks
        setColor(cr, darker(c, 0.35), 0.8);
        cairo_set_line_width(cr, 0.8);
        int planks = l.mat == Mat::WoodB ? 3 : 4;
        for (int k = 1; k < planks; ++k) {
            double y = b.y + k * b.h / planks;
            cairo_move_to(cr, b.x + 1, y);
            cairo_line_to(cr, b.x + b.w - 1, y);
        }
        cairo_stroke(cr);
        // frame and brace
        roundRect(cr, b.x + 1.2, b.y + 1.2, b.w - 2.4, b.h - 2.4, 0.8);
        setColor(cr, art::kWoodDark);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        cairo_move_to(cr, b.x + 2.5, b.y + b.h - 2.5);
        cairo_line_to(cr, b.x + b.w - 2.5, b.y + 2.5);
        if (l.mat == Mat::WoodB) {
            cairo_move_to(cr, b.x + 2.5, b.y + 2.5);
            cairo_line_to(cr, b.x + b.w - 2.5, b.y + b.h - 2.5);
        }
        setColor(cr, lighter(c, 0.1));
        cairo_set_line_width(cr, 3.0);
        cairo_stroke_preserve(cr);
        setColor(cr, art::kInk, 0.5);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        for (double fx : {0.0, 1.0})
            for (double fy : {0.0, 1.0}) {
                cairo_arc(cr, b.x + 2.3 + fx * (b.w - 4.6), b.y + 2.3 + fy * (b.h - 4.6), 0.8, 0, kTau);
                setColor(cr, art::kMetalDark);
                cairo_fill(cr);
            }
    }
}

// ----- barrels -----

// A barrel lying with its axis along the depth direction, seen end on: the
// end disc turns as it rolls (angle in radians).
void drawBarrel(cairo_t* cr, const Look& l, double angle, double inflate = 1.0, double dropStretch = 0) {
    double r = 11.0 * (0.35 + 0.65 * inflate);
    double cx = kAx + 12, cy = kAy + 24 - r - 0.5 + dropStretch * 0;
    double sy = 1 - 0.4 * l.squash + 0.12 * dropStretch, sx = 1 + 0.2 * l.squash - 0.06 * dropStretch;
    cy = kAy + 24 - r * sy;
    art::Rgb c = matColor(l.mat);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, sx, sy);
    // body receding into the depth
    cairo_move_to(cr, 0, -r);
    cairo_line_to(cr, kDepth + 1, -r - kDepth - 1);
    cairo_arc(cr, kDepth + 1, -kDepth - 1, r, -kPi / 2, kPi / 4);
    cairo_line_to(cr, r * std::cos(kPi / 4), r * std::sin(kPi / 4));
    cairo_close_path(cr);
    shade(cr, darker(c, 0.2), -r - 5, r, 1.0);
    // end disc
    cairo_arc(cr, 0, 0, r, 0, kTau);
    shadeRound(cr, c, 0, 0, r, art::kOutlineSmall);
    cairo_save(cr);
    cairo_rotate(cr, angle);
    if (l.mat == Mat::Wood) {
        setColor(cr, darker(c, 0.35), 0.8);
        cairo_set_line_width(cr, 0.8);
        for (int k = -2; k <= 2; ++k) {
            cairo_move_to(cr, k * r * 0.33, -std::sqrt(std::max(0.0, r * r - k * k * r * r * 0.11)));
            cairo_line_to(cr, k * r * 0.33, std::sqrt(std::max(0.0, r * r - k * k * r * r * 0.11)));
        }
        cairo_stroke(cr);
        cairo_arc(cr, 0, 0, r - 1.6, 0, kTau);
        setColor(cr, art::kMetalDark);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        cairo_arc(cr, 0, r * 0.55, 1.5, 0, kTau);
        fillInk(cr, art::kWoodDark, 0.7);
    } else if (l.mat == Mat::Metal) {
        cairo_arc(cr, 0, 0, r * 0.62, 0, kTau);
        setColor(cr, darker(c, 0.25));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        for (int k = 0; k < 6; ++k) {
            double a = k * kTau / 6;
            cairo_arc(cr, r * 0.8 * std::cos(a), r * 0.8 * std::sin(a), 0.8, 0, kTau);
            setColor(cr, art::kMetalDark);
            cairo_fill(cr);
        }
        roundRect(cr, -1.5, -r * 0.5, 3, r, 1);
        setColor(cr, art::kMetalDark);
        cairo_fill(cr);
    } else {
        for (int k = 0; k < 4; ++k) {
            cairo_move_to(cr, 0, 0);
            cairo_arc(cr, 0, 0, r - 1.2, k * kPi / 2, k * kPi / 2 + kPi / 4);
            cairo_close_path(cr);
            setColor(cr, art::kRed, 0.55);
            cairo_fill(cr);
        }
        cairo_arc(cr, 0, 0, 2.0, 0, kTau);
        fillInk(cr, art::kParchment, 0.7);
    }
    cairo_restore(cr);
    ellipse(cr, -r * 0.35, -r * 0.45, r * 0.3, r * 0.18);
    setColor(cr, {1, 1, 1}, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ----- magnets -----

// Horseshoe magnet lying on its side with the poles towards `faceLeft`.
void drawMagnet(cairo_t* cr, const Look& l, bool faceLeft, double inflate = 1.0) {
    Box b = frontBox(l);
    double s = 0.3 + 0.7 * inflate;
    art::Rgb body = l.mat == Mat::Rubber ? art::kYellow : art::kRed;
    art::Rgb tips = l.mat == Mat::Rubber ? art::kRed : art::kMetal;
    cairo_save(cr);
    cairo_translate(cr, b.x + b.w / 2, b.y + b.h / 2 + b.h * (1 - s) / 2);
    cairo_scale(cr, (faceLeft ? -1 : 1) * b.w / 24 * s, b.h / 24 * s);
    // horseshoe opening to the right (mirrored for left), with depth
    auto shoe = [&](double ox, double oy) {
        cairo_new_path(cr);
        cairo_move_to(cr, 11 + ox, -11 + oy);
        cairo_line_to(cr, 1 + ox, -11 + oy);
        cairo_arc_negative(cr, 1 + ox, 0 + oy, 11, -kPi / 2, kPi / 2);
        cairo_line_to(cr, 11 + ox, 11 + oy);
        cairo_line_to(cr, 11 + ox, 4 + oy);
        cairo_line_to(cr, 1 + ox, 4 + oy);
        cairo_arc(cr, 1 + ox, 0 + oy, 4, kPi / 2, 3 * kPi / 2);
        cairo_line_to(cr, 11 + ox, -4 + oy);
        cairo_close_path(cr);
    };
    shoe(kDepth * (faceLeft ? -1 : 1), -kDepth);
    shade(cr, darker(body, 0.35), -15, 11, 1.0);
    shoe(0, 0);
    shade(cr, body, -11, 11, art::kOutlineSmall);
    for (double y : {-11.0, 4.0}) {
        cairo_rectangle(cr, 5, y, 6, 7);
        shade(cr, tips, y, y + 7, 1.0);
    }
    cairo_move_to(cr, -6, -5);
    cairo_curve_to(cr, -7, -1, -6, 3, -4, 6);
    setColor(cr, {1, 1, 1}, 0.4);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (l.mat == Mat::Rubber) {
        cairo_arc(cr, -8, 0, 1.5, 0, kTau);
        fillInk(cr, art::kParchment, 0.7);
    }
    cairo_restore(cr);
}

struct Parsed {
    bool ok = false;
    std::string kind; // crate, barrel, magnet
    Look look;
    double angle = 0;
    double inflate = 1;
    bool fall = false;
    bool faceLeft = false;
};

Parsed parse(const std::string& name) {
    Parsed p;
    int n = 0;
    std::string base = name.substr(0, name.rfind('.'));
    auto endsWith = [&](const std::string& s) {
        return base.size() >= s.size() && base.compare(base.size() - s.size(), s.size(), s) == 0;
    };
    auto squashOf = [&](int k) { return k == 1 ? 0.45 : (k == 0 ? 0.25 : 0.08); };

    // barrels
    for (const char* pre : {"metalbarrelcooling", "barrelinflatablefallfrozen", "barrelinflatablefallheated",
                            "barrelinflatablefrozen", "barrelinflatableheated", "barrelinflatablefall",
                            "barrelinflatable", "metalbarrelfallfrozen", "metalbarrelfallheated",
                            "metalbarrelfrozen", "metalbarrelheated", "metalbarrelfall", "metalbarrel",
                            "barrelfallfrozen", "barrelfallheated", "barrelfrozen", "barrelheated", "barrelfall",
                            "barrel"}) {
        std::string sp(pre);
        bool metal = startsWith(sp, "metal");
        const char* ext = metal ? ".png" : ".tga";
        if (sp == "metalbarrelcooling") {
            int a = 0;
            bool withAngle = false;
            size_t dash = name.find('-');
            if (startsWith(name, sp) && dash != std::string::npos) {
                std::string angle = name.substr(sp.size(), dash - sp.size());
                if (angle.size() == 1 && angle[0] >= '0' && angle[0] <= '7' &&
                    parseNumbered(name.substr(dash + 1), "", ".png", n)) {
                    a = angle[0] - '0';
                    withAngle = true;
                }
            }
            if (withAngle || parseNumbered(name, sp, ".png", n)) {
                p.ok = true;
                p.kind = "barrel";
                p.look.mat = Mat::Metal;
                p.look.heat = 1.0 - n / 6.0;
                p.angle = a * kPi / 4;
                return p;
            }
            continue;
        }
        if (!parseNumbered(name, sp, ext, n))
            continue;
        p.ok = true;
        p.kind = "barrel";
        p.look.mat = metal ? Mat::Metal : (contains(sp, "inflatable") ? Mat::Rubber : Mat::Wood);
        p.fall = contains(sp, "fall");
        if (contains(sp, "frozen"))
            p.look.temp = Temp::Frozen;
        if (contains(sp, "heated")) {
            p.look.temp = Temp::Heated;
            p.look.heat = 1.0;
        }
        p.angle = n * kPi / 4;
        return p;
    }
    for (const char* pre : {"barrelinflateleft", "barrelinflateright"})
        if (name == std::string(pre) + "0.tga") {
            p.ok = true;
            p.kind = "barrel";
            p.look.mat = Mat::Rubber;
            p.inflate = 0.05;
            p.angle = contains(pre, "left") ? 0.4 : -0.4;
            return p;
        }
    if (parseNumbered(name, "barrelinflate", ".tga", n)) {
        p.ok = true;
        p.kind = "barrel";
        p.look.mat = Mat::Rubber;
        p.inflate = n / 4.0;
        return p;
    }

    // crates
    if (startsWith(name, "crate") || startsWith(name, "metalcrate")) {
        p.kind = "crate";
        p.ok = true;
        bool metal = startsWith(name, "metal");
        bool rubber = startsWith(name, "crateinflat");
        p.look.mat = metal ? Mat::Metal : (rubber ? Mat::Rubber : Mat::Wood);
        if (endsWith("0b") || endsWith("1b") || endsWith("4b"))
            p.look.mat = Mat::WoodB;
        if (contains(base, "frozen"))
            p.look.temp = Temp::Frozen;
        if (contains(base, "heated")) {
            p.look.temp = Temp::Heated;
            p.look.heat = 1;
        }
        if (contains(base, "left"))
            p.look.move = -1;
        if (contains(base, "right"))
            p.look.move = 1;
        if (contains(base, "squash")) {
            char d = base[base.find("squash") + 6];
            p.look.squash = squashOf(d - '0');
        }
        if (parseNumbered(name, "metalcratecooling", ".png", n))
            p.look.heat = 1.0 - n / 6.0;
        if (startsWith(name, "crateinflate") && !startsWith(name, "crateinflatable")) {
            p.look.move = 0;
            if (parseNumbered(name, "crateinflate", ".tga", n)) {
                p.inflate = n / 4.0;
            } else {
                // flat on the professor's side of the cell
                p.inflate = 0.05;
                p.look.shift = contains(base, "left") ? 6 : -6;
            }
        }
        return p;
    }

    // magnets
    if (startsWith(name, "magnet") && !startsWith(name, "magnetemp")) {
        p.kind = "magnet";
        p.ok = true;
        bool inflatable = startsWith(name, "magnetinflat");
        p.look.mat = inflatable ? Mat::Rubber : Mat::Metal;
        std::string rest;
        if (startsWith(name, "magnetinflatable"))
            rest = base.substr(16);
        else if (startsWith(name, "magnetinflate"))
            rest = base.substr(13);
        else
            rest = base.substr(6);
        p.faceLeft = startsWith(rest, "left");
        if (!p.faceLeft && !startsWith(rest, "right")) {
            p.ok = false;
            return p;
        }
        rest = rest.substr(p.faceLeft ? 4 : 5);
        if (startsWith(base, "magnetinflate") && !startsWith(base, "magnetinflatable")) {
            int k = rest.empty() ? 0 : rest.back() - '0';
            p.inflate = k == 4 ? 1.0 : 0.1 + 0.25 * k;
            return p;
        }
        if (contains(rest, "frozen"))
            p.look.temp = Temp::Frozen;
        if (contains(rest, "heated")) {
            p.look.temp = Temp::Heated;
            p.look.heat = 1;
        }
        if (startsWith(rest, "left") || contains(rest, "heatedleft"))
            p.look.move = -1;
        if (startsWith(rest, "right") || contains(rest, "heatedright"))
            p.look.move = 1;
        if (contains(rest, "squash"))
            p.look.squash = squashOf(rest.back() - '0');
        if (startsWith(rest, "cooling")) {
            p.look.heat = 1.0 - (rest.back() - '0') / 6.0;
        }
        return p;
    }
    return p;
}

} // namespace

cairo_surface_t* drawObjectImage(const std::string& name) {
    Parsed p = parse(name);
    if (!p.ok)
        return nullptr;
    cairo_surface_t* surf = newCanvas(kW, kH);
    cairo_t* cr = cairo_create(surf);
    if (p.kind == "crate") {
        drawCrate(cr, p.look, p.inflate);
    } else if (p.kind == "barrel") {
        if (p.fall) {
            // falling: motion streaks above a barrel that tumbles as it drops
            for (int k = 0; k < 3; ++k) {
                cairo_move_to(cr, kAx + 6 + k * 6, kAy - 8 + (k % 2) * 3);
                cairo_line_to(cr, kAx + 6 + k * 6, kAy + 2 + (k % 2) * 3);
                setColor(cr, art::kInk, 0.35);
                cairo_set_line_width(cr, 1.0);
                cairo_stroke(cr);
            }
        }
        drawBarrel(cr, p.look, p.angle, p.inflate, p.fall ? 1.0 : 0.0);
        moveDust(cr, p.look);
    } else {
        drawMagnet(cr, p.look, p.faceLeft, p.inflate);
    }
    if (p.kind != "barrel")
        moveDust(cr, p.look);
    applyTemp(cr, p.look);
    cairo_destroy(cr);
    return surf;
}

} // namespace board
