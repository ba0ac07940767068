// The play screen's overlay: power-up inventory icons and slot numbers,
// the step counter's digit strip and frame, the replay notice, the menu
// button; the editor palette icons; the mouse pointer and the hourglass.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include "ui/Icons.h"
#include "ui/Interface.h"
#include "ui/Paint.h"

namespace ui {

namespace {

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

// Digits 0-9, then 0 and 1 again, 20 pixels apart, on dark wood so that a
// digit rolling into the next reads like a drum.
cairo_surface_t* counterDigits()
{
    cairo_surface_t* s = newSurface(13, 240);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, 13, 240);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 13, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, art::kWoodDark.r * 0.7, art::kWoodDark.g * 0.7, art::kWoodDark.b * 0.7);
    cairo_pattern_add_color_stop_rgb(p, 0.5, art::kWoodDark.r * 1.2, art::kWoodDark.g * 1.2, art::kWoodDark.b * 1.2);
    cairo_pattern_add_color_stop_rgb(p, 1, art::kWoodDark.r * 0.7, art::kWoodDark.g * 0.7, art::kWoodDark.b * 0.7);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int i = 0; i < 12; ++i) {
        const std::string digit(1, static_cast<char>('0' + i % 10));
        drawText(cr, digit, 0, i * 20, 13, 20, 16, art::kParchment, true);
    }
    cairo_destroy(cr);
    return s;
}

