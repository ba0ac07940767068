#include "engine/Pointer.h"

#include <SDL.h>

#include "engine/CSprite.h"
#include "engine/Input.h"

namespace {

CSprite* arrow = nullptr;
CSprite* hourglass = nullptr;
int hideCounter = -1;

CSprite* makePointer(const char* name, const char* image)
{
    CSprite* sprite = new CSprite(POINTER_SPRITE_TYPE, 0, false);
    sprite->SetName(name);
    sprite->AddFrame(image);
    return sprite;
}

void pushMotion(int x, int y, int xrel, int yrel)
{
    SDL_Event event;
    SDL_memset(&event, 0, sizeof event);
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    event.motion.xrel = static_cast<Sint16>(xrel);
    event.motion.yrel = static_cast<Sint16>(yrel);
    SDL_PushEvent(&event);
}

} // namespace

void createPointers2()
{
    hideCounter = -1;
    arrow = makePointer("Global Mouse Pointer", "mousepointer.tga");
    hourglass = makePointer("Global Hourglass Pointer", "hourglass.tga");
}

void destroyPointers2()
{
    delete arrow;
    arrow = nullptr;
    delete hourglass;
    hourglass = nullptr;
}

void pointerFollowMouse()
{
    int mx = getMouseX();
    int my = getMouseY();
    if (arrow)
        arrow->SetPosition(mx, my, false);
    if (hourglass)
        hourglass->SetPosition(mx - hourglass->GetWidth(false) / 2 + 6, my - hourglass->GetHeight(false) / 2 + 1,
                               false);
}

void hidePointers(int frames)
{
    if (arrow)
        arrow->Hide();
    if (hourglass)
        hourglass->Hide();
    if (hideCounter < frames)
        hideCounter = frames;
}

void tickHourglass()
{
    if (hideCounter >= 0) {
        --hideCounter;
        return;
    }
    // While the player uses the keys the arrow stays away until the mouse
    // moves; it would only cover the focused button.
    if (arrow) {
        if (isKeyboardInUse())
            arrow->Hide();
        else
            arrow->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    }
    if (hourglass)
        hourglass->Hide();
}

void showBusyPointer(bool drawNow)
{
    if (!hourglass)
        return;
    hourglass->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    if (arrow && !arrow->IsHidden()) {
        arrow->Hide();
        if (drawNow)
            hourglass->Draw();
    }
}

void warpMouse(int x, int y)
{
    x = x < 0 ? 0 : (x > 800 ? 800 : x);
    y = y < 0 ? 0 : (y > 600 ? 600 : y);
    noteWarpTarget(x, y);
    if (isMouseCaptured() == 1) {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        pushMotion(x, y, 0, 0);
    } else {
        setMouseFloatX(static_cast<float>(x));
        setMouseFloatY(static_cast<float>(y));
        setMouseX(x);
        setMouseY(y);
        pushMotion(0, 0, 1, 1);
    }
}

void pointerRemoveSprites()
{
    if (arrow)
        CSprite::RemoveFromList(arrow);
    if (hourglass)
        CSprite::RemoveFromList(hourglass);
}

void pointerReaddSprites()
{
    if (arrow)
        CSprite::Register(arrow);
    if (hourglass)
        CSprite::Register(hourglass);
}

CSprite* getPointerArrow()
{
    return arrow;
}

CSprite* getPointerHourglass()
{
    return hourglass;
}

int getPointerHideCounter()
{
    return hideCounter;
}
