#include "elements/CElementObject.h"

#include <cstdio>

#include "elements/ElementSprites.h"
#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"

namespace {
enum { ANCHOR_X = 6, ANCHOR_Y = 12, OBJECT_LAYER = 80 };
} // namespace

CElementObject::CElementObject(int cx, int cy, int objectType, int mat, bool facing)
    : CElement(cx, cy, 1),
      material(mat >= MATERIAL_WOOD && mat <= MATERIAL_INFLATABLE ? mat : MATERIAL_WOOD)
{
    type = TYPE_OBJECT;
    typeObject = objectType;
    facingLeft = facing ? 1 : 0;
    inGrid = canFall = canSlide = mobile = freezable = 1;
    ApplyMaterial();
    if (material == MATERIAL_INFLATABLE) {
        record.inflateStep = 0;
        registerSpawnedElement(this);
    }
    // The new object takes its cell (the professor reserved it for an
    // inflation by standing in it in the grid).
    setElementAt(cx, cy, this);
}

CElementObject::~CElementObject()
{
    FreeEffectSprites();
    delete body;
}

void CElementObject::ApplyMaterial()
{
    switch (material) {
    case MATERIAL_METAL:
        metallic = 1;
        heatable = 1;
        break;
    case MATERIAL_INFLATABLE:
        burnable = 1;
        bursts = 1;
        break;
    default:
        burnable = 1;
        break;
    }
}

void CElementObject::CreateBody(const char* name, uint8_t sharedImages, bool empOverlay)
{
    CreateEffectSprites(heatable != 0, burnable != 0, true, empOverlay);
    body = elementsprites::newBoardSprite(name, ANCHOR_X, ANCHOR_Y, OBJECT_LAYER, 0, sharedImages, 1);
    mainSprite = sprite = body;
}

int CElementObject::AddPicture(const char* name)
{
    body->AddFrame(name);
    return body->GetFrameCount() - 1;
}

int CElementObject::AddSeries(const char* prefix, int first, int last, const char* suffix)
{
    int start = body->GetFrameCount();
    elementsprites::addSeries(body, prefix, first, last, suffix);
    return start;
}

const int CElementObject::SQUASH_NUMBERS[3] = {0, 1, 4};

void CElementObject::AddPlainLooks(const char* stem)
{
    char name[80];
    static const char* const kMoves[3] = {"still", "left", "right"};
    for (int d = 0; d < 3; ++d) {
        snprintf(name, sizeof name, "%s%s0.tga", stem, kMoves[d]);
        looks.normal[d] = AddPicture(name);
        snprintf(name, sizeof name, "%s%sfrozen0.tga", stem, kMoves[d]);
        looks.frozen[d] = AddPicture(name);
    }
    for (int k = 0; k < 3; ++k) {
        snprintf(name, sizeof name, "%ssquash%d.tga", stem, SQUASH_NUMBERS[k]);
        looks.squash[k] = AddPicture(name);
    }
}

int CElementObject::GetFriction()
{
    return frozen && !tramp ? -1 : 0;
}

int CElementObject::GetFrictionModifier()
{
    return frozen && !tramp ? -1 : 0;
}

int CElementObject::MotionIndex()
{
    if (IsMovingLeft())
        return 1;
    if (IsMovingRight())
        return 2;
    return 0;
}

void CElementObject::AdvanceAnimations()
{
    if (record.inflateStep >= 0 && ++record.inflateStep >= looks.inflateCount * STEPS_PER_PICTURE)
        record.inflateStep = -1;
    if (justLanded && landFrame == static_cast<int>(CDraw::GetFrameCount()) && record.squashStep < 0)
        record.squashStep = 0;
    else if (record.squashStep >= 0 && ++record.squashStep >= SQUASH_PICTURES * STEPS_PER_PICTURE)
        record.squashStep = -1;
    if (cooling && record.coolStep < 0)
        record.coolStep = 0;
    else if (record.coolStep >= 0 && ++record.coolStep >= looks.coolingCount * STEPS_PER_PICTURE) {
        // The hot metal has cooled down completely.
        record.coolStep = -1;
        cooling = 0;
    }
}

int CElementObject::ChooseFrame()
{
    int dir = MotionIndex();
    if (record.inflateStep >= 0 && looks.inflateFirst >= 0)
        return looks.inflateFirst + record.inflateStep / STEPS_PER_PICTURE;
    if (frozen)
        return looks.frozen[dir];
    int squash = record.squashStep >= 0 ? record.squashStep / STEPS_PER_PICTURE : -1;
    if (heated && looks.heated[0] >= 0) {
        if (squash >= 0 && looks.heatedSquash[0] >= 0)
            return looks.heatedSquash[squash];
        return looks.heated[dir];
    }
    if (record.coolStep >= 0 && looks.coolingFirst >= 0)
        return looks.coolingFirst + record.coolStep / STEPS_PER_PICTURE;
    if (squash >= 0 && looks.squash[0] >= 0)
        return looks.squash[squash];
    return looks.normal[dir];
}

void CElementObject::Pump()
{
    AnimateEffects();
    if (!inGrid) {
        // Burnt, burst or melted: only its effect is left to play.
        elementsprites::hide(body);
        if (secondSprite)
            FreeSecondSprite();
        return;
    }
    AdvanceAnimations();
    ShowBody();
    createTeleportGhost();
    PlaceOverlaySprites();
}

void CElementObject::ShowBody()
{
    mainSprite = sprite = body;
    body->SetFrame(ChooseFrame());
    elementsprites::showAt(body, pixelX, pixelY);
}

void CElementObject::ShowStartPicture(int cellFlag)
{
    uint8_t wasFrozen = frozen, wasHeated = heated;
    if (cellFlag & CELL_FROZEN)
        frozen = 1;
    else if ((cellFlag & CELL_HEATED) && heatable)
        heated = 1;
    ShowBody();
    frozen = wasFrozen;
    heated = wasHeated;
}

void CElementObject::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementObject::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementObject::DumpState()
{
    logPrint(LOG_DEBUG,
             "TYPE=%d  OBJECT=%d  CURRENT=(%d,%d)  MOVING=%d  FALLING=%d(%d)  SLIDING=%d  PUSHED=%d  FROZEN=%d  "
             "HEATED=%d  MAGNETHELD=%d  TRAMP=%d\n",
             type, typeObject, x, y, moving, falling, justLanded, sliding, pushed, frozen, heated,
             IsMagnetHeld() ? 1 : 0, tramp);
}

void CElementObject::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.inflateStep, record.squashStep, record.coolStep, record.spin});
}
