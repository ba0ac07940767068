// A rectangle of four ints: dirty areas and clip windows in screen pixels,
// and cell runs and teleport ends on the board.
#pragma once

struct Rect {
    int x;
    int y;
    int w;
    int h;
};
