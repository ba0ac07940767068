// The professor's power-up inventory: nine slots with their icons across the
// top of the screen, the use of a slot (its test, the reserved target cell
// and the delay) and every effect.
#include "walkers/CElementAIProfessor.h"

#include <string>

#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementObjectBarrel.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainBridge.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "walkers/CElementAIBot.h"
#include "world/CElementBoard.h"

namespace {

const char* const kSlotStems[CElementAIProfessor::SLOTS] = {"iconone", "icontwo",   "iconthree", "iconfour", "iconfive",
                                                            "iconsix", "iconseven", "iconeight", "iconnine"};

const char* const kIconNames[POWERUP_TYPE_COUNT] = {
    nullptr,
    "Powerup Icon (crate)",
    "Powerup Icon (barrel)",
    "Powerup Icon (magnet)",
    "Powerup Icon (emp)",
    "Powerup Icon (frostgun)",
    "Powerup Icon (heatgun)",
    "Powerup Icon (bridge)",
    "Powerup Icon (whistle)",
    "Powerup Icon (teleport_b2)",
    "Powerup Icon (teleport_b1)",
    "Powerup Icon (teleport_y2)",
    "Powerup Icon (teleport_y1)",
    "Powerup Icon (teleport_r2)",
    "Powerup Icon (teleport_r1)",
};

const char* const kSlotNames[CElementAIProfessor::SLOTS] = {
    "Powerup Icon (1)", "Powerup Icon (2)", "Powerup Icon (3)", "Powerup Icon (4)", "Powerup Icon (5)",
    "Powerup Icon (6)", "Powerup Icon (7)", "Powerup Icon (8)", "Powerup Icon (9)"};

bool isLastTeleportEnd(int type)
{
    return type == POWERUP_TELEPORT_BLUE_LAST || type == POWERUP_TELEPORT_YELLOW_LAST ||
           type == POWERUP_TELEPORT_RED_LAST;
}

std::vector<std::string> slotFrames(int slot)
{
    std::string stem(kSlotStems[slot]);
    return {stem + "0.tga", stem + "1.tga", stem + "0.tga"};
}

std::vector<std::string> typeFrames(int type)
{
    std::string stem(powerupIconStem(type));
    if (isLastTeleportEnd(type)) {
        std::vector<std::string> shimmer;
        for (const char* n : {"3", "3b", "3c", "3d", "3e", "3d", "3c", "3b", "3"})
            shimmer.push_back(stem + n + ".png");
        return shimmer;
    }
    std::vector<std::string> frames = frameRange(stem.c_str(), 0, 4, powerupIconExtension(type));
    frames.push_back(stem + "3" + powerupIconExtension(type));
    return frames;
}

CSprite* iconSprite(int spriteType, const std::vector<std::string>& frames, const char* name, int px, int py)
{
    CSprite* icon = new CSprite(spriteType, 2, CElementAIProfessor::sharedImages != 0);
    for (const std::string& frame : frames)
        icon->AddFrame(frame.c_str());
    icon->SetName(name);
    icon->SetPosition(px, py, false);
    icon->Hide();
    return icon;
}

void startIcon(CSprite* icon)
{
    icon->ResetAnimation();
    icon->Animate(true);
    icon->Show(icon->GetX(false), icon->GetY(false));
}

} // namespace

// ---------------------------------------------------------------- icons

std::vector<std::string> CElementAIProfessor::IconFrameNames()
{
    std::vector<std::string> names;
    for (int slot = 0; slot < SLOTS; ++slot)
        for (const std::string& f : slotFrames(slot))
            names.push_back(f);
    for (int type = 1; type < POWERUP_TYPE_COUNT; ++type)
        for (const std::string& f : typeFrames(type))
            names.push_back(f);
    return names;
}

void CElementAIProfessor::createIcons()
{
    for (int slot = 0; slot < SLOTS; ++slot) {
        icons[slot][0] = iconSprite(1423, slotFrames(slot), kSlotNames[slot], 30 + 40 * slot, 25);
        for (int type = 1; type < ICONS_PER_SLOT; ++type)
            icons[slot][type] = iconSprite(1421, typeFrames(type), kIconNames[type], 14 + 40 * slot, 10);
    }
}

