#include "engine/CRender.h"

#include <string>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/RenderServices.h"

std::vector<Rect> CRender::dirtyRects;
Rect CRender::currentRect = {0, 0, 0, 0};
std::vector<CSprite*> CRender::dirtySprites;
std::vector<CSprite*> CRender::sortedSprites;
std::vector<CSprite*> CRender::foregroundSprites;
std::vector<CSprite*> CRender::ignoreSprites;
bool CRender::swapped = false;
CSprite* CRender::swapSprite = nullptr;
bool CRender::showDirtyRects = false;
int CRender::dirtyImageId = -1;

namespace {

enum {
    FULL_SCREEN_AREA_LIMIT = 400000,
    SPLIT_AREA_LIMIT = 5000
};

std::string line(int n, char c)
{
    return std::string(static_cast<size_t>(n), c) + "\n";
}

int area(const Rect& r)
{
    return r.w * r.h;
}

} // namespace

// ---------------------------------------------------------------- rectangles

bool RectsIntersect(const Rect& a, const Rect& b)
{
    return a.x + a.w > b.x && a.x < b.x + b.w && a.y + a.h > b.y && a.y < b.y + b.h;
}

Rect RectUnion(const Rect& a, const Rect& b)
{
    int left = a.x < b.x ? a.x : b.x;
    int top = a.y < b.y ? a.y : b.y;
    int right = a.x + a.w > b.x + b.w ? a.x + a.w : b.x + b.w;
    int bottom = a.y + a.h > b.y + b.h ? a.y + a.h : b.y + b.h;
    return Rect{left, top, right - left, bottom - top};
}

static Rect screenRect(const CSprite* s)
{
    return Rect{s->GetX(true), s->GetY(true), s->GetWidth(false), s->GetHeight(false)};
}

bool SpriteIntersectsRect(const CSprite* sprite, const Rect& r)
{
    return !sprite->IsHidden() && RectsIntersect(screenRect(sprite), r);
}

bool SpritesOverlap(const CSprite* a, const CSprite* b)
{
    return RectsIntersect(screenRect(a), screenRect(b));
}

// ---------------------------------------------------------------- object and lists

CRender::CRender() {}

CRender::~CRender()
{
    ClearLists();
}

void CRender::Init() {}

void CRender::AddDirtyRect(int x, int y, int w, int h)
{
    dirtyRects.push_back(Rect{x, y, w, h});
}

void CRender::AddSpriteRect(const CSprite* s)
{
    dirtyRects.push_back(Rect{s->GetX(true), s->GetY(true), s->GetWidth(true), s->GetHeight(true)});
}

void CRender::AddSpriteMoveRects(const CSprite* s)
{
    Rect previous{s->GetPrevX(true), s->GetPrevY(true), s->GetWidth(true), s->GetHeight(true)};
    Rect current{s->GetX(true), s->GetY(true), s->GetWidth(true), s->GetHeight(true)};
    if (RectsIntersect(previous, current)) {
        dirtyRects.push_back(RectUnion(previous, current));
    } else {
        dirtyRects.push_back(current);
        dirtyRects.push_back(previous);
    }
}

