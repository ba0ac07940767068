#include "elements/CElementObjectMagnet.h"

#include <algorithm>
#include <cstdio>

#include "engine/Log.h"

uint8_t CElementObjectMagnet::sharedImages = 0;
CElementObjectMagnet::Lists CElementObjectMagnet::lists;
SlotCopies<CElementObjectMagnet::Lists> CElementObjectMagnet::savedLists;

namespace {
void eraseFrom(std::vector<CElementObjectMagnet*>& list, CElementObjectMagnet* magnet)
{
    list.erase(std::remove(list.begin(), list.end(), magnet), list.end());
}

template <class Lists>
void eraseFromBoth(Lists& lists, CElementObjectMagnet* magnet)
{
    eraseFrom(lists.left, magnet);
    eraseFrom(lists.right, magnet);
}
} // namespace

CElementObjectMagnet::CElementObjectMagnet(int cx, int cy, int inflatable, int cellFlag, int left)
    : CElementObject(cx, cy, OBJECT_MAGNET, inflatable ? MATERIAL_INFLATABLE : MATERIAL_METAL, left != 0)
{
    typeMagnet = left ? MAGNET_LEFT : MAGNET_RIGHT;
    magnetic = 1;
    CreateBody("Magnet Object", sharedImages, true);
    AddPictures(left ? (inflatable ? "magnetinflatableleft" : "magnetleft")
                     : (inflatable ? "magnetinflatableright" : "magnetright"),
                inflatable != 0);
    (left ? lists.left : lists.right).push_back(this);
    ShowStartPicture(cellFlag);
}

CElementObjectMagnet::~CElementObjectMagnet()
{
    eraseFromBoth(lists, this);
    for (int s = 0; s < UNDO_SLOTS; ++s)
        eraseFromBoth(savedLists[s], this);
}

void CElementObjectMagnet::AddPictures(const char* stem, bool inflatable)
{
    AddPlainLooks(stem);
    char name[80];
    if (inflatable) {
        // An inflatable magnet bursts under heat, so it never shows hot.
        const char* side = typeMagnet == MAGNET_LEFT ? "left" : "right";
        snprintf(name, sizeof name, "magnetinflate%s", side);
        looks.inflateFirst = AddSeries(name, 0, 2, ".tga");
        snprintf(name, sizeof name, "magnetinflate%s4.tga", side);
        AddPicture(name);
        looks.inflateCount = 4;
        return;
    }
    static const char* const kHot[3] = {"normal", "left", "right"};
    for (int d = 0; d < 3; ++d) {
        snprintf(name, sizeof name, "%sheated%s.png", stem, kHot[d]);
        looks.heated[d] = AddPicture(name);
    }
    for (int k = 0; k < 3; ++k) {
        snprintf(name, sizeof name, "%sheatedsquash%d.png", stem, SQUASH_NUMBERS[k]);
        looks.heatedSquash[k] = AddPicture(name);
    }
    snprintf(name, sizeof name, "%scooling", stem);
    looks.coolingFirst = AddSeries(name, 0, 6, ".png");
    looks.coolingCount = 7;
}

// ---------------------------------------------------------------- links

void CElementObjectMagnet::ReleaseSide(bool left)
{
    CElement* partner = GetMagnetLink(left);
    if (!partner->IsNull() && partner->GetMagnetLink(!left) == this)
        partner->SetMagnetLink(nullElement, !left);
    SetMagnetLink(nullElement, left);
}

void CElementObjectMagnet::ReleaseAll()
{
    ReleaseSide(true);
    ReleaseSide(false);
}

void CElementObjectMagnet::UpdateLinks()
{
    if (!inGrid || exploded) {
        ReleaseAll();
        return;
    }
    // A moving magnet keeps its links: a held chain moves together. A magnet
    // that is held, or holds something, keeps its links too: it neither
    // looks further nor pulls nor repels until the EMP or an opening gate
    // lets go.
    if (moving || IsMagnetHeld())
        return;
    bool left = IsMagnetLeft();
    for (int d = 1;; ++d) {
        int cx = left ? x - d : x + d;
        if (!isOnBoard(cx, y))
            return;
        CElement* e = getElementAt(cx, y, false);
        if (e->IsNull())
            continue;
        if (e->moving || e->exploded)
            return;
        bool poleToPole = e->IsMagnet() && (left ? e->IsMagnetRight() : e->IsMagnetLeft());
        if (poleToPole) {
            if (d == 1) {
                logPrint(LOG_MAGNET, "Magnets at (%i,%i) and (%i,%i) repel\n", x, y, cx, y);
                if (left) {
                    e->PushLeft(true, false);
                    PushRight(true, false);
                } else {
                    e->PushRight(true, false);
                    PushLeft(true, false);
                }
            }
            return;
        }
        if (!e->metallic && !e->magnetic)
            return; // wood and walls stop the magnet's view
        if (d == 1) {
            logPrint(LOG_MAGNET, "Magnet at (%i,%i) holds element at (%i,%i)\n", x, y, cx, y);
            SetMagnetLink(e, left);
            e->SetMagnetLink(this, !left);
            return;
        }
        // Pull the metal one cell closer; metal that cannot move pulls the
        // magnet toward itself instead.
        bool pulled = e->mobile && !e->IsMagnetHeld() && (left ? e->PushRight(true, false) : e->PushLeft(true, false));
        if (!pulled) {
            if (left)
                PushLeft(true, false);
            else
                PushRight(true, false);
        }
        return;
    }
}

void CElementObjectMagnet::UpdateAllMagnets()
{
    // Left-facing magnets first, then right-facing ones, each in the order
    // they were built. Pushes never change the lists.
    for (const std::vector<CElementObjectMagnet*>* list : {&lists.left, &lists.right}) {
        for (size_t i = 0; i < list->size(); ++i) {
            CElementObjectMagnet* m = (*list)[i];
            if (m->magnetRecord.offTicks > 0) {
                --m->magnetRecord.offTicks;
                continue;
            }
            m->UpdateLinks();
        }
    }
}

void CElementObjectMagnet::ActivateEmp()
{
    for (auto* list : {&lists.left, &lists.right}) {
        for (CElementObjectMagnet* m : *list) {
            m->magnetRecord.offTicks = EMP_OFF_TICKS;
            m->empActive = 1;
            m->ReleaseAll();
        }
    }
}

// ---------------------------------------------------------------- reset and undo

void CElementObjectMagnet::ResetAllMagnets()
{
    lists = Lists();
    savedLists.Fill(lists);
}

void CElementObjectMagnet::SaveAllMagnets(int step)
{
    savedLists.Save(step, lists);
}

void CElementObjectMagnet::RestoreAllMagnets(int step)
{
    savedLists.Restore(step, lists);
}

void CElementObjectMagnet::SaveState(int step)
{
    savedMagnetRecords.Save(step, magnetRecord);
    CElementObject::SaveState(step);
}

void CElementObjectMagnet::RestoreState(int step)
{
    savedMagnetRecords.Restore(step, magnetRecord);
    CElementObject::RestoreState(step);
}

void CElementObjectMagnet::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElementObject::AppendOwnState(numbers, links);
    numbers.push_back(magnetRecord.offTicks);
}
