#include "screens/CControllerMessageTutorial.h"

#include <algorithm>

#include "engine/CDraw.h"
#include "engine/Log.h"

namespace {
const int kStringTutorial = 6700;
// What the bubble says for a marker whose author left no text.
const char* const kNoText = "There is no hint here.";

bool hasText(const char* hint)
{
    return hint && hint[0] && std::string(hint) != "UNDEFINED";
}

Rect unite(const Rect& a, const Rect& b)
{
    if (b.w <= 0 || b.h <= 0)
        return a;
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
    return Rect{left, top, right - left, bottom - top};
}
} // namespace

CControllerMessageTutorial::Placement CControllerMessageTutorial::Place(const Rect& marker, const Rect& professor)
{
    typedef CControllerMessageTutorial T;
    const int screenW = CDraw::SCREEN_WIDTH, screenH = CDraw::SCREEN_HEIGHT;
    Placement p;
    if (marker.w <= 0 || marker.h <= 0) {
        p.bubble = Rect{(screenW - T::BUBBLE_WIDTH) / 2, (screenH - T::BUBBLE_HEIGHT) / 2, T::BUBBLE_WIDTH,
                        T::BUBBLE_HEIGHT};
        p.tail = Rect{0, 0, 0, 0};
        p.tailUp = false;
        p.tipX = p.tipY = -1;
        return p;
    }
    // The marker's cell and the professor are never covered, and the tail's
    // tip stops just short of them; the bubble itself also keeps off the
    // cells around the marker, where the thing the hint explains usually is.
    const Rect near = unite(marker, professor);
    const Rect around = unite(Rect{marker.x - T::CLEAR_CELLS * marker.w, marker.y - T::CLEAR_CELLS * marker.h,
                                   (2 * T::CLEAR_CELLS + 1) * marker.w, (2 * T::CLEAR_CELLS + 1) * marker.h},
                              near);
    const int reach = T::TAIL_HEIGHT - T::TAIL_OVERLAP; // from the bubble's edge to the tip
    const int aboveY = std::min(near.y - T::TIP_GAP - reach, around.y - T::TIP_GAP) - T::BUBBLE_HEIGHT;
    const int belowY = std::max(near.y + near.h + T::TIP_GAP + reach, around.y + around.h + T::TIP_GAP);
    const bool aboveFits = aboveY >= 0, belowFits = belowY + T::BUBBLE_HEIGHT <= screenH;
    const int roomAbove = around.y, roomBelow = screenH - (around.y + around.h);
    bool below = belowFits && (!aboveFits || roomBelow > roomAbove);
    if (!aboveFits && !belowFits)
        below = roomBelow > roomAbove;
    int y = below ? belowY : aboveY;
    y = std::max(0, std::min(screenH - T::BUBBLE_HEIGHT, y));

    // Across: centred on the marker where the screen allows, the tail kept
    // off the rounded corners.
    const int markerX = marker.x + marker.w / 2;
    int x = markerX - T::BUBBLE_WIDTH / 2;
    x = std::max(0, std::min(screenW - T::BUBBLE_WIDTH, x));
    const int baseX = std::max(x + T::TAIL_MARGIN, std::min(x + T::BUBBLE_WIDTH - T::TAIL_MARGIN, markerX));

    p.bubble = Rect{x, y, T::BUBBLE_WIDTH, T::BUBBLE_HEIGHT};
    p.tailUp = below;
    p.tail.w = T::TAIL_WIDTH;
    p.tail.h = T::TAIL_HEIGHT;
    p.tail.x = baseX - T::TAIL_WIDTH / 2;
    p.tail.y = below ? y + T::TAIL_OVERLAP - T::TAIL_HEIGHT : y + T::BUBBLE_HEIGHT - T::TAIL_OVERLAP;
    p.tipX = baseX;
    p.tipY = below ? p.tail.y : p.tail.y + T::TAIL_HEIGHT - 1;
    return p;
}

CControllerMessageTutorial::CControllerMessageTutorial(const char* hint, const Rect& marker, const Rect& professor)
    : text(hasText(hint) ? hint : kNoText),
      placement(Place(marker, professor)),
      openedFrame(CDraw::GetFrameCount())
{
    id = CONTROLLER_MESSAGE_TUTORIAL;
    AddPicture("dimmer.png", LAYER_BACKGROUND + 1, 0, 0);
    const Rect& b = placement.bubble;
    AddPicture("tutorial_big.png", LAYER_PANEL, b.x, b.y);
    if (placement.tail.w > 0)
        AddPicture(placement.tailUp ? "tutorial_tailup.png" : "tutorial_taildown.png", LAYER_DECORATION,
                   placement.tail.x, placement.tail.y);
    AddText(kStringTutorial, text.c_str(), b.x + TEXT_LEFT, b.y + TEXT_TOP, TEXT_WIDTH, TEXT_HEIGHT, 3);
}

CControllerMessageTutorial::~CControllerMessageTutorial()
{
    logPrint(LOG_DESTRUCT, "CControllerMessageTutorial:  Destroying CControllerMessageTutorial...\n");
}

bool CControllerMessageTutorial::OnKey(bool released, int key)
{
    if (released || key == KEY_KEYPAD0)
        return false;
    // Too early: the key is taken and does nothing.
    if (CDraw::GetFrameCount() - openedFrame < KEY_WAIT_FRAMES)
        return true;
    SetExitCode(1);
    return true;
}

void CControllerMessageTutorial::InputMouseButton(bool released, bool left, bool right, bool wheelUp,
                                                  bool wheelDown)
{
    if (!released && (left || right)) {
        SetExitCode(1);
        return;
    }
    CControllerScreen::InputMouseButton(released, left, right, wheelUp, wheelDown);
}
