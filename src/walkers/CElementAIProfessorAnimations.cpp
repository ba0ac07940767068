// The professor's animation table (one entry per animation state) and his
// ten idle animations.
#include "walkers/CElementAIProfessor.h"

namespace {

typedef std::vector<std::string> Frames;

const int kType = 71;
const int kExitType = 73;

Frames standing(const char* p)
{
    std::string s(p);
    Frames f;
    appendFrames(f, p, 0, 7, ".tga");
    appendRepeated(f, s + "8.tga", 4);
    appendFrames(f, p, 7, 0, ".tga");
    f.push_back(s + "9.tga");
    appendRepeated(f, s + "10.tga", 8);
    f.push_back(s + "9.tga");
    return f;
}

Frames climbing(const char* p)
{
    Frames f = frameRange(p, 0, 2, ".tga");
    f.push_back(std::string(p) + "1.tga");
    return f;
}

Frames slideFrames(const char* p, int firstCopies)
{
    std::string s(p);
    Frames f;
    appendRepeated(f, s + "0.tga", firstCopies);
    f.push_back(s + "1.tga");
    f.push_back(s + "2.tga");
    appendRepeated(f, s + "3.tga", 8);
    f.push_back(s + "2.tga");
    f.push_back(s + "1.tga");
    return f;
}

Frames ladderJump(const char* p)
{
    Frames f = frameRange(p, 0, 3, ".tga");
    f.push_back(std::string(p) + "3.tga");
    return f;
}

Frames caughtFrames(const char* p)
{
    Frames f = frameRange(p, 0, 27, ".png");
    for (int i = 0; i < 5; ++i) {
        appendFrames(f, p, 28, 30, ".png");
        appendFrames(f, p, 29, 27, ".png");
    }
    return f;
}

Frames crawling(const char* p)
{
    Frames f = frameRange(p, 4, 5, ".tga");
    appendFrames(f, p, 0, 3, ".tga");
    return f;
}

Frames tubeEntrance()
{
    Frames f{"tubeentrance0.png"};
    appendFrames(f, "tube", 21, 0, ".tga");
    return f;
}

Frames tubeExit()
{
    Frames f = frameRange("tube", 0, 21, ".tga");
    f.push_back("tubeexit0.png");
    return f;
}

Frames flingLeft()
{
    Frames f = frameRange("proftrampflingleft", 0, 2, ".tga");
    appendFrames(f, "proftrampflingright", 3, 8, ".tga");
    return f;
}

Frames singedFrames()
{
    Frames f;
    appendRepeated(f, "profsinged0.png", 20);
    appendFrames(f, "profsinged", 0, 7, ".png");
    appendRepeated(f, "profsinged7.png", 15);
    return f;
}

WalkerAnimation entry(const char* name, int ax, int ay, bool loop, Frames frames, int delay = 2, int type = kType)
{
    return WalkerAnimation{name, ax, ay, type, delay, loop, std::move(frames)};
}

Frames times(int n, const Frames& block)
{
    Frames f;
    for (int i = 0; i < n; ++i)
        f.insert(f.end(), block.begin(), block.end());
    return f;
}

Frames join(std::initializer_list<Frames> parts)
{
    Frames f;
    for (const Frames& p : parts)
        f.insert(f.end(), p.begin(), p.end());
    return f;
}

} // namespace