void CRender::InvalidateScreen()
{
    dirtyRects.clear();
    dirtyRects.push_back(Rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
}

void CRender::ClearLists()
{
    dirtyRects.clear();
    dirtySprites.clear();
    sortedSprites.clear();
}

void CRender::SetShowDirtyRects(bool set, bool value)
{
    showDirtyRects = set ? value : !showDirtyRects;
    // The outline picture is looked up again when the outlines next draw:
    // the image store may have been filled anew since they last did.
    if (showDirtyRects)
        dirtyImageId = -1;
}

// ---------------------------------------------------------------- render pass

void CRender::Render(bool updateSprites)
{
    if (updateSprites)
        CSprite::UpdateAll();
    OptimizeDirtyRects();
    RedrawDirtyRects();
    if (showDirtyRects)
        DrawDirtyRectOutlines();
}

void CRender::DumpRects(int category)
{
    if (dirtyRects.empty())
        return;
    if (!logCategoryEnabled(category))
        return;
    logPrint(category, "%s", line(55, '-').c_str());
    logPrint(category, "DIRTY RECTANGLES\n");
    for (const Rect& r : dirtyRects)
        logPrint(category, "   %d x %d @ (%d,%d)\n", r.w, r.h, r.x, r.y);
    logPrint(category, "%s", line(55, '-').c_str());
}

void CRender::OptimizeDirtyRects()
{
    const bool trace = logCategoryEnabled(LOG_RENDER_OPTIMIZE);
    const int log = LOG_RENDER_OPTIMIZE;

    // Merge: each step grows the first rectangle by every rectangle whose
    // union costs no more pixels than drawing both, then moves it to the
    // end, so every rectangle gets its turn; sweeps repeat until nothing
    // merges.
    std::vector<Rect> next;
    bool changed = true;
    while (changed && dirtyRects.size() >= 2) {
        changed = false;
        for (size_t i = 0; i < dirtyRects.size(); ++i) {
            if (trace) {
                logPrint(log, "%s", line(82, '=').c_str());
                logPrint(log,
                         "=== PHASE 3(%i):  DIRTY RECTANGLE OPTIMIZATION (%i rects) "
                         "============================\n",
                         static_cast<int>(i), static_cast<int>(dirtyRects.size()));
                DumpRects(log);
            }
            Rect r0 = dirtyRects[0];
            int a0 = area(r0);
            if (trace)
                logPrint(log, "Processing rectangle %i:  (%dx%d @ %d,%d)\n", static_cast<int>(i), r0.w, r0.h, r0.x,
                         r0.y);
            next.clear();
            for (size_t k = 1; k < dirtyRects.size(); ++k) {
                const Rect& r1 = dirtyRects[k];
                if (RectsIntersect(r0, r1)) {
                    Rect u = RectUnion(r0, r1);
                    if (area(r1) + a0 >= area(u)) {
                        r0 = u;
                        a0 = area(u);
                        changed = true;
                        if (trace)
                            logPrint(log,
                                     "   * R1 Optimization     -->  Ignoring R1 (%ix%i @ %i,%i) and Resizing R0 "
                                     "(%ix%i @ %i,%i)\n",
                                     r1.w, r1.h, r1.x, r1.y, r0.w, r0.h, r0.x, r0.y);
                        continue;
                    }
                    if (trace)
                        logPrint(log, "   * No R1 Optimization  -->  Appending R1 (%ix%i @ %i,%i)\n", r1.w, r1.h,
                                 r1.x, r1.y);
                } else if (trace) {
                    logPrint(log, "   * No R1 intersection  -->  Appending R1 (%ix%i @ %i,%i)\n", r1.w, r1.h, r1.x,
                             r1.y);
                }
                next.push_back(r1);
            }
            next.push_back(r0);
            if (trace)
                logPrint(log, "   * R0 Optimization     -->  Appending R0 (%ix%i @ %i,%i)\n", r0.w, r0.h, r0.x, r0.y);
            dirtyRects.swap(next);
        }
    }

    // Clip to the screen, drop what lies outside, and cut large areas.
    if (dirtyRects.empty())
        return;
    if (trace) {
        logPrint(log, "%s", line(82, '=').c_str());
        logPrint(log,
                 "=== PHASE 1:  OUT-OF-BOUNDS CLIPPING AND REMOVAL (%i rects) ======================\n",
                 static_cast<int>(dirtyRects.size()));
        DumpRects(log);
    }
    const int controller = renderCurrentControllerId();
    next.clear();
    for (const Rect& pushed : dirtyRects) {
        Rect r = pushed;
        if (r.x > SCREEN_WIDTH - 1 || r.x + r.w < 0 || r.y > SCREEN_HEIGHT - 1 || r.y + r.h < 0) {
            if (trace)
                logPrint(log, "   * Removing out-of-bounds rectangle (%ix%i at %i,%i)\n", r.w, r.h, r.x, r.y);
            continue;
        }
        if (r.x < 0) {
            r.w += r.x;
            r.x = 0;
        }
        if (r.x + r.w > SCREEN_WIDTH)
            r.w = SCREEN_WIDTH - r.x;
        if (r.y < 0) {
            r.h += r.y;
            r.y = 0;
        }
        if (r.y + r.h > SCREEN_HEIGHT)
            r.h = SCREEN_HEIGHT - r.y;
        int a = area(r);
        if (a > FULL_SCREEN_AREA_LIMIT) {
            next.clear();
            if (controller == RENDER_CONTROLLER_PLAY || controller == RENDER_CONTROLLER_EDITOR) {
                if (trace)
                    logPrint(log, "   * Adding full-screen via (%ix%i) mini-rectangles (%ix%i)\n", 25, 25, 32, 24);
                for (int c = 0; c < 25; ++c)
                    for (int k = 0; k < 25; ++k)
                        next.push_back(Rect{32 * c, 24 * k, 32, 24});
            } else {
                if (trace)
                    logPrint(log, "   * Adding full-screen rectangle (%ix%i)\n", SCREEN_WIDTH, SCREEN_HEIGHT);
                next.push_back(Rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
            }
            break;
        }
        if (a > SPLIT_AREA_LIMIT && controller == RENDER_CONTROLLER_PLAY) {
            int s = a <= 10000 ? 25 : (a <= 225000 ? 50 : 100);
            int cols = r.w >= s ? r.w / s : 1;
            int rows = r.h >= s ? r.h / s : 1;
            int pw = r.w / cols + 1;
            int ph = r.h / rows + 1;
            for (int c = 0; c < cols; ++c) {
                for (int k = 0; k < rows; ++k) {
                    Rect piece{r.x + c * pw, r.y + k * ph, pw, ph};
                    if (piece.x + piece.w > SCREEN_WIDTH)
                        piece.w = SCREEN_WIDTH - piece.x;
                    if (piece.y + piece.h > SCREEN_HEIGHT)
                        piece.h = SCREEN_HEIGHT - piece.y;
                    next.push_back(piece);
                }
            }
            continue;
        }
        if (trace)
            logPrint(log, "   * Adding rectangle (%ix%i at %i,%i) --> (%ix%i at %i,%i)\n", r.w, r.h, r.x, r.y,
                     pushed.w, pushed.h, pushed.x, pushed.y);
        next.push_back(r);
    }
    dirtyRects.swap(next);
}

void CRender::RedrawDirtyRects()
{
    if (renderFrameStepMode() && !dirtyRects.empty() && logCategoryEnabled(LOG_RENDER)) {
        logPrint(LOG_RENDER, "%s", line(83, '=').c_str());
        logPrint(LOG_RENDER, "(Frame %i)  DIRTY RECTANGLES = %i\n", static_cast<int>(CDraw::GetFrameCount()),
                 static_cast<int>(dirtyRects.size()));
        logPrint(LOG_RENDER, "%s", line(83, '=').c_str());
        DumpRects(LOG_RENDER);
    }
    const std::vector<CSprite*>& all = CSprite::GetAllSprites();
    for (size_t i = 0; i < dirtyRects.size(); ++i) {
        const Rect r = dirtyRects[i];
        currentRect = r;
        dirtySprites.clear();
        for (CSprite* sprite : all)
            if (SpriteIntersectsRect(sprite, r))
                dirtySprites.push_back(sprite);
        PresortDirtySprites();
        SortDirtySprites();
        PostsortDirtySprites();
        if (renderFrameStepMode())
            LogSortedSprites();
        SDL_Rect clip = {static_cast<Sint16>(r.x), static_cast<Sint16>(r.y), static_cast<Uint16>(r.w),
                         static_cast<Uint16>(r.h)};
        for (CSprite* sprite : sortedSprites)
            sprite->DrawClipped(clip);
    }
}

void CRender::DrawDirtyRectOutlines()
{
    if (dirtyImageId < 0)
        dirtyImageId = CDraw::GetImage("dirty.png");
    for (const Rect& r : dirtyRects) {
        for (int x = r.x; x <= r.x + r.w; ++x) {
            CDraw::DrawImage(dirtyImageId, static_cast<Sint16>(x), static_cast<Sint16>(r.y));
            CDraw::DrawImage(dirtyImageId, static_cast<Sint16>(x), static_cast<Sint16>(r.y + r.h - 1));
        }
        for (int y = r.y; y <= r.y + r.h; ++y) {
            CDraw::DrawImage(dirtyImageId, static_cast<Sint16>(r.x), static_cast<Sint16>(y));
            CDraw::DrawImage(dirtyImageId, static_cast<Sint16>(r.x + r.w - 1), static_cast<Sint16>(y));
        }
    }
}

// ---------------------------------------------------------------- overlay swap

void CRender::Swap(bool capture)
{
    if (!swapped) {
        logPrint(LOG_RENDER, "CRender::Swap()   Swapping backbuffer\n");
        int image = capture ? CDraw::CopyScreenToImage(nullptr) : -1;
        CSprite::SwapPreswapped(false);
        if (capture) {
            swapSprite = new CSprite(CSprite::BOARD_ORIGIN_X, CSprite::BOARD_ORIGIN_Y, SWAP_IMAGE_TYPE, 0, false, 1,
                                     1);
            swapSprite->SetName("Swap Image");
            swapSprite->AddFrameImage(image);
            swapSprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        }
        swapped = true;
        return;
    }
    logPrint(LOG_RENDER, "CRender::Swap()   Unswapping backbuffer\n");
    Render(true);
    CDraw::Present(true, false);
    delete swapSprite;
    swapSprite = nullptr;
    CSprite::SwapPreswapped(true);
    swapped = false;
}
