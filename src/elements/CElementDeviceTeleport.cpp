#include "elements/CElementDeviceTeleport.h"

#include <algorithm>
#include <cstdio>

#include "elements/CElementLadder.h"
#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Sound.h"

uint8_t CElementDeviceTeleport::sharedImages = 0;
CElementDeviceTeleport::Pairs CElementDeviceTeleport::pairs;
SlotCopies<CElementDeviceTeleport::Pairs> CElementDeviceTeleport::savedPairs;

namespace {
enum {
    ANCHOR_X = 8,
    ANCHOR_Y = 36,
    BACK_LAYER = 60,
    RING_LAYER = 61,
    SPIRAL_LAYER = 62,
    GLOW_LAYER = 65,
    SPIRAL_PICTURES = 40,
    RING_PICTURES = 5
};

void eraseFrom(std::vector<CElementDeviceTeleport*>& list, CElementDeviceTeleport* end)
{
    list.erase(std::remove(list.begin(), list.end(), end), list.end());
}
} // namespace

CElementDeviceTeleport::CElementDeviceTeleport(int cx, int cy, int c, int infl)
    : CElementDevice(cx, cy, 2, DEVICE_TELEPORT),
      colour(c >= 0 && c < COLOURS ? c : 0),
      inflated(infl ? 1 : 0)
{
    state = 0;
    pairs.ends[colour].push_back(this);
    if (inflated) {
        registerSpawnedElement(this);
        ++pairs.inflateCount;
        record.inflateStep = 0;
    }
    soundTeleport = new CSound("emp_electricity.ogg", false);

    const char* word = elementsprites::teleportColourName(colour);
    char name[80];
    back = elementsprites::newBoardSprite("Teleport Device", ANCHOR_X, ANCHOR_Y, BACK_LAYER, 0, sharedImages, 2);
    ring = elementsprites::newBoardSprite("Teleport Device (ring)", ANCHOR_X, ANCHOR_Y, RING_LAYER, 0, sharedImages,
                                          2);
    if (inflated) {
        snprintf(name, sizeof name, "teleportinflatable_%s3back.png", word);
        back->AddFrame(name);
        snprintf(name, sizeof name, "teleportinflatable_%s", word);
        elementsprites::addSeries(ring, name, 0, INFLATE_PICTURES - 1, ".png");
        snprintf(name, sizeof name, "teleportinflatable_%s3front.png", word);
        ring->AddFrame(name);
    } else {
        back->AddFrame("teleport_frameback.png");
        snprintf(name, sizeof name, "teleport_frame%s", word);
        elementsprites::addSeries(ring, name, 0, RING_PICTURES - 1, ".png");
    }
    spiral = elementsprites::newBoardSprite("Teleport Device (portal)", ANCHOR_X, ANCHOR_Y, SPIRAL_LAYER, 2,
                                            sharedImages, 2);
    snprintf(name, sizeof name, "teleport_spiral%s", word);
    elementsprites::loopForever(spiral, name, 0, SPIRAL_PICTURES - 1, ".png");
    idle = elementsprites::newBoardSprite("Teleport Device (idle)", ANCHOR_X, ANCHOR_Y, SPIRAL_LAYER, 2, sharedImages,
                                          2);
    snprintf(name, sizeof name, "teleport_spiral%s_idle", word);
    elementsprites::loopForever(idle, name, 0, SPIRAL_PICTURES - 1, ".png");
    glow = elementsprites::newBoardSprite("Teleport Device (flash)", ANCHOR_X, ANCHOR_Y, GLOW_LAYER, 0, sharedImages,
                                          2);
    snprintf(name, sizeof name, "teleport_glow%s", word);
    elementsprites::addSeries(glow, name, 0, FLASH_PICTURES - 1, ".png");
    mainSprite = sprite = back;
    ShowPictures();
}

CElementDeviceTeleport::~CElementDeviceTeleport()
{
    for (int c = 0; c < COLOURS; ++c) {
        eraseFrom(pairs.ends[c], this);
        for (int s = 0; s < UNDO_SLOTS; ++s)
            eraseFrom(savedPairs[s].ends[c], this);
    }
    delete back;
    delete ring;
    delete spiral;
    delete idle;
    delete glow;
    delete soundTeleport;
}

bool CElementDeviceTeleport::CanFall(bool)
{
    return false;
}

bool CElementDeviceTeleport::IsEnabled() const
{
    const std::vector<CElementDeviceTeleport*>& ends = pairs.ends[colour];
    return ends.size() >= 2 && (ends[0] == this || ends[1] == this);
}

bool CElementDeviceTeleport::Matches(int cx, int cy, bool rightHalf) const
{
    return y == cy && (rightHalf ? x + 1 == cx : x == cx);
}

