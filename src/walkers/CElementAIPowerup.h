// The power-up types shared by the element factory, the power-up devices,
// the professor's inventory and the play screen: their numbers, the names
// the inventory dump prints, the stems of their icons and the teleport
// colour of a teleport type.
#pragma once

enum PowerupType {
    POWERUP_NONE = 0,
    POWERUP_TYPE_CRATE = 1,          // inflatable crate
    POWERUP_TYPE_BARREL = 2,         // inflatable barrel
    POWERUP_TYPE_MAGNET = 3,         // inflatable magnet
    POWERUP_TYPE_EMP = 4,            // stuns the bots, switches the magnets off
    POWERUP_TYPE_FROSTGUN = 5,
    POWERUP_TYPE_HEATGUN = 6,
    POWERUP_TYPE_BRIDGE = 7,         // inflatable bridge, grows piece by piece
    POWERUP_TYPE_WHISTLE = 8,        // wakes every bot
    POWERUP_TELEPORT_BLUE = 9,       // both ends still to be placed
    POWERUP_TELEPORT_BLUE_LAST = 10, // only the last end left
    POWERUP_TELEPORT_YELLOW = 11,
    POWERUP_TELEPORT_YELLOW_LAST = 12,
    POWERUP_TELEPORT_RED = 13,
    POWERUP_TELEPORT_RED_LAST = 14,
    POWERUP_TYPE_COUNT = 15
};

// Teleport colour of a type: 0 blue (below 11 and above 14), 1 yellow, 2 red.
int getTeleportColour(int type);
// "Inflatable Crate" ... "Teleport (Red)"; "None" for 0 and "Unknown" for
// any value outside the table.
const char* powerupDumpName(int type);
// The icon's file-name stem and extension ("iconcrate", ".tga"); null for 0
// and for values outside the table.
const char* powerupIconStem(int type);
const char* powerupIconExtension(int type);
inline bool isTeleportPowerup(int type)
{
    return type >= POWERUP_TELEPORT_BLUE && type <= POWERUP_TELEPORT_RED_LAST;
}
// A teleport type with both ends still to place (9, 11, 13).
inline bool isFirstTeleportEnd(int type)
{
    return type == POWERUP_TELEPORT_BLUE || type == POWERUP_TELEPORT_YELLOW || type == POWERUP_TELEPORT_RED;
}
