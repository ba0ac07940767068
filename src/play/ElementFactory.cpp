// The element factory: one element class per tile code, and the board build
// that scans a level's layers in a fixed order.
#include "play/ElementFactory.h"

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementLadder.h"
#include "elements/CElementObjectBarrel.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainBridge.h"
#include "elements/CElementTerrainGrass.h"
#include "elements/CElementTerrainIce.h"
#include "elements/CElementTerrainSand.h"
#include "elements/CElementTutorial.h"
#include "engine/Log.h"
#include "world/CElement.h"
#include "walkers/CElementAIBot.h"
#include "walkers/CElementAIProfessor.h"
#include "level/Level.h"

namespace {

// Gate and button colours: 0 blue, 1 red, 2 yellow.
enum { COLOUR_BLUE = 0, COLOUR_RED = 1, COLOUR_YELLOW = 2 };
// Teleport colours: 0 blue, 1 yellow, 2 red.
enum { TELEPORT_BLUE = 0, TELEPORT_YELLOW = 1, TELEPORT_RED = 2 };

// Power-up types of the collectable power-up tiles.
int powerupTypeOf(int code)
{
    switch (code) {
    case POWERUP_FROSTGUN: return 5;
    case POWERUP_HEATGUN: return 6;
    case POWERUP_WHISTLE: return 8;
    case POWERUP_BRIDGE: return 7;
    case POWERUP_EMP: return 4;
    case POWERUP_CRATE: return 1;
    case POWERUP_BARREL: return 2;
    case POWERUP_MAGNET: return 3;
    default: return 0;
    }
}

// The first-end power-up type of a teleport colour.
int teleportPowerupType(int colour)
{
    switch (colour) {
    case TELEPORT_YELLOW: return 11;
    case TELEPORT_RED: return 13;
    default: return 9;
    }
}

bool isTerrainOrGate(CLevel& level, int x, int y)
{
    return level.IsTerrain(x, y) || level.IsGate(x, y);
}

} // namespace

CElement* createElement(CLevel& level, int code, int x, int y, int w, int h)
{
    logPrint(LOG_STACK, "createElement(%i,%i,%i,%i,%i)\n", code, x, y, w, h);
    int flag = level.GetCellFlags(x, y);
    CElement* made = nullptr;
    switch (code) {
    case TUTORIAL: made = new CElementTutorial(x, y, level.GetTutorialText(x, y)); break;
    case DEVICE_TUBE_START:
        new CElementDeviceTube(x, y, 0);
        made = new CElementAIProfessor(x, y);
        break;
    case DEVICE_TUBE_END: made = new CElementDeviceTube(x, y, 1); break;
    case POWERUP_FROSTGUN:
    case POWERUP_HEATGUN:
    case POWERUP_WHISTLE:
    case POWERUP_BRIDGE:
    case POWERUP_EMP:
    case POWERUP_CRATE:
    case POWERUP_BARREL:
    case POWERUP_MAGNET: made = new CElementDevicePowerup(x, y, powerupTypeOf(code)); break;
    case POWERUP_TELEPORT:
        made = new CElementDevicePowerup(x, y, teleportPowerupType(level.AllocTeleportTypeId()));
        break;
    case TERRAIN_GRASS: made = new CElementTerrainGrass(x, y, w); break;
    case TERRAIN_SAND: made = new CElementTerrainSand(x, y, w); break;
    case TERRAIN_ICE: made = new CElementTerrainIce(x, y, isTerrainOrGate(level, x, y + 1) ? 0 : 1); break;
    case TERRAIN_BRIDGE: made = new CElementTerrainBridge(x, y, 0, flag, 1); break;
    case OBJECT_WCRATE: made = new CElementObjectCrate(x, y, 0, flag, 1); break;
    case OBJECT_MCRATE: made = new CElementObjectCrate(x, y, 1, flag, 1); break;
    case OBJECT_WBARREL: made = new CElementObjectBarrel(x, y, 0, flag, 1); break;
    case OBJECT_MBARREL: made = new CElementObjectBarrel(x, y, 1, flag, 1); break;
    case OBJECT_LMAGNET: made = new CElementObjectMagnet(x, y, 0, flag, 1); break;
    case OBJECT_RMAGNET: made = new CElementObjectMagnet(x, y, 0, flag, 0); break;
    case DEVICE_GATE_B: made = new CElementDeviceGate(x, y, COLOUR_BLUE); break;
    case DEVICE_GATE_Y: made = new CElementDeviceGate(x, y, COLOUR_YELLOW); break;
    case DEVICE_GATE_R: made = new CElementDeviceGate(x, y, COLOUR_RED); break;
    case DEVICE_BUTTON_B: made = new CElementDeviceButton(x, y, COLOUR_BLUE); break;
    case DEVICE_BUTTON_Y: made = new CElementDeviceButton(x, y, COLOUR_YELLOW); break;
    case DEVICE_BUTTON_R: made = new CElementDeviceButton(x, y, COLOUR_RED); break;
    case DEVICE_LTELEPORT_B: made = new CElementDeviceTeleport(x, y, TELEPORT_BLUE, 0); break;
    case DEVICE_LTELEPORT_Y: made = new CElementDeviceTeleport(x, y, TELEPORT_YELLOW, 0); break;
    case DEVICE_LTELEPORT_R: made = new CElementDeviceTeleport(x, y, TELEPORT_RED, 0); break;
    case DEVICE_TRAMPOLINE: made = new CElementDeviceTrampoline(x, y); break;
    case BOT_HANG:
    case BOT_LEFT:
    case BOT_RIGHT: made = new CElementAIBot(x, y, code, flag); break;
    default: break;
    }
    if (!made)
        return nullptr;
    if (flag & CELL_FROZEN) {
        logPrint(LOG_CGAME, "CControllerGame::createElement()   Freezing element at (%i,%i)\n", x, y);
        made->Freeze();
    } else if (flag & CELL_HEATED) {
        logPrint(LOG_CGAME, "CControllerGame::createElement()   Heating element at (%i,%i)\n", x, y);
        made->Heat(false, false);
    }
    return made;
}

