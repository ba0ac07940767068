// Dialogs, parchments and widgets: the dimmer, the message and pause-menu
// parchments, the text-entry panels, buttons, checkbox, slider, text box
// and list boxes.
#include <cmath>

#include "ui/Interface.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace ui {

namespace {

cairo_surface_t* dimmer()
{
    cairo_surface_t* s = newSurface(800, 600);
    cairo_t* cr = cairo_create(s);
    cairo_pattern_t* p = cairo_pattern_create_radial(400, 300, 100, 400, 300, 520);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.08, 0.05, 0.04, 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.08, 0.05, 0.04, 0.7);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* parchment(int w, int h, uint32_t seed, Rgb tint = art::kParchment)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawParchment(cr, 2, 2, w - 8, h - 8, seed, tint);
    cairo_destroy(cr);
    return s;
}

// A parchment scroll with rolled wooden ends at top and bottom.
cairo_surface_t* scroll(int w, int h, uint32_t seed)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawParchment(cr, 14, 16, w - 28, h - 32, seed);
    for (int k = 0; k < 2; ++k) {
        const double y = k ? h - 24 : 4;
        roundedRect(cr, 4, y, w - 8, 20, 10);
        fillVertical(cr, lighter(art::kParchmentDark, 0.2), darker(art::kParchmentDark, 0.3), y, y + 20);
        strokeInk(cr, 2);
        for (int side = 0; side < 2; ++side) {
            const double x = side ? w - 12 : 12;
            cairo_arc(cr, x, y + 10, 9, 0, 2 * kPi);
            fillVertical(cr, lighter(art::kWood, 0.3), art::kWoodDark, y, y + 20);
            strokeInk(cr, 2);
        }
    }
    cairo_destroy(cr);
    return s;
}

// The ornament between the title and the body of a message: a lantern
// between two flourishes.
cairo_surface_t* ornament()
{
    cairo_surface_t* s = newSurface(140, 90);
    cairo_t* cr = cairo_create(s);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 70 + side * 18, 48);
        cairo_curve_to(cr, 70 + side * 40, 30, 70 + side * 50, 62, 70 + side * 64, 44);
        cairo_move_to(cr, 70 + side * 40, 46);
        cairo_curve_to(cr, 70 + side * 46, 56, 70 + side * 54, 56, 70 + side * 56, 50);
        setColor(cr, art::kWoodDark, 0.8);
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    drawLantern(cr, 70, 14, 1.0, 0.8);
    cairo_destroy(cr);
    return s;
}

// A speech bubble on parchment with a tail to the lower left.
cairo_surface_t* bubble(int w, int h)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    const double bh = h - 22;
    cairo_move_to(cr, 30, bh - 2);
    cairo_line_to(cr, 14, h - 3);
    cairo_line_to(cr, 56, bh - 2);
    cairo_close_path(cr);
    fillVertical(cr, art::kParchment, art::kParchmentDark, bh - 10, h);
    strokeInk(cr, 2);
    roundedRect(cr, 3, 3, w - 6, bh - 4, 16);
    fillVertical(cr, lighter(art::kParchment, 0.4), art::kParchment, 3, bh);
    strokeInk(cr, 2.2);
    topHighlight(cr, 3, 3, w - 6, bh - 4, 16, 0.4);
    // Cover the seam where the tail meets the bubble.
    cairo_move_to(cr, 32, bh - 4.5);
    cairo_line_to(cr, 54, bh - 4.5);
    setColor(cr, art::kParchment);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// The tutorial bubble's body: the game places it beside the marker and
// points at the marker with one of the two tails below.
cairo_surface_t* bubbleBody(int w, int h)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    // A soft shadow under the bubble lifts it off the dimmed board.
    roundedRect(cr, 5, 6, w - 8, h - 8, 16);
    setColor(cr, art::kInk, 0.25);
    cairo_fill(cr);
    roundedRect(cr, 3, 3, w - 6, h - 6, 16);
    fillVertical(cr, lighter(art::kParchment, 0.4), art::kParchment, 3, h - 3);
    strokeInk(cr, 2.2);
    topHighlight(cr, 3, 3, w - 6, h - 6, 16, 0.4);
    cairo_destroy(cr);
    return s;
}

