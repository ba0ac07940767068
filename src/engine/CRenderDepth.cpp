// Back-to-front order of the sprites of one dirty rectangle.
//
// Board sprites stand on 24-pixel tiles in a pseudo-isometric view, so the
// order of two of them depends on their types, on where their tile
// footprints lie relative to each other, on where they were one frame
// earlier and on the direction they move in. The rules are an ordered
// decision list: the first rule that applies gives the result.
//
// Results: -1 draws a before b (a behind), +1 draws a after b (a in front),
// 0 sets no order. The sort that uses these comparisons is in CRenderSort.cpp.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/RenderServices.h"

namespace {

// Tile footprint: first and last column, top and bottom row.
struct Box {
    int c0, c1, r0, r1;
};

Box footprint(const CSprite* s, bool previous)
{
    return Box{s->GetTileXMin(previous), s->GetTileXMax(previous), s->GetTileYMin(previous),
               s->GetTileYMax(previous)};
}

bool isTeleportPiece(int t)
{
    return t == 60 || t == 61 || t == 62 || t == 65 || t == 66;
}

bool isMoverType(int t)
{
    return t == 53 || t == 64 || t == 67 || t == 70 || t == 71 || t == 80;
}

bool oneOf(int t, std::initializer_list<int> list)
{
    for (int v : list)
        if (t == v)
            return true;
    return false;
}

// One ordered pair of sprites with their current and previous footprints.
// mirror() exchanges the roles of a and b.
struct Pair {
    const CSprite* a;
    const CSprite* b;
    int ta, tb;
    Box A, B;   // current
    Box Ap, Bp; // previous

    Pair(const CSprite* first, const CSprite* second)
        : a(first), b(second), ta(first->GetType()), tb(second->GetType()), A(footprint(first, false)),
          B(footprint(second, false)), Ap(footprint(first, true)), Bp(footprint(second, true))
    {
    }

    Pair mirror() const
    {
        Pair p(*this);
        std::swap(p.a, p.b);
        std::swap(p.ta, p.tb);
        std::swap(p.A, p.B);
        std::swap(p.Ap, p.Bp);
        return p;
    }

    const Box& fa(bool prev) const { return prev ? Ap : A; }
    const Box& fb(bool prev) const { return prev ? Bp : B; }

