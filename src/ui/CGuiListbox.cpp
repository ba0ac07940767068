#include "ui/CGuiListbox.h"

#include <algorithm>
#include <cstdio>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "ui/CController.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"
#include "ui/TextOnImage.h"

CGuiListbox::CGuiListbox(int xPos, int yPos, int widgetId, CController* owner, int areaWidth, int areaHeight,
                         int rows, int rowPixels, const char* background, const char* selector, int areaOffsetX,
                         int areaOffsetY, int textOffsetX, int textOffsetY)
    : CGuiButtonBase(xPos, yPos, widgetId, owner, false),
      contents(nullptr),
      backgroundImage(background),
      selectorImage(selector),
      areaX(areaOffsetX),
      areaY(areaOffsetY),
      textX(textOffsetX),
      textY(textOffsetY),
      width(areaWidth),
      height(areaHeight),
      columnCount(0),
      visibleRows(rows),
      rowHeight(rowPixels),
      scrollTop(0),
      viewRow(0),
      selected(0),
      lastRendered(0),
      rowsAdded(false),
      doubleClickCounter(0)
{
    activateOnRelease = 0;
    char name[32];
    snprintf(name, sizeof name, "lbcontent_%i", id);
    imageName = name;
}

CGuiListbox::~CGuiListbox()
{
    delete contents;
    CDraw::ReleaseImageByName(imageName.c_str());
}

// ---------------------------------------------------------------- rows

void CGuiListbox::AddColumn(int columnWidth)
{
    if (rowsAdded) {
        logPrint(LOG_ERROR, "Cannot add new listbox columns.  Rows have already been added.\n");
        return;
    }
    columnWidths.push_back(columnWidth);
    columnCount = static_cast<int>(columnWidths.size());
}

void CGuiListbox::AddRow(int rowId, const std::vector<std::string>& texts)
{
    rowsAdded = true;
    rowIds.push_back(rowId);
    for (int c = 0; c < columnCount; ++c)
        cells.push_back(c < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(c)] : std::string());
    lastRendered = -1;
}

int CGuiListbox::GetRowId(int rowIndex) const
{
    return rowIds.at(static_cast<size_t>(rowIndex));
}

const std::string& CGuiListbox::GetCell(int rowIndex, int column) const
{
    return cells.at(static_cast<size_t>(rowIndex * columnCount + column));
}

void CGuiListbox::KeepScrollInRange()
{
    // After rows went away the view must still show rows, and the
    // selection must name one while there are any.
    int n = GetRowCount();
    if (selected > n - 1)
        selected = n - 1;
    if (selected < 0)
        selected = 0;
    int lastTop = std::max(n - visibleRows, 0);
    if (scrollTop > lastTop)
        scrollTop = lastTop;
    if (scrollTop > selected)
        scrollTop = selected;
    viewRow = selected - scrollTop;
    lastRendered = -1;
}

void CGuiListbox::RemoveRowAt(int rowIndex)
{
    if (rowIndex < 0 || rowIndex >= GetRowCount())
        return;
    rowIds.erase(rowIds.begin() + rowIndex);
    auto first = cells.begin() + rowIndex * columnCount;
    cells.erase(first, first + columnCount);
    KeepScrollInRange();
}

void CGuiListbox::RemoveRow(int rowId)
{
    auto it = std::find(rowIds.begin(), rowIds.end(), rowId);
    if (it != rowIds.end())
        RemoveRowAt(static_cast<int>(it - rowIds.begin()));
    else
        KeepScrollInRange();
}

void CGuiListbox::Clear()
{
    rowIds.clear();
    cells.clear();
    scrollTop = viewRow = selected = lastRendered = 0;
    doubleClickCounter = 0;
}

int CGuiListbox::GetSelectedIndex() const
{
    return rowIds.empty() ? 0 : selected;
}

int CGuiListbox::GetSelectedId() const
{
    return rowIds.empty() ? 0 : rowIds[static_cast<size_t>(selected)];
}

// ---------------------------------------------------------------- selection

void CGuiListbox::SelectIndex(int rowIndex)
{
    int n = GetRowCount();
    if (rowIndex < 0 || rowIndex >= n)
        return;
    selected = rowIndex;
    if (rowIndex + visibleRows > n)
        scrollTop = std::max(n - visibleRows, 0);
    else
        scrollTop = rowIndex;
    viewRow = rowIndex - scrollTop;
    lastRendered = -1;
    if (listener)
        listener->GUICallback(id, rowIds[static_cast<size_t>(selected)], false);
}

void CGuiListbox::SelectById(int rowId)
{
    auto it = std::find(rowIds.begin(), rowIds.end(), rowId);
    if (it != rowIds.end())
        SelectIndex(static_cast<int>(it - rowIds.begin()));
}

void CGuiListbox::AfterMove()
{
    viewRow = selected - scrollTop;
    if (listener)
        listener->GUICallback(id, rowIds[static_cast<size_t>(selected)], false);
    if (selected != lastRendered)
        CController::PlayRolloverSound();
}

void CGuiListbox::MoveDown(bool page, bool toEnd)
{
    int n = GetRowCount();
    if (n == 0)
        return;
    if (toEnd) {
        selected = n - 1;
        scrollTop = n >= visibleRows ? n - visibleRows : 0;
    } else if (page) {
        selected = std::min(selected + visibleRows, n - 1);
        if (n > visibleRows)
            scrollTop = std::min(scrollTop + visibleRows, n - visibleRows);
    } else {
        if (selected < n - 1)
            ++selected;
        if (selected - visibleRows >= scrollTop)
            scrollTop = selected - visibleRows + 1;
    }
    AfterMove();
}

