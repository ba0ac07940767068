// A scrolling list of rows with one text per column, drawn into one
// picture. One row is selected; a click selects a row and tells the owner,
// and a second press within 15 frames tells it again as a double click.
// The rows are rendered into a private copy of the background image named
// "lbcontent_%i" with the widget id (so two list boxes with the same id
// cannot coexist), with a selector image behind the selected row, and the
// picture is rendered again only when the selection has changed.
#pragma once

#include <string>
#include <vector>

#include "ui/CGuiButtonBase.h"

class CSprite;

class CGuiListbox : public CGuiButtonBase {
public:
    enum {
        LAYER_CONTENTS = 1413,
        STRING_CELL = 501,  // "%1" in the list's font
        STRING_EMPTY = 502, // the notice of an empty list
        DOUBLE_CLICK_FRAMES = 15,
        KEY_HOME = 278,
        KEY_END = 279,
        KEY_PAGE_UP = 280,
        KEY_PAGE_DOWN = 281
    };

    // The row area lies at (areaX, areaY) inside the widget and is
    // width x height; each cell's text stands at (textX, textY) inside its
    // row and column. Image names are names of preloaded images.
    CGuiListbox(int x, int y, int id, CController* listener, int width, int height, int visibleRows, int rowHeight,
                const char* backgroundImage, const char* selectorImage, int areaX, int areaY, int textX, int textY);
    ~CGuiListbox() override;

    // Columns can be added only before the first row.
    void AddColumn(int width);
    // One text per column; missing texts are empty. The list keeps copies
    // and shows them as they are: markup in them is not applied.
    void AddRow(int rowId, const std::vector<std::string>& texts);
    void RemoveRow(int rowId);
    void RemoveRowAt(int rowIndex);
    // Empties the list; the owner calls Refresh afterwards.
    void Clear();

    void SelectIndex(int rowIndex);
    void SelectById(int rowId);
    void MoveDown(bool page, bool toEnd);
    void MoveUp(bool page, bool toTop);
    // The usual list keys for owners to pass on: Up, Down, Page Up, Page
    // Down, Home and End. True when the key was one of them.
    bool HandleKey(int key);
    // One row per notch of the mouse wheel.
    void HandleWheel(bool up);

    int GetRowCount() const { return static_cast<int>(rowIds.size()); }
    // 0 when the list is empty.
    int GetSelectedIndex() const;
    int GetSelectedId() const;
    int GetScrollTop() const { return scrollTop; }
    int GetViewRow() const { return viewRow; }
    int GetVisibleRows() const { return visibleRows; }
    int GetRowId(int rowIndex) const;
    const std::string& GetCell(int rowIndex, int column) const;
    CSprite* GetContentsSprite() const { return contents; }
    const char* GetImageName() const { return imageName.c_str(); }

    // Reports the selected row as a double click when the mouse is held or
    // when forced (the owner's Return key).
    void ActivateSelected(bool force);
    // Renders the picture now.
    void Refresh();
    // Renders the picture when the selection changed since the last time.
    void RebuildContents();
    void Dump() const;

    void Update() override;
    bool Activate(bool fromKeyboard, bool force) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void CenterMouse() override;

private:
    void AfterMove();
    void KeepScrollInRange();

    CSprite* contents;
    std::string backgroundImage;
    std::string selectorImage;
    std::string imageName;
    int areaX, areaY;
    int textX, textY;
    int width, height;
    int columnCount;
    int visibleRows;
    int rowHeight;
    int scrollTop;
    int viewRow;
    int selected;
    int lastRendered;
    std::vector<int> columnWidths;
    std::vector<int> rowIds;
    std::vector<std::string> cells;
    bool rowsAdded;
    int doubleClickCounter;
};
