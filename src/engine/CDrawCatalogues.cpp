// The catalogue steps and the catalogues of the menus, the map, the button
// labels and the faded pictures. The game's own catalogue, which names every
// element class, lives above the engine in play/CDrawCatalogueGame.cpp.
#include "engine/CDraw.h"
#include "engine/TextImage.h"
#include "engine/CatalogueSteps.h"
#include "engine/ImageCatalogues.h"
#include "engine/Log.h"

namespace catalogue {

void logStart(const char* function, const char* what)
{
    logPrint(LOG_TIMING, "%-20s   Caching %s\n", function, what);
}

void logBlock(const char* function, const char* label)
{
    logPrint(LOG_TIMING, "%-20s      Loaded:  %s\n", function, label);
}

void advance()
{
    CDraw::AdvanceLoadProgress(100);
}

void load(const char* name)
{
    CDraw::GetImage(name);
}

void series(const char* prefix, int from, int to, const char* suffix)
{
    CDraw::GetImageSeries(prefix, from, to, suffix);
}

namespace {
// A copy gives its reference to the source back, so a source that no
// catalogue loaded would be freed again right after the copy. The catalogue
// holds it instead: every name it lists stays decoded for the whole run.
void holdSource(const char* source)
{
    if (CDraw::FindImageId(source) == -1)
        CDraw::GetImage(source);
}
} // namespace

void copy(const char* source, const char* target, int dA)
{
    holdSource(source);
    CDraw::CopyImage(source, target, dA);
}

void copySeries(const char* sourcePrefix, const char* targetPrefix, int from, int to, const char* suffix,
                int dA)
{
    for (int i = from; i <= to; ++i)
        holdSource(numbered(sourcePrefix, i, suffix).c_str());
    CDraw::CopyImageSeries(sourcePrefix, targetPrefix, from, to, suffix, dA);
}

void breakFadeOut(const char* prefix, int k, const char* suffix)
{
    static const int steps[6] = {-35, -70, -110, -150, -190, -230};
    std::string source = numbered(prefix, k, suffix);
    for (int i = 0; i < 6; ++i)
        CDraw::CopyImage(source.c_str(), numbered(prefix, k + 1 + i, suffix).c_str(), steps[i]);
}

void text(int width, int height, int align, int stringId, const char* name)
{
    SDL_Surface* surface = renderTextBox(width, height, align, stringId);
    if (!surface)
        logError(true, "Could not render text image:  %s\n", name);
    CDraw::LoadSurface(surface, name);
}

std::string numbered(const char* prefix, int i, const char* suffix)
{
    return std::string(prefix) + std::to_string(i) + suffix;
}

} // namespace catalogue

using namespace catalogue;

// ---------------------------------------------------------------- main menu

void cacheMain()
{
    const char* fn = "cacheMain()";
    logStart(fn, "images for main menu");

    load("dimmer.png");
    load("mainmenu_background.jpg");
    logBlock(fn, "Background");
    advance();

    static const char* const clouds[] = {
        "mainmenu_cloudbigA.png",    "mainmenu_cloudbigB.png",    "mainmenu_cloudbigC.png",
        "mainmenu_cloudbigD.png",    "mainmenu_cloudmediumA.png", "mainmenu_cloudmediumB.png",
        "mainmenu_cloudmediumC.png", "mainmenu_cloudsmallA.png",  "mainmenu_cloudsmallB.png",
        "mainmenu_cloudsmallC.png",  "mainmenu_cloudsmallD.png",  "mainmenu_cloudsmallE.png"};
    for (const char* name : clouds)
        load(name);
    logBlock(fn, "Clouds");
    advance();

    load("mainmenu_volcanofront.png");
    series("mainmenu_glow", 1, 9, ".png");
    advance();
    series("mainmenu_smoke", 1, 54, ".png");
    logBlock(fn, "Volcano");
    advance();

    series("mainmenu_profleftarm", 1, 5, ".png");
    series("mainmenu_profrightarm", 1, 5, ".png");
    series("mainmenu_profhead", 0, 26, ".png");
    load("mainmenu_profbody.png");
    load("mainmenu_leavescoconuts.png");
    logBlock(fn, "Professor");
    advance();

    static const char* const buttons[] = {
        "mainmenu_buttonactive.png",        "mainmenu_buttonrollover.png",
        "mainmenu_buttonbase.png",          "mainmenu_text_playnow.png",
        "mainmenu_text_levelmanager.png",   "mainmenu_text_leveleditor.png",
        "mainmenu_text_highscores.png",     "mainmenu_text_instructions.png",
        "mainmenu_text_settings.png",       "mainmenu_text_credits.png",
        "mainmenu_text_moregames.png",      "mainmenu_text_exit.png",
        "profile_button_changebase.png",    "profile_button_changeshadow.png",
        "profile_button_changerollover.png"};
    for (const char* name : buttons)
        load(name);
    logBlock(fn, "Buttons");
    advance();
}

