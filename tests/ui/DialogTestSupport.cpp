#include "DialogTestSupport.h"

#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "platform/SoundTestData.h"
#include "test_support.h"
#include "ui/CGuiButtonBase.h"

namespace dialogtest {

void pushKey(int sym, bool down)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    SDL_PushEvent(&e);
}

void tapKey(int sym)
{
    pushKey(sym, true);
    pushKey(sym, false);
}

void pushMotion(int x, int y)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
}

void pushButton(int button, bool down)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(button);
    SDL_PushEvent(&e);
}

namespace {

bool isInk(SDL_Surface* s, int x, int y)
{
    drawtest::Rgba p = drawtest::pixelAt(s, x, y);
    return p.r + p.g + p.b < 330 && p.a > 100;
}

} // namespace

int inkIn(int imageId, int x0, int y0, int w, int h)
{
    SDL_Surface* s = CDraw::GetImageSurface(imageId);
    int count = 0;
    for (int y = y0; y < y0 + h && y < s->h; ++y)
        for (int x = x0; x < x0 + w && x < s->w; ++x)
            count += isInk(s, x, y) ? 1 : 0;
    return count;
}

int inkedRows(int imageId, int x0, int y0, int w, int h)
{
    int rows = 0;
    for (int y = y0; y < y0 + h; ++y)
        rows += inkIn(imageId, x0, y, w, 1) > 0 ? 1 : 0;
    return rows;
}

void DialogTest::SetUp()
{
    drawtest::DrawTest::SetUp();
    using drawtest::png;
    std::vector<std::pair<std::string, drawtest::Bytes>> images = {
        {"dimmer.png", png(800, 600, 0, 0, 0, 100)},
        {"confirmation_parch.png", png(500, 424, PARCH_R, PARCH_G, PARCH_B, 255)},
        {"parchment_confirmation.png", png(60, 40, INNER_R, INNER_G, INNER_B, 255)},
        {"confirmation_buttonokaybase.png", png(80, 32, 120, 160, 120, 255)},
        {"confirmation_buttonokayshadow.png", png(80, 32, 0, 0, 0, 80)},
        {"confirmation_buttonokayroll.png", png(80, 32, 140, 190, 140, 255)},
        {"confirmation_buttoncancelbase.png", png(80, 32, 160, 120, 120, 255)},
        {"confirmation_buttoncancelshadow.png", png(80, 32, 0, 0, 0, 80)},
        {"confirmation_buttoncancelroll.png", png(80, 32, 190, 140, 140, 255)},
        {"profile_entername_mainsmall.png", png(234, 110, PARCH_R, PARCH_G, PARCH_B, 255)},
        {"profile_entername_mainbig.png", png(376, 150, PARCH_R, PARCH_G, PARCH_B, 255)},
        {"profile_button_okaybase.png", png(68, 26, 120, 160, 120, 255)},
        {"profile_button_okayshadow.png", png(68, 26, 0, 0, 0, 80)},
        {"profile_button_okayrollover.png", png(68, 26, 140, 190, 140, 255)},
        {"profile_button_cancelbase.png", png(68, 26, 160, 120, 120, 255)},
        {"profile_button_cancelshadow.png", png(68, 26, 0, 0, 0, 80)},
        {"profile_button_cancelrollover.png", png(68, 26, 190, 140, 140, 255)},
        {"profile_entername_textbox.png", png(160, 26, 250, 250, 240, 255)},
        {"profilenternamecursor.png", png(2, 18, 0, 0, 0, 255)},
        {"levelmanager_listbox.jpg", png(411, 445, 250, 245, 230, 255)},
        {"levelmanager_selector.png", png(409, 19, SELECTOR_R, SELECTOR_G, SELECTOR_B, 255)},
    };
    // Map dots: plain 17 x 17 dots, a distinct shade per picture.
    int shade = 0;
    auto dot = [&](const std::string& name) { images.push_back({name, png(17, 17, static_cast<uint8_t>(++shade * 6), 100, 100, 255)}); };
    for (const char* still : {"mapdotregularlockedbase.png", "mapdotregularcompletedbase.png",
                              "mapdotregularcompletedrollover.png", "mapdotregularincompletebase.png",
                              "mapdotregularincompleterollover.png", "mapdotregularlockedghosted.png"})
        dot(still);
    for (const char* strip : {"mapdotregularlockedshrink", "mapdotregularcompletedshrink",
                              "mapdotregularincompleteshrink", "mapdotregularlockedghostedshrink"})
        for (int i = 1; i <= 3; ++i)
            dot(strip + std::to_string(i) + ".png");
    for (int i = 0; i <= 5; ++i)
        dot("mapdotregularselectedpulse" + std::to_string(i) + ".png");
    for (const char* star : {"star_base", "star_pulse"})
        for (int i = 0; i < 60; ++i)
            images.push_back({star + std::to_string(i) + ".png", png(24, 24, 250, 220, 0, 255)});
    for (int i = 0; i <= 13; ++i)
        images.push_back({"star_appear" + std::to_string(i) + ".png", png(24, 24, 250, 200, 0, 255)});
    for (const char* prefix : {"password_invalid", "scoreboard_user_invalid"})
        for (int i = 0; i <= 5; ++i)
            images.push_back({prefix + std::to_string(i) + ".png", png(300, 30, 150, 36, 28, 255)});
    preload(images);
    testsupport::startTextSystem();
    uitest::resetUi();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    ResourceArchiveWriter sounds;
    for (const char* name : {"rollover_v1-2.ogg", "click_v1-2.ogg", "click_v1-3.ogg", "map_dot.ogg"})
        sounds.Add(name, soundtest::oggTone(880, 0.05, 0.3));
    ASSERT_TRUE(sounds.Write(m_dir.file("resource3.dat")));
    CSound::setLoadFromDirectory(false);
    CSound::init(true);
    CSound::loadSound();
    CSound::setEffectsVolume(0.5f);
    CController::LoadSounds();
    CRender::ClearLists();
    root.Activate(nullptr);
    frame();
}

void DialogTest::TearDown()
{
    CController::UnloadSounds();
    CSound::shutdown();
    CRender::ClearLists();
    CDraw::SetScreenUpdatesSuspended(0);
    logInit(false);
    drawtest::DrawTest::TearDown();
}

void DialogTest::hover(int x, int y)
{
    pushMotion(x, y);
    frame();
}

void DialogTest::click(int x, int y)
{
    hover(x, y);
    pushButton(SDL_BUTTON_LEFT, true);
    pushButton(SDL_BUTTON_LEFT, false);
    frame();
}

void DialogTest::frame()
{
    CController::PumpCurrent();
    CSprite::UpdateAll();
    CRender::ClearLists();
}

} // namespace dialogtest