// A tail of the tutorial bubble, its tip in the middle of the bottom edge
// (down) or of the top edge (up). Its wide end overlaps the bubble by six
// pixels and covers the bubble's outline there with the bubble's colour at
// that edge.
cairo_surface_t* bubbleTail(int w, int h, bool up)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    if (up) {
        cairo_translate(cr, 0, h);
        cairo_scale(cr, 1, -1);
    }
    const double mid = w / 2.0, left = 5, right = w - 5, tip = h - 1;
    cairo_move_to(cr, left, 0);
    cairo_line_to(cr, right, 0);
    cairo_curve_to(cr, right - 2, tip * 0.45, mid + 2, tip * 0.8, mid, tip);
    cairo_curve_to(cr, mid - 2, tip * 0.8, left + 2, tip * 0.45, left, 0);
    cairo_close_path(cr);
    setColor(cr, up ? lighter(art::kParchment, 0.4) : art::kParchment);
    cairo_fill(cr);
    // The outline along the two sides, from the bubble's outline down.
    cairo_move_to(cr, left + 0.6, 3);
    cairo_curve_to(cr, left + 2, tip * 0.45, mid - 2, tip * 0.8, mid, tip - 1);
    cairo_curve_to(cr, mid + 2, tip * 0.8, right - 2, tip * 0.45, right - 0.6, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    strokeInk(cr, 2.2);
    cairo_destroy(cr);
    return s;
}

// A button with its word baked in; look 0 rest, 1 rollover, 3 shadow.
cairo_surface_t* wordButton(int w, int h, const std::string& word, Rgb base, int look, double size)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawButtonFace(cr, 0, 0, w, h, base, look);
    if (look != 3)
        drawText(cr, word, 4, 0, w - 8, h - 1, size, look == 1 ? kWhite : art::kParchment, true, Align::Centre,
                 art::kInk, 0.8);
    cairo_destroy(cr);
    return s;
}

