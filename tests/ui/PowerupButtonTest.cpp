#include "DialogTestSupport.h"

#include "ui/CGuiButtonPowerup.h"

namespace {

class PowerupButton : public dialogtest::DialogTest {
protected:
    void SetUp() override
    {
        dialogtest::DialogTest::SetUp();
        root.onFrame = [] { CGuiButtonBase::UpdateAll(); };
    }
    static CSprite* strip(int first, int last)
    {
        CSprite* s = new CSprite(1421, 2, false);
        s->LoadFrames("star_appear", first, last, ".png", 1);
        return s;
    }
    void press(int x, int y)
    {
        hover(x, y);
        dialogtest::pushButton(SDL_BUTTON_LEFT, true);
        dialogtest::pushButton(SDL_BUTTON_LEFT, false);
        frame();
    }
};

} // namespace

TEST_F(PowerupButton, PressReportsTheValueOnceThenLetsItsSpritesGo)
{
    size_t spritesBefore = CSprite::GetAllSprites().size();
    std::unique_ptr<CGuiButtonPowerup> b(new CGuiButtonPowerup(300, 200, 9, &root));
    EXPECT_FALSE(b->HasSprites());
    EXPECT_FALSE(b->ActivatesOnRelease());
    // Nothing to press before the sprites come, even when forced.
    EXPECT_FALSE(b->Activate(false, true));
    EXPECT_TRUE(root.callbacks.empty());

    b->Init(strip(0, 0), strip(1, 1), strip(2, 5), strip(6, 6), 7);
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore + 4);
    EXPECT_STREQ(b->GetBaseSprite()->GetName(), "GUI Powerup Button Base");
    EXPECT_STREQ(b->GetClickSprite()->GetName(), "GUI Powerup Button Click");
    EXPECT_EQ(b->GetBaseSprite()->GetX(true), 300);
    EXPECT_EQ(b->GetTextSprite()->GetY(true), 200);
    EXPECT_FALSE(b->GetBaseSprite()->IsHidden());
    EXPECT_FALSE(b->GetTextSprite()->IsHidden());
    EXPECT_TRUE(b->GetRolloverSprite()->IsHidden());
    EXPECT_TRUE(b->GetClickSprite()->IsHidden());

    // Over it: the rollover once the base has played, one rollover sound.
    int rolls = soundsPlayed("rollover_v1-2.ogg", [&] {
        hover(310, 210);
        frames(4);
    });
    EXPECT_EQ(rolls, 1);
    EXPECT_FALSE(b->GetRolloverSprite()->IsHidden());
    EXPECT_TRUE(b->GetBaseSprite()->IsHidden());

    press(310, 210);
    ASSERT_EQ(root.callbacks.size(), 1u);
    EXPECT_EQ(root.callbacks[0].index, 9);
    EXPECT_EQ(root.callbacks[0].value, 7);
    EXPECT_TRUE(b->IsActivated());
    EXPECT_EQ(b->GetValue(), 0);
    EXPECT_TRUE(b->GetTextSprite()->IsHidden());
    EXPECT_FALSE(b->GetClickSprite()->IsHidden());
    // The click plays its four frames, then everything goes.
    frames(12);
    EXPECT_FALSE(b->HasSprites());
    EXPECT_FALSE(b->IsActivated());
    EXPECT_EQ(b->GetBaseSprite(), nullptr);
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore);
    press(310, 210);
    EXPECT_EQ(root.callbacks.size(), 1u);
}

TEST_F(PowerupButton, NewSpritesReplaceTheOldAndAHiddenButtonIsNotHit)
{
    size_t spritesBefore = CSprite::GetAllSprites().size();
    std::unique_ptr<CGuiButtonPowerup> b(new CGuiButtonPowerup(300, 200, 9, &root));
    b->Init(strip(0, 0), strip(1, 1), nullptr, nullptr, 3);
    b->Init(strip(0, 0), strip(1, 1), nullptr, strip(6, 6), 4);
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore + 3);
    b->SetTextSprite(strip(5, 5));
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore + 3);
    b->Hide();
    setMouseX(310);
    setMouseY(210);
    EXPECT_FALSE(b->IsMouseOver());
    b->Show();
    EXPECT_TRUE(b->IsMouseOver());
    // Without a click sprite the sprites go at the next update.
    press(310, 210);
    EXPECT_EQ(root.callbacks.back().value, 4);
    frame();
    EXPECT_FALSE(b->HasSprites());
    b.reset();
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore);
}