    bool rightOf(bool prev = false) const
    {
        const Box &x = fa(prev), &y = fb(prev);
        if (isTeleportPiece(ta) && !isTeleportPiece(tb))
            return x.c0 >= y.c1;
        return x.c0 > y.c1;
    }
    bool leftOf(bool prev = false) const
    {
        const Box &x = fa(prev), &y = fb(prev);
        if (isTeleportPiece(tb) && !isTeleportPiece(ta))
            return x.c1 <= y.c0;
        return x.c1 < y.c0;
    }
    bool above(bool prev = false) const { return fa(prev).r1 < fb(prev).r0; }
    bool below(bool prev = false) const { return fa(prev).r0 > fb(prev).r1; }
    bool colsOverlap(bool prev = false) const { return fa(prev).c0 <= fb(prev).c1 && fb(prev).c0 <= fa(prev).c1; }
    bool rowsOverlap(bool prev = false) const { return fa(prev).r0 <= fb(prev).r1 && fb(prev).r0 <= fa(prev).r1; }
    bool boxesOverlap(bool prev = false) const { return colsOverlap(prev) && rowsOverlap(prev); }
    bool boxesTouch() const
    {
        return B.r0 - 1 <= A.r1 && B.r1 + 1 >= A.r0 && B.c1 + 1 >= A.c0 && B.c0 - 1 <= A.c1;
    }
    bool screensOverlap() const { return SpritesOverlap(a, b); }
    // Column c lies in b's (current) footprint.
    bool colInB(int c) const { return B.c0 <= c && c <= B.c1; }
    bool colInA(int c) const { return A.c0 <= c && c <= A.c1; }
    bool aMovesH() const { return a->IsMovingLeft() || a->IsMovingRight(); }
    bool bMovesH() const { return b->IsMovingLeft() || b->IsMovingRight(); }
};

const int kNoResult = 2; // a rule that does not apply
constexpr bool kPrev = true; // tests on the previous footprints

// Runs rule on (a, b), then on (b, a) with the opposite result.
template <typename Rule>
int mirrored(const Pair& p, Rule rule)
{
    int r = rule(p);
    if (r != kNoResult)
        return r;
    r = rule(p.mirror());
    return r != kNoResult ? -r : kNoResult;
}

// The swap image, the level background and the grid always go first.
int backgroundRule(const Pair& p)
{
    return mirrored(p, [](const Pair& q) {
        return (q.ta == 1103 || q.ta == 1100 || q.ta == 1101) ? -1 : kNoResult;
    });
}

// Two sprites on the same tile: fixed type lists decide, by whether
// neither, the second or the first of them is a mover.
int sameTile(const Pair& p)
{
    bool moverA = isMoverType(p.ta);
    bool moverB = isMoverType(p.tb);
    if (!moverA && !moverB) {
        for (int t : {30, 33, 32, 31, 40, 12, 73, 41, 13}) {
            if (p.ta == t)
                return -1;
            if (p.tb == t)
                return 1;
        }
        for (int t : {66, 60, 61, 65, 22, 21, 10, 62, 20, 24}) {
            if (p.ta == t)
                return 1;
            if (p.tb == t)
                return -1;
        }
        logPrint(LOG_RENDER_SORTING, "   SAME-TILE-C:  No order found (N=%i, R=%i)\n", p.ta, p.tb);
        return kNoResult;
    }
    if (!moverA) {
        if (p.bMovesH() && p.ta == 60)
            return 1;
        if (p.bMovesH() && p.ta == 62)
            return -1;
        if (p.ta == 10)
            return p.tb == 53 ? -1 : 1;
        if (oneOf(p.ta, {12, 20, 23, 24, 30, 33, 40, 41, 62}))
            return -1;
        if (oneOf(p.ta, {13, 21, 22, 31, 32, 60, 61, 65, 66}))
            return 1;
        logPrint(LOG_RENDER_SORTING_RV, "   SAME-TILE-B:  No order found (N=%i, R=%i)\n", p.ta, p.tb);
        return kNoResult;
    }
    if (p.aMovesH() && p.tb == 60)
        return -1;
    if (p.aMovesH() && p.tb == 62)
        return 1;
    if (oneOf(p.tb, {10, 53, 67, 70, 71, 80}))
        return p.ta == 53 ? 1 : -1;
    if (oneOf(p.tb, {12, 20, 23, 24, 30, 33, 40, 41, 62}))
        return 1;
    if (oneOf(p.tb, {13, 21, 22, 31, 32, 60, 61, 65, 66}))
        return -1;
    logPrint(LOG_RENDER_SORTING_RV, "   SAME-TILE-A:  No sort order found (N=%i, R=%i)\n", p.ta, p.tb);
    return kNoResult;
}

// The rule of two gate pieces of type 21 (also gate pieces on terrain).
int gateColumnRule(const Pair& p)
{
    if (p.colsOverlap())
        return p.A.r1 >= p.B.r0 ? -1 : 1;
    return p.rightOf() ? 1 : -1;
}

// A teleport pad (type 60) as a against a board sprite that is not a pad:
// by columns, by the other sprite's moves, then by rows.
int teleportRule(const Pair& q)
{
    if (q.rightOf())
        return 1;
    if (q.b->IsMovingLeft() && q.colsOverlap())
        return 1;
    if (q.colsOverlap(true) && q.b->IsMovingRight())
        return q.below() ? -1 : 1;
    if (q.leftOf() && q.screensOverlap())
        return -1;
    return q.above() ? 1 : -1;
}

// The general rules of board sprites: ladders, gates, buttons, tubes,
// teleport pieces, then pairs where something moves; kNoResult leaves the
// pair to the final position rules.
int generalRules(const Pair& p)
{
    int r;
    // A sprite teleporting to the right over its old tile.
    r = mirrored(p, [](const Pair& q) {
        if (q.ta == 67 && q.a->IsMovingRight() && q.boxesOverlap(true))
            return (q.tb == 66 || q.tb == 60) ? -1 : 1;
        return kNoResult;
    });
    if (r != kNoResult)
        return r;
    // Terrain against a lower ladder piece.
    if ((p.ta == 10 && p.tb == 12) || (p.ta == 12 && p.tb == 10)) {
        if (p.colsOverlap())
            return p.below() ? -1 : 1;
        if (p.rightOf())
            return 1;
        if (p.leftOf())
            return -1;
    }
    // Two lower ladder pieces.
    if (p.ta == 12 && p.tb == 12) {
        if (p.rightOf())
            return 1;
        if (p.leftOf())
            return -1;
        return p.below() ? 1 : -1;
    }
    // Lower ladder pieces behind, gate pieces of type 22 in front.
    r = mirrored(p, [](const Pair& q) { return q.ta == 12 ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return q.ta == 22 ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    // Gate pieces of type 21: against each other by columns, else in front.
    if (p.ta == 21 && p.tb == 21)
        return gateColumnRule(p);
    r = mirrored(p, [](const Pair& q) { return q.ta == 21 ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    // Gate pieces of types 20 and 24 on terrain.
    bool gateA = p.ta == 20 || p.ta == 24;
    bool gateB = p.tb == 20 || p.tb == 24;
    if ((gateA && p.tb == 10) || (gateB && p.ta == 10))
        return gateColumnRule(p);
    // Two gate pieces of types 20 or 24.
    if (gateA && gateB) {
        if (!p.colsOverlap())
            return p.rightOf() ? 1 : -1;
        return p.above() ? 1 : -1;
    }
    // Gate pieces of types 20 and 24 against anything else.
    r = mirrored(p, [](const Pair& q) { return (q.ta == 20 && q.above() && q.rightOf()) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 24 && q.A.r0 <= q.B.r1 && !q.leftOf()) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 20 || q.ta == 24) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    // Tube pieces and buttons sharing rows and screen pixels go behind what
    // does not move down onto them (terrain excepted).
    if (p.rowsOverlap() && p.screensOverlap()) {
        r = mirrored(p, [](const Pair& q) {
            return (oneOf(q.ta, {41, 23, 40}) && q.tb != 10 && !q.b->IsMovingDown()) ? -1 : kNoResult;
        });
        if (r != kNoResult)
            return r;
    }
    // Teleport pieces below a sprite that moves left go behind it.
    r = mirrored(p, [](const Pair& q) {
        return (oneOf(q.ta, {60, 61, 62}) && q.below() && q.colsOverlap() && q.b->IsMovingLeft()) ? -1
                                                                                                  : kNoResult;
    });
    if (r != kNoResult)
        return r;
    // A pad in front of a ghost that moves right onto it.
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 60 && q.tb == 64 && q.b->IsMovingRight() && q.colInB(q.A.c0 + 1)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    // Teleport pads.
    r = mirrored(p, [](const Pair& q) { return q.ta == 60 ? teleportRule(q) : kNoResult; });
    if (r != kNoResult)
        return r;
    // Teleport pieces of type 66 are in front.
    r = mirrored(p, [](const Pair& q) { return q.ta == 66 ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    // Teleport pieces of type 61 against a ghost or a teleporting sprite.
    r = mirrored(p, [](const Pair& q) {
        if (q.ta != 61 || !q.screensOverlap())
            return kNoResult;
        if (q.tb == 64)
            return q.b->IsMovingRight() ? 1 : -1;
        if (q.tb == 67)
            return q.b->IsMovingLeft() ? 1 : -1;
        return kNoResult;
    });
    if (r != kNoResult)
        return r;
    // Teleport pieces of type 65 in front of what lies left of them.
    r = mirrored(p, [](const Pair& q) { return (q.ta == 65 && q.rightOf()) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    // Teleport pieces of type 61 on terrain.
    r = mirrored(p, [](const Pair& q) {
        if (q.ta != 61 || q.tb != 10)
            return kNoResult;
        if (!q.colInB(q.A.c0 + 1))
            return 1;
        return q.A.r1 >= q.B.r0 ? -1 : 1;
    });
    if (r != kNoResult)
        return r;
    // Teleport pieces of type 61 against anything else.
    if (p.ta == 61 || p.tb == 61) {
        if (p.rightOf())
            return 1;
        if (p.colsOverlap() && p.screensOverlap())
            return p.ta == 61 ? 1 : -1;
        return p.above() ? 1 : -1;
    }
    // Teleport pieces of type 62.
    r = mirrored(p, [](const Pair& q) {
        if (q.ta != 62)
            return kNoResult;
        if (q.tb != 10)
            return -1;
        if (q.A.r1 >= q.B.r0)
            return -1;
        if (q.colsOverlap())
            return 1;
        return q.colInB(q.A.c0 + 1) ? 1 : -1;
    });
    if (r != kNoResult)
        return r;
    // Nothing moves: only the final position rules remain.
    if (!p.a->IsMoving() && !p.b->IsMoving())
        return kNoResult;
    // Pairs where something moves, on previous footprints unless a test
    // names the current ones.
    r = mirrored(p, [](const Pair& q) { return (q.ta == 13 && q.boxesOverlap(kPrev)) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 10 && q.b->IsMovingUp() && q.rightOf(kPrev)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 10 && q.b->IsMovingRight() && q.above() && !q.leftOf(kPrev)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 31 && q.b->IsMovingRight() && q.boxesOverlap(kPrev)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 23 && q.b->IsMovingLeft() && q.colsOverlap(kPrev)) ? -1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 40 && q.b->IsMovingLeft() && q.colsOverlap(kPrev)) ? -1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 60 && q.b->IsMovingLeft() && q.boxesOverlap()) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 60 && q.b->IsMovingRight() && q.boxesOverlap(kPrev)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.tb != 70 && q.tb != 71 && q.b->IsMovingRight() && q.colsOverlap(kPrev) && q.above(kPrev))
                   ? 1
                   : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 80 && !q.a->IsMoving() && q.below() && q.bMovesH()) ? -1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    if (!p.rowsOverlap(kPrev) && !p.colsOverlap(kPrev))
        return kNoResult;
    r = mirrored(p, [](const Pair& q) {
        return (q.a->IsMovingLeft() && q.rightOf(kPrev)) ? 1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    return mirrored(p, [](const Pair& q) {
        return (q.a->IsMovingLeft() && q.above(kPrev)) ? 1 : kNoResult;
    });
}

// The final position rules, on current footprints: right of and below
// decide; a pair that none of them orders is logged and drawn in front.
int finalRules(const Pair& p)
{
    int r = mirrored(p, [](const Pair& q) {
        return (q.ta == 10 && q.below() && !q.b->IsMovingUp() && !q.b->IsMovingDown()) ? -1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.rightOf() && q.A.r0 <= q.B.r1) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.below() && !q.rightOf()) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return q.rightOf() ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return q.below() ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    const char* stars = "************************************************************\n";
    logPrint(LOG_RENDER_SORTING, "%s", stars);
    logPrint(LOG_RENDER_SORTING, "%s", stars);
    logPrint(LOG_RENDER_SORTING, "*  FALLOUT CASE:  SHOULD NOT GET TO THIS POINT!!!          *\n");
    logPrint(LOG_RENDER_SORTING, "%s", stars);
    logPrint(LOG_RENDER_SORTING, "%s", stars);
    return 1;
}

// A piece standing one row higher than the other sprite's run is in front,
// unless its second column lies in that run; then it goes behind it. Used by
// teleport pads on terrain and by the editor's board layers.
int raisedPieceRule(const Pair& q)
{
    if (q.A.r0 <= q.B.r1)
        return 1;
    return q.colInB(q.A.c0 + 1) ? -1 : 1;
}

} // namespace

bool isForegroundType(int t)
{
    if (oneOf(t, {12, 22, 42, 50, 51, 52, 54, 55, 56, 66, 72, 90, 91, 92, 93, 1102, 1200, 1450, 1500}))
        return true;
    return (t >= 1300 && t <= 1306) || (t >= 1410 && t <= 1415) || (t >= 1420 && t <= 1423) ||
           (t >= 1430 && t <= 1434);
}

// ---------------------------------------------------------------- comparisons

int compareSpriteLayers(const CSprite* a, const CSprite* b)
{
    static const int front[] = {1305, 1102, 1450, 1434, 1433, 1432, 1431, 1430, 1423, 1422, 1421, 1420, 1415, 1414,
                                1413, 1412, 1411, 1410, 1407, 1406, 1405, 1404, 1403, 1402, 1401, 1400, 1408};
    static const int back[] = {1303, 1304, 1302, 1301, 1300, 1200, 1306, 55, 54, 66,
                               72,   93,   92,   91,   90,   56,   52,   50, 51, 42};
    const int ta = a->GetType();
    const int tb = b->GetType();
    for (int t : front) {
        if (ta == t)
            return 1;
        if (tb == t)
            return -1;
    }
    if (ta == 1500 && tb == 1500)
        return a->GetY(false) + a->GetHeight(false) < b->GetY(false) + b->GetHeight(false) ? -1 : 1;
    if (ta == 1500)
        return 1;
    if (tb == 1500)
        return -1;
    for (int t : back) {
        if (ta == t)
            return 1;
        if (tb == t)
            return -1;
    }
    return 0;
}

int compareSpriteDepth(const CSprite* a, const CSprite* b)
{
    Pair p(a, b);
    int r = backgroundRule(p);
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 12 && q.tb == 13 && q.boxesTouch()) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return q.ta == 12 ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) {
        return (q.ta == 60 && (q.tb == 64 || q.tb == 67) && q.boxesTouch()) ? -1 : kNoResult;
    });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return q.ta == 65 ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 60 && q.boxesOverlap()) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 31 && q.boxesOverlap()) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 21 && q.boxesOverlap()) ? -1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 20 && q.boxesOverlap()) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    r = mirrored(p, [](const Pair& q) { return (q.ta == 23 && q.boxesTouch()) ? 1 : kNoResult; });
    if (r != kNoResult)
        return r;
    if (p.rightOf())
        return -1;
    if (p.leftOf())
        return 1;
    if (p.above())
        return 1;
    if (p.below())
        return -1;
    return 1;
}