// A wooden panel with a parchment inlay.
cairo_surface_t* entryPanel(int w, int h, uint32_t seed)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawPanel(cr, 2, 2, w - 4, h - 4, 12, art::kWood);
    drawParchment(cr, 8, 8, w - 16, h - 16, seed);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* textBox()
{
    cairo_surface_t* s = newSurface(172, 30);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1, 1, 170, 28, 5);
    fillVertical(cr, darker(art::kParchment, 0.08), lighter(art::kParchment, 0.5), 1, 29);
    strokeInk(cr, 1.5);
    // Inner shadow along the top edge: the box is sunk into the page.
    cairo_move_to(cr, 5, 4);
    cairo_line_to(cr, 167, 4);
    setColor(cr, art::kInk, 0.2);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* cursor()
{
    cairo_surface_t* s = newSurface(3, 20);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0.5, 0, 2, 20);
    setColor(cr, kTextInk);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* checkbox(bool rollover, bool checked)
{
    cairo_surface_t* s = newSurface(28, 28);
    cairo_t* cr = cairo_create(s);
    if (rollover)
        softGlow(cr, 14, 14, 14, art::kGlow, 0.8);
    roundedRect(cr, 3, 3, 22, 22, 5);
    fillVertical(cr, lighter(art::kParchment, 0.4), art::kParchmentDark, 3, 25);
    strokeInk(cr, 1.8);
    roundedRect(cr, 5, 5, 18, 18, 4);
    setColor(cr, rollover ? art::kGlow : art::kBrass, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (checked) {
        cairo_move_to(cr, 7, 14);
        cairo_line_to(cr, 12, 20);
        cairo_curve_to(cr, 15, 12, 19, 7, 25, 3);
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, 4.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        setColor(cr, rollover ? lighter(art::kGrass, 0.3) : art::kGrass);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return s;
}

// Slider pieces: a 112 x 18 groove. The frame leaves the groove open so the
// value bar underneath shows through.
constexpr int kSliderW = 112, kSliderH = 18;

cairo_surface_t* sliderShadow()
{
    cairo_surface_t* s = newSurface(kSliderW + 3, kSliderH + 3);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 3, 3, kSliderW, kSliderH, 8);
    setColor(cr, art::kInk, 0.4);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* sliderValue()
{
    cairo_surface_t* s = newSurface(kSliderW, kSliderH);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 3, 4, kSliderW - 6, kSliderH - 8);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kSliderW, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, art::kCopper.r, art::kCopper.g, art::kCopper.b);
    cairo_pattern_add_color_stop_rgb(p, 1, art::kYellow.r, art::kYellow.g, art::kYellow.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, 3, 4, kSliderW - 6, (kSliderH - 8) / 2.0);
    setColor(cr, kWhite, 0.3);
    cairo_fill(cr);
    // Notches every ten pixels.
    for (int x = 12; x < kSliderW - 3; x += 10) {
        cairo_move_to(cr, x + 0.5, 5);
        cairo_line_to(cr, x + 0.5, kSliderH - 5);
    }
    setColor(cr, art::kWoodDark, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* sliderFrame()
{
    cairo_surface_t* s = newSurface(kSliderW, kSliderH);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1, 1, kSliderW - 2, kSliderH - 2, 7);
    cairo_new_sub_path(cr);
    cairo_rectangle(cr, kSliderW - 3, 4, -(kSliderW - 6), kSliderH - 8);  // the window, wound the other way
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fillVertical(cr, lighter(art::kBrass, 0.3), darker(art::kBrass, 0.3), 1, kSliderH - 1);
    strokeInk(cr, 1.4);
    cairo_destroy(cr);
    return s;
}

// Covers a switched-off slider and the label space to its left.
cairo_surface_t* sliderGreyout()
{
    cairo_surface_t* s = newSurface(kSliderW + 18, kSliderH);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 0, 0, kSliderW + 18, kSliderH, 8);
    setColor(cr, mix(art::kParchmentDark, art::kMetal, 0.5), 0.75);
    cairo_fill(cr);
    for (int x = -kSliderH; x < kSliderW + 18; x += 6) {
        cairo_move_to(cr, x, kSliderH);
        cairo_line_to(cr, x + kSliderH, 0);
    }
    setColor(cr, art::kMetalDark, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// List backgrounds: a sunk parchment page with faint ruled lines under
// each row.
cairo_surface_t* listBackground(int w, int h, int areaY, int rowH, int rows)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, w, h);
    fillVertical(cr, art::kWoodDark, art::kWood, 0, h, 1, false);
    roundedRect(cr, 1, 1, w - 2, h - 2, 6);
    fillVertical(cr, darker(art::kParchment, 0.06), lighter(art::kParchment, 0.35), 1, h - 1);
    strokeInk(cr, 1.6);
    for (int r = 1; r <= rows; ++r) {
        cairo_move_to(cr, 8, areaY + r * rowH - 0.5);
        cairo_line_to(cr, w - 8, areaY + r * rowH - 0.5);
    }
    setColor(cr, art::kBlue, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* selector(int w, int h)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 4);
    fillVertical(cr, lighter(art::kGlow, 0.3), art::kBrass, 0, h, 0.75);
    setColor(cr, art::kCopper);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// The pause menu's buttons carry light text images, so their faces stay
// dark: wood at rest, deep copper with a glowing rim when selected.
cairo_surface_t* pauseButton(bool selected)
{
    const double w = 186, h = 29;
    cairo_surface_t* s = newSurface(static_cast<int>(w), static_cast<int>(h));
    cairo_t* cr = cairo_create(s);
    const Rgb face = selected ? darker(mix(art::kCopper, art::kRed, 0.4), 0.25) : darker(art::kWood, 0.3);
    roundedRect(cr, 1, 1, w - 2, h - 2, 10);
    fillVertical(cr, lighter(face, 0.12), darker(face, 0.25), 1, h - 1);
    strokeInk(cr, 1.6);
    roundedRect(cr, 3, 3, w - 6, h - 6, 8);
    setColor(cr, selected ? art::kGlow : art::kBrass, selected ? 1.0 : 0.55);
    cairo_set_line_width(cr, selected ? 1.6 : 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, 12, 4.5);
    cairo_line_to(cr, w - 12, 4.5);
    setColor(cr, kWhite, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawDialogImage(const std::string& name)
{
    if (name == "dimmer.png")
        return dimmer();
    if (name == "confirmation_parch.png")
        return scroll(500, 424, 41);
    if (name == "parchment_confirmation.png")
        return ornament();
    if (name == "parchment_profpenny.png")
        return scroll(686, 520, 42);
    if (name == "parchment.png")
        return parchment(600, 450, 43);
    if (name == "parchment_kids.png")
        return parchment(600, 450, 44, lighter(art::kIce, 0.3));
    if (name == "tutorial_small.png")
        return bubble(260, 120);
    if (name == "tutorial_big.png")
        return bubbleBody(400, 172);
    if (name == "tutorial_taildown.png" || name == "tutorial_tailup.png")
        return bubbleTail(32, 34, name == "tutorial_tailup.png");
    if (name == "confirmation_buttonokaybase.png")
        return wordButton(80, 32, "OK", art::kGrass, 0, 16);
    if (name == "confirmation_buttonokayroll.png")
        return wordButton(80, 32, "OK", art::kGrass, 1, 16);
    if (name == "confirmation_buttonokayshadow.png")
        return wordButton(80, 32, "OK", art::kGrass, 3, 16);
    if (name == "confirmation_buttoncancelbase.png")
        return wordButton(80, 32, "Cancel", art::kRed, 0, 15);
    if (name == "confirmation_buttoncancelroll.png")
        return wordButton(80, 32, "Cancel", art::kRed, 1, 15);
    if (name == "confirmation_buttoncancelshadow.png")
        return wordButton(80, 32, "Cancel", art::kRed, 3, 15);
    if (name == "profile_entername_mainsmall.png")
        return entryPanel(234, 110, 51);
    if (name == "profile_entername_mainbig.png")
        return entryPanel(376, 160, 52);
    if (name == "profile_button_okaybase.png")
        return wordButton(68, 26, "OK", art::kGrass, 0, 14);
    if (name == "profile_button_okayrollover.png")
        return wordButton(68, 26, "OK", art::kGrass, 1, 14);
    if (name == "profile_button_okayshadow.png")
        return wordButton(68, 26, "OK", art::kGrass, 3, 14);
    if (name == "profile_button_cancelbase.png")
        return wordButton(68, 26, "Cancel", art::kRed, 0, 13);
    if (name == "profile_button_cancelrollover.png")
        return wordButton(68, 26, "Cancel", art::kRed, 1, 13);
    if (name == "profile_button_cancelshadow.png")
        return wordButton(68, 26, "Cancel", art::kRed, 3, 13);
    if (name == "profile_entername_textbox.png")
        return textBox();
    if (name == "profilenternamecursor.png")
        return cursor();
    if (name == "checkbox_base.png")
        return checkbox(false, false);
    if (name == "checkbox_rollover.png")
        return checkbox(true, false);
    if (name == "checkbox_basecheck.png")
        return checkbox(false, true);
    if (name == "checkbox_rollovercheck.png")
        return checkbox(true, true);
    if (name == "slider_shadow.png")
        return sliderShadow();
    if (name == "slider_frame.png")
        return sliderFrame();
    if (name == "slider_value.png")
        return sliderValue();
    if (name == "slider_greyout.png")
        return sliderGreyout();
    if (name == "loadbrowser_listbox.png")
        return listBackground(533, 199, 2, 19, 10);
    if (name == "browserhighlighter_wide.tga")
        return selector(529, 19);
    if (name == "levelmanager_listbox.jpg")
        return listBackground(413, 449, 9, 19, 22);
    if (name == "levelmanager_selector.png")
        return selector(409, 19);
    if (name == "kv3_button_base.png")
        return pauseButton(false);
    if (name == "kv3_button_select.png")
        return pauseButton(true);
    return nullptr;
}

} // namespace ui
