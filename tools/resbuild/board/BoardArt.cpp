// Entry point of the board drawer: checks the name against the board list
// (so derived names made at start-up are never drawn) and hands it to the
// family drawer.
#include "Art.h"
#include "board/BoardNames.h"
#include "board/Families.h"

cairo_surface_t* drawBoardImage(const std::string& name) {
    if (!isBoardImageName(name))
        return nullptr;
    using Drawer = cairo_surface_t* (*)(const std::string&);
    static const Drawer drawers[] = {
        board::drawProfessorImage, board::drawBotImage,     board::drawObjectImage,
        board::drawDeviceImage,    board::drawTeleportImage, board::drawPowerupImage,
        board::drawTerrainImage,   board::drawEffectImage,
    };
    for (Drawer d : drawers)
        if (cairo_surface_t* s = d(name))
            return s;
    return nullptr;
}
