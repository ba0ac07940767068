// The five undo copies of one plain record: an element's own state beside
// the base record, or a class-wide grid or list. Saving a step is one copy
// into its slot and restoring it one copy back; slots outside the ring are
// ignored.
#pragma once

#include "world/CElement.h"

template <class Record>
class SlotCopies {
public:
    void Save(int step, const Record& live)
    {
        if (step >= 0 && step < CElement::UNDO_SLOTS)
            slots[step] = live;
    }
    void Restore(int step, Record& live) const
    {
        if (step >= 0 && step < CElement::UNDO_SLOTS)
            live = slots[step];
    }
    // Every slot back to the given value (a level reset).
    void Fill(const Record& value)
    {
        for (Record& slot : slots)
            slot = value;
    }
    Record& operator[](int step) { return slots[step]; }

private:
    Record slots[CElement::UNDO_SLOTS]{};
};
