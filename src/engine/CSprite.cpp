#include "engine/CSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/Log.h"
#include "engine/TextImage.h"
#include "engine/Input.h"

namespace {

std::vector<CSprite*> allSprites;

Uint32 defaultTicks()
{
    return SDL_GetTicks();
}

CSprite::TickSource tickSource = defaultTicks;

int clampTo(int v, int low, int high)
{
    return v < low ? low : (v > high ? high : v);
}

} // namespace

// ---------------------------------------------------------------- construction

CSprite::CSprite(int newType, int delay, bool shared)
{
    Init(0, 0, newType, delay, shared, 0, 0);
}

CSprite::CSprite(int anchorX, int anchorY, int newType, int delay, bool shared, int tileW, int tileH)
{
    Init(anchorX - BOARD_ORIGIN_X, anchorY - BOARD_ORIGIN_Y, newType, delay, shared, tileW, tileH);
}

void CSprite::Init(int offX, int offY, int newType, int delay, bool shared, int tileW, int tileH)
{
    sharedImages = shared;
    allSprites.push_back(this);
    offsetX = defaultOffsetX = offX;
    offsetY = defaultOffsetY = offY;
    tileWidth = tileW;
    tileHeight = tileH;
    type = initialType = newType;
    frameDelay = delay;
    x = y = prevX = prevY = 0;
    tileX = tileY = prevTileX = prevTileY = 0;
    clipX = clipY = 0;
    width = height = prevWidth = prevHeight = fullWidth = fullHeight = 0;
    frame = prevFrame = frameCounter = 0;
    movingLeft = movingRight = movingUp = movingDown = false;
    looping = finished = forceRedraw = false;
    hidden = prevHidden = true;
    animationState = 0;
    fadeMode = FADE_NONE;
    fadeStartTick = fadeEndTick = 0;
    fadeEndAlpha = fadeStartAlpha = 255;
    name = "";
}

CSprite::~CSprite()
{
    if (!hidden)
        CRender::AddSpriteRect(this);
    RemoveFromList(this);
    // A sprite deleted while it is parked by an overlay must not stay
    // behind in the parked list, which becomes live again later.
    std::vector<CSprite*>& parked = GetPreswappedSprites();
    auto it = std::find(parked.begin(), parked.end(), this);
    if (it != parked.end())
        parked.erase(it);
    if (!sharedImages)
        for (int id : frames)
            CDraw::ReleaseImage(id);
}

CSprite* CSprite::Copy(bool live) const
{
    CSprite* copy = new CSprite(*this);
    if (live) {
        Register(copy);
    } else if (!sharedImages) {
        for (int id : frames)
            CDraw::RetainImage(id);
    }
    return copy;
}

void CSprite::Register(CSprite* sprite)
{
    allSprites.push_back(sprite);
    if (!sprite->sharedImages)
        for (int id : sprite->frames)
            CDraw::RetainImage(id);
}

void CSprite::RemoveFromList(CSprite* sprite)
{
    auto it = std::find(allSprites.begin(), allSprites.end(), sprite);
    if (it == allSprites.end())
        return;
    logPrint(LOG_DESTRUCT, "Removing sprite '%s' at (%i,%i)\n", sprite->name, sprite->x, sprite->y);
    allSprites.erase(it);
}

std::vector<CSprite*>& CSprite::GetAllSprites()
{
    return allSprites;
}

// ---------------------------------------------------------------- frames

void CSprite::AppendFrame(int imageId)
{
    int w = CDraw::GetImageWidth(imageId);
    int h = CDraw::GetImageHeight(imageId);
    prevWidth = width = fullWidth = w;
    prevHeight = height = fullHeight = h;
    frames.push_back(imageId);
}

void CSprite::AddFrame(const char* fileName)
{
    int id = sharedImages ? CDraw::FindImageId(fileName) : CDraw::GetImage(fileName);
    if (id < 0) {
        // A shared frame that was never decoded: take it from the store
        // like an own image (the store ends the program for an unknown name).
        id = CDraw::GetImage(fileName);
    }
    AppendFrame(id);
}

void CSprite::AddFrameImage(int imageId)
{
    AppendFrame(imageId);
}

void CSprite::LoadFrames(const char* prefix, int first, int last, const char* suffix, int step)
{
    if (step < 1)
        step = 1;
    char fileName[512];
    if (first >= last) {
        for (int n = first; n >= last; n -= step) {
            snprintf(fileName, sizeof fileName, "%s%i%s", prefix, n, suffix);
            AddFrame(fileName);
        }
    } else {
        for (int n = first; n <= last; n += step) {
            snprintf(fileName, sizeof fileName, "%s%i%s", prefix, n, suffix);
            AddFrame(fileName);
        }
    }
}

