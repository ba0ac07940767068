#include "MapCopies.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace levelrules {

namespace {

bool isThing(char c)
{
    return c != '.' && c != '#' && c != ':' && c != '~' && c != '=' && c != 'H';
}

int popcount(uint32_t bits)
{
    return __builtin_popcount(bits);
}

// The cells of a row, moved dx columns right (left when negative).
uint32_t moved(uint32_t bits, int dx)
{
    if (dx >= 32 || dx <= -32)
        return 0;
    return dx >= 0 ? bits << dx : bits >> -dx;
}

} // namespace

std::vector<std::string> mirrored(const std::vector<std::string>& grid)
{
    std::vector<std::string> out;
    for (const std::string& row : grid) {
        std::string turned(row.rbegin(), row.rend());
        for (char& c : turned) {
            switch (c) {
            case '<': c = '>'; break;
            case '>': c = '<'; break;
            case 'q': c = 'p'; break;
            case 'p': c = 'q'; break;
            default: break;
            }
        }
        out.push_back(turned);
    }
    return out;
}

// What the comparisons read of a map, worked out once.
struct MapSet::Index {
    std::vector<std::string> grid;
    int rows = 0, cols = 0;
    std::vector<uint32_t> used; // per row, a bit for each cell not empty
    std::vector<int> rowUsed;   // per row, the cells not empty
    int usedCount = 0;
    std::vector<std::pair<int, int>> things;            // the cells holding a thing, row by row
    std::vector<std::vector<std::pair<int, int>>> cellsOf; // by map character, its cells holding a thing
    std::vector<uint32_t> rooms; // per row, a bit for each window with its top left there that is a room

    explicit Index(const std::vector<std::string>& map) : grid(map), cellsOf(256)
    {
        rows = static_cast<int>(grid.size());
        cols = rows ? static_cast<int>(grid[0].size()) : 0;
        for (int y = 0; y < rows; ++y) {
            uint32_t bits = 0;
            for (int x = 0; x < cols; ++x) {
                char c = grid[static_cast<size_t>(y)][static_cast<size_t>(x)];
                if (c != '.')
                    bits |= 1u << x;
                if (isThing(c)) {
                    things.emplace_back(x, y);
                    cellsOf[static_cast<unsigned char>(c)].emplace_back(x, y);
                }
            }
            used.push_back(bits);
            rowUsed.push_back(popcount(bits));
            usedCount += rowUsed.back();
        }
        rooms.assign(static_cast<size_t>(std::max(rows, 1)), 0);
        for (int y = 0; y + ROOM_HEIGHT <= rows; ++y) {
            for (int x = 0; x + ROOM_WIDTH <= cols; ++x) {
                int count = 0;
                for (int j = 0; j < ROOM_HEIGHT; ++j)
                    count += static_cast<int>(std::count_if(grid[static_cast<size_t>(y + j)].begin() + x,
                                                            grid[static_cast<size_t>(y + j)].begin() + x + ROOM_WIDTH,
                                                            isThing));
                if (count >= ROOM_THINGS)
                    rooms[static_cast<size_t>(y)] |= 1u << x;
            }
        }
    }

    char at(int x, int y) const { return grid[static_cast<size_t>(y)][static_cast<size_t>(x)]; }
    bool room(int x, int y) const { return (rooms[static_cast<size_t>(y)] >> x) & 1u; }
};