// ---------------------------------------------------------------- map

void cacheMap()
{
    const char* fn = "cacheMap()";
    logStart(fn, "images for map");

    load("map_background.jpg");
    load("map_buttonlevelset_textregular.png");
    load("map_buttonlevelset_textadvanced.png");
    load("map_buttonlevelset_textkids.png");
    load("mapdotregularcompletedbase.png");
    load("mapdotregularcompletedrollover.png");
    series("mapdotregularcompletedshrink", 1, 3, ".png");
    load("mapdotregularincompletebase.png");
    load("mapdotregularincompleterollover.png");
    series("mapdotregularincompleteshrink", 1, 3, ".png");
    load("mapdotregularlockedbase.png");
    load("mapdotregularlockedghosted.png");
    series("mapdotregularlockedghostedshrink", 1, 3, ".png");
    series("mapdotregularlockedshrink", 1, 3, ".png");
    series("mapdotregularselectedpulse", 0, 5, ".png");
    series("mapdotregularselectedshrink", 1, 3, ".png");
    advance();

    load("mapdotstarbase.png");
    load("mapdotstarghosted.png");
    series("mapdotstarghostedshrink", 1, 3, ".png");
    series("mapdotstarpulse", 1, 5, ".png");
    series("mapdotstarshrink", 1, 3, ".png");
    advance();

    series("star_base", 0, 59, ".png");
    series("star_pulse", 0, 59, ".png");
    advance();
    series("star_appear", 0, 13, ".png");
    logBlock(fn, "Background");
    advance();
}

// ---------------------------------------------------------------- button labels

void cacheButtons()
{
    const char* fn = "cacheButtons()";
    logStart(fn, "images for buttons");

    struct Label {
        int stringId;
        const char* name;
    };
    static const Label labels[] = {
        {3600, "kv3_button_maintext.png"},         {3601, "kv3_button_maptext.png"},
        {3602, "kv3_button_managertext.png"},      {3603, "kv3_button_continuetext.png"},
        {3604, "kv3_button_scorestext.png"},       {3605, "kv3_button_selecttext.png"},
        {3606, "kv3_button_settingstext.png"},     {3607, "kv3_button_resumetext.png"},
        {3608, "kv3_button_restarttext.png"},      {3609, "kv3_button_retrytext.png"},
        {3610, "kv3_button_solutiontext.png"},     {3611, "kv3_button_instructionstext.png"},
        {3612, "kv3_button_quittext.png"},         {3620, "kv3_button_overalltext.png"},
        {3613, "kv3_button_backmenutext.png"},     {3618, "kv3_button_passwordtext.png"},
        {3614, "kv3_button_controlstext.png"},     {3615, "kv3_button_defaulttext.png"},
        {3616, "kv3_button_savetext.png"},         {3617, "kv3_button_canceltext.png"},
        {3621, "kv3_button_undotext.png"},         {3622, "kv3_button_undotextB.png"}};
    for (const Label& l : labels)
        text(186, 29, 3, l.stringId, l.name);
    advance();
    for (int k = 0; k <= 17; ++k)
        text(186, 29, 3, 20010 + k, numbered("kv3_button_class", k, "text.png").c_str());
    advance();
    logBlock(fn, "Parchment Buttons");
}

