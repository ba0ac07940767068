// CElement: everything that stands on the board (terrain run, ladder, crate,
// barrel, magnet, device, walker, tutorial marker) and the world that holds
// them: the element registries, the 32 x 24 board grid with its one null
// element, the outcome flags of a level, movement, falling and sliding, heat
// and cold, the undo ring and the world step.
//
// The code is split by theme over several files:
//   CElement.cpp          record, registries, grid, predicates, names, dumps
//   CElementMove.cpp      moves, pushes, bumps, neighbour cells through teleports
//   CElementPhysics.cpp   falling, barrel squish, sliding
//   CElementHeat.cpp      freeze, heat, heat transfer, effect overlays
//   CElementUndo.cpp      the undo ring
//   CElementStep.cpp      the world step, the catch test, motion sounds
//   CElementBoard.h       what the world asks of the board devices' class-wide
//                         grids (answered in play/CElementBoard.cpp)
#pragma once

#include <cstdint>
#include <vector>

#include "engine/CSprite.h"

class CSound;
class CProfile;
class CElement;

// The fields an undo step keeps of every element, from the current cell to
// the catch flags. Kept in one plain record so that saving an element is one
// copy and restoring it one copy back. CElement derives from it, so the
// fields read as the element's own (x, y, moving, ...).
struct CElementFields {
    int32_t x, y;             // current cell; while moving, the cell moved into
    int32_t prevX, prevY;     // the cell being left; equal to x, y at rest
    int32_t entryX, entryY;   // the cell a move aimed at before a teleport redirected it
    int32_t pixelX, pixelY;   // drawing position in board pixels
    int32_t lastPixelX, lastPixelY; // pixel position of the previous frame
    int32_t carryX, carryY;   // pixel position carried along with a teleported move
    uint8_t magnetic;         // a magnet that attracts
    uint8_t metallic;         // magnets attract it
    uint8_t bursts;           // the heat explosion bursts instead of burning
    uint8_t inGrid;           // occupies the board grid
    uint8_t canFall;          // the falling pass considers it
    uint8_t canSlide;         // the sliding pass considers it
    uint8_t mobile;           // gates every motion predicate and GetGridX/GetGridY
    uint8_t freezable;
    uint8_t heatable;
    uint8_t burnable;         // heat destroys it with an explosion
    uint8_t meltable;         // heat destroys it with a steam cloud
    uint8_t facingLeft;
    uint8_t moving;           // a move toward the current cell is under way
    uint8_t falling;
    uint8_t sliding;
    uint8_t pushing;          // a walker pushes
    uint8_t pushed;           // the current move was caused by a push
    uint8_t landing;          // set by the falling pass on the frame it lands
    uint8_t heatImmune;       // heat is not passed into it (set by the professor)
    uint8_t empActive;        // the EMP overlay runs
    uint8_t exploded;         // the heat explosion has run to its end: the element is gone
    uint8_t effectSilenced;   // the heat and steam effects start no sound
    uint8_t frozen;
    uint8_t steamActive;      // the steam effect runs
    uint8_t thawing;          // heat melted its frost (cleared by the walkers)
    uint8_t heated;
    uint8_t cooling;          // a heated element cooled by cold
    uint8_t heatEffectActive; // the heat explosion runs
    uint8_t delayedHeat;      // heat to be applied later (UseDelayedHeat)
    uint8_t carried;          // the current move passes through a teleport
    int32_t moveCount;        // frames of the current teleported move
    uint8_t ridden;           // a barrel ridden by a walker
    uint8_t rollLeft, rollRight; // roll direction of a ridden barrel
    uint8_t wasMovingLeft, wasMovingRight, wasMovingUp, wasMovingDown;
    uint8_t startedSupported; // the cell below was solid when the move began
    uint8_t justLanded;       // landed in frame landFrame; lasts that frame
    int32_t landFrame;        // frame of the landing, -1 when none
    uint8_t skipSlideCheck;   // the next slide check is skipped once
    uint8_t tramp;            // stands on a trampoline cell
    uint8_t bounceReady1, bounceReady2;
    uint8_t leftTrampoline;   // tramp was cleared while not frozen
    CElement* lmagnet;        // magnet link on the left; the null element when unlinked
    CElement* rmagnet;        // magnet link on the right; the null element when unlinked
    uint8_t catchLeft, catchRight; // a bot caught the professor (see CheckCatching)
};

