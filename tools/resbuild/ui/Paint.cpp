#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace ui {

cairo_surface_t* newSurface(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColor(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, Rgb top, Rgb bottom, double y0, double y1, double alpha, bool preserve)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    if (preserve)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void strokeInk(cairo_t* cr, double width, bool preserve)
{
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (preserve)
        cairo_stroke_preserve(cr);
    else
        cairo_stroke(cr);
}

void softGlow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha)
{
    if (r <= 0 || alpha <= 0)
        return;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.45, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void topHighlight(cairo_t* cr, double x, double y, double w, double h, double r, double alpha)
{
    cairo_save(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 2, 0, y + h * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    roundedRect(cr, x + 2, y + 2, w - 4, h * 0.45, std::max(1.0, r - 2));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

double Rand::next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state & 0xFFFFFF) / double(0x1000000);
}

uint32_t hashName(const std::string& s)
{
    uint32_t h = 2166136261u;
    for (char c : s)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

void drawParchment(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, Rgb tint)
{
    Rand rnd(seed);
    cairo_save(cr);
    // Ragged outline: points along each edge, nudged in and out.
    cairo_new_path(cr);
    const int stepsX = std::max(6, static_cast<int>(w / 18));
    const int stepsY = std::max(4, static_cast<int>(h / 18));
    const double j = 2.5;
    auto jit = [&]() { return rnd.range(-j, j); };
    cairo_move_to(cr, x + 6, y + 3 + jit());
    for (int i = 1; i <= stepsX; ++i)
        cairo_line_to(cr, x + 6 + (w - 12) * i / stepsX, y + 3 + jit());
    for (int i = 1; i <= stepsY; ++i)
        cairo_line_to(cr, x + w - 3 + jit(), y + 6 + (h - 12) * i / stepsY);
    for (int i = stepsX - 1; i >= 0; --i)
        cairo_line_to(cr, x + 6 + (w - 12) * i / stepsX, y + h - 3 + jit());
    for (int i = stepsY - 1; i >= 1; --i)
        cairo_line_to(cr, x + 3 + jit(), y + 6 + (h - 12) * i / stepsY);
    cairo_close_path(cr);
    cairo_path_t* outline = cairo_copy_path(cr);

    // Soft drop shadow.
    cairo_save(cr);
    cairo_translate(cr, 3, 4);
    setColor(cr, art::kInk, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_append_path(cr, outline);
    fillVertical(cr, lighter(tint, 0.35), tint, y, y + h);
    cairo_clip(cr);
    // Darker, burnt rim.
    cairo_pattern_t* rim = cairo_pattern_create_radial(x + w / 2, y + h / 2, std::min(w, h) * 0.3,
                                                       x + w / 2, y + h / 2, std::hypot(w, h) * 0.55);
    const Rgb dark = darker(art::kParchmentDark, 0.15);
    cairo_pattern_add_color_stop_rgba(rim, 0, dark.r, dark.g, dark.b, 0);
    cairo_pattern_add_color_stop_rgba(rim, 0.7, dark.r, dark.g, dark.b, 0.35);
    cairo_pattern_add_color_stop_rgba(rim, 1, dark.r, dark.g, dark.b, 0.9);
    cairo_set_source(cr, rim);
    cairo_paint(cr);
    cairo_pattern_destroy(rim);
    // Faint stains and fibres.
    const int stains = static_cast<int>(w * h / 9000) + 2;
    for (int i = 0; i < stains; ++i)
        softGlow(cr, x + rnd.range(0.1, 0.9) * w, y + rnd.range(0.1, 0.9) * h, rnd.range(8, 30),
                 art::kParchmentDark, rnd.range(0.15, 0.35));
    setColor(cr, art::kWoodDark, 0.06);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < stains * 4; ++i) {
        const double fx = x + rnd.next() * w, fy = y + rnd.next() * h;
        cairo_move_to(cr, fx, fy);
        cairo_line_to(cr, fx + rnd.range(4, 16), fy + rnd.range(-1.5, 1.5));
        cairo_stroke(cr);
    }
    cairo_reset_clip(cr);
    cairo_append_path(cr, outline);
    setColor(cr, darker(art::kWood, 0.2), 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_path_destroy(outline);
    cairo_restore(cr);
}

void drawPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base)
{
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, r);
    fillVertical(cr, lighter(base, 0.25), darker(base, 0.2), y, y + h);
    strokeInk(cr, art::kOutlineLarge * 0.8);
    topHighlight(cr, x, y, w, h, r, 0.35);
    cairo_restore(cr);
}

void drawButtonFace(cairo_t* cr, double x, double y, double w, double h, Rgb base, int look)
{
    cairo_save(cr);
    const double r = std::min(h / 2.2, 12.0);
    if (look == 3) {
        roundedRect(cr, x + 2, y + 3, w - 3, h - 3, r);
        setColor(cr, art::kInk, 0.45);
        cairo_fill(cr);
        cairo_restore(cr);
        return;
    }
    Rgb face = base;
    if (look == 1)
        face = lighter(base, 0.22);
    else if (look == 2)
        face = darker(base, 0.18);
    roundedRect(cr, x + 1, y + 1, w - 2, h - 2, r);
    if (look == 2)
        fillVertical(cr, darker(face, 0.15), lighter(face, 0.1), y, y + h);
    else
        fillVertical(cr, lighter(face, 0.3), darker(face, 0.25), y, y + h);
    strokeInk(cr, 1.6);
    // Brass rim inside the outline; brighter under the mouse.
    roundedRect(cr, x + 3, y + 3, w - 6, h - 6, std::max(1.0, r - 2));
    setColor(cr, look == 1 ? art::kGlow : art::kBrass, look == 1 ? 0.95 : 0.6);
    cairo_set_line_width(cr, look == 1 ? 1.6 : 1.0);
    cairo_stroke(cr);
    if (look != 2)
        topHighlight(cr, x + 1, y + 1, w - 2, h - 2, r, look == 1 ? 0.5 : 0.35);
    cairo_restore(cr);
}

namespace {
void selectFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}
} // namespace

