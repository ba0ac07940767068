#include "board/Paint.h"

#include <cctype>

namespace board {

cairo_surface_t* newCanvas(int w, int h) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
}

bool startsWith(const std::string& s, const std::string& p) {
    return s.size() >= p.size() && s.compare(0, p.size(), p) == 0;
}

bool contains(const std::string& s, const std::string& p) {
    return s.find(p) != std::string::npos;
}

bool parseNumbered(const std::string& name, const std::string& prefix, const std::string& suffix, int& n) {
    if (name.size() <= prefix.size() + suffix.size() || !startsWith(name, prefix) ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 4)
        return false;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    n = std::stoi(digits);
    return true;
}

art::Rgb mix(art::Rgb a, art::Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

art::Rgb lighter(art::Rgb c, double t) { return mix(c, {1, 1, 1}, t); }
art::Rgb darker(art::Rgb c, double t) { return mix(c, {0, 0, 0}, t); }

void setColor(cairo_t* cr, art::Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void shade(cairo_t* cr, art::Rgb base, double y0, double y1, double lineWidth) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    art::Rgb hi = lighter(base, 0.30), lo = darker(base, 0.28);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (lineWidth > 0) {
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, lineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    } else {
        cairo_new_path(cr);
    }
}

void shadeRound(cairo_t* cr, art::Rgb base, double cx, double cy, double r, double lineWidth) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05);
    art::Rgb hi = lighter(base, 0.45), lo = darker(base, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (lineWidth > 0) {
        setColor(cr, art::kInk);
        cairo_set_line_width(cr, lineWidth);
        cairo_stroke(cr);
    } else {
        cairo_new_path(cr);
    }
}

void fillInk(cairo_t* cr, art::Rgb base, double lineWidth) {
    setColor(cr, base);
    cairo_fill_preserve(cr);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::fmin(r, std::fmin(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    if (rx < 0.05 || ry < 0.05)
        return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, art::Rgb c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, width + 2 * art::kOutlineSmall);
    cairo_stroke_preserve(cr);
    setColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void limb2(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double width,
           art::Rgb c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    setColor(cr, art::kInk);
    cairo_set_line_width(cr, width + 2 * art::kOutlineSmall);
    cairo_stroke_preserve(cr);
    setColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void glow(cairo_t* cr, double cx, double cy, double r, art::Rgb c, double alpha) {
    if (r <= 0.1 || alpha <= 0)
        return;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.45, c.r, c.g, c.b, alpha * 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void tint(cairo_t* cr, art::Rgb c, double amount) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    setColor(cr, c, amount);
    cairo_paint(cr);
    cairo_restore(cr);
}

void frostOver(cairo_t* cr, int w, int h) {
    tint(cr, art::kIce, 0.45);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.8, 1, 0.25);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void heatOver(cairo_t* cr, double strength) {
    if (strength <= 0)
        return;
    tint(cr, art::Rgb{0.95, 0.30, 0.10}, 0.45 * strength);
    tint(cr, art::Rgb{1.0, 0.75, 0.35}, 0.18 * strength);
}

void sparkle(cairo_t* cr, double x, double y, double r, art::Rgb c, double alpha) {
    cairo_save(cr);
    setColor(cr, c, alpha);
    cairo_move_to(cr, x, y - r);
    cairo_curve_to(cr, x + r * 0.15, y - r * 0.15, x + r * 0.15, y - r * 0.15, x + r, y);
    cairo_curve_to(cr, x + r * 0.15, y + r * 0.15, x + r * 0.15, y + r * 0.15, x, y + r);
    cairo_curve_to(cr, x - r * 0.15, y + r * 0.15, x - r * 0.15, y + r * 0.15, x - r, y);
    cairo_curve_to(cr, x - r * 0.15, y - r * 0.15, x - r * 0.15, y - r * 0.15, x, y - r);
    cairo_fill(cr);
    cairo_restore(cr);
}

void dizzyStars(cairo_t* cr, double cx, double cy, double rx, double phase) {
    for (int k = 0; k < 3; ++k) {
        double a = phase + k * 2 * kPi / 3;
        double x = cx + rx * std::cos(a), y = cy + rx * 0.35 * std::sin(a);
        sparkle(cr, x, y, 2.8, art::kYellow);
        sparkle(cr, x, y, 1.2, {1, 1, 1});
    }
}

void label(cairo_t* cr, const std::string& text, double cx, double cy, double size, art::Rgb fill,
           double alpha) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text.c_str());
    setColor(cr, art::kInk, alpha);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, fill, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

double hashf(int a, int b) {
    unsigned h = unsigned(a) * 2654435761u ^ unsigned(b) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0;
}

art::Rgb colourOf(const std::string& name) {
    if (contains(name, "red"))
        return art::kRed;
    if (contains(name, "yellow"))
        return art::kYellow;
    return art::kBlue;
}

} // namespace board
