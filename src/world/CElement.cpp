// The element record, the registries and the board grid, the small
// predicates, names and dumps, and the life of a board (InitElements,
// UnloadElements).
#include "world/CElement.h"

#include <algorithm>
#include <cstring>

#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElementBoard.h"

std::vector<CElement*> CElement::allElements;
std::vector<CElement*> CElement::spawnedElements;
CElement* CElement::grid[CElement::GRID_CELLS];
CElement* CElement::nullElement = nullptr;
CElement* CElement::theProfessor = nullptr;
uint8_t CElement::exitTubeDestroyed = 0;
uint8_t CElement::fallen = 0;
uint8_t CElement::singed = 0;
uint8_t CElement::exited = 0;
uint8_t CElement::caught = 0;
uint8_t CElement::levelEnded = 0;
uint8_t CElement::firstFrame = 0;
CProfile* CElement::profile = nullptr;
CSprite* CElement::flashBang = nullptr;
CSound* CElement::flashBangSound = nullptr;
uint8_t CElement::flashBangLoaded = 0;
int CElement::selectedElement = 0;

namespace {

const char RULE_EQUALS[] =
    "==================================================================================\n";
const char RULE_STARS[] =
    "**********************************************************************************\n";

} // namespace

// ---------------------------------------------------------------- construction

CElement::CElement(int cx, int cy, int w)
    : CElementFields()
{
    if (!flashBangLoaded)
        LoadGlobalSprites();
    soundStop = new CSound("object_stop.ogg", false);
    soundLand = new CSound("object_land.ogg", false);
    soundSlideIce = new CSound("object_slide_ice.ogg", false);
    soundSlide = new CSound("object_slide.ogg", false);
    soundBarrelRoll = new CSound("object_barrel_roll.ogg", false);
    logPrint(LOG_CONSTRUCT, "Adding element to allElements...%d\n", static_cast<int>(allElements.size()));
    allElements.push_back(this);
    x = prevX = cx;
    y = prevY = cy;
    pixelX = lastPixelX = cx * TILE;
    pixelY = lastPixelY = cy * TILE;
    width = w;
    state = -1;
    landFrame = -1;
    bounceReady1 = bounceReady2 = 1;
    lmagnet = rmagnet = nullElement;
}

CElement::~CElement()
{
    delete secondSprite;
    secondSprite = nullptr;
    // The undo slots own their copies of the second sprite.
    for (CElementSavedState& s : saved) {
        delete s.secondSprite;
        s.secondSprite = nullptr;
    }
    delete soundStop;
    delete soundLand;
    delete soundSlideIce;
    delete soundSlide;
    delete soundBarrelRoll;
    delete soundHeat;
    delete soundMelt;
}

void CElement::LoadGlobalSprites()
{
    logPrint(LOG_TIMING, "Loading global element sprites...\n");
    flashBang = new CSprite(29, 20, 1102, 1, false, 0, 0);
    flashBang->SetName("Flash Bang");
    flashBang->AddFrame("flash.jpg");
    flashBangSound = new CSound("powerup_emp.ogg", false);
    flashBangLoaded = 1;
}

void CElement::PlayFlashBang()
{
    if (!flashBangLoaded)
        return;
    flashBang->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    flashBang->SetFadeOut(500, 255, 0);
    CSound::stopEffects();
    flashBangSound->play(false, 0, 0.0f);
}

void CElement::setProfile(CProfile* p)
{
    profile = p;
}

// ---------------------------------------------------------------- life of the board

void CElement::InitGrid()
{
    if (!nullElement) {
        nullElement = new CElement(0, 0, 1);
        nullElement->lmagnet = nullElement->rmagnet = nullElement;
    }
    for (CElement*& cell : grid)
        cell = nullElement;
}

void CElement::InitElements()
{
    ResetUndoRing();
    allElements.clear();
    spawnedElements.clear();
    clearHeatedPositions();
    // UnloadElements deleted the previous null element with the others.
    InitGrid();
    firstFrame = 1;
    board::resetDevices();
    exitTubeDestroyed = fallen = singed = exited = caught = levelEnded = 0;
    firstFrame = 1;
}

