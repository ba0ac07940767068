// The world core's calls into the board devices' class-wide grids and lists
// and into the bot list.
#include "world/CElementBoard.h"

#include "engine/Log.h"
#include "world/CElement.h"

namespace board {

bool isTrampolineAt(int, int)
{
    return false;
}

bool isLadderAt(int, int)
{
    return false;
}

bool isPlatformAt(int, int)
{
    return false;
}

bool teleportDestination(int, int, bool, int&, int&)
{
    return false;
}

bool triggerTeleportAt(int, int, bool, bool, bool)
{
    return false;
}

void updateAllMagnets() {}

void resetDevices() {}

void saveDevices(int step)
{
    logPrint(LOG_UNDO, "   Saving STEP %i of buttons\n", step);
    logPrint(LOG_UNDO, "   Saving STEP %i of powerups\n", step);
    logPrint(LOG_UNDO, "   Saving STEP %i of teleports\n", step);
    logPrint(LOG_UNDO, "   Saving STEP %i of trampolines\n", step);
    logPrint(LOG_UNDO, "   Saving STEP %i of magnets\n", step);
}

void restoreDevices(int step)
{
    logPrint(LOG_UNDO, "   Restoring STEP %i of buttons\n", step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of powerups\n", step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of teleports\n", step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of trampolines\n", step);
    logPrint(LOG_UNDO, "   Restoring STEP %i of magnets\n", step);
}

} // namespace board
