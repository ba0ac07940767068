// Heat and cold: freezing, heating, the per-frame heat transfer between
// neighbours, the professor's delayed heat, and the four effect overlays
// (heat glow, heat explosion, steam cloud, EMP) with their sounds.
#include <cstdio>
#include <utility>

#include "engine/CRender.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElement.h"

namespace {

// Cells that received heat in this frame (cleared by every transfer pass).
std::vector<std::pair<int32_t, int32_t>> heatedPositions;

bool professorOutcomeSet(const CElement* e)
{
    return e->IsAIProfessor() && (CElement::caught || CElement::exited || CElement::singed);
}

// A heated element that gave heat away, or was hit by cold, cools; an
// element that is not heated freezes when it can. Returns true on either.
bool coolOrFreeze(CElement* e)
{
    if (e->heated) {
        logPrint(LOG_DEBUG, "CElement::Freeze()   Element at (%i,%i) is dynamically heated.\n", e->x, e->y);
        e->cooling = 1;
        e->heated = 0;
        return true;
    }
    if (e->freezable) {
        logPrint(LOG_DEBUG, "CElement::Freeze()   Element at (%i,%i) is dynamically freezable.\n", e->x, e->y);
        e->frozen = 1;
        return true;
    }
    return false;
}

// Shows a one-shot effect sprite on its first frame, and hides it when the
// animation has ended. Returns true when it ended in this frame.
bool runOneShot(CElement* e, CSprite* s, CSound* sound)
{
    if (s->IsHidden()) {
        s->Show(e->lastPixelX, e->lastPixelY);
        s->Animate(true);
        s->SetPosition(e->pixelX, e->pixelY, false);
        if (sound && !sound->isPlaying() && !e->effectSilenced)
            sound->play(false, 0, 0.0f);
        return false;
    }
    s->SetPosition(e->pixelX, e->pixelY, false);
    if (!s->IsFinished())
        return false;
    s->Hide();
    s->ResetAnimation();
    return true;
}

} // namespace

// ---------------------------------------------------------------- heated positions

bool CElement::isHeatedPosition(int cx, int cy)
{
    for (const auto& p : heatedPositions)
        if (p.first == cx && p.second == cy)
            return true;
    return false;
}

void CElement::addHeatedPosition(int cx, int cy)
{
    if (!isHeatedPosition(cx, cy))
        heatedPositions.emplace_back(cx, cy);
}

void CElement::clearHeatedPositions()
{
    heatedPositions.clear();
}

// ---------------------------------------------------------------- freeze and heat

bool CElement::Freeze()
{
    if (IsCatching() || professorOutcomeSet(this))
        return false;
    return coolOrFreeze(this);
}

