// The one drawable object: a list of frame images of the image store, a
// position with a hotspot offset, a tile footprint on the 24-pixel board
// grid, a type that is also its depth layer, a frame animation, an alpha fade
// and a hidden flag.
//
// Sprites never draw themselves in normal operation. Once per frame the
// renderer calls CSprite::UpdateAll; each sprite advances its animation and
// fade and pushes the screen areas that changed as dirty rectangles, which
// the renderer then repaints in depth order.
//
// Every live sprite is registered in one list (allSprites). The renderer can
// park that list while an overlay screen is up (SwapPreswapped).
#pragma once

#include <SDL.h>
#include <vector>

// The fields of a sprite that one undo step keeps.
struct CSpriteState {
    int offsetX, offsetY;
    int x, y;
    int prevX, prevY;
    int clipX, clipY;
    int tileX, tileY;
    int prevTileX, prevTileY;
    int type;
    int frame;
    int prevFrame;
    int frameCounter;
    int prevWidth, prevHeight;
    int width, height;
    bool movingLeft, movingRight, movingUp, movingDown;
    bool hidden;
    bool prevHidden;
    bool finished;
    bool forceRedraw;
    int animationState;
    int fadeMode;
    unsigned int fadeStartTick, fadeEndTick;
    int fadeEndAlpha, fadeStartAlpha;
};

class CSprite {
public:
    enum {
        BOARD_ORIGIN_X = 29, // screen position of the board's pixel origin
        BOARD_ORIGIN_Y = 20,
        TILE_SIZE = 24,
        NO_POSITION = -999,
        FIRST_INTERFACE_TYPE = 1000,
        TYPE_TERRAIN = 10
    };
    enum { FADE_NONE = 0, FADE_OUT = 1, FADE_IN = 2 };

    // ------------------------------------------------ construction and registration
    CSprite(int type, int frameDelay, bool sharedImages);
    // Board sprite: the anchor is the pixel of the image that stands on the
    // board point; the offsets become anchor - (29, 20).
    CSprite(int anchorX, int anchorY, int type, int frameDelay, bool sharedImages, int tileWidth,
            int tileHeight);
    ~CSprite();
    CSprite& operator=(const CSprite&) = delete;

    // A new sprite with the same frames, position and animation state. With
    // live set it joins the sprite list like any sprite; without, it is a
    // kept copy that is never drawn (an undo step's copy).
    CSprite* Copy(bool live) const;

    static void Register(CSprite* sprite);
    static void RemoveFromList(CSprite* sprite);
    static std::vector<CSprite*>& GetAllSprites();

    // ------------------------------------------------ frames
    void AddFrame(const char* fileName);
    void AddFrameImage(int imageId);
    void LoadFrames(const char* prefix, int first, int last, const char* suffix, int step);
    void AddFrameRepeated(const char* fileName, int count);
    void ReplaceFrames(const char* text, int width, int height, int align, const char* imageName,
                       bool clearFrames);
    void ReplaceFramesAt(int stringId, int width, int height, int align, const char* imageName,
                         bool clearFrames);
    int GetFrameImage(int index) const { return frames.at(static_cast<size_t>(index)); }
    int GetFrameCount() const { return static_cast<int>(frames.size()); }

    // ------------------------------------------------ position, footprint and size
    void SetPosition(int newX, int newY, bool previous);
    int GetX(bool screen) const { return screen ? x - offsetX : x; }
    int GetY(bool screen) const { return screen ? y - offsetY : y; }
    int GetPrevX(bool screen) const { return screen ? prevX - offsetX : prevX; }
    int GetPrevY(bool screen) const { return screen ? prevY - offsetY : prevY; }
    int GetOffsetX() const { return offsetX; }
    int GetOffsetY() const { return offsetY; }
    void SetOffsetX(int v) { offsetX = v - BOARD_ORIGIN_X; }
    void SetOffsetY(int v) { offsetY = v - BOARD_ORIGIN_Y; }
    void ResetOffsetX() { offsetX = defaultOffsetX; }
    void ResetOffsetY() { offsetY = defaultOffsetY; }

    int GetTileX() const { return tileX; }
    int GetTileY() const { return tileY; }
    int GetPrevTileX() const { return prevTileX; }
    int GetPrevTileY() const { return prevTileY; }
    int GetTileWidth() const { return tileWidth; }
    int GetTileHeight() const { return tileHeight; }
    int GetTileXMin(bool previous) const { return previous ? prevTileX : tileX; }
    int GetTileXMax(bool previous) const { return (previous ? prevTileX : tileX) + tileWidth - 1; }
    int GetTileYMin(bool previous) const;
    int GetTileYMax(bool previous) const;

