#include "DialogTestSupport.h"

#include "ui/CGuiListbox.h"

using dialogtest::inkIn;
using dialogtest::pushButton;
using dialogtest::tapKey;

namespace {

// A screen that owns a list box the way the level lists do: list keys and
// the wheel move the selection, Return reports a double click.
class ListOwner : public CController {
public:
    ListOwner() { id = CONTROLLER_MANAGER; }
    ~ListOwner() override { delete list; }
    void Pump() override
    {
        if (GetPreviousId() != id) {
            SetPreviousId(id);
            return;
        }
        PollInput();
        CGuiButtonBase::UpdateAll();
    }
    void InputKey(bool released, int key) override
    {
        if (released)
            return;
        if (key == KEY_RETURN)
            list->ActivateSelected(true);
        else
            list->HandleKey(key);
    }
    void InputMouseButton(bool, bool, bool, bool wheelUp, bool wheelDown) override
    {
        if (wheelUp || wheelDown)
            list->HandleWheel(wheelUp);
    }
    void GUICallback(int index, int value, bool dclick) override
    {
        calls.push_back({index, value, dclick ? 1 : 0});
    }
    struct Call {
        int index, value, dclick;
    };
    std::vector<Call> calls;
    CGuiListbox* list = nullptr;
};

// The level manager's list: rows of 19 pixels from (20, 77), 22 on view.
const int LIST_X = 18, LIST_Y = 68, AREA_X = 2, AREA_Y = 9, ROW = 19;

class Listbox : public dialogtest::DialogTest {
protected:
    void SetUp() override
    {
        dialogtest::DialogTest::SetUp();
        launch(&owner);
        frame();
    }
    void TearDown() override
    {
        delete owner.list;
        owner.list = nullptr;
        dialogtest::DialogTest::TearDown();
    }
    CGuiListbox* make(int visibleRows, int rows, int listId = 7)
    {
        CGuiListbox* list = new CGuiListbox(LIST_X, LIST_Y, listId, &owner, 409, visibleRows == 22 ? 436 : visibleRows * ROW,
                                            visibleRows, ROW, "levelmanager_listbox.jpg", "levelmanager_selector.png",
                                            AREA_X, AREA_Y, 5, 8);
        list->AddColumn(300);
        list->AddColumn(100);
        for (int r = 0; r < rows; ++r)
            list->AddRow(100 + r, {"Level " + std::to_string(r), "ok"});
        delete owner.list;
        owner.list = list;
        return list;
    }
    // Screen y of the middle of view row r.
    static int rowY(int r) { return LIST_Y + AREA_Y + r * ROW + ROW / 2; }
    void press(int x, int y)
    {
        hover(x, y);
        pushButton(SDL_BUTTON_LEFT, true);
        pushButton(SDL_BUTTON_LEFT, false);
        frame();
    }
    void wheel(bool up)
    {
        pushButton(up ? SDL_BUTTON_WHEELUP : SDL_BUTTON_WHEELDOWN, true);
        frame();
    }
    std::string lastCall()
    {
        if (owner.calls.empty())
            return "none";
        const ListOwner::Call& c = owner.calls.back();
        return std::to_string(c.index) + "," + std::to_string(c.value) + "," + std::to_string(c.dclick);
    }

    ListOwner owner;
};

} // namespace

TEST_F(Listbox, SecondPressWithinFifteenFramesIsADoubleClick)
{
    CGuiListbox* list = make(22, 5);
    press(100, rowY(2));
    EXPECT_EQ(lastCall(), "7,102,0");
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    // The second press lands on another row: still the first row, twice.
    frames(12);
    press(100, rowY(4));
    EXPECT_EQ(lastCall(), "7,102,1");
    EXPECT_EQ(owner.calls.size(), 2u);
    // The window is closed by the double click: the next press selects.
    press(100, rowY(4));
    EXPECT_EQ(lastCall(), "7,104,0");
    // Sixteen frames later the window has run out.
    frames(15);
    press(100, rowY(1));
    EXPECT_EQ(lastCall(), "7,101,0");
    // Return reports the selection as a double click.
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_EQ(lastCall(), "7,101,1");
}