void CElement::UnloadElements()
{
    ResetUndoRing();
    logPrint(LOG_DESTRUCT, "CElement:  Destroying elements vector...%d elements.\n",
             static_cast<int>(allElements.size()));
    // A destructor may look at the lists (a walker empties its registry), so
    // delete from a copy and empty the list afterwards.
    std::vector<CElement*> doomed;
    doomed.swap(allElements);
    for (CElement* e : doomed)
        delete e;
    spawnedElements.clear();
    if (flashBangLoaded) {
        delete flashBang;
        delete flashBangSound;
        flashBang = nullptr;
        flashBangSound = nullptr;
        flashBangLoaded = 0;
    }
    theProfessor = nullptr;
    nullElement = nullptr;
    for (CElement*& cell : grid)
        cell = nullptr;
    std::vector<CSprite*>& left = CSprite::GetAllSprites();
    logPrint(LOG_ELEMENT, "%s", RULE_EQUALS);
    logPrint(LOG_ELEMENT, "%s", RULE_STARS);
    if (!left.empty()) {
        logPrint(LOG_ELEMENT, "CElement::UnloadElements()  WARNING:  All sprites have not been properly unloaded:\n");
        for (CSprite* s : left)
            logPrint(LOG_ELEMENT, "   %s  (%i,%i)\n", s->GetName(), s->GetX(false), s->GetY(false));
    } else {
        logPrint(LOG_ELEMENT, "CElement::UnloadElements()  All sprites have been properly unloaded\n");
    }
    logPrint(LOG_ELEMENT, "%s", RULE_STARS);
    logPrint(LOG_ELEMENT, "%s", RULE_EQUALS);
    logPrint(LOG_DESTRUCT, "DEBUG CElement:  Elements vector destroyed...%d elements.\n",
             static_cast<int>(allElements.size()));
}

void CElement::registerSpawnedElement(CElement* element)
{
    element->spawned = 1;
    spawnedElements.push_back(element);
}

// ---------------------------------------------------------------- grid access

CElement* getElementAt(int x, int y, bool includeGunshots)
{
    if (!isOnBoard(x, y))
        return CElement::nullElement;
    CElement* e = CElement::grid[x * CElement::GRID_HEIGHT + y];
    if (!includeGunshots && e->IsGunshot())
        return CElement::nullElement;
    return e;
}

void setElementAt(int x, int y, CElement* element)
{
    if (isOnBoard(x, y))
        CElement::grid[x * CElement::GRID_HEIGHT + y] = element;
}

void clearElementAt(int x, int y)
{
    setElementAt(x, y, CElement::nullElement);
}

bool isCellOccupied(int x, int y, bool includeGunshots)
{
    return getElementAt(x, y, includeGunshots)->type != CElement::TYPE_NULL;
}

CElement* getMovableElementAt(int x, int y)
{
    for (CElement* e : CElement::allElements) {
        if ((e->x == x && e->y == y) || (e->prevX == x && e->prevY == y)) {
            if (e->exploded || e->IsGunshot())
                return CElement::nullElement;
            return e;
        }
    }
    return CElement::nullElement;
}

// ---------------------------------------------------------------- base virtual operations

void CElement::ReleaseMagnets() {}

int CElement::GetGridX()
{
    return mobile ? prevX : x;
}

int CElement::GetGridY()
{
    return mobile ? prevY : y;
}

void CElement::Pump() {}

bool CElement::IsFacingLeft()
{
    return facingLeft;
}

bool CElement::IsMoving()
{
    return mobile && moving;
}

bool CElement::IsMovingLeft()
{
    return mobile && moving && prevX > x;
}

bool CElement::IsMovingRight()
{
    return mobile && moving && prevX < x;
}

bool CElement::IsMovingUp()
{
    return mobile && moving && prevY > y;
}

bool CElement::IsMovingDown()
{
    return mobile && moving && prevY < y;
}

bool CElement::WasMovingLeft()
{
    return mobile && wasMovingLeft;
}

bool CElement::WasMovingRight()
{
    return mobile && wasMovingRight;
}

bool CElement::PushUp()
{
    logPrint(LOG_DEBUG, "Pushing element (%d) to the up...\n", type);
    return false;
}

bool CElement::PushDown()
{
    logPrint(LOG_DEBUG, "Pushing element (%d) to the down...\n", type);
    return false;
}

void CElement::Collapse() {}

int CElement::GetFrictionModifier()
{
    return 0;
}

int CElement::GetFriction()
{
    return 0;
}

void CElement::DumpState()
{
    logPrint(LOG_DEBUG, "(DEFAULT)   CURRENT=(%d,%d)\n", x, y);
}