// One undo step of one element.
struct CElementSavedState {
    CSprite* mainSprite = nullptr;
    CSprite* secondSprite = nullptr; // the slot's own unregistered copy, or null
    int32_t state = -1;
    CSpriteState mainSpriteState{};
    CElementFields fields{};
};

class CElement : public CElementFields {
public:
    enum { GRID_WIDTH = 32, GRID_HEIGHT = 24, GRID_CELLS = 32 * 24, TILE = 24, UNDO_SLOTS = 5 };
    // Values of type.
    enum ElementType {
        TYPE_NULL = 0,
        TYPE_TERRAIN = 2,
        TYPE_LADDER = 3,
        TYPE_DEVICE = 4,
        TYPE_OBJECT = 5,
        TYPE_AI = 6,
        TYPE_UNUSED7 = 7, // no element class uses it
        TYPE_TUTORIAL = 8
    };
    enum ObjectType { OBJECT_NONE = 0, OBJECT_CRATE = 1, OBJECT_BARREL = 2, OBJECT_MAGNET = 3 };
    enum DeviceType {
        DEVICE_NONE = 0,
        DEVICE_GUNSHOT = 1,
        DEVICE_GATE = 2,
        DEVICE_BUTTON = 3,
        DEVICE_TRAMPOLINE = 4,
        DEVICE_TUBE = 5,
        DEVICE_TELEPORT = 6,
        DEVICE_POWERUP = 7
    };
    enum AIType { AI_NONE = 0, AI_PROFESSOR = 1, AI_BOT = 2 };
    enum TerrainType { TERRAIN_NONE = 0, TERRAIN_GRASS = 1, TERRAIN_ICE = 2, TERRAIN_SAND = 3, TERRAIN_BRIDGE = 4 };
    enum MagnetType { MAGNET_NONE = 0, MAGNET_LEFT = 1, MAGNET_RIGHT = 2 };
    enum { LADDER_PLATFORM = 6 }; // typeLadder of a ladder platform
    enum { FALL_LIMIT_ROW = 26 }; // an element leaving the board at the bottom stops on this row

    // ------------------------------------------------ the record (besides CElementFields)
    CElementSavedState saved[UNDO_SLOTS];
    CSound* soundStop = nullptr;       // "object_stop.ogg"
    CSound* soundLand = nullptr;       // "object_land.ogg"
    CSound* soundSlideIce = nullptr;   // "object_slide_ice.ogg"
    CSound* soundSlide = nullptr;      // "object_slide.ogg"
    CSound* soundBarrelRoll = nullptr; // "object_barrel_roll.ogg"
    CSound* soundHeat = nullptr;       // made by CreateEffectSprites with the heat explosion
    CSound* soundMelt = nullptr;       // made by CreateEffectSprites with the steam cloud
    int32_t type = TYPE_NULL;
    int32_t typeObject = OBJECT_NONE;
    int32_t typeDevice = DEVICE_NONE;
    int32_t typeAI = AI_NONE;
    int32_t typeTerrain = TERRAIN_NONE;
    int32_t typeLadder = 0;
    int32_t typeMagnet = MAGNET_NONE;
    int32_t spawned = 0;        // 1 for an element created during play
    int32_t width = 1;          // cells covered from x rightwards
    CSprite* sprite = nullptr;  // the sprite shown now (owned by the subclass)
    CSprite* heatOverlay = nullptr;    // effect sprites, made by CreateEffectSprites
    CSprite* heatExplosion = nullptr;
    CSprite* steamExplosion = nullptr;
    CSprite* empOverlay = nullptr;
    CSprite* mainSprite = nullptr;     // the sprite whose animation the undo ring saves
    CSprite* secondSprite = nullptr;   // optional; deleted by the destructor
    int32_t state = -1;                // the subclass's animation or behaviour state