void CElementAIProfessor::showIcon(int slot, int type)
{
    if (type > 0 && type < ICONS_PER_SLOT)
        startIcon(icons[slot][type]);
}

void CElementAIProfessor::hideIcon(int slot, int type)
{
    if (type > 0 && type < ICONS_PER_SLOT)
        icons[slot][type]->Hide();
}

void CElementAIProfessor::refreshSlot(int slot, int oldType, int newType)
{
    if (oldType == newType)
        return;
    hideIcon(slot, oldType);
    if (newType > 0 && newType < ICONS_PER_SLOT) {
        startIcon(icons[slot][0]);
        showIcon(slot, newType);
    } else {
        icons[slot][0]->Hide();
    }
}

void CElementAIProfessor::mouseMove(int mouseX, int mouseY)
{
    hoveredSlot = -1;
    for (int slot = 0; slot < SLOTS; ++slot) {
        int type = prof.inventory[slot];
        if (type <= 0 || type >= ICONS_PER_SLOT)
            continue;
        CSprite* icon = icons[slot][type];
        int left = icon->GetX(true);
        int top = icon->GetY(true);
        bool over = mouseX >= left && mouseX < left + icon->GetWidth(false) && mouseY >= top &&
                    mouseY < top + icon->GetHeight(false);
        if (over) {
            if (icon->IsStopped())
                icon->SetFrame(4);
            hoveredSlot = slot;
        } else if (icon->IsStopped()) {
            icon->SetFrame(icon->GetFrameCount() - 1);
        }
    }
}

// ---------------------------------------------------------------- inventory

