// The bot's animation table: one entry per animation state.
#include "walkers/CElementAIBot.h"

namespace {

typedef std::vector<std::string> Frames;

const int kType = 70;

WalkerAnimation entry(const char* name, int ax, int ay, int delay, Frames frames)
{
    return WalkerAnimation{name, ax, ay, kType, delay, false, std::move(frames)};
}

Frames one(const char* name)
{
    return Frames{name};
}

Frames stunned(const char* p)
{
    Frames f = frameRange(p, 0, 2, ".png");
    appendFrames(f, p, 1, 0, ".png");
    return f;
}

// The squash sequence of a heated or cooled bot.
Frames squash(const std::string& p, const std::string& rest)
{
    return Frames{p + "0.png", p + "1.png", p + "0.png", rest, p + "2.png"};
}

Frames capture(const char* p)
{
    std::string s(p);
    Frames f = frameRange(p, 0, 24, ".png");
    for (int i = 0; i < 5; ++i)
        appendFrames(f, p, 19, 24, ".png");
    f.push_back(s + "25.png");
    f.push_back(s + "26.png");
    f.push_back(s + "25.png");
    return f;
}

Frames five(const char* name)
{
    Frames f;
    appendRepeated(f, name, 5);
    return f;
}

} // namespace

const std::vector<WalkerAnimation>& CElementAIBot::AnimationTable()
{
    static const std::vector<WalkerAnimation> table = [] {
        std::vector<WalkerAnimation> t = {
            entry("Bot Deactivated - Hanging", 25, 27, 2, one("bothang.png")),
            entry("Bot Activating", 25, 25, 2, frameRange("botfall", 0, 11, ".png")),
            entry("Bot Falling", 25, 25, 2, frameRange("botfall", 9, 11, ".png")),
            entry("Bot Landing", 25, 25, 2, frameRange("botfall", 12, 18, ".png")),
            entry("Bot Climb", 16, 14, 2, Frames{"botclimb0.png", "botclimb1.png", "botclimb0.png", "botclimb2.png"}),
            entry("Bot Run Left", 14, 23, 1, frameRange("botrunleft", 0, 11, ".png")),
            entry("Bot Run Right", 18, 22, 1, frameRange("botrunright", 0, 11, ".png")),
            entry("Bot Stun Left", 17, 20, 3, frameRange("botcrushedleft", 0, 2, ".png")),
            entry("Bot Stun Right", 18, 19, 3, frameRange("botcrushedright", 0, 2, ".png")),
            entry("Bot Unstun Left", 17, 20, 3, frameRange("botcrushedleft", 2, 0, ".png")),
            entry("Bot Unstun Right", 18, 19, 3, frameRange("botcrushedright", 2, 0, ".png")),
            entry("Bot Push Left", 16, 19, 1, frameRange("botpushleft", 0, 11, ".png")),
            entry("Bot Push Right", 14, 18, 1, frameRange("botpushright", 0, 11, ".png")),
            entry("Bot Stand Left", 14, 20, 0, one("botstandleft.png")),
            entry("Bot Stand Right", 18, 19, 0, one("botstandright.png")),
            entry("Bot EMPed Left", 14, 20, 2, stunned("botstunnedleft")),
            entry("Bot EMPed Right", 18, 19, 2, stunned("botstunnedright")),
            entry("Bot Magnet-Held (Left)", 14, 19, 2, frameRange("botmagnetleft", 0, 1, ".png")),
            entry("Bot Magnet-Held (Right)", 18, 20, 2, frameRange("botmagnetright", 0, 1, ".png")),
            entry("Bot Sliding (Left)", 14, 20, 2, frameRange("botslidingleft", 0, 5, ".png")),
            entry("Bot Sliding (Right)", 15, 19, 2, frameRange("botslidingright", 0, 5, ".png")),
            entry("Bot Crawling (Left)", 18, 13, 2, frameRange("botcrawlleft", 0, 5, ".png")),
            entry("Bot Crawling (Right)", 15, 12, 2, frameRange("botcrawlright", 0, 5, ".png")),
            entry("Bot Frozen", 22, 16, 0, one("botfrozen.png")),
        };
        // 24 to 47: heated, melting, cooling and cooled, left then right.
        const int lx = 11, ly = 22, rx = 16, ry = 20;
        t.push_back(entry("Bot (HEATED_LEFT)", lx, ly, 0, one("botmeltingleft4.png")));
        t.push_back(entry("Bot (HEATED_LEFT_LFALL)", lx, ly, 0, one("botheatedlefttiltleft.png")));
        t.push_back(entry("Bot (HEATED_LEFT_RFALL)", lx, ly, 0, one("botheatedlefttiltright.png")));
        t.push_back(entry("Bot (HEATED_LEFT_SQUASH)", lx, ly, 2, squash("botheatedleftsquash", "botmeltingleft4.png")));
        t.push_back(entry("Bot (HEATED_RIGHT)", rx, ry, 0, one("botmeltingright4.png")));
        t.push_back(entry("Bot (HEATED_RIGHT_LFALL)", rx, ry, 0, one("botheatedrighttiltleft.png")));
        t.push_back(entry("Bot (HEATED_RIGHT_RFALL)", rx, ry, 0, one("botheatedrighttiltright.png")));
        t.push_back(
            entry("Bot (HEATED_RIGHT_SQUASH)", rx, ry, 2, squash("botheatedrightsquash", "botmeltingright4.png")));
        t.push_back(entry("Bot (MELTING_LEFT)", lx, ly, 2, frameRange("botmeltingleft", 0, 4, ".png")));
        t.push_back(entry("Bot (MELTING_RIGHT)", rx, ry, 2, frameRange("botmeltingright", 0, 4, ".png")));
        t.push_back(entry("Bot (COOLING_LEFT)", lx, ly, 2, frameRange("botcoolingleft", 0, 6, ".png")));
        t.push_back(entry("Bot (COOLING_LEFT_LFALL)", lx, ly, 2, frameRange("botcoolinglefttiltedleft", 0, 6, ".png")));
        t.push_back(
            entry("Bot (COOLING_LEFT_RFALL)", lx, ly, 2, frameRange("botcoolinglefttiltedright", 0, 6, ".png")));
        t.push_back(entry("Bot (COOLING_RIGHT)", rx, ry, 2, frameRange("botcoolingright", 0, 6, ".png")));
        t.push_back(
            entry("Bot (COOLING_RIGHT_LFALL)", rx, ry, 2, frameRange("botcoolingrighttiltedleft", 0, 6, ".png")));
        t.push_back(
            entry("Bot (COOLING_RIGHT_RFALL)", rx, ry, 2, frameRange("botcoolingrighttiltedright", 0, 6, ".png")));
        t.push_back(entry("Bot (COOLED_LEFT)", lx, ly, 0, one("botcoolingleft6.png")));
        t.push_back(entry("Bot (COOLED_LEFT_LFALL)", lx, ly, 0, one("botcooledlefttiltleft.png")));
        t.push_back(entry("Bot (COOLED_LEFT_RFALL)", lx, ly, 0, one("botcooledlefttiltright.png")));
        t.push_back(entry("Bot (COOLED_LEFT_SQUASH)", lx, ly, 2, squash("botcooledleftsquash", "botcoolingleft6.png")));
        t.push_back(entry("Bot (COOLED_RIGHT)", rx, ry, 0, one("botcoolingright6.png")));
        t.push_back(entry("Bot (COOLED_RIGHT_LFALL)", rx, ry, 0, one("botcooledrighttiltleft.png")));
        t.push_back(entry("Bot (COOLED_RIGHT_RFALL)", rx, ry, 0, one("botcooledrighttiltright.png")));
        t.push_back(
            entry("Bot (COOLED_RIGHT_SQUASH)", rx, ry, 2, squash("botcooledrightsquash", "botcoolingright6.png")));
        t.push_back(entry("Bot Frozen (and destroyed)", 22, 16, 0, one("botfrozenmelted.png")));
        t.push_back(entry("Bot EMPed Left with LFall", 14, 20, 2, five("batstunnedlefttiltleft.png")));
        t.push_back(entry("Bot EMPed Left with RFall", 14, 20, 2, five("batstunnedlefttiltright.png")));
        t.push_back(entry("Bot EMPed Right with LFall", 18, 19, 2, five("batstunnedrighttiltleft.png")));
        t.push_back(entry("Bot EMPed Right with RFall", 18, 19, 2, five("batstunnedrighttiltright.png")));
        t.push_back(entry("Bot Capture Left", 17, 33, 2, capture("botcatchprofleft")));
        t.push_back(entry("Bot Capture Right", 17, 32, 2, capture("botcatchprofright")));
        // Looping states: walking, climbing, pushing, sliding and crawling.
        for (int looping : {2, 4, 5, 6, 11, 12, 19, 20, 21, 22})
            t[static_cast<size_t>(looping)].loop = true;
        return t;
    }();
    return table;
}
