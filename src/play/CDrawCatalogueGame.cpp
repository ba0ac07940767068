// The game's image catalogue: overlays, backgrounds and every element
// family's pictures. At its end the element classes switch to the shared
// images the catalogue holds.
#include "elements/CElementDeviceButton.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementLadder.h"
#include "elements/CElementObjectBarrel.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainBridge.h"
#include "elements/CElementTerrainGrass.h"
#include "elements/CElementTerrainIce.h"
#include "elements/CElementTerrainSand.h"
#include "elements/CElementTutorial.h"
#include "engine/CDraw.h"
#include "engine/CatalogueSteps.h"
#include "engine/ImageCatalogues.h"
#include "walkers/CElementAIBot.h"
#include "walkers/CElementAIProfessor.h"

using namespace catalogue;

namespace {
const char* const kGameWhat = "images for game";
} // namespace

void cacheGame()
{
    const char* fn = "cacheGame()";
    logStart(fn, kGameWhat);

    copy("counterdigitsA.png", "counterdigitsA_faded.png", -50);
    logBlock(fn, "Faded Counter");
    advance();

    load("confirmation_parch.png");
    load("parchment_profpenny.png");
    load("parchment.png");
    load("parchment_kids.png");
    load("tutorial_small.png");
    load("tutorial_big.png");
    logBlock(fn, "Tutorial Bubbles");
    advance();

    load("flash.jpg");
    series("heatedobjectglow", 3, 9, ".png");
    series("heatgunimpact", 0, 25, ".png");
    series("icemeltingsteam", 0, 18, ".png");
    series("magnetemp", 0, 14, ".tga");
    logBlock(fn, "Game Overlays");
    advance();

    for (int i = 0; i < 8; ++i) {
        load(numbered("background", i, ".jpg").c_str());
        if (i % 2 == 1)
            advance();
    }
    logBlock(fn, "Game Backgrounds");

    cacheGameBot();
    cacheGameButton();
    cacheGameGunshot();
    cacheGameGate();
    cacheGamePowerup();
    cacheGameTramp();
    cacheGameTerrain();
    cacheGameBarrels();
    cacheGameMagnets();
    cacheGameCrates();
    cacheGameTubes();
    cacheGameProf();
    cacheGameTeleports();

    // Every picture the elements use is decoded and held from here on.
    CElementAIBot::sharedImages = 1;
    CElementAIProfessor::sharedImages = 1;
    CElementDeviceButton::sharedImages = 1;
    CElementDeviceGate::sharedImages = 1;
    CElementDeviceGunshot::sharedImages = 1;
    CElementDevicePowerup::sharedImages = 1;
    CElementDeviceTeleport::sharedImages = 1;
    CElementDeviceTrampoline::sharedImages = 1;
    CElementDeviceTube::sharedImages = 1;
    CElementLadder::sharedImages = 1;
    CElementObjectBarrel::sharedImages = 1;
    CElementObjectCrate::sharedImages = 1;
    CElementObjectMagnet::sharedImages = 1;
    CElementTerrainBridge::sharedImages = 1;
    CElementTerrainGrass::sharedImages = 1;
    CElementTerrainIce::sharedImages = 1;
    CElementTerrainSand::sharedImages = 1;
    CElementTutorial::sharedImages = 1;
}

