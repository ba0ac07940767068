#include "elements/CElementDeviceTrampoline.h"


#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Log.h"

uint8_t CElementDeviceTrampoline::sharedImages = 0;
CElementDeviceTrampoline::Grid CElementDeviceTrampoline::trampolineGrid{};
SlotCopies<CElementDeviceTrampoline::Grid> CElementDeviceTrampoline::savedTrampolineGrids;
uint8_t CElementDeviceTrampoline::trampolinesExist = 0;

namespace {
enum { ANCHOR_X = 8, ANCHOR_Y = 12, BACK_LAYER = 30, SHEET_LAYER = 31, FRONT_LAYER = 32 };
// Pictures of the sheet, in the order they are added.
enum {
    SHEET_REST = 0,
    STRETCH_LEFT_FIRST = 1, // 2 pictures, then the full stretch
    STRETCH_LEFT_FULL = 3,
    STRETCH_RIGHT_FIRST = 4, // 3 pictures, then the full stretch
    STRETCH_RIGHT_FULL = 7,
    UNSTRETCH_LEFT_FIRST = 8, // 8 pictures
    UNSTRETCH_LEFT_COUNT = 8,
    UNSTRETCH_RIGHT_FIRST = 16, // 9 pictures
    UNSTRETCH_RIGHT_COUNT = 9
};
} // namespace

CElementDeviceTrampoline::CElementDeviceTrampoline(int cx, int cy)
    : CElementDevice(cx, cy, 1, DEVICE_TRAMPOLINE)
{
    state = TRAMPOLINE_IDLE;
    if (isOnBoard(cx, cy))
        trampolineGrid[cx * GRID_HEIGHT + cy] = 1;
    trampolinesExist = 1;

    back = elementsprites::newBoardSprite("Trampoline Device (back)", ANCHOR_X, ANCHOR_Y, BACK_LAYER, 0, sharedImages,
                                          1);
    back->AddFrame("trampolineback0.tga");
    sheet = elementsprites::newBoardSprite("Trampoline Device", ANCHOR_X, ANCHOR_Y, SHEET_LAYER, 0, sharedImages, 1);
    sheet->AddFrame("trampoline0.tga");
    elementsprites::addSeries(sheet, "trampolinestretchleft", 0, 1, ".tga");
    sheet->AddFrame("trampolinestretchleftfull.tga");
    elementsprites::addSeries(sheet, "trampolinestretchright", 0, 2, ".tga");
    sheet->AddFrame("trampolinestretchrightfull.tga");
    elementsprites::addSeries(sheet, "trampolineunstretchleft", 0, UNSTRETCH_LEFT_COUNT - 1, ".tga");
    elementsprites::addSeries(sheet, "trampolineunstretchright", 0, UNSTRETCH_RIGHT_COUNT - 1, ".tga");
    front = elementsprites::newBoardSprite("Trampoline Device (front)", ANCHOR_X, ANCHOR_Y, FRONT_LAYER, 0,
                                           sharedImages, 1);
    front->AddFrame("trampolinefront0.tga");
    mainSprite = sprite = sheet;
    ShowPictures();
}

CElementDeviceTrampoline::~CElementDeviceTrampoline()
{
    delete back;
    delete sheet;
    delete front;
}

void CElementDeviceTrampoline::Pump()
{
    // What rests in the sheet's cell fills it in the grid.
    CElement* e = getElementAt(x, y, false);
    bool resting = !e->IsNull() && e->GetX() == x && e->GetY() == y && !e->moving && e->tramp;
    bool fromLeft = resting && e->wasMovingRight; // came in moving right: the sheet stretches right
    bool fromRight = resting && e->wasMovingLeft;

    if (fromLeft || fromRight) {
        int stretching = fromLeft ? TRAMPOLINE_STRETCH_RIGHT : TRAMPOLINE_STRETCH_LEFT;
        if (state != stretching) {
            state = stretching;
            record.animStep = 0;
        } else {
            ++record.animStep;
        }
        // A walker still pressing into the sheet keeps it stretched.
        bool pressing = fromLeft ? !e->bounceReady1 : !e->bounceReady2;
        if (record.animStep >= STRETCH_STEPS && !pressing) {
            bool flung = fromLeft ? e->PushLeft(true, true) : e->PushRight(true, true);
            if (flung) {
                logPrint(LOG_DEBUG, "Trampoline at (%i,%i) flings %s\n", x, y, e->GetName());
                state = fromLeft ? TRAMPOLINE_UNSTRETCH_RIGHT : TRAMPOLINE_UNSTRETCH_LEFT;
                record.animStep = 0;
            }
        }
    } else if (state == TRAMPOLINE_STRETCH_LEFT || state == TRAMPOLINE_STRETCH_RIGHT) {
        // What stretched the sheet left it some other way.
        state = state == TRAMPOLINE_STRETCH_LEFT ? TRAMPOLINE_UNSTRETCH_LEFT : TRAMPOLINE_UNSTRETCH_RIGHT;
        record.animStep = 0;
    } else if (state == TRAMPOLINE_UNSTRETCH_LEFT || state == TRAMPOLINE_UNSTRETCH_RIGHT) {
        int count = state == TRAMPOLINE_UNSTRETCH_LEFT ? UNSTRETCH_LEFT_COUNT : UNSTRETCH_RIGHT_COUNT;
        if (++record.animStep >= count * STEPS_PER_PICTURE)
            state = TRAMPOLINE_IDLE;
    }
    ShowPictures();
}

void CElementDeviceTrampoline::ShowPictures()
{
    int picture = SHEET_REST;
    switch (state) {
    case TRAMPOLINE_STRETCH_LEFT:
        picture = STRETCH_LEFT_FIRST + PictureAt(record.animStep, STRETCH_LEFT_FULL - STRETCH_LEFT_FIRST + 1);
        break;
    case TRAMPOLINE_STRETCH_RIGHT:
        picture = STRETCH_RIGHT_FIRST + PictureAt(record.animStep, STRETCH_RIGHT_FULL - STRETCH_RIGHT_FIRST + 1);
        break;
    case TRAMPOLINE_UNSTRETCH_LEFT:
        picture = UNSTRETCH_LEFT_FIRST + PictureAt(record.animStep, UNSTRETCH_LEFT_COUNT);
        break;
    case TRAMPOLINE_UNSTRETCH_RIGHT:
        picture = UNSTRETCH_RIGHT_FIRST + PictureAt(record.animStep, UNSTRETCH_RIGHT_COUNT);
        break;
    default:
        break;
    }
    sheet->SetFrame(picture);
    int px = x * TILE, py = y * TILE;
    elementsprites::showAt(back, px, py);
    elementsprites::showAt(sheet, px, py);
    elementsprites::showAt(front, px, py);
}

bool CElementDeviceTrampoline::IsTrampolineAt(int cx, int cy)
{
    return isOnBoard(cx, cy) && trampolineGrid[cx * GRID_HEIGHT + cy] != 0;
}

void CElementDeviceTrampoline::ClearGrid()
{
    trampolineGrid.fill(0);
    savedTrampolineGrids.Fill(trampolineGrid);
    trampolinesExist = 0;
}

void CElementDeviceTrampoline::SaveGrid(int step)
{
    savedTrampolineGrids.Save(step, trampolineGrid);
}

void CElementDeviceTrampoline::RestoreGrid(int step)
{
    savedTrampolineGrids.Restore(step, trampolineGrid);
}

void CElementDeviceTrampoline::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDeviceTrampoline::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementDeviceTrampoline::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep});
}
