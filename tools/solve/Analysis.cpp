#include "Analysis.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <unordered_set>

#include "Fingerprint.h"
#include "LevelRun.h"
#include "LevelSource.h"
#include "PackJobs.h"
#include "Search.h"
#include "level/Level.h"
#include "level/TileCodes.h"

namespace solve {

using levelpack::ItemFigure;
using levelpack::LevelFigures;
using levelpack::Move;
using levelpack::MoveKind;

namespace {

// The boards from which a board of `start` can be reached, following the
// graph's moves backwards. `start` marks the boards to begin with.
std::vector<char> reachingBack(const BoardGraph& graph, std::vector<char> marked)
{
    std::vector<std::vector<int32_t>> into(graph.boards.size());
    for (const GraphEdge& e : graph.edges)
        if (e.to >= 0)
            into[static_cast<size_t>(e.to)].push_back(e.from);
    std::deque<int32_t> queue;
    for (size_t b = 0; b < marked.size(); ++b)
        if (marked[b])
            queue.push_back(static_cast<int32_t>(b));
    while (!queue.empty()) {
        int32_t b = queue.front();
        queue.pop_front();
        for (int32_t from : into[static_cast<size_t>(b)]) {
            if (!marked[static_cast<size_t>(from)]) {
                marked[static_cast<size_t>(from)] = 1;
                queue.push_back(from);
            }
        }
    }
    return marked;
}

// Whether the exit is reached from the start by moves that `allowed`
// accepts, through boards that `keep` accepts.
bool exitReachable(const BoardGraph& graph, const std::function<bool(const GraphEdge&)>& allowed,
                   const std::function<bool(const GraphBoard&)>& keep)
{
    if (graph.boards.empty())
        return false;
    std::vector<char> seen(graph.boards.size(), 0);
    std::deque<int32_t> queue = {0};
    seen[0] = 1;
    while (!queue.empty()) {
        const GraphBoard& b = graph.boards[static_cast<size_t>(queue.front())];
        queue.pop_front();
        for (int32_t i = 0; b.firstEdge >= 0 && i < b.edgeCount; ++i) {
            const GraphEdge& e = graph.edges[static_cast<size_t>(b.firstEdge + i)];
            if (!allowed(e))
                continue;
            if (e.outcome == Outcome::Exited)
                return true;
            if (e.to >= 0 && !seen[static_cast<size_t>(e.to)] && keep(graph.boards[static_cast<size_t>(e.to)])) {
                seen[static_cast<size_t>(e.to)] = 1;
                queue.push_back(e.to);
            }
        }
    }
    return false;
}

// The teleport pairs are not map characters; the analysis names a pair by
// this letter at its first end.
const char kTeleportPair = 'T';

} // namespace

void analyseGraph(const BoardGraph& graph, LevelFigures& f, std::vector<LosingMove>& losing)
{
    const size_t n = graph.boards.size();
    f.boards = static_cast<long>(n);
    f.stop = graph.failed ? "failed" : graph.complete ? "complete" : graph.stopReason;
    losing.clear();

    // Winnable: a board from which some moves reach the exit. Open: not
    // winnable, but a board not yet expanded lies ahead, so it is unknown.
    std::vector<char> exits(n, 0), unexpanded(n, 0);
    for (const GraphEdge& e : graph.edges)
        if (e.outcome == Outcome::Exited)
            exits[static_cast<size_t>(e.from)] = 1;
    for (size_t b = 0; b < n; ++b)
        unexpanded[b] = graph.boards[b].firstEdge < 0;
    const std::vector<char> winnable = reachingBack(graph, exits);
    const std::vector<char> open = reachingBack(graph, unexpanded);
    std::vector<char> dead(n, 0);
    f.dead = 0;
    for (size_t b = 0; b < n; ++b) {
        dead[b] = !winnable[b] && !open[b];
        f.dead += dead[b];
    }

    const std::vector<Move> solution = graph.solution();
    f.solution = graph.exitEdge >= 0 ? static_cast<int>(solution.size()) : -1;
    if (graph.exitEdge >= 0) {
        // The boards of the shortest solution, from the start.
        std::vector<int32_t> path;
        for (int32_t b = graph.edges[static_cast<size_t>(graph.exitEdge)].from; b >= 0;
             b = graph.boards[static_cast<size_t>(b)].parent)
            path.push_back(b);
        std::reverse(path.begin(), path.end());
        for (size_t step = 0; step < path.size(); ++step) {
            const GraphBoard& b = graph.boards[static_cast<size_t>(path[step])];
            for (int32_t i = 0; i < b.edgeCount; ++i) {
                const GraphEdge& e = graph.edges[static_cast<size_t>(b.firstEdge + i)];
                bool onSolution = step + 1 < path.size() ? e.to == path[step + 1]
                                                         : b.firstEdge + i == graph.exitEdge;
                if (onSolution || e.outcome == Outcome::Exited)
                    continue;
                if (isLoss(e.outcome) || (e.to >= 0 && dead[static_cast<size_t>(e.to)]))
                    losing.push_back(LosingMove{static_cast<int>(step), e.move, e.outcome});
            }
        }
    }
    f.losing = static_cast<int>(losing.size());

    auto any = [](const GraphBoard&) { return true; };
    if (exitReachable(graph, [](const GraphEdge& e) { return e.move.kind != MoveKind::Left; }, any))
        f.oneWay = "right";
    else if (exitReachable(graph, [](const GraphEdge& e) { return e.move.kind != MoveKind::Right; }, any))
        f.oneWay = "left";
    else
        f.oneWay = graph.complete ? "no" : "?";

    f.pickups.clear();
    for (size_t i = 0; i < graph.pickups.size(); ++i) {
        const Pickup& p = graph.pickups[i];
        const uint32_t bit = 1u << i;
        bool bypass = exitReachable(graph, [&](const GraphEdge& e) {
            return (graph.boards[static_cast<size_t>(e.from)].pickups & bit) != 0;
        }, [&](const GraphBoard& b) { return (b.pickups & bit) != 0; });
        const char tile = p.type >= 1 && p.type <= 8 ? static_cast<char>('0' + p.type) : '9';
        f.pickups.push_back(ItemFigure{tile, p.x, p.y, bypass ? "decoy" : graph.complete ? "needed" : "?"});
    }
    // In reading order, as on the map.
    std::stable_sort(f.pickups.begin(), f.pickups.end(), [](const ItemFigure& a, const ItemFigure& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
}

char oneKeyWin(CLevel& level, int maxPresses)
{
    for (MoveKind kind : {MoveKind::Left, MoveKind::Right, MoveKind::Up, MoveKind::Down}) {
        levelpack::LevelRun run(level, false, false);
        std::string why;
        if (!run.hasBoard() || !run.waitForRest(why) || run.ended())
            return 0;
        std::unordered_set<uint64_t> seen = {run.restHash()};
        for (int press = 0; press < maxPresses; ++press) {
            if (!run.play(Move{kind, 0, 0}, why)) {
                if (run.ended() && run.outcome() == "exited")
                    return levelpack::moveToken(Move{kind, 0, 0})[0];
                break;
            }
            if (!seen.insert(run.restHash()).second)
                break;
        }
    }
    return 0;
}

std::vector<ItemFigure> objectsOf(const CLevel& level)
{
    std::vector<ItemFigure> objects;
    for (int y = 0; y < CLevel::HEIGHT; ++y) {
        for (int x = 0; x < CLevel::WIDTH; ++x) {
            char c = levelpack::charOfTileCode(level.GetTile(x, y));
            if (std::string("cCoO<>vqpBYRbyr^").find(c) != std::string::npos)
                objects.push_back(ItemFigure{c, x, y, ""});
        }
    }
    for (int colour = 0; colour < CLevel::TELEPORT_COLOURS; ++colour) {
        const std::vector<Rect>& ends = level.GetTeleportTypeRecord(colour);
        if (ends.size() == 2)
            objects.push_back(ItemFigure{kTeleportPair, ends[0].x, ends[0].y, ""});
    }
    return objects;
}

void removeObject(CLevel& level, const ItemFigure& object)
{
    if (object.tile != kTeleportPair) {
        level.SetTile(NONE, object.x, object.y);
        level.SetCellFlags(CELL_NORMAL, object.x, object.y);
        return;
    }
    int colour = level.FindTeleportType(object.x, object.y);
    if (colour < 0)
        return;
    std::vector<Rect> ends = level.GetTeleportTypeRecord(colour);
    for (const Rect& end : ends)
        level.EraseTeleport(end.x, end.y);
}

std::string objectVerdict(const std::function<void(CLevel&)>& makeLevel, const ItemFigure& object,
                          const std::vector<Move>& solution, long levelBoards, const ExploreLimits& limits)
{
    // First the shortest solution played without the object (an object it
    // never touches is bypassed at once), then a search of the level without
    // it, stopped at its first solution and bounded by the whole level's size.
    CLevel without;
    makeLevel(without);
    removeObject(without, object);
    if (!solution.empty() && replaysFromStart(without, solution))
        return "bypassed";
    ExploreLimits bypass = limits;
    bypass.stopAtExit = true;
    bypass.maxBoards = std::min(bypass.maxBoards, std::max<long>(2 * levelBoards, 2000));
    BoardGraph g = explore(without, bypass);
    if (g.exitEdge >= 0 && replaysFromStart(without, g.solution()))
        return "bypassed";
    if (g.complete && g.exitEdge < 0)
        return "needed";
    return "?";
}

Analysis analyseLevel(const std::function<void(CLevel&)>& makeLevel, const AnalysisLimits& limits)
{
    Analysis a;
    CLevel level;
    makeLevel(level);
    a.graph = explore(level, limits.graph);
    analyseGraph(a.graph, a.figures, a.losing);
    // The shortest solution is played once more from the start, as the
    // packer plays a script.
    if (a.figures.solution >= 0 && !replaysFromStart(level, a.graph.solution())) {
        a.figures.stop = "failed";
        a.graph.stopReason = "the shortest solution found does not replay from the start";
    }
    if (a.graph.failed)
        return a;
    char key = oneKeyWin(level);
    a.figures.oneKey = key ? key : '-';
    if (!limits.objects)
        return a;
    const std::vector<Move> solution = a.graph.solution();
    for (ItemFigure& object : (a.figures.objects = objectsOf(level)))
        object.verdict = objectVerdict(makeLevel, object, solution, static_cast<long>(a.graph.boards.size()), limits.bypass);
    return a;
}

bool analyseSource(const std::string& sourcePath, const AnalysisLimits& limits, Analysis& a,
                   std::vector<std::string>& errors)
{
    const size_t slash = sourcePath.find_last_of('/') + 1;
    const size_t dot = sourcePath.rfind('.');
    const std::string base = dot == std::string::npos || dot < slash ? sourcePath : sourcePath.substr(0, dot);
    const std::string name = base.substr(slash);
    const std::string scriptPath = base + ".moves";
    std::string text, scriptText;
    if (!levelpack::readTextFile(sourcePath, text)) {
        errors.push_back(sourcePath + ": cannot be read");
        return false;
    }
    const size_t before = errors.size();
    std::vector<Move> script;
    if (levelpack::readTextFile(scriptPath, scriptText))
        script = levelpack::parseMoveScript(scriptPath, scriptText, errors);
    const std::string levelName = name.substr(0, CLevel::NAME_SIZE - 1);
    CLevel level;
    levelpack::parseLevelSource(sourcePath, text, levelName, level, errors);
    if (errors.size() != before)
        return false;
    a = analyseLevel(
        [&](CLevel& l) {
            std::vector<std::string> ignored;
            levelpack::parseLevelSource(sourcePath, text, levelName, l, ignored);
        },
        limits);
    a.figures.name = name;
    a.figures.source = sourceFingerprint(level, script);
    a.figures.rules = script.empty() ? "none" : rulesFingerprint(level, script);
    return true;
}

} // namespace solve
