// Frame cost of the dirty-rectangle renderer: CRender::Render plus
// CDraw::Present (frame lock off) on the dummy video driver, for a play
// screen of 300 board sprites of which 40 walk, and for an overlay swap
// (freeze, draw a dialog, remove it, unswap).
//
// Run: build/bench/render_bench   (items_per_second is frames per second)
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/RenderServices.h"

namespace {

int playScreen()
{
    return RENDER_CONTROLLER_PLAY;
}

int solid(const char* name, int w, int h, Uint8 r, Uint8 g, Uint8 b)
{
    int id = CDraw::CreateImage(w, h, name);
    SDL_Surface* s = CDraw::GetImageSurface(id);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
    return id;
}

struct Board {
    std::vector<CSprite*> sprites;
    std::vector<CSprite*> walkers;

    Board()
    {
        CSprite* back = new CSprite(1100, 0, true);
        back->AddFrameImage(CDraw::FindImageId("bench_back.png"));
        back->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        sprites.push_back(back);
        // 40 terrain runs of four tiles on every fourth row.
        for (int row = 4; row <= 20; row += 4)
            for (int col = 0; col < 32; col += 4)
                add(10, "bench_run.png", col, row, 4, 1);
        // 259 crates and walkers on the odd rows; the first 40 walk.
        for (int i = 0; i < 259; ++i) {
            int type = i < 40 ? 70 : 80;
            CSprite* s = add(type, i < 40 ? "bench_bot.png" : "bench_crate.png", i % 32, 1 + 2 * (i / 32), 1, 1);
            if (i < 40)
                walkers.push_back(s);
        }
    }

    CSprite* add(int type, const char* image, int col, int row, int tw, int th)
    {
        CSprite* s = new CSprite(29, 26, type, 0, true, tw, th);
        s->AddFrameImage(CDraw::FindImageId(image));
        s->SetPosition(col * 24, row * 24, false);
        s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        sprites.push_back(s);
        return s;
    }

    ~Board()
    {
        for (CSprite* s : sprites)
            delete s;
        CRender::ClearLists();
    }
};

struct Screen {
    CDraw* draw;
    Screen()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (chdir(BRAMBLECOT_RUN_DIR) != 0)
            abort();
        logInit(false);
        CDraw::SetConfig(nullptr);
        draw = new CDraw();
        CDraw::SwitchFPSLock(); // frame lock off
        renderSetControllerIdSource(playScreen);
        solid("bench_back.png", 800, 600, 30, 60, 90);
        solid("bench_run.png", 96, 30, 40, 160, 40);
        solid("bench_crate.png", 24, 24, 160, 100, 40);
        solid("bench_bot.png", 24, 30, 200, 200, 200);
        solid("bench_dialog.png", 400, 240, 220, 220, 200);
    }
};

Screen& screen()
{
    static Screen s;
    return s;
}

void frame()
{
    CRender::Render(true);
    CDraw::Present(true, true);
}

void PlayScreen300SpritesWith40Walking(benchmark::State& state)
{
    screen();
    Board board;
    CRender::InvalidateScreen();
    frame();
    int step = 0;
    double rects = 0;
    for (auto _ : state) {
        // A walk of one tile takes 8 frames of 3 pixels; then back.
        int dx = (step / 8) % 2 == 0 ? 3 : -3;
        for (CSprite* w : board.walkers)
            w->SetPosition(w->GetX(false) + dx, w->GetY(false), false);
        ++step;
        CRender::Render(true);
        rects += static_cast<double>(CRender::GetDirtyRects().size());
        CDraw::Present(true, true);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["rects_per_frame"] = rects / static_cast<double>(state.iterations());
}
BENCHMARK(PlayScreen300SpritesWith40Walking)->Unit(benchmark::kMillisecond);

void OverlaySwapOverThePlayScreen(benchmark::State& state)
{
    screen();
    Board board;
    CRender::InvalidateScreen();
    frame();
    for (auto _ : state) {
        // Freeze, one frame with the dialog, remove it, unswap, and the
        // frame that repaints the returned screen.
        CRender::Render(true);
        CRender::Swap(true);
        CSprite* dialog = new CSprite(1412, 0, true);
        dialog->AddFrameImage(CDraw::FindImageId("bench_dialog.png"));
        dialog->SetPosition(200, 180, false);
        dialog->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        frame();
        delete dialog;
        CRender::Swap(true);
        frame();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(OverlaySwapOverThePlayScreen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
