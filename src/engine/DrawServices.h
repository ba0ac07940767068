// The services of other parts of the engine that the screen uses: the
// renderer's dirty rectangles and lists, and the program's mouse pointer.
// Each is one small function here, so the screen does not depend on how the
// renderer and the input are built.
#pragma once

#include <vector>

// One dirty rectangle of the renderer, in screen pixels.
struct DrawDirtyRect {
    int x, y, w, h;
};

// Fills rects with the renderer's dirty rectangles of this frame.
void drawCollectDirtyRects(std::vector<DrawDirtyRect>& rects);
// Empties the renderer's dirty rectangles and the sprite lists of its pass.
void drawClearRenderLists();
// The program's pointer position in screen pixels.
void drawGetMousePosition(int* x, int* y);
// Moves the pointer (clamped to the screen) and posts a motion event.
void drawWarpMouse(int x, int y);
