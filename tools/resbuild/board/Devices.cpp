// Gates, buttons, trampolines and tube pieces.
//  - gates: 40 x 56, anchor (6, 28); the gateway stands in the cell and its
//    lintel rises one cell higher. Back pieces are the rear posts and rails,
//    front pieces the coloured portcullis and front posts.
//  - buttons: 32 x 32, anchor (4, 4); a floor button in the cell's bottom.
//  - trampolines: 40 x 40, anchor (8, 12); the rubber sheet lies at the
//    cell's lower third; back, front and rubber are separate layers.
//  - tube pieces: 64 x 68, anchor (16, 39), like the professor's tube ride.
#include "board/Families.h"
#include "board/Paint.h"
#include "board/Tube.h"

namespace board {
namespace {




// ----- gates -----
constexpr int kGateW = 40, kGateH = 56, kGateAx = 6, kGateAy = 28;

void gatePost(cairo_t* cr, double x, double top, double bottom, art::Rgb c) {
    roundRect(cr, x, top, 4, bottom - top, 1);
    shade(cr, c, top, bottom, 1.1);
    cairo_arc(cr, x + 2, top - 1.5, 2.6, 0, kTau);
    shadeRound(cr, art::kBrass, x + 2, top - 1.5, 2.6, 1.0);
}

// open: 0 closed .. 1 fully raised. shake: sideways wobble (magnet pull).
void portcullis(cairo_t* cr, art::Rgb c, double open, double shake, double alpha = 1.0) {
    const double left = kGateAx + 3, right = kGateAx + 21;
    const double top = kGateAy - 10, bottom = kGateAy + 23;
    double lift = open * (bottom - top - 4);
    cairo_save(cr);
    cairo_rectangle(cr, left - 3, top - 2, right - left + 6, bottom - top + 3);
    cairo_clip(cr);
    cairo_push_group(cr);
    for (int k = 0; k < 4; ++k) {
        double x = left + 1 + k * 5 + shake * std::sin(k * 1.7 + shake * 3);
        roundRect(cr, x, top - lift, 3, bottom - top, 1.2);
        shade(cr, c, top - lift, bottom - lift, 1.0);
        // spikes
        cairo_move_to(cr, x, bottom - lift);
        cairo_line_to(cr, x + 1.5, bottom - lift + 2.5);
        cairo_line_to(cr, x + 3, bottom - lift);
        fillInk(cr, art::kMetal, 0.7);
    }
    for (double y : {top + 6.0, top + 18.0}) {
        roundRect(cr, left, y - lift, right - left + 3, 3, 1);
        shade(cr, darker(c, 0.15), y - lift, y + 3 - lift, 1.0);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void gateBack(cairo_t* cr, double open, double shake, double breakT) {
    const double top = kGateAy - 14, bottom = kGateAy + 22;
    art::Rgb stone = art::kWoodDark;
    double a = 1 - 0.7 * breakT;
    cairo_push_group(cr);
    gatePost(cr, kGateAx + 4 + shake * 0.5, top + 2, bottom - 4, stone);
    gatePost(cr, kGateAx + 24 - shake * 0.5, top + 2, bottom - 4, stone);
    roundRect(cr, kGateAx + 4, top + 1, 24, 3.5, 1);
    shade(cr, stone, top + 1, top + 4.5, 1.0);
    // guide rail shows how far the portcullis is raised
    roundRect(cr, kGateAx + 10, top + 6 + 10 * open, 12, 2, 1);
    fillInk(cr, art::kMetalDark, 0.7);
    cairo_pop_group_to_source(cr);
    if (breakT > 0) {
        cairo_save(cr);
        cairo_translate(cr, 0, 10 * breakT * breakT);
        cairo_paint_with_alpha(cr, a);
        cairo_restore(cr);
    } else {
        cairo_paint(cr);
    }
}

void gateFront(cairo_t* cr, art::Rgb c, double open, double shake) {
    const double top = kGateAy - 12, bottom = kGateAy + 24;
    portcullis(cr, c, open, shake);
    gatePost(cr, kGateAx, top, bottom, art::kWood);
    gatePost(cr, kGateAx + 21, top, bottom, art::kWood);
    roundRect(cr, kGateAx - 1, top - 1, 26, 4, 1.5);
    shade(cr, art::kWood, top - 1, top + 3, 1.0);
    // coloured keystone
    cairo_arc(cr, kGateAx + 12, top + 1, 3.2, 0, kTau);
    shadeRound(cr, c, kGateAx + 12, top + 1, 3.2, 1.0);
}

void gateBreak(cairo_t* cr, art::Rgb c, int n, int frames) {
    double t = double(n) / (frames - 1);
    // shards of the portcullis fly out and fall
    for (int k = 0; k < 12; ++k) {
        double x0 = kGateAx + 4 + (k % 4) * 5;
        double y0 = kGateAy - 8 + (k / 4) * 10;
        double vx = (hashf(k, 1) - 0.5) * 24, vy = -6 - 8 * hashf(k, 2);
        double x = x0 + vx * t, y = y0 + vy * t + 30 * t * t;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, (hashf(k, 3) - 0.5) * 6 * t);
        roundRect(cr, -1.5, -3, 3, 6, 1);
        cairo_push_group(cr);
        roundRect(cr, -1.5, -3, 3, 6, 1);
        shade(cr, c, -3, 3, 0.9);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 1 - 0.8 * t);
        cairo_new_path(cr);
        cairo_restore(cr);
    }
    // posts lean and drop
    cairo_save(cr);
    cairo_translate(cr, kGateAx + 2, kGateAy + 24);
    cairo_rotate(cr, -0.6 * t);
    cairo_translate(cr, -kGateAx - 2, -kGateAy - 24);
    gatePost(cr, kGateAx, kGateAy - 12 + 12 * t, kGateAy + 24, art::kWood);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, kGateAx + 23, kGateAy + 24);
    cairo_rotate(cr, 0.6 * t);
    cairo_translate(cr, -kGateAx - 23, -kGateAy - 24);
    gatePost(cr, kGateAx + 21, kGateAy - 12 + 12 * t, kGateAy + 24, art::kWood);
    cairo_restore(cr);
    // dust
    for (int k = 0; k < 3; ++k) {
        double r = 2 + 6 * t + k;
        cairo_arc(cr, kGateAx + 4 + k * 8, kGateAy + 22 - 3 * t, r, 0, kTau);
        setColor(cr, art::kParchmentDark, 0.5 * std::sin(t * kPi));
        cairo_fill(cr);
    }
}

cairo_surface_t* drawGate(const std::string& name) {
    int n = 0;
    cairo_surface_t* s = newCanvas(kGateW, kGateH);
    cairo_t* cr = cairo_create(s);
    art::Rgb c = colourOf(name);
    if (parseNumbered(name, "gatebackclose", ".tga", n)) {
        gateBack(cr, n / 7.0, 0, 0);
    } else if (parseNumbered(name, "gatebackbreak", ".tga", n)) {
        gateBack(cr, 0, 0, n / 7.0);
    } else if (parseNumbered(name, "gatebackmagnet", ".tga", n)) {
        gateBack(cr, 0, std::sin(n * kPi / 2) * 1.5, 0);
    } else if (startsWith(name, "gatefrontbreak")) {
        std::string pre = name.substr(0, name.find_first_of("0123456789"));
        parseNumbered(name, pre, ".tga", n);
        gateBreak(cr, c, n, 12);
    } else if (startsWith(name, "gatefrontclose")) {
        std::string pre = name.substr(0, name.find_first_of("0123456789"));
        parseNumbered(name, pre, ".tga", n);
        gateFront(cr, c, n / 7.0, 0);
    } else if (startsWith(name, "gatefrontmagnet")) {
        std::string pre = name.substr(0, name.find_first_of("0123456789"));
        parseNumbered(name, pre, ".tga", n);
        double shake = std::sin(n * kPi / 2 + 0.5) * 1.6;
        gateFront(cr, c, 0, shake);
        for (int k = 0; k < 3; ++k)
            sparkle(cr, kGateAx + 6 + k * 6 + shake, kGateAy - 4 + ((k + n) % 3) * 8, 2.2, {0.6, 0.85, 1.0});
    }
    cairo_destroy(cr);
    return s;
}

// ----- buttons -----

cairo_surface_t* drawButton(const std::string& name) {
    int n = 0;
    art::Rgb c = colourOf(name);
    bool broken = contains(name, "_break");
    std::string pre = name.substr(0, name.find_first_of("0123456789"));
    parseNumbered(name, pre, broken ? ".png" : ".tga", n);
    cairo_surface_t* s = newCanvas(32, 32);
    cairo_t* cr = cairo_create(s);
    const double cx = 16, floor = 28;
    double pressed = (!broken && n == 1) ? 1.0 : 0.0;
    double t = broken ? n / 4.0 : 0;
    // base plate
    cairo_push_group(cr);
    ellipse(cr, cx + 1, floor - 2, 11, 3.4);
    shade(cr, art::kMetalDark, floor - 5, floor + 1, 1.1);
    // dome, pressed down or cracking apart
    double h = 6 * (1 - pressed * 0.65) * (1 - t * 0.7);
    for (int half = 0; half < (broken ? 2 : 1); ++half) {
        cairo_save(cr);
        if (broken) {
            double dir = half == 0 ? -1 : 1;
            cairo_translate(cr, dir * 3 * t, 2 * t);
            cairo_translate(cr, cx, floor - 3);
            cairo_rotate(cr, dir * 0.5 * t);
            cairo_translate(cr, -cx, -(floor - 3));
            cairo_rectangle(cr, half == 0 ? 0 : cx, 0, 16, 32);
            cairo_clip(cr);
        }
        cairo_move_to(cr, cx - 7, floor - 3);
        cairo_curve_to(cr, cx - 7, floor - 3 - h * 1.4, cx + 9, floor - 3 - h * 1.4, cx + 9, floor - 3);
        cairo_close_path(cr);
        shade(cr, c, floor - 3 - h, floor - 3, 1.1);
        ellipse(cr, cx - 1, floor - 3 - h * 0.75, 3, 1.0 + 0.3 * h / 6);
        setColor(cr, {1, 1, 1}, 0.5);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (broken && n > 0) {
        cairo_move_to(cr, cx + 1, floor - 3 - h);
        cairo_line_to(cr, cx, floor - 5);
        cairo_line_to(cr, cx + 2, floor - 3);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        for (int k = 0; k < 4; ++k) {
            double x = cx - 6 + k * 4 + (hashf(k, n) - 0.5) * 6 * t;
            double y = floor - 6 - 8 * t * hashf(k, 9) + 6 * t * t;
            cairo_rectangle(cr, x, y, 1.6, 1.6);
            setColor(cr, darker(c, 0.2));
            cairo_fill(cr);
        }
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, broken ? 1 - 0.5 * t : 1.0);
    cairo_destroy(cr);
    return s;
}

// ----- trampolines -----
constexpr int kTrW = 40, kTrH = 40, kTrAx = 8, kTrAy = 12;
constexpr double kSheetY = kTrAy + 14;

void trampBack(cairo_t* cr) {
    ellipse(cr, kTrAx + 13, kSheetY - 1, 12.5, 4.5);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kTrW, kSheetY - 1);
    cairo_clip(cr);
    ellipse(cr, kTrAx + 13, kSheetY - 1, 12.5, 4.5);
    setColor(cr, darker(art::kRed, 0.25));
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_restore(cr);
    // back legs
    for (double x : {kTrAx + 5.0, kTrAx + 21.0})
        limb(cr, x, kSheetY - 3, x + 1, kTrAy + 21, 1.6, art::kMetalDark);
}

// dip: depth of the sheet's sag, where: -1 left .. +1 right of centre
void trampRubber(cairo_t* cr, double dip, double where) {
    double cx = kTrAx + 13 + where * 5;
    cairo_move_to(cr, kTrAx + 1, kSheetY - 1);
    cairo_curve_to(cr, kTrAx + 5, kSheetY - 5, kTrAx + 21, kSheetY - 5, kTrAx + 25, kSheetY - 1);
    cairo_curve_to(cr, kTrAx + 21, kSheetY + 3 + dip, cx + 5, kSheetY + 3 + dip, cx, kSheetY + 3 + dip);
    cairo_curve_to(cr, cx - 5, kSheetY + 3 + dip, kTrAx + 5, kSheetY + 3 + dip, kTrAx + 1, kSheetY - 1);
    cairo_close_path(cr);
    shade(cr, {0.22, 0.22, 0.28}, kSheetY - 5, kSheetY + 3 + dip, 1.0);
    ellipse(cr, cx - 2, kSheetY - 1 + dip * 0.6, 4, 1.2);
    setColor(cr, {1, 1, 1}, 0.25);
    cairo_fill(cr);
}

void trampFront(cairo_t* cr, double bounce) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, kSheetY - 1, kTrW, kTrH);
    cairo_clip(cr);
    ellipse(cr, kTrAx + 13, kSheetY - 1 + bounce * 0.3, 12.5, 4.5);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    setColor(cr, art::kRed);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_restore(cr);
    for (double x : {kTrAx + 2.0, kTrAx + 24.0})
        limb(cr, x, kSheetY + 1, x + (x < kTrAx + 13 ? 1.5 : -1.5), kTrAy + 23, 2.0, art::kMetal);
    // springs
    for (int k = 0; k < 5; ++k) {
        double x = kTrAx + 3 + k * 5;
        cairo_move_to(cr, x, kSheetY + 2.5);
        for (int z = 0; z < 3; ++z)
            cairo_rel_line_to(cr, z % 2 ? -1 : 1, 0.9 + bounce * 0.1);
        setColor(cr, art::kMetalDark);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
}

