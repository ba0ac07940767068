#include "SpriteTestSupport.h"

#include <algorithm>

#include "engine/Log.h"

namespace spritetest {

Uint32 g_ticks = 1000;
int g_controllerId = 0;

Uint32 testTicks()
{
    return g_ticks;
}

int testControllerId()
{
    return g_controllerId;
}

void SpriteTest::SetUp()
{
    DrawTest::SetUp();
    preload({{"mousepointer.tga", drawtest::tga(8, 12, 255, 255, 255, 255)},
             {"hourglass.tga", drawtest::tga(9, 7, 255, 255, 0, 255)},
             {"dirty.png", drawtest::png(1, 1, 255, 128, 0, 255)},
             {"f0.tga", drawtest::tga(4, 4, 10, 0, 0, 255)},
             {"f1.tga", drawtest::tga(4, 4, 20, 0, 0, 255)},
             {"f2.tga", drawtest::tga(4, 4, 30, 0, 0, 255)},
             {"f3.tga", drawtest::tga(4, 4, 40, 0, 0, 255)},
             {"f4.tga", drawtest::tga(4, 4, 50, 0, 0, 255)}});
    g_ticks = 1000;
    g_controllerId = 0;
    CSprite::SetTickSource(testTicks);
    renderSetControllerIdSource(testControllerId);
    CRender::ClearLists();
}

void SpriteTest::TearDown()
{
    for (CSprite* s : m_sprites)
        delete s;
    m_sprites.clear();
    if (CRender::IsSwapped())
        CRender::Swap(false);
    CRender::ClearLists();
    CSprite::GetPreswappedSprites().clear();
    CSprite::SetTickSource(nullptr);
    renderSetControllerIdSource(nullptr);
    renderSetFrameStepSource(nullptr);
    EXPECT_TRUE(CSprite::GetAllSprites().empty()) << "a test left sprites registered";
    CSprite::GetAllSprites().clear();
    DrawTest::TearDown();
}

int SpriteTest::solidImage(const char* name, int w, int h, Uint8 r, Uint8 g, Uint8 b)
{
    int id = CDraw::CreateImage(w, h, name);
    SDL_Surface* s = CDraw::GetImageSurface(id);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
    return id;
}

CSprite* SpriteTest::track(CSprite* sprite)
{
    m_sprites.push_back(sprite);
    return sprite;
}

void SpriteTest::forget(CSprite* sprite)
{
    m_sprites.erase(std::remove(m_sprites.begin(), m_sprites.end(), sprite), m_sprites.end());
}

CSprite* SpriteTest::shownSprite(int type, const char* image, int x, int y)
{
    CSprite* s = track(new CSprite(type, 0, false));
    s->AddFrame(image);
    s->SetPosition(x, y, false);
    s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    return s;
}

CSprite* SpriteTest::boardSprite(int type, const char* image, int col, int row, int tw, int th, const char* name)
{
    CSprite* s = track(new CSprite(29, 20, type, 0, false, tw, th));
    s->SetName(name);
    s->AddFrame(image);
    s->SetPosition(col * 24, row * 24, false);
    s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    return s;
}

void SpriteTest::fillScreen(Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface* screen = CDraw::GetScreen();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, r, g, b));
}

drawtest::Rgba SpriteTest::screenPixel(int x, int y)
{
    return drawtest::pixelAt(CDraw::GetScreen(), x, y);
}

bool SpriteTest::isColour(int x, int y, Uint8 r, Uint8 g, Uint8 b)
{
    drawtest::Rgba p = screenPixel(x, y);
    return drawtest::near(p.r, r) && drawtest::near(p.g, g) && drawtest::near(p.b, b);
}

} // namespace spritetest