void cacheGameBot()
{
    const char* fn = "cacheGameBot()";
    logStart(fn, kGameWhat);
    load("batstunnedlefttiltleft.png");
    load("batstunnedlefttiltright.png");
    load("batstunnedrighttiltleft.png");
    load("batstunnedrighttiltright.png");
    series("botcatchprofleft", 0, 26, ".png");
    series("botcatchprofright", 0, 26, ".png");
    advance();
    series("botclimb", 0, 2, ".png");
    series("botcooledleftsquash", 0, 2, ".png");
    load("botcooledlefttiltleft.png");
    load("botcooledlefttiltright.png");
    series("botcooledrightsquash", 0, 2, ".png");
    load("botcooledrighttiltleft.png");
    load("botcooledrighttiltright.png");
    series("botcoolingleft", 0, 6, ".png");
    series("botcoolinglefttiltedleft", 0, 6, ".png");
    series("botcoolinglefttiltedright", 0, 6, ".png");
    series("botcoolingright", 0, 6, ".png");
    series("botcoolingrighttiltedleft", 0, 6, ".png");
    series("botcoolingrighttiltedright", 0, 6, ".png");
    advance();
    series("botcrawlleft", 0, 5, ".png");
    series("botcrawlright", 0, 5, ".png");
    series("botcrushedleft", 0, 2, ".png");
    series("botcrushedright", 0, 2, ".png");
    series("botfall", 0, 18, ".png");
    load("botfrozen.png");
    load("botfrozenmelted.png");
    load("bothang.png");
    advance();
    series("botheatedleftsquash", 0, 2, ".png");
    load("botheatedlefttiltleft.png");
    load("botheatedlefttiltright.png");
    series("botheatedrightsquash", 0, 2, ".png");
    load("botheatedrighttiltleft.png");
    load("botheatedrighttiltright.png");
    series("botmagnetleft", 0, 1, ".png");
    series("botmagnetright", 0, 1, ".png");
    series("botmeltingleft", 0, 4, ".png");
    series("botmeltingright", 0, 4, ".png");
    advance();
    series("botpushleft", 0, 11, ".png");
    series("botpushright", 0, 11, ".png");
    series("botrunleft", 0, 11, ".png");
    series("botrunright", 0, 11, ".png");
    advance();
    series("botslidingleft", 0, 5, ".png");
    series("botslidingright", 0, 5, ".png");
    load("botstandleft.png");
    load("botstandright.png");
    series("botstunnedleft", 0, 2, ".png");
    series("botstunnedright", 0, 2, ".png");
    logBlock(fn, "Bots");
    advance();
}

void cacheGameButton()
{
    const char* fn = "cacheGameButton()";
    logStart(fn, kGameWhat);
    series("buttonblue", 0, 1, ".tga");
    series("buttonred", 0, 1, ".tga");
    series("buttonyellow", 0, 1, ".tga");
    logBlock(fn, "Buttons");
    advance();
}

void cacheGameGunshot()
{
    const char* fn = "cacheGameGunshot()";
    logStart(fn, kGameWhat);
    series("frostballleft", 0, 11, ".tga");
    series("frostballright", 0, 11, ".tga");
    series("frostexplode", 0, 8, ".tga");
    series("fireballleft", 0, 11, ".png");
    series("fireballright", 0, 11, ".png");
    series("heatgunimpact", 0, 25, ".png");
    logBlock(fn, "Gunshots");
    advance();
}

void cacheGameGate()
{
    const char* fn = "cacheGameGate()";
    logStart(fn, kGameWhat);
    series("gatebackbreak", 0, 7, ".tga");
    series("gatebackclose", 0, 7, ".tga");
    series("gatebackmagnet", 0, 3, ".tga");
    series("gatefrontbreak", 0, 11, ".tga");
    series("gatefrontbreakred", 0, 11, ".tga");
    series("gatefrontbreakyellow", 0, 11, ".tga");
    load("gatefrontclose0.tga");
    load("gatefrontclose6.tga");
    load("gatefrontclose7.tga");
    load("gatefrontclosered0.tga");
    load("gatefrontcloseyellow0.tga");
    series("gatefrontmagnet", 0, 3, ".tga");
    series("gatefrontmagnetred", 0, 3, ".tga");
    series("gatefrontmagnetyellow", 0, 3, ".tga");
    logBlock(fn, "Gates");
    advance();
}

