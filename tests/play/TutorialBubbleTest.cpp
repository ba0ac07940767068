// The tutorial bubble where the professor meets a marker: it stands inside
// the screen, never over the professor or the marker (nor over the cells
// around the marker), its tail points at the marker, and every tutorial text
// of the built-in levels fits its box line by line as the game renders it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "PlayerRun.h"
#include "elements/CElementTutorial.h"
#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/TextImage.h"
#include "engine/TextRender.h"
#include "screens/CControllerMessageTutorial.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "walkers/CElementAIProfessor.h"
#include "walkers/CElementAIAnimation.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"
#include "play/GameTestSupport.h"

namespace {

using gametest::GameSetTest;
typedef CControllerMessageTutorial Bubble;

const int kSets = 3;
const int kTextString = 6700;

bool overlap(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool insideScreen(const Rect& r)
{
    return r.x >= 0 && r.y >= 0 && r.x + r.w <= CDraw::SCREEN_WIDTH && r.y + r.h <= CDraw::SCREEN_HEIGHT;
}

std::string describe(const Rect& r)
{
    return "(" + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" +
           std::to_string(r.h) + ")";
}

Rect cellRect(int x, int y)
{
    return Rect{CSprite::BOARD_ORIGIN_X + x * CElement::TILE, CSprite::BOARD_ORIGIN_Y + y * CElement::TILE,
                CElement::TILE, CElement::TILE};
}

Rect unite(const Rect& a, const Rect& b)
{
    const int l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    return Rect{l, t, std::max(a.x + a.w, b.x + b.w) - l, std::max(a.y + a.h, b.y + b.h) - t};
}

// Where the professor's pictures lie when he stands, walks or climbs in the
// cell: each animation's first picture at the cell, by its anchor.
Rect professorAt(int x, int y)
{
    const std::vector<WalkerAnimation>& table = CElementAIProfessor::AnimationTable();
    Rect all = cellRect(x, y);
    // Standing (3), running (2) and climbing (2): how he reaches a marker.
    for (size_t i = 0; i < 7 && i < table.size(); ++i) {
        const int image = CDraw::FindImageId(table[i].frames.at(0).c_str());
        const Rect r{CSprite::BOARD_ORIGIN_X + x * CElement::TILE - table[i].anchorX,
                     CSprite::BOARD_ORIGIN_Y + y * CElement::TILE - table[i].anchorY, CDraw::GetImageWidth(image),
                     CDraw::GetImageHeight(image)};
        all = unite(all, r);
    }
    return all;
}

// What a placement must keep: inside the screen, clear of the marker, the
// cells around it and the professor; the tail joins the bubble and its tip
// lies in the marker's column, between the bubble and the marker.
void expectGoodPlacement(const Bubble::Placement& p, const Rect& marker, const Rect& professor,
                         const std::string& where)
{
    const Rect around{marker.x - marker.w, marker.y - marker.h, 3 * marker.w, 3 * marker.h};
    EXPECT_TRUE(insideScreen(p.bubble)) << where << " bubble " << describe(p.bubble);
    EXPECT_TRUE(insideScreen(p.tail)) << where << " tail " << describe(p.tail);
    EXPECT_FALSE(overlap(p.bubble, marker)) << where << " bubble over the marker";
    EXPECT_FALSE(overlap(p.bubble, around)) << where << " bubble over the cells around the marker";
    EXPECT_FALSE(overlap(p.bubble, professor)) << where << " bubble over the professor " << describe(professor);
    EXPECT_FALSE(overlap(p.tail, marker)) << where << " tail over the marker";
    EXPECT_FALSE(overlap(p.tail, professor)) << where << " tail over the professor";
    EXPECT_GE(p.tipX, marker.x) << where;
    EXPECT_LT(p.tipX, marker.x + marker.w) << where;
    if (p.tailUp) {
        EXPECT_GE(p.bubble.y, marker.y + marker.h) << where;
        EXPECT_EQ(p.tail.y + p.tail.h - Bubble::TAIL_OVERLAP, p.bubble.y) << where;
        EXPECT_GE(p.tipY, std::max(marker.y + marker.h, professor.y + professor.h)) << where;
    } else {
        EXPECT_LE(p.bubble.y + p.bubble.h, marker.y) << where;
        EXPECT_EQ(p.tail.y + Bubble::TAIL_OVERLAP, p.bubble.y + p.bubble.h) << where;
        EXPECT_LT(p.tipY, std::min(marker.y, professor.y)) << where;
    }
    // Close enough to read as pointing at the marker: at most a cell and a
    // bit away from the professor or the marker.
    const int gap = p.tailUp ? p.tipY - std::max(marker.y + marker.h, professor.y + professor.h)
                             : std::min(marker.y, professor.y) - p.tipY;
    EXPECT_LE(gap, Bubble::TIP_GAP + 1) << where;
}

class TutorialBubble : public GameSetTest {};

TEST_F(TutorialBubble, EveryMarkerOfTheBuiltInLevelsKeepsItsProfessorAndNeighboursInSight)
{
    int markers = 0;
    for (int s = 0; s < kSets; ++s) {
        CLevelSet* set = CLevelSet::getSet(s);
        ASSERT_NE(set, nullptr);
        for (int i = 0; i < set->getCount(); ++i) {
            CLevel* level = set->getLevel(i);
            for (int x = 0; x < CLevel::WIDTH; ++x)
                for (int y = 0; y < CLevel::HEIGHT; ++y) {
                    if (level->GetTile(x, y) != TUTORIAL)
                        continue;
                    ++markers;
                    const Rect marker = cellRect(x, y);
                    const Rect professor = professorAt(x, y);
                    expectGoodPlacement(Bubble::Place(marker, professor), marker, professor,
                                        std::string(level->GetName()) + " marker (" + std::to_string(x) + "," +
                                            std::to_string(y) + ")");
                }
        }
    }
    EXPECT_EQ(markers, 58);
}

// The corners and edges of the board, where the screen leaves room on one
// side only: the bubble turns to the other side and slides along.
TEST_F(TutorialBubble, MarkersAtTheBoardsEdgesStillGetAGoodPlace)
{
    for (int x : {0, 1, 15, 30, 31})
        for (int y : {0, 1, 8, 9, 10, 11, 12, 13, 14, 15, 22, 23}) {
            const Rect marker = cellRect(x, y);
            const Rect professor = professorAt(x, y);
            const Bubble::Placement p = Bubble::Place(marker, professor);
            const std::string where = "cell (" + std::to_string(x) + "," + std::to_string(y) + ")";
            EXPECT_TRUE(insideScreen(p.bubble)) << where;
            EXPECT_FALSE(overlap(p.bubble, marker)) << where;
            EXPECT_FALSE(overlap(p.bubble, professor)) << where;
            EXPECT_EQ(p.tailUp, y <= 11) << where << ": the side with more room";
            // On the last column the tail stays off the bubble's rounded
            // corner and points just beside the marker's near edge.
            EXPECT_LE(std::abs(p.tipX - (marker.x + marker.w / 2)), marker.w / 2 + 4) << where;
        }
    // Without a marker the bubble stands in the middle, without a tail.
    const Bubble::Placement none = Bubble::Place(Rect{0, 0, 0, 0}, Rect{0, 0, 0, 0});
    EXPECT_EQ(none.bubble.x, (CDraw::SCREEN_WIDTH - Bubble::BUBBLE_WIDTH) / 2);
    EXPECT_EQ(none.tail.w, 0);
}

// The built-in tutorial levels played as a player plays them: each bubble
// that opens stands clear of the professor as he is drawn at that moment.
TEST_F(TutorialBubble, BubblesOpenedOnTheWayThroughTheTutorialLevelsLeaveTheProfessorInSight)
{
    CLevelSet* set = CLevelSet::getSet(0);
    int bubbles = 0;
    for (int i = 0; i < set->getCount(); ++i) {
        if (!CLevelSet::isTutorialLevel(0, i))
            continue;
        CLevel* level = set->getLevel(i);
        std::set<std::pair<int, int>> unread;
        for (int x = 0; x < CLevel::WIDTH; ++x)
            for (int y = 0; y < CLevel::HEIGHT; ++y)
                if (level->GetTutorialText(x, y))
                    unread.insert(std::make_pair(x, y));
        replay::PlayerRun run(*level, false);
        // A bubble is looked at once; the key that closes it is pressed each
        // frame until the bubble has been up long enough to take it.
        Bubble* seen = nullptr;
        while (run.frame()) {
            Bubble* bubble = run.game()->GetTutorialChild();
            if (!bubble || CController::GetCurrentController() != bubble) {
                seen = nullptr;
                continue;
            }
            if (bubble == seen) {
                bubble->InputKey(false, SDLK_SPACE);
                continue;
            }
            seen = bubble;
            ++bubbles;
            const CSprite* prof = run.game()->GetProfessor()->sprite;
            const Rect professor{prof->GetX(true), prof->GetY(true), prof->GetWidth(false), prof->GetHeight(false)};
            int mx = -1, my = -1;
            for (int x = 0; x < CLevel::WIDTH; ++x)
                for (int y = 0; y < CLevel::HEIGHT; ++y)
                    if (CElementTutorial::GetAt(x, y) && CElementTutorial::GetAt(x, y)->IsActive()) {
                        mx = x;
                        my = y;
                    }
            ASSERT_GE(mx, 0) << level->GetName();
            const std::string where = std::string(level->GetName()) + " bubble " + std::to_string(bubbles);
            expectGoodPlacement(bubble->GetPlacement(), cellRect(mx, my), professor, where);
            EXPECT_EQ(bubble->GetText(), CElementTutorial::GetAt(mx, my)->GetText()) << where;
            unread.erase(std::make_pair(mx, my));
            bubble->InputKey(false, SDLK_SPACE);
        }
        EXPECT_TRUE(CElement::GetExited()) << level->GetName() << " after " << run.steps() << " steps";
        // Every marker stands on the solution's way: the player reads them all.
        for (const auto& cell : unread)
            ADD_FAILURE() << level->GetName() << ": the marker at (" << cell.first << "," << cell.second
                          << ") is not on the solution's way";
    }
    EXPECT_GE(bubbles, 26);
}

// A player walking on by keys must get to read the bubble: a key closes it
// only once it has been up for half a second. The bubble runs at the stack's
// frame period of 33 ms, so 15 frames (495 ms) are too few and 16 (528 ms)
// are enough. Frames are counted as the game presents them.
TEST_F(TutorialBubble, AKeyClosesTheBubbleOnlyOnceItHasBeenUpForHalfASecond)
{
    gametest::drawMarkerWalk(m_level, "Mind the gap, Professor.");
    play(m_level);
    const int right = 275;
    frames(90); // out of the entrance tube
    press(right);
    Uint32 opened = 0;
    for (int i = 0; i < 300 && !m_screen->GetTutorialChild(); ++i) {
        opened = CDraw::GetFrameCount();
        frame();
    }
    ASSERT_NE(m_screen->GetTutorialChild(), nullptr) << "no bubble";
    // A key read in the frame that starts 15 frames after the bubble was
    // made is ignored; one read in the next frame, at 16, closes it.
    while (CDraw::GetFrameCount() - opened < 15)
        frame();
    press(SDLK_SPACE);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE_TUTORIAL) << "closed before half a second";
    ASSERT_EQ(CDraw::GetFrameCount() - opened, 16u);
    release(SDLK_SPACE);
    press(SDLK_SPACE);
    frame();
    release(SDLK_SPACE);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen) << "still open after half a second";
    EXPECT_EQ(m_screen->GetTutorialChild(), nullptr);
    release(right);
    frame();
}