void CSprite::AddFrameRepeated(const char* fileName, int count)
{
    for (int i = 0; i < count; ++i)
        AddFrame(fileName);
}

void CSprite::ReplaceWithSurface(SDL_Surface* surface, const char* imageName, bool clearFrames)
{
    if (clearFrames)
        frames.clear();
    int id = CDraw::LoadSurface(surface, imageName);
    int w = CDraw::GetImageWidth(id);
    int h = CDraw::GetImageHeight(id);
    prevWidth = width = fullWidth = w;
    prevHeight = height = fullHeight = h;
    frames.push_back(id);
}

void CSprite::ReplaceFrames(const char* text, int w, int h, int align, const char* imageName, bool clearFrames)
{
    CDraw::ReleaseImageByName(imageName);
    const char* parameter = (text && *text) ? text : " ";
    ReplaceWithSurface(renderTextBox(w, h, align, TEXT_IMAGE_LABEL_STRING_ID, parameter), imageName,
                       clearFrames);
}

void CSprite::ReplaceFramesAt(int stringId, int w, int h, int align, const char* imageName, bool clearFrames)
{
    CDraw::ReleaseImageByName(imageName);
    ReplaceWithSurface(renderTextBox(w, h, align, stringId), imageName, clearFrames);
}

// ---------------------------------------------------------------- position and size

void CSprite::SetPosition(int newX, int newY, bool previous)
{
    if (previous) {
        prevX = newX;
        prevY = newY;
    } else {
        x = newX;
        y = newY;
    }
}

int CSprite::GetTileYMin(bool previous) const
{
    int row = previous ? prevTileY : tileY;
    return type == TYPE_TERRAIN ? row : row - tileHeight + 1;
}

int CSprite::GetTileYMax(bool previous) const
{
    int row = previous ? prevTileY : tileY;
    return type == TYPE_TERRAIN ? row + tileHeight - 1 : row;
}

void CSprite::SetWidth(int v)
{
    prevWidth = width;
    width = clampTo(v, 0, fullWidth);
}

void CSprite::SetHeight(int v)
{
    prevHeight = height;
    height = clampTo(v, 0, fullHeight);
}

void CSprite::SetClipX(int v)
{
    clipX = clampTo(v, 0, fullWidth);
}

void CSprite::SetClipY(int v)
{
    clipY = clampTo(v, 0, fullHeight);
}

void CSprite::ResetClip()
{
    clipX = clipY = 0;
    prevWidth = width;
    prevHeight = height;
    width = fullWidth;
    height = fullHeight;
    type = initialType;
}

void CSprite::Show(int previousX, int previousY)
{
    if (type < FIRST_INTERFACE_TYPE) {
        prevX = previousX;
        prevY = previousY;
    }
    hidden = false;
}

// ---------------------------------------------------------------- animation

void CSprite::Animate(bool forward)
{
    animationState = frameDelay < 1 ? 0 : (forward ? 1 : -1);
}

void CSprite::ResetAnimation()
{
    frame = 0;
    frameCounter = 0;
    finished = false;
    animationState = 0;
}

void CSprite::SetLastFrame()
{
    frame = static_cast<int>(frames.size()) - 1;
    if (frame < 0)
        frame = 0;
    frameCounter = 0;
    finished = true;
    animationState = 0;
}

void CSprite::SetFrame(int n)
{
    // Without frames there is nothing to select (and nothing to divide by).
    if (frames.empty())
        return;
    frame = static_cast<int>(static_cast<unsigned>(n) % static_cast<unsigned>(frames.size()));
}

void CSprite::StepAnimation()
{
    int last = static_cast<int>(frames.size()) - 1;
    if (animationState == 1) {
        if (++frame > last) {
            if (looping) {
                frame = 0;
            } else {
                frame = last;
                finished = true;
                animationState = 0;
            }
        }
    } else if (animationState == -1) {
        if (--frame < 0) {
            if (looping) {
                frame = last;
            } else {
                frame = 0;
                finished = true;
            }
        }
    }
}

// ---------------------------------------------------------------- fades

void CSprite::SetTickSource(TickSource source)
{
    tickSource = source ? source : defaultTicks;
}

void CSprite::SetCurrentFrameAlpha(int alpha)
{
    if (frame < 0 || frame >= static_cast<int>(frames.size()))
        return;
    CDraw::SetImageAlpha(frames[static_cast<size_t>(frame)], static_cast<Uint8>(alpha & 0xff),
                         SDL_SRCALPHA | SDL_RLEACCEL);
}

