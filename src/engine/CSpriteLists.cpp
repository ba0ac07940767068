// The sprite lists as a whole: the overlay swap of the registered list with
// the parked one, and the debug dumps and the shutdown report.
#include <string>

#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"

namespace {

std::vector<CSprite*> preswappedSprites;

const std::string& equalsLine()
{
    static const std::string line = std::string(82, '=') + "\n";
    return line;
}

const std::string& starsLine()
{
    static const std::string line = std::string(82, '*') + "\n";
    return line;
}

} // namespace

std::vector<CSprite*>& CSprite::GetPreswappedSprites()
{
    return preswappedSprites;
}

void CSprite::SwapPreswapped(bool restore)
{
    std::vector<CSprite*>& live = GetAllSprites();
    // The pointers always belong to the list that is drawn.
    pointerRemoveSprites();
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
    logPrint(LOG_DEBUG, "Visible Preswapped Sprites\n");
    for (CSprite* sprite : live)
        if (!sprite->IsHidden())
            logPrint(LOG_DEBUG, "   '%s'\n", sprite->GetName());
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
    if (restore)
        live.clear();
    else
        preswappedSprites.clear();
    live.swap(preswappedSprites);
    pointerReaddSprites();
}

void CSprite::DumpAll()
{
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
    logPrint(LOG_DEBUG, "All Sprites\n");
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
    for (CSprite* s : GetAllSprites())
        if (!s->hidden)
            logPrint(LOG_DEBUG, "   (%i,%i)  W%i H%i  '%s'\n", s->x, s->y, s->width, s->height, s->name);
}

void CSprite::Dump() const
{
    logPrint(LOG_DEBUG, "   Name               %s\n", name);
    logPrint(LOG_DEBUG, "   Current Location   (%i,%i)  @T(%i,%i)\n", x, y, tileX, tileY);
    logPrint(LOG_DEBUG, "   Previous Location  (%i,%i)  @T(%i,%i)\n", prevX, prevY, prevTileX, prevTileY);
    logPrint(LOG_DEBUG, "   Current Size       W%i x H%i   T(%ix%i)\n", width, height, tileWidth, tileHeight);
    logPrint(LOG_DEBUG, "   Prevoius Size      W%i x H%i   T(%ix%i)\n", prevWidth, prevHeight, tileWidth,
             tileHeight);
    logPrint(LOG_DEBUG, "   Current Type       %i\n", type);
    logPrint(LOG_DEBUG, "   Original Type      %i\n", initialType);
    logPrint(LOG_DEBUG, "   Looping            %i\n", looping ? 1 : 0);
    logPrint(LOG_DEBUG, "   Hidden             %i\n", hidden ? 1 : 0);
    logPrint(LOG_DEBUG, "   Finished           %i\n", finished ? 1 : 0);
    logPrint(LOG_DEBUG, "   State              %i\n", animationState);
    logPrint(LOG_DEBUG, "   Frame              %i of %i\n", frame, static_cast<int>(frames.size()));
    logPrint(LOG_DEBUG, "   Moving Left        %i\n", movingLeft ? 1 : 0);
    logPrint(LOG_DEBUG, "   Moving Right       %i\n", movingRight ? 1 : 0);
    logPrint(LOG_DEBUG, "   Moving Up          %i\n", movingUp ? 1 : 0);
    logPrint(LOG_DEBUG, "   Moving Down        %i\n", movingDown ? 1 : 0);
}

void CSprite::ExitReport()
{
    const std::vector<CSprite*>& live = GetAllSprites();
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
    logPrint(LOG_DEBUG, "%s", starsLine().c_str());
    if (!live.empty()) {
        logPrint(LOG_DEBUG, "main()  WARNING:  All sprites have not been properly unloaded:\n");
        for (const CSprite* s : live)
            logPrint(LOG_DEBUG, "   %s  (%i,%i)\n", s->name, s->x, s->y);
    } else {
        logPrint(LOG_DEBUG, "main()  All sprites have been properly unloaded\n");
    }
    logPrint(LOG_DEBUG, "%s", starsLine().c_str());
    logPrint(LOG_DEBUG, "%s", equalsLine().c_str());
}
