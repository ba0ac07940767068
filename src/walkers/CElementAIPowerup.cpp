#include "walkers/CElementAIPowerup.h"

namespace {

struct PowerupInfo {
    const char* dumpName;
    const char* iconStem;
    const char* iconExtension;
};

const PowerupInfo kPowerups[POWERUP_TYPE_COUNT] = {
    {"None", nullptr, nullptr},
    {"Inflatable Crate", "iconcrate", ".tga"},
    {"Inflatable Barrel", "iconbarrel", ".tga"},
    {"Inflatable Magnet", "iconmagnet", ".tga"},
    {"EMP", "iconemp", ".tga"},
    {"Frostgun", "iconfrostgun", ".tga"},
    {"Heatgun", "iconheatgun", ".png"},
    {"Bridge", "iconbridge", ".png"},
    {"WHISTLE", "iconwhistle", ".tga"},
    {"Teleport (Blue)", "iconteleportblue", ".png"},
    {"Teleport (Blue)", "iconteleportblue", ".png"},
    {"Teleport (Yellow)", "iconteleportyellow", ".png"},
    {"Teleport (Yellow)", "iconteleportyellow", ".png"},
    {"Teleport (Red)", "iconteleportred", ".png"},
    {"Teleport (Red)", "iconteleportred", ".png"},
};

bool inTable(int type)
{
    return type >= 0 && type < POWERUP_TYPE_COUNT;
}

} // namespace

int getTeleportColour(int type)
{
    if (type == POWERUP_TELEPORT_YELLOW || type == POWERUP_TELEPORT_YELLOW_LAST)
        return 1;
    if (type == POWERUP_TELEPORT_RED || type == POWERUP_TELEPORT_RED_LAST)
        return 2;
    return 0;
}

const char* powerupDumpName(int type)
{
    return inTable(type) ? kPowerups[type].dumpName : "Unknown";
}

const char* powerupIconStem(int type)
{
    return inTable(type) ? kPowerups[type].iconStem : nullptr;
}

const char* powerupIconExtension(int type)
{
    return inTable(type) ? kPowerups[type].iconExtension : nullptr;
}
