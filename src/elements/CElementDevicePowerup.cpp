#include "elements/CElementDevicePowerup.h"

#include <cstring>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Sound.h"

uint8_t CElementDevicePowerup::sharedImages = 0;
CElementDevicePowerup::Grid CElementDevicePowerup::powerupGrid{};
SlotCopies<CElementDevicePowerup::Grid> CElementDevicePowerup::savedPowerupGrids;
CElementDevicePowerup* CElementDevicePowerup::owners[CElement::GRID_CELLS];

namespace {
enum {
    ANCHOR_X = 8,
    ANCHOR_Y = 10,
    LABEL_ANCHOR_X = 32,
    LABEL_ANCHOR_Y = 26,
    BUBBLE_LAYER = 50,
    LABEL_LAYER = 52,
    LABEL_PICTURES = 8
};

struct Pictures {
    const char* stem;
    int last;
    const char* suffix;
    const char* label;
};

// Bubble series and collect label of each power-up type (index = type).
const Pictures kPictures[CElementDevicePowerup::LAST_TYPE + 1] = {
    {"powerupcrate", 27, ".tga", "poweruptextinflatable"}, // 0: not a power-up; drawn as a crate
    {"powerupcrate", 27, ".tga", "poweruptextinflatable"},
    {"powerupbarrel", 23, ".tga", "poweruptextinflatable"},
    {"powerupmagnet", 23, ".tga", "poweruptextinflatable"},
    {"powerupemp", 17, ".tga", "poweruptextemp"},
    {"powerupfrostgun", 17, ".tga", "poweruptextfrostgun"},
    {"powerupheatgun", 17, ".png", "poweruptextheatgun"},
    {"powerupbridge", 27, ".png", "poweruptextinflatable"},
    {"powerupwhistle", 17, ".tga", "poweruptextwhistle"},
    {"powerupteleport", 27, ".png", "poweruptextinflatable"},
    {"powerupteleport", 27, ".png", "poweruptextinflatable"},
    {"powerupteleportyellow", 27, ".png", "poweruptextinflatable"},
    {"powerupteleportyellow", 27, ".png", "poweruptextinflatable"},
    {"powerupteleportred", 27, ".png", "poweruptextinflatable"},
    {"powerupteleportred", 27, ".png", "poweruptextinflatable"},
};

int cellIndex(int x, int y)
{
    return x * CElement::GRID_HEIGHT + y;
}
} // namespace

CElementDevicePowerup::CElementDevicePowerup(int cx, int cy, int t)
    : CElementDevice(cx, cy, 1, DEVICE_POWERUP),
      powerupType(t >= FIRST_TYPE && t <= LAST_TYPE ? t : 0)
{
    soundCollect = new CSound("map_dot.ogg", false);
    const Pictures& p = kPictures[powerupType];
    bubble = elementsprites::newBoardSprite("Powerup Device", ANCHOR_X, ANCHOR_Y, BUBBLE_LAYER, 2, sharedImages, 1);
    elementsprites::loopForever(bubble, p.stem, 0, p.last, p.suffix);
    label = elementsprites::newBoardSprite("Powerup Label", LABEL_ANCHOR_X, LABEL_ANCHOR_Y, LABEL_LAYER, 0,
                                           sharedImages, 1);
    elementsprites::addSeries(label, p.label, 0, LABEL_PICTURES - 1, ".tga");
    mainSprite = sprite = bubble;
    // Only a known type on the board can be collected.
    if (powerupType != 0 && isOnBoard(cx, cy)) {
        powerupGrid[cellIndex(cx, cy)] = powerupType;
        owners[cellIndex(cx, cy)] = this;
        state = POWERUP_PRESENT;
    } else {
        state = POWERUP_GONE;
    }
    ShowPictures();
}

CElementDevicePowerup::~CElementDevicePowerup()
{
    if (isOnBoard(x, y) && owners[cellIndex(x, y)] == this)
        owners[cellIndex(x, y)] = nullptr;
    delete bubble;
    delete label;
    delete soundCollect;
}

bool CElementDevicePowerup::isPowerupAt(int cx, int cy)
{
    return isOnBoard(cx, cy) && powerupGrid[cellIndex(cx, cy)] != 0;
}

int CElementDevicePowerup::getPowerupTypeAt(int cx, int cy)
{
    return isOnBoard(cx, cy) ? powerupGrid[cellIndex(cx, cy)] : 0;
}

void CElementDevicePowerup::collectAt(int cx, int cy)
{
    if (!isPowerupAt(cx, cy))
        return;
    powerupGrid[cellIndex(cx, cy)] = 0;
    CElementDevicePowerup* p = owners[cellIndex(cx, cy)];
    if (!p)
        return;
    p->soundCollect->play(false, 0, 0.0f);
    p->state = POWERUP_COLLECTING;
    p->record.animStep = 0;
    p->ShowPictures();
}

void CElementDevicePowerup::Pump()
{
    // The grid is what counts: an undo may have put the power-up back.
    bool inGridNow = powerupType != 0 && getPowerupTypeAt(x, y) == powerupType;
    if (inGridNow && state != POWERUP_PRESENT)
        state = POWERUP_PRESENT;
    else if (!inGridNow && state == POWERUP_PRESENT)
        state = POWERUP_GONE;
    if (state == POWERUP_COLLECTING && ++record.animStep >= LABEL_PICTURES * STEPS_PER_PICTURE)
        state = POWERUP_GONE;
    ShowPictures();
}

void CElementDevicePowerup::ShowPictures()
{
    if (state == POWERUP_PRESENT)
        elementsprites::showAt(bubble, x * TILE, y * TILE);
    else
        bubble->Hide();
    if (state == POWERUP_COLLECTING) {
        label->SetFrame(PictureAt(record.animStep, LABEL_PICTURES));
        elementsprites::showAt(label, x * TILE, y * TILE);
    } else {
        label->Hide();
    }
}

void CElementDevicePowerup::clearGrid()
{
    powerupGrid.fill(0);
    savedPowerupGrids.Fill(powerupGrid);
    std::memset(owners, 0, sizeof owners);
}

void CElementDevicePowerup::saveGrid(int step)
{
    savedPowerupGrids.Save(step, powerupGrid);
}

void CElementDevicePowerup::restoreGrid(int step)
{
    savedPowerupGrids.Restore(step, powerupGrid);
}

void CElementDevicePowerup::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDevicePowerup::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementDevicePowerup::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep});
}