void CSprite::SetFadeOut(int duration, int startAlpha, int endAlpha)
{
    logPrint(LOG_STACK, "CSprite::SetFadeOut(%i,%i,%i)\n", duration, startAlpha, endAlpha);
    fadeStartTick = tickSource();
    fadeEndTick = fadeStartTick + static_cast<unsigned>(duration);
    fadeEndAlpha = endAlpha;
    fadeStartAlpha = startAlpha;
    fadeMode = FADE_OUT;
    hidden = false;
    SetCurrentFrameAlpha(startAlpha);
}

void CSprite::SetFadeIn(int duration, int startAlpha, int endAlpha)
{
    logPrint(LOG_STACK, "CSprite::SetFadeIn(%i,%i,%i)\n", duration, startAlpha, endAlpha);
    fadeStartTick = tickSource();
    fadeEndTick = fadeStartTick + static_cast<unsigned>(duration);
    fadeEndAlpha = endAlpha;
    fadeStartAlpha = startAlpha;
    fadeMode = FADE_IN;
    hidden = false;
    SetCurrentFrameAlpha(startAlpha);
}

void CSprite::handleFade()
{
    int delta = std::abs(fadeEndAlpha - fadeStartAlpha);
    double duration = static_cast<double>(fadeEndTick) - static_cast<double>(fadeStartTick);
    Uint32 now = tickSource();
    if (now < fadeEndTick) {
        double remaining = static_cast<double>(fadeEndTick - now);
        int alpha;
        if (fadeMode == FADE_IN)
            alpha = fadeStartAlpha + static_cast<int>((duration - remaining) / duration * delta);
        else
            alpha = static_cast<int>(remaining / duration * delta);
        alpha &= 0xff;
        SetCurrentFrameAlpha(alpha);
        logPrint(LOG_SPRITE, "CSprite::handleFade()   Updating alpha (mode=%i) to %i (delta=%i):  %i->%i\n",
                 fadeMode, alpha, delta, static_cast<int>(now), static_cast<int>(fadeEndTick));
        return;
    }
    SetCurrentFrameAlpha(fadeEndAlpha);
    if (fadeMode == FADE_OUT)
        hidden = true;
    fadeMode = FADE_NONE;
    if (!hidden)
        Draw();
}

// ---------------------------------------------------------------- per frame

void CSprite::UpdateAll()
{
    // By index: an update never adds or removes sprites, but stays safe if
    // the list grows.
    for (size_t i = 0; i < allSprites.size(); ++i)
        allSprites[i]->Update();
}

void CSprite::Update()
{
    if (frameDelay >= 1 && animationState != 0 && !hidden && !frames.empty()) {
        if (frameCounter >= frameDelay) {
            frameCounter = 0;
            StepAnimation();
        }
        ++frameCounter;
    }

    // A fade that ends in this update still repaints its area, so the last
    // alpha step reaches the screen in depth order.
    bool fading = fadeMode != FADE_NONE;
    if (fading)
        handleFade();

    bool unchanged = x == prevX && y == prevY && width == prevWidth && height == prevHeight &&
                     frame == prevFrame && hidden == prevHidden;
    if (forceRedraw || fading || !unchanged) {
        forceRedraw = false;
        PushDirtyAreas();
    }

    UpdateTilePosition();
    prevHidden = hidden;
    prevFrame = frame;
}

void CSprite::PushDirtyAreas()
{
    if (prevHidden && !hidden)
        CRender::AddSpriteRect(this);
    else if (x == prevX && y == prevY)
        CRender::AddSpriteRect(this);
    else if (prevX == NO_POSITION || prevY == NO_POSITION)
        CRender::AddSpriteRect(this);
    else if (prevHidden && hidden)
        return;
    else
        CRender::AddSpriteMoveRects(this);
}

void CSprite::UpdateTilePosition()
{
    bool tracked = (!hidden && prevX >= 0 && prevY >= 0) || type == 64 || type == 67;
    if (tracked) {
        movingLeft = x < prevX;
        movingRight = x > prevX || (type == 67 && x == prevX);
        movingUp = y < prevY;
        movingDown = y > prevY;
    } else {
        movingLeft = movingRight = movingUp = movingDown = false;
    }
    int fx = x / TILE_SIZE;
    int fy = y / TILE_SIZE;
    int cx = static_cast<int>(std::ceil(x / static_cast<double>(TILE_SIZE)));
    int cy = static_cast<int>(std::ceil(y / static_cast<double>(TILE_SIZE)));
    tileX = movingRight ? cx : fx;
    tileY = movingDown ? cy : fy;
    prevTileX = movingRight ? fx : cx;
    prevTileY = movingDown ? fy : cy;
    prevX = x;
    prevY = y;
    prevWidth = width;
    prevHeight = height;
}

