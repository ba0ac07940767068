// Ordering the sprites of the dirty rectangles back to front: the presort of
// the foreground pieces, the iterated insertion sort that asks
// CRender::CompareDepth (CRenderDepth.cpp) for every pair, the postsort, and
// their log lines.
#include <cstdio>
#include <string>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/RenderServices.h"

namespace {

std::string spriteTag(const CSprite* s)
{
    char text[256];
    snprintf(text, sizeof text, "'%s'@T(%d,%d)", s->GetName(), s->GetTileX(), s->GetTileY());
    return text;
}

} // namespace

// ---------------------------------------------------------------- sorting

void CRender::PresortDirtySprites()
{
    sortedSprites.clear();
    foregroundSprites.clear();
    if (dirtySprites.size() < 2)
        return;
    const bool trace = renderFrameStepMode();
    if (trace) {
        logPrint(LOG_RENDER_SORTING, "%s", std::string(73, '=').append("\n").c_str());
        logPrint(LOG_RENDER_SORTING, "(Frame %i)  PRESORT DIRTY SPRITES (%i)\n",
                 static_cast<int>(CDraw::GetFrameCount()), static_cast<int>(dirtySprites.size()));
    }
    for (CSprite* c : dirtySprites) {
        if (isForegroundType(c->GetType())) {
            foregroundSprites.push_back(c);
            continue;
        }
        auto it = sortedSprites.begin();
        for (; it != sortedSprites.end(); ++it)
            if (compareSpriteDepth(c, *it) == -1)
                break;
        sortedSprites.insert(it, c);
    }
    dirtySprites = sortedSprites;
}

void CRender::LogCandidates(int pass)
{
    logPrint(LOG_RENDER_SORTING_RV, "%s", std::string(73, '=').append("\n").c_str());
    logPrint(LOG_RENDER_SORTING_RV, "(Frame %i - Iteration %i)  UNSORTED DIRTY SPRITES (%i)\n",
             static_cast<int>(CDraw::GetFrameCount()), pass, static_cast<int>(dirtySprites.size()));
    for (const CSprite* s : dirtySprites)
        logPrint(LOG_RENDER_SORTING, "   T(%d,%d)  Moving(%i,%i,%i,%i)  :  %s\n", s->GetTileX(), s->GetTileY(),
                 s->IsMovingLeft() ? 1 : 0, s->IsMovingRight() ? 1 : 0, s->IsMovingUp() ? 1 : 0,
                 s->IsMovingDown() ? 1 : 0, s->GetName());
}

void CRender::SortDirtySprites()
{
    if (dirtySprites.size() <= 1) {
        sortedSprites = dirtySprites;
        return;
    }
    const bool trace = renderFrameStepMode();
    sortedSprites.clear();
    bool force = false;
    int pass = 0;
    for (;;) {
        ++pass;
        if (trace)
            LogCandidates(pass);
        bool changed = false;
        ignoreSprites.clear();
        for (CSprite* c : dirtySprites) {
            bool afterFront = false;
            int remembered = -1;
            int last = 0;
            bool inserted = false;
            for (size_t i = 0; i < sortedSprites.size(); ++i) {
                CSprite* s = sortedSprites[i];
                last = CompareDepth(c, s, force, false);
                if (last == -1) {
                    if (trace)
                        logPrint(LOG_RENDER_SORTING, force ? "      * Force Inserting %s before %s\n"
                                                           : "      * Inserting %s before %s\n",
                                 spriteTag(c).c_str(), spriteTag(s).c_str());
                    sortedSprites.insert(sortedSprites.begin() + static_cast<long>(i), c);
                    changed = true;
                    inserted = true;
                    break;
                }
                if (last == 1) {
                    int t = s->GetType();
                    if (t != 1100 && t != 1101 && t != 1103)
                        afterFront = true;
                } else if (afterFront) {
                    afterFront = false;
                    remembered = static_cast<int>(i);
                }
            }
            if (!inserted) {
                if (sortedSprites.empty() || last == 1) {
                    if (trace)
                        logPrint(LOG_RENDER_SORTING, "      * Appending %s to end\n", spriteTag(c).c_str());
                    sortedSprites.push_back(c);
                    changed = true;
                } else if (remembered >= 0) {
                    if (trace)
                        logPrint(LOG_RENDER_SORTING, "      * Pre-Inserting %s before %s\n",
                                 spriteTag(c).c_str(),
                                 spriteTag(sortedSprites[static_cast<size_t>(remembered)]).c_str());
                    sortedSprites.insert(sortedSprites.begin() + remembered, c);
                    changed = true;
                } else {
                    if (trace)
                        logPrint(LOG_RENDER_SORTING, "      * Ignoring %s\n", spriteTag(c).c_str());
                    ignoreSprites.push_back(c);
                }
            }
            force = false;
        }
        if (ignoreSprites.empty()) {
            dirtySprites = foregroundSprites;
            foregroundSprites.clear();
        } else {
            dirtySprites = ignoreSprites;
        }
        if (changed)
            continue;
        if (!ignoreSprites.empty()) {
            if (trace)
                logPrint(LOG_RENDER_SORTING, "   FORCE WHILE ITERATION (ignoreSprites = %i)\n",
                         static_cast<int>(ignoreSprites.size()));
            force = true;
            continue;
        }
        break;
    }
    dirtySprites = sortedSprites;
}

void CRender::PostsortDirtySprites()
{
    if (foregroundSprites.empty())
        return;
    if (renderFrameStepMode()) {
        logPrint(LOG_RENDER_SORTING, "%s", std::string(73, '=').append("\n").c_str());
        logPrint(LOG_RENDER_SORTING, "(Frame %i)  POSTSORT FOREGROUND DIRTY SPRITES (%i)\n",
                 static_cast<int>(CDraw::GetFrameCount()), static_cast<int>(foregroundSprites.size()));
    }
    for (CSprite* f : foregroundSprites) {
        auto it = sortedSprites.begin();
        for (; it != sortedSprites.end(); ++it)
            if (CompareDepth(f, *it, true, true) == -1)
                break;
        sortedSprites.insert(it, f);
    }
    dirtySprites = sortedSprites;
}

void CRender::LogSortedSprites()
{
    logPrint(LOG_RENDER_SORTING,
             "SORTED DIRTY SPRITES:  (Rectangle = %d x %d @ (%d,%d), allSprites.size() = %d\n", currentRect.w,
             currentRect.h, currentRect.x, currentRect.y, static_cast<int>(CSprite::GetAllSprites().size()));
    logPrint(LOG_RENDER_SORTING, "%s", std::string(55, '-').append("\n").c_str());
    for (const CSprite* s : sortedSprites)
        logPrint(LOG_RENDER_SORTING, "   (%d,%d):T(%d,%d,W%d)  %s\n", s->GetX(true), s->GetY(true), s->GetTileX(),
                 s->GetTileY(), s->GetTileWidth(), s->GetName());
    logPrint(LOG_RENDER_SORTING, "%s", std::string(55, '-').append("\n").c_str());
}
