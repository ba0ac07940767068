#include "board/BoardNames.h"

#include <unordered_set>

namespace board {
namespace {

class ListBuilder {
public:
    explicit ListBuilder(std::vector<BoardSeries>& out) : out_(out) {}

    void family(const char* f) { family_ = f; }

    // prefix a..b suffix, one series
    void range(const std::string& prefix, int a, int b, const std::string& suffix) {
        BoardSeries s{family_, prefix, {}};
        for (int i = a; i <= b; ++i)
            s.frames.push_back(prefix + std::to_string(i) + suffix);
        out_.push_back(std::move(s));
    }

    // one still picture
    void one(const std::string& name) {
        std::string label = name.substr(0, name.rfind('.'));
        out_.push_back(BoardSeries{family_, label, {name}});
    }

    // several files that form one animation
    void list(const std::string& label, const std::vector<std::string>& names) {
        out_.push_back(BoardSeries{family_, label, names});
    }

private:
    std::vector<BoardSeries>& out_;
    std::string family_;
};

void addProfessor(ListBuilder& b) {
    b.family("professor");
    const char* tga = ".tga";
    const char* png = ".png";
    for (const char* dir : {"middle", "left", "right"})
        b.range(std::string("profstand") + dir, 0, 10, tga);
    b.range("profrunleft", 0, 9, tga);
    b.range("profrunright", 0, 9, tga);
    b.range("profclimbdown", 0, 2, tga);
    b.range("profclimbup", 0, 2, tga);
    b.range("profladderleft", 0, 3, tga);
    b.range("profladderright", 0, 3, tga);
    b.range("proffall", 0, 5, tga);
    b.range("profpushleft", 0, 7, tga);
    b.range("profpushright", 0, 7, tga);
    b.range("profslideleft", 0, 3, tga);
    b.range("profslideleftuncool", 0, 5, tga);
    b.range("profslideright", 0, 3, tga);
    b.range("profsliderightuncool", 0, 5, tga);
    b.range("profinflateleft", 0, 9, tga);
    b.range("profinflateright", 0, 9, tga);
    b.range("profemp", 0, 10, tga);
    b.range("profwhistle", 0, 8, tga);
    b.range("profgunleft", 0, 10, tga);
    b.range("profgunright", 0, 10, tga);
    b.range("proffireheatgunleft", 0, 10, png);
    b.range("proffireheatgunright", 0, 10, png);
    b.range("proftrampleft", 0, 6, tga);
    b.range("proftrampright", 0, 6, tga);
    b.range("proftrampflingleft", 0, 2, tga);
    b.range("proftrampflingright", 0, 8, tga);
    b.range("proftramprecover", 0, 7, tga);
    b.range("profland", 0, 5, tga);
    b.range("tube", 0, 21, tga);
    b.range("profbarrelleft", 0, 9, tga);
    b.range("profbarrelright", 0, 9, tga);
    b.range("profcrawlleft", 0, 5, tga);
    b.range("profcrawlright", 0, 5, tga);
    b.range("profstunleft", 0, 2, tga);
    b.range("profstunright", 0, 2, tga);
    b.range("profturnleft", 0, 1, tga);
    b.range("profturnright", 0, 1, tga);
    b.one("proffrozen0.tga");
    b.range("profsinged", 0, 7, png);
    b.range("profthawing", 0, 4, png);
    b.range("profcaughtleft", 0, 30, png);
    b.range("profcaughtright", 0, 30, png);
    b.range("profhotstepleft", 0, 48, png);
    b.range("profhotstepright", 0, 48, png);
    b.range("profpushhotleft", 0, 32, png);
    b.range("profpushhotright", 0, 32, png);
    b.range("profidleA", 0, 6, tga);
    b.range("profidleB", 0, 10, tga);
    {
        std::vector<std::string> c;
        for (int i : {0, 1, 2, 3, 4, 9, 10, 11, 12})
            c.push_back("profidleC" + std::to_string(i) + tga);
        b.list("profidleC", c);
        std::vector<std::string> d;
        for (int i : {0, 1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 16, 17})
            d.push_back("profidleD" + std::to_string(i) + tga);
        b.list("profidleD", d);
    }
    b.range("profidleE", 0, 22, tga);
    b.range("profidleF", 0, 60, tga);
    b.range("profidleG", 0, 6, tga);
    b.range("profidleH", 0, 16, png);
    b.range("profidleI", 0, 11, png);
    b.range("profidleJ", 0, 13, png);
}

void addBot(ListBuilder& b) {
    b.family("bot");
    const char* png = ".png";
    for (const char* s : {"batstunnedlefttiltleft.png", "batstunnedlefttiltright.png",
                          "batstunnedrighttiltleft.png", "batstunnedrighttiltright.png"})
        b.one(s);
    b.range("botcatchprofleft", 0, 26, png);
    b.range("botcatchprofright", 0, 26, png);
    b.range("botclimb", 0, 2, png);
    for (const char* side : {"left", "right"}) {
        std::string s(side);
        b.range("botcooled" + s + "squash", 0, 2, png);
        b.one("botcooled" + s + "tiltleft.png");
        b.one("botcooled" + s + "tiltright.png");
    }
    for (const char* side : {"left", "right"}) {
        std::string s(side);
        b.range("botcooling" + s, 0, 6, png);
        b.range("botcooling" + s + "tiltedleft", 0, 6, png);
        b.range("botcooling" + s + "tiltedright", 0, 6, png);
    }
    b.range("botcrawlleft", 0, 5, png);
    b.range("botcrawlright", 0, 5, png);
    b.range("botcrushedleft", 0, 2, png);
    b.range("botcrushedright", 0, 2, png);
    b.range("botfall", 0, 18, png);
    b.one("botfrozen.png");
    b.one("botfrozenmelted.png");
    b.one("bothang.png");
    for (const char* side : {"left", "right"}) {
        std::string s(side);
        b.range("botheated" + s + "squash", 0, 2, png);
        b.one("botheated" + s + "tiltleft.png");
        b.one("botheated" + s + "tiltright.png");
    }
    b.range("botmagnetleft", 0, 1, png);
    b.range("botmagnetright", 0, 1, png);
    b.range("botmeltingleft", 0, 4, png);
    b.range("botmeltingright", 0, 4, png);
    b.range("botpushleft", 0, 11, png);
    b.range("botpushright", 0, 11, png);
    b.range("botrunleft", 0, 11, png);
    b.range("botrunright", 0, 11, png);
    b.range("botslidingleft", 0, 5, png);
    b.range("botslidingright", 0, 5, png);
    b.one("botstandleft.png");
    b.one("botstandright.png");
    b.range("botstunnedleft", 0, 2, png);
    b.range("botstunnedright", 0, 2, png);
}

void addDevices(ListBuilder& b) {
    b.family("buttons");
    for (const char* c : {"blue", "red", "yellow"})
        b.range(std::string("button") + c, 0, 1, ".tga");
    for (const char* c : {"blue", "yellow", "red"})
        b.range(std::string("button") + c + "_break", 0, 4, ".png");

    b.family("gunshots");
    b.range("frostballleft", 0, 11, ".tga");
    b.range("frostballright", 0, 11, ".tga");
    b.range("frostexplode", 0, 8, ".tga");
    b.range("fireballleft", 0, 11, ".png");
    b.range("fireballright", 0, 11, ".png");

    b.family("gates");
    b.range("gatebackbreak", 0, 7, ".tga");
    b.range("gatebackclose", 0, 7, ".tga");
    b.range("gatebackmagnet", 0, 3, ".tga");
    b.range("gatefrontbreak", 0, 11, ".tga");
    b.range("gatefrontbreakred", 0, 11, ".tga");
    b.range("gatefrontbreakyellow", 0, 11, ".tga");
    b.list("gatefrontclose", {"gatefrontclose0.tga", "gatefrontclose6.tga", "gatefrontclose7.tga"});
    b.one("gatefrontclosered0.tga");
    b.one("gatefrontcloseyellow0.tga");
    b.range("gatefrontmagnet", 0, 3, ".tga");
    b.range("gatefrontmagnetred", 0, 3, ".tga");
    b.range("gatefrontmagnetyellow", 0, 3, ".tga");

    b.family("trampolines");
    b.one("trampoline0.tga");
    b.one("trampolineback0.tga");
    b.one("trampolinefront0.tga");
    b.range("trampolinefrontright", 0, 2, ".tga");
    b.range("trampolinestretchleft", 0, 1, ".tga");
    b.one("trampolinestretchleftfull.tga");
    b.range("trampolinestretchright", 0, 2, ".tga");
    b.one("trampolinestretchrightfull.tga");
    b.range("trampolineunstretchleft", 0, 7, ".tga");
    b.range("trampolineunstretchright", 0, 8, ".tga");
    b.range("trampolinefrontbreak", 0, 3, ".png");
    b.range("trampolinebackbreak", 0, 3, ".png");
    b.range("trampolinerubberbreak", 0, 3, ".png");

    b.family("tubes");
    b.one("tubeentrance0.png");
    b.one("tubeexit0.png");
    b.one("tubeexitlights0.png");
    b.one("tubearrow0.png");
    b.range("transporttube_break", 0, 5, ".png");
    b.range("transporttubeB_break", 0, 5, ".png");

    b.family("teleports");
    for (const char* c : {"blue", "red", "yellow"}) {
        std::string p = std::string("teleportinflatable_") + c;
        b.range(p, 0, 4, ".png");
        b.one(p + "3back.png");
        b.one(p + "3front.png");
    }
    b.one("teleport_frameback.png");
    for (const char* c : {"blue", "red", "yellow"})
        b.range(std::string("teleport_frame") + c, 0, 4, ".png");
    for (const char* c : {"blue", "red", "yellow"})
        b.one(std::string("teleport_glow") + c + ".png");
    for (const char* c : {"blue", "red", "yellow"})
        b.range(std::string("teleport_spiral") + c + "turnon", 0, 6, ".png");
    for (const char* c : {"blue", "red", "yellow"})
        b.range(std::string("teleport_spiral") + c, 0, 39, ".png");
    for (const char* c : {"back", "blue", "yellow", "red"})
        b.range(std::string("teleport_frame") + c + "break", 0, 6, ".png");
    for (const char* c : {"blue", "yellow", "red"}) {
        b.range(std::string("inflatableteleport_") + c + "backbreak", 0, 6, ".png");
        b.range(std::string("inflatableteleport_") + c + "frontbreak", 0, 6, ".png");
    }
}

void addPowerups(ListBuilder& b) {
    b.family("powerups");
    b.range("powerupbarrel", 0, 23, ".tga");
    b.range("powerupbridge", 0, 27, ".png");
    b.range("powerupcrate", 0, 27, ".tga");
    b.range("powerupemp", 0, 17, ".tga");
    b.range("powerupfrostgun", 0, 17, ".tga");
    b.one("poweruphalo0.tga");
    b.range("powerupmagnet", 0, 23, ".tga");
    b.range("powerupteleport", 0, 27, ".png");
    b.range("powerupteleportred", 0, 27, ".png");
    b.range("powerupteleportyellow", 0, 27, ".png");
    b.range("powerupwhistle", 0, 17, ".tga");
    b.range("powerupheatgun", 0, 17, ".png");
    b.family("poweruptexts");
    for (const char* t : {"emp", "frostgun", "inflatable", "whistle", "heatgun"})
        b.range(std::string("poweruptext") + t, 0, 7, ".tga");
}

void addTerrain(ListBuilder& b) {
    b.family("terrain");
    for (const char* t : {"grass", "sand"}) {
        for (int n = 1; n <= 32; ++n)
            b.one(t + std::to_string(n) + ".png");
        for (int n = 1; n <= 5; ++n)
            b.one(t + std::to_string(n) + "b.png");
    }
    for (int n = 1; n <= 10; ++n)
        b.one("ice" + std::to_string(n) + ".png");
    b.one("ice1b.png");
    b.one("ice2b.png");

    b.family("bridges");
    b.one("bridgeinflatable0_trimmed.png");
    b.range("bridgeinflatable", 0, 10, ".png");
    b.list("bridgeinflate", {"bridgeinflateleft0.png", "bridgeinflateright0.png", "bridgeinflate1.png",
                             "bridgeinflate2.png", "bridgeinflate4.png"});
    b.one("bridgeA0_trimmed.png");
    b.range("bridgeA", 0, 13, ".png");
    b.one("bridgefrozen.png");

    b.family("ladders");
    for (const char* n : {"ladderiso.tga", "laddertop.tga", "laddermiddle.tga", "ladderbottom.tga",
                          "ladderbottomhang.tga", "ladderplatform.tga"})
        b.one(n);
}

void addObjects(ListBuilder& b) {
    b.family("barrels");
    for (const char* m : {"barrel", "barrelinflatable"})
        for (const char* k : {"", "frozen", "heated", "fall", "fallfrozen", "fallheated"})
            b.range(std::string(m) + k, 0, 7, ".tga");
    b.list("barrelinflate", {"barrelinflateleft0.tga", "barrelinflateright0.tga", "barrelinflate1.tga",
                             "barrelinflate2.tga", "barrelinflate4.tga"});
    for (const char* k : {"", "frozen", "heated", "fall", "fallfrozen", "fallheated"})
        b.range(std::string("metalbarrel") + k, 0, 7, ".png");
    b.range("metalbarrelcooling", 0, 6, ".png");
    for (int a = 0; a <= 7; ++a)
        b.range("metalbarrelcooling" + std::to_string(a) + "-", 0, 6, ".png");

    b.family("magnets");
    for (const char* side : {"left", "right"}) {
        std::string p = std::string("magnetinflatable") + side;
        for (const char* pose : {"still", "left", "right"}) {
            b.one(p + pose + "0.tga");
            b.one(p + pose + "frozen0.tga");
            b.one(p + pose + "heated0.tga");
        }
        b.list(p + "squash", {p + "squash0.tga", p + "squash1.tga", p + "squash4.tga"});
        std::string inf = std::string("magnetinflate") + side;
        b.list(inf, {inf + "0.tga", inf + "1.tga", inf + "2.tga", inf + "4.tga"});
    }
    for (const char* side : {"left", "right"}) {
        std::string p = std::string("magnet") + side;
        b.one(p + "still0.tga");
        b.one(p + "stillfrozen0.tga");
        b.one(p + "heatednormal.png");
        b.one(p + "left0.tga");
        b.one(p + "leftfrozen0.tga");
        b.one(p + "heatedleft.png");
        b.one(p + "right0.tga");
        b.one(p + "rightfrozen0.tga");
        b.one(p + "heatedright.png");
        b.list(p + "squash", {p + "squash0.tga", p + "squash1.tga", p + "squash4.tga"});
        b.list(p + "heatedsquash", {p + "heatedsquash0.png", p + "heatedsquash1.png", p + "heatedsquash4.png"});
        b.range(p + "cooling", 0, 6, ".png");
    }

    b.family("crates");
    for (const char* n : {"cratestill0.tga", "cratestill0b.tga", "cratestillfrozen0.tga", "crateleft0.tga",
                          "crateleft0b.tga", "crateleftfrozen0.tga", "crateright0.tga", "crateright0b.tga",
                          "craterightfrozen0.tga"})
        b.one(n);
    b.list("cratesquash", {"cratesquash0.tga", "cratesquash1.tga", "cratesquash4.tga"});
    b.list("cratesquashb", {"cratesquash0b.tga", "cratesquash1b.tga", "cratesquash4b.tga"});
    for (const char* n : {"crateinflatablestill0.tga", "crateinflatablestillfrozen0.tga",
                          "crateinflatableleft0.tga", "crateinflatableleftfrozen0.tga",
                          "crateinflatableright0.tga", "crateinflatablerightfrozen0.tga"})
        b.one(n);
    b.list("crateinflatablesquash",
           {"crateinflatablesquash0.tga", "crateinflatablesquash1.tga", "crateinflatablesquash4.tga"});
    b.list("crateinflate", {"crateinflateleft0.tga", "crateinflateright0.tga", "crateinflate1.tga",
                            "crateinflate2.tga", "crateinflate3.tga", "crateinflate4.tga"});
    for (const char* n : {"metalcratestill0.tga", "metalcratestillfrozen0.tga", "metalcrateheated.png",
                          "metalcrateleft0.tga", "metalcrateleftfrozen0.tga", "metalcrateheatedleft.png",
                          "metalcrateright0.tga", "metalcraterightfrozen0.tga", "metalcrateheatedright.png"})
        b.one(n);
    b.list("metalcratesquash", {"metalcratesquash0.tga", "metalcratesquash1.tga", "metalcratesquash4.tga"});
    b.list("metalcrateheatedsquash",
           {"metalcrateheatedsquash0.png", "metalcrateheatedsquash1.png", "metalcrateheatedsquash4.png"});
    b.range("metalcratecooling", 0, 6, ".png");
}

void addEffects(ListBuilder& b) {
    b.family("effects");
    b.range("heatedobjectglow", 3, 9, ".png");
    b.range("heatgunimpact", 0, 25, ".png");
    b.range("icemeltingsteam", 0, 18, ".png");
    b.range("magnetemp", 0, 14, ".tga");
    b.family("tutorial");
    b.range("qmarkrotate", 0, 23, ".tga");
}

std::vector<BoardSeries> buildSeries() {
    std::vector<BoardSeries> all;
    ListBuilder b(all);
    addProfessor(b);
    addBot(b);
    addObjects(b);
    addDevices(b);
    addPowerups(b);
    addTerrain(b);
    addEffects(b);
    return all;
}

} // namespace

const std::vector<BoardSeries>& boardSeries() {
    static const std::vector<BoardSeries> all = buildSeries();
    return all;
}

const std::vector<std::vector<std::string>>& boardMixedFrameLists() {
    static const std::vector<std::vector<std::string>> lists = [] {
        std::vector<std::vector<std::string>> l;
        // The professor's tube rides start or end on the tube's own picture.
        std::vector<std::string> tube{"tubeentrance0.png", "tubeexit0.png"};
        for (int i = 0; i <= 21; ++i)
            tube.push_back("tube" + std::to_string(i) + ".tga");
        l.push_back(tube);
        // The bot's heated and cooled states mix melting, cooling, tilt and
        // squash pictures in one sprite.
        for (const char* side : {"left", "right"}) {
            std::string s(side);
            std::vector<std::string> hot{"botmelting" + s + "4.png", "botheated" + s + "tiltleft.png",
                                         "botheated" + s + "tiltright.png"};
            std::vector<std::string> cold{"botcooling" + s + "6.png", "botcooled" + s + "tiltleft.png",
                                          "botcooled" + s + "tiltright.png"};
            for (int i = 0; i <= 2; ++i) {
                hot.push_back("botheated" + s + "squash" + std::to_string(i) + ".png");
                cold.push_back("botcooled" + s + "squash" + std::to_string(i) + ".png");
            }
            l.push_back(hot);
            l.push_back(cold);
        }
        // The flung-left professor continues with the flung-right frames.
        std::vector<std::string> fling;
        for (int i = 0; i <= 2; ++i)
            fling.push_back("proftrampflingleft" + std::to_string(i) + ".tga");
        for (int i = 3; i <= 8; ++i)
            fling.push_back("proftrampflingright" + std::to_string(i) + ".tga");
        l.push_back(fling);
        return l;
    }();
    return lists;
}

} // namespace board

const std::vector<std::string>& boardImageNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& s : board::boardSeries())
            n.insert(n.end(), s.frames.begin(), s.frames.end());
        return n;
    }();
    return names;
}

bool isBoardImageName(const std::string& name) {
    static const std::unordered_set<std::string> set(boardImageNames().begin(), boardImageNames().end());
    return set.count(name) != 0;
}