// ---------------------------------------------------------------- drawing

void CSprite::DrawClipped(const SDL_Rect& rect)
{
    if (hidden || frames.empty())
        return;
    int sx = x - offsetX;
    int sy = y - offsetY;
    int left = std::max(sx, static_cast<int>(rect.x));
    int top = std::max(sy, static_cast<int>(rect.y));
    int right = std::min(sx + width, rect.x + static_cast<int>(rect.w));
    int bottom = std::min(sy + height, rect.y + static_cast<int>(rect.h));
    if (right <= left || bottom <= top)
        return;
    int srcX = left - sx + clipX;
    int srcY = top - sy + clipY;
    int w = right - left;
    int h = bottom - top;
    // A clip offset plus the drawn size may reach past the image; the part
    // drawn stops at the image's edge so nothing lands outside rect.
    int id = frames.at(static_cast<size_t>(frame));
    w = std::min(w, CDraw::GetImageWidth(id) - srcX);
    h = std::min(h, CDraw::GetImageHeight(id) - srcY);
    if (w <= 0 || h <= 0)
        return;
    CDraw::DrawImagePart(id, static_cast<Sint16>(left), static_cast<Sint16>(top), srcX, srcY, w, h);
}

void CSprite::DrawWhole()
{
    if (!hidden && !frames.empty())
        CDraw::DrawImage(frames.at(static_cast<size_t>(frame)), static_cast<Sint16>(x - offsetX),
                         static_cast<Sint16>(y - offsetY));
}

void CSprite::Draw()
{
    // Drawn at the screen position: for the pointer sprites (offsets 0) it
    // is (x, y) itself.
    DrawWhole();
    if (CDraw::HasScreen())
        CDraw::UpdateRectClipped(x - offsetX, y - offsetY, width, height);
}

bool CSprite::IsMouseOver(int marginX, int marginY) const
{
    int mx = getMouseX();
    int my = getMouseY();
    int sx = x - offsetX;
    int sy = y - offsetY;
    return mx >= sx - marginX && mx <= sx + width + marginX && my >= sy - marginY && my <= sy + height + marginY;
}

// ---------------------------------------------------------------- undo support

void CSprite::SaveState(CSpriteState& r) const
{
    r.offsetX = offsetX;
    r.offsetY = offsetY;
    r.x = x;
    r.y = y;
    r.prevX = prevX;
    r.prevY = prevY;
    r.clipX = clipX;
    r.clipY = clipY;
    r.tileX = tileX;
    r.tileY = tileY;
    r.prevTileX = prevTileX;
    r.prevTileY = prevTileY;
    r.type = type;
    r.frame = frame;
    r.prevFrame = prevFrame;
    r.frameCounter = frameCounter;
    r.prevWidth = prevWidth;
    r.prevHeight = prevHeight;
    r.width = width;
    r.height = height;
    r.movingLeft = movingLeft;
    r.movingRight = movingRight;
    r.movingUp = movingUp;
    r.movingDown = movingDown;
    r.hidden = hidden;
    r.prevHidden = prevHidden;
    r.finished = finished;
    r.forceRedraw = forceRedraw;
    r.animationState = animationState;
    r.fadeMode = fadeMode;
    r.fadeStartTick = fadeStartTick;
    r.fadeEndTick = fadeEndTick;
    r.fadeEndAlpha = fadeEndAlpha;
    r.fadeStartAlpha = fadeStartAlpha;
}

void CSprite::RestoreState(const CSpriteState& r)
{
    offsetX = r.offsetX;
    offsetY = r.offsetY;
    x = r.x;
    y = r.y;
    prevX = r.prevX;
    prevY = r.prevY;
    clipX = r.clipX;
    clipY = r.clipY;
    tileX = r.tileX;
    tileY = r.tileY;
    prevTileX = r.prevTileX;
    prevTileY = r.prevTileY;
    type = r.type;
    frame = r.frame;
    prevFrame = r.prevFrame;
    frameCounter = r.frameCounter;
    prevWidth = r.prevWidth;
    prevHeight = r.prevHeight;
    width = r.width;
    height = r.height;
    movingLeft = r.movingLeft;
    movingRight = r.movingRight;
    movingUp = r.movingUp;
    movingDown = r.movingDown;
    hidden = r.hidden;
    prevHidden = r.prevHidden;
    finished = r.finished;
    forceRedraw = r.forceRedraw;
    animationState = r.animationState;
    fadeMode = r.fadeMode;
    fadeStartTick = r.fadeStartTick;
    fadeEndTick = r.fadeEndTick;
    fadeEndAlpha = r.fadeEndAlpha;
    fadeStartAlpha = r.fadeStartAlpha;
}
