// Board pictures: every board name draws, sizes agree within a sprite,
// animations really move, feet stand on the anchor's cell floor, and no
// name made at start-up (faded copies, cursors) is drawn.
#include "Art.h"
#include "board/BoardNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface draw(const std::string& name) {
    return Surface(drawBoardImage(name), &cairo_surface_destroy);
}

struct Size {
    int w, h;
    bool operator==(const Size& o) const { return w == o.w && h == o.h; }
};

Size sizeOf(cairo_surface_t* s) {
    return {cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
}

bool samePixels(cairo_surface_t* a, cairo_surface_t* b) {
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    if (!(sizeOf(a) == sizeOf(b)))
        return false;
    int h = cairo_image_surface_get_height(a);
    int stride = cairo_image_surface_get_stride(a);
    return std::memcmp(cairo_image_surface_get_data(a), cairo_image_surface_get_data(b), size_t(stride) * h) == 0;
}

int alphaAt(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    uint32_t px;
    std::memcpy(&px, row + 4 * x, 4);
    return int(px >> 24);
}

// Highest and lowest rows that hold a visible pixel in columns x0..x1.
std::pair<int, int> inkRows(cairo_surface_t* s, int x0, int x1) {
    Size sz = sizeOf(s);
    int top = -1, bottom = -1;
    for (int y = 0; y < sz.h; ++y)
        for (int x = std::max(0, x0); x <= std::min(sz.w - 1, x1); ++x)
            if (alphaAt(s, x, y) > 64) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return {top, bottom};
}

TEST(BoardArt, EveryBoardNameDrawsAVisibleArgbPicture) {
    const auto& names = boardImageNames();
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size()) << "a board name is listed twice";
    EXPECT_EQ(names.size(), 2273u);
    for (const auto& name : names) {
        ASSERT_TRUE(isBoardImageName(name)) << name;
        Surface s = draw(name);
        ASSERT_NE(s.get(), nullptr) << name;
        EXPECT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS) << name;
        ASSERT_EQ(cairo_image_surface_get_format(s.get()), CAIRO_FORMAT_ARGB32) << name;
        Size sz = sizeOf(s.get());
        EXPECT_GT(sz.w, 0) << name;
        EXPECT_GT(sz.h, 0) << name;
        // Transparent background with something drawn on it.
        auto rows = inkRows(s.get(), 0, sz.w - 1);
        EXPECT_GE(rows.first, 0) << name << " is empty";
        EXPECT_EQ(alphaAt(s.get(), 0, 0), 0) << name << " has no transparent corner";
    }
}

TEST(BoardArt, FramesOfOneSpriteShareOneSizeAndMove) {
    for (const auto& series : board::boardSeries()) {
        std::vector<Surface> frames;
        for (const auto& name : series.frames)
            frames.push_back(draw(name));
        ASSERT_FALSE(frames.empty()) << series.label;
        for (size_t i = 1; i < frames.size(); ++i)
            EXPECT_EQ(sizeOf(frames[i].get()), sizeOf(frames[0].get())) << series.frames[i];
        if (frames.size() < 2)
            continue;
        bool allSame = true;
        for (size_t i = 1; i < frames.size() && allSame; ++i)
            allSame = samePixels(frames[i].get(), frames[0].get());
        EXPECT_FALSE(allSame) << series.label << ": every frame is the same picture";
    }
}

TEST(BoardArt, MixedFrameListsShareOneSize) {
    // Sprites that mix pictures of different series (tube ride, heated bot,
    // flung professor) need one size for all of them.
    for (const auto& list : board::boardMixedFrameLists()) {
        Surface first = draw(list.front());
        ASSERT_NE(first.get(), nullptr) << list.front();
        for (const auto& name : list) {
            Surface s = draw(name);
            ASSERT_NE(s.get(), nullptr) << name;
            EXPECT_EQ(sizeOf(s.get()), sizeOf(first.get())) << name << " vs " << list.front();
        }
    }
    // Families whose anchors are shared by every picture.
    std::map<std::string, Size> familySize;
    for (const auto& series : board::boardSeries()) {
        if (series.family == "terrain" || series.family == "bridges" || series.family == "poweruptexts" ||
            series.family == "effects")
            continue;
        Surface s = draw(series.frames.front());
        auto it = familySize.emplace(series.family, sizeOf(s.get())).first;
        EXPECT_EQ(sizeOf(s.get()), it->second) << series.label << " in " << series.family;
    }
}

