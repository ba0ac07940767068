#include "engine/DrawServices.h"

#include <SDL.h>

// The renderer and the input are not part of the program yet; until they
// are, there are no dirty rectangles and the mouse is SDL's own.

void drawCollectDirtyRects(std::vector<DrawDirtyRect>& rects)
{
    rects.clear();
}

void drawClearRenderLists() {}

void drawGetMousePosition(int* x, int* y)
{
    SDL_GetMouseState(x, y);
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
