#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "engine/Log.h"
#include "test_support.h"
#include "engine/Input.h"

using namespace spritetest;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

bool sameRect(const Rect& r, int x, int y, int w, int h)
{
    return r.x == x && r.y == y && r.w == w && r.h == h;
}

} // namespace

class SpriteBasics : public SpriteTest {
protected:
    void SetUp() override
    {
        SpriteTest::SetUp();
        solidImage("red20.png", 20, 20, 255, 0, 0);
    }
};

TEST_F(SpriteBasics, NewSpriteIsRegisteredHiddenAndPushesNothingUntilShown)
{
    CSprite* s = track(new CSprite(1410, 1, false));
    s->AddFrame("red20.png");
    ASSERT_EQ(CSprite::GetAllSprites().size(), 1u);
    EXPECT_EQ(CSprite::GetAllSprites()[0], s);
    EXPECT_TRUE(s->IsHidden());
    EXPECT_STREQ(s->GetName(), "");
    s->SetPosition(5, 6, false);
    s->Update();
    s->Update();
    EXPECT_TRUE(rects().empty());

    s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    s->Update();
    ASSERT_EQ(rects().size(), 1u);
    EXPECT_TRUE(sameRect(rects()[0], 5, 6, 20, 20));
    // Unchanged: nothing more.
    CRender::ClearLists();
    s->Update();
    EXPECT_TRUE(rects().empty());
    s->ForceRedraw();
    s->Update();
    EXPECT_EQ(rects().size(), 1u);
}

TEST_F(SpriteBasics, OwnFramesHoldReferencesSharedOnesDoNotAndDeletionRepaints)
{
    const CImageRecord* record = CDraw::FindImageRecord("red20.png");
    ASSERT_NE(record, nullptr);
    int before = record->refs;
    CSprite* own = new CSprite(1410, 0, false);
    own->AddFrame("red20.png");
    own->AddFrameRepeated("red20.png", 2);
    own->AddFrameRepeated("red20.png", 0);
    EXPECT_EQ(own->GetFrameCount(), 3);
    EXPECT_EQ(record->refs, before + 3);
    CSprite* shared = new CSprite(1410, 0, true);
    shared->AddFrame("red20.png");
    EXPECT_EQ(record->refs, before + 3);

    own->SetPosition(30, 40, false);
    own->Show(0, 0);
    delete own;
    EXPECT_EQ(record->refs, before);
    ASSERT_EQ(rects().size(), 1u);
    EXPECT_TRUE(sameRect(rects()[0], 30, 40, 20, 20));
    delete shared; // hidden: no repaint
    EXPECT_EQ(rects().size(), 1u);
    EXPECT_EQ(record->refs, before);
    EXPECT_TRUE(CSprite::GetAllSprites().empty());

    CSprite* loose = track(new CSprite(1410, 0, false));
    CSprite::RemoveFromList(loose);
    CSprite::RemoveFromList(loose); // no longer registered: nothing happens
    EXPECT_TRUE(CSprite::GetAllSprites().empty());
    forget(loose);
    delete loose;
}

TEST_F(SpriteBasics, BoardAnchorPutsTheBoardOriginAtScreen29By20)
{
    CSprite* s = track(new CSprite(35, 30, 80, 0, false, 1, 1));
    s->AddFrame("red20.png");
    EXPECT_EQ(s->GetOffsetX(), 6);
    EXPECT_EQ(s->GetOffsetY(), 10);
    s->SetPosition(48, 24, false);
    // The anchor pixel (35, 30) of the image lands on (48 + 29, 24 + 20).
    EXPECT_EQ(s->GetX(true) + 35, 48 + 29);
    EXPECT_EQ(s->GetY(true) + 30, 24 + 20);
    s->SetOffsetX(40);
    s->SetOffsetY(25);
    EXPECT_EQ(s->GetOffsetX(), 11);
    EXPECT_EQ(s->GetOffsetY(), 5);
    s->ResetOffsetX();
    s->ResetOffsetY();
    EXPECT_EQ(s->GetOffsetX(), 6);
    EXPECT_EQ(s->GetOffsetY(), 10);
}