    // ------------------------------------------------ construction
    // Registers the element in allElements. Subclasses that occupy a cell
    // set inGrid and write themselves into the grid (setElementAt).
    CElement(int x, int y, int width);
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    // ------------------------------------------------ the 34 virtual operations, in slot order
    virtual void Move();                                       // 0
    virtual bool CanFallWith(CElement* linked, bool leftSide); // 1
    virtual bool CanFall(bool supportOnly);                    // 2
    virtual bool ShouldSlide();                                // 3
    virtual ~CElement();                                       // 4, 5
    virtual void SaveState(int step);                          // 6
    virtual void RestoreState(int step);                       // 7
    virtual void ReleaseMagnets();                             // 8
    virtual int GetGridX();                                    // 9
    virtual int GetGridY();                                    // 10
    virtual void Pump();                                       // 11
    virtual bool IsFacingLeft();                               // 12
    virtual bool IsMoving();                                   // 13
    virtual bool IsMovingLeft();                               // 14
    virtual bool IsMovingRight();                              // 15
    virtual bool IsMovingUp();                                 // 16
    virtual bool IsMovingDown();                               // 17
    virtual bool WasMovingLeft();                              // 18
    virtual bool WasMovingRight();                             // 19
    virtual bool IsOnSlipperyGround();                         // 20
    virtual bool IsOnStickyGround();                           // 21
    virtual bool PushRight(bool force, bool fromTrampoline);   // 22
    virtual bool PushLeft(bool force, bool fromTrampoline);    // 23
    virtual bool PushUp();                                     // 24
    virtual bool PushDown();                                   // 25
    virtual bool BumpedRight();                                // 26
    virtual bool BumpedLeft();                                 // 27
    virtual void Collapse();                                   // 28
    virtual int GetFrictionModifier();                         // 29
    virtual int GetFriction();                                 // 30
    virtual void DumpState();                                  // 31
    virtual void DumpSprites();                                // 32
    virtual bool IsCatching();                                 // 33
    // Beyond the 34: what a subclass's undo step keeps besides the element
    // record, as numbers and as the elements it names, for board comparisons
    // (tests, the replay tool's board hash). The base keeps nothing more.
    virtual void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const;

    // ------------------------------------------------ predicates
    bool IsNull() const { return type == TYPE_NULL; }
    bool IsTerrain() const { return type == TYPE_TERRAIN; }
    bool IsLadder() const { return type == TYPE_LADDER; }
    bool IsDevice() const { return type == TYPE_DEVICE; }
    bool IsObject() const { return type == TYPE_OBJECT; }
    bool IsAI() const { return type == TYPE_AI; }
    bool IsType7() const { return type == TYPE_UNUSED7; }
    bool IsCrate() const { return typeObject == OBJECT_CRATE; }
    bool IsBarrel() const { return typeObject == OBJECT_BARREL; }
    bool IsMagnet() const { return typeObject == OBJECT_MAGNET; }
    bool IsGunshot() const { return typeDevice == DEVICE_GUNSHOT; }
    bool IsGate() const { return typeDevice == DEVICE_GATE; }
    bool IsTeleport() const { return typeDevice == DEVICE_TELEPORT; }
    bool IsAIProfessor() const { return typeAI == AI_PROFESSOR; }
    bool IsBot() const { return typeAI == AI_BOT; }
    bool IsGrass() const { return typeTerrain == TERRAIN_GRASS; }
    bool IsIce() const { return typeTerrain == TERRAIN_ICE; }
    bool IsSand() const { return typeTerrain == TERRAIN_SAND; }
    bool IsBridge() const { return typeTerrain == TERRAIN_BRIDGE; }
    bool IsLadderPlatform() const { return typeLadder == LADDER_PLATFORM; }
    bool IsMagnetLeft() const { return typeMagnet == MAGNET_LEFT; }
    bool IsMagnetRight() const { return typeMagnet == MAGNET_RIGHT; }

    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetPixelX() const { return pixelX; }
    int GetPixelY() const { return pixelY; }
    int GetWidth() const { return width; }
    int GetType() const { return type; }
    bool GetHeatImmune() const { return heatImmune; }
    bool GetMagnetic() const { return magnetic; }
    bool GetMetallic() const { return metallic; }
    bool GetBursts() const { return bursts; }
    bool GetCanFall() const { return canFall; }
    bool GetMobile() const { return mobile; }
    bool GetFreezable() const { return freezable; }
    bool GetHeatable() const { return heatable; }
    bool GetBurnable() const { return burnable; }
    bool GetMeltable() const { return meltable; }
    bool GetSliding() const { return sliding; }
    bool GetFalling() const { return falling; }
    bool GetFrozen() const { return frozen; }
    bool GetHeated() const { return heated; }
    bool GetExploded() const { return exploded; }
    bool GetTramp() const { return tramp; }
    bool GetBounceReady1() const { return bounceReady1; }
    bool GetBounceReady2() const { return bounceReady2; }
    bool GetSkipSlideCheck() const { return skipSlideCheck; }
    void SetWasMovingLeft(bool on) { wasMovingLeft = on; }
    void SetWasMovingRight(bool on) { wasMovingRight = on; }
    void SetSkipSlideCheck(bool on) { skipSlideCheck = on; }
    void SetDelayedHeat(bool on) { delayedHeat = on; }