void cacheGamePowerup()
{
    const char* fn = "cacheGamePowerup()";
    logStart(fn, kGameWhat);
    series("powerupbarrel", 0, 23, ".tga");
    series("powerupbridge", 0, 27, ".png");
    series("powerupcrate", 0, 27, ".tga");
    series("powerupemp", 0, 17, ".tga");
    series("powerupfrostgun", 0, 17, ".tga");
    load("poweruphalo0.tga");
    series("powerupmagnet", 0, 23, ".tga");
    series("powerupteleport", 0, 27, ".png");
    series("powerupteleportred", 0, 27, ".png");
    series("powerupteleportyellow", 0, 27, ".png");
    series("powerupwhistle", 0, 17, ".tga");
    advance();
    series("poweruptextemp", 0, 7, ".tga");
    series("poweruptextfrostgun", 0, 7, ".tga");
    series("poweruptextinflatable", 0, 7, ".tga");
    series("poweruptextwhistle", 0, 7, ".tga");
    series("powerupheatgun", 0, 17, ".png");
    series("poweruptextheatgun", 0, 7, ".tga");
    logBlock(fn, "Powerups");
    advance();
}

void cacheGameTramp()
{
    const char* fn = "cacheGameTramp()";
    logStart(fn, kGameWhat);
    load("trampoline0.tga");
    load("trampolineback0.tga");
    load("trampolinefront0.tga");
    series("trampolinefrontright", 0, 2, ".tga");
    series("trampolinestretchleft", 0, 1, ".tga");
    load("trampolinestretchleftfull.tga");
    series("trampolinestretchright", 0, 2, ".tga");
    load("trampolinestretchrightfull.tga");
    series("trampolineunstretchleft", 0, 7, ".tga");
    series("trampolineunstretchright", 0, 8, ".tga");
    logBlock(fn, "Trampolines");
    advance();
}

void cacheGameTerrain()
{
    const char* fn = "cacheGameTerrain()";
    logStart(fn, kGameWhat);
    series("grass", 1, 32, ".png");
    series("grass", 1, 5, "b.png");
    logBlock(fn, "Grass");
    advance();

    series("sand", 1, 32, ".png");
    series("sand", 1, 5, "b.png");
    logBlock(fn, "Sand");
    advance();

    series("ice", 1, 10, ".png");
    series("ice", 1, 2, "b.png");
    logBlock(fn, "Ice");
    advance();

    load("bridgeinflatable0_trimmed.png");
    series("bridgeinflatable", 0, 10, ".png");
    load("bridgeinflateleft0.png");
    load("bridgeinflateright0.png");
    load("bridgeinflate1.png");
    load("bridgeinflate2.png");
    load("bridgeinflate4.png");
    load("bridgeA0_trimmed.png");
    series("bridgeA", 0, 13, ".png");
    load("bridgefrozen.png");
    logBlock(fn, "Bridges");
    advance();

    load("ladderiso.tga");
    load("laddertop.tga");
    load("laddermiddle.tga");
    load("ladderbottom.tga");
    load("ladderbottomhang.tga");
    load("ladderplatform.tga");
    logBlock(fn, "Ladders");
    advance();
}

void cacheGameBarrels()
{
    const char* fn = "cacheGameBarrels()";
    logStart(fn, kGameWhat);
    static const char* const wooden[] = {"barrel",     "barrelfrozen",     "barrelheated",
                                         "barrelfall", "barrelfallfrozen", "barrelfallheated"};
    for (const char* prefix : wooden)
        series(prefix, 0, 7, ".tga");
    logBlock(fn, "Wooden Barrels");
    advance();

    static const char* const inflatable[] = {"barrelinflatable",     "barrelinflatablefrozen",
                                             "barrelinflatableheated", "barrelinflatablefall",
                                             "barrelinflatablefallfrozen", "barrelinflatablefallheated"};
    for (const char* prefix : inflatable)
        series(prefix, 0, 7, ".tga");
    load("barrelinflateleft0.tga");
    load("barrelinflateright0.tga");
    load("barrelinflate1.tga");
    load("barrelinflate2.tga");
    load("barrelinflate4.tga");
    logBlock(fn, "Inflatable Barrels");
    advance();

    static const char* const metal[] = {"metalbarrel",     "metalbarrelfrozen",     "metalbarrelheated",
                                        "metalbarrelfall", "metalbarrelfallfrozen", "metalbarrelfallheated"};
    for (const char* prefix : metal)
        series(prefix, 0, 7, ".png");
    series("metalbarrelcooling", 0, 6, ".png");
    logBlock(fn, "Metal Barrels");
    advance();

    // One cooling series per roll angle.
    for (int angle = 0; angle < 8; ++angle)
        series(numbered("metalbarrelcooling", angle, "-").c_str(), 0, 6, ".png");
    logBlock(fn, "Cooling Metal Barrels");
    advance();
}

