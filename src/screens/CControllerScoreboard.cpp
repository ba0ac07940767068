#include "screens/CControllerScoreboard.h"

#include <algorithm>
#include <string>

#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerPassword.h"
#include "level/LevelSet.h"

namespace {
const int kStringSinged = 6300;
const int kStringFailed = 6301;
const int kStringSolved = 6302;
const int kStringBest = 6303;
const int kStringSingedText = 6310;
const int kStringFailedText = 6311;
const int kStringTableText = 6313;
const int kStringSetFinished = 6314;
} // namespace

bool CControllerScoreboard::continueRequested = false;

bool CControllerScoreboard::TakeContinueRequest()
{
    bool wanted = continueRequested;
    continueRequested = false;
    return wanted;
}

CControllerScoreboard::CControllerScoreboard(int boardType, bool single, const char* name)
    : type(boardType), singleLevel(single), levelName(name ? name : ""), shownBest(-1)
{
    id = CONTROLLER_SCOREBOARD;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    if (type == TYPE_HIGH_SCORES)
        BuildTable();
    else
        BuildPostLevel();
}

CControllerScoreboard::~CControllerScoreboard()
{
    logPrint(LOG_DESTRUCT, "CControllerScoreboard:  Destroying CControllerScoreboard...\n");
}

bool CControllerScoreboard::IsTutorialLevel() const
{
    return !singleLevel && profile &&
           CLevelSet::isTutorialLevel(profile->GetCurrentSet(), profile->GetCurrentLevel());
}

void CControllerScoreboard::BuildPostLevel()
{
    bool solved = type == TYPE_SET_SOLVED || type == TYPE_SINGLE_SOLVED;
    int titleId = solved ? kStringSolved : (type == TYPE_SINGED ? kStringSinged : kStringFailed);
    AddText(titleId, nullptr, 130, 80, 540, 44, 3);
    if (solved) {
        int steps = profile ? profile->GetTotal(1) : 0;
        int best = steps;
        if (profile)
            best = singleLevel ? profile->GetLevelRecord(levelName.c_str())
                               : profile->GetSetResult(profile->GetCurrentSet(), profile->GetCurrentLevel());
        if (best == PROFILE_NO_RESULT || best > steps)
            best = steps;
        shownBest = best;
        // Two lines, each whole: a number never wraps away from its word.
        AddLine("You reached the exit in " + std::to_string(steps) + " steps.", 130, 140, 540, 30, 3);
        AddLine("Your best for this level: " + std::to_string(best) + " steps.", 130, 172, 540, 30, 3);
        if (!singleLevel && profile && CLevelSet::isLastLevel(profile->GetCurrentSet(), profile->GetCurrentLevel()))
            AddText(kStringSetFinished, nullptr, 150, 240, 500, 40, 3);
    } else {
        AddText(type == TYPE_SINGED ? kStringSingedText : kStringFailedText, nullptr, 150, 150, 500, 120, 3);
    }

    int y = 290;
    if (solved) {
        AddLabelButton(BUTTON_LEAVE, 307, y, "kv3_button_continuetext.png", true);
        y += 40;
        AddLabelButton(BUTTON_RETRY, 307, y, "kv3_button_retrytext.png", false);
        y += 40;
    } else {
        AddLabelButton(BUTTON_RETRY, 307, y, "kv3_button_retrytext.png", true);
        y += 40;
        AddLabelButton(BUTTON_UNDO, 307, y, "kv3_button_undotextB.png", false);
        y += 40;
    }
    AddLabelButton(BUTTON_SOLUTION, 307, y, "kv3_button_solutiontext.png", false);
    y += 40;
    // The way back to where the level was chosen, after a success too (then
    // without going on to the next level). Escape takes it.
    AddLabelButton(BUTTON_BACK_TO_CHOOSER, 307, y,
                   singleLevel ? "kv3_button_managertext.png" : "kv3_button_maptext.png", false);
    allowEscape = false;
}

bool CControllerScoreboard::OnKey(bool released, int key)
{
    if (type == TYPE_HIGH_SCORES || released || key != KEY_ESCAPE)
        return false;
    GUICallback(BUTTON_BACK_TO_CHOOSER, 0, false);
    return true;
}

std::vector<CControllerScoreboard::Row> CControllerScoreboard::CollectBestResults()
{
    std::vector<Row> rows;
    if (!profile)
        return rows;
    for (int n = 1; n <= profile->GetProfileCount(); ++n) {
        CProfile::Progress p{};
        if (n == profile->GetProfileNumber()) {
            p = profile->GetProgress();
        } else {
            std::unique_ptr<CProfile> other = CProfile::ReadOther(n);
            if (other)
                p = other->GetProgress();
        }
        int finished = 0;
        for (int s = 0; s < PROFILE_SET_COUNT; ++s)
            finished += p.finished[s];
        rows.push_back(Row{profile->GetProfileNameAt(n), finished, p.steps});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.finished != b.finished)
            return a.finished > b.finished;
        return a.steps < b.steps;
    });
    return rows;
}

void CControllerScoreboard::BuildTable()
{
    AddText(kStringBest, nullptr, 130, 70, 540, 44, 3);
    // The explanation may take two lines; the table starts below them.
    AddText(kStringTableText, nullptr, 150, 112, 500, 56, 3);
    AddLine("Profile", 160, 172, 220, 26, 0);
    AddLine("Levels", 400, 172, 100, 26, 0);
    AddLine("Steps", 520, 172, 120, 26, 0);
    std::vector<Row> rows = CollectBestResults();
    int y = 200;
    int place = 0;
    for (const Row& r : rows) {
        if (++place > MAX_TABLE_ROWS)
            break;
        AddLine(std::to_string(place) + ".  " + r.name, 140, y, 250, 24, 0);
        AddLine(std::to_string(r.finished), 400, y, 100, 24, 0);
        AddLine(std::to_string(r.steps), 520, y, 120, 24, 0);
        y += 24;
    }
    AddBackButton(BUTTON_CLOSE, 307, 520, true);
}

void CControllerScoreboard::AskForSolution()
{
    if (profile && profile->HasPassword() && !IsTutorialLevel()) {
        OpenDialog<CControllerPassword>(profile->GetPassword());
        return;
    }
    result = RESULT_SOLUTION;
    SetExitCode(1);
}

void CControllerScoreboard::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    result = RESULT_NONE;
    switch (index) {
    case BUTTON_RETRY:
        result = RESULT_RETRY;
        SetExitCode(1);
        break;
    case BUTTON_UNDO:
        result = RESULT_UNDO;
        SetExitCode(1);
        break;
    case BUTTON_SOLUTION:
        AskForSolution();
        break;
    case BUTTON_LEAVE:
        continueRequested = type == TYPE_SET_SOLVED;
        SetExitCode(2);
        break;
    case BUTTON_BACK_TO_CHOOSER:
        continueRequested = false;
        SetExitCode(2);
        break;
    case BUTTON_CLOSE:
        SetExitCode(1);
        break;
    default:
        break;
    }
}

void CControllerScoreboard::OnChildClosed(const ChildAnswer& closed)
{
    if (closed.id == CONTROLLER_PASSWORD && !closed.cancelled()) {
        result = RESULT_SOLUTION;
        SetExitCode(1);
    }
}