// Each line of a tutorial text, as the text renderer wraps it in the
// bubble's box, is one of the text's own lines: none is too wide and breaks
// on its own. And all lines fit the box's height.
TEST_F(TutorialBubble, EveryTutorialTextFitsItsBoxLineByLine)
{
    const StringTableEntry& entry = getStringTableEntry(kTextString);
    TTF_Font* font = TTF_OpenFont(("./" + entry.fontFile).c_str(), entry.size);
    ASSERT_NE(font, nullptr);
    const int lineHeight = TTF_FontHeight(font);
    TTF_CloseFont(font);
    const int step = lineHeight + entry.lineSpacing;

    int texts = 0;
    for (int s = 0; s < kSets; ++s) {
        CLevelSet* set = CLevelSet::getSet(s);
        for (int i = 0; i < set->getCount(); ++i) {
            CLevel* level = set->getLevel(i);
            for (int x = 0; x < CLevel::WIDTH; ++x)
                for (int y = 0; y < CLevel::HEIGHT; ++y) {
                    const char* text = level->GetTutorialText(x, y);
                    if (level->GetTile(x, y) != TUTORIAL || !text)
                        continue;
                    ++texts;
                    int ownLines = 1;
                    for (const char* p = text; (p = strstr(p, "%n")) != nullptr; p += 2)
                        ++ownLines;
                    // Rendered at the box's width, left and top aligned: the
                    // last line starts at (lines - 1) steps.
                    SDL_Surface* block = renderTextBox(Bubble::TEXT_WIDTH, 1000, 0, kTextString, text);
                    ASSERT_NE(block, nullptr);
                    SDL_FreeSurface(block);
                    const int rendered = getTextEndY() / step + 1;
                    const std::string where = std::string(level->GetName()) + " (" + std::to_string(x) + "," +
                                              std::to_string(y) + "): " + text;
                    EXPECT_EQ(rendered, ownLines) << where;
                    EXPECT_LE(ownLines * lineHeight + (ownLines - 1) * entry.lineSpacing, Bubble::TEXT_HEIGHT)
                        << where;
                }
        }
    }
    EXPECT_EQ(texts, 58);
}

} // namespace