namespace {

// The pictures of an inflatable magnet; side is "left" or "right".
void inflatableMagnet(const char* side)
{
    std::string m = std::string("magnetinflatable") + side;
    static const char* const parts[] = {"still0",       "stillfrozen0", "stillheated0",
                                        "left0",        "leftfrozen0",  "leftheated0",
                                        "right0",       "rightfrozen0", "rightheated0",
                                        "squash0",      "squash1",      "squash4"};
    for (const char* part : parts)
        load((m + part + ".tga").c_str());
    std::string inflate = std::string("magnetinflate") + side;
    series(inflate.c_str(), 0, 2, ".tga");
    load((inflate + "4.tga").c_str());
}

// The pictures of a normal magnet; side is "left" or "right".
void normalMagnet(const char* side)
{
    std::string m = std::string("magnet") + side;
    static const char* const parts[] = {"still0.tga",         "stillfrozen0.tga",    "heatednormal.png",
                                        "left0.tga",          "leftfrozen0.tga",     "heatedleft.png",
                                        "right0.tga",         "rightfrozen0.tga",    "heatedright.png",
                                        "squash0.tga",        "squash1.tga",         "squash4.tga",
                                        "heatedsquash0.png",  "heatedsquash1.png",   "heatedsquash4.png"};
    for (const char* part : parts)
        load((m + part).c_str());
    series((m + "cooling").c_str(), 0, 6, ".png");
}

} // namespace

void cacheGameMagnets()
{
    const char* fn = "cacheGameMagnets()";
    logStart(fn, kGameWhat);
    inflatableMagnet("left");
    logBlock(fn, "Left Magnet, Inflatable");
    advance();
    inflatableMagnet("right");
    logBlock(fn, "Right Magnet, Inflatable");
    advance();
    normalMagnet("left");
    logBlock(fn, "Left Magnet, Normal");
    advance();
    normalMagnet("right");
    logBlock(fn, "Right Magnet, Normal");
    advance();
}

void cacheGameCrates()
{
    const char* fn = "cacheGameCrates()";
    logStart(fn, kGameWhat);
    static const char* const wooden[] = {
        "cratestill0.tga",  "cratestill0b.tga",  "cratestillfrozen0.tga", "crateleft0.tga",
        "crateleft0b.tga",  "crateleftfrozen0.tga", "crateright0.tga",    "crateright0b.tga",
        "craterightfrozen0.tga", "cratesquash0.tga", "cratesquash1.tga",  "cratesquash4.tga",
        "cratesquash0b.tga", "cratesquash1b.tga", "cratesquash4b.tga"};
    for (const char* name : wooden)
        load(name);
    logBlock(fn, "Wooden Crate");
    advance();

    static const char* const inflatable[] = {
        "crateinflatablestill0.tga",  "crateinflatablestillfrozen0.tga", "crateinflatableleft0.tga",
        "crateinflatableleftfrozen0.tga", "crateinflatableright0.tga",   "crateinflatablerightfrozen0.tga",
        "crateinflatablesquash0.tga", "crateinflatablesquash1.tga",      "crateinflatablesquash4.tga",
        "crateinflateleft0.tga",      "crateinflateright0.tga"};
    for (const char* name : inflatable)
        load(name);
    series("crateinflate", 1, 4, ".tga");
    logBlock(fn, "Inflatable Crate");
    advance();

    static const char* const metal[] = {
        "metalcratestill0.tga",    "metalcratestillfrozen0.tga", "metalcrateheated.png",
        "metalcrateleft0.tga",     "metalcrateleftfrozen0.tga",  "metalcrateheatedleft.png",
        "metalcrateright0.tga",    "metalcraterightfrozen0.tga", "metalcrateheatedright.png",
        "metalcratesquash0.tga",   "metalcratesquash1.tga",      "metalcratesquash4.tga",
        "metalcrateheatedsquash0.png", "metalcrateheatedsquash1.png", "metalcrateheatedsquash4.png"};
    for (const char* name : metal)
        load(name);
    series("metalcratecooling", 0, 6, ".png");
    logBlock(fn, "Metal Crate");
    advance();
}