    bool IsAtRest() const { return pixelX == x * TILE && pixelY == y * TILE; }
    bool IsAtPrevCell() const { return pixelX == prevX * TILE && pixelY == prevY * TILE; }
    bool IsNearCellOrigin() const;
    bool IsOnTrampolineMovingLeft() const { return tramp && wasMovingLeft; }
    bool IsOnTrampolineMovingRight() const { return tramp && wasMovingRight; }
    bool IsMagnetHeld() const;
    // The cell above / below the current cell (or the previous one with usePrev).
    bool IsSomethingAbove(bool usePrev) const;
    bool IsSupportedBelow(bool usePrev) const;
    bool IsLadderBelow(bool usePrev) const;
    bool CanFallNow();
    void SetOnTrampoline(bool on);
    void SetRidden(bool on);
    void SetRollDirection(bool left, bool right);

    // Magnet links: never a null pointer; the null element when unlinked.
    void SetMagnetLink(CElement* element, bool left);
    CElement* GetMagnetLink(bool left) const { return left ? lmagnet : rmagnet; }
    CElement* GetLeftMagnet() const { return lmagnet; }
    CElement* GetRightMagnet() const { return rmagnet; }
    void ClearLeftMagnet();
    void ClearRightMagnet();
    void ResetMagnetLinks(bool left, bool right);

    // ------------------------------------------------ names and dumps
    const char* GetName() const;
    const char* getAITypeName() const;
    static void DumpObstructionMap();
    static void DumpAllSprites();
    static void AdjustSpriteOffset(int dx, int dy, bool reset);
    static void ChangeSelectedElement(bool forward);

    // ------------------------------------------------ movement (CElementMove.cpp)
    // The column / row beside (x, y) on one side, passing through a teleport
    // pair to its other end when throughTeleports is set.
    static int GetSideColumn(int x, int y, bool left, bool throughTeleports);
    static int GetLandingRow(int x, int y, bool rightHalf, bool throughTeleports);
    int GetSideColumnOf(bool left) const { return GetSideColumn(x, y, left, true); }
    int GetRowBelow(bool rightHalf) const { return GetLandingRow(x, y, rightHalf, true); }
    int GetSideColumnFacing() const { return GetSideColumn(x, y, facingLeft != 0, true); }
    int GetRowBelowFacing() const { return GetLandingRow(x, y, facingLeft != 0, true); }
    // The element in the neighbour cell on one side, through teleports
    // (gunshots count as empty).
    CElement* GetSideElement(bool left) const;
    void MoveTo(int newX, int newY);
    int CheckCellBelow();
    // The sprites of a move through a teleport: subclasses call these every
    // frame from their Pump (after placing their main sprite).
    void createTeleportGhost();
    void PlaceOverlaySprites();
    void FreeSecondSprite();