TEST_F(SpriteBasics, FramesFromSeriesAndIndexing)
{
    CSprite* up = track(new CSprite(1410, 1, false));
    up->LoadFrames("f", 0, 4, ".tga", 2);
    ASSERT_EQ(up->GetFrameCount(), 3);
    EXPECT_EQ(up->GetFrameImage(1), CDraw::FindImageId("f2.tga"));
    EXPECT_EQ(up->GetFrameImage(2), CDraw::FindImageId("f4.tga"));
    EXPECT_THROW(up->GetFrameImage(3), std::out_of_range);

    CSprite* down = track(new CSprite(1410, 1, false));
    down->LoadFrames("f", 3, 1, ".tga", 1);
    ASSERT_EQ(down->GetFrameCount(), 3);
    EXPECT_EQ(down->GetFrameImage(0), CDraw::FindImageId("f3.tga"));
    EXPECT_EQ(down->GetFrameImage(2), CDraw::FindImageId("f1.tga"));

    CSprite* one = track(new CSprite(1410, 1, false));
    one->LoadFrames("f", 2, 2, ".tga", 0); // a step below 1 counts as 1
    EXPECT_EQ(one->GetFrameCount(), 1);
    CSprite* zeroStep = track(new CSprite(1410, 1, false));
    zeroStep->LoadFrames("f", 0, 2, ".tga", 0);
    EXPECT_EQ(zeroStep->GetFrameCount(), 3);

    up->SetFrame(7);
    EXPECT_EQ(up->GetFrame(), 1);
    CSprite* five = track(new CSprite(1410, 1, false));
    five->LoadFrames("f", 0, 4, ".tga", 1);
    five->SetFrame(7);
    EXPECT_EQ(five->GetFrame(), 2);
    five->SetFrame(-1); // taken as unsigned: 4294967295 % 5
    EXPECT_EQ(five->GetFrame(), 0);

    CSprite* empty = track(new CSprite(1410, 1, false));
    empty->SetFrame(3); // no frames: nothing to select
    EXPECT_EQ(empty->GetFrame(), 0);
}

TEST_F(SpriteBasics, ForwardAndBackwardAnimationsLoopOrFinish)
{
    CSprite* s = track(new CSprite(1410, 1, false));
    s->LoadFrames("f", 0, 3, ".tga", 1);
    s->Show(0, 0);
    s->Animate(true);
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        s->Update();
        seen.push_back(s->GetFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 3, 3}));
    EXPECT_TRUE(s->IsFinished());
    EXPECT_TRUE(s->IsStopped());

    s->Animate(false);
    for (int i = 0; i < 6; ++i)
        s->Update();
    EXPECT_EQ(s->GetFrame(), 0);
    EXPECT_TRUE(s->IsFinished());
    EXPECT_TRUE(s->IsAnimatingBackward()); // the state stays -1

    // Delay 2: the first step on the third update, then every two.
    CSprite* slow = track(new CSprite(1410, 2, false));
    slow->LoadFrames("f", 0, 2, ".tga", 1);
    slow->Show(0, 0);
    slow->SetLooping(true);
    slow->Animate(true);
    seen.clear();
    for (int i = 0; i < 8; ++i) {
        slow->Update();
        seen.push_back(slow->GetFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 1, 2, 2, 0, 0}));
    EXPECT_FALSE(slow->IsFinished());

    // Backward looping wraps to the last frame.
    slow->ResetAnimation();
    slow->Animate(false);
    slow->Update();
    slow->Update();
    slow->Update();
    EXPECT_EQ(slow->GetFrame(), 2);

    // A hidden sprite does not animate, and a delay below 1 cannot.
    slow->Hide();
    slow->Update();
    slow->Update();
    EXPECT_EQ(slow->GetFrame(), 2);
    CSprite* still = track(new CSprite(1410, 0, false));
    still->Animate(true);
    EXPECT_TRUE(still->IsStopped());

    s->SetLastFrame();
    EXPECT_EQ(s->GetFrame(), 3);
    EXPECT_TRUE(s->IsFinished());
}

