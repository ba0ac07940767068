// Checks the built image archive against the list of pictures the game
// loads: every name once, no name the game makes itself, every entry a
// decodable picture of its extension's type, one size per animation series,
// alpha where copies are faded and none on the opaque pictures.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/ResourceArchive.h"
#include "test_support.h"

namespace {

std::vector<std::string> readNameList(const std::string& path)
{
    std::vector<std::string> names;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            names.push_back(line);
    }
    return names;
}

struct Picture {
    size_t hash = 0;  // of the file bytes
    int w = 0, h = 0;
    bool alpha = false;
    bool decoded = false;
    // Alpha of the top-left and bottom-right pixels and of the centre.
    int alphaTopLeft = -1, alphaBottomRight = -1;
};

std::string extensionType(const std::string& name)
{
    std::string ext = name.substr(name.size() - 3);
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

int alphaAt(SDL_Surface* s, int x, int y)
{
    if (!s->format->Amask || s->format->BytesPerPixel != 4)
        return 255;
    SDL_LockSurface(s);
    const Uint32 p = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
    SDL_UnlockSurface(s);
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    return a;
}

// The archive, read and decoded once per test process.
struct Archive {
    bool opened = false;
    std::string error;
    std::vector<std::string> order;
    std::map<std::string, int> count;
    std::map<std::string, Picture> pictures;
};

const Archive& archive()
{
    static Archive a;
    static bool loaded = false;
    if (loaded)
        return a;
    loaded = true;
    ResourceArchiveReader reader;
    const std::string path = testsupport::runDir() + "/resource2.dat";
    if (!reader.Open(path.c_str())) {
        a.error = "cannot open " + path + " " + reader.error();
        return a;
    }
    a.opened = true;
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < reader.Count(); ++i) {
        if (!reader.ReadEntry(i, name, data)) {
            a.error = reader.error();
            return a;
        }
        a.order.push_back(name);
        if (++a.count[name] > 1 || name.size() < 4)
            continue;
        Picture pic;
        pic.hash = std::hash<std::string>()(std::string(data.begin(), data.end()));
        SDL_RWops* rw = SDL_RWFromMem(data.data(), static_cast<int>(data.size()));
        const std::string type = extensionType(name);
        SDL_Surface* s = IMG_LoadTyped_RW(rw, 1, const_cast<char*>(type.c_str()));
        if (s) {
            pic.decoded = true;
            pic.w = s->w;
            pic.h = s->h;
            pic.alpha = s->format->Amask != 0;
            pic.alphaTopLeft = alphaAt(s, 0, 0);
            pic.alphaBottomRight = alphaAt(s, s->w - 1, s->h - 1);
            SDL_FreeSurface(s);
        }
        a.pictures[name] = pic;
    }
    return a;
}

const std::vector<std::string>& shippedNames()
{
    static const std::vector<std::string> names = readNameList(testsupport::sourceDir() + "/data/images.txt");
    return names;
}

std::string seriesStem(const std::string& name)
{
    std::string stem = name.substr(0, name.rfind('.'));
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    return stem;
}

// Sources of the copies the game fades at start-up: these need an alpha
// channel or their copies come out unchanged.
std::vector<std::string> fadedSources()
{
    std::vector<std::string> s = {
        "counterdigitsA.png", "tubearrow0.png", "transporttube_break5.png", "transporttubeB_break5.png",
        "grass1.png", "sand1.png", "ice1.png", "bridgeA0_trimmed.png", "editorteleportblue.png",
        "editorteleportyellow.png", "editorteleportred.png", "editorpowerupteleport.png",
        "editorpowerupwhistle.tga", "editorpowerupbridge.png", "editorpowerupheatgun.png",
        "editorpowerupfrostgun.tga", "frostballleft2.tga", "fireballleft2.png", "editorerase.png",
        "metalbarrel0.png", "barrel0.tga", "bothang.png", "botstandleft.png", "botstandright.png",
    };
    for (const char* c : {"blue", "yellow", "red"}) {
        const std::string colour = c;
        s.push_back("button" + colour + "_break4.png");
        s.push_back("teleport_frame" + colour + "break6.png");
        s.push_back("inflatableteleport_" + colour + "backbreak6.png");
        s.push_back("inflatableteleport_" + colour + "frontbreak6.png");
        s.push_back("teleport_glow" + colour + ".png");
        s.push_back("teleport_spiral" + colour + "turnon5.png");
        s.push_back("teleport_spiral" + colour + "turnon6.png");
        for (int i = 0; i < 40; ++i)
            s.push_back("teleport_spiral" + colour + std::to_string(i) + ".png");
    }
    s.push_back("teleport_framebackbreak6.png");
    for (const char* part : {"front", "back", "rubber"})
        s.push_back(std::string("trampoline") + part + "break3.png");
    for (int i = 0; i < 24; ++i)
        s.push_back("qmarkrotate" + std::to_string(i) + ".tga");
    return s;
}

class ResourceImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(archive().opened) << archive().error;
        ASSERT_TRUE(archive().error.empty()) << archive().error;
        ASSERT_EQ(shippedNames().size(), 2737u) << "data/images.txt is incomplete";
    }
    const Picture& pic(const std::string& name)
    {
        static const Picture none;
        auto it = archive().pictures.find(name);
        return it == archive().pictures.end() ? none : it->second;
    }
};

TEST_F(ResourceImages, HoldsEveryListedNameOnceAndNoDerivedName)
{
    const Archive& a = archive();
    EXPECT_EQ(a.order.size(), shippedNames().size());
    for (const std::string& name : shippedNames())
        EXPECT_EQ(a.count.count(name) ? a.count.at(name) : 0, 1) << name;
    const std::set<std::string> listed(shippedNames().begin(), shippedNames().end());
    for (const std::string& name : a.order)
        EXPECT_TRUE(listed.count(name)) << "unlisted entry " << name;

    const std::vector<std::string> derived = readNameList(testsupport::sourceDir() + "/tests/data/derived_images.txt");
    ASSERT_EQ(derived.size(), 820u);
    for (const std::string& name : derived)
        EXPECT_EQ(a.count.count(name), 0u) << "derived name shipped: " << name;
}

TEST_F(ResourceImages, EveryEntryDecodesAsItsExtensionSays)
{
    for (const std::string& name : shippedNames()) {
        const Picture& p = pic(name);
        EXPECT_TRUE(p.decoded) << name;
        EXPECT_GT(p.w, 0) << name;
        EXPECT_GT(p.h, 0) << name;
    }
}