void cacheGameTubes()
{
    const char* fn = "cacheGameTubes()";
    logStart(fn, kGameWhat);
    load("tubeentrance0.png");
    load("tubeexit0.png");
    load("tubeexitlights0.png");
    load("tubearrow0.png");
    advance();
    static const int arrowSteps[7] = {-25, -50, -80, -110, -150, -190, -230};
    for (int i = 0; i < 7; ++i)
        copy("tubearrow0.png", numbered("tubearrowfade", i, ".png").c_str(), arrowSteps[i]);
    advance();
    series("transporttube_break", 0, 5, ".png");
    series("transporttubeB_break", 0, 5, ".png");
    advance();
    breakFadeOut("transporttube_break", 5, ".png");
    breakFadeOut("transporttubeB_break", 5, ".png");
    logBlock(fn, "Tube Images");
    advance();
}

void cacheGameProf()
{
    const char* fn = "cacheGameProf()";
    logStart(fn, kGameWhat);

    struct Series {
        const char* prefix;
        int from, to;
        const char* suffix;
    };
    // The professor's animations; the bar advances after every fifth
    // series (15 steps for the 74 series).
    static const Series professor[] = {
        {"profstandmiddle", 0, 10, ".tga"},      {"profstandleft", 0, 10, ".tga"},
        {"profstandright", 0, 10, ".tga"},       {"profrunleft", 0, 9, ".tga"},
        {"profrunright", 0, 9, ".tga"},          {"profclimbdown", 0, 2, ".tga"},
        {"profclimbup", 0, 2, ".tga"},           {"profladderleft", 0, 3, ".tga"},
        {"profladderright", 0, 3, ".tga"},       {"proffall", 0, 5, ".tga"},
        {"profpushleft", 0, 7, ".tga"},          {"profpushright", 0, 7, ".tga"},
        {"profslideleft", 0, 3, ".tga"},         {"profslideleftuncool", 0, 5, ".tga"},
        {"profslideright", 0, 3, ".tga"},        {"profsliderightuncool", 0, 5, ".tga"},
        {"profinflateleft", 0, 9, ".tga"},       {"profinflateright", 0, 9, ".tga"},
        {"profemp", 0, 10, ".tga"},              {"profwhistle", 0, 8, ".tga"},
        {"profgunleft", 0, 10, ".tga"},          {"profgunright", 0, 10, ".tga"},
        {"proffireheatgunleft", 0, 10, ".png"},  {"proffireheatgunright", 0, 10, ".png"},
        {"proftrampleft", 0, 6, ".tga"},         {"proftrampright", 0, 6, ".tga"},
        {"proftrampflingleft", 0, 2, ".tga"},    {"proftrampflingright", 0, 8, ".tga"},
        {"proftramprecover", 0, 7, ".tga"},      {"profland", 0, 5, ".tga"},
        {"tube", 0, 21, ".tga"},                 {"profbarrelleft", 0, 9, ".tga"},
        {"profbarrelright", 0, 9, ".tga"},       {"profcrawlleft", 0, 5, ".tga"},
        {"profcrawlright", 0, 5, ".tga"},        {"profstunleft", 0, 2, ".tga"},
        {"profstunright", 0, 2, ".tga"},         {"profturnleft", 0, 1, ".tga"},
        {"profturnright", 0, 1, ".tga"},         {"proffrozen", 0, 0, ".tga"},
        {"profsinged", 0, 7, ".png"},            {"profthawing", 0, 4, ".png"},
        {"profcaughtleft", 0, 30, ".png"},       {"profcaughtright", 0, 30, ".png"},
        {"profhotstepleft", 0, 48, ".png"},      {"profhotstepright", 0, 48, ".png"},
        {"profpushhotleft", 0, 32, ".png"},      {"profpushhotright", 0, 32, ".png"},
        {"profidleA", 0, 6, ".tga"},             {"profidleB", 0, 10, ".tga"},
        {"profidleC", 0, 4, ".tga"},             {"profidleC", 9, 12, ".tga"},
        {"profidleD", 0, 5, ".tga"},             {"profidleD", 11, 17, ".tga"},
        {"profidleE", 0, 22, ".tga"},            {"profidleF", 0, 60, ".tga"},
        {"profidleG", 0, 6, ".tga"},             {"profidleH", 0, 16, ".png"},
        {"profidleI", 0, 11, ".png"},            {"profidleJ", 0, 13, ".png"}};
    const int count = static_cast<int>(sizeof professor / sizeof professor[0]);
    int steps = 0;
    for (int i = 0; i < count; ++i) {
        CDraw::GetImageSeries(professor[i].prefix, professor[i].from, professor[i].to, professor[i].suffix);
        if (i % 4 == 3 && steps < 14) {
            advance();
            ++steps;
        }
    }
    advance();
    logBlock(fn, "Professor");

    static const char* const digits[] = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
    for (const char* digit : digits)
        series((std::string("icon") + digit).c_str(), 0, 1, ".tga");
    static const char* const tgaIcons[] = {"iconcrate", "iconbarrel", "iconmagnet", "iconemp", "iconwhistle",
                                           "iconfrostgun"};
    for (const char* prefix : tgaIcons)
        series(prefix, 0, 4, ".tga");
    series("iconheatgun", 0, 4, ".png");
    series("iconbridge", 0, 4, ".png");
    advance();
    static const char* const teleports[] = {"iconteleportblue", "iconteleportyellow", "iconteleportred"};
    for (const char* prefix : teleports) {
        series(prefix, 0, 4, ".png");
        std::string p(prefix);
        load((p + "3b.png").c_str());
        load((p + "3c.png").c_str());
        load((p + "3d.png").c_str());
        load((p + "3e.png").c_str());
    }
    advance();
    logBlock(fn, "Powerup Icons");
    advance();
}