TEST_F(Listbox, PressBelowTheLastRowSelectsNothingAndOpensNoWindow)
{
    CGuiListbox* list = make(22, 3);
    press(100, rowY(1));
    frames(16);
    size_t calls = owner.calls.size();
    press(100, rowY(3)); // the first empty row
    EXPECT_EQ(owner.calls.size(), calls);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    press(100, rowY(0)); // at once: a single click, no double click
    EXPECT_EQ(lastCall(), "7,100,0");

    // The area reaches 18 pixels below the 22nd row: a full list cannot
    // pick a row that is not on view there.
    list = make(22, 30);
    frames(16);
    calls = owner.calls.size();
    press(100, LIST_Y + AREA_Y + 22 * ROW + 5);
    EXPECT_EQ(owner.calls.size(), calls);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    press(100, LIST_Y + AREA_Y + 22 * ROW - 1); // the last pixel of row 21
    EXPECT_EQ(lastCall(), "7,121,0");
    // Beside the area nothing happens.
    frames(16);
    calls = owner.calls.size();
    press(LIST_X + AREA_X + 409 + 1, rowY(3));
    EXPECT_EQ(owner.calls.size(), calls);
}

TEST_F(Listbox, KeysPageAndJumpAcrossThirtyRowsOfTen)
{
    CGuiListbox* list = make(10, 30);
    tapKey(CGuiListbox::KEY_END);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 29);
    EXPECT_EQ(list->GetScrollTop(), 20);
    EXPECT_EQ(list->GetViewRow(), 9);
    EXPECT_EQ(lastCall(), "7,129,0");
    tapKey(SDLK_DOWN); // already the last row
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 29);
    tapKey(CGuiListbox::KEY_HOME);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetScrollTop(), 0);
    tapKey(SDLK_UP); // already the first row
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(lastCall(), "7,100,0");

    // One step at a time: the view follows only past its last row.
    for (int i = 0; i < 9; ++i)
        tapKey(SDLK_DOWN);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 9);
    EXPECT_EQ(list->GetScrollTop(), 0);
    tapKey(SDLK_DOWN);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 10);
    EXPECT_EQ(list->GetScrollTop(), 1);
    EXPECT_EQ(list->GetViewRow(), 9);
    for (int i = 0; i < 9; ++i)
        tapKey(SDLK_UP);
    frame();
    EXPECT_EQ(list->GetScrollTop(), 1);
    tapKey(SDLK_UP);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetScrollTop(), 0);

    // Pages: ten rows at once, the view kept inside the list.
    tapKey(CGuiListbox::KEY_PAGE_DOWN);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 10);
    EXPECT_EQ(list->GetScrollTop(), 10);
    tapKey(CGuiListbox::KEY_PAGE_DOWN);
    tapKey(CGuiListbox::KEY_PAGE_DOWN);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 29);
    EXPECT_EQ(list->GetScrollTop(), 20);
    tapKey(CGuiListbox::KEY_PAGE_UP);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 19);
    EXPECT_EQ(list->GetScrollTop(), 10);
    tapKey(CGuiListbox::KEY_PAGE_UP);
    tapKey(CGuiListbox::KEY_PAGE_UP);
    frame();
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetScrollTop(), 0);

    // A list shorter than its view never scrolls.
    list = make(10, 4);
    list->MoveDown(true, false);
    EXPECT_EQ(list->GetSelectedIndex(), 3);
    EXPECT_EQ(list->GetScrollTop(), 0);
    list->MoveDown(false, true);
    EXPECT_EQ(list->GetScrollTop(), 0);
}

TEST_F(Listbox, WheelMovesTheSelectionOneRowPerNotch)
{
    CGuiListbox* list = make(10, 12);
    hover(100, rowY(3));
    wheel(false);
    wheel(false);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_EQ(lastCall(), "7,102,0");
    wheel(true);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    for (int i = 0; i < 11; ++i)
        wheel(false);
    EXPECT_EQ(list->GetSelectedIndex(), 11);
    EXPECT_EQ(list->GetScrollTop(), 2);
    int played = soundsPlayed("rollover_v1-2.ogg", [&] { wheel(false); });
    EXPECT_EQ(played, 0); // nothing changed at the end of the list
    played = soundsPlayed("rollover_v1-2.ogg", [&] { wheel(true); });
    EXPECT_EQ(played, 1);
}

