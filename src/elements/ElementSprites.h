// Small helpers the board element classes share for their sprites: every
// board sprite is made hidden, named for the dumps, and shown at the
// element's board pixel position once the element first pumps.
#pragma once

#include <cstdint>

class CSprite;

namespace elementsprites {

// A board sprite anchored at (anchorX, anchorY) in its pictures, covering
// tileWidth cells of one row. The name must outlive the sprite (a literal).
CSprite* newBoardSprite(const char* name, int anchorX, int anchorY, int type, int frameDelay, uint8_t sharedImages,
                        int tileWidth);

// Adds the pictures prefix + n + suffix for n from first to last.
void addSeries(CSprite* sprite, const char* prefix, int first, int last, const char* suffix);

// A sprite that plays its frames over and over for as long as it lives.
// With a prefix, the series prefix + n + suffix (n from first to last) is
// added first.
void loopForever(CSprite* sprite, const char* prefix = nullptr, int first = 0, int last = 0, const char* suffix = "");

// Places the sprite at a board pixel position and makes it visible; a hidden
// sprite comes up without repainting an earlier area.
void showAt(CSprite* sprite, int pixelX, int pixelY);

// Hides the sprite when it exists.
void hide(CSprite* sprite);

// The colour word of gates and buttons (0 blue, 1 red, 2 yellow) and of
// teleports (0 blue, 1 yellow, 2 red); out-of-range colours read as blue.
const char* gateColourName(int colour);
const char* teleportColourName(int colour);

} // namespace elementsprites
