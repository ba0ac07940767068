#include "play/GameTestSupport.h"

#include <SDL.h>
#include <cstring>
#include <vector>

#include "LevelSource.h"
#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/Pointer.h"
#include "profile/CProfile.h"
#include "ui/CGuiButtonBase.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"

namespace gametest {

const char* const kWalkFloor =
    "@..............$\n"
    "################\n";

void Host::Pump()
{
    if (GetPreviousId() == id)
        return;
    ++returns;
    receivedExit = exitCode;
    exitCode = 0;
    SetPreviousId(id);
}

void drawLevel(CLevel& level, const char* picture)
{
    std::vector<std::string> rows;
    std::string row;
    for (const char* p = picture; *p; ++p) {
        if (*p == '\n') {
            rows.push_back(row);
            row.clear();
        } else {
            row += *p;
        }
    }
    if (!row.empty())
        rows.push_back(row);

    int top = 24 - static_cast<int>(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        int y = top + static_cast<int>(r);
        for (size_t x = 0; x < rows[r].size() && x < 32; ++x) {
            char c = rows[r][x];
            int cx = static_cast<int>(x);
            if (c == 'H' || c == '_')
                level.SetLadder(LADDER, cx, y);
            if (c == 'H')
                continue;
            int code = levelpack::tileCodeOfChar(c);
            ASSERT_NE(code, -1) << "no tile for '" << c << "'";
            level.SetTile(code, cx, y);
        }
    }
}

void drawMarkerWalk(CLevel& level, const char* hint)
{
    level.Clear();
    drawLevel(level,
              "@..?...........$\n"
              "################\n");
    char* text = new char[strlen(hint) + 1];
    strcpy(text, hint);
    level.SetTutorialText(3, 22, text);
}

void GameTest::SetUp()
{
    m_chdir.reset(new testsupport::ScopedChdir(testsupport::runDir()));
    m_game.reset(new replay::HeadlessGame(wantLevelSets()));
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    CController::ResetStack();
    CGuiButtonBase::ChangeMouseHeld(1, false);
    CGuiButtonBase::SetFocusIndex(-1);
    m_host.Activate(nullptr);
    m_level.SetName("test-level");
    m_level.SetHeadingText("A Test of Nerve");
}

void GameTest::TearDown()
{
    delete m_screen;
    m_screen = nullptr;
    CDraw::SetScreenUpdatesSuspended(0);
    if (CRender::IsSwapped())
        CRender::Swap(true);
    CController::ResetStack();
    m_game.reset();
    m_chdir.reset();
}

CControllerGame* GameTest::play(CLevel& level, bool record, bool replayFlag, bool test)
{
    m_screen = new CControllerGame(&level, record, replayFlag, test);
    m_host.LaunchController(m_screen);
    return m_screen;
}

CControllerGame* GameTest::playSet(int set, int index)
{
    profile().SetCurrentSet(set);
    profile().SetCurrentLevel(index);
    CLevelSet* levels = CLevelSet::getSet(set);
    levels->selectLevel(index);
    m_screen = new CControllerGame(levels);
    m_host.LaunchController(m_screen);
    return m_screen;
}

void GameTest::frame()
{
    CController::PumpCurrent();
    pointerFollowMouse();
    CRender::Render(true);
    CDraw::Present(1, 1);
}

void GameTest::frames(int n)
{
    for (int i = 0; i < n; ++i)
        frame();
}

namespace {

void pushKey(Uint8 type, int key)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    e.key.keysym.sym = static_cast<SDLKey>(key);
    SDL_PushEvent(&e);
}

} // namespace

void GameTest::press(int key)
{
    pushKey(SDL_KEYDOWN, key);
}

void GameTest::release(int key)
{
    pushKey(SDL_KEYUP, key);
}

void GameTest::closeWindow()
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

void GameTest::tap(int key)
{
    press(key);
    frame();
    release(key);
    frame();
}

CElement* GameTest::elementAt(int x, int y, int type)
{
    for (CElement* e : CElement::allElements)
        if (e != CElement::nullElement && e->x == x && e->y == y && (type == -1 || e->type == type))
            return e;
    return nullptr;
}

} // namespace gametest
