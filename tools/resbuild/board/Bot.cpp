// The bot: a round copper-banded iron ball on two stubby legs, with one
// big lamp eye, a spring antenna and little claw arms. Every bot picture is
// 64 x 64 with the anchor of the sprite state that shows it.
#include "board/Families.h"
#include "board/Paint.h"

#include <algorithm>

namespace board {
namespace {


struct BotPose {
    double x = 0, y = 0;   // ground point
    bool left = false;
    double lift = 0;       // body raised above its standing height
    double rot = 0;        // whole-bot tilt (positive leans forward)
    double sx = 1, sy = 1; // squash
    double leg[2] = {0, 0};
    double arm[2] = {0.4, 0.4}; // 0 down, positive forward/up
    double eye = 1;        // lamp brightness 0..1
    bool eyeX = false;     // stunned: crossed-out eye
    double antenna = 0;    // antenna bend
    bool back = false;     // seen from behind (climbing)
    bool legsUp = false;   // falling
    double melt = 0;       // 0 solid .. 1 slumped blob
    double armLen = 6;     // telescopic arms stretch out to grab
};

const art::Rgb kBody{0.50, 0.54, 0.58};
// How far a heated bot slumps: its legs and arms have sunk into the lump.
constexpr double kHeatedMelt = 0.55;

void drawBot(cairo_t* cr, const BotPose& b) {
    cairo_save(cr);
    cairo_translate(cr, b.x, b.y);
    cairo_translate(cr, 0, -10);
    cairo_rotate(cr, b.left ? -b.rot : b.rot);
    cairo_translate(cr, 0, 10);
    cairo_scale(cr, b.sx * (b.left ? -1 : 1), b.sy);
    // shadow
    ellipse(cr, 0, 0.5, 8, 1.8);
    setColor(cr, art::kInk, 0.2);
    cairo_fill(cr);
    double cy = -11 - b.lift;
    double melt = b.melt;
    // legs
    if (melt < 0.5) {
        for (int i = 1; i >= 0; --i) {
            double hx = (i == 0 ? 2.5 : -2.5), hy = cy + 6;
            double a = b.leg[i];
            double len = (b.legsUp ? 4.5 : 5.2 + b.lift) * (1 - melt);
            double fx = hx + len * std::sin(a), fy = hy + len * std::cos(a);
            limb(cr, hx, hy, fx, fy, 2.6, i == 0 ? art::kMetalDark : darker(art::kMetalDark, 0.2));
            ellipse(cr, fx + 1.2, fy + 0.6, 2.6, 1.5);
            fillInk(cr, art::kCopper, 1.0);
        }
    }
    // back arm
    auto arm = [&](int i, art::Rgb c) {
        double sx0 = i == 0 ? 2 : -1.5, sy0 = cy + 1;
        double a = b.arm[i];
        double ex = sx0 + b.armLen * std::sin(a), ey = sy0 + b.armLen * std::cos(a);
        limb(cr, sx0, sy0, ex, ey, 2.0, c);
        // claw
        cairo_move_to(cr, ex, ey);
        cairo_line_to(cr, ex + 2.2 * std::sin(a + 0.6), ey + 2.2 * std::cos(a + 0.6));
        cairo_move_to(cr, ex, ey);
        cairo_line_to(cr, ex + 2.2 * std::sin(a - 0.6), ey + 2.2 * std::cos(a - 0.6));
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    };
    if (melt < 0.5)
        arm(1, darker(art::kMetalDark, 0.2));
    // antenna
    if (melt < 0.7) {
        double ax0 = -1, ay0 = cy - 8;
        double tipX = ax0 - 1 + b.antenna * 4, tipY = ay0 - 6 + std::fabs(b.antenna) * 1.5;
        cairo_move_to(cr, ax0, ay0);
        cairo_curve_to(cr, ax0 + 2, ay0 - 2, ax0 - 2, ay0 - 4, tipX, tipY);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, tipX, tipY, 1.6, 0, kTau);
        shadeRound(cr, mix(art::kMetalDark, art::kRed, b.eye), tipX, tipY, 1.6, 0.9);
    }
    // body: a ball that slumps into a puddle as it melts
    double rx = 8.2 * (1 + 0.5 * melt), ry = 8.2 * (1 - 0.55 * melt);
    double bcy = cy + 8.2 * 0.55 * melt;
    ellipse(cr, 0, bcy, rx, ry);
    shadeRound(cr, kBody, 0, bcy, std::max(rx, ry), art::kOutlineSmall);
    // copper band
    cairo_save(cr);
    ellipse(cr, 0, bcy, rx, ry);
    cairo_clip(cr);
    cairo_rectangle(cr, -rx, bcy + ry * 0.25, 2 * rx, 2.4);
    setColor(cr, art::kCopper);
    cairo_fill(cr);
    for (int k = -2; k <= 2; ++k) {
        cairo_arc(cr, k * 3.2, bcy + ry * 0.25 + 1.2, 0.6, 0, kTau);
        setColor(cr, art::kBrass);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // eye
    if (!b.back && melt < 0.9) {
        double ex = 3.6, ey = bcy - 1.5 * (1 - melt);
        cairo_arc(cr, ex, ey, 3.6, 0, kTau);
        fillInk(cr, art::kMetalDark, 1.1);
        art::Rgb lamp = mix({0.25, 0.22, 0.20}, art::kYellow, b.eye);
        cairo_arc(cr, ex + 0.4, ey, 2.5, 0, kTau);
        shadeRound(cr, lamp, ex + 0.4, ey, 2.5, 0);
        if (b.eye > 0.3) {
            glow(cr, ex + 0.4, ey, 5.5, art::kGlow, 0.45 * b.eye);
            cairo_arc(cr, ex + 1.2, ey, 1.0, 0, kTau);
            setColor(cr, art::kInk, 0.9);
            cairo_fill(cr);
        }
        if (b.eyeX) {
            setColor(cr, art::kInk);
            cairo_set_line_width(cr, 1.0);
            cairo_move_to(cr, ex - 1.3, ey - 1.3);
            cairo_line_to(cr, ex + 2.1, ey + 1.3);
            cairo_move_to(cr, ex - 1.3, ey + 1.3);
            cairo_line_to(cr, ex + 2.1, ey - 1.3);
            cairo_stroke(cr);
        }
    } else if (b.back) {
        // hatch and bolts on its back
        roundRect(cr, -3.5, bcy - 4, 7, 6, 1.5);
        fillInk(cr, darker(kBody, 0.15), 0.9);
    }
    if (melt < 0.5)
        arm(0, art::kMetalDark);
    cairo_restore(cr);
}

void sparks(cairo_t* cr, double cx, double cy, int seed, double r) {
    for (int k = 0; k < 4; ++k) {
        double a = seed * 1.9 + k * kTau / 4;
        double x = cx + r * std::cos(a), y = cy + r * 0.8 * std::sin(a);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 2.5 * std::cos(a + 0.8), y + 2.5 * std::sin(a + 0.8));
        cairo_line_to(cr, x + 1.0 * std::cos(a - 0.4) + 2.5 * std::cos(a), y + 2.5 * std::sin(a));
        setColor(cr, {0.55, 0.85, 1.0});
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

// Heat state of a slumped bot: 1 glowing hot .. 0 cold and dark.
void heatLook(cairo_t* cr, double heat) {
    if (heat > 0)
        heatOver(cr, heat);
    else
        tint(cr, {0.22, 0.20, 0.22}, 0.45);
}

struct BotSeries {
    const char* prefix; // numbered series, or a still name without ".png"
    int count;          // 0 for a still
    int axL, ayL, axR, ayR;
};

const BotSeries kSeries[] = {
    {"batstunnedlefttiltleft", 0, 14, 20, 14, 20},   {"batstunnedlefttiltright", 0, 14, 20, 14, 20},
    {"batstunnedrighttiltleft", 0, 18, 19, 18, 19},  {"batstunnedrighttiltright", 0, 18, 19, 18, 19},
    {"botcatchprofleft", 27, 17, 33, 17, 33},        {"botcatchprofright", 27, 17, 32, 17, 32},
    {"botclimb", 3, 16, 14, 16, 14},                 {"botcooledleftsquash", 3, 11, 22, 11, 22},
    {"botcooledlefttiltleft", 0, 11, 22, 11, 22},    {"botcooledlefttiltright", 0, 11, 22, 11, 22},
    {"botcooledrightsquash", 3, 16, 20, 16, 20},     {"botcooledrighttiltleft", 0, 16, 20, 16, 20},
    {"botcooledrighttiltright", 0, 16, 20, 16, 20},  {"botcoolingleft", 7, 11, 22, 11, 22},
    {"botcoolinglefttiltedleft", 7, 11, 22, 11, 22}, {"botcoolinglefttiltedright", 7, 11, 22, 11, 22},
    {"botcoolingright", 7, 16, 20, 16, 20},          {"botcoolingrighttiltedleft", 7, 16, 20, 16, 20},
    {"botcoolingrighttiltedright", 7, 16, 20, 16, 20}, {"botcrawlleft", 6, 18, 13, 18, 13},
    {"botcrawlright", 6, 15, 12, 15, 12},            {"botcrushedleft", 3, 17, 20, 17, 20},
    {"botcrushedright", 3, 18, 19, 18, 19},          {"botfall", 19, 25, 25, 25, 25},
    {"botfrozen", 0, 22, 16, 22, 16},                {"botfrozenmelted", 0, 22, 16, 22, 16},
    {"bothang", 0, 25, 27, 25, 27},                  {"botheatedleftsquash", 3, 11, 22, 11, 22},
    {"botheatedlefttiltleft", 0, 11, 22, 11, 22},    {"botheatedlefttiltright", 0, 11, 22, 11, 22},
    {"botheatedrightsquash", 3, 16, 20, 16, 20},     {"botheatedrighttiltleft", 0, 16, 20, 16, 20},
    {"botheatedrighttiltright", 0, 16, 20, 16, 20},  {"botmagnetleft", 2, 14, 19, 14, 19},
    {"botmagnetright", 2, 18, 20, 18, 20},           {"botmeltingleft", 5, 11, 22, 11, 22},
    {"botmeltingright", 5, 16, 20, 16, 20},          {"botpushleft", 12, 16, 19, 16, 19},
    {"botpushright", 12, 14, 18, 14, 18},            {"botrunleft", 12, 14, 23, 14, 23},
    {"botrunright", 12, 18, 22, 18, 22},             {"botslidingleft", 6, 14, 20, 14, 20},
    {"botslidingright", 6, 15, 19, 15, 19},          {"botstandleft", 0, 14, 20, 14, 20},
    {"botstandright", 0, 18, 19, 18, 19},            {"botstunnedleft", 3, 14, 20, 14, 20},
    {"botstunnedright", 3, 18, 19, 18, 19},
};

void drawFrame(cairo_t* cr, const std::string& pre, int n, int count, int ax, int ay) {
    BotPose b;
    b.x = ax + 12;
    b.y = ay + 23;
    // the facing is the first "left"/"right" after "bot"/"bat"
    size_t l = pre.find("left", 3), r = pre.find("right", 3);
    b.left = l != std::string::npos && (r == std::string::npos || l < r);
    const double t = count > 1 ? double(n) / count : 0;
    const double ph = t * kTau;
    double tiltDir = 0;
    if (contains(pre, "tiltleft") || contains(pre, "tiltedleft"))
        tiltDir = -1;
    if (contains(pre, "tiltright") || contains(pre, "tiltedright"))
        tiltDir = 1;
    // tilts are in screen terms; the pose rotates in facing terms
    double screenTilt = 0.45 * tiltDir;
    auto setScreenTilt = [&](double a) { b.rot = b.left ? -a : a; };

    if (pre == "bothang" || (pre == "botfall" && n <= 8)) {
        double wake = pre == "bothang" ? 0 : n / 8.0;
        b.lift = 4;
        b.eye = wake * (n % 2 == 1 && n < 6 ? 0.4 : 1.0);
        b.leg[0] = 0.15 * std::sin(n * 2.0) * wake;
        b.leg[1] = -0.1;
        b.arm[0] = b.arm[1] = 0.15;
        b.antenna = -0.6 + 0.6 * wake;
        // hook and chain from above
        double top = b.y - 11 - b.lift - 8.2;
        cairo_move_to(cr, b.x, 0);
        cairo_line_to(cr, b.x, top - 3);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, b.x, top - 1, 2.2, kPi * 0.1, kPi * 1.2);
        setColor(cr, art::kMetalDark);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        drawBot(cr, b);
        return;
    }
    if (pre == "botfall") {
        if (n <= 11) {
            b.legsUp = true;
            b.lift = 5 + (n - 9) * 1.5;
            b.leg[0] = 0.9 + 0.2 * (n - 9);
            b.leg[1] = -0.7;
            b.arm[0] = b.arm[1] = 2.6;
            b.antenna = 0.8;
        } else {
            double k = (n - 12) / 6.0;
            double sq = std::sin((1 - k) * kPi / 2);
            b.sy = 1 - 0.3 * sq;
            b.sx = 1 + 0.2 * sq;
            b.antenna = -0.7 * sq;
            b.arm[0] = b.arm[1] = 0.4 + 1.2 * sq;
        }
        drawBot(cr, b);
        return;
    }
    if (pre == "botclimb") {
        b.back = true;
        b.arm[0] = n == 1 ? 2.9 : 2.4;
        b.arm[1] = n == 2 ? 2.9 : 2.4;
        b.leg[0] = n == 1 ? 0.5 : 0;
        b.leg[1] = n == 2 ? 0.5 : 0;
        b.lift = n == 0 ? 0 : 1.5;
        drawBot(cr, b);
        return;
    }
    if (startsWith(pre, "botrun")) {
        b.leg[0] = 0.7 * std::sin(ph);
        b.leg[1] = -0.7 * std::sin(ph);
        b.arm[0] = 0.6 - 0.6 * std::sin(ph);
        b.arm[1] = 0.6 + 0.6 * std::sin(ph);
        b.lift = 1.2 * std::fabs(std::cos(ph));
        b.rot = 0.12;
        b.antenna = -0.5 + 0.3 * std::sin(ph * 2);
    } else if (startsWith(pre, "botpush")) {
        b.leg[0] = -0.3 + 0.45 * std::sin(ph);
        b.leg[1] = -0.3 - 0.45 * std::sin(ph);
        b.arm[0] = b.arm[1] = 1.55 + 0.1 * std::sin(ph);
        b.rot = 0.3;
        b.antenna = -0.7;
        b.lift = 0.5 * std::fabs(std::sin(ph));
    } else if (startsWith(pre, "botcrushed")) {
        double k = (n + 1) / 3.0;
        b.sy = 1 - 0.45 * k;
        b.sx = 1 + 0.25 * k;
        b.eye = 1 - 0.7 * k;
        b.eyeX = n == 2;
        b.antenna = -1.2 * k;
        b.arm[0] = b.arm[1] = 1.2 * k;
    } else if (startsWith(pre, "botstand")) {
        b.arm[0] = 0.5;
        b.arm[1] = 0.3;
    } else if (startsWith(pre, "botstunned") || startsWith(pre, "batstunned")) {
        b.eye = startsWith(pre, "bat") ? 0.2 : 0.5 - 0.2 * n;
        b.eyeX = true;
        b.antenna = -1.0 + 0.4 * n;
        b.arm[0] = 0.2 + 0.3 * n;
        b.arm[1] = 0.9 - 0.3 * n;
        b.rot = 0.08 * (n - 1);
        if (tiltDir != 0)
            setScreenTilt(screenTilt);
        drawBot(cr, b);
        sparks(cr, b.x, b.y - 14, n + (int)tiltDir * 3, 10);
        return;
    } else if (startsWith(pre, "botmagnet")) {
        b.lift = 1 + n;
        b.rot = -0.25 - 0.08 * n;
        b.leg[0] = 0.5 + 0.2 * n;
        b.leg[1] = 0.2;
        b.arm[0] = b.arm[1] = -0.6 - 0.3 * n;
        b.antenna = -1.0 - 0.3 * n;
        b.eye = 0.7 + 0.3 * n;
        drawBot(cr, b);
        sparks(cr, b.x + (b.left ? -9 : 9), b.y - 12, n * 2 + 1, 4);
        return;
    } else if (startsWith(pre, "botsliding")) {
        b.leg[0] = 0.4;
        b.leg[1] = -0.4;
        b.arm[0] = 2.0 + 0.7 * std::sin(ph);
        b.arm[1] = 2.0 - 0.7 * std::sin(ph);
        b.rot = -0.15 + 0.12 * std::sin(ph);
        b.antenna = 0.6 * std::sin(ph + 1);
    } else if (startsWith(pre, "botcrawl")) {
        b.sy = 0.72;
        b.sx = 1.12;
        b.leg[0] = 0.9 * std::sin(ph);
        b.leg[1] = -0.9 * std::sin(ph);
        b.arm[0] = 1.4 + 0.4 * std::sin(ph);
        b.arm[1] = 1.4 - 0.4 * std::sin(ph);
        b.antenna = -1.3;
        b.rot = 0.15 + 0.06 * std::cos(ph);
    } else if (pre == "botfrozen") {
        b.arm[0] = 1.8;
        b.arm[1] = 1.2;
        b.eye = 0.6;
        drawBot(cr, b);
        frostOver(cr, 64, 64);
        roundRect(cr, b.x - 13, b.y - 28, 26, 29, 3);
        cairo_pattern_t* g = cairo_pattern_create_linear(b.x - 13, b.y - 28, b.x + 13, b.y);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.9, 0.97, 1.0, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.55, 0.8, 0.95, 0.45);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        setColor(cr, darker(art::kIce, 0.45));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        sparkle(cr, b.x - 8, b.y - 22, 2.5, {1, 1, 1});
        return;
    } else if (pre == "botfrozenmelted") {
        ellipse(cr, b.x, b.y - 1, 14, 3.2);
        setColor(cr, art::kIce, 0.85);
        cairo_fill_preserve(cr);
        setColor(cr, darker(art::kIce, 0.4));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        b.melt = 0.75;
        b.eye = 0;
        b.eyeX = true;
        b.rot = 0.5;
        drawBot(cr, b);
        tint(cr, {0.3, 0.4, 0.5}, 0.25);
        return;
    } else if (startsWith(pre, "botmelting")) {
        b.melt = kHeatedMelt * n / 4.0;
        b.eye = 1 - 0.2 * n;
        b.antenna = -0.3 * n;
        drawBot(cr, b);
        heatLook(cr, 0.35 + 0.16 * n);
        glow(cr, b.x, b.y - 8, 14, {1.0, 0.5, 0.2}, 0.15 + 0.05 * n);
        return;
    } else if (startsWith(pre, "botheated") || startsWith(pre, "botcooling") ||
               startsWith(pre, "botcooled")) {
        b.melt = kHeatedMelt;
        b.eye = 0.2;
        b.antenna = -1.2;
        double heat = startsWith(pre, "botheated") ? 1.0 : (startsWith(pre, "botcooled") ? 0.0 : 1.0 - n / 6.0);
        if (contains(pre, "squash")) {
            double k = n == 1 ? 1.0 : (n == 0 ? 0.5 : 0.2);
            b.sy = 1 - 0.35 * k;
            b.sx = 1 + 0.25 * k;
        }
        if (tiltDir != 0)
            setScreenTilt(screenTilt);
        drawBot(cr, b);
        heatLook(cr, heat);
        if (heat > 0.2)
            glow(cr, b.x, b.y - 6, 13, {1.0, 0.5, 0.2}, 0.3 * heat);
        return;
    } else if (startsWith(pre, "botcatchprof")) {
        // The professor's own caught pictures show him; the bot reaches
        // into his cell, grabs his coat, hoists him and shakes him.
        int k = n <= 24 ? n : (n == 25 ? 22 : 20);
        double reach = std::min(1.0, k / 8.0);
        double lift = k > 8 ? std::min(1.0, (k - 8) / 10.0) : 0;
        double shake = k >= 19 ? std::sin((k - 19) * kTau / 6.0) : 0;
        b.arm[0] = 0.4 + 1.2 * reach + 0.35 * lift + 0.15 * shake;
        b.arm[1] = 0.4 + 1.1 * reach + 0.35 * lift - 0.15 * shake;
        b.armLen = 6 + 5 * reach;
        b.rot = 0.2 * reach - 0.15 * lift + 0.06 * shake;
        b.leg[0] = 0.25 * shake - 0.2 * lift;
        b.leg[1] = -0.25 * shake + 0.2 * lift;
        b.lift = 1.5 * lift * std::fabs(std::cos(k * 0.9));
        b.antenna = 0.7 * std::sin(k * 0.8);
        b.x += 2 * reach;
        drawBot(cr, b);
        // grip sparks where the claws close on the coat
        if (reach >= 1.0 && n % 2 == 0) {
            double gx = b.x + (b.left ? -1 : 1) * 15, gy = b.y - 12 - 5 * lift;
            sparkle(cr, gx, gy, 2.0, art::kYellow);
        }
        return;
    }
    drawBot(cr, b);
}

} // namespace

cairo_surface_t* drawBotImage(const std::string& name) {
    for (const BotSeries& s : kSeries) {
        int n = 0;
        bool match = s.count == 0 ? name == std::string(s.prefix) + ".png"
                                  : parseNumbered(name, s.prefix, ".png", n);
        if (!match)
            continue;
        cairo_surface_t* surf = newCanvas(64, 64);
        cairo_t* cr = cairo_create(surf);
        drawFrame(cr, s.prefix, n, s.count, s.axL, s.ayL);
        cairo_destroy(cr);
        return surf;
    }
    return nullptr;
}

} // namespace board