    // ------------------------------------------------ falling, squishing, sliding (CElementPhysics.cpp)
    static bool CheckAllFalling();
    static bool CheckFalling(CElement* e);
    static bool BarrelSquish(CElement* e);
    static void CheckAllSquishing();
    static bool CheckAllSliding();
    static bool CheckSliding(CElement* e);

    // ------------------------------------------------ heat and cold (CElementHeat.cpp)
    bool Freeze();
    bool Heat(bool silent, bool record);
    static bool transferHeat(int x, int y, CElement* heater, bool quiet);
    void spreadHeat();
    static void ProcessHeatTransfer();
    bool UseDelayedHeat();
    static bool isHeatedPosition(int x, int y);
    static void addHeatedPosition(int x, int y);
    static void clearHeatedPositions();
    // Subclass constructors ask for the effects their kind shows; the
    // subclass destructors call FreeEffectSprites.
    void CreateEffectSprites(bool heat, bool burn, bool steam, bool emp);
    // Once per frame from the subclass's Pump.
    void AnimateEffects();
    void FreeEffectSprites();

    // ------------------------------------------------ undo ring (CElementUndo.cpp)
    static void UndoSave();
    static void UndoLoad(bool force);
    static void SaveGridsForStep(int step);
    static void RestoreGridsForStep(int step);
    static void ResetUndoRing();

    // ------------------------------------------------ world step (CElementStep.cpp)
    static void UpdateAllElements();
    static bool CheckCatching();
    static void ResetWasMovingFlags();
    static void UpdateAllSounds();
    static void MoveAll();

    // ------------------------------------------------ life of the board
    static void InitElements();
    static void UnloadElements();
    static void InitGrid();
    static void registerSpawnedElement(CElement* element);
    static void LoadGlobalSprites();
    static void PlayFlashBang();
    static void setProfile(CProfile* profile);

    // ------------------------------------------------ outcome flags
    static bool GetExitTubeDestroyed() { return exitTubeDestroyed; }
    static bool GetFallen() { return fallen; }
    static bool GetSinged() { return singed; }
    static bool GetExited() { return exited; }
    static bool GetCaught() { return caught; }
    static bool GetLevelEnded() { return levelEnded; }
    static void clearLevelEnded() { levelEnded = 0; }

    // ------------------------------------------------ registries and world state
    static std::vector<CElement*> allElements;     // creation order; every loop runs in it
    static std::vector<CElement*> spawnedElements; // registered by registerSpawnedElement
    static CElement* grid[GRID_CELLS];             // index x * 24 + y; never a null pointer
    static CElement* nullElement;
    static CElement* theProfessor;                 // the level's CElementAIProfessor, or null
    static uint8_t exitTubeDestroyed, fallen, singed, exited, caught, levelEnded;
    static uint8_t firstFrame;                     // the next world step is the level's first
    static CProfile* profile;                      // counts the professor's steps
    static CSprite* flashBang;                     // "Flash Bang", shown by every undo
    static CSound* flashBangSound;                 // "powerup_emp.ogg"
    static uint8_t flashBangLoaded;
    static int selectedElement;                    // debug selection

    // The undo ring.
    static int32_t undoCount;   // recorded steps, 0..5
    static int32_t undoStart;   // slot of the oldest step
    static uint8_t undoSynced;  // the board equals the newest step
    static uint8_t undoPending; // the professor asks for a save on a later frame

protected:
    // Helpers for subclasses' friction and support tests.
    CElement* ElementBelow() const;
    bool IsFrozenWalker() const { return IsAI() && frozen; }
};

// ---------------------------------------------------------------- grid access
// The element in cell (x, y): the null element outside the board, and for a
// gunshot unless includeGunshots is set.
CElement* getElementAt(int x, int y, bool includeGunshots);
void setElementAt(int x, int y, CElement* element);
void clearElementAt(int x, int y);
bool isCellOccupied(int x, int y, bool includeGunshots);
// The first element of allElements whose current or previous cell is (x, y);
// the null element when there is none or when that first one is exploded or
// a gunshot.
CElement* getMovableElementAt(int x, int y);
inline bool isOnBoard(int x, int y)
{
    return x >= 0 && x < CElement::GRID_WIDTH && y >= 0 && y < CElement::GRID_HEIGHT;
}