TEST(BoardArt, WalkersStandOnTheFloorOfTheirAnchorCell) {
    // The anchor pixel lands on the cell's top-left corner, so the feet
    // belong on the cell's last row (anchor y + 23).
    struct Case {
        const char* name;
        int ax, ay;
    } cases[] = {{"profstandmiddle0.tga", 11, 35}, {"profrunright3.tga", 9, 36}, {"profpushleft2.tga", 17, 30},
                 {"botstandleft.png", 14, 20},     {"botrunright5.png", 18, 22}, {"profidleH4.png", 20, 36}};
    for (const auto& c : cases) {
        Surface s = draw(c.name);
        ASSERT_NE(s.get(), nullptr) << c.name;
        auto rows = inkRows(s.get(), c.ax, c.ax + 23);
        EXPECT_GE(rows.second, c.ay + 20) << c.name << " floats above its cell floor";
        EXPECT_LE(rows.second, c.ay + 26) << c.name << " sinks below its cell floor";
    }
    // Terrain runs: n cells wide from the anchor.
    for (int n : {1, 5, 32}) {
        Surface s = draw("grass" + std::to_string(n) + ".png");
        ASSERT_NE(s.get(), nullptr);
        EXPECT_GE(sizeOf(s.get()).w, 24 * n);
        EXPECT_GT(alphaAt(s.get(), 2 + 24 * n - 3, 6 + 12), 200) << "grass run " << n << " is short";
    }
}

TEST(BoardArt, NamesMadeAtStartUpAndOtherNamesAreNotDrawn) {
    std::vector<std::string> derived{"counterdigitsA_faded.png", "cursorgrass.png", "cursorbot.png",
                                     "cursortutorial.tga", "cursorwbarrel.tga", "cursormbarrel.png"};
    for (int i = 0; i <= 6; ++i)
        derived.push_back("tubearrowfade" + std::to_string(i) + ".png");
    for (int i = 6; i <= 11; ++i) {
        derived.push_back("transporttube_break" + std::to_string(i) + ".png");
        derived.push_back("transporttubeB_break" + std::to_string(i) + ".png");
    }
    for (const char* c : {"blue", "yellow", "red"}) {
        std::string col(c);
        for (int i = 5; i <= 10; ++i)
            derived.push_back("button" + col + "_break" + std::to_string(i) + ".png");
        for (int i = 7; i <= 12; ++i) {
            derived.push_back("teleport_frame" + col + "break" + std::to_string(i) + ".png");
            derived.push_back("inflatableteleport_" + col + "backbreak" + std::to_string(i) + ".png");
            derived.push_back("inflatableteleport_" + col + "frontbreak" + std::to_string(i) + ".png");
        }
        for (int i = 0; i <= 7; ++i)
            derived.push_back("teleport_spiral" + col + "_enable" + std::to_string(i) + ".png");
        for (int i = 0; i <= 39; ++i)
            for (const char* s : {"_idle", "_70", "_50", "_10"})
                derived.push_back("teleport_spiral" + col + s + std::to_string(i) + ".png");
        for (int i = 0; i <= 12; ++i)
            derived.push_back("teleport_glow" + col + std::to_string(i) + ".png");
        derived.push_back("teleport_spiral" + col + "turnon5_faded.png");
        derived.push_back("teleport_spiral" + col + "turnon6_faded.png");
    }
    for (int i = 7; i <= 12; ++i)
        derived.push_back("teleport_framebackbreak" + std::to_string(i) + ".png");
    for (int i = 4; i <= 9; ++i)
        for (const char* p : {"trampolinefrontbreak", "trampolinebackbreak", "trampolinerubberbreak"})
            derived.push_back(p + std::to_string(i) + ".png");
    for (int f = 1; f <= 3; ++f)
        for (int i = 0; i <= 23; ++i)
            derived.push_back("qmarkrotate_fading" + std::to_string(f) + std::to_string(i) + ".tga");
    // Interface pictures and near misses belong to nobody here.
    for (const char* other : {"mainmenu_background.jpg", "iconcrate0.tga", "editorerase.png", "grid.png",
                              "profrunleft10.tga", "profrunleft0.png", "grass33.png", "grass0.png", "ice11.png",
                              "metalbarrelcooling8-0.png", "magnetemp15.tga", "", "tube22.tga"})
        derived.push_back(other);
    for (const auto& name : derived) {
        EXPECT_FALSE(isBoardImageName(name)) << name;
        Surface s = draw(name);
        EXPECT_EQ(s.get(), nullptr) << name << " must not be drawn";
    }
}