bool CElement::Heat(bool silent, bool record)
{
    if (IsCatching() || (IsAIProfessor() && (caught || exited)))
        return false;
    if (frozen) {
        logPrint(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is dynamically frozen.\n", x, y);
        steamActive = 1;
        thawing = 1;
        frozen = 0;
        if (record)
            addHeatedPosition(x, y);
    } else if (burnable || meltable) {
        logPrint(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is statically burnable or meltable.\n", x, y);
        heatEffectActive = burnable;
        steamActive = meltable && !burnable;
        inGrid = 0;
        canFall = 0;
        canSlide = 0;
        if (record)
            addHeatedPosition(x, y);
        if (IsAIProfessor()) {
            heated = 1;
        } else {
            // Leave the grid: both cells while a move is under way.
            if (getElementAt(x, y, true) == this)
                clearElementAt(x, y);
            if (isOnBoard(prevX, prevY) && getElementAt(prevX, prevY, true) == this)
                clearElementAt(prevX, prevY);
        }
    } else if (heatable) {
        logPrint(LOG_DEBUG, "CElement::Heat()   Element at (%i,%i) is dynamically heatable.\n", x, y);
        if (record)
            addHeatedPosition(x, y);
        heated = 1;
        return true;
    } else {
        return false;
    }
    if (silent)
        effectSilenced = 1;
    return true;
}

bool CElement::UseDelayedHeat()
{
    if (!delayedHeat)
        return false;
    logPrint(LOG_DEBUG, "CElement::UseDelayedHeat()   Element at (%i,%i) using delayed heat!!!\n", x, y);
    delayedHeat = 0;
    return true;
}

// ---------------------------------------------------------------- heat transfer

bool CElement::transferHeat(int cx, int cy, CElement* heater, bool quiet)
{
    if (isHeatedPosition(cx, cy))
        return true;
    CElement* t = getElementAt(cx, cy, false);
    if (t->IsNull() || t->IsCatching() || t->heatImmune || t->CanFall(false))
        return false;
    if (!quiet) {
        if (t->IsBridge()) {
            bool hangingBot = heater->IsBot() && !heater->canFall;
            if (t->y < heater->y && !hangingBot)
                return false;
            logPrint(LOG_DEBUG, "transferHeat:  Attempting to heat bridge at (%i,%i)\n", cx, cy);
        } else if (t->IsAIProfessor()) {
            bool professorSlides = t->sliding && t->ShouldSlide();
            if (heater->x != t->x && !heater->sliding && !professorSlides) {
                if (!t->UseDelayedHeat())
                    return false;
            }
            logPrint(LOG_DEBUG, "transferHeat:  Attempting to heat professor at (%i,%i)\n", cx, cy);
        } else {
            if (!t->frozen && !t->burnable && !t->meltable)
                return false;
            logPrint(LOG_DEBUG, "transferHeat:  Attempting to heat element at (%i,%i)\n", cx, cy);
        }
    }
    return t->Heat(false, true);
}

void CElement::spreadHeat()
{
    bool gave = false;
    // Every neighbour is tried, even after one took the heat.
    gave |= transferHeat(GetSideColumn(x, y, true, true), GetLandingRow(x, y, true, true), this, false);
    gave |= transferHeat(GetSideColumn(x, y, false, true), GetLandingRow(x, y, false, true), this, false);
    gave |= transferHeat(x, y - 1, this, false);
    gave |= transferHeat(x, y + 1, this, false);
    if (gave && !IsCatching() && !professorOutcomeSet(this))
        coolOrFreeze(this);
}

void CElement::ProcessHeatTransfer()
{
    clearHeatedPositions();
    for (CElement* e : allElements) {
        if (e->heated && e->IsAtRest() && !e->IsAIProfessor() && !e->CanFall(false))
            e->spreadHeat();
    }
}

// ---------------------------------------------------------------- effect overlays

void CElement::CreateEffectSprites(bool heat, bool burn, bool steam, bool emp)
{
    if (heat && !heatOverlay) {
        heatOverlay = new CSprite(58, 48, 90, 2, false, 1, 1);
        heatOverlay->SetName("Heat Overlay");
        static const struct {
            int image;
            int count;
        } glow[] = {{3, 2}, {4, 2}, {5, 2}, {6, 1}, {7, 1}, {8, 2}, {9, 4}, {8, 2}, {7, 1}, {6, 1}, {5, 2}, {4, 2}};
        char name[64];
        for (const auto& g : glow) {
            snprintf(name, sizeof name, "heatedobjectglow%d.png", g.image);
            heatOverlay->AddFrameRepeated(name, g.count);
        }
        heatOverlay->SetLooping(true);
    }
    if (burn && !heatExplosion) {
        heatExplosion = new CSprite(33, 77, 92, 2, false, 1, 1);
        heatExplosion->SetName("Heat Explosion");
        heatExplosion->LoadFrames("heatgunimpact", 0, 25, ".png", 1);
        soundHeat = new CSound(bursts ? "element_bursting.ogg" : "element_burning.ogg", false);
    }
    if (steam && !steamExplosion) {
        steamExplosion = new CSprite(48, 95, 93, 2, false, 1, 1);
        steamExplosion->SetName("Steam Explosion");
        steamExplosion->LoadFrames("icemeltingsteam", 0, 18, ".png", 1);
        soundMelt = new CSound("element_melting.ogg", false);
    }
    if (emp && !empOverlay) {
        empOverlay = new CSprite(20, 16, 90, 1, false, 1, 1);
        empOverlay->SetName("EMP Overlay");
        empOverlay->LoadFrames("magnetemp", 0, 14, ".tga", 1);
    }
}

void CElement::AnimateEffects()
{
    if (heatOverlay) {
        if (heated && !IsAIProfessor()) {
            if (heatOverlay->IsHidden()) {
                heatOverlay->Show(lastPixelX, lastPixelY);
                heatOverlay->Animate(true);
            }
            heatOverlay->SetPosition(pixelX, pixelY, false);
            if (carried && moveCount <= 1)
                CRender::AddDirtyRect(carryX - heatOverlay->GetOffsetX(), carryY - heatOverlay->GetOffsetY(),
                                      heatOverlay->GetWidth(true), heatOverlay->GetHeight(true));
        } else if (!heatOverlay->IsHidden()) {
            heatOverlay->Hide();
        }
    }
    if (heatExplosion && heatEffectActive && runOneShot(this, heatExplosion, soundHeat)) {
        heatEffectActive = 0;
        effectSilenced = 0;
        exploded = 1;
    }
    if (steamExplosion && steamActive && runOneShot(this, steamExplosion, soundMelt)) {
        steamActive = 0;
        effectSilenced = 0;
    }
    if (empOverlay && empActive && !exploded) {
        if (empOverlay->IsHidden()) {
            empOverlay->Show(lastPixelX, lastPixelY);
            empOverlay->Animate(true);
        }
        empOverlay->SetPosition(pixelX, pixelY, false);
        if (empOverlay->IsFinished()) {
            empOverlay->Hide();
            empOverlay->ResetAnimation();
            empActive = 0;
        }
    }
}

void CElement::FreeEffectSprites()
{
    delete heatOverlay;
    delete heatExplosion;
    delete steamExplosion;
    delete empOverlay;
    heatOverlay = heatExplosion = steamExplosion = empOverlay = nullptr;
}