void CGuiListbox::MoveUp(bool page, bool toTop)
{
    if (rowIds.empty())
        return;
    if (toTop) {
        selected = 0;
        scrollTop = 0;
    } else if (page) {
        selected = std::max(selected - visibleRows, 0);
        scrollTop = std::max(scrollTop - visibleRows, 0);
    } else {
        if (selected > 0)
            --selected;
        if (scrollTop >= selected)
            scrollTop = selected;
    }
    AfterMove();
}

bool CGuiListbox::HandleKey(int key)
{
    switch (key) {
    case KEY_UP:
        MoveUp(false, false);
        return true;
    case KEY_DOWN:
        MoveDown(false, false);
        return true;
    case KEY_PAGE_UP:
        MoveUp(true, false);
        return true;
    case KEY_PAGE_DOWN:
        MoveDown(true, false);
        return true;
    case KEY_HOME:
        MoveUp(false, true);
        return true;
    case KEY_END:
        MoveDown(false, true);
        return true;
    default:
        return false;
    }
}

void CGuiListbox::HandleWheel(bool up)
{
    if (up)
        MoveUp(false, false);
    else
        MoveDown(false, false);
}

void CGuiListbox::ActivateSelected(bool force)
{
    if (!mouseHeld && !force)
        return;
    if (listener)
        listener->GUICallback(id, GetSelectedId(), true);
    doubleClickCounter = 0;
}

// ---------------------------------------------------------------- the picture

void CGuiListbox::Refresh()
{
    lastRendered = selected - 1;
    RebuildContents();
}

void CGuiListbox::RebuildContents()
{
    if (selected == lastRendered)
        return;
    delete contents;
    contents = nullptr;
    CDraw::ReleaseImageByName(imageName.c_str());
    int image = CDraw::CopyImage(backgroundImage.c_str(), imageName.c_str(), 0);
    int imageHeight = CDraw::GetImageHeight(image);
    int n = GetRowCount();
    if (n == 0) {
        int boxWidth = columnWidths.empty() ? CDraw::GetImageWidth(image) : columnWidths[0];
        drawTextOnImage(STRING_EMPTY, image, 3, boxWidth, imageHeight, 0, 0);
    } else {
        for (int r = scrollTop; r < scrollTop + visibleRows && r < n; ++r) {
            if (r == selected)
                CDraw::DrawImageOnImage(selectorImage.c_str(), image, areaX, rowHeight * viewRow + areaY);
            int left = textX;
            for (int c = 0; c < columnCount; ++c) {
                const std::string& text = GetCell(r, c);
                // Cells hold data (file names, headings): shown as they are.
                // A text wider than its column wraps; its box is one row
                // high, so the lines past the first never reach the next row.
                if (!text.empty())
                    drawPlainTextOnImage(STRING_CELL, image, 0, columnWidths[static_cast<size_t>(c)], rowHeight,
                                         left, (r - scrollTop) * rowHeight + textY, text.c_str());
                left += columnWidths[static_cast<size_t>(c)];
            }
        }
    }
    contents = makeWidgetSprite(imageName.c_str(), LAYER_CONTENTS, "GUI Listbox Contents", x, y, !hidden);
    lastRendered = selected;
}

void CGuiListbox::Dump() const
{
    logPrint(LOG_DEBUG, "-----------------------------------------\n");
    for (int r = 0; r < GetRowCount(); ++r) {
        logPrint(LOG_DEBUG, "%i   %-5i", r, rowIds[static_cast<size_t>(r)]);
        for (int c = 0; c < columnCount; ++c)
            logPrint(LOG_DEBUG | LOG_NO_PREFIX, "(%i)%-20s", c, GetCell(r, c).c_str());
        logPrint(LOG_DEBUG | LOG_NO_PREFIX, "\n");
    }
}

// ---------------------------------------------------------------- widget

void CGuiListbox::Update()
{
    if (hidden)
        return;
    if (IsMouseOver() && focusIndex == -1)
        focusIndex = index;
    if (doubleClickCounter > 0)
        --doubleClickCounter;
    RebuildContents();
}

bool CGuiListbox::Activate(bool fromKeyboard, bool)
{
    if (!IsMouseOver())
        return false;
    if (!fromKeyboard && doubleClickCounter == 0) {
        int row = (getMouseY() - y - areaY) / rowHeight;
        // Only a row on view can be picked: the area may reach a little
        // below the last shown row.
        if (row >= 0 && row < visibleRows && row + scrollTop < GetRowCount()) {
            viewRow = row;
            selected = row + scrollTop;
            CController::PlayActivateSound();
            doubleClickCounter = DOUBLE_CLICK_FRAMES;
            if (listener)
                listener->GUICallback(id, rowIds[static_cast<size_t>(selected)], false);
        }
    } else if (mouseHeld || fromKeyboard) {
        if (listener)
            listener->GUICallback(id, GetSelectedId(), true);
        doubleClickCounter = 0;
    }
    return true;
}

void CGuiListbox::Hide()
{
    if (contents)
        contents->Hide();
    hidden = 1;
}

void CGuiListbox::Show()
{
    if (contents)
        contents->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    hidden = 0;
}

bool CGuiListbox::IsMouseOver()
{
    if (hidden)
        return false;
    int mx = getMouseX();
    int my = getMouseY();
    return mx >= x + areaX && mx <= x + areaX + width && my >= y + areaY && my <= y + areaY + height;
}

void CGuiListbox::CenterMouse()
{
    if (contents)
        warpMouse(contents->GetX(true) + contents->GetWidth(false) / 2,
                  contents->GetY(true) + contents->GetHeight(false) / 2);
    else
        warpMouse(x + areaX + width / 2, y + areaY + height / 2);
    hidePointers(1);
}