TEST_F(SpriteBasics, MovesPushTwoRectanglesOrOneUnion)
{
    CSprite* s = shownSprite(1410, "red20.png", 10, 10);
    s->Update();
    CRender::ClearLists();
    s->SetPosition(40, 10, false);
    s->Update();
    ASSERT_EQ(rects().size(), 2u);
    EXPECT_TRUE(sameRect(rects()[0], 40, 10, 20, 20)); // current first
    EXPECT_TRUE(sameRect(rects()[1], 10, 10, 20, 20));
    CRender::ClearLists();
    s->SetPosition(42, 10, false);
    s->Update();
    ASSERT_EQ(rects().size(), 1u);
    EXPECT_TRUE(sameRect(rects()[0], 40, 10, 22, 20));
}

TEST_F(SpriteBasics, ShowChoosesWhetherTheAreaLeftIsRepainted)
{
    CSprite* board = track(new CSprite(29, 20, 80, 0, false, 1, 1));
    board->AddFrame("red20.png");
    board->SetPosition(100, 100, false);
    board->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    board->Update();
    ASSERT_EQ(rects().size(), 1u);
    EXPECT_TRUE(sameRect(rects()[0], 100, 100, 20, 20));

    // Hidden, moved, shown with its own earlier position: both areas.
    board->Hide();
    board->Update();
    CRender::ClearLists();
    board->SetPosition(200, 100, false);
    board->Show(100, 100);
    board->Update();
    ASSERT_EQ(rects().size(), 1u); // was hidden: the current area only
    CRender::ClearLists();
    board->SetPosition(300, 100, false);
    board->Show(200, 100);
    board->Update();
    ASSERT_EQ(rects().size(), 2u);
    EXPECT_TRUE(sameRect(rects()[1], 200, 100, 20, 20));

    // Hidden and still hidden: moving pushes nothing.
    board->Hide();
    board->Update();
    CRender::ClearLists();
    board->SetPosition(400, 100, false);
    board->Update();
    EXPECT_TRUE(rects().empty());

    // Interface sprites keep their previous position when shown.
    CSprite* ui = track(new CSprite(1410, 0, false));
    ui->AddFrame("red20.png");
    ui->SetPosition(7, 8, true);
    ui->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    EXPECT_EQ(ui->GetPrevX(false), 7);
    EXPECT_EQ(ui->GetPrevY(false), 8);
}

TEST_F(SpriteBasics, FadesChangeTheFrameImageAlphaAndAFadeOutEndsHidden)
{
    int id = CDraw::FindImageId("red20.png");
    CSprite* s = track(new CSprite(1410, 0, false));
    s->AddFrame("red20.png");
    s->SetFadeOut(500, 255, 0);
    EXPECT_FALSE(s->IsHidden());
    EXPECT_TRUE(s->IsFading());
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 255);
    g_ticks += 250;
    s->Update();
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 127);
    EXPECT_EQ(rects().size(), 1u); // a running fade repaints its area
    g_ticks += 250;
    CRender::ClearLists();
    s->Update();
    EXPECT_TRUE(s->IsHidden());
    EXPECT_FALSE(s->IsFading());
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 0);
    EXPECT_EQ(rects().size(), 1u);

    s->SetFadeIn(100, 55, 255);
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 55);
    g_ticks += 50;
    s->Update();
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 155);
    g_ticks += 60;
    s->Update();
    EXPECT_FALSE(s->IsHidden());
    EXPECT_EQ(CDraw::GetImageSurface(id)->format->alpha, 255);
}