// A brass frame with an open window over the five digits.
cairo_surface_t* counterFrame()
{
    const int W = 86, H = 31;
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1, 1, W - 2, H - 2, 7);
    cairo_rectangle(cr, 75, 5, -65, 20);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fillVertical(cr, lighter(art::kBrass, 0.35), darker(art::kCopper, 0.2), 1, H - 1);
    strokeInk(cr, 1.6);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Dividers between the digit windows.
    for (int i = 1; i < 5; ++i) {
        cairo_move_to(cr, 10 + 13 * i - 0.5, 5);
        cairo_line_to(cr, 10 + 13 * i - 0.5, 25);
    }
    setColor(cr, art::kInk, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Rivets.
    for (double x : {5.0, W - 5.0}) {
        cairo_arc(cr, x, H / 2.0, 1.8, 0, 2 * kPi);
        setColor(cr, art::kWoodDark);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* replayNotice()
{
    cairo_surface_t* s = newSurface(282, 30);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1, 1, 280, 28, 14);
    fillVertical(cr, lighter(art::kParchment, 0.4), art::kParchmentDark, 1, 29, 0.95);
    strokeInk(cr, 1.6);
    // A small play triangle in a red circle.
    cairo_arc(cr, 18, 15, 9, 0, 2 * kPi);
    setColor(cr, art::kRed);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.2);
    cairo_move_to(cr, 15, 10);
    cairo_line_to(cr, 23, 15);
    cairo_line_to(cr, 15, 20);
    cairo_close_path(cr);
    setColor(cr, kWhite);
    cairo_fill(cr);
    drawText(cr, "Showing the solution", 30, 0, 244, 30, 16, kTextInk, true);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* menuButton(bool selected)
{
    cairo_surface_t* s = newSurface(50, 24);
    cairo_t* cr = cairo_create(s);
    drawButtonFace(cr, 0, 0, 50, 24, selected ? art::kCopper : art::kWood, selected ? 1 : 0);
    drawText(cr, "Menu", 3, 0, 44, 23, 13, selected ? kWhite : art::kParchment, true, Align::Centre, art::kInk, 0.8);
    cairo_destroy(cr);
    return s;
}

const std::map<std::string, Power>& iconStems()
{
    static const std::map<std::string, Power> stems = {
        {"iconcrate", Power::Crate},       {"iconbarrel", Power::Barrel},
        {"iconmagnet", Power::Magnet},     {"iconemp", Power::Emp},
        {"iconwhistle", Power::Whistle},   {"iconfrostgun", Power::FrostGun},
        {"iconheatgun", Power::HeatGun},   {"iconbridge", Power::Bridge},
        {"iconteleportblue", Power::TeleportBlue}, {"iconteleportyellow", Power::TeleportYellow},
        {"iconteleportred", Power::TeleportRed},
    };
    return stems;
}

// Inventory icon, 40 x 40: frames 0-2 pop in (small, large, overshoot), 3 is
// the resting look, 4 the hover highlight; 3b-3e shimmer (teleports). The
// game puts the slot's number badge over the icon's lower right (16 pixels
// right and 15 down of the icon's corner), so the medallion sits up and left
// in the picture and the badge only touches its rim.
constexpr double kIconCentre = 16, kIconRadius = 14.5;

cairo_surface_t* inventoryIcon(Power p, int frame, int shimmer)
{
    cairo_surface_t* s = newSurface(40, 40);
    cairo_t* cr = cairo_create(s);
    static const double scales[] = {0.35, 0.75, 1.12, 1.0, 1.0};
    const double scale = scales[frame];
    const double c = kIconCentre, r = kIconRadius * scale;
    if (frame == 4)
        softGlow(cr, c, c, 17, art::kGlow, 0.95);
    if (shimmer > 0)
        softGlow(cr, c, c, 12 + 1.5 * shimmer, kWhite, 0.15 * shimmer);
    // Medallion.
    cairo_arc(cr, c, c, r, 0, 2 * kPi);
    const Rgb face = frame == 4 ? lighter(art::kParchment, 0.5) : art::kParchment;
    fillVertical(cr, lighter(face, 0.4), art::kParchmentDark, c - r, c + r);
    strokeInk(cr, 1.5);
    cairo_arc(cr, c, c, r - 2, 0, 2 * kPi);
    setColor(cr, frame == 4 ? art::kGlow : art::kBrass);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    drawPowerSymbol(cr, p, c, c, 21 * scale, shimmer * 0.2);
    cairo_destroy(cr);
    return s;
}

// Slot number badge, 16 x 16; image 1 is the lit one. A small disc in the
// picture's lower right corner, clear of the icon's symbol.
cairo_surface_t* slotNumber(int digit, bool lit)
{
    cairo_surface_t* s = newSurface(16, 16);
    cairo_t* cr = cairo_create(s);
    cairo_arc(cr, 10, 10, 5.5, 0, 2 * kPi);
    const Rgb c = lit ? art::kYellow : art::kCopper;
    fillVertical(cr, lighter(c, 0.35), darker(c, 0.2), 4.5, 15.5);
    strokeInk(cr, 1.1);
    drawText(cr, std::string(1, static_cast<char>('0' + digit)), 4.5, 3, 11, 14, 8.5, lit ? art::kInk : kWhite, true);
    cairo_destroy(cr);
    return s;
}

// Editor palette: teleport pads cover two cells.
cairo_surface_t* editorTeleport(Rgb c)
{
    cairo_surface_t* s = newSurface(48, 24);
    cairo_t* cr = cairo_create(s);
    cairo_save(cr);
    cairo_translate(cr, 24, 16);
    cairo_scale(cr, 22, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    fillVertical(cr, lighter(c, 0.4), darker(c, 0.3), 10, 22);
    strokeInk(cr, 1.4);
    for (int side = -1; side <= 1; side += 2) {
        cairo_rectangle(cr, 24 + side * 18 - 2, 2, 4, 14);
        fillVertical(cr, lighter(art::kBrass, 0.3), darker(art::kBrass, 0.3), 2, 16);
        strokeInk(cr, 1);
    }
    softGlow(cr, 24, 14, 14, lighter(c, 0.5), 0.7);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* editorSymbol(Power p)
{
    cairo_surface_t* s = newSurface(24, 24);
    cairo_t* cr = cairo_create(s);
    drawPowerSymbol(cr, p, 12, 12, 22);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* eraser()
{
    cairo_surface_t* s = newSurface(24, 24);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, 12, 12);
    cairo_rotate(cr, -0.6);
    roundedRect(cr, -9, -5, 18, 10, 2);
    fillVertical(cr, lighter(art::kRed, 0.5), art::kRed, -5, 5);
    strokeInk(cr, 1.3);
    cairo_rectangle(cr, 1, -5, 8, 10);
    setColor(cr, art::kBlue, 0.7);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.3);
    cairo_destroy(cr);
    return s;
}

// The arrow's tip is the top-left pixel: the pointer's hot spot.
cairo_surface_t* pointer()
{
    cairo_surface_t* s = newSurface(24, 24);
    cairo_t* cr = cairo_create(s);
    cairo_move_to(cr, 0.8, 0.8);
    cairo_line_to(cr, 0.8, 18);
    cairo_line_to(cr, 5.5, 13.5);
    cairo_line_to(cr, 9, 21);
    cairo_line_to(cr, 12, 19.5);
    cairo_line_to(cr, 8.5, 12.5);
    cairo_line_to(cr, 15, 12.5);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kBrass, 0.5), art::kCopper, 0, 21);
    strokeInk(cr, 1.3);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* hourglass()
{
    cairo_surface_t* s = newSurface(24, 32);
    cairo_t* cr = cairo_create(s);
    // Glass.
    cairo_move_to(cr, 5, 4);
    cairo_curve_to(cr, 5, 12, 11, 13, 11, 16);
    cairo_curve_to(cr, 11, 19, 5, 20, 5, 28);
    cairo_line_to(cr, 19, 28);
    cairo_curve_to(cr, 19, 20, 13, 19, 13, 16);
    cairo_curve_to(cr, 13, 13, 19, 12, 19, 4);
    cairo_close_path(cr);
    setColor(cr, lighter(art::kSky, 0.6), 0.7);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.2);
    // Sand: a heap at the bottom and a little left on top, with the stream.
    cairo_move_to(cr, 7, 27);
    cairo_curve_to(cr, 9, 22, 15, 22, 17, 27);
    cairo_close_path(cr);
    cairo_move_to(cr, 8, 9);
    cairo_line_to(cr, 16, 9);
    cairo_curve_to(cr, 15, 12, 13, 13, 12, 15);
    cairo_curve_to(cr, 11, 13, 9, 12, 8, 9);
    setColor(cr, art::kSand);
    cairo_fill(cr);
    cairo_move_to(cr, 12, 15);
    cairo_line_to(cr, 12, 25);
    setColor(cr, art::kSand);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Wooden ends.
    for (double y : {1.0, 27.0}) {
        roundedRect(cr, 2, y, 20, 4, 1.5);
        fillVertical(cr, lighter(art::kWood, 0.3), art::kWoodDark, y, y + 4);
        strokeInk(cr, 1.2);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* hud(const std::string& name)
{
    static const char* const numbers[] = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
    for (int i = 0; i < 9; ++i) {
        const std::string stem = std::string("icon") + numbers[i];
        if (name == stem + "0.tga" || name == stem + "1.tga")
            return slotNumber(i + 1, name[stem.size()] == '1');
    }
    // Longest stem first: "iconteleportblue" before any shorter match.
    const std::map<std::string, Power>& stems = iconStems();
    for (auto it = stems.rbegin(); it != stems.rend(); ++it) {
        const std::string& stem = it->first;
        if (!startsWith(name, stem))
            continue;
        const std::string rest = name.substr(stem.size());
        if (rest.size() < 5 || !std::isdigit(static_cast<unsigned char>(rest[0])))
            continue;
        const int frame = rest[0] - '0';
        int shimmer = 0;
        if (std::isalpha(static_cast<unsigned char>(rest[1])))
            shimmer = rest[1] - 'a';  // "3b" .. "3e" -> 1 .. 4
        if (frame > 4)
            return nullptr;
        return inventoryIcon(it->second, frame, shimmer);
    }
    return nullptr;
}

} // namespace

cairo_surface_t* drawHudImage(const std::string& name)
{
    if (name == "counterdigitsA.png")
        return counterDigits();
    if (name == "Step Counter 03.png")
        return counterFrame();
    if (name == "show_solution.tga")
        return replayNotice();
    if (name == "ingame_menubutton.tga")
        return menuButton(false);
    if (name == "ingame_menubutton_selected.tga")
        return menuButton(true);
    if (name == "mousepointer.tga")
        return pointer();
    if (name == "hourglass.tga")
        return hourglass();
    if (name == "editorteleportblue.png")
        return editorTeleport(art::kBlue);
    if (name == "editorteleportyellow.png")
        return editorTeleport(art::kYellow);
    if (name == "editorteleportred.png")
        return editorTeleport(art::kRed);
    if (name == "editorpowerupteleport.png")
        return editorSymbol(Power::TeleportBlue);
    if (name == "editorpowerupwhistle.tga")
        return editorSymbol(Power::Whistle);
    if (name == "editorpowerupbridge.png")
        return editorSymbol(Power::Bridge);
    if (name == "editorpowerupheatgun.png")
        return editorSymbol(Power::HeatGun);
    if (name == "editorpowerupfrostgun.tga")
        return editorSymbol(Power::FrostGun);
    if (name == "editorerase.png")
        return eraser();
    if (startsWith(name, "icon"))
        return hud(name);
    return nullptr;
}

} // namespace ui
