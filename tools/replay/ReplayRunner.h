// Headless replay of recorded solutions through the real play screen and
// world step: the services the play screen needs are started without a
// window or sound, a level is handed to a CControllerGame with the replay
// flag set, and its frames run as fast as the machine allows, each frame
// the way the game's main loop runs it (pump, render, present).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/CController.h"

class CDraw;
class CInput;
class CLevel;
class CProfile;
class CRender;

namespace replay {

// The screen beneath the play screen in a headless run, standing in for the
// level editor that plays a solution back or records one: it only waits for
// the play screen to return.
class ReplayRoot : public CController {
public:
    ReplayRoot() { id = CONTROLLER_EDITOR; }
    void Pump() override
    {
        if (GetPreviousId() != id)
            SetPreviousId(id);
    }
    void InputKey(bool, int) override {}
};

// The surroundings of a headless run of the program: a throw-away home
// folder (HOME and the XDG folders point into it, so no profile of the user
// is read or written), the dummy video and audio drivers, and the run folder
// with the generated resources as the working folder. The home folder is
// removed when the object goes.
class HeadlessSession {
public:
    explicit HeadlessSession(const std::string& runDir);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;
    // False when the home folder could not be made or the run folder entered.
    bool ok() const { return m_ok; }

private:
    std::string m_home;
    bool m_ok;
};

// The program's start-up up to the level sets, in the current folder (which
// must hold the generated resources), with the frame lock off. Only one may
// exist at a time.
class HeadlessGame {
public:
    explicit HeadlessGame(bool loadLevelSets);
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    CProfile& profile() { return *m_profile; }

private:
    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<CDraw> m_draw;
    std::unique_ptr<CRender> m_render;
    std::unique_ptr<CInput> m_input;
    bool m_levelSets;
};

// The rest of a frame as the game's main loop runs it, after the current
// screen's pump: render and present; or, without drawing, only advance the
// sprites' animations (which the walkers' logic follows) and count the
// frame.
void finishFrame(bool draw);

// Time spent in the parts of the frames, in milliseconds.
struct FrameTimes {
    double pump = 0;    // the play screen's frame: input, replay feed, world step, widgets
    double render = 0;  // the dirty-rectangle renderer
    double present = 0; // bringing the frame to the (dummy) display
    long frames = 0;
};

struct Options {
    // Frames to go on after the solution ran out, for the professor to walk
    // into the exit tube.
    int graceFrames = 600;
    // When above 0: run exactly this many frames unless the level ends.
    int fixedFrames = 0;
    // Render and present every frame, as the game does.
    bool render = true;
    FrameTimes* times = nullptr;
};

struct Report {
    std::string name;
    bool hasBoard = false;
    bool hasSolution = false;
    bool ended = false;
    std::string outcome; // "exited", "caught", "singed", "fallen", "exit tube destroyed", "not ended", "no board"
    int frames = 0;      // frames handled since the level started
    int steps = 0;       // the profile's step counter
    uint64_t hash = 0;   // the board at the end
};

Report replayLevel(CLevel& level, const Options& options);

// One report as a line of the replay tool's output.
std::string formatReport(const Report& report);

} // namespace replay
