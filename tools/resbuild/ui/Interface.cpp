#include "ui/Interface.h"

#include "Art.h"

namespace ui {

namespace {
bool startsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}
} // namespace

bool isInterfaceImage(const std::string& name)
{
    static const char* const prefixes[] = {
        "mainmenu_", "map_", "mapdot", "star_", "profile", "counterdigits", "confirmation_", "parchment",
        "tutorial_", "flash.", "background", "dimmer.", "icon", "editor", "mousepointer.", "hourglass.",
        "grid.", "dirty.", "checkbox_", "slider_", "Step Counter", "show_solution.", "ingame_menubutton",
        "kv3_button_", "loadbrowser_", "browserhighlighter", "levelmanager_",
    };
    for (const char* p : prefixes)
        if (startsWith(name, p))
            return true;
    return false;
}

} // namespace ui

cairo_surface_t* drawInterfaceImage(const std::string& name)
{
    using namespace ui;
    if (!isInterfaceImage(name))
        return nullptr;
    cairo_surface_t* (*const drawers[])(const std::string&) = {
        drawMainMenuImage, drawMapImage, drawDialogImage, drawHudImage, drawBackgroundImage,
    };
    for (auto draw : drawers)
        if (cairo_surface_t* s = draw(name))
            return s;
    return nullptr;
}
