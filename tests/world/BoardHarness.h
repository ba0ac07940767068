// A headless board for tests, tools and benchmarks: the real element world
// built with the real element factory from a CLevel or from a small text
// picture, stepped frame by frame with sprites and the dirty-rectangle
// renderer live on the dummy video driver, with the generated resources of
// the run folder.
//
//     Board board(R"(
//         ......
//         .c....
//         ~~~~~~
//     )");
//     board.step(10);
//     EXPECT_EQ(board.picture(), ...);
//
// Picture cells are board cells: the first picture row is board row `top`
// (0 unless given), the first column board column `left`. Leading spaces of
// each row are indentation; '.' and ' ' inside a row are empty cells. Cells
// outside the picture stay empty.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "world/CElement.h"
#include "level/Level.h"

namespace boardtest {

// What one picture character puts into the level.
struct LegendEntry {
    int tile = NONE;       // tile code for the tile layer, NONE for none
    int flags = CELL_NORMAL; // cell flag (1024 frozen, 2048 heated)
    bool ladder = false;   // a ladder in the ladder layer
    int teleport = 0;      // a teleport end's tile code (49, 50, 51), 0 for none
};
typedef std::map<char, LegendEntry> Legend;

// The legend every picture uses unless the test passes its own:
//   #  grass            :  sand             ~  ice              _  bridge (wooden)
//   c  wooden crate     C  metal crate      f  frozen wooden crate
//   *  heated metal crate                   h  heated wooden crate
//   o  wooden barrel    O  metal barrel     m  left magnet      M  right magnet
//   H  ladder           =  ladder with a platform tile          T  trampoline
//   P  entrance tube (the professor)        X  exit tube
//   <  bot facing left  >  bot facing right A  hanging bot      F  frozen bot facing left
//   1  blue teleport end (left cell)        2  yellow end       3  red end
//   g  blue gate        r  red gate         y  yellow gate
//   b  blue button      R  red button       Y  yellow button
//   u  tutorial marker
//   p  crate power-up   e  EMP power-up     w  frost-gun power-up   W  heat-gun power-up
const Legend& defaultLegend();

// Brings up, once per test, what the world needs: SDL on the dummy
// drivers, the screen, the image store with every generated picture
// catalogued, the renderer, the text system and sound. The clock of frame
// pacing and fades is a counter that advances 33 ms per presented frame,
// so stepping is deterministic and never waits. All of it goes when the
// test ends.
void startWorld();

class Board {
public:
    // An empty world (the null element only).
    Board();
    // The world built from a picture.
    explicit Board(const std::string& picture, const Legend& legend = defaultLegend(), int top = 0, int left = 0);
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Resets the world and builds it from the level (the play screen's
    // board build: ladders, tiles, teleports).
    void build(CLevel& level);
    // Fills this board's level from the picture and builds it.
    void build(const std::string& picture, const Legend& legend = defaultLegend(), int top = 0, int left = 0);

    // One world step as the play screen runs it, then the renderer and the
    // presentation of the frame (which counts it).
    void step(int count = 1);

    CLevel& level() { return *m_level; }
    // The element in the cell, gunshots included.
    CElement* at(int x, int y) const;
    CElement* professor() const { return CElement::theProfessor; }
    // The elements of allElements with this name (GetName), in list order.
    std::vector<CElement*> all(const char* name) const;

    // The board drawn back as a picture of rows [top, top + rows) and
    // columns [left, left + cols), rows joined by '\n', with the characters
    // of the default legend ('.' for empty). Defaults: the picture's own area.
    std::string picture() const { return picture(m_top, m_left, m_rows, m_cols); }
    std::string picture(int top, int left, int rows, int cols) const;
    // The character the default legend would use for an element.
    static char glyph(const CElement* e);

    // The whole board state: every element's fields (links by list
    // position), types, state and main sprite animation, the grid, the
    // spawned list, the outcome flags and the devices' board grids.
    std::string state() const;
    uint64_t hash() const;

private:
    void reset();

    std::unique_ptr<CLevel> m_level;
    int m_top = 0, m_left = 0, m_rows = CElement::GRID_HEIGHT, m_cols = CElement::GRID_WIDTH;
};

// The cells of the grid that do not name an element standing there (an
// element not in allElements, out of the grid, or in another cell), one
// line each; empty when the grid matches the elements.
std::string staleCells();

// The picture's rows without indentation, as picture() prints them.
std::string trimPicture(const std::string& picture);

} // namespace boardtest