bool CElementAIProfessor::addPowerup(int type)
{
    if (type <= POWERUP_NONE || type >= POWERUP_TYPE_COUNT)
        return false;
    for (int slot = 0; slot < SLOTS; ++slot) {
        if (prof.inventory[slot] != POWERUP_NONE)
            continue;
        logPrint(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Adding powerup %i to position %i\n", type, slot);
        prof.inventory[slot] = type;
        logPrint(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Displaying powerup icon number '%s'\n",
                 icons[slot][0]->GetName());
        startIcon(icons[slot][0]);
        logPrint(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Displaying powerup icon '%s'\n",
                 icons[slot][type]->GetName());
        startIcon(icons[slot][type]);
        return true;
    }
    return false;
}

void CElementAIProfessor::removePowerup(int slot)
{
    if (slot < 0 || slot >= SLOTS)
        return;
    int type = prof.inventory[slot];
    if (isFirstTeleportEnd(type)) {
        // One end placed: the same slot keeps the last end.
        hideIcon(slot, type);
        prof.inventory[slot] = type + 1;
        showIcon(slot, type + 1);
        return;
    }
    for (int s = slot; s < SLOTS && prof.inventory[s] != POWERUP_NONE; ++s) {
        logPrint(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Hiding old powerup icon at position %i\n", s);
        hideIcon(s, prof.inventory[s]);
        if (s + 1 < SLOTS) {
            logPrint(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Shift in powerup from right (%i <- %i)\n",
                     s, s + 1);
            prof.inventory[s] = prof.inventory[s + 1];
        } else {
            logPrint(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Shift in EMPTY powerup at position %i\n", s);
            prof.inventory[s] = POWERUP_NONE;
        }
        if (prof.inventory[s] != POWERUP_NONE) {
            logPrint(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Unhiding new powerup icon at position %i\n",
                     s);
            showIcon(s, prof.inventory[s]);
        } else {
            logPrint(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Hiding powerup number at position %i\n", s);
            icons[s][0]->Hide();
            break;
        }
    }
}

void CElementAIProfessor::DumpPowerups()
{
    const std::string dashes(38, '-');
    logPrint(LOG_DEBUG, "%s\n", dashes.c_str());
    logPrint(LOG_DEBUG, "List of Powerups\n");
    for (int slot = 0; slot < SLOTS; ++slot)
        logPrint(LOG_DEBUG, "   %d:  %s\n", slot + 1, powerupDumpName(prof.inventory[slot]));
    logPrint(LOG_DEBUG, "%s\n", dashes.c_str());
    logPrint(LOG_DEBUG, "usingPowerup       = %d\n", prof.usingPowerup);
    logPrint(LOG_DEBUG, "activePowerup      = %d\n", prof.activePowerup);
    logPrint(LOG_DEBUG, "activePowerupDelay = %d\n", prof.delay);
    logPrint(LOG_DEBUG, "%s\n", dashes.c_str());
}

// ---------------------------------------------------------------- use

// A crate, barrel, magnet or bridge piece needs a free cell on the board
// without a trampoline; the professor writes himself into it so that nothing
// else takes it before the element appears.
bool CElementAIProfessor::reserveTarget()
{
    if (!isOnBoard(prof.targetX, prof.targetY) || isCellOccupied(prof.targetX, prof.targetY, false) ||
        board::isTrampolineAt(prof.targetX, prof.targetY))
        return false;
    setElementAt(prof.targetX, prof.targetY, this);
    return true;
}

void CElementAIProfessor::usePowerup(int slot)
{
    soundFail->play(false, 0, 0.0f);
    if (slot < 0 || slot >= SLOTS)
        return;
    int type = prof.inventory[slot];
    bool busy = type == POWERUP_NONE || prof.enteringTube || prof.exiting || GetCaught() || tramp ||
                leftTrampoline || prof.flung || moving || prof.usingPowerup || frozen || heated;
    if (busy || !IsSupportedBelow(false) || getMovableElementAt(x, y + 1)->IsMoving() ||
        isCellOccupied(x, y - 1, false))
        return;
    if (!anyDirectionKey() && !moving && !falling && !frozen)
        UndoSave();

    bool left = facingLeft != 0;
    prof.targetX = GetSideColumn(x, y, left, true);
    prof.targetY = GetLandingRow(x, y, left, true);
    prof.targetFacing = facingLeft;
    bool accepted = false;
    int delay = DELAY_PLACE;
    switch (type) {
    case POWERUP_TYPE_CRATE:
    case POWERUP_TYPE_BARREL:
    case POWERUP_TYPE_MAGNET:
        accepted = reserveTarget();
        heatImmune = accepted ? 1 : heatImmune;
        break;
    case POWERUP_TYPE_EMP:
    case POWERUP_TYPE_WHISTLE:
        accepted = true;
        delay = DELAY_SIGNAL;
        break;
    case POWERUP_TYPE_FROSTGUN:
    case POWERUP_TYPE_HEATGUN:
        // A shot fired off the edge of the board would start outside it.
        accepted = isOnBoard(prof.targetX, prof.targetY);
        break;
    case POWERUP_TYPE_BRIDGE:
        prof.targetY += 1;
        accepted = !board::isLadderAt(prof.targetX, prof.targetY) && reserveTarget();
        if (accepted) {
            heatImmune = 1;
            soundInflate->play(false, 0, 0.0f);
            board::triggerTeleportAt(x, y, left, true, true);
        }
        break;
    default:
        if (isTeleportPowerup(type) && CElementDeviceTeleport::CanPlaceTeleport(x, y, left)) {
            accepted = true;
            heatImmune = 1;
            // The end covers his cell and the one to his right, or the one
            // to his left and his own.
            if (!left) {
                prof.targetX = x;
                prof.targetY = y;
            }
        }
        break;
    }
    if (!accepted) {
        logPrint(LOG_DEBUG, "CElementAIProfessor:  Cannot create powerup %d...\n", slot);
        return;
    }
    if (type <= POWERUP_TYPE_MAGNET || isTeleportPowerup(type))
        soundInflate->play(false, 0, 0.0f);
    prof.usingPowerup = 1;
    prof.delay = delay;
    logPrint(LOG_DEBUG, "CElementAIProfessor:  Using powerup %d...\n", slot);
    prof.activePowerup = type;
    logPrint(LOG_DEBUG, "CElementAIProfessor:  Removing powerup %d from inventory...\n", slot);
    removePowerup(slot);
    soundFail->stop();
}

void CElementAIProfessor::dropPowerup()
{
    if (!prof.usingPowerup && prof.activePowerup == POWERUP_NONE)
        return;
    // A cell still reserved for the dropped power-up is given back.
    if (isOnBoard(prof.targetX, prof.targetY) && getElementAt(prof.targetX, prof.targetY, true) == this &&
        !(prof.targetX == x && prof.targetY == y))
        clearElementAt(prof.targetX, prof.targetY);
    prof.usingPowerup = 0;
    prof.activePowerup = POWERUP_NONE;
    prof.delay = 0;
    heatImmune = 0;
}

void CElementAIProfessor::handlePowerup()
{
    if (prof.activePowerup == POWERUP_NONE)
        return;
    if (prof.delay > 0) {
        logPrint(LOG_DEBUG, "DEBUG.  handlePowerup():  Waiting for powerup delay...%d\n", prof.delay);
        --prof.delay;
        return;
    }
    int tx = prof.targetX;
    int ty = prof.targetY;
    bool left = facingLeft != 0;
    CElement* made = nullptr;
    switch (prof.activePowerup) {
    case POWERUP_TYPE_CRATE:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Crate inflated!\n");
        made = new CElementObjectCrate(tx, ty, 2, 0, left);
        break;
    case POWERUP_TYPE_BARREL:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Barrel inflated!\n");
        made = new CElementObjectBarrel(tx, ty, 2, 0, left);
        break;
    case POWERUP_TYPE_MAGNET:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Magnet inflated!\n");
        made = new CElementObjectMagnet(tx, ty, 1, 0, left ? 1 : 0);
        break;
    case POWERUP_TYPE_EMP:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  EMP Activated!\n");
        CElementObjectMagnet::ActivateEmp();
        CElementAIBot::stunAll();
        soundEmp->play(false, 0, 0.0f);
        soundElectricity->play(false, 0, 0.0f);
        break;
    case POWERUP_TYPE_FROSTGUN:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Frostgun fired!\n");
        made = new CElementDeviceGunshot(tx, ty, 0, left);
        soundFrostgun->play(false, 0, 0.0f);
        break;
    case POWERUP_TYPE_HEATGUN:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Heatgun fired!\n");
        made = new CElementDeviceGunshot(tx, ty, 1, left);
        soundHeatgun->play(false, 0, 0.0f);
        break;
    case POWERUP_TYPE_BRIDGE: {
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Bridge building at (%i,%i)!\n", tx, ty);
        bool targetLeft = prof.targetFacing != 0;
        made = new CElementTerrainBridge(tx, ty, 1, 0, targetLeft);
        if (!made->spawned)
            registerSpawnedElement(made);
        board::triggerTeleportAt(tx, ty, targetLeft, true, true);
        int nx = GetSideColumn(tx, ty, targetLeft, true);
        int ny = GetLandingRow(tx, ty, targetLeft, true);
        if (!isOnBoard(nx, ny) || isCellOccupied(nx, ny, false) || board::isTrampolineAt(nx, ny) ||
            board::isLadderAt(nx, ny)) {
            prof.activePowerup = POWERUP_NONE;
            heatImmune = 0;
        } else {
            prof.targetX = nx;
            prof.targetY = ny;
        }
        return;
    }
    case POWERUP_TYPE_WHISTLE:
        logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Whistle Activated!\n");
        CElementAIBot::activateAll();
        soundWhistle->play(false, 0, 0.0f);
        break;
    default:
        if (isTeleportPowerup(prof.activePowerup)) {
            logPrint(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Teleport (type %i) inflated!\n",
                     prof.activePowerup);
            made = new CElementDeviceTeleport(tx, ty, getTeleportColour(prof.activePowerup), 1);
        }
        break;
    }
    if (made && !made->spawned)
        registerSpawnedElement(made);
    int type = prof.activePowerup;
    if (type == POWERUP_TYPE_CRATE || type == POWERUP_TYPE_BARREL || type == POWERUP_TYPE_MAGNET ||
        type == POWERUP_TYPE_FROSTGUN || type == POWERUP_TYPE_HEATGUN)
        board::triggerTeleportAt(x, y, left, true, true);
    prof.activePowerup = POWERUP_NONE;
}