namespace {

using Index = MapSet::Index;

// Whether an offset whose shared cells are at most `both` can still give a
// share above `above` and at least the best so far.
bool worth(int both, int total, double above, const Likeness& best)
{
    double most = static_cast<double>(both) / (total - both);
    return most > above && most >= best.share;
}

// The best likeness of a and b over every offset, into best. A bound cuts
// the work: the cells a and b share at an offset are at most the cells not
// empty in both, and those at most the smaller count of each row pair.
void likenessOver(const Index& a, const Index& b, double above, Likeness& best)
{
    const int total = a.usedCount + b.usedCount;
    if (total == 0)
        return;
    for (int dy = 1 - b.rows; dy < a.rows; ++dy) {
        const int ylo = std::max(0, dy), yhi = std::min(a.rows, b.rows + dy);
        int most = 0;
        for (int y = ylo; y < yhi; ++y)
            most += std::min(a.rowUsed[static_cast<size_t>(y)], b.rowUsed[static_cast<size_t>(y - dy)]);
        if (!worth(most, total, above, best))
            continue;
        for (int dx = 1 - b.cols; dx < a.cols; ++dx) {
            int both = 0;
            for (int y = ylo; y < yhi; ++y)
                both += popcount(a.used[static_cast<size_t>(y)] & moved(b.used[static_cast<size_t>(y - dy)], dx));
            if (!worth(both, total, above, best))
                continue;
            int same = 0;
            const int xlo = std::max(0, dx), xhi = std::min(a.cols, b.cols + dx);
            for (int y = ylo; y < yhi; ++y) {
                for (int x = xlo; x < xhi; ++x) {
                    char c = a.at(x, y);
                    same += c != '.' && c == b.at(x - dx, y - dy);
                }
            }
            double share = static_cast<double>(same) / (total - both);
            if (share > best.share ||
                (share == best.share && std::abs(dx) + std::abs(dy) < std::abs(best.dx) + std::abs(best.dy))) {
                best.share = share;
                best.dx = dx;
                best.dy = dy;
            }
        }
    }
}

// The closest copied room of a and b into best when closer than `changed`
// (which it then lowers). A window within ROOM_CHANGED cells of a room of
// ROOM_THINGS things keeps at least one of them in its place, so the
// offsets worth trying are those that put a thing of a on the same thing
// of b.
void roomsOver(const Index& a, const Index& b, bool mirror, RoomCopy& best, int& changed)
{
    const int spanY = a.rows + b.rows, spanX = a.cols + b.cols;
    std::vector<char> tried(static_cast<size_t>(spanY * spanX), 0);
    std::vector<uint32_t> differ(static_cast<size_t>(a.rows), 0);
    const uint32_t window = (1u << ROOM_WIDTH) - 1;
    for (const auto& cell : a.things) {
        for (const auto& other : b.cellsOf[static_cast<unsigned char>(a.at(cell.first, cell.second))]) {
            // b's cell (x + dx, y + dy) under a's cell (x, y).
            const int dx = other.first - cell.first, dy = other.second - cell.second;
            char& seen = tried[static_cast<size_t>((dy + a.rows) * spanX + dx + a.cols)];
            if (seen)
                continue;
            seen = 1;
            const int xlo = std::max(0, -dx), xhi = std::min(a.cols, b.cols - dx) - ROOM_WIDTH;
            const int ylo = std::max(0, -dy), yhi = std::min(a.rows, b.rows - dy) - ROOM_HEIGHT;
            if (xlo > xhi || ylo > yhi)
                continue;
            for (int y = ylo; y < yhi + ROOM_HEIGHT; ++y) {
                uint32_t bits = 0;
                for (int x = xlo; x < xhi + ROOM_WIDTH; ++x)
                    bits |= static_cast<uint32_t>(a.at(x, y) != b.at(x + dx, y + dy)) << x;
                differ[static_cast<size_t>(y)] = bits;
            }
            for (int y = ylo; y <= yhi; ++y) {
                for (int x = xlo; x <= xhi; ++x) {
                    if (!a.room(x, y) || !b.room(x + dx, y + dy))
                        continue;
                    int n = 0;
                    for (int j = 0; j < ROOM_HEIGHT && n < changed; ++j)
                        n += popcount((differ[static_cast<size_t>(y + j)] >> x) & window);
                    if (n >= changed)
                        continue;
                    changed = n;
                    best.ax = x;
                    best.ay = y;
                    best.bx = mirror ? b.cols - ROOM_WIDTH - (x + dx) : x + dx;
                    best.by = y + dy;
                    best.mirrored = mirror;
                    best.changed = n;
                    if (n == 0)
                        return;
                }
            }
        }
    }
}

} // namespace

MapSet::MapSet(const std::vector<std::vector<std::string>>& grids)
{
    for (const std::vector<std::string>& grid : grids) {
        m_plain.emplace_back(new Index(grid));
        m_mirrored.emplace_back(new Index(mirrored(grid)));
    }
}

MapSet::~MapSet() = default;

Likeness MapSet::bestLikeness(size_t a, size_t b, double above) const
{
    Likeness best;
    likenessOver(*m_plain[a], *m_plain[b], above, best);
    return best;
}

bool MapSet::copiedRoom(size_t a, size_t b, RoomCopy& copy) const
{
    int changed = ROOM_CHANGED + 1;
    roomsOver(*m_plain[a], *m_plain[b], false, copy, changed);
    if (changed > 0)
        roomsOver(*m_plain[a], *m_mirrored[b], true, copy, changed);
    return changed <= ROOM_CHANGED;
}

double likeness(const std::vector<std::string>& a, const std::vector<std::string>& b, int dx, int dy)
{
    int same = 0, used = 0;
    const int rowsA = static_cast<int>(a.size()), rowsB = static_cast<int>(b.size());
    // Every cell of a, then the cells of b that lie off a.
    for (int y = 0; y < rowsA; ++y) {
        for (int x = 0; x < static_cast<int>(a[static_cast<size_t>(y)].size()); ++x) {
            const int bx = x - dx, by = y - dy;
            const char ca = a[static_cast<size_t>(y)][static_cast<size_t>(x)];
            const bool onB = by >= 0 && by < rowsB && bx >= 0 && bx < static_cast<int>(b[static_cast<size_t>(by)].size());
            const char cb = onB ? b[static_cast<size_t>(by)][static_cast<size_t>(bx)] : '.';
            if (ca == '.' && cb == '.')
                continue;
            ++used;
            same += ca == cb;
        }
    }
    for (int y = 0; y < rowsB; ++y) {
        for (int x = 0; x < static_cast<int>(b[static_cast<size_t>(y)].size()); ++x) {
            const int ax = x + dx, ay = y + dy;
            const bool onA = ay >= 0 && ay < rowsA && ax >= 0 && ax < static_cast<int>(a[static_cast<size_t>(ay)].size());
            used += !onA && b[static_cast<size_t>(y)][static_cast<size_t>(x)] != '.';
        }
    }
    return used ? static_cast<double>(same) / used : 0.0;
}

Likeness bestLikeness(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    return MapSet({a, b}).bestLikeness(0, 1);
}

bool copiedRoom(const std::vector<std::string>& a, const std::vector<std::string>& b, RoomCopy& copy)
{
    return MapSet({a, b}).copiedRoom(0, 1, copy);
}

} // namespace levelrules
