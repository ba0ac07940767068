// Copies between two level maps, for the likeness and room rules: the
// share of cells two maps have in common at the offset where they line up
// best, and a room of one found in the other at any position, mirrored or
// with a cell or two changed. A map is rows of at most 32 map characters
// (24 rows of 32 for a level), ladder cells 'H' where the tile is empty.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace levelrules {

// The bounds of the two rules.
enum {
    ROOM_WIDTH = 16,
    ROOM_HEIGHT = 3,
    ROOM_THINGS = 3, // a room holds at least this many things that are not terrain
    ROOM_CHANGED = 2 // a window that differs from a room in at most this many cells is a copy of it
};
const double LIKENESS_BOUND = 0.6;

// The map turned left for right: each row reversed, and the things that
// face a way (magnets, bots) facing the other way.
std::vector<std::string> mirrored(const std::vector<std::string>& grid);

// The share of cells two maps have in common, with b moved by (dx, dy) (b's
// cell (x, y) over a's cell (x + dx, y + dy)): cells holding the same tile
// (not empty) in both, over the cells not empty in either. A cell off the
// other map counts as empty there.
double likeness(const std::vector<std::string>& a, const std::vector<std::string>& b, int dx = 0, int dy = 0);

// The likeness of two maps at one offset.
struct Likeness {
    double share = 0;
    int dx = 0, dy = 0;
};

// A copied room: a room of a (a window of ROOM_WIDTH x ROOM_HEIGHT cells
// holding at least ROOM_THINGS things) and a room of b, as it is or
// mirrored, that differ in at most ROOM_CHANGED cells. The top-left corners
// are on the maps as they are: b's window of a mirrored copy is the one
// whose mirror image matches a's.
struct RoomCopy {
    int ax = 0, ay = 0, bx = 0, by = 0;
    bool mirrored = false;
    int changed = 0; // cells that differ
};

// Many maps, each indexed once (as it is and mirrored), compared in pairs.
class MapSet {
public:
    explicit MapSet(const std::vector<std::vector<std::string>>& grids);
    ~MapSet();
    MapSet(const MapSet&) = delete;
    MapSet& operator=(const MapSet&) = delete;

    // The best likeness of maps a and b over every offset; of equal shares
    // the smallest move wins. Offsets that cannot give more than `above` are
    // skipped, so a result not above it need not be the best.
    Likeness bestLikeness(size_t a, size_t b, double above = -1) const;

    // The closest copied room of maps a and b: fewest cells changed, as it
    // is before mirrored; false when there is none.
    bool copiedRoom(size_t a, size_t b, RoomCopy& copy) const;

    struct Index; // what the comparisons read of one map

private:
    std::vector<std::unique_ptr<Index>> m_plain;    // each map as it is
    std::vector<std::unique_ptr<Index>> m_mirrored; // and mirrored
};

// The same for two maps.
Likeness bestLikeness(const std::vector<std::string>& a, const std::vector<std::string>& b);
bool copiedRoom(const std::vector<std::string>& a, const std::vector<std::string>& b, RoomCopy& copy);

} // namespace levelrules
