// The dirty-rectangle renderer.
//
// During a frame, sprites and a few callers push dirty rectangles: the areas
// a sprite covered before and after a change. Once per frame Render updates
// every sprite, simplifies the rectangle list and, for each rectangle, draws
// the sprites that intersect it back to front, clipped to the rectangle.
// CDraw::Present then sends exactly those rectangles to the display and
// clears the lists. The renderer never clears the screen.
//
// Swap freezes the current picture into one "Swap Image" sprite and parks
// every other sprite, so an overlay screen draws over a static copy.
//
// All state is static; main() constructs one object whose destructor clears
// the lists.
#pragma once

#include <vector>

#include "engine/Rect.h"

class CSprite;

// Rectangles that only touch do not intersect.
bool RectsIntersect(const Rect& a, const Rect& b);
Rect RectUnion(const Rect& a, const Rect& b);
// False for a hidden sprite; else whether its drawn screen rectangle
// intersects r.
bool SpriteIntersectsRect(const CSprite* sprite, const Rect& r);
// The two drawn screen rectangles intersect (hidden flags not tested).
bool SpritesOverlap(const CSprite* a, const CSprite* b);

// Depth order (-1: a is drawn before b, +1: after, 0: no order).
int compareSpriteLayers(const CSprite* a, const CSprite* b);
int compareSpriteDepth(const CSprite* a, const CSprite* b);
// The sprite types the presort sets apart to place after the others.
bool isForegroundType(int type);

class CRender {
public:
    enum { SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600, SWAP_IMAGE_TYPE = 1103 };

    CRender();
    ~CRender();
    CRender(const CRender&) = delete;
    CRender& operator=(const CRender&) = delete;

    static void Init();

    static void AddDirtyRect(int x, int y, int w, int h);
    static void AddSpriteRect(const CSprite* sprite);
    static void AddSpriteMoveRects(const CSprite* sprite);
    static void InvalidateScreen();
    static const std::vector<Rect>& GetDirtyRects() { return dirtyRects; }
    static void ClearLists();

    static void Render(bool updateSprites);
    static void OptimizeDirtyRects();
    static void RedrawDirtyRects();
    static void DrawDirtyRectOutlines();

    static void Swap(bool capture);
    static bool IsSwapped() { return swapped; }
    static CSprite* GetSwapSprite() { return swapSprite; }

    static void SetShowDirtyRects(bool set, bool value);
    static bool IsShowingDirtyRects() { return showDirtyRects; }

    // Depth order of the sprites of one dirty rectangle.
    static int CompareDepth(const CSprite* a, const CSprite* b, bool force, bool post);
    static void PresortDirtySprites();
    static void SortDirtySprites();
    static void PostsortDirtySprites();
    static std::vector<CSprite*>& GetDirtySprites() { return dirtySprites; }
    static std::vector<CSprite*>& GetSortedSprites() { return sortedSprites; }
    static std::vector<CSprite*>& GetForegroundSprites() { return foregroundSprites; }

private:
    static void DumpRects(int category);
    static void LogSortedSprites();
    static void LogCandidates(int pass);

    static std::vector<Rect> dirtyRects;
    static Rect currentRect;
    static std::vector<CSprite*> dirtySprites;
    static std::vector<CSprite*> sortedSprites;
    static std::vector<CSprite*> foregroundSprites;
    static std::vector<CSprite*> ignoreSprites;
    static bool swapped;
    static CSprite* swapSprite;
    static bool showDirtyRects;
    static int dirtyImageId;
};