cairo_surface_t* drawTrampoline(const std::string& name) {
    int n = 0;
    cairo_surface_t* s = newCanvas(kTrW, kTrH);
    cairo_t* cr = cairo_create(s);
    if (name == "trampoline0.tga") {
        trampBack(cr);
        trampRubber(cr, 0, 0);
        trampFront(cr, 0);
    } else if (name == "trampolineback0.tga") {
        trampBack(cr);
    } else if (name == "trampolinefront0.tga") {
        trampFront(cr, 0);
    } else if (parseNumbered(name, "trampolinefrontright", ".tga", n)) {
        trampFront(cr, 1 + n * 1.5);
    } else if (parseNumbered(name, "trampolinestretchleft", ".tga", n)) {
        trampRubber(cr, 2.5 + 2.5 * n, -1);
    } else if (name == "trampolinestretchleftfull.tga") {
        trampRubber(cr, 8, -1);
    } else if (parseNumbered(name, "trampolinestretchright", ".tga", n)) {
        trampRubber(cr, 2 + 2 * n, 1);
    } else if (name == "trampolinestretchrightfull.tga") {
        trampRubber(cr, 8, 1);
    } else if (parseNumbered(name, "trampolineunstretchleft", ".tga", n)) {
        trampRubber(cr, 8 * std::cos(n * 1.3) * std::exp(-n * 0.35), -1 + n / 7.0);
    } else if (parseNumbered(name, "trampolineunstretchright", ".tga", n)) {
        trampRubber(cr, 8 * std::cos(n * 1.3) * std::exp(-n * 0.35), 1 - n / 8.0);
    } else {
        // break: pieces drop away and fade
        for (const char* pre : {"trampolinefrontbreak", "trampolinebackbreak", "trampolinerubberbreak"}) {
            if (!parseNumbered(name, pre, ".png", n))
                continue;
            double t = n / 3.0;
            cairo_push_group(cr);
            cairo_translate(cr, kTrAx + 13, kSheetY);
            cairo_rotate(cr, (contains(pre, "front") ? 0.35 : -0.35) * t);
            cairo_translate(cr, -(kTrAx + 13), -kSheetY + 8 * t * t);
            if (contains(pre, "front"))
                trampFront(cr, 0);
            else if (contains(pre, "back"))
                trampBack(cr);
            else
                trampRubber(cr, 3 * t, 0);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 1 - 0.55 * t);
        }
    }
    cairo_destroy(cr);
    return s;
}

