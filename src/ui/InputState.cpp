#include "ui/Input.h"

namespace {

struct InputState {
    int mouseX = 0;
    int mouseY = 0;
    float mouseFloatX = 0.0f;
    float mouseFloatY = 0.0f;
    float mouseSpeed = 1.0f;
    uint8_t captured = 1;
    CProfile* profile = nullptr;
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