const std::vector<WalkerAnimation>& CElementAIProfessor::AnimationTable()
{
    static const std::vector<WalkerAnimation> table = {
        entry("Professor Standing Middle", 11, 35, true, standing("profstandmiddle")),
        entry("Professor Standing Left", 11, 35, true, standing("profstandleft")),
        entry("Professor Standing Right", 11, 35, true, standing("profstandright")),
        entry("Professor Running Left", 12, 36, true, frameRange("profrunleft", 0, 9, ".tga")),
        entry("Professor Running Right", 9, 36, true, frameRange("profrunright", 0, 9, ".tga")),
        entry("Professor Climbing Down", 4, 31, true, climbing("profclimbdown")),
        entry("Professor Climbing Up", 21, 25, true, climbing("profclimbup")),
        entry("Professor Falling", 13, 28, true, frameRange("proffall", 0, 5, ".tga")),
        entry("Professor Pushing Left", 17, 30, true, frameRange("profpushleft", 0, 7, ".tga")),
        entry("Professor Pushing Right", 17, 30, true, frameRange("profpushright", 0, 7, ".tga")),
        entry("Professor Hot Step Left", 20, 35, false, frameRange("profhotstepleft", 0, 48, ".png")),
        entry("Professor Hot Step Right", 12, 36, false, frameRange("profhotstepright", 0, 48, ".png")),
        entry("Professor Hot Push Left", 14, 37, false, frameRange("profpushhotleft", 0, 32, ".png")),
        entry("Professor Hot Push Right", 16, 36, false, frameRange("profpushhotright", 0, 32, ".png")),
        entry("Professor Inflating Left", 25, 35, false, frameRange("profinflateleft", 0, 7, ".tga")),
        entry("Professor Inflating Right", 23, 36, false, frameRange("profinflateright", 0, 7, ".tga")),
        entry("Professor Inflating Left (Stand)", 25, 35, false, frameRange("profinflateleft", 8, 9, ".tga")),
        entry("Professor Inflating Right (Stand)", 23, 36, false, frameRange("profinflateright", 8, 9, ".tga")),
        entry("Professor Sliding Left", 9, 27, true, slideFrames("profslideleft", 12)),
        entry("Professor Uncool Sliding Left", 9, 27, true, frameRange("profslideleftuncool", 0, 5, ".tga")),
        entry("Professor Sliding Right", 13, 29, true, slideFrames("profslideright", 3)),
        entry("Professor Uncool Sliding Right", 13, 29, true, frameRange("profsliderightuncool", 0, 5, ".tga")),
        entry("Professor Blowing Whistle", 19, 34, false, frameRange("profwhistle", 0, 8, ".tga")),
        entry("Professor Activating EMP", 14, 38, false, frameRange("profemp", 0, 10, ".tga")),
        entry("Professor Firing Frostgun Left", 21, 35, false, frameRange("profgunleft", 0, 10, ".tga")),
        entry("Professor Firing Frostgun Right", 15, 35, false, frameRange("profgunright", 0, 10, ".tga")),
        entry("Professor Firing Heatgun Left", 21, 35, false, frameRange("proffireheatgunleft", 0, 10, ".png")),
        entry("Professor Firing Heatgun Right", 15, 35, false, frameRange("proffireheatgunright", 0, 10, ".png")),
        entry("Professor Entering Left into Trampoline", 20, 14, false, frameRange("proftrampleft", 0, 6, ".tga")),
        entry("Professor Entering Right into Trampoline", 18, 21, false, frameRange("proftrampright", 0, 6, ".tga")),
        entry("Professor Pushing Left into Trampoline", 20, 14, true, frameRange("proftrampleft", 2, 6, ".tga")),
        entry("Professor Pushing Right into Trampoline", 18, 21, true, frameRange("proftrampright", 2, 6, ".tga")),
        entry("Professor Flinging Right from Trampoline", 18, 27, false,
              frameRange("proftrampflingright", 0, 8, ".tga")),
        entry("Professor Flinging Left from Trampoline", 18, 27, false, flingLeft()),
        entry("Professor Recovering from Trampoline", 12, 29, false, frameRange("proftramprecover", 0, 7, ".tga")),
        entry("Professor Landing", 17, 36, false, frameRange("profland", 0, 5, ".tga")),
        entry("Professor Activating Tube Entrance", 16, 39, false, tubeEntrance()),
        entry("Professor Activating Tube Exit", 16, 39, false, tubeExit(), 2, kExitType),
        entry("Professor Jumping Ladder Left", 11, 35, true, ladderJump("profladderleft")),
        entry("Professor Jumping Ladder Right", 11, 35, true, ladderJump("profladderright")),
        entry("Professor Caught on Left", 37, 35, false, caughtFrames("profcaughtleft")),
        entry("Professor Caught on Right", 18, 34, false, caughtFrames("profcaughtright")),
        entry("Professor Barrel Left", 13, 35, true, frameRange("profbarrelleft", 0, 9, ".tga")),
        entry("Professor Barrel Right", 13, 35, true, frameRange("profbarrelright", 0, 9, ".tga")),
        entry("Professor Crawl Left", 11, 15, true, crawling("profcrawlleft")),
        entry("Professor Crawl Right", 11, 15, true, crawling("profcrawlright")),
        entry("Professor Stun Left", 15, 23, false, frameRange("profstunleft", 0, 2, ".tga"), 3),
        entry("Professor Stun Right", 15, 23, false, frameRange("profstunright", 0, 2, ".tga"), 3),
        entry("Professor Unstun Left", 15, 23, false, frameRange("profstunleft", 2, 0, ".tga"), 3),
        entry("Professor Unstun Right", 15, 23, false, frameRange("profstunright", 2, 0, ".tga"), 3),
        entry("Professor Turn Left", 13, 36, false, frameRange("profturnleft", 0, 1, ".tga")),
        entry("Professor Turn Right", 13, 36, false, frameRange("profturnright", 0, 1, ".tga")),
        entry("Professor Unturn Left", 13, 36, false, frameRange("profturnleft", 1, 0, ".tga")),
        entry("Professor Unturn Right", 13, 36, false, frameRange("profturnright", 1, 0, ".tga")),
        entry("Professor Freeze", 16, 17, false, Frames{"proffrozen0.tga"}),
        entry("Professor Heat", 13, 25, false, singedFrames()),
        entry("Professor Thawing", 12, 36, false, frameRange("profthawing", 0, 4, ".png")),
    };
    return table;
}