// ----- tube pieces -----

cairo_surface_t* drawTubePiece(const std::string& name) {
    int n = 0;
    cairo_surface_t* s = newCanvas(kTubeW, kTubeH);
    cairo_t* cr = cairo_create(s);
    if (name == "tubeentrance0.png") {
        drawTubeBack(cr, 0);
        drawTubeFront(cr, 0, 0.6);
    } else if (name == "tubeexit0.png") {
        drawTubeBack(cr, 1);
        drawTubeFront(cr, 1, 0.3);
    } else if (name == "tubeexitlights0.png") {
        // lamps lit around the exit tube's foot (green, the exit's colour,
        // and in its own cell where a low ceiling cannot hide them) and cap
        for (int k = 0; k < 5; ++k) {
            double x = 20 + k * 4;
            glow(cr, x, 60, 4.5, lighter(art::kGrass, 0.35), 0.9);
            cairo_arc(cr, x, 60, 1.2, 0, kTau);
            setColor(cr, {0.9, 1, 0.8});
            cairo_fill(cr);
        }
        glow(cr, 39, 8, 7, lighter(art::kGrass, 0.4), 0.9);
        glow(cr, 28, 30, 14, art::kGlow, 0.25);
    } else if (name == "tubearrow0.png") {
        // bobbing arrow pointing down at the exit
        double cx = 28, y = 4;
        cairo_move_to(cr, cx - 4, y);
        cairo_line_to(cr, cx + 4, y);
        cairo_line_to(cr, cx + 4, y + 8);
        cairo_line_to(cr, cx + 8, y + 8);
        cairo_line_to(cr, cx, y + 16);
        cairo_line_to(cr, cx - 8, y + 8);
        cairo_line_to(cr, cx - 4, y + 8);
        cairo_close_path(cr);
        shade(cr, art::kGrass, y, y + 16, 1.4);
    } else {
        bool exit = startsWith(name, "transporttubeB_break");
        parseNumbered(name, exit ? "transporttubeB_break" : "transporttube_break", ".png", n);
        double t = n / 5.0;
        cairo_push_group(cr);
        cairo_translate(cr, 28, 62);
        cairo_rotate(cr, (exit ? -0.25 : 0.25) * t * t);
        cairo_scale(cr, 1, 1 - 0.35 * t);
        cairo_translate(cr, -28, -62);
        drawTubeBack(cr, exit ? 1 : 0);
        drawTubeFront(cr, exit ? 1 : 0, 0.5 * (1 - t));
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 1 - 0.5 * t);
        for (int k = 0; k < 10; ++k) {
            double x = 20 + 16 * hashf(k, 5) + (hashf(k, 6) - 0.5) * 30 * t;
            double y = 12 + 40 * hashf(k, 7) - 10 * t + 40 * t * t * hashf(k, 8);
            cairo_move_to(cr, x, y);
            cairo_rel_line_to(cr, 2.5, 1);
            cairo_rel_line_to(cr, -1, 2.5);
            cairo_close_path(cr);
            setColor(cr, lighter(art::kIce, 0.4), 0.9 * (1 - 0.4 * t));
            cairo_fill_preserve(cr);
            setColor(cr, art::kInk, 0.5);
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
        }
    }
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawDeviceImage(const std::string& name) {
    if (startsWith(name, "gate"))
        return drawGate(name);
    if (startsWith(name, "button"))
        return drawButton(name);
    if (startsWith(name, "trampoline"))
        return drawTrampoline(name);
    if (startsWith(name, "tubeentrance") || startsWith(name, "tubeexit") || startsWith(name, "tubearrow") ||
        startsWith(name, "transporttube"))
        return drawTubePiece(name);
    return nullptr;
}

} // namespace board