TEST_F(Listbox, SelectByIdNearTheEndScrollsTheLastPageIntoView)
{
    CGuiListbox* list = make(10, 30);
    list->SelectById(128);
    EXPECT_EQ(list->GetSelectedIndex(), 28);
    EXPECT_EQ(list->GetScrollTop(), 20);
    EXPECT_EQ(list->GetViewRow(), 8);
    EXPECT_EQ(lastCall(), "7,128,0");
    list->SelectIndex(20); // exactly the last full page
    EXPECT_EQ(list->GetScrollTop(), 20);
    list->SelectIndex(19);
    EXPECT_EQ(list->GetScrollTop(), 19);
    size_t calls = owner.calls.size();
    list->SelectById(999);
    list->SelectIndex(30);
    list->SelectIndex(-1);
    EXPECT_EQ(owner.calls.size(), calls);
    EXPECT_EQ(list->GetSelectedIndex(), 19);
}

TEST_F(Listbox, PrivatePictureShowsTheRowsAndIsRenderedOnlyOnChange)
{
    CGuiListbox* list = make(10, 30);
    EXPECT_EQ(list->GetContentsSprite(), nullptr);
    frame();
    ASSERT_NE(list->GetContentsSprite(), nullptr);
    EXPECT_STREQ(list->GetImageName(), "lbcontent_7");
    int image = CDraw::FindImageId("lbcontent_7");
    EXPECT_EQ(list->GetContentsSprite()->GetFrameImage(0), image);
    EXPECT_EQ(list->GetContentsSprite()->GetType(), 1413);
    EXPECT_EQ(list->GetContentsSprite()->GetX(true), LIST_X);
    frames(3);
    EXPECT_EQ(CDraw::FindImageId("lbcontent_7"), image);

    list->SelectIndex(23); // view row 3 of the last page
    frame();
    int again = CDraw::FindImageId("lbcontent_7");
    EXPECT_NE(again, image);
    SDL_Surface* s = CDraw::GetImageSurface(again);
    // The selector behind view row 3, text in every shown row, none below.
    drawtest::Rgba sel = drawtest::pixelAt(s, AREA_X + 1, AREA_Y + 3 * ROW + 1);
    EXPECT_TRUE(drawtest::near(sel.b, dialogtest::SELECTOR_B));
    drawtest::Rgba other = drawtest::pixelAt(s, AREA_X + 1, AREA_Y + 4 * ROW + 1);
    EXPECT_FALSE(drawtest::near(other.b, dialogtest::SELECTOR_B));
    for (int r = 0; r < 10; ++r)
        EXPECT_GT(inkIn(again, 5, 8 + r * ROW, 300, ROW - 4), 0) << r;
    EXPECT_GT(inkIn(again, 305, 8, 100, ROW - 4), 0); // the second column
    EXPECT_EQ(inkIn(again, 0, 10 * ROW + AREA_Y + 2, 411, 445 - 10 * ROW - AREA_Y - 2), 0);
    // The background picture itself stays clean.
    int original = CDraw::GetImage("levelmanager_listbox.jpg");
    EXPECT_EQ(inkIn(original, 0, 0, 411, 445), 0);
    CDraw::ReleaseImage(original);

    // A second list has a picture of its own; each goes with its list.
    std::unique_ptr<CGuiListbox> other2(new CGuiListbox(500, 68, 8, &owner, 200, 100, 5, ROW,
                                                        "levelmanager_listbox.jpg", "levelmanager_selector.png", 2, 9,
                                                        5, 8));
    other2->AddColumn(200);
    other2->Refresh();
    EXPECT_GE(CDraw::FindImageId("lbcontent_8"), 0);
    other2.reset();
    EXPECT_EQ(CDraw::FindImageId("lbcontent_8"), -1);
    EXPECT_EQ(CDraw::FindImageId("lbcontent_7"), again);
    delete owner.list;
    owner.list = nullptr;
    EXPECT_EQ(CDraw::FindImageId("lbcontent_7"), -1);
}

