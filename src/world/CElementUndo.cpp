// The undo ring: the last five steps of a level. A step is every element's
// saved state, the board grid, the element lists, five outcome flags and the
// board devices' class-wide state.
#include <algorithm>
#include <cstring>

#include "engine/Log.h"
#include "world/CElement.h"
#include "world/CElementBoard.h"

int32_t CElement::undoCount = 0;
int32_t CElement::undoStart = 0;
uint8_t CElement::undoSynced = 0;
uint8_t CElement::undoPending = 0;

namespace {

// The grids, lists and outcome flags of one undo slot.
struct UndoSlot {
    CElement* grid[CElement::GRID_CELLS];
    std::vector<CElement*> elements;
    std::vector<CElement*> spawned;
    uint8_t caught, exited, singed, fallen, exitTubeDestroyed;
};

UndoSlot slots[CElement::UNDO_SLOTS];

} // namespace

void CElement::ResetUndoRing()
{
    undoCount = 0;
    undoStart = 0;
    undoSynced = 0;
    undoPending = 0;
    for (UndoSlot& s : slots) {
        s.elements.clear();
        s.spawned.clear();
    }
}

// ---------------------------------------------------------------- one element

void CElement::AppendOwnState(std::vector<int64_t>&, std::vector<const CElement*>&) const {}

void CElement::SaveState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Saving Element state...\n", GetName());
    CElementSavedState& s = saved[step];
    s.mainSprite = mainSprite;
    s.state = state;
    if (mainSprite)
        mainSprite->SaveState(s.mainSpriteState);
    delete s.secondSprite;
    s.secondSprite = secondSprite ? secondSprite->Copy(false) : nullptr;
    s.fields = static_cast<const CElementFields&>(*this);
}

void CElement::RestoreState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Restoring Element state...\n", GetName());
    CElementSavedState& s = saved[step];
    if (s.mainSprite != mainSprite) {
        if (mainSprite) {
            mainSprite->Hide();
            mainSprite->ResetAnimation();
        }
        mainSprite = s.mainSprite;
        if (mainSprite)
            mainSprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    }
    sprite = mainSprite;
    state = s.state;
    if (mainSprite)
        mainSprite->RestoreState(s.mainSpriteState);
    for (CSprite* effect : {heatOverlay, heatExplosion, steamExplosion, empOverlay})
        if (effect)
            effect->Hide();
    delete secondSprite;
    // The slot keeps its copy, so the same step can be restored again.
    secondSprite = s.secondSprite ? s.secondSprite->Copy(true) : nullptr;
    static_cast<CElementFields&>(*this) = s.fields;
}

// ---------------------------------------------------------------- grids of one slot

void CElement::SaveGridsForStep(int step)
{
    UndoSlot& s = slots[step];
    std::memcpy(s.grid, grid, sizeof grid);
    s.elements = allElements;
    s.spawned = spawnedElements;
    s.caught = caught;
    s.exited = exited;
    s.singed = singed;
    s.fallen = fallen;
    s.exitTubeDestroyed = exitTubeDestroyed;
}

void CElement::RestoreGridsForStep(int step)
{
    UndoSlot& s = slots[step];
    std::memcpy(grid, s.grid, sizeof grid);
    allElements = s.elements;
    spawnedElements = s.spawned;
    caught = s.caught;
    exited = s.exited;
    singed = s.singed;
    fallen = s.fallen;
    exitTubeDestroyed = s.exitTubeDestroyed;
}

// ---------------------------------------------------------------- save and load

void CElement::UndoSave()
{
    if (caught || exited || singed || fallen)
        return;
    if (undoSynced) {
        logPrint(LOG_DEBUG, "UNDO SAVE - Skipped because just undid last step  (start=%i,count=%i)\n", undoStart,
                 undoCount);
        undoSynced = 0;
        return;
    }
    int slot = (undoStart + undoCount) % UNDO_SLOTS;
    if (undoCount == 0) {
        undoSynced = 1;
        undoCount = 1;
    } else if (undoCount == UNDO_SLOTS) {
        undoStart = (undoStart + 1) % UNDO_SLOTS;
    } else {
        ++undoCount;
    }
    logPrint(LOG_DEBUG, "UNDO SAVE - at index %i  (start=%i,count=%i)\n", slot, undoStart, undoCount);
    logPrint(LOG_UNDO, "Saving all element states...\n");
    for (CElement* e : allElements) {
        logPrint(LOG_UNDO, "   Saving STEP %i of Element '%s'\n", slot, e->GetName());
        e->SaveState(slot);
    }
    logPrint(LOG_UNDO, "   Saving STEP %i of obstructions\n", slot);
    SaveGridsForStep(slot);
    board::saveDevices(slot);
}

void CElement::UndoLoad(bool force)
{
    if (levelEnded || undoCount == 0)
        return;
    if (!force && undoSynced) {
        logPrint(LOG_DEBUG,
                 "UNDO LOAD - Skipped because nothing changed since final step restored (start=%i,count=%i)\n",
                 undoStart, undoCount);
        return;
    }
    int slot = (undoStart + undoCount - 1) % UNDO_SLOTS;
    if (undoCount < 2)
        undoSynced = 1;
    else
        --undoCount;
    logPrint(LOG_DEBUG, "UNDO LOAD - at index %i  (start=%i,count=%i)\n", slot, undoStart, undoCount);
    PlayFlashBang();

    const std::vector<CElement*>& keptSpawned = slots[slot].spawned;
    bool spawnedChanged = spawnedElements != keptSpawned;
    logPrint(LOG_UNDO, "Restoring all element states...\n");
    // Work on a copy: deleting a spawned element must not disturb the walk.
    std::vector<CElement*> current = allElements;
    for (CElement* e : current) {
        if (spawnedChanged && e->spawned &&
            std::find(keptSpawned.begin(), keptSpawned.end(), e) == keptSpawned.end()) {
            logPrint(LOG_UNDO, "   Deleting Spawned Element '%s'\n", e->GetName());
            // The element may still be named by the grid or by other slots:
            // those references are cleared before it goes.
            for (CElement*& cell : grid)
                if (cell == e)
                    cell = nullElement;
            for (UndoSlot& other : slots) {
                other.elements.erase(std::remove(other.elements.begin(), other.elements.end(), e),
                                     other.elements.end());
                other.spawned.erase(std::remove(other.spawned.begin(), other.spawned.end(), e),
                                    other.spawned.end());
                for (CElement*& cell : other.grid)
                    if (cell == e)
                        cell = nullElement;
            }
            delete e;
        } else {
            logPrint(LOG_UNDO, "   Restoring STEP %i of Element '%s'\n", slot, e->GetName());
            e->RestoreState(slot);
        }
    }
    logPrint(LOG_UNDO, "   Restoring STEP %i of obstructions\n", slot);
    RestoreGridsForStep(slot);
    board::restoreDevices(slot);
}
