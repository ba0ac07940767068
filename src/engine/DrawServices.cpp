#include "engine/DrawServices.h"

#include "engine/CRender.h"
#include "engine/Pointer.h"
#include "engine/Input.h"

void drawCollectDirtyRects(std::vector<DrawDirtyRect>& rects)
{
    rects.clear();
    for (const Rect& r : CRender::GetDirtyRects())
        rects.push_back(DrawDirtyRect{r.x, r.y, r.w, r.h});
}

void drawClearRenderLists()
{
    CRender::ClearLists();
}

void drawGetMousePosition(int* x, int* y)
{
    *x = getMouseX();
    *y = getMouseY();
}

void drawWarpMouse(int x, int y)
{
    warpMouse(x, y);
}