TEST(BoardArt, DrawingIsRepeatable) {
    // The resource build must give the same files every time.
    size_t i = 0;
    for (const auto& name : boardImageNames()) {
        if (i++ % 37 != 0)
            continue;
        Surface a = draw(name), b = draw(name);
        ASSERT_TRUE(a && b) << name;
        EXPECT_TRUE(samePixels(a.get(), b.get())) << name << " differs between two drawings";
    }
}

TEST(BoardArt, ObjectsAndDevicesSitInTheirCells) {
    // A crate's front face fills its cell: solid at the cell's middle and
    // both lower corners, nothing below the floor.
    for (const char* name : {"cratestill0.tga", "metalcratestill0.tga", "cratestillfrozen0.tga"}) {
        Surface s = draw(name);
        ASSERT_NE(s.get(), nullptr) << name;
        const int ax = 6, ay = 12;
        EXPECT_GT(alphaAt(s.get(), ax + 12, ay + 12), 200) << name;
        EXPECT_GT(alphaAt(s.get(), ax + 2, ay + 22), 200) << name;
        EXPECT_GT(alphaAt(s.get(), ax + 21, ay + 22), 200) << name;
        if (std::string(name) != "cratestillfrozen0.tga") { // icicles may hang below
            EXPECT_LT(inkRows(s.get(), 0, 39).second, ay + 26) << name;
        }
    }
    // A teleport end spans two cells.
    Surface t = draw("teleport_frameblue0.png");
    ASSERT_NE(t.get(), nullptr);
    EXPECT_GE(inkRows(t.get(), 8, 14).first, 0) << "nothing over the left cell";
    EXPECT_GE(inkRows(t.get(), 50, 56).first, 0) << "nothing over the right cell";
    // A ladder piece covers its cell from top to bottom.
    Surface l = draw("laddermiddle.tga");
    ASSERT_NE(l.get(), nullptr);
    auto rows = inkRows(l.get(), 4, 28);
    EXPECT_LE(rows.first, 6);
    EXPECT_GE(rows.second, 29);
}

TEST(BoardArt, ConditionsAndFacingsLookDifferent) {
    // Frozen, heated and cooling pictures, and left and right facings, are
    // pictures of their own rather than copies of the plain one.
    const std::pair<const char*, const char*> pairs[] = {
        {"cratestill0.tga", "cratestillfrozen0.tga"},
        {"metalcratestill0.tga", "metalcrateheated.png"},
        {"metalcratecooling0.png", "metalcratecooling6.png"},
        {"barrel0.tga", "barrelheated0.tga"},
        {"magnetleftstill0.tga", "magnetrightstill0.tga"},
        {"profrunleft0.tga", "profrunright0.tga"},
        {"botstandleft.png", "botstandright.png"},
        {"gatefrontclose0.tga", "gatefrontclosered0.tga"},
        {"buttonblue0.tga", "buttonblue1.tga"},
        {"cratestill0.tga", "cratestill0b.tga"},
        {"grass3.png", "sand3.png"},
        {"ice1.png", "ice2.png"},
        {"frostballleft0.tga", "frostballright0.tga"},
    };
    for (const auto& [a, b] : pairs) {
        Surface sa = draw(a), sb = draw(b);
        ASSERT_TRUE(sa && sb) << a << " / " << b;
        EXPECT_FALSE(samePixels(sa.get(), sb.get())) << a << " and " << b << " are the same picture";
    }
}

} // namespace
