// The animation tables of the walkers as plain data: one entry per animation
// state with its debug name, anchor, sprite type, frame delay, looping flag
// and the file names of its frames. The professor and the bot build their
// sprites from these tables, and the tests check every frame name against
// the image store.
#pragma once

#include <string>
#include <vector>

class CSprite;

struct WalkerAnimation {
    const char* name;
    int anchorX, anchorY;
    int type;
    int frameDelay;
    bool loop;
    std::vector<std::string> frames;
};

// Frame-list builders: appendFrames adds prefix a ... prefix b + extension,
// counting down when b is below a; appendRepeated adds one name n times.
void appendFrames(std::vector<std::string>& frames, const char* prefix, int a, int b, const char* extension);
void appendRepeated(std::vector<std::string>& frames, const std::string& name, int count);
std::vector<std::string> frameRange(const char* prefix, int a, int b, const char* extension);

// A hidden board sprite (footprint one cell) with the entry's frames.
CSprite* createWalkerSprite(const WalkerAnimation& animation, bool sharedImages);