const std::vector<WalkerAnimation>& CElementAIProfessor::IdleTable()
{
    static const std::vector<WalkerAnimation> table = {
        entry("Professor Idling H", 20, 36, false, times(3, frameRange("profidleH", 0, 16, ".png"))),
        entry("Professor Idling C", 17, 32, false,
              join({times(4, join({frameRange("profidleC", 0, 4, ".tga"), frameRange("profidleC", 3, 0, ".tga"),
                                   frameRange("profidleC", 9, 12, ".tga"), frameRange("profidleC", 11, 9, ".tga")})),
                    Frames{"profidleC0.tga"}})),
        entry("Professor Idling I", 22, 34, false, times(3, frameRange("profidleI", 0, 11, ".png"))),
        entry("Professor Idling A", 10, 36, false,
              join({frameRange("profidleA", 0, 3, ".tga"),
                    times(4, Frames{"profidleA4.tga", "profidleA5.tga", "profidleA6.tga", "profidleA5.tga",
                                    "profidleA4.tga"}),
                    frameRange("profidleA", 3, 0, ".tga")})),
        entry("Professor Idling J", 14, 31, false, times(3, frameRange("profidleJ", 0, 13, ".png"))),
        entry("Professor Idling B", 14, 38, false,
              join({times(3, frameRange("profidleB", 0, 10, ".tga")), Frames{"profidleB0.tga"}})),
        entry("Professor Idling F", 26, 35, false, frameRange("profidleF", 0, 60, ".tga")),
        entry("Professor Idling E", 12, 37, false, frameRange("profidleE", 0, 22, ".tga")),
        entry("Professor Idling D", 11, 33, false,
              times(2, join({frameRange("profidleD", 0, 5, ".tga"), frameRange("profidleD", 4, 0, ".tga"),
                             frameRange("profidleD", 11, 17, ".tga"), frameRange("profidleD", 16, 11, ".tga")}))),
        entry("Professor Idling G", 14, 35, false,
              times(3, join({Frames{"profidleG2.tga", "profidleG0.tga", "profidleG1.tga", "profidleG1.tga",
                                    "profidleG0.tga"},
                             frameRange("profidleG", 2, 6, ".tga"), frameRange("profidleG", 6, 3, ".tga")}))),
    };
    return table;
}
