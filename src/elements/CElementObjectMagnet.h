// CElementObjectMagnet: a horseshoe magnet whose poles face left or right; a
// normal (metal) one from the level or an inflatable one the professor
// places. Once per world step every magnet that nothing holds (no link on
// either side) looks along its row on its poles' side (UpdateAllMagnets):
// metal next to it is linked to it (held),
// metal further away is pulled one cell closer (or the magnet moves toward
// metal that cannot move), and a magnet facing it pole to pole right beside
// it is pushed away, as the magnet is. The EMP switches every magnet off for
// a few steps and drops everything it held.
#pragma once

#include <cstdint>
#include <vector>

#include "elements/CElementObject.h"

class CElementObjectMagnet : public CElementObject {
public:
    enum { EMP_OFF_TICKS = 4 };

    // inflatable: 1 for a magnet placed by the professor; cellFlag as for
    // crates; left: 1 a left-facing magnet (typeMagnet 1), 0 a right-facing
    // one (typeMagnet 2).
    CElementObjectMagnet(int x, int y, int inflatable, int cellFlag, int left);
    ~CElementObjectMagnet() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ world-core operations
    // Once per world step, after the catch test and before falling.
    static void UpdateAllMagnets();
    // Every magnet off for EMP_OFF_TICKS steps, its links released.
    static void ActivateEmp();

    // ------------------------------------------------ level reset and undo of the class-wide lists
    static void ResetAllMagnets();
    static void SaveAllMagnets(int step);
    static void RestoreAllMagnets(int step);

    // ------------------------------------------------ queries
    static const std::vector<CElementObjectMagnet*>& GetLeftMagnets() { return lists.left; }
    static const std::vector<CElementObjectMagnet*>& GetRightMagnets() { return lists.right; }
    int GetOffTicks() const { return magnetRecord.offTicks; }
    bool IsActive() const { return magnetRecord.offTicks == 0 && inGrid && !exploded; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the object's record.
    struct MagnetRecord {
        int32_t offTicks; // steps left switched off by the EMP
    };

    // Builds the link on the poles' side of a magnet that nothing holds,
    // pulling or repelling as it goes; a destroyed magnet lets go of all.
    void UpdateLinks();
    void ReleaseSide(bool left);
    void ReleaseAll();
    void AddPictures(const char* stem, bool inflatable);

    MagnetRecord magnetRecord{0};
    SlotCopies<MagnetRecord> savedMagnetRecords;

    // Every magnet of the board by the side its poles face, in construction
    // order.
    struct Lists {
        std::vector<CElementObjectMagnet*> left;
        std::vector<CElementObjectMagnet*> right;
    };
    static Lists lists;
    static SlotCopies<Lists> savedLists;
};
