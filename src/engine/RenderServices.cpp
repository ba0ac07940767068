#include "engine/RenderServices.h"

namespace {

int noController()
{
    return 0;
}

bool frameStepOff()
{
    return false;
}

RenderControllerIdSource controllerIdSource = noController;
RenderFrameStepSource frameStepSource = frameStepOff;

} // namespace

void renderSetControllerIdSource(RenderControllerIdSource source)
{
    controllerIdSource = source ? source : noController;
}

void renderSetFrameStepSource(RenderFrameStepSource source)
{
    frameStepSource = source ? source : frameStepOff;
}

int renderCurrentControllerId()
{
    return controllerIdSource();
}

bool renderFrameStepMode()
{
    return frameStepSource();
}