bool CElementDeviceTeleport::Covers(int cx, int cy) const
{
    return y == cy && (cx == x || cx == x + 1);
}

const std::vector<CElementDeviceTeleport*>& CElementDeviceTeleport::GetPair(int c)
{
    static const std::vector<CElementDeviceTeleport*> none;
    return c >= 0 && c < COLOURS ? pairs.ends[c] : none;
}

CElementDeviceTeleport* CElementDeviceTeleport::FindEnabledEnd(int cx, int cy, bool rightHalf)
{
    if (!isOnBoard(cx, cy))
        return nullptr;
    for (const std::vector<CElementDeviceTeleport*>& ends : pairs.ends) {
        if (ends.size() < 2)
            continue; // an end without its pair leads nowhere
        for (int k = 0; k < 2; ++k)
            if (ends[k]->Matches(cx, cy, rightHalf))
                return ends[k];
    }
    return nullptr;
}

CElementDeviceTeleport* CElementDeviceTeleport::GetDestination(int cx, int cy, bool rightHalf)
{
    CElementDeviceTeleport* end = FindEnabledEnd(cx, cy, rightHalf);
    if (!end)
        return nullptr;
    const std::vector<CElementDeviceTeleport*>& ends = pairs.ends[end->colour];
    return ends[0] == end ? ends[1] : ends[0];
}

bool CElementDeviceTeleport::TriggerTeleportAt(int cx, int cy, bool rightHalf, bool playSound, bool flash)
{
    CElementDeviceTeleport* end = FindEnabledEnd(cx, cy, rightHalf);
    if (!end)
        return false;
    if (playSound)
        end->soundTeleport->play(false, 0, 0.0f);
    if (flash) {
        end->record.flashStep = 0;
        end->ShowPictures();
    }
    return true;
}

bool CElementDeviceTeleport::CanPlaceTeleport(int cx, int cy, bool leftSide)
{
    int first = leftSide ? cx - 1 : cx;
    for (int col = first; col <= first + 1; ++col) {
        if (!isOnBoard(col, cy))
            return false;
        for (const std::vector<CElementDeviceTeleport*>& ends : pairs.ends)
            for (CElementDeviceTeleport* end : ends)
                if (end->Covers(col, cy) || end->Covers(col, cy - 1))
                    return false;
        CElement* below = getElementAt(col, cy + 1, false);
        bool solid = (below->IsTerrain() && !below->IsBridge()) || CElementLadder::IsPlatformAt(col, cy + 1);
        if (!solid)
            return false;
    }
    return true;
}

bool CElementDeviceTeleport::isAt(int cx, int cy, bool flag)
{
    if (!isOnBoard(cx, cy))
        return false;
    for (const std::vector<CElementDeviceTeleport*>& ends : pairs.ends)
        for (CElementDeviceTeleport* end : ends)
            if (end->Matches(cx, cy, false) || (flag && end->Matches(cx, cy, true)))
                return true;
    return false;
}

void CElementDeviceTeleport::Pump()
{
    if (record.inflateStep >= 0 && ++record.inflateStep >= INFLATE_PICTURES * STEPS_PER_PICTURE)
        record.inflateStep = -1;
    if (record.flashStep >= 0 && ++record.flashStep >= FLASH_PICTURES * STEPS_PER_PICTURE)
        record.flashStep = -1;
    ShowPictures();
}

void CElementDeviceTeleport::ShowPictures()
{
    int px = x * TILE, py = y * TILE;
    elementsprites::showAt(back, px, py);
    bool enabled = IsEnabled();
    if (inflated)
        ring->SetFrame(record.inflateStep >= 0 ? PictureAt(record.inflateStep, INFLATE_PICTURES) : INFLATE_PICTURES);
    else
        ring->SetFrame(enabled ? RING_PICTURES - 1 : 0); // the gems light up once the pair works
    elementsprites::showAt(ring, px, py);
    if (enabled && record.inflateStep < 0) {
        elementsprites::showAt(spiral, px, py);
        idle->Hide();
    } else {
        elementsprites::showAt(idle, px, py);
        spiral->Hide();
    }
    if (record.flashStep >= 0) {
        glow->SetFrame(PictureAt(record.flashStep, FLASH_PICTURES));
        elementsprites::showAt(glow, px, py);
    } else {
        glow->Hide();
    }
}

void CElementDeviceTeleport::ResetPairs()
{
    pairs = Pairs();
    savedPairs.Fill(pairs);
}

void CElementDeviceTeleport::SavePairs(int step)
{
    savedPairs.Save(step, pairs);
}

void CElementDeviceTeleport::RestorePairs(int step)
{
    savedPairs.Restore(step, pairs);
}

void CElementDeviceTeleport::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDeviceTeleport::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementDeviceTeleport::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.flashStep, record.inflateStep});
}