TEST_F(Listbox, CellsShowTheirTextAsItIsMarkupAndAll)
{
    // File names and headings are data: "%1" is drawn, "%n" breaks no line.
    CGuiListbox* list = make(10, 0);
    list->AddRow(1, {"%1", "a%nb%n%nc"});
    list->Refresh();
    int image = CDraw::FindImageId("lbcontent_7");
    EXPECT_GT(inkIn(image, 5, 8, 300, ROW - 4), 0);
    EXPECT_GT(inkIn(image, 305, 8, 100, ROW - 4), 0);
    EXPECT_EQ(inkIn(image, 0, 8 + ROW - 2, 411, 3 * ROW), 0);
}

TEST_F(Listbox, ATextTooLongForItsColumnStaysInItsOwnRow)
{
    // A level heading wider than its column wraps; its second line would
    // stand in the next row, so the row's foot cuts it off.
    CGuiListbox* list = make(10, 0);
    list->AddRow(1, {"first", "The Long Way Round the Copper Lantern"});
    list->AddRow(2, {"second", ""});
    list->Refresh();
    int image = CDraw::FindImageId("lbcontent_7");
    EXPECT_GT(inkIn(image, 305, 8, 100, ROW - 4), 0);
    EXPECT_GT(inkIn(image, 5, 8 + ROW, 300, ROW - 4), 0);
    EXPECT_EQ(inkIn(image, 305, 8 + ROW - 2, 106, 3 * ROW), 0);
}

TEST_F(Listbox, EmptyListShowsItsNoticeInTheMiddle)
{
    CGuiListbox* list = make(22, 0);
    EXPECT_EQ(list->GetSelectedId(), 0);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    list->Refresh();
    int image = CDraw::FindImageId("lbcontent_7");
    EXPECT_GT(inkIn(image, 0, 200, 300, 45), 20);
    EXPECT_EQ(inkIn(image, 0, 0, 411, 180), 0);
    EXPECT_EQ(inkIn(image, 0, 265, 411, 180), 0);
    // Keys and clicks on an empty list send nothing.
    tapKey(SDLK_DOWN);
    frame();
    press(100, rowY(0));
    EXPECT_TRUE(owner.calls.empty());
}

TEST_F(Listbox, RemovingRowsKeepsTheSelectionAndViewOnRows)
{
    CGuiListbox* list = make(10, 30);
    list->MoveDown(false, true); // row 29, view from 20
    list->RemoveRowAt(29);
    EXPECT_EQ(list->GetRowCount(), 29);
    EXPECT_EQ(list->GetSelectedIndex(), 28);
    EXPECT_EQ(list->GetSelectedId(), 128);
    EXPECT_EQ(list->GetScrollTop(), 19);
    list->RemoveRow(105);
    EXPECT_EQ(list->GetRowCount(), 28);
    EXPECT_EQ(list->GetCell(5, 0), "Level 6");
    // Out of range and unknown ids change nothing.
    list->RemoveRowAt(28);
    list->RemoveRowAt(-1);
    list->RemoveRow(999);
    EXPECT_EQ(list->GetRowCount(), 28);
    // Down to three rows: the view comes back to the top and the
    // selection to the last row.
    while (list->GetRowCount() > 3)
        list->RemoveRowAt(0);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_EQ(list->GetScrollTop(), 0);
    EXPECT_EQ(list->GetViewRow(), 2);
    while (list->GetRowCount() > 0)
        list->RemoveRowAt(0);
    EXPECT_EQ(list->GetSelectedId(), 0);
    list->AddRow(200, {"Fresh"});
    EXPECT_EQ(list->GetSelectedId(), 200);

    // Clear keeps the columns; new columns after rows are refused.
    list->Clear();
    EXPECT_EQ(list->GetRowCount(), 0);
    logInit(true);
    testing::internal::CaptureStdout();
    list->AddColumn(40);
    std::string out = testing::internal::GetCapturedStdout();
    logInit(false);
    EXPECT_NE(out.find("Cannot add new listbox columns.  Rows have already been added."), std::string::npos);
    list->AddRow(300, {"a", "b", "c"});
    EXPECT_EQ(list->GetCell(0, 1), "b");
    list->AddRow(301, {"only one"});
    EXPECT_EQ(list->GetCell(1, 1), "");
}
