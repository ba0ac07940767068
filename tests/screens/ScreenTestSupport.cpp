#include "screens/ScreenTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "engine/CSprite.h"
#include "engine/ImageCatalogues.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"
#include "world/CElement.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"

namespace screentest {

void Holder::Pump()
{
    if (GetPreviousId() != id) {
        if (child && GetPreviousId() == child->GetId()) {
            childId = child->GetId();
            childResult = child->GetResult();
            passedCode = exitCode;
            exitCode = 0;
            delete child;
            child = nullptr;
            returned = true;
        }
        SetPreviousId(id);
        return;
    }
    PollInput();
    CGuiButtonBase::UpdateAll();
}

void saveTestLevel(const char* name, const char* heading)
{
    CLevel level;
    for (int x = 0; x < 16; ++x)
        level.SetTile(TERRAIN_GRASS, x, 23);
    level.SetTile(DEVICE_TUBE_START, 0, 22);
    level.SetTile(DEVICE_TUBE_END, 15, 22);
    ASSERT_TRUE(level.SaveAs(name, heading));
}

void pushKey(int key, bool released)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = released ? SDL_KEYUP : SDL_KEYDOWN;
    e.key.keysym.sym = static_cast<SDLKey>(key);
    SDL_PushEvent(&e);
}

void pushMouseButton(int button, bool released)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = released ? SDL_MOUSEBUTTONUP : SDL_MOUSEBUTTONDOWN;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(getMouseX());
    e.button.y = static_cast<Uint16>(getMouseY());
    SDL_PushEvent(&e);
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

void ScreenTest::SetUp()
{
    std::string run = testsupport::runDir() + "/";
    for (const char* name : {"resource0.dat", "resource1.dat", "resource2.dat", "resource4.dat", "resource5.dat",
                             "resource6.dat", "resource7.dat", "resource9.dat", "resource10.dat", "resource11.dat"})
        ASSERT_EQ(symlink((run + name).c_str(), dir.file(name).c_str()), 0) << name;
    levelsDir = dir.file("docs");
    setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", levelsDir.c_str(), 1);
    chdir.reset(new testsupport::ScopedChdir(dir.path()));
    logInit(false);
    logCategoryOn(LOG_WARNING);
    logCategoryOn(LOG_ERROR);
    InitUserDirectories();
    profileDir = GetProfileDirectory();
    levelsDir = GetLevelsDirectory();

    CDraw::SetConfig(nullptr);
    CDraw::SetLoadFromDirectory(0);
    draw.reset(new CDraw());
    CRender::Init();
    initFontSystem("./", "resource5.dat");
    CDraw::PreloadImages();
    createPointers2();
    // Frames run as fast as the machine allows.
    CDraw::SwitchFPSLock();
    CLevelSet::loadAll();

    CController::ResetStack();
    // The pointer starts in a corner where no screen has a widget.
    setMouseX(0);
    setMouseY(0);
    CGuiButtonBase::SetFocusIndex(-1);
    CGuiButtonBase::ChangeMouseHeld(1, false);
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    makeProfile();
    holder = new Holder();
    holder->Activate(nullptr);
    frame();
}

void ScreenTest::makeProfile()
{
    CController::SetProfile(nullptr);
    CElement::setProfile(nullptr);
    setInputProfile(nullptr);
    profile.reset();
    profile.reset(new CProfile());
    CController::SetProfile(profile.get());
    CElement::setProfile(profile.get());
    setInputProfile(profile.get());
}

void ScreenTest::TearDown()
{
    delete holder;
    holder = nullptr;
    CDraw::SwitchFPSLock();
    if (CRender::IsSwapped())
        CRender::Swap(false);
    CLevelSet::freeAll();
    destroyPointers2();
    shutdownFontSystem();
    CController::SetProfile(nullptr);
    CElement::setProfile(nullptr);
    setInputProfile(nullptr);
    profile.reset();
    CRender::ClearLists();
    CDraw::SetScreenUpdatesSuspended(0);
    draw.reset();
    chdir.reset();
}

void ScreenTest::frame(int count)
{
    for (int i = 0; i < count; ++i) {
        CController::PumpCurrent();
        pointerFollowMouse();
        CRender::Render(true);
        CDraw::Present(1, 1);
    }
}

void ScreenTest::press(int key)
{
    pushKey(key, false);
    pushKey(key, true);
    frame();
}

void ScreenTest::pointAt(int x, int y)
{
    pushMotion(x, y);
    frame(2);
}

void ScreenTest::clickAt(int x, int y)
{
    pointAt(x, y);
    pushMouseButton(SDL_BUTTON_LEFT, false);
    pushMouseButton(SDL_BUTTON_LEFT, true);
    frame();
}

void ScreenTest::click(CGuiButtonBase* widget)
{
    ASSERT_NE(widget, nullptr);
    CGuiButton* b = dynamic_cast<CGuiButton*>(widget);
    if (b) {
        clickAt(b->GetCenterX(), b->GetCenterY());
    } else {
        widget->CenterMouse();
        clickAt(getMouseX(), getMouseY());
    }
}

} // namespace screentest