int CRender::CompareDepth(const CSprite* a, const CSprite* b, bool force, bool post)
{
    Pair p(a, b);
    int r = backgroundRule(p);
    if (r != kNoResult)
        return r;
    // A lower ladder piece directly below an upper one.
    if (p.colsOverlap()) {
        if (p.ta == 12 && p.tb == 13 && a->GetTileY() == b->GetTileY() - 1)
            return -1;
        if (p.tb == 12 && p.ta == 13 && b->GetTileY() == a->GetTileY() - 1)
            return 1;
    }
    // Far apart (outside the editor): only the layers order them, unless
    // an order is forced; then their relative position does.
    if (!p.screensOverlap() && !p.boxesTouch() && renderCurrentControllerId() != RENDER_CONTROLLER_EDITOR) {
        r = compareSpriteLayers(a, b);
        if (r != 0 || !force)
            return r;
        const int behind = post ? 0 : -1;
        if (p.below() && p.leftOf())
            return behind;
        if (p.below() && p.rightOf())
            return 1;
        if (p.above() && p.leftOf())
            return 1;
        if (p.above() && p.rightOf())
            return 1;
        if (p.below() && p.colsOverlap())
            return behind;
        if (p.leftOf() && p.rowsOverlap())
            return behind;
        if (p.rightOf() && p.rowsOverlap())
            return 1;
        if (p.A.r1 >= p.B.r0)
            return behind;
        if (!p.colsOverlap())
            return behind;
        return 1;
    }
    // Near: interface layers win over board depth.
    r = compareSpriteLayers(a, b);
    if (r != 0)
        return r;
    // Teleport pads on terrain.
    if (p.ta == 60 && p.tb == 10)
        return raisedPieceRule(p);
    if (p.ta == 10 && p.tb == 60)
        return -raisedPieceRule(p.mirror());
    // The editor's cursor and board layers.
    auto editorType = [](int t) { return t == 1307 || t == 1308 || t == 1309 || t == 1310; };
    if (editorType(p.ta) || editorType(p.tb)) {
        if (p.ta == 1309 && p.tb == 1308)
            return raisedPieceRule(p);
        if (p.ta == 1308 && p.tb == 1309)
            return -raisedPieceRule(p.mirror());
        r = mirrored(p, [](const Pair& q) { return (q.ta == 1309 && q.colsOverlap()) ? 1 : kNoResult; });
        if (r != kNoResult)
            return r;
        if (p.ta == 1307 && p.tb == 1308 && p.colsOverlap() && p.above())
            return 1;
        if (p.ta == 1308 && p.tb == 1307 && p.colsOverlap() && p.below())
            return -1;
        r = mirrored(p, [](const Pair& q) { return q.ta == 1307 ? -1 : kNoResult; });
        if (r != kNoResult)
            return r;
        if (p.above())
            return 1;
        if (!p.rightOf())
            return -1;
        return 1;
    }
    // Walkers ignore what they do not touch unless an order is forced;
    // type 11 and pairs on one tile come next.
    if (!force) {
        if ((p.ta == 70 || p.tb == 70) && !p.boxesTouch())
            return 0;
    }
    if (p.ta == 11) {
        if (p.leftOf())
            return -1;
        return p.A.r0 <= p.B.r1 ? 1 : -1;
    }
    if (p.tb == 11) {
        if (p.rightOf())
            return 1;
        return p.A.r1 >= p.B.r0 ? -1 : 1;
    }
    bool sameTileHere = p.boxesOverlap() || ((p.ta == 64 || p.tb == 64) && p.boxesOverlap(true));
    if (sameTileHere) {
        r = sameTile(p);
        if (r != kNoResult)
            return r;
    }
    // The general board rules.
    r = generalRules(p);
    if (r != kNoResult)
        return r;
    // The final position rules.
    return finalRules(p);
}