void CElement::DumpSprites()
{
    if (mainSprite)
        logPrint(LOG_ACTIVE_SPRITE,
                 "   T(%2d,%2d)  %-20s   LOCATION=(%d,%d)  HIDDEN=%d  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n",
                 x, y, GetName(), pixelX, pixelY, mainSprite->IsHidden() ? 1 : 0, mainSprite->GetState(),
                 mainSprite->GetFrame(), mainSprite->IsFinished() ? 1 : 0, mainSprite->GetName());
    if (secondSprite)
        logPrint(LOG_ACTIVE_SPRITE,
                 "   T(%d,%d)   %-20s   LOCATION=(%d,%d)  HIDDEN=%d  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n",
                 x, y, GetName(), pixelX, pixelY, secondSprite->IsHidden() ? 1 : 0, secondSprite->GetState(),
                 secondSprite->GetFrame(), secondSprite->IsFinished() ? 1 : 0, secondSprite->GetName());
}

bool CElement::IsCatching()
{
    return false;
}

// ---------------------------------------------------------------- small tests and setters

bool CElement::IsNearCellOrigin() const
{
    int dx = pixelX - x * TILE;
    int dy = pixelY - y * TILE;
    return dx >= -5 && dx <= 5 && dy >= -5 && dy <= 5;
}

bool CElement::IsMagnetHeld() const
{
    return lmagnet != nullElement || rmagnet != nullElement;
}

bool CElement::IsSomethingAbove(bool usePrev) const
{
    int cx = usePrev ? prevX : x;
    int cy = usePrev ? prevY : y;
    if (cy <= 0)
        return false;
    return isCellOccupied(cx, cy - 1, false);
}

bool CElement::IsSupportedBelow(bool usePrev) const
{
    int cx = usePrev ? prevX : x;
    int cy = (usePrev ? prevY : y) + 1;
    return isCellOccupied(cx, cy, false) || board::isTrampolineAt(cx, cy) || board::isPlatformAt(cx, cy);
}

bool CElement::IsLadderBelow(bool usePrev) const
{
    return board::isLadderAt(usePrev ? prevX : x, (usePrev ? prevY : y) + 1);
}

bool CElement::CanFallNow()
{
    if (justLanded || falling)
        return false;
    return CanFall(false);
}

void CElement::SetOnTrampoline(bool on)
{
    if (!on && tramp && !frozen)
        leftTrampoline = 1;
    tramp = on;
}

void CElement::SetRidden(bool on)
{
    ridden = on;
    if (!on)
        rollLeft = rollRight = 0;
}

void CElement::SetRollDirection(bool left, bool right)
{
    rollLeft = left;
    rollRight = right && !left;
}

void CElement::SetMagnetLink(CElement* element, bool left)
{
    CElement* link = element ? element : nullElement;
    if (left)
        lmagnet = link;
    else
        rmagnet = link;
}

void CElement::ClearLeftMagnet()
{
    lmagnet = nullElement;
}

void CElement::ClearRightMagnet()
{
    rmagnet = nullElement;
}

void CElement::ResetMagnetLinks(bool left, bool right)
{
    if (left)
        lmagnet = nullElement;
    if (right)
        rmagnet = nullElement;
}

CElement* CElement::ElementBelow() const
{
    return getElementAt(x, y + 1, false);
}

// ---------------------------------------------------------------- names and dumps

const char* CElement::getAITypeName() const
{
    switch (typeAI) {
    case AI_PROFESSOR: return "Professor AI";
    case AI_BOT: return "Bot AI";
    default: return "Tutorial";
    }
}

const char* CElement::GetName() const
{
    switch (type) {
    case TYPE_NULL: return "Null Element";
    case TYPE_TERRAIN:
        switch (typeTerrain) {
        case TERRAIN_GRASS: return "Grass Terrain";
        case TERRAIN_ICE: return "Ice Terrain";
        case TERRAIN_SAND: return "Sand Terrain";
        case TERRAIN_BRIDGE: return "Bridge Terrain";
        default: return "Ladder";
        }
    case TYPE_LADDER: return "Ladder";
    case TYPE_TUTORIAL: return "Tutorial";
    case TYPE_DEVICE:
        switch (typeDevice) {
        case DEVICE_GUNSHOT: return "Gunshot Device";
        case DEVICE_GATE: return "Gate Device";
        case DEVICE_BUTTON: return "Button Device";
        case DEVICE_TRAMPOLINE: return "Trampoline Device";
        case DEVICE_TUBE: return "Tube Device";
        case DEVICE_TELEPORT: return "Teleport Device";
        case DEVICE_POWERUP: return "Powerup Device";
        default: break;
        }
        // A device of no known kind is named as an object.
        // fall through
    case TYPE_OBJECT:
        switch (typeObject) {
        case OBJECT_CRATE: return "Crate Object";
        case OBJECT_BARREL: return "Barrel Object";
        case OBJECT_MAGNET: return "Magnet Object";
        default: break;
        }
        // An object of no known kind is named as a walker.
        // fall through
    case TYPE_AI: return getAITypeName();
    default:
        logPrint(LOG_DEBUG,
                 "Unknown Element:  type=%d   typeObject=%d   typeDevice=%d   typeMagnet=%d   typeAI=%d   "
                 "typeLadder=%d\n",
                 type, typeObject, typeDevice, typeMagnet, typeAI, typeLadder);
        return "Unknown Element";
    }
}

