// What the renderer reads from the controller stack: the id of the screen on
// top (it chooses how large dirty areas are split, and the level editor has
// depth rules of its own) and whether frame-step debugging is on (it turns
// on the renderer's traces). Each is read through a source that the
// controller stack installs; until it does, the id is 0 and the mode off.
#pragma once

enum {
    RENDER_CONTROLLER_PLAY = 5,
    RENDER_CONTROLLER_EDITOR = 6
};

typedef int (*RenderControllerIdSource)();
typedef bool (*RenderFrameStepSource)();

// Null restores the default source.
void renderSetControllerIdSource(RenderControllerIdSource source);
void renderSetFrameStepSource(RenderFrameStepSource source);

int renderCurrentControllerId();
bool renderFrameStepMode();
