// CElementAI: the walker, common base of the professor and the bot. It keeps
// the four virtual direction keys that its owner sets, starts one-tile moves
// from rest (climb up, go down, walk left or right with pushing), records the
// barrel it stands on and rolls by walking, and carries the hot-step,
// hot-push and stun states. The subclasses' Pump decides which key is
// honoured; the pixel motion, falling and sliding belong to the world step.
#pragma once

#include <cstdint>
#include <vector>

#include "world/CElement.h"

class CElementAI : public CElement {
public:
    CElementAI(int x, int y);
    ~CElementAI() override;

    // ------------------------------------------------ registry and dumps
    static std::vector<CElementAI*> allAI;
    static void DumpAll();

    // ------------------------------------------------ one-tile moves (callers call them at rest)
    bool canMoveDown();
    bool moveDown();
    bool canClimbUp();
    bool climbUp();
    bool moveRight();
    bool moveLeft();
    // Records the barrel under the walker (below is the element in the cell below).
    void updateStandingOn(CElement* below);

    // ------------------------------------------------ keys and walker state
    void clearKeys();
    bool keyHeldLeft() const { return keyLeft != 0; }
    bool keyHeldRight() const { return keyRight != 0; }
    bool keyHeldUp() const { return keyUp != 0; }
    bool keyHeldDown() const { return keyDown != 0; }
    bool anyDirectionKey() const { return keyLeft || keyRight || keyUp || keyDown; }
    bool isRiding() const { return walker.riding != 0; }
    CElement* getStandingOn() const { return walker.standingOn; }
    bool isStunned() const { return stunFlag != 0; }
    int getStunCount() const { return stunCount; }
    bool hasHotStep() const { return hotStep != 0; }
    bool hasHotPush() const { return hotPush != 0; }

    // ------------------------------------------------ friction
    int GetFriction() override;
    int GetFrictionModifier() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ dumps
    void DumpState() override;

protected:
    bool tryPushRight(CElement* neighbour);
    bool tryPushLeft(CElement* neighbour);
    // The shared body of moveRight and moveLeft.
    bool moveSideways(bool left);
    bool tryPush(CElement* neighbour, bool left);
    // Stun from an element moving in the cell above: count 5 and the given
    // sound; otherwise the count drops to 0.
    void checkHeadStun(bool hit, class CSound* crushSound);
    // Honours the direction keys in their order of precedence (up, down,
    // left, right): the first move that starts wins.
    void moveByKeys();
    // After the moves of a frame: a barrel stood on without a sideways key
    // stops rolling, and pushing lasts only while a sideways move meets
    // something.
    void settleBarrelAndPushing();
    // Shows the sprite of a new animation state in place of the current one
    // (hidden and rewound), started from its first frame or, with keepFrame,
    // from the frame the old one had reached.
    void switchSprite(class CSprite* next, bool keepFrame);
    // Picks one of count samples, never last (cosmetic: it chooses only
    // which footstep sample plays and never touches the game state).
    static int pickSample(int count, int last);

    // What one undo step keeps of the walker.
    struct WalkerState {
        uint8_t riding;        // the last step rolled the barrel beneath
        CElement* standingOn;  // the barrel stood on, or the null element
    };
    WalkerState walker;
    WalkerState walkerSaved[5];

    uint8_t keyLeft, keyRight, keyUp, keyDown;
    uint8_t keyTurn;
    uint8_t hotStep;   // refused a step onto a heated element
    uint8_t hotPush;   // refused a push of a heated element
    uint8_t stunFlag;      // hit on the head by an element moving above
    int32_t stunCount;
};