TEST_F(SpriteBasics, TilePositionWhileMovingAndFootprints)
{
    CSprite* s = track(new CSprite(29, 20, 80, 0, false, 1, 2));
    s->AddFrame("red20.png");
    s->SetPosition(30, 120, false);
    s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    s->Update();
    EXPECT_FALSE(s->IsMoving()); // no previous area
    s->SetPosition(33, 120, false);
    s->Update();
    EXPECT_TRUE(s->IsMovingRight());
    EXPECT_EQ(s->GetTileX(), 2);
    EXPECT_EQ(s->GetPrevTileX(), 1);
    EXPECT_EQ(s->GetTileY(), 5);
    s->Update();
    EXPECT_FALSE(s->IsMoving());
    EXPECT_EQ(s->GetTileX(), 1); // at rest: truncated
    EXPECT_EQ(s->GetPrevTileX(), 2);
    s->SetPosition(33, 117, false);
    s->Update();
    EXPECT_TRUE(s->IsMovingUp());
    EXPECT_EQ(s->GetTileY(), 4);
    EXPECT_EQ(s->GetPrevTileY(), 5);

    // Rows of a footprint of height 2 at row 5.
    s->SetPosition(24, 120, false);
    s->Update();
    EXPECT_EQ(s->GetTileYMin(false), 4);
    EXPECT_EQ(s->GetTileYMax(false), 5);
    EXPECT_EQ(s->GetTileXMin(false), 1);
    EXPECT_EQ(s->GetTileXMax(false), 1);
    s->SetType(10); // terrain hangs down from its anchor row
    EXPECT_EQ(s->GetTileYMin(false), 5);
    EXPECT_EQ(s->GetTileYMax(false), 6);
    s->ResetType();
    EXPECT_EQ(s->GetType(), 80);

    // A teleporting sprite counts as moving right even when it stands still,
    // and hidden or not.
    s->SetType(67);
    s->Hide();
    s->Update();
    EXPECT_TRUE(s->IsMovingRight());
}

TEST_F(SpriteBasics, SizeClipAndStateRecord)
{
    CSprite* s = track(new CSprite(29, 20, 80, 1, false, 1, 1));
    s->AddFrame("red20.png");
    s->SetWidth(50);
    EXPECT_EQ(s->GetWidth(false), 20);
    s->SetHeight(-3);
    EXPECT_EQ(s->GetHeight(false), 0);
    s->SetClipX(25);
    EXPECT_EQ(s->GetClipX(), 20);
    s->SetType(90);
    s->ResetClip();
    EXPECT_EQ(s->GetClipX(), 0);
    EXPECT_EQ(s->GetHeight(false), 20);
    EXPECT_EQ(s->GetType(), 80);

    s->SetPosition(48, 72, false);
    s->Show(24, 72);
    s->Update();
    CSpriteState saved;
    s->SaveState(saved);
    s->SetPosition(96, 0, false);
    s->SetType(67);
    s->SetFadeOut(100, 255, 0);
    s->Hide();
    s->SetOffsetX(0);
    s->Update();
    s->RestoreState(saved);
    EXPECT_EQ(s->GetX(false), 48);
    EXPECT_EQ(s->GetY(false), 72);
    EXPECT_EQ(s->GetTileX(), 2);
    EXPECT_EQ(s->GetType(), 80);
    EXPECT_FALSE(s->IsHidden());
    EXPECT_FALSE(s->IsFading());
    EXPECT_EQ(s->GetOffsetX(), 0);
    EXPECT_TRUE(s->IsMovingRight());
    CSpriteState again;
    s->SaveState(again);
    EXPECT_EQ(memcmp(&saved.x, &again.x, sizeof(int) * 2), 0);
}

TEST_F(SpriteBasics, TextFramesAreRegisteredUnderTheirNameAtTheBoxSize)
{
    testsupport::startTextSystem();
    CSprite* s = track(new CSprite(1423, 0, false));
    s->ReplaceFrames("Play", 120, 30, 0, "label_play", true);
    ASSERT_EQ(s->GetFrameCount(), 1);
    int first = CDraw::FindImageId("label_play");
    EXPECT_EQ(s->GetFrameImage(0), first);
    EXPECT_EQ(s->GetWidth(true), 120);
    EXPECT_EQ(s->GetHeight(false), 30);

    // Replacing releases the old picture of that name.
    s->ReplaceFramesAt(3600, 60, 10, 0, "label_play", true);
    ASSERT_EQ(s->GetFrameCount(), 1);
    EXPECT_EQ(CDraw::GetImageSurface(first), nullptr);
    EXPECT_EQ(s->GetFrameImage(0), CDraw::FindImageId("label_play"));
    EXPECT_EQ(s->GetWidth(false), 60);

    s->ReplaceFrames(nullptr, 40, 10, 0, "label_two", false);
    EXPECT_EQ(s->GetFrameCount(), 2);
}