void CElement::DumpObstructionMap()
{
    char line[GRID_WIDTH + 4];
    logPrint(LOG_DEBUG, "/");
    std::memset(line, '-', GRID_WIDTH);
    std::strcpy(line + GRID_WIDTH, "\\\n");
    logPrint(LOG_GRID, "%s", line);
    for (int row = 0; row < GRID_HEIGHT; ++row) {
        logPrint(LOG_DEBUG, "|");
        for (int col = 0; col < GRID_WIDTH; ++col) {
            CElement* e = grid[col * GRID_HEIGHT + row];
            bool ladder = board::isLadderAt(col, row);
            char c;
            switch (e ? e->type : TYPE_NULL) {
            case TYPE_NULL: c = ladder ? 'L' : ' '; break;
            case TYPE_TERRAIN: c = ladder ? 'L' : 'T'; break;
            case TYPE_DEVICE: c = 'D'; break;
            case TYPE_OBJECT: c = 'O'; break;
            case TYPE_AI: c = 'A'; break;
            default: c = '?'; break;
            }
            line[col] = c;
        }
        std::strcpy(line + GRID_WIDTH, "|\n");
        logPrint(LOG_GRID, "%s", line);
    }
    logPrint(LOG_DEBUG, "\\");
    std::memset(line, '-', GRID_WIDTH);
    std::strcpy(line + GRID_WIDTH, "/\n");
    logPrint(LOG_GRID, "%s", line);
}

void CElement::DumpAllSprites()
{
    logPrint(LOG_DEBUG, "-------------------------------------------\n");
    logPrint(LOG_DEBUG, "All Active Sprites (CElement)\n");
    for (CElement* e : allElements)
        e->DumpSprites();
}

void CElement::AdjustSpriteOffset(int dx, int dy, bool reset)
{
    if (selectedElement < 0 || selectedElement >= static_cast<int>(allElements.size()))
        return;
    CElement* e = allElements[static_cast<size_t>(selectedElement)];
    CSprite* s = e->sprite;
    if (!s) {
        logPrint(LOG_DEBUG, "Sprite for element #%i is NULL\n", selectedElement);
        return;
    }
    int oldX = s->GetOffsetX();
    int oldY = s->GetOffsetY();
    if (reset) {
        s->ResetOffsetX();
        s->ResetOffsetY();
        logPrint(LOG_DEBUG, "Reset element #%i (%s) offset from (%i,%i) to (%i,%i)\n", selectedElement,
                 e->GetName(), oldX, oldY, s->GetOffsetX(), s->GetOffsetY());
    } else {
        s->SetOffsetX(oldX + dx + CSprite::BOARD_ORIGIN_X);
        s->SetOffsetY(oldY + dy + CSprite::BOARD_ORIGIN_Y);
        logPrint(LOG_DEBUG, "Adjusting element #%i (%s) offset from (%i,%i) to (%i,%i)\n", selectedElement,
                 e->GetName(), oldX, oldY, s->GetOffsetX(), s->GetOffsetY());
    }
    s->ForceRedraw();
}

void CElement::ChangeSelectedElement(bool forward)
{
    int count = static_cast<int>(allElements.size());
    if (count == 0)
        return;
    selectedElement += forward ? 1 : -1;
    if (selectedElement >= count)
        selectedElement = 0;
    if (selectedElement < 0)
        selectedElement = count - 1;
    CElement* e = allElements[static_cast<size_t>(selectedElement)];
    logPrint(LOG_DEBUG, "Element ID changed to %i (%s) at (%i,%i)\n", selectedElement, e->GetName(), e->x, e->y);
}