    int GetWidth(bool full) const { return full ? fullWidth : width; }
    int GetHeight(bool full) const { return full ? fullHeight : height; }
    void SetWidth(int v);
    void SetHeight(int v);
    void SetClipX(int v);
    void SetClipY(int v);
    int GetClipX() const { return clipX; }
    int GetClipY() const { return clipY; }
    void ResetClip();

    void SetType(int t) { type = t; }
    int GetType() const { return type; }
    void ResetType() { type = initialType; }

    void SetName(const char* text) { name = text ? text : ""; }
    const char* GetName() const { return name; }

    // ------------------------------------------------ visibility
    void Hide() { hidden = true; }
    void Show(int previousX, int previousY);
    bool IsHidden() const { return hidden; }

    // ------------------------------------------------ animation
    void Animate(bool forward);
    void StopAnimation() { animationState = 0; }
    void ResetAnimation();
    void SetLastFrame();
    void SetFrame(int n);
    void SetLooping(bool on) { looping = on; }
    bool IsStopped() const { return animationState == 0; }
    bool IsAnimatingForward() const { return animationState == 1; }
    bool IsAnimatingBackward() const { return animationState == -1; }
    bool IsFinished() const { return finished; }
    bool IsLooping() const { return looping; }
    int GetState() const { return animationState; }
    int GetFrame() const { return frame; }
    bool IsMoving() const { return movingLeft || movingRight || movingUp || movingDown; }
    bool IsMovingLeft() const { return movingLeft; }
    bool IsMovingRight() const { return movingRight; }
    bool IsMovingUp() const { return movingUp; }
    bool IsMovingDown() const { return movingDown; }
    void ForceRedraw() { forceRedraw = true; }

    // ------------------------------------------------ fades
    void SetFadeOut(int duration, int startAlpha, int endAlpha);
    void SetFadeIn(int duration, int startAlpha, int endAlpha);
    bool IsFading() const { return fadeMode != FADE_NONE; }
    // The millisecond clock the fades read (SDL_GetTicks unless replaced;
    // null restores it).
    typedef Uint32 (*TickSource)();
    static void SetTickSource(TickSource source);

    // ------------------------------------------------ per frame, drawing, hit test
    void Update();
    static void UpdateAll();
    void DrawClipped(const SDL_Rect& rect);
    // Draws the current frame at once and sends its area to the display.
    void Draw();
    bool IsMouseOver(int marginX, int marginY) const;

    // ------------------------------------------------ undo support
    void SaveState(CSpriteState& record) const;
    void RestoreState(const CSpriteState& values);

    // ------------------------------------------------ overlay swap
    static void SwapPreswapped(bool restore);
    static std::vector<CSprite*>& GetPreswappedSprites();

    // ------------------------------------------------ debug output
    static void DumpAll();
    void Dump() const;
    // The shutdown report on sprites still registered.
    static void ExitReport();

private:
    // Only Copy copies a sprite: a copy must also take its image references.
    CSprite(const CSprite&) = default;
    void Init(int offX, int offY, int newType, int delay, bool shared, int tileW, int tileH);
    void AppendFrame(int imageId);
    void ReplaceWithSurface(SDL_Surface* surface, const char* imageName, bool clearFrames);
    void StepAnimation();
    void handleFade();
    void PushDirtyAreas();
    void UpdateTilePosition();
    void SetCurrentFrameAlpha(int alpha);
    void DrawWhole();

    std::vector<int> frames;
    bool sharedImages;
    int offsetX, offsetY;
    int defaultOffsetX, defaultOffsetY;
    int x, y;
    int prevX, prevY;
    int clipX, clipY;
    int tileX, tileY;
    int tileWidth, tileHeight;
    int prevTileX, prevTileY;
    int type;
    int initialType;
    int frame;
    int prevFrame;
    int frameDelay;
    int frameCounter;
    int prevWidth, prevHeight;
    int width, height;
    int fullWidth, fullHeight;
    bool movingLeft, movingRight, movingUp, movingDown;
    bool looping;
    bool hidden;
    bool prevHidden;
    bool finished;
    bool forceRedraw;
    int animationState;
    int fadeMode;
    unsigned int fadeStartTick, fadeEndTick;
    int fadeEndAlpha, fadeStartAlpha;
    const char* name;
};