TEST_F(SpriteBasics, DrawingIsClippedToTheRectangleAndTheImage)
{
    fillScreen(0, 0, 0);
    CSprite* s = shownSprite(1410, "red20.png", 100, 100);
    SDL_Rect r = {105, 95, 10, 10};
    s->DrawClipped(r);
    EXPECT_TRUE(isColour(105, 100, 255, 0, 0));
    EXPECT_TRUE(isColour(114, 104, 255, 0, 0));
    EXPECT_TRUE(isColour(115, 104, 0, 0, 0));
    EXPECT_TRUE(isColour(104, 104, 0, 0, 0));
    EXPECT_TRUE(isColour(105, 105, 0, 0, 0));

    // A clip offset with the full drawn size: nothing past the image's edge
    // and nothing outside the rectangle.
    fillScreen(0, 0, 0);
    s->SetClipX(15);
    SDL_Rect all = {90, 90, 40, 40};
    s->DrawClipped(all);
    EXPECT_TRUE(isColour(100, 100, 255, 0, 0));
    EXPECT_TRUE(isColour(104, 100, 255, 0, 0));
    EXPECT_TRUE(isColour(105, 100, 0, 0, 0));

    fillScreen(0, 0, 0);
    s->Hide();
    s->DrawClipped(all);
    EXPECT_TRUE(isColour(100, 100, 0, 0, 0));
    // A visible sprite without frames draws nothing.
    CSprite* empty = track(new CSprite(1410, 0, false));
    empty->Show(0, 0);
    empty->DrawClipped(all);
    empty->Draw();
}

TEST_F(SpriteBasics, MouseOverUsesTheScreenRectangleWidenedByTheMargins)
{
    CSprite* s = shownSprite(1410, "red20.png", 100, 100);
    s->Hide(); // not tested
    setMouseX(97);
    setMouseY(125);
    EXPECT_FALSE(s->IsMouseOver(0, 0));
    EXPECT_TRUE(s->IsMouseOver(3, 5));
    EXPECT_FALSE(s->IsMouseOver(2, 5));
    setMouseX(120);
    setMouseY(120);
    EXPECT_TRUE(s->IsMouseOver(0, 0));
}

TEST_F(SpriteBasics, ParkedSpritesComeBackAndADeletedParkedSpriteIsForgotten)
{
    CSprite* a = shownSprite(1410, "red20.png", 0, 0);
    CSprite* b = shownSprite(1410, "red20.png", 30, 0);
    CSprite::SwapPreswapped(false);
    EXPECT_TRUE(CSprite::GetAllSprites().empty());
    EXPECT_EQ(CSprite::GetPreswappedSprites().size(), 2u);
    CSprite* overlay = track(new CSprite(1410, 0, false));
    forget(b);
    delete b;
    EXPECT_EQ(CSprite::GetPreswappedSprites().size(), 1u);
    CSprite::SwapPreswapped(true);
    ASSERT_EQ(CSprite::GetAllSprites().size(), 1u);
    EXPECT_EQ(CSprite::GetAllSprites()[0], a);
    forget(overlay);
    delete overlay; // was in the overlay's list, which is gone
}

TEST_F(SpriteBasics, ExitReportListsRemainingSprites)
{
    logCategoryOn(LOG_DEBUG);
    CSprite* s = track(new CSprite(1410, 0, false));
    s->SetName("Left Behind");
    s->SetPosition(12, 34, false);
    CaptureStdout();
    CSprite::ExitReport();
    std::string out = GetCapturedStdout();
    std::string eq(82, '='), st(82, '*');
    EXPECT_NE(out.find(eq + "\n"), std::string::npos);
    EXPECT_NE(out.find("main()  WARNING:  All sprites have not been properly unloaded:\n"), std::string::npos);
    EXPECT_NE(out.find("   Left Behind  (12,34)\n"), std::string::npos);
    EXPECT_LT(out.find(st + "\n"), out.find("main()"));
    EXPECT_GT(out.rfind(st + "\n"), out.find("Left Behind"));

    forget(s);
    delete s;
    CaptureStdout();
    CSprite::ExitReport();
    out = GetCapturedStdout();
    EXPECT_NE(out.find("main()  All sprites have been properly unloaded\n"), std::string::npos);
    logInit(false);
}
