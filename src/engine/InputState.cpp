#include "engine/Input.h"

namespace {

struct InputState {
    int mouseX = 0;
    int mouseY = 0;
    float mouseFloatX = 0.0f;
    float mouseFloatY = 0.0f;
    float mouseSpeed = 1.0f;
    uint8_t captured = 1;
    CProfile* profile = nullptr;
    bool keyboardInUse = false;
    // The last few warp targets: a second warp may come before the motion
    // of the first has been taken from the queue.
    enum { WARP_TARGETS = 8 };
    int warpX[WARP_TARGETS] = {};
    int warpY[WARP_TARGETS] = {};
    int warpCount = 0;
};

InputState g_input;

} // namespace

int getMouseX() { return g_input.mouseX; }
int getMouseY() { return g_input.mouseY; }
void setMouseX(int x) { g_input.mouseX = x; }
void setMouseY(int y) { g_input.mouseY = y; }
float getMouseFloatX() { return g_input.mouseFloatX; }
float getMouseFloatY() { return g_input.mouseFloatY; }
void setMouseFloatX(float x) { g_input.mouseFloatX = x; }
void setMouseFloatY(float y) { g_input.mouseFloatY = y; }
float getMouseSpeed() { return g_input.mouseSpeed; }
void setMouseSpeed(float speed) { g_input.mouseSpeed = speed; }
uint8_t isMouseCaptured() { return g_input.captured; }
void setMouseCaptured(uint8_t captured) { g_input.captured = captured; }
void setInputProfile(CProfile* profile) { g_input.profile = profile; }
CProfile* getInputProfile() { return g_input.profile; }

void noteKeyboardUse() { g_input.keyboardInUse = true; }

void noteMouseUse()
{
    g_input.keyboardInUse = false;
    g_input.warpCount = 0;
}

bool isKeyboardInUse() { return g_input.keyboardInUse; }

void noteWarpTarget(int x, int y)
{
    if (g_input.warpCount == InputState::WARP_TARGETS) {
        for (int i = 1; i < InputState::WARP_TARGETS; ++i) {
            g_input.warpX[i - 1] = g_input.warpX[i];
            g_input.warpY[i - 1] = g_input.warpY[i];
        }
        --g_input.warpCount;
    }
    g_input.warpX[g_input.warpCount] = x;
    g_input.warpY[g_input.warpCount] = y;
    ++g_input.warpCount;
}

bool isOwnWarpMotion(int x, int y, int xrel, int yrel)
{
    if (g_input.warpCount == 0)
        return false;
    if (!g_input.captured)
        // A warp of the grabbed mouse posts a relative step of (1, 1) and
        // no position.
        return x == 0 && y == 0 && xrel == 1 && yrel == 1;
    for (int i = 0; i < g_input.warpCount; ++i)
        if (g_input.warpX[i] == x && g_input.warpY[i] == y)
            return true;
    return false;
}
