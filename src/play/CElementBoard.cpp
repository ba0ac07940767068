// The world core's calls into the board devices' class-wide grids and lists
// and into the bot list. The world declares what it asks
// (world/CElementBoard.h); the answers live here, above the elements and the
// walkers they name, so the world itself includes neither.
#include "world/CElementBoard.h"

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementLadder.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTutorial.h"
#include "engine/Log.h"
#include "world/CElement.h"
#include "walkers/CElementAIBot.h"

namespace board {

bool isTrampolineAt(int x, int y)
{
    return CElementDeviceTrampoline::IsTrampolineAt(x, y);
}

bool isLadderAt(int x, int y)
{
    return CElementLadder::IsLadderAt(x, y);
}

bool isPlatformAt(int x, int y)
{
    return CElementLadder::IsPlatformAt(x, y);
}

bool teleportDestination(int x, int y, bool rightHalf, int& endX, int& endY)
{
    CElement* end = CElementDeviceTeleport::GetDestination(x, y, rightHalf);
    if (!end)
        return false;
    endX = end->x;
    endY = end->y;
    return true;
}

bool triggerTeleportAt(int x, int y, bool rightHalf, bool playSound, bool flash)
{
    return CElementDeviceTeleport::TriggerTeleportAt(x, y, rightHalf, playSound, flash);
}

void updateAllMagnets()
{
    CElementObjectMagnet::UpdateAllMagnets();
}

void resetDevices()
{
    CElementAIBot::clearAll();
    CElementDeviceButton::resetPressedCounts();
    CElementDeviceGate::resetSoundFrames();
    CElementDevicePowerup::clearGrid();
    CElementDeviceTeleport::ResetPairs();
    CElementDeviceTrampoline::ClearGrid();
    CElementDeviceTube::ClearState();
    CElementObjectMagnet::ResetAllMagnets();
    CElementLadder::ClearGrid();
    CElementTutorial::ClearGrid();
}

void saveDevices(int step)
{
    logPrint(LOG_UNDO, "   Saving STEP %i of buttons\n", step);
    CElementDeviceButton::savePressedCounts(step);
    logPrint(LOG_UNDO, "   Saving STEP %i of powerups\n", step);
    CElementDevicePowerup::saveGrid(step);
    logPrint(LOG_UNDO, "   Saving STEP %i of teleports\n", step);
    CElementDeviceTeleport::SavePairs(step);
    logPrint(LOG_UNDO, "   Saving STEP %i of trampolines\n", step);
    CElementDeviceTrampoline::SaveGrid(step);
    logPrint(LOG_UNDO, "   Saving STEP %i of magnets\n", step);
    CElementObjectMagnet::SaveAllMagnets(step);
}

void restoreDevices(int step)
{
    logPrint(LOG_UNDO, "   Restoring STEP %i of buttons\n", step);
    CElementDeviceButton::restorePressedCounts(step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of powerups\n", step);
    CElementDevicePowerup::restoreGrid(step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of teleports\n", step);
    CElementDeviceTeleport::RestorePairs(step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of trampolines\n", step);
    CElementDeviceTrampoline::RestoreGrid(step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of magnets\n", step);
    CElementObjectMagnet::RestoreAllMagnets(step);
}

} // namespace board