// ---------------------------------------------------------------- faded pictures

namespace {

const char* const kColours[3] = {"blue", "yellow", "red"};

void fadedNotices(const char* fn)
{
    struct Notice {
        int width, height, stringId;
        const char* name;
    };
    static const Notice notices[] = {{300, 30, 3004, "scoreboard_user_invalid.png"},
                                     {300, 30, 3005, "password_invalid.png"},
                                     {136, 30, 2706, "options_password_invalid.png"}};
    for (const Notice& n : notices) {
        text(n.width, n.height, 3, n.stringId, n.name);
        CDraw::MakeFadedSeries(n.name, 6, -45);
    }
    logBlock(fn, "Text Entry Fading Text");
    advance();
}

void fadedCursorIcons(const char* fn)
{
    static const char* const pairs[][2] = {
        {"grass1.png", "cursorgrass.png"},
        {"sand1.png", "cursorsand.png"},
        {"ice1.png", "cursorice.png"},
        {"bridgeA0_trimmed.png", "cursorbridge.png"},
        {"editorteleportblue.png", "cursorteleportblue.png"},
        {"editorteleportyellow.png", "cursorteleportyellow.png"},
        {"editorteleportred.png", "cursorteleportred.png"},
        {"editorpowerupteleport.png", "cursorpowerupteleport.png"},
        {"editorpowerupwhistle.tga", "cursorpowerupwhistle.tga"},
        {"editorpowerupbridge.png", "cursorpowerupbridge.png"},
        {"editorpowerupheatgun.png", "cursorpowerupheatgun.png"},
        {"editorpowerupfrostgun.tga", "cursorpowerupfrostgun.tga"},
        {"frostballleft2.tga", "cursorfreeze.tga"},
        {"fireballleft2.png", "cursorheat.png"},
        {"editorerase.png", "cursorerase.png"},
        {"metalbarrel0.png", "cursormbarrel.png"},
        {"barrel0.tga", "cursorwbarrel.tga"},
        {"bothang.png", "cursorbot.png"},
        {"bothang.png", "cursorbothang.png"},
        {"botstandleft.png", "cursorbotleft.png"},
        {"botstandright.png", "cursorbotright.png"},
        {"qmarkrotate23.tga", "cursortutorial.tga"}};
    const int count = static_cast<int>(sizeof pairs / sizeof pairs[0]);
    // Five steps of the bar: after every fifth icon and after the last.
    for (int i = 0; i < count; ++i) {
        copy(pairs[i][0], pairs[i][1], -100);
        if ((i + 1) % 5 == 0 || i + 1 == count)
            advance();
    }
    logBlock(fn, "Faded Cursor Icons");
}

void fadedQuestionMarks(const char* fn)
{
    series("qmarkrotate", 0, 23, ".tga");
    copySeries("qmarkrotate", "qmarkrotate_fading1", 0, 23, ".tga", -50);
    advance();
    copySeries("qmarkrotate", "qmarkrotate_fading2", 0, 23, ".tga", -90);
    advance();
    copySeries("qmarkrotate", "qmarkrotate_fading3", 0, 23, ".tga", -130);
    advance();
    logBlock(fn, "Faded Question Marks");
}

void fadedBreakingButtons(const char* fn)
{
    for (const char* colour : kColours) {
        std::string prefix = std::string("button") + colour + "_break";
        series(prefix.c_str(), 0, 4, ".png");
        breakFadeOut(prefix.c_str(), 4, ".png");
        advance();
    }
    logBlock(fn, "Faded Breaking Buttons");
}

void fadedBreakingTrampolines(const char* fn)
{
    static const char* const parts[] = {"trampolinefrontbreak", "trampolinebackbreak", "trampolinerubberbreak"};
    for (const char* prefix : parts) {
        series(prefix, 0, 3, ".png");
        breakFadeOut(prefix, 3, ".png");
        advance();
    }
    logBlock(fn, "Faded Breaking Trampolines");
}

void fadedBreakingTeleports(const char* fn)
{
    static const char* const frames[] = {"teleport_framebackbreak", "teleport_framebluebreak",
                                         "teleport_frameyellowbreak", "teleport_frameredbreak"};
    for (const char* prefix : frames) {
        series(prefix, 0, 6, ".png");
        advance();
        breakFadeOut(prefix, 6, ".png");
        advance();
    }
    logBlock(fn, "Faded Breaking Teleports");
}

void fadedBreakingInflatableTeleports(const char* fn)
{
    for (const char* colour : kColours) {
        std::string back = std::string("inflatableteleport_") + colour + "backbreak";
        std::string front = std::string("inflatableteleport_") + colour + "frontbreak";
        series(back.c_str(), 0, 6, ".png");
        series(front.c_str(), 0, 6, ".png");
        advance();
        breakFadeOut(back.c_str(), 6, ".png");
        advance();
        breakFadeOut(front.c_str(), 6, ".png");
        advance();
    }
    logBlock(fn, "Faded Breaking Inflatable Teleports");
}

void fadedTeleportPortals(const char* fn)
{
    static const int enableSteps[8] = {-235, -215, -195, -175, -155, -135, -115, -95};
    for (const char* colour : kColours) {
        std::string spiral = std::string("teleport_spiral") + colour;
        std::string source = spiral + "0.png";
        for (int i = 0; i < 8; ++i) {
            copy(source.c_str(), numbered((spiral + "_enable").c_str(), i, ".png").c_str(), enableSteps[i]);
            if (i % 4 == 3)
                advance();
        }
    }
    struct Fade {
        const char* suffix;
        int dA;
    };
    static const Fade fades[4] = {{"_idle", -85}, {"_70", -70}, {"_50", -40}, {"_10", -10}};
    for (const char* colour : kColours) {
        std::string spiral = std::string("teleport_spiral") + colour;
        for (const Fade& f : fades) {
            copySeries(spiral.c_str(), (spiral + f.suffix).c_str(), 0, 39, ".png", f.dA);
            advance();
        }
    }
    for (const char* colour : kColours) {
        std::string turnon = std::string("teleport_spiral") + colour + "turnon";
        copy((turnon + "5.png").c_str(), (turnon + "5_faded.png").c_str(), -45);
        advance();
        copy((turnon + "6.png").c_str(), (turnon + "6_faded.png").c_str(), -65);
        advance();
    }
    logBlock(fn, "Faded Teleport Portals");
}

void fadedTeleportGlows(const char* fn)
{
    static const int steps[13] = {-20, -6, -1, -2, -4, -13, -21, -31, -43, -56, -70, -85, -99};
    for (const char* colour : kColours) {
        std::string glow = std::string("teleport_glow") + colour;
        std::string source = glow + ".png";
        for (int i = 0; i < 13; ++i) {
            copy(source.c_str(), numbered(glow.c_str(), i, ".png").c_str(), steps[i]);
            if (i == 3 || i == 7 || i == 12)
                advance();
        }
    }
    logBlock(fn, "Faded Teleport Glows");
}

} // namespace

void cacheFadedImages()
{
    const char* fn = "cacheFadedImages()";
    logStart(fn, "Faded images");
    fadedNotices(fn);
    fadedCursorIcons(fn);
    fadedQuestionMarks(fn);
    fadedBreakingButtons(fn);
    fadedBreakingTrampolines(fn);
    fadedBreakingTeleports(fn);
    fadedBreakingInflatableTeleports(fn);
    fadedTeleportPortals(fn);
    fadedTeleportGlows(fn);
}
