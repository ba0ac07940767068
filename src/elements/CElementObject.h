// CElementObject: the movable objects (crate, barrel, magnet). An object
// fills its cell, falls when nothing carries it, can be pushed and slides on
// slippery ground (the world core does the motion); this class adds what the
// three kinds share: material flags, friction, the choice of picture every
// frame, the landing squash, the cooling of hot metal, the inflation of an
// object the professor places, and their part of an undo step.
//
// An object shows one sprite that holds all its pictures; the picture shown
// is picked each frame from the object's condition, so an undo step restores
// it with the sprite's frame.
#pragma once

#include <cstdint>

#include "elements/SlotCopies.h"
#include "world/CElement.h"
#include "level/TileCodes.h"

class CElementObject : public CElement {
public:
    enum Material { MATERIAL_WOOD = 0, MATERIAL_METAL = 1, MATERIAL_INFLATABLE = 2 };

    CElementObject(int x, int y, int objectType, int material, bool facingLeft);
    ~CElementObject() override;

    // ------------------------------------------------ friction
    // Slippery (-1) while frozen and not on a trampoline, else plain.
    int GetFriction() override;
    int GetFrictionModifier() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // ------------------------------------------------ dumps
    void DumpState() override;

    int GetMaterial() const { return material; }
    bool IsInflating() const { return record.inflateStep >= 0; }

protected:
    // Picture indices of the body sprite for crates and magnets (barrels
    // choose their own). -1 where a material has no such picture.
    struct Looks {
        int normal[3] = {0, 0, 0}; // at rest, moving left, moving right
        int frozen[3] = {0, 0, 0};
        int heated[3] = {-1, -1, -1};
        int squash[3] = {-1, -1, -1}; // the landing squash, three pictures
        int heatedSquash[3] = {-1, -1, -1};
        int coolingFirst = -1;
        int coolingCount = 0;
        int inflateFirst = -1;
        int inflateCount = 0;
    };
    // Direction index into the looks: 0 at rest, 1 moving left, 2 right.
    int MotionIndex();
    // Adds a picture to the body and returns its index.
    int AddPicture(const char* name);
    int AddSeries(const char* prefix, int first, int last, const char* suffix);
    // Adds the pictures every crate and magnet has, from its stem: at rest
    // and leaning left and right ("<stem>still0.tga", "<stem>left0.tga", ...),
    // the same frozen ("<stem>stillfrozen0.tga", ...) and the landing squash
    // ("<stem>squash0.tga", 1 and 4).
    void AddPlainLooks(const char* stem);
    // The numbers of the three squash pictures.
    static const int SQUASH_NUMBERS[3];
    // Makes the body sprite (type 80) and the effect sprites of the material;
    // the subclass then adds its pictures.
    void CreateBody(const char* name, uint8_t sharedImages, bool empOverlay);
    // The picture for this frame.
    virtual int ChooseFrame();
    // Shows the body with the picture for the object's condition.
    void ShowBody();
    // Shows the first picture: the level cell's flag (frozen or heated)
    // chooses it, before the factory freezes or heats the object.
    void ShowStartPicture(int cellFlag);
    // Sets the flags of the material (called by the constructor).
    void ApplyMaterial();

    enum { STEPS_PER_PICTURE = 2, SQUASH_PICTURES = 3 };

    // What an undo step keeps besides the element record.
    struct Record {
        int32_t inflateStep; // steps of the inflation so far, -1 when done
        int32_t squashStep;  // steps of the landing squash so far, -1 when none
        int32_t coolStep;    // steps of the cooling so far, -1 when none
        int32_t spin;        // barrels: turns made while spinning in place
    };

    int material;
    Looks looks;
    Record record{-1, -1, -1, 0};
    SlotCopies<Record> savedRecords;
    CSprite* body = nullptr;

private:
    void AdvanceAnimations();
};
