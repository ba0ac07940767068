// Every professor picture: 64 x 68, transparent, with the anchor of the
// sprite state that shows it; his feet stand on the bottom row of the
// anchor's cell unless the move lifts or drops him.
#include "board/Families.h"
#include "board/Paint.h"
#include "board/Professor.h"
#include "board/Tube.h"

#include <algorithm>
#include <vector>

namespace board {
namespace {

struct ProfSeries {
    const char* prefix;
    const char* ext;
    int count;
    int ax, ay;
};

const ProfSeries kSeries[] = {
    {"profstandmiddle", ".tga", 11, 11, 35},  {"profstandleft", ".tga", 11, 11, 35},
    {"profstandright", ".tga", 11, 11, 35},   {"profrunleft", ".tga", 10, 12, 36},
    {"profrunright", ".tga", 10, 9, 36},      {"profclimbdown", ".tga", 3, 4, 31},
    {"profclimbup", ".tga", 3, 21, 25},       {"profladderleft", ".tga", 4, 11, 35},
    {"profladderright", ".tga", 4, 11, 35},   {"proffall", ".tga", 6, 13, 28},
    {"profpushleft", ".tga", 8, 17, 30},      {"profpushright", ".tga", 8, 17, 30},
    {"profslideleftuncool", ".tga", 6, 9, 27}, {"profsliderightuncool", ".tga", 6, 13, 29},
    {"profslideleft", ".tga", 4, 9, 27},      {"profslideright", ".tga", 4, 13, 29},
    {"profhotstepleft", ".png", 49, 20, 35},  {"profhotstepright", ".png", 49, 12, 36},
    {"profpushhotleft", ".png", 33, 14, 37},  {"profpushhotright", ".png", 33, 16, 36},
    {"profinflateleft", ".tga", 10, 25, 35},  {"profinflateright", ".tga", 10, 23, 36},
    {"profwhistle", ".tga", 9, 19, 34},       {"profemp", ".tga", 11, 14, 38},
    {"profgunleft", ".tga", 11, 21, 35},      {"profgunright", ".tga", 11, 15, 35},
    {"proffireheatgunleft", ".png", 11, 21, 35}, {"proffireheatgunright", ".png", 11, 15, 35},
    {"proftrampleft", ".tga", 7, 20, 14},     {"proftrampright", ".tga", 7, 18, 21},
    {"proftrampflingright", ".tga", 9, 18, 27}, {"proftrampflingleft", ".tga", 3, 18, 27},
    {"proftramprecover", ".tga", 8, 12, 29},  {"profland", ".tga", 6, 17, 36},
    {"tube", ".tga", 22, kTubeAx, kTubeAy},   {"profbarrelleft", ".tga", 10, 13, 35},
    {"profbarrelright", ".tga", 10, 13, 35},  {"profcrawlleft", ".tga", 6, 11, 15},
    {"profcrawlright", ".tga", 6, 11, 15},    {"profstunleft", ".tga", 3, 15, 23},
    {"profstunright", ".tga", 3, 15, 23},     {"profturnleft", ".tga", 2, 13, 36},
    {"profturnright", ".tga", 2, 13, 36},     {"proffrozen", ".tga", 1, 16, 17},
    {"profsinged", ".png", 8, 13, 25},        {"profthawing", ".png", 5, 12, 36},
    {"profcaughtleft", ".png", 31, 37, 35},   {"profcaughtright", ".png", 31, 18, 34},
    {"profidleA", ".tga", 7, 10, 36},         {"profidleB", ".tga", 11, 14, 38},
    {"profidleC", ".tga", 13, 17, 32},        {"profidleD", ".tga", 18, 11, 33},
    {"profidleE", ".tga", 23, 12, 37},        {"profidleF", ".tga", 61, 26, 35},
    {"profidleG", ".tga", 7, 14, 35},         {"profidleH", ".png", 17, 20, 36},
    {"profidleI", ".png", 12, 22, 34},        {"profidleJ", ".png", 14, 14, 31},
};

// Every professor picture has one size; the tube ride shares the tube's.
constexpr int kProfW = kTubeW, kProfH = kTubeH;

void smokePuff(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_arc(cr, x, y, r, 0, kTau);
    setColor(cr, {0.55, 0.52, 0.50}, alpha);
    cairo_fill(cr);
    cairo_arc(cr, x - r * 0.3, y - r * 0.3, r * 0.5, 0, kTau);
    setColor(cr, {0.85, 0.83, 0.80}, alpha * 0.8);
    cairo_fill(cr);
}

void walkLegs(ProfPose& p, double phase, double amp) {
    double s = std::sin(phase);
    p.leg[0] = amp * s;
    p.leg[1] = -amp * s;
    p.knee[0] = 0.5 * std::max(0.0, -std::cos(phase)) + 0.1;
    p.knee[1] = 0.5 * std::max(0.0, std::cos(phase)) + 0.1;
    p.arm[0] = -0.8 * amp * s;
    p.arm[1] = 0.8 * amp * s;
}

void iceBlock(cairo_t* cr, double x0, double y0, double x1, double y1, double alpha) {
    roundRect(cr, x0, y0, x1 - x0, y1 - y0, 2.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.88, 0.97, 1.0, 0.55 * alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.55, 0.80, 0.95, 0.45 * alpha);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, darker(art::kIce, 0.45), alpha);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_move_to(cr, x0 + 3, y0 + 6);
    cairo_line_to(cr, x0 + 7, y0 + 2.5);
    cairo_move_to(cr, x0 + 3, y0 + 11);
    cairo_line_to(cr, x0 + 11, y0 + 3);
    setColor(cr, {1, 1, 1}, 0.8 * alpha);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void drawSeries(cairo_t* cr, const std::string& prefix, int n, int count, int ax, int ay) {
    ProfPose p;
    p.x = ax + 12;
    p.y = ay + 23;
    const double t = count > 1 ? double(n) / count : 0;
    const double ph = t * kTau;
    const bool left = contains(prefix, "left");
    p.left = left;

    if (prefix == "profstandmiddle" || prefix == "profstandleft" || prefix == "profstandright") {
        if (prefix == "profstandmiddle")
            p.view = ProfView::Front;
        p.arm[0] = p.arm[1] = 0.15;
        if (n <= 8) {
            double k = n / 8.0; // settles into a thoughtful look, chin up
            p.headTilt = -0.10 * k;
            p.sy = 1.0 + 0.025 * std::sin(k * kPi);
            p.arm[0] = 0.15 + 0.25 * k;
            p.elbow[0] = 0.3 + 1.2 * k;
        } else {
            p.eyesClosed = n == 10; // blink
            p.sy = 0.99;
        }
    } else if (prefix == "profrunleft" || prefix == "profrunright") {
        walkLegs(p, ph, 0.75);
        p.lean = 0.18;
        p.y -= 1.5 * std::fabs(std::sin(ph));
        p.elbow[0] = p.elbow[1] = 1.1;
    } else if (prefix == "profclimbup" || prefix == "profclimbdown") {
        p.view = ProfView::Back;
        bool up = prefix == "profclimbup";
        int k = up ? n : 2 - n;
        double reach[3] = {2.9, 2.55, 2.2};
        p.arm[0] = reach[k];
        p.arm[1] = reach[2 - k];
        p.elbow[0] = p.elbow[1] = -0.2;
        p.leg[0] = 0.05;
        p.leg[1] = 0.05;
        p.knee[0] = 0.2 + 0.5 * (2 - k) / 2.0;
        p.knee[1] = 0.2 + 0.5 * k / 2.0;
        p.hipDrop = (k == 1) ? 1.0 : 0.0;
        p.y -= k * 1.2;
    } else if (prefix == "profladderleft" || prefix == "profladderright") {
        double hop = std::sin(kPi * n / 3.0);
        p.y -= 5 * hop;
        p.arm[0] = p.arm[1] = 1.0 + 1.6 * n / 3.0;
        p.elbow[0] = p.elbow[1] = -0.2;
        p.knee[0] = p.knee[1] = 0.8 * hop;
        p.leg[0] = p.leg[1] = 0.4 * hop;
        p.lean = 0.1 * hop;
    } else if (prefix == "proffall") {
        p.view = ProfView::Front;
        p.arm[0] = 2.3 + 0.45 * std::sin(ph);
        p.arm[1] = 2.3 + 0.45 * std::sin(ph + kPi);
        p.elbow[0] = p.elbow[1] = -0.4;
        p.leg[0] = 0.25 + 0.2 * std::sin(ph * 2);
        p.leg[1] = 0.25 - 0.2 * std::sin(ph * 2);
        p.knee[0] = p.knee[1] = 0.4;
        p.hatLift = 3 + 1.5 * std::sin(ph);
        p.mouth = 0.9;
    } else if (prefix == "profpushleft" || prefix == "profpushright") {
        p.x += left ? 1 : -1;
        p.lean = 0.45;
        p.arm[0] = 1.45 + 0.08 * std::sin(ph);
        p.arm[1] = 1.35 - 0.08 * std::sin(ph);
        p.elbow[0] = p.elbow[1] = 0.2;
        p.leg[0] = -0.25 + 0.45 * std::sin(ph);
        p.leg[1] = -0.25 - 0.45 * std::sin(ph);
        p.knee[0] = 0.3 + 0.3 * std::max(0.0, std::cos(ph));
        p.knee[1] = 0.3 + 0.3 * std::max(0.0, -std::cos(ph));
        p.headTilt = -0.2;
    } else if (prefix == "profslideleft" || prefix == "profslideright") {
        // a proud surfing glide, arms out
        double k = n / 3.0;
        p.leg[0] = 0.35;
        p.leg[1] = -0.35;
        p.knee[0] = p.knee[1] = 0.25;
        p.hipDrop = 1.5;
        p.arm[0] = 1.3 + 0.3 * k;
        p.arm[1] = 1.9 - 0.3 * k;
        p.elbow[0] = p.elbow[1] = -0.1;
        p.lean = -0.1 + 0.15 * k;
        p.headTilt = -0.15;
    } else if (prefix == "profslideleftuncool" || prefix == "profsliderightuncool") {
        // sliding backwards, arms windmilling
        p.left = !left;
        p.lean = -0.35 + 0.1 * std::sin(ph);
        p.arm[0] = 1.0 + ph;
        p.arm[1] = 1.0 + ph + kPi;
        p.elbow[0] = p.elbow[1] = 0.1;
        p.leg[0] = 0.45;
        p.leg[1] = 0.05;
        p.mouth = 0.8;
        p.hatLift = 1.5 + std::sin(ph);
    } else if (prefix == "profinflateleft" || prefix == "profinflateright") {
        p.prop = ProfProp::Balloon;
        p.arm[0] = 1.2;
        p.elbow[0] = 1.0;
        p.arm[1] = 1.1;
        p.elbow[1] = 1.1;
        if (n <= 7) {
            p.propT = (n + 1) / 8.0;
            p.cheeks = n % 2 == 0;
            p.lean = 0.1 + 0.05 * (n % 2);
        } else {
            p.propT = 1.0;
            p.cheeks = n == 8;
            p.lean = 0.08;
            p.y -= n == 9 ? 1 : 0;
        }
    } else if (prefix == "profwhistle") {
        // facing the player, he raises the whistle to his lips and blows
        p.view = ProfView::Front;
        p.handsToFace = true;
        p.prop = ProfProp::Whistle;
        double raise = std::min(1.0, n / 2.0);
        p.arm[1] = 0.2 - 3.1 * raise;
        p.elbow[1] = 0.3 + 1.4 * raise;
        p.arm[0] = 0.15;
        p.propT = n >= 3 ? (n - 3) / 5.0 : 0;
        p.cheeks = n >= 3 && n % 2 == 1;
        p.eyesClosed = n >= 3 && n <= 7;
        p.hatLift = n >= 3 ? 1.5 * std::fabs(std::sin(n)) : 0;
    } else if (prefix == "profemp") {
        p.view = ProfView::Front;
        p.prop = ProfProp::Emp;
        double raise = std::min(1.0, n / 4.0);
        p.arm[1] = 0.3 + 2.5 * raise;
        p.elbow[1] = -0.2 * raise;
        p.arm[0] = 0.2;
        p.propT = n >= 5 ? (n - 4) / 6.0 : 0;
        p.mouth = n >= 5 ? 0.4 : 0;
    } else if (prefix == "profgunleft" || prefix == "profgunright" || prefix == "proffireheatgunleft" ||
               prefix == "proffireheatgunright") {
        p.prop = contains(prefix, "heat") ? ProfProp::HeatGun : ProfProp::FrostGun;
        double raise = n <= 2 ? n / 2.0 : (n >= 8 ? (10 - n) / 2.0 : 1.0);
        p.arm[0] = 0.25 + 1.3 * raise;
        p.elbow[0] = 0.1;
        p.arm[1] = 0.2 + 1.0 * raise;
        p.elbow[1] = 0.4;
        p.propT = (n >= 3 && n <= 7) ? (n - 3) / 5.0 + 0.1 : 0;
        p.lean = -0.08 * std::sin(p.propT * kPi);
        p.leg[0] = 0.25;
        p.leg[1] = -0.2;
    } else if (prefix == "proftrampleft" || prefix == "proftrampright") {
        // drops onto the trampoline below and pumps it
        double down = n <= 2 ? n / 2.0 : 1.0;
        double pump = n >= 2 ? std::sin((n - 2) / 4.0 * kPi) : 0;
        p.y += 5 + 6 * down + 4 * pump;
        p.hipDrop = 2 + 3 * pump;
        p.knee[0] = p.knee[1] = 0.4 + 0.6 * pump;
        p.leg[0] = p.leg[1] = 0.3 + 0.4 * pump;
        p.arm[0] = p.arm[1] = 2.2 - 0.8 * pump;
        p.elbow[0] = p.elbow[1] = -0.2;
        p.sy = 1 - 0.08 * pump;
    } else if (prefix == "proftrampflingright" || prefix == "proftrampflingleft") {
        p.left = prefix == "proftrampflingleft";
        p.rot = t * kTau * 0.9;
        p.arm[0] = 2.4;
        p.arm[1] = 1.0;
        p.elbow[0] = p.elbow[1] = -0.3;
        p.leg[0] = 0.6;
        p.leg[1] = -0.5;
        p.mouth = 0.9;
        p.hatLift = 2 + n * 0.4;
        p.hatTilt = -0.3 * n;
    } else if (prefix == "proftramprecover") {
        double k = n / 7.0;
        p.hipDrop = 7 * (1 - k);
        p.knee[0] = p.knee[1] = 1.6 * (1 - k);
        p.leg[0] = p.leg[1] = 1.0 * (1 - k);
        p.lean = 0.5 * (1 - k);
        p.arm[0] = 0.6 * (1 - k) + 0.1;
        p.arm[1] = -0.4 * (1 - k);
        p.hatLift = 2.5 * (1 - k);
        p.hatTilt = 0.4 * (1 - k);
        p.headTilt = 0.2 * std::sin(k * kTau);
    } else if (prefix == "profland") {
        double k = n / 5.0;
        double sq = std::sin((1 - k) * kPi / 2);
        p.sy = 1 - 0.2 * sq;
        p.sx = 1 + 0.1 * sq;
        p.hipDrop = 4 * sq;
        p.knee[0] = p.knee[1] = 0.9 * sq;
        p.leg[0] = p.leg[1] = 0.45 * sq;
        p.arm[0] = p.arm[1] = 1.2 * sq;
        p.hatLift = -1.5 * sq;
    } else if (prefix == "profbarrelleft" || prefix == "profbarrelright") {
        walkLegs(p, ph, 0.45);
        p.arm[0] = 1.4 + 0.3 * std::sin(ph);
        p.arm[1] = 1.2 - 0.3 * std::sin(ph);
        p.elbow[0] = p.elbow[1] = -0.2;
        p.lean = 0.1 * std::sin(ph);
        p.mouth = 0.3;
    } else if (prefix == "profcrawlleft" || prefix == "profcrawlright") {
        // on hands and knees, back level, knees and hands shuffling
        p.lean = 1.5;
        p.hipDrop = 5.5;
        p.leg[0] = 0.1 + 0.3 * std::sin(ph);
        p.leg[1] = 0.1 - 0.3 * std::sin(ph);
        p.knee[0] = 1.6 + 0.3 * std::cos(ph);
        p.knee[1] = 1.6 - 0.3 * std::cos(ph);
        p.arm[0] = -1.45 + 0.35 * std::sin(ph + kPi);
        p.arm[1] = -1.45 + 0.35 * std::sin(ph);
        p.elbow[0] = p.elbow[1] = -0.9;
        p.headTilt = -1.2;
        p.hatTilt = -0.2;
        p.x += left ? 6 : -6;
    } else if (prefix == "profstunleft" || prefix == "profstunright") {
        double k = (n + 1) / 3.0;
        p.sy = 1 - 0.25 * k;
        p.sx = 1 + 0.15 * k;
        p.eyesClosed = true;
        p.hatLift = -2 * k;
        p.arm[0] = p.arm[1] = 0.6 * k;
        p.knee[0] = p.knee[1] = 0.5 * k;
        p.leg[0] = p.leg[1] = 0.25 * k;
    } else if (prefix == "profturnleft" || prefix == "profturnright") {
        if (n == 0) {
            p.view = ProfView::Front;
            p.sx = 0.88;
            p.headTilt = left ? -0.12 : 0.12;
        } else {
            p.sx = 0.92;
        }
    } else if (prefix == "proffrozen") {
        p.view = ProfView::Front;
        p.arm[0] = p.arm[1] = 1.6;
        p.elbow[0] = p.elbow[1] = 1.2;
        p.mouth = 0.7;
        p.sx = 0.95;
        p.sy = 0.88; // hunched with cold inside a block of ice
        drawProfessor(cr, p);
        frostOver(cr, kProfW, kProfH);
        iceBlock(cr, p.x - 12, p.y - 38, p.x + 12, p.y + 1, 1.0);
        return;
    } else if (prefix == "profsinged") {
        p.view = ProfView::Front;
        p.arm[0] = p.arm[1] = 0.4;
        p.eyesClosed = n < 4;
        p.hatLift = 4 * std::sin(kPi * n / 7.0);
        p.hatTilt = 0.3 * std::sin(kPi * n / 3.5);
        p.headTilt = 0.08 * std::sin(n * 1.7);
        drawProfessor(cr, p);
        tint(cr, {0.18, 0.12, 0.10}, 0.6 - 0.04 * n);
        for (int k = 0; k < 3; ++k) {
            double up = std::fmod(n * 3.0 + k * 7.0, 20.0);
            smokePuff(cr, p.x - 6 + k * 6, p.y - 33 - up * 0.5, 2.2 + up * 0.1, 0.7 * (1 - up / 22));
        }
        return;
    } else if (prefix == "profthawing") {
        p.view = ProfView::Front;
        p.arm[0] = p.arm[1] = 1.6 - 0.35 * n;
        p.elbow[0] = p.elbow[1] = 1.2 - 0.25 * n;
        p.mouth = 0.7 - 0.15 * n;
        drawProfessor(cr, p);
        double level = (4 - n) / 4.0;
        frostOver(cr, kProfW, kProfH);
        if (level > 0.05)
            iceBlock(cr, p.x - 12 + 2 * (1 - level), p.y - 46 * level, p.x + 12 - 2 * (1 - level), p.y + 1,
                     0.4 + 0.6 * level);
        ellipse(cr, p.x, p.y + 0.5, 6 + 7 * (1 - level), 1.8);
        setColor(cr, art::kIce, 0.8);
        cairo_fill(cr);
        return;
    } else if (prefix == "profcaughtleft" || prefix == "profcaughtright") {
        double lift = std::min(n, 10) * 0.7;
        double kick = n >= 28 ? (n - 28) * kPi / 1.5 : n * 0.9;
        p.y -= lift;
        p.leg[0] = 0.5 * std::sin(kick);
        p.leg[1] = -0.5 * std::sin(kick);
        p.knee[0] = p.knee[1] = 0.6;
        p.arm[0] = 2.2 + 0.5 * std::sin(kick + 1);
        p.arm[1] = 2.0 - 0.5 * std::sin(kick + 1);
        p.mouth = 0.6 + 0.3 * std::sin(kick);
        p.hatLift = std::min(n, 12) * 0.5;
        p.hatTilt = 0.2 * std::sin(kick);
        p.lean = -0.2;
    } else if (prefix == "profhotstepleft" || prefix == "profhotstepright") {
        double hop = std::fabs(std::sin(t * 3 * kPi));
        p.y -= 7 * hop;
        p.leg[0] = 0.8 * hop;
        p.knee[0] = 1.6 * hop;
        p.leg[1] = 0.2 * hop;
        p.knee[1] = 1.2 * hop;
        p.arm[0] = 2.4 - 0.6 * hop;
        p.arm[1] = 2.0 + 0.5 * hop;
        p.mouth = 0.4 + 0.5 * hop;
        p.hatLift = 2 * hop;
        drawProfessor(cr, p);
        for (int k = 0; k < 2; ++k) {
            double up = std::fmod(n * 1.5 + k * 9, 18.0);
            smokePuff(cr, ax + 8 + k * 8, ay + 23 - up, 1.5 + up * 0.15, 0.6 * (1 - up / 20));
        }
        return;
    } else if (prefix == "profpushhotleft" || prefix == "profpushhotright") {
        p.x += left ? 1 : -1;
        if (n <= 10) {
            double k = n / 10.0;
            p.lean = 0.45 * k;
            p.arm[0] = p.arm[1] = 0.2 + 1.25 * k;
            p.elbow[0] = p.elbow[1] = 0.2;
            p.leg[0] = 0.3 * std::sin(n);
            p.leg[1] = -0.3 * std::sin(n);
        } else if (n <= 20) {
            double k = (n - 10) / 10.0;
            p.lean = -0.25 * std::sin(k * kPi);
            p.x += (left ? 3 : -3) * std::sin(k * kPi);
            p.arm[0] = 2.5 + 0.4 * std::sin(n * 2.0);
            p.arm[1] = 2.3 - 0.4 * std::sin(n * 2.0);
            p.elbow[0] = p.elbow[1] = -0.3;
            p.mouth = 1.0;
            p.hatLift = 4 * std::sin(k * kPi);
        } else {
            double k = (n - 20) / 12.0;
            p.arm[0] = 1.3;
            p.elbow[0] = 1.7 + 0.2 * std::sin(n * 1.3);
            p.arm[1] = 1.1;
            p.elbow[1] = 1.8;
            p.cheeks = n % 3 != 0;
            p.lean = 0.1 * std::sin(k * kPi);
        }
        drawProfessor(cr, p);
        if (n > 10) {
            double up = (n - 10) * 0.9;
            smokePuff(cr, p.x + (left ? -8 : 8), p.y - 22 - std::fmod(up, 14), 1.5 + std::fmod(up, 14) * 0.15,
                      0.55);
        }
        return;
    } else if (prefix == "profidleA") {
        // looks at his pocket watch
        double k = std::min(n, 3) / 3.0;
        p.arm[0] = 0.2 + 0.9 * k;
        p.elbow[0] = 0.3 + 1.4 * k;
        p.headTilt = 0.25 * k + (n >= 3 ? 0.05 * (n - 3) : 0);
        p.eyesClosed = n == 5;
    } else if (prefix == "profidleB") {
        // scratches his head under the hat
        double k = std::sin(kPi * std::min(n, 3) / 6.0);
        p.arm[0] = 0.2 + 2.3 * k;
        p.elbow[0] = 0.3 + 1.6 * k + (n > 3 ? 0.3 * std::sin(n * 2.0) : 0);
        p.hatLift = n > 3 ? 1.5 + std::sin(n * 2.0) : 0;
        p.headTilt = 0.15 * k;
    } else if (prefix == "profidleC") {
        // polishes his spectacles, then nods
        if (n <= 4) {
            double k = n / 4.0;
            p.arm[0] = 0.2 + 1.9 * k;
            p.elbow[0] = 0.3 + 0.8 * k + (n >= 3 ? 0.15 * (n % 2 ? 1 : -1) : 0);
            p.eyesClosed = n >= 3;
            p.headTilt = -0.1 * k;
        } else {
            p.headTilt = 0.12 * std::sin((n - 9) * kPi / 2);
            p.hatTilt = 0.1 * std::sin((n - 9) * kPi / 2);
            p.arm[0] = 0.2;
        }
    } else if (prefix == "profidleD") {
        // yawns with his arms up (0..5), then stretches them out sideways
        p.view = ProfView::Front;
        if (n <= 5) {
            double k = n / 5.0;
            p.arm[0] = p.arm[1] = 0.2 + 2.6 * k;
            p.elbow[0] = p.elbow[1] = -0.3 * k;
            p.mouth = k;
            p.eyesClosed = k > 0.6;
            p.sy = 1 + 0.05 * k;
            p.hatLift = 1.5 * k;
        } else {
            double k = 1.0 - (n - 11) / 6.0;
            p.arm[0] = p.arm[1] = 0.2 + 1.5 * k;
            p.elbow[0] = p.elbow[1] = 0.2 * k;
            p.mouth = 0.3 * k;
            p.sy = 1 + 0.03 * k;
            p.headTilt = -0.1 * k;
        }
    } else if (prefix == "profidleE") {
        // tips his hat
        double k = std::sin(kPi * n / 22.0);
        p.arm[0] = 0.2 + 2.5 * k;
        p.elbow[0] = 0.3 + 1.2 * k;
        p.hatLift = 5 * k;
        p.hatTilt = -0.4 * k;
        p.headTilt = 0.15 * k;
        p.lean = 0.12 * k;
    } else if (prefix == "profidleF") {
        // looks around and taps a foot
        p.view = ProfView::Front;
        p.headTilt = 0.18 * std::sin(t * 2 * kTau);
        p.leg[1] = 0.15 + 0.15 * std::fabs(std::sin(t * 6 * kPi));
        p.knee[1] = 0.3 * std::fabs(std::sin(t * 6 * kPi));
        p.arm[0] = 0.3 + 0.1 * std::sin(t * kTau);
        p.elbow[0] = 1.9;
        p.arm[1] = 0.3;
        p.eyesClosed = n == 30 || n == 31;
    } else if (prefix == "profidleG") {
        // taps his toe
        p.leg[0] = 0.2 + 0.25 * std::fabs(std::sin(n * kPi / 3.0));
        p.knee[0] = 0.4 * std::fabs(std::sin(n * kPi / 3.0));
        p.arm[0] = p.arm[1] = 0.15;
        p.elbow[0] = 1.6;
        p.headTilt = -0.05 * n / 6.0;
    } else if (prefix == "profidleH") {
        // waves to the player
        p.view = ProfView::Front;
        p.arm[1] = 2.5;
        p.elbow[1] = 0.5 * std::sin(ph * 2);
        p.mouth = 0.3;
        p.headTilt = 0.08 * std::sin(ph);
    } else if (prefix == "profidleI") {
        // bounces on his heels
        double b = std::sin(ph);
        p.y -= 1.5 * std::max(0.0, b);
        p.hipDrop = 1.2 * std::max(0.0, -b);
        p.arm[0] = p.arm[1] = -0.3;
        p.elbow[0] = p.elbow[1] = 0.4;
        p.headTilt = -0.1 * b;
    } else if (prefix == "profidleJ") {
        // sneezes, the hat jumps off
        p.view = ProfView::Front;
        if (n <= 7) {
            double k = n / 7.0;
            p.headTilt = -0.2 * k;
            p.eyesClosed = n >= 4;
            p.mouth = 0.5 * k;
            p.sy = 1 + 0.04 * k;
        } else {
            double k = (n - 7) / 6.0;
            p.headTilt = 0.25 * (1 - k);
            p.hatLift = 8 * std::sin(k * kPi);
            p.hatTilt = 0.5 * std::sin(k * kPi);
            p.mouth = n == 8 ? 1.0 : 0.2;
            p.sy = 1 - 0.05 * (1 - k);
        }
    }
    drawProfessor(cr, p);

    if (prefix == "profstunleft" || prefix == "profstunright")
        dizzyStars(cr, p.x, p.y - 36 + 8 * (n + 1) / 3.0, 8, n * 2.1);
}

void drawTubeRide(cairo_t* cr, int n) {
    // n = 21: standing in the tube's foot; n = 0: sucked up out of sight
    drawTubeBack(cr, 0);
    cairo_save(cr);
    clipTubeInside(cr);
    double k = (21 - n) / 21.0;
    ProfPose p;
    p.view = ProfView::Front;
    p.x = kTubeAx + 12;
    p.y = kTubeAy + 22 - 62 * k * k;
    p.sx = 1 - 0.35 * k;
    p.sy = 1 + 0.3 * k;
    p.arm[0] = p.arm[1] = 0.2 + 2.6 * std::min(1.0, k * 3);
    p.elbow[0] = p.elbow[1] = -0.2;
    p.leg[0] = p.leg[1] = 0.1 * std::sin(n);
    p.mouth = k > 0.1 ? 0.7 : 0;
    p.hatLift = 3 * std::min(1.0, k * 4);
    if (n > 0)
        drawProfessor(cr, p);
    // rushing air streaks
    for (int s = 0; s < 4; ++s) {
        double y = std::fmod(60.0 - n * 5.0 - s * 15.0 + 200.0, 55.0) + 8;
        cairo_move_to(cr, 21 + s * 4.5, y);
        cairo_line_to(cr, 21 + s * 4.5, y - 6);
        setColor(cr, {1, 1, 1}, 0.5);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    drawTubeFront(cr, 0, 0.5 + 0.5 * std::sin(n * 0.9));
}

} // namespace

cairo_surface_t* drawProfessorImage(const std::string& name) {
    for (const ProfSeries& s : kSeries) {
        int n = 0;
        if (!parseNumbered(name, s.prefix, s.ext, n))
            continue;
        cairo_surface_t* surf = newCanvas(kProfW, kProfH);
        cairo_t* cr = cairo_create(surf);
        if (std::string(s.prefix) == "tube")
            drawTubeRide(cr, n);
        else
            drawSeries(cr, s.prefix, n, s.count, s.ax, s.ay);
        cairo_destroy(cr);
        return surf;
    }
    return nullptr;
}

} // namespace board
