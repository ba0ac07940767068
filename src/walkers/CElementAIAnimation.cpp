#include "walkers/CElementAIAnimation.h"

#include "engine/CSprite.h"

void appendFrames(std::vector<std::string>& frames, const char* prefix, int a, int b, const char* extension)
{
    int step = b < a ? -1 : 1;
    for (int n = a;; n += step) {
        frames.push_back(std::string(prefix) + std::to_string(n) + extension);
        if (n == b)
            break;
    }
}

void appendRepeated(std::vector<std::string>& frames, const std::string& name, int count)
{
    for (int i = 0; i < count; ++i)
        frames.push_back(name);
}

std::vector<std::string> frameRange(const char* prefix, int a, int b, const char* extension)
{
    std::vector<std::string> frames;
    appendFrames(frames, prefix, a, b, extension);
    return frames;
}

CSprite* createWalkerSprite(const WalkerAnimation& animation, bool sharedImages)
{
    CSprite* sprite =
        new CSprite(animation.anchorX, animation.anchorY, animation.type, animation.frameDelay, sharedImages, 1, 1);
    for (const std::string& frame : animation.frames)
        sprite->AddFrame(frame.c_str());
    sprite->SetLooping(animation.loop);
    sprite->SetName(animation.name);
    sprite->Hide();
    return sprite;
}
