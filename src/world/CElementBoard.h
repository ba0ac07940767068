// What the world core asks of the board devices' class-wide grids and lists
// (ladders, trampolines, teleports, magnets, buttons, power-ups, tubes,
// tutorial markers) and of the bot list. Every lookup answers false or
// nothing for a cell outside the board. Defined in play/CElementBoard.cpp,
// the layer that knows every element class.
#pragma once

class CElement;

namespace board {

bool isTrampolineAt(int x, int y);
bool isLadderAt(int x, int y);
bool isPlatformAt(int x, int y);
// The other end of the teleport pair that has an end at (x, y) (with
// rightHalf: whose end's column + 1 is x); false when none matches.
bool teleportDestination(int x, int y, bool rightHalf, int& endX, int& endY);
// Plays the teleport sound and flash as asked; whether an end was found.
bool triggerTeleportAt(int x, int y, bool rightHalf, bool playSound, bool flash);
void updateAllMagnets();

// Level reset of the devices' class-wide state and of the bot list, in the
// order the board is reset.
void resetDevices();
void saveDevices(int step);
void restoreDevices(int step);

} // namespace board