void createLadder(CLevel& level, int x, int top, int height)
{
    logPrint(LOG_CGAME, "Creating ladder  (%i,%i) H%i\n", x, top, height);
    for (int y = top; y < top + height; ++y) {
        int kind;
        if (height == 1)
            kind = 1;
        else if (y == top)
            kind = 2;
        else if (y == top + height - 1)
            kind = 4;
        else
            kind = 3;
        new CElementLadder(x, y, kind, level.GetTile(x, y) == PLATFORM);
    }
}

CElement* buildLevelElements(CLevel& level)
{
    CElement* professor = nullptr;
    for (int y = CElement::GRID_HEIGHT - 1; y >= 0; --y) {
        for (int x = 0; x < CElement::GRID_WIDTH; ++x) {
            if (!level.HasLadder(x, y))
                continue;
            if (CElementLadder::IsLadderAt(x, y)) {
                logPrint(LOG_CGAME, "CControllerGame::LoadLevel()      (%i,%i)  Ladder already created\n", x, y);
                continue;
            }
            Rect run = level.MeasureLadderRun(x, y);
            createLadder(level, x, run.y, run.h);
        }
    }
    for (int y = 0; y < CElement::GRID_HEIGHT; ++y) {
        for (int x = CElement::GRID_WIDTH - 1; x >= 0; --x) {
            int code = level.GetTile(x, y);
            if (code == NONE)
                continue;
            Rect run{x, y, 1, 1};
            if (code == TERRAIN_GRASS || code == TERRAIN_SAND)
                run = level.MeasureTileRun(code, x, y);
            if (isCellOccupied(x, y, false)) {
                logPrint(LOG_CGAME, "CControllerGame::LoadLevel()      (%i,%i)  Tile (%s) already exists\n", x, y,
                         CLevel::GetTypeName(code));
                continue;
            }
            logPrint(LOG_CGAME, "CControllerGame::LoadLevel()      (%i,%i)  Creating Tile (%s,%i)\n", x, y,
                     CLevel::GetTypeName(code), code);
            CElement* made = createElement(level, code, run.x, run.y, run.w, run.h);
            if (code == DEVICE_TUBE_START && made)
                professor = made;
        }
    }
    const int teleportCodes[] = {DEVICE_LTELEPORT_B, DEVICE_LTELEPORT_Y, DEVICE_LTELEPORT_R};
    for (int colour = 0; colour < CLevel::TELEPORT_COLOURS; ++colour)
        for (const Rect& end : level.GetTeleportTypeRecord(colour))
            createElement(level, teleportCodes[colour], end.x, end.y, 1, 1);
    return professor;
}