double textWidth(cairo_t* cr, const std::string& text, double size, bool bold)
{
    cairo_save(cr);
    selectFont(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_restore(cr);
    return ext.x_advance;
}

double drawText(cairo_t* cr, const std::string& text, double x, double y, double w, double h, double size,
                Rgb colour, bool bold, Align align, Rgb halo, double haloAlpha)
{
    cairo_save(cr);
    while (size > 6 && textWidth(cr, text, size, bold) > w - 2)
        size -= 0.5;
    selectFont(cr, size, bold);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text.c_str(), &te);
    double tx = x;
    if (align == Align::Centre)
        tx = x + (w - te.x_advance) / 2;
    else if (align == Align::Right)
        tx = x + w - te.x_advance;
    const double ty = y + (h - (fe.ascent + fe.descent)) / 2 + fe.ascent;
    cairo_move_to(cr, tx, ty);
    cairo_text_path(cr, text.c_str());
    if (haloAlpha > 0) {
        setColor(cr, halo, haloAlpha);
        cairo_set_line_width(cr, std::max(2.0, size / 6));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    setColor(cr, colour);
    cairo_fill(cr);
    cairo_restore(cr);
    return size;
}

void drawCloud(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double alpha)
{
    Rand rnd(seed);
    cairo_save(cr);
    cairo_new_path(cr);
    // A flat base with a row of puffs above it.
    const int puffs = std::max(3, static_cast<int>(w / (h * 0.55)));
    const double base = y + h * 0.8;
    roundedRect(cr, x + h * 0.2, base - h * 0.3, w - h * 0.4, h * 0.3 + h * 0.1, h * 0.2);
    for (int i = 0; i < puffs; ++i) {
        const double t = (i + 0.5) / puffs;
        const double bump = std::sin(t * kPi);
        const double r = h * (0.2 + 0.16 * bump) * rnd.range(0.85, 1.1);
        const double cx = x + h * 0.25 + t * (w - h * 0.5);
        const double cy = base - r * 0.6 - bump * h * 0.12;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_path_t* path = cairo_copy_path(cr);
    // Outline first (thick ink under the fill gives an outer line only).
    setColor(cr, mix(art::kSky, art::kInk, 0.45), 0.5 * alpha);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    fillVertical(cr, kWhite, mix(kWhite, art::kSky, 0.45), y, y + h, alpha, false);
    // Warm light on the top.
    cairo_append_path(cr, path);
    cairo_clip(cr);
    softGlow(cr, x + w * 0.35, y, h * 0.9, art::kGlow, 0.25 * alpha);
    cairo_path_destroy(path);
    cairo_restore(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, double rotation)
{
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = rotation - kPi / 2 + i * kPi / 5;
        const double r = (i % 2 == 0) ? outer : inner;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

} // namespace ui