void cacheGameTeleports()
{
    const char* fn = "cacheGameTeleports()";
    logStart(fn, kGameWhat);
    static const char* const inflatableColours[] = {"blue", "red", "yellow"};
    for (const char* colour : inflatableColours) {
        std::string p = std::string("teleportinflatable_") + colour;
        series(p.c_str(), 0, 4, ".png");
        load((p + "3back.png").c_str());
        load((p + "3front.png").c_str());
        advance();
    }
    logBlock(fn, "Inflatables");

    load("teleport_frameback.png");
    series("teleport_frameblue", 0, 4, ".png");
    series("teleport_framered", 0, 4, ".png");
    series("teleport_frameyellow", 0, 4, ".png");
    logBlock(fn, "Frames");
    advance();

    load("teleport_glowblue.png");
    load("teleport_glowred.png");
    load("teleport_glowyellow.png");
    series("teleport_spiralblueturnon", 0, 6, ".png");
    series("teleport_spiralredturnon", 0, 6, ".png");
    series("teleport_spiralyellowturnon", 0, 6, ".png");
    advance();
    series("teleport_spiralblue", 0, 39, ".png");
    series("teleport_spiralred", 0, 39, ".png");
    advance();
    series("teleport_spiralyellow", 0, 39, ".png");
    logBlock(fn, "Spirals");
    advance();
}
