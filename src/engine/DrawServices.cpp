#include "engine/DrawServices.h"

#include <SDL.h>

#include "ui/Input.h"

// The renderer and the pointer are not part of the program yet; until they
// are, there are no dirty rectangles and warping moves SDL's own mouse.

void drawCollectDirtyRects(std::vector<DrawDirtyRect>& rects)
{
    rects.clear();
}

void drawClearRenderLists() {}

void drawGetMousePosition(int* x, int* y)
{
    *x = getMouseX();
    *y = getMouseY();
}

void drawWarpMouse(int x, int y)
{
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    if (x > 799)
        x = 799;
    if (y > 599)
        y = 599;
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
}
