#include "board/Professor.h"

#include "board/Paint.h"

namespace board {
namespace {

const art::Rgb kCoat{0.26, 0.46, 0.34};
const art::Rgb kTrousers{0.40, 0.31, 0.27};
const art::Rgb kSkin{0.97, 0.79, 0.63};
const art::Rgb kBeard{0.95, 0.94, 0.90};
const art::Rgb kHat{0.24, 0.19, 0.21};
const art::Rgb kShoe{0.20, 0.14, 0.12};

struct Pt {
    double x, y;
};

Pt along(Pt from, double angle, double len) {
    return {from.x + len * std::sin(angle), from.y + len * std::cos(angle)};
}

void drawLeg(cairo_t* cr, Pt hip, double a, double k, art::Rgb c) {
    Pt knee = along(hip, a, 6.2);
    Pt foot = along(knee, a - k, 6.0);
    limb2(cr, hip.x, hip.y, knee.x, knee.y, foot.x, foot.y, 3.6, c);
    ellipse(cr, foot.x + 1.6, foot.y + 0.2, 3.0, 1.7);
    fillInk(cr, kShoe, 1.0);
}

Pt drawArm(cairo_t* cr, Pt sh, double a, double e, art::Rgb c) {
    Pt el = along(sh, a, 5.4);
    Pt hand = along(el, a + e, 5.0);
    limb2(cr, sh.x, sh.y, el.x, el.y, hand.x, hand.y, 3.3, c);
    return hand;
}

void drawHand(cairo_t* cr, Pt h) {
    cairo_arc(cr, h.x, h.y, 1.9, 0, 2 * kPi);
    fillInk(cr, kSkin, 1.0);
}

void drawHat(cairo_t* cr, double cx, double brimY, double lift, double tilt, bool side) {
    cairo_save(cr);
    cairo_translate(cr, cx, brimY - lift);
    cairo_rotate(cr, tilt);
    double left = side ? -4.6 : -4.4, right = side ? 4.2 : 4.4;
    cairo_move_to(cr, left, 0);
    cairo_line_to(cr, left + 0.6, -8.0);
    cairo_line_to(cr, right - 0.6, -8.0);
    cairo_line_to(cr, right, 0);
    cairo_close_path(cr);
    shade(cr, kHat, -8, 0, 1.1);
    cairo_rectangle(cr, left + 0.2, -2.6, right - left - 0.4, 1.6);
    setColor(cr, art::kCopper);
    cairo_fill(cr);
    ellipse(cr, (left + right) / 2, 0.2, 7.0, 1.5);
    fillInk(cr, darker(kHat, 0.1), 1.0);
    cairo_restore(cr);
}

void drawHeadSide(cairo_t* cr, const ProfPose& p) {
    // Hair at the back, face, beard, nose, spectacles, brow.
    ellipse(cr, -3.2, -0.5, 2.6, 3.4);
    fillInk(cr, kBeard, 1.0);
    double r = p.cheeks ? 6.2 : 5.4;
    cairo_arc(cr, 0.3, 0, r, 0, 2 * kPi);
    shadeRound(cr, kSkin, 0.3, 0, r, 1.1);
    // beard
    cairo_move_to(cr, -2.0, 1.0);
    cairo_curve_to(cr, -1.5, 7.5, 4.5, 8.5, 6.2, 2.0);
    cairo_curve_to(cr, 4.0, 3.2, 1.0, 3.0, -2.0, 1.0);
    shade(cr, kBeard, 1, 8, 1.0);
    if (p.mouth > 0.05) {
        ellipse(cr, 4.0, 3.4, 1.1 + p.mouth * 0.6, 0.5 + p.mouth * 1.3);
        setColor(cr, {0.45, 0.12, 0.10});
        cairo_fill(cr);
    }
    if (p.cheeks) {
        cairo_arc(cr, 3.4, 1.0, 2.0, 0, 2 * kPi);
        setColor(cr, {0.95, 0.50, 0.45}, 0.6);
        cairo_fill(cr);
    }
    // nose
    ellipse(cr, 5.9, 0.3, 1.5, 1.3);
    fillInk(cr, darker(kSkin, 0.05), 0.8);
    // spectacles and eye
    cairo_arc(cr, 3.4, -1.6, 1.8, 0, 2 * kPi);
    setColor(cr, {1, 1, 1}, 0.7);
    cairo_fill_preserve(cr);
    setColor(cr, art::kBrass);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    if (p.eyesClosed) {
        cairo_move_to(cr, 2.5, -1.4);
        cairo_line_to(cr, 4.3, -1.4);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    } else {
        cairo_arc(cr, 3.8, -1.6, 0.75, 0, 2 * kPi);
        setColor(cr, art::kInk);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 2.0, -4.0);
    cairo_line_to(cr, 5.0, -3.7);
    setColor(cr, kBeard);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

void drawHeadFront(cairo_t* cr, const ProfPose& p, bool back) {
    double r = p.cheeks ? 6.2 : 5.5;
    ellipse(cr, -4.6, 0.5, 1.8, 2.8);
    fillInk(cr, kBeard, 1.0);
    ellipse(cr, 4.6, 0.5, 1.8, 2.8);
    fillInk(cr, kBeard, 1.0);
    cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
    if (back) {
        shadeRound(cr, kBeard, 0, 0, r, 1.1);
        return;
    }
    shadeRound(cr, kSkin, 0, 0, r, 1.1);
    cairo_move_to(cr, -4.6, 1.0);
    cairo_curve_to(cr, -4.0, 8.6, 4.0, 8.6, 4.6, 1.0);
    cairo_curve_to(cr, 2.0, 3.0, -2.0, 3.0, -4.6, 1.0);
    shade(cr, kBeard, 1, 8, 1.0);
    if (p.mouth > 0.05) {
        ellipse(cr, 0, 3.6, 1.2 + p.mouth * 0.5, 0.5 + p.mouth * 1.3);
        setColor(cr, {0.45, 0.12, 0.10});
        cairo_fill(cr);
    }
    ellipse(cr, 0, 0.9, 1.3, 1.2);
    fillInk(cr, darker(kSkin, 0.05), 0.8);
    for (int s : {-1, 1}) {
        cairo_arc(cr, s * 2.4, -1.5, 1.8, 0, 2 * kPi);
        setColor(cr, {1, 1, 1}, 0.7);
        cairo_fill_preserve(cr);
        setColor(cr, art::kBrass);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        setColor(cr, art::kInk);
        if (p.eyesClosed) {
            cairo_move_to(cr, s * 2.4 - 1, -1.4);
            cairo_line_to(cr, s * 2.4 + 1, -1.4);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        } else {
            cairo_arc(cr, s * 2.4, -1.5, 0.75, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }
}

void drawProp(cairo_t* cr, const ProfPose& p, Pt hand) {
    cairo_save(cr);
    cairo_translate(cr, hand.x, hand.y);
    switch (p.prop) {
    case ProfProp::FrostGun:
    case ProfProp::HeatGun: {
        bool frost = p.prop == ProfProp::FrostGun;
        art::Rgb body = frost ? art::kMetal : art::kCopper;
        art::Rgb tank = frost ? art::kIce : art::kRed;
        double kick = -2.0 * std::sin(p.propT * kPi);
        cairo_translate(cr, kick, 0);
        roundRect(cr, -2, -2.6, 9, 4.2, 1.5);
        shade(cr, body, -2.6, 1.6, 1.0);
        cairo_rectangle(cr, 6.5, -1.8, 3.2, 2.6);
        shade(cr, art::kBrass, -1.8, 0.8, 0.9);
        cairo_arc(cr, 1.5, -4.2, 2.2, 0, 2 * kPi);
        shadeRound(cr, tank, 1.5, -4.2, 2.2, 0.9);
        if (p.propT > 0.05 && p.propT < 0.7) {
            double s = 1.0 - std::fabs(p.propT - 0.35) / 0.35;
            glow(cr, 11.5, -0.5, 3 + 4 * s, frost ? art::kIce : art::Rgb{1.0, 0.55, 0.15}, 0.9);
            sparkle(cr, 11.5, -0.5, 2 + 2 * s, {1, 1, 1});
        }
        break;
    }
    case ProfProp::Whistle:
        roundRect(cr, -1.0, -1.4, 4.2, 2.6, 1.0);
        shade(cr, art::kBrass, -1.4, 1.2, 0.9);
        if (p.propT > 0) {
            for (int k = 0; k < 3; ++k) {
                double rr = 3 + k * 2.5 + p.propT * 3;
                cairo_arc(cr, 3, -0.5, rr, -0.6, 0.6);
                setColor(cr, art::kInk, 0.6 * (1 - k * 0.25));
                cairo_set_line_width(cr, 0.9);
                cairo_stroke(cr);
            }
        }
        break;
    case ProfProp::Emp: {
        roundRect(cr, -2.5, -5, 5, 6, 1.2);
        shade(cr, art::kMetalDark, -5, 1, 1.0);
        cairo_move_to(cr, 0, -5);
        cairo_line_to(cr, 0, -9);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_arc(cr, 0, -9.5, 1.3, 0, 2 * kPi);
        fillInk(cr, art::kRed, 0.8);
        if (p.propT > 0) {
            glow(cr, 0, -9.5, 3 + 5 * p.propT, art::Rgb{0.5, 0.8, 1.0}, 0.8 * (1 - p.propT * 0.6));
            cairo_arc(cr, 0, -9.5, 2 + 12 * p.propT, 0, 2 * kPi);
            setColor(cr, art::Rgb{0.45, 0.75, 1.0}, 1 - p.propT);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        break;
    }
    case ProfProp::Balloon: {
        double r = 1.5 + 5.5 * p.propT;
        cairo_arc(cr, 2 + r * 0.8, -1 - r * 0.4, r, 0, 2 * kPi);
        shadeRound(cr, art::kYellow, 2 + r * 0.8, -1 - r * 0.4, r, 1.0);
        break;
    }
    case ProfProp::None:
        break;
    }
    cairo_restore(cr);
}

void drawSide(cairo_t* cr, const ProfPose& p) {
    Pt hip{0, -12.0 + p.hipDrop};
    drawLeg(cr, hip, p.leg[1], p.knee[1], darker(kTrousers, 0.25));
    cairo_save(cr);
    cairo_translate(cr, hip.x, hip.y);
    cairo_rotate(cr, p.lean);
    Pt sh{0.6, -10.5};
    Pt backHand = drawArm(cr, sh, p.arm[1], p.elbow[1], darker(kCoat, 0.25));
    drawHand(cr, backHand);
    cairo_restore(cr);
    drawLeg(cr, hip, p.leg[0], p.knee[0], kTrousers);

    cairo_save(cr);
    cairo_translate(cr, hip.x, hip.y);
    cairo_rotate(cr, p.lean);
    // coat with tails
    cairo_move_to(cr, -5.6, 3.5);
    cairo_curve_to(cr, -5.0, -4, -5.2, -9, -3.8, -12.2);
    cairo_curve_to(cr, -1.5, -13.6, 2.5, -13.6, 4.0, -12.0);
    cairo_curve_to(cr, 5.0, -8, 5.2, -3, 4.2, 0.5);
    cairo_line_to(cr, 1.0, 1.5);
    cairo_line_to(cr, -1.5, 3.8);
    cairo_close_path(cr);
    shade(cr, kCoat, -13, 4, art::kOutlineSmall);
    // collar and buttons
    cairo_move_to(cr, 2.2, -12.6);
    cairo_line_to(cr, 4.2, -10.4);
    cairo_line_to(cr, 3.0, -9.0);
    cairo_close_path(cr);
    fillInk(cr, art::kParchment, 0.8);
    for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, 3.2, -7.5 + k * 3.0, 0.7, 0, 2 * kPi);
        setColor(cr, art::kBrass);
        cairo_fill(cr);
    }
    // head
    cairo_save(cr);
    cairo_translate(cr, 0.8, -13.0);
    cairo_rotate(cr, p.headTilt);
    cairo_translate(cr, 0.2, -4.8);
    drawHeadSide(cr, p);
    drawHat(cr, -0.2, -3.6, p.hatLift, p.hatTilt, true);
    cairo_restore(cr);
    Pt hand = drawArm(cr, sh, p.arm[0], p.elbow[0], kCoat);
    if (p.prop != ProfProp::None)
        drawProp(cr, p, hand);
    drawHand(cr, hand);
    cairo_restore(cr);
}

void drawFrontBack(cairo_t* cr, const ProfPose& p, bool back) {
    Pt hip{0, -12.0 + p.hipDrop};
    for (int s = 0; s < 2; ++s) {
        double side = s == 0 ? -1 : 1;
        Pt h{hip.x + side * 2.6, hip.y};
        Pt knee = along(h, side * p.leg[s], 6.2);
        Pt foot = along(knee, side * (p.leg[s] - p.knee[s]), 6.0);
        limb2(cr, h.x, h.y, knee.x, knee.y, foot.x, foot.y, 3.6, kTrousers);
        ellipse(cr, foot.x + side * 0.8, foot.y + 0.2, 2.4, 1.6);
        fillInk(cr, kShoe, 1.0);
    }
    cairo_save(cr);
    cairo_translate(cr, hip.x, hip.y);
    cairo_rotate(cr, p.lean);
    cairo_move_to(cr, -6.2, 3.2);
    cairo_curve_to(cr, -6.0, -4, -6.2, -9, -5.0, -12.2);
    cairo_curve_to(cr, -2, -13.8, 2, -13.8, 5.0, -12.2);
    cairo_curve_to(cr, 6.2, -9, 6.0, -4, 6.2, 3.2);
    cairo_close_path(cr);
    shade(cr, kCoat, -13, 4, art::kOutlineSmall);
    setColor(cr, art::kInk, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, 0, back ? -2 : -9);
    cairo_line_to(cr, 0, 3);
    cairo_stroke(cr);
    if (!back) {
        cairo_move_to(cr, -2.2, -12.8);
        cairo_line_to(cr, 0, -9.0);
        cairo_line_to(cr, 2.2, -12.8);
        cairo_close_path(cr);
        fillInk(cr, art::kParchment, 0.8);
        for (int k = 0; k < 3; ++k) {
            cairo_arc(cr, -1.5, -7 + k * 3.0, 0.7, 0, 2 * kPi);
            setColor(cr, art::kBrass);
            cairo_fill(cr);
        }
    }
    auto arms = [&] {
        for (int s = 0; s < 2; ++s) {
            double side = s == 0 ? -1 : 1;
            Pt sh{side * 5.0, -10.8};
            Pt el = along(sh, side * p.arm[s], 5.4);
            Pt hand = along(el, side * (p.arm[s] + p.elbow[s]), 5.0);
            limb2(cr, sh.x, sh.y, el.x, el.y, hand.x, hand.y, 3.3, kCoat);
            if (s == 1 && p.prop != ProfProp::None && !back)
                drawProp(cr, p, hand);
            drawHand(cr, hand);
        }
    };
    auto head = [&] {
        cairo_save(cr);
        cairo_translate(cr, 0, -13.0);
        cairo_rotate(cr, p.headTilt);
        cairo_translate(cr, 0, -4.8);
        drawHeadFront(cr, p, back);
        drawHat(cr, 0, -3.6, p.hatLift, p.hatTilt, false);
        cairo_restore(cr);
    };
    if (p.handsToFace) {
        head();
        arms();
    } else {
        arms();
        head();
    }
    cairo_restore(cr);
}

} // namespace

void drawProfessor(cairo_t* cr, const ProfPose& p) {
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    if (p.rot != 0) {
        cairo_translate(cr, 0, -18);
        cairo_rotate(cr, p.left ? -p.rot : p.rot);
        cairo_translate(cr, 0, 18);
    }
    cairo_scale(cr, p.sx * (p.left && p.view == ProfView::Side ? -1 : 1), p.sy);
    // soft shadow under the feet
    if (p.view != ProfView::Back) {
        ellipse(cr, 0, 0.5, 7, 1.6);
        setColor(cr, art::kInk, 0.18);
        cairo_fill(cr);
    }
    if (p.view == ProfView::Side)
        drawSide(cr, p);
    else
        drawFrontBack(cr, p, p.view == ProfView::Back);
    cairo_restore(cr);
}

} // namespace board