TEST_F(ResourceImages, FramesOfOneSeriesShareOneSize)
{
    std::map<std::string, std::vector<std::string>> series;
    for (const std::string& name : shippedNames()) {
        const std::string stem = seriesStem(name);
        // Terrain pieces come in one width per run length.
        if (stem == "grass" || stem == "sand" || stem == "ice")
            continue;
        series[stem].push_back(name);
    }
    // Sprites that mix series: the tube pictures, the heated and cooled bot
    // squashes, the fling from the trampoline.
    auto& tube = series["+tube"];
    tube = {"tubeentrance0.png", "tubeexit0.png"};
    for (int i = 0; i <= 21; ++i)
        tube.push_back("tube" + std::to_string(i) + ".tga");
    for (const char* side : {"left", "right"}) {
        const std::string s = side;
        series["+heated" + s] = {"botmelting" + s + "4.png", "botheated" + s + "squash0.png",
                                 "botheated" + s + "squash1.png", "botheated" + s + "squash2.png"};
        series["+cooled" + s] = {"botcooling" + s + "6.png", "botcooled" + s + "squash0.png",
                                 "botcooled" + s + "squash1.png", "botcooled" + s + "squash2.png"};
    }
    series["+fling"] = {"proftrampflingleft0.tga", "proftrampflingright3.tga"};

    int checked = 0;
    for (const auto& [stem, names] : series) {
        if (names.size() < 2)
            continue;
        const Picture& first = pic(names[0]);
        for (const std::string& n : names) {
            EXPECT_EQ(pic(n).w, first.w) << stem << ": " << n << " vs " << names[0];
            EXPECT_EQ(pic(n).h, first.h) << stem << ": " << n << " vs " << names[0];
        }
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST_F(ResourceImages, InterfaceAnimationsChangeFromFrameToFrame)
{
    // Menu, map and inventory series are animations: no two frames alike.
    std::map<std::string, std::map<size_t, std::string>> seen;
    int frames = 0;
    for (const std::string& name : shippedNames()) {
        bool animated = false;
        for (const char* p : {"mainmenu_", "mapdot", "star_", "icon"})
            animated = animated || name.rfind(p, 0) == 0;
        if (!animated || seriesStem(name) == name.substr(0, name.rfind('.')))
            continue;
        auto& hashes = seen[seriesStem(name)];
        const size_t h = pic(name).hash;
        EXPECT_EQ(hashes.count(h), 0u) << name << " repeats " << (hashes.count(h) ? hashes[h] : "");
        hashes[h] = name;
        ++frames;
    }
    EXPECT_GT(frames, 300);
}

TEST_F(ResourceImages, AlphaWhereCopiesFadeAndOpaqueJpegs)
{
    const std::vector<std::string> sources = fadedSources();
    EXPECT_EQ(sources.size(), 193u);
    for (const std::string& name : sources) {
        ASSERT_TRUE(archive().count.count(name)) << name;
        EXPECT_TRUE(pic(name).alpha) << "faded copies need alpha: " << name;
    }
    int jpegs = 0;
    for (const std::string& name : shippedNames()) {
        const std::string type = extensionType(name);
        if (type == "JPG") {
            ++jpegs;
            EXPECT_FALSE(pic(name).alpha) << name;
        } else {
            // Sprites need a real alpha channel: the game uses no colour keys.
            EXPECT_TRUE(pic(name).alpha) << name;
        }
    }
    EXPECT_EQ(jpegs, 12);
}

TEST_F(ResourceImages, ScreenPicturesHaveTheirLayoutSizes)
{
    for (const char* name : {"flash.jpg", "mainmenu_background.jpg", "map_background.jpg", "dimmer.png"}) {
        EXPECT_EQ(pic(name).w, 800) << name;
        EXPECT_EQ(pic(name).h, 600) << name;
    }
    for (int i = 0; i < 8; ++i) {
        const std::string name = "background" + std::to_string(i) + ".jpg";
        EXPECT_EQ(pic(name).w, 800) << name;
        EXPECT_EQ(pic(name).h, 600) << name;
    }
    // Digit strip: 0-9 then 0 and 1 again, 20 pixels each, digits 13 apart.
    EXPECT_LE(pic("counterdigitsA.png").w, 13);
    EXPECT_GE(pic("counterdigitsA.png").h, 240);
    // Dialog pieces.
    EXPECT_GE(pic("confirmation_parch.png").w, 450);
    EXPECT_GE(pic("confirmation_parch.png").h, 372);
    for (const char* b : {"confirmation_buttonokaybase.png", "confirmation_buttoncancelbase.png"})
        EXPECT_LE(pic(b).w, 95) << b;
    for (const char* b : {"profile_button_okaybase.png", "profile_button_cancelbase.png"})
        EXPECT_LE(pic(b).w, 82) << b;
    EXPECT_LE(pic("kv3_button_base.png").h, 30);
    EXPECT_LE(pic("kv3_button_select.png").h, 30);
    EXPECT_LE(742 + pic("ingame_menubutton.tga").w, 800);
    // Pause parchment reaches below the last menu button (screen y 475).
    EXPECT_GT(23 + pic("parchment_profpenny.png").h, 505);
    // Slider value bar: wider than its last 10-pixel step.
    EXPECT_GT(pic("slider_value.png").w, 102);
    // List boxes and their selectors.
    EXPECT_GE(pic("loadbrowser_listbox.png").w, 531);
    EXPECT_GE(pic("loadbrowser_listbox.png").h, 197);
    EXPECT_GE(pic("levelmanager_listbox.jpg").w, 411);
    EXPECT_GE(pic("levelmanager_listbox.jpg").h, 445);
    EXPECT_EQ(pic("browserhighlighter_wide.tga").h, 19);
    EXPECT_EQ(pic("levelmanager_selector.png").h, 19);
}

TEST_F(ResourceImages, PointerHotSpotIsTheTopLeftPixelAndTgaRowsAreUpright)
{
    // The arrow's tip is drawn at (0, 0) and its lower right is empty: a
    // TGA with the wrong origin would swap the two.
    const Picture& arrow = pic("mousepointer.tga");
    EXPECT_GT(arrow.alphaTopLeft, 0);
    EXPECT_EQ(arrow.alphaBottomRight, 0);
}

TEST(ResourceImageFiles, CounterFrameAndSliderFrameLeaveTheirWindowsOpen)
{
    ResourceArchiveReader reader;
    ASSERT_TRUE(reader.Open((testsupport::runDir() + "/resource2.dat").c_str()));
    std::string name;
    std::vector<uint8_t> data;
    int found = 0;
    for (uint32_t i = 0; i < reader.Count(); ++i) {
        ASSERT_TRUE(reader.ReadEntry(i, name, data));
        if (name != "Step Counter 03.png" && name != "slider_frame.png")
            continue;
        ++found;
        SDL_Surface* s = IMG_LoadTyped_RW(SDL_RWFromMem(data.data(), static_cast<int>(data.size())), 1,
                                          const_cast<char*>("PNG"));
        ASSERT_NE(s, nullptr) << name;
        if (name == "slider_frame.png") {
            EXPECT_EQ(alphaAt(s, s->w / 2, s->h / 2), 0) << "the value bar shows through the frame";
            EXPECT_GT(alphaAt(s, s->w / 2, 1), 0);
        } else {
            // Digits stand at frame-local x 10..74, y 5..24.
            for (int d = 0; d < 5; ++d)
                EXPECT_EQ(alphaAt(s, 10 + 13 * d + 6, 15), 0) << "digit " << d;
            EXPECT_GT(alphaAt(s, 3, 15), 0);
        }
        SDL_FreeSurface(s);
    }
    EXPECT_EQ(found, 2);
}

TEST(ResourceImageFiles, LoadScreenBarIconAndSplashesDecode)
{
    struct File { const char* name; const char* type; int w, h; };
    const File files[] = {{"resource0.dat", "JPG", 800, 600}, {"resource9.dat", "JPG", 800, 600},
                          {"resource10.dat", "JPG", 800, 600}, {"resource11.dat", "JPG", 800, 600},
                          {"resource1.dat", "PNG", 0, 0}};
    for (const File& f : files) {
        const std::string path = testsupport::runDir() + "/" + f.name;
        SDL_Surface* s = IMG_LoadTyped_RW(SDL_RWFromFile(path.c_str(), "rb"), 1, const_cast<char*>(f.type));
        ASSERT_NE(s, nullptr) << f.name;
        if (f.w) {
            EXPECT_EQ(s->w, f.w) << f.name;
            EXPECT_EQ(s->h, f.h) << f.name;
        } else {
            // The load bar is drawn at (360, 527) and must stay on screen.
            EXPECT_LE(360 + s->w, 800);
            EXPECT_LE(527 + s->h, 600);
            EXPECT_NE(s->format->Amask, 0u);
        }
        SDL_FreeSurface(s);
    }
    SDL_Surface* icon = SDL_LoadBMP((testsupport::runDir() + "/resource7.dat").c_str());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->w, 32);
    EXPECT_EQ(icon->h, 32);
    // The corner is background: the transparent key colour.
    SDL_LockSurface(icon);
    const Uint8* px = static_cast<Uint8*>(icon->pixels);
    Uint32 corner = 0;
    memcpy(&corner, px, icon->format->BytesPerPixel);
    SDL_UnlockSurface(icon);
    Uint8 r, g, b;
    SDL_GetRGB(corner, icon->format, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
    SDL_FreeSurface(icon);
}

} // namespace
