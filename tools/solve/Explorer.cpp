#include "Explorer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>

#include "LevelRun.h"
#include "elements/CElementDevicePowerup.h"
#include "engine/CSprite.h"
#include "world/CElement.h"
#include "walkers/CElementAIProfessor.h"

namespace solve {

using levelpack::LevelRun;
using levelpack::Move;
using levelpack::MoveKind;

namespace {

typedef std::chrono::steady_clock Clock;

double secondsSince(Clock::time_point t)
{
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// One move tried at a board, as a worker reports it.
struct Record {
    int32_t node;
    int8_t kind;
    int8_t value;
    uint8_t outcome;
    uint8_t status; // Status below
    uint32_t pickups;
    uint64_t hash;
};

enum Status : uint8_t {
    PLAYED = 0,
    TIMEOUT = 1,   // the deadline passed before the board was expanded
    UNREACHED = 2, // replaying the board's moves ended the level or got stuck: not expanded
    MISMATCH = 3   // replaying the board's moves led to a board of another rest hash; expanded from there
};

// The pickups still lying on the board: bit i for the i-th power-up element.
uint32_t pickupsPresent()
{
    uint32_t bits = 0;
    int i = 0;
    for (const CElement* e : CElement::allElements) {
        if (!e->IsDevice() || e->typeDevice != CElement::DEVICE_POWERUP)
            continue;
        if (i < 32 && e->state == CElementDevicePowerup::POWERUP_PRESENT)
            bits |= 1u << i;
        ++i;
    }
    return bits;
}

std::vector<Pickup> pickupsOnBoard()
{
    std::vector<Pickup> pickups;
    for (const CElement* e : CElement::allElements)
        if (e->IsDevice() && e->typeDevice == CElement::DEVICE_POWERUP && pickups.size() < 32)
            pickups.push_back(
                Pickup{e->x, e->y, static_cast<const CElementDevicePowerup*>(e)->GetPowerupType()});
    return pickups;
}

std::vector<Move> movesAt(const LevelRun& run)
{
    std::vector<Move> moves = {{MoveKind::Left, 0, 0}, {MoveKind::Right, 0, 0}, {MoveKind::Up, 0, 0},
                               {MoveKind::Down, 0, 0}};
    const CElementAIProfessor* p = run.professor();
    bool holding = false;
    for (int slot = 0; p && slot < CElementAIProfessor::SLOTS; ++slot) {
        if (p->getPowerup(slot) != 0) {
            holding = true;
            moves.push_back(Move{MoveKind::Powerup, slot + 1, 0});
        }
    }
    if (holding)
        moves.push_back(Move{MoveKind::Action, 0, 0});
    return moves;
}

Outcome outcomeOf(const LevelRun& run)
{
    if (!run.ended())
        return Outcome::Stuck;
    if (CElement::GetCaught())
        return Outcome::Caught;
    if (CElement::GetSinged())
        return Outcome::Singed;
    if (CElement::GetFallen())
        return Outcome::Fallen;
    if (CElement::GetExitTubeDestroyed())
        return Outcome::TubeDestroyed;
    return Outcome::Exited;
}

// A board to expand: its id, its rest hash and the moves that reach it.
struct Task {
    int32_t node;
    uint64_t hash;
    std::vector<Move> path;
};

// The game's undo ring used as addressable snapshots. The ring has five
// slots; UndoSave writes the slot after the newest and UndoLoad restores the
// newest, so pointing the ring's start at a slot first makes them save into
// and restore from that slot. Slots 0 to 3 hold boards at rest; the
// professor's own saves during a move go to slot 4 (a second save in the
// same move is skipped by the ring, a third would spill into slot 0: the
// slots it reached are reported so their boards are dropped).
class UndoSlots {
public:
    enum { BOARDS = 4, SCRATCH = 4 };

    static void save(int slot)
    {
        point(slot, 0);
        CElement::UndoSave();
    }
    static void load(int slot)
    {
        point(slot, 1);
        CElement::UndoLoad(true);
        // The undo's flash is for the player's eyes only.
        if (CElement::flashBang)
            CElement::flashBang->Hide();
    }
    // Before a move: the professor's saves go to the scratch slot.
    static void beforeMove() { point(SCRATCH, 0); }
    // After a move: which board slots the professor's saves reached, as bits.
    static unsigned spilledAfterMove()
    {
        unsigned spilled = 0;
        if (CElement::undoCount >= CElement::UNDO_SLOTS)
            return (1u << BOARDS) - 1;
        for (int i = 1; i < CElement::undoCount; ++i)
            spilled |= 1u << ((CElement::undoStart + i) % CElement::UNDO_SLOTS);
        return spilled & ((1u << BOARDS) - 1);
    }

private:
    static void point(int slot, int count)
    {
        CElement::undoStart = slot;
        CElement::undoCount = count;
        CElement::undoSynced = 0;
    }
};

// Expands boards in this process, one LevelRun at a time. A board is
// reached from the nearest of its ancestors kept in an undo slot, or else
// by building the level and replaying its moves. The boards of a layer come
// in the order of their parents (a depth-first walk of the tree of first
// paths), so the worker knows where the next boards branch off the path it
// is on: on the way to a board it keeps the ancestors at the nearest of
// those branch points, and the board itself for its moves. Every restore is
// checked against the whole board (LevelRun::restoreCheckHash); one that
// does not give the board back exactly is dropped and the board is reached
// again.
class Worker {
public:
    Worker(CLevel& level, Clock::time_point deadline) : m_level(level), m_deadline(deadline) {}

    void expand(const std::vector<Task>& tasks, std::vector<Record>& out, BoardGraph::Profile& profile)
    {
        for (size_t t = 0; t < tasks.size(); ++t) {
            if (Clock::now() > m_deadline) {
                out.push_back(Record{tasks[t].node, 0, 0, 0, TIMEOUT, 0, 0});
                continue;
            }
            m_branches = branchDepths(tasks, t);
            expandOne(tasks[t], out, profile);
        }
    }

private:
    enum { LOOK_AHEAD = 64 };

    struct Kept {
        bool valid = false;
        std::vector<Move> path;
        uint64_t full = 0;
    };

    static bool sameMove(const Move& a, const Move& b) { return a.kind == b.kind && a.value == b.value; }
    static uint32_t moveBit(const Move& m) { return 1u << (static_cast<int>(m.kind) * 10 + m.value) % 32; }

    static size_t commonLength(const std::vector<Move>& a, const std::vector<Move>& b)
    {
        size_t n = 0;
        while (n < a.size() && n < b.size() && sameMove(a[n], b[n]))
            ++n;
        return n;
    }

    // The depths on task t's path where the following tasks branch off, the
    // nearest first: each a prefix that a later task still shares.
    static std::vector<size_t> branchDepths(const std::vector<Task>& tasks, size_t t)
    {
        std::vector<size_t> depths;
        size_t shared = tasks[t].path.size();
        for (size_t k = t + 1; k < tasks.size() && k <= t + LOOK_AHEAD && depths.size() + 1 < UndoSlots::BOARDS;
             ++k) {
            size_t c = std::min(shared, commonLength(tasks[k - 1].path, tasks[k].path));
            if (c < shared || (depths.empty() && c == shared)) {
                shared = c;
                if (depths.empty() || depths.back() != c)
                    depths.push_back(c);
            }
        }
        return depths;
    }

    bool isPrefix(const Kept& k, const std::vector<Move>& path) const
    {
        return k.valid && k.path.size() <= path.size() && std::equal(k.path.begin(), k.path.end(), path.begin(), sameMove);
    }

    // A slot for the board at `depth` of the path: a free one, or one that
    // keeps nothing the path or its branch points still need.
    int slotFor(const std::vector<Move>& path, size_t depth) const
    {
        int best = -1, bestScore = -1;
        for (int s = 0; s < UndoSlots::BOARDS; ++s) {
            const Kept& k = m_kept[s];
            int score;
            if (!k.valid)
                score = 3;
            else if (!isPrefix(k, path))
                score = 2;
            else if (k.path.size() == depth)
                score = 4; // the same board: keep it where it is
            else if (std::find(m_branches.begin(), m_branches.end(), k.path.size()) == m_branches.end() &&
                     k.path.size() != path.size())
                score = 1;
            else
                score = 0;
            if (score > bestScore) {
                best = s;
                bestScore = score;
            }
        }
        return best;
    }

    int keep(const std::vector<Move>& path, size_t depth)
    {
        int slot = slotFor(path, depth);
        Kept& k = m_kept[slot];
        UndoSlots::save(slot);
        k.valid = true;
        k.path.assign(path.begin(), path.begin() + static_cast<long>(depth));
        k.full = LevelRun::restoreCheckHash();
        return slot;
    }

    bool restore(int slot)
    {
        UndoSlots::load(slot);
        if (LevelRun::restoreCheckHash() == m_kept[slot].full)
            return true;
        m_kept[slot].valid = false;
        return false;
    }

    bool play(const Move& move, std::string& why)
    {
        UndoSlots::beforeMove();
        bool alive = m_run->play(move, why);
        unsigned spilled = UndoSlots::spilledAfterMove();
        for (int s = 0; s < UndoSlots::BOARDS; ++s)
            if (spilled & (1u << s))
                m_kept[s].valid = false;
        return alive;
    }

    // Reaches the task's board and keeps it in m_boardSlot. False when the
    // way there does not come to rest; `same` tells whether it reached the
    // task's rest hash.
    bool reach(const Task& task, BoardGraph::Profile& profile, bool& same)
    {
        Clock::time_point start = Clock::now();
        const size_t length = task.path.size();
        // The deepest kept ancestor (or the board itself).
        int best = -1;
        for (int s = 0; m_run && s < UndoSlots::BOARDS; ++s)
            if (isPrefix(m_kept[s], task.path) &&
                (best < 0 || m_kept[s].path.size() > m_kept[best].path.size()))
                best = s;
        size_t from = 0;
        if (best >= 0 && restore(best)) {
            from = m_kept[best].path.size();
            ++profile.undoRestores;
        } else {
            if (best >= 0)
                ++profile.undoMisses;
            m_run.reset();
            for (Kept& k : m_kept)
                k.valid = false;
            m_run.reset(new LevelRun(m_level, false, false));
            ++profile.builds;
            std::string why;
            if (!m_run->hasBoard() || !m_run->waitForRest(why) || m_run->ended()) {
                m_run.reset();
                return false;
            }
        }
        std::string why;
        for (size_t d = from; d < length; ++d) {
            bool branch = std::find(m_branches.begin(), m_branches.end(), d) != m_branches.end();
            if (branch && (d > from || best < 0))
                keep(task.path, d);
            ++profile.replayedMoves;
            if (!play(task.path[d], why)) {
                m_run.reset();
                profile.buildSeconds += secondsSince(start);
                return false;
            }
        }
        m_boardSlot = from == length && best >= 0 ? best : keep(task.path, length);
        profile.buildSeconds += secondsSince(start);
        same = m_run->restHash() == task.hash;
        return true;
    }

    void expandOne(const Task& task, std::vector<Record>& out, BoardGraph::Profile& profile)
    {
        bool same = true;
        if (!reach(task, profile, same)) {
            out.push_back(Record{task.node, 0, 0, 0, UNREACHED, 0, 0});
            return;
        }
        // The board was first reached by a move tried after a restore that
        // gave back every field but not some hidden timing; its successors
        // are those of the replayed board.
        if (!same)
            out.push_back(Record{task.node, 0, 0, 0, MISMATCH, 0, 0});
        // A move that ends the level leaves nothing to undo: the board is
        // built again. Moves that ended the level where the professor
        // stands now are tried last, so the last of them needs no way back.
        const CElementAIProfessor* p = m_run->professor();
        uint32_t& fatal = m_fatal[p ? p->x * CElement::GRID_HEIGHT + p->y : -1];
        std::vector<Move> moves = movesAt(*m_run);
        std::stable_partition(moves.begin(), moves.end(), [fatal](const Move& m) { return !(fatal & moveBit(m)); });
        for (size_t i = 0; i < moves.size(); ++i) {
            const Move& move = moves[i];
            Clock::time_point start = Clock::now();
            std::string why;
            bool alive = play(move, why);
            Record r{task.node, static_cast<int8_t>(move.kind), static_cast<int8_t>(move.value), 0, PLAYED, 0, 0};
            if (alive) {
                r.hash = m_run->restHash();
                r.pickups = pickupsPresent();
            } else {
                r.outcome = static_cast<uint8_t>(outcomeOf(*m_run));
                if (m_run->ended())
                    fatal |= moveBit(move);
            }
            out.push_back(r);
            profile.moveSeconds += secondsSince(start);
            if (i + 1 == moves.size())
                break;
            start = Clock::now();
            // An ended level cannot be undone; a stuck one can.
            bool restored = !m_run->ended() && m_kept[m_boardSlot].valid && restore(m_boardSlot);
            profile.restoreSeconds += secondsSince(start);
            if (restored) {
                ++profile.undoRestores;
                continue;
            }
            if (alive)
                ++profile.undoMisses;
            if (m_run->ended())
                m_run.reset();
            if (!reach(task, profile, same)) {
                out.push_back(Record{task.node, 0, 0, 0, UNREACHED, 0, 0});
                return;
            }
        }
    }

    CLevel& m_level;
    Clock::time_point m_deadline;
    std::unique_ptr<LevelRun> m_run;
    Kept m_kept[UndoSlots::BOARDS];
    int m_boardSlot = 0;
    std::vector<size_t> m_branches;
    // Per cell of the professor: the moves that ended the level there.
    std::unordered_map<int, uint32_t> m_fatal;
};

bool readAll(int fd, void* data, size_t size)
{
    char* p = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = read(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

template <class T>
bool writeValue(int fd, const T& value)
{
    return writeAll(fd, &value, sizeof value);
}

template <class T>
bool readValue(int fd, T& value)
{
    return readAll(fd, &value, sizeof value);
}

// Expands the boards of a layer: in this process with one job, otherwise
// in worker processes forked once per exploration and fed through pipes.
class WorkerPool {
public:
    WorkerPool(CLevel& level, int jobs, Clock::time_point deadline) : m_level(level), m_deadline(deadline)
    {
        if (jobs <= 1)
            return;
        fflush(stdout);
        for (int w = 0; w < jobs; ++w) {
            int toWorker[2], fromWorker[2];
            if (pipe(toWorker) != 0)
                break;
            if (pipe(fromWorker) != 0) {
                close(toWorker[0]);
                close(toWorker[1]);
                break;
            }
            pid_t pid = fork();
            if (pid == 0) {
                close(toWorker[1]);
                close(fromWorker[0]);
                for (const Channel& other : m_channels) {
                    close(other.in);
                    close(other.out);
                }
                serve(toWorker[0], fromWorker[1]);
                _exit(0);
            }
            close(toWorker[0]);
            close(fromWorker[1]);
            if (pid < 0) {
                close(toWorker[1]);
                close(fromWorker[0]);
                break;
            }
            m_channels.push_back(Channel{pid, toWorker[1], fromWorker[0]});
        }
    }

    ~WorkerPool()
    {
        for (const Channel& c : m_channels) {
            writeValue(c.out, int32_t(-1));
            close(c.out);
            close(c.in);
            waitpid(c.pid, nullptr, 0);
        }
    }

    // Expands the tasks; false when a worker process failed.
    bool expand(const std::vector<Task>& tasks, std::vector<Record>& out, BoardGraph::Profile& profile)
    {
        if (m_channels.empty()) {
            if (!m_local)
                m_local.reset(new Worker(m_level, m_deadline));
            m_local->expand(tasks, out, profile);
            return true;
        }
        // Each worker takes a run of neighbouring boards, which share most
        // of their ancestors.
        size_t used = std::min(m_channels.size(), tasks.size());
        for (size_t w = 0; w < used; ++w) {
            std::vector<Task> share(tasks.begin() + static_cast<long>(tasks.size() * w / used),
                                    tasks.begin() + static_cast<long>(tasks.size() * (w + 1) / used));
            if (!send(m_channels[w].out, share))
                return false;
        }
        bool ok = true;
        for (size_t w = 0; w < used; ++w)
            ok = receive(m_channels[w].in, out, profile) && ok;
        return ok;
    }

private:
    struct Channel {
        pid_t pid;
        int out; // to the worker
        int in;  // from the worker
    };

    static bool send(int fd, const std::vector<Task>& tasks)
    {
        std::vector<char> message;
        auto put = [&message](const void* p, size_t n) {
            message.insert(message.end(), static_cast<const char*>(p), static_cast<const char*>(p) + n);
        };
        int32_t count = static_cast<int32_t>(tasks.size());
        put(&count, sizeof count);
        for (const Task& t : tasks) {
            int32_t length = static_cast<int32_t>(t.path.size());
            put(&t.node, sizeof t.node);
            put(&t.hash, sizeof t.hash);
            put(&length, sizeof length);
            for (const Move& m : t.path) {
                int32_t kindValue[2] = {static_cast<int32_t>(m.kind), m.value};
                put(kindValue, sizeof kindValue);
            }
        }
        return writeAll(fd, message.data(), message.size());
    }

    static bool receive(int fd, std::vector<Record>& out, BoardGraph::Profile& profile)
    {
        int32_t count = 0;
        if (!readValue(fd, count) || count < 0)
            return false;
        size_t first = out.size();
        out.resize(first + static_cast<size_t>(count));
        BoardGraph::Profile p;
        if (!readAll(fd, out.data() + first, static_cast<size_t>(count) * sizeof(Record)) || !readValue(fd, p))
            return false;
        profile.builds += p.builds;
        profile.replayedMoves += p.replayedMoves;
        profile.undoRestores += p.undoRestores;
        profile.undoMisses += p.undoMisses;
        profile.buildSeconds += p.buildSeconds;
        profile.moveSeconds += p.moveSeconds;
        profile.restoreSeconds += p.restoreSeconds;
        return true;
    }

    // The worker process: reads batches of tasks until a count of -1.
    void serve(int in, int out)
    {
        Worker worker(m_level, m_deadline);
        for (;;) {
            int32_t count = 0;
            if (!readValue(in, count) || count < 0)
                return;
            std::vector<Task> tasks(static_cast<size_t>(count));
            for (Task& t : tasks) {
                int32_t length = 0;
                if (!readValue(in, t.node) || !readValue(in, t.hash) || !readValue(in, length) || length < 0)
                    return;
                for (int32_t i = 0; i < length; ++i) {
                    int32_t kindValue[2];
                    if (!readAll(in, kindValue, sizeof kindValue))
                        return;
                    t.path.push_back(Move{static_cast<MoveKind>(kindValue[0]), kindValue[1], 0});
                }
            }
            std::vector<Record> records;
            BoardGraph::Profile profile;
            worker.expand(tasks, records, profile);
            int32_t n = static_cast<int32_t>(records.size());
            if (!writeValue(out, n) || !writeAll(out, records.data(), records.size() * sizeof(Record)) ||
                !writeValue(out, profile))
                return;
        }
    }

    CLevel& m_level;
    Clock::time_point m_deadline;
    std::vector<Channel> m_channels;
    std::unique_ptr<Worker> m_local; // with one job
};

int moveOrder(MoveKind kind, int value)
{
    return static_cast<int>(kind) * 16 + value;
}

} // namespace

const char* outcomeName(Outcome o)
{
    switch (o) {
    case Outcome::Board: return "board";
    case Outcome::Exited: return "exited";
    case Outcome::Caught: return "caught";
    case Outcome::Singed: return "singed";
    case Outcome::Fallen: return "fallen";
    case Outcome::TubeDestroyed: return "exit tube destroyed";
    case Outcome::Stuck: return "stuck";
    }
    return "?";
}

std::vector<Move> BoardGraph::pathTo(int board) const
{
    std::vector<Move> moves;
    for (; board > 0; board = boards[static_cast<size_t>(board)].parent)
        moves.push_back(boards[static_cast<size_t>(board)].move);
    std::reverse(moves.begin(), moves.end());
    return moves;
}

std::vector<Move> BoardGraph::solution() const
{
    if (exitEdge < 0)
        return {};
    std::vector<Move> moves = pathTo(edges[static_cast<size_t>(exitEdge)].from);
    moves.push_back(edges[static_cast<size_t>(exitEdge)].move);
    return moves;
}

BoardGraph explore(CLevel& level, const ExploreLimits& limits)
{
    BoardGraph graph;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limits.maxSeconds));
    auto finish = [&](const char* reason) {
        graph.stopReason = reason;
        graph.seconds = secondsSince(start);
        return graph;
    };

    // The first board at rest; the run is gone before any worker starts.
    {
        LevelRun run(level, false, false);
        std::string why;
        if (!run.hasBoard() || !run.waitForRest(why) || run.ended()) {
            graph.failed = true;
            return finish("the level does not come to rest at its start");
        }
        graph.boards.push_back(GraphBoard{run.restHash(), -1, Move{MoveKind::WaitRest, 0, 0}, 0, pickupsPresent(), -1, 0});
        graph.pickups = pickupsOnBoard();
    }

    std::unordered_map<uint64_t, int32_t> known = {{graph.boards[0].hash, 0}};
    std::vector<int32_t> layer = {0};
    WorkerPool pool(level, limits.jobs, deadline);
    for (int depth = 0;; ++depth) {
        if (layer.empty()) {
            // Boards whose replay ended the level were left unexpanded.
            graph.complete = graph.unreached == 0;
            return finish(graph.complete ? "complete" : "unreached");
        }
        if (depth >= limits.maxDepth)
            return finish("depth");
        if (Clock::now() > deadline)
            return finish("time");

        std::vector<Task> tasks;
        tasks.reserve(layer.size());
        for (int32_t b : layer)
            tasks.push_back(Task{b, graph.boards[static_cast<size_t>(b)].hash, graph.pathTo(b)});
        std::vector<Record> records;
        if (!pool.expand(tasks, records, graph.profile)) {
            graph.failed = true;
            return finish("a worker process failed");
        }
        // The records in board order, each board's moves in alphabet order,
        // so the numbering of new boards does not depend on the workers.
        std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
            if (a.node != b.node)
                return a.node < b.node;
            return moveOrder(static_cast<MoveKind>(a.kind), a.value) <
                   moveOrder(static_cast<MoveKind>(b.kind), b.value);
        });
        bool timedOut = false;
        for (const Record& r : records) {
            if (r.status == UNREACHED || r.status == MISMATCH) {
                if (graph.unfaithful.size() < 20)
                    graph.unfaithful.push_back(r.node);
                ++(r.status == UNREACHED ? graph.unreached : graph.mismatched);
            }
            if (r.status == TIMEOUT)
                timedOut = true;
        }
        std::vector<int32_t> next;
        bool full = false;
        for (size_t i = 0; i < records.size();) {
            const int32_t node = records[i].node;
            if (records[i].status != PLAYED) {
                ++i;
                continue;
            }
            graph.boards[static_cast<size_t>(node)].firstEdge = static_cast<int32_t>(graph.edges.size());
            for (; i < records.size() && records[i].node == node; ++i) {
                const Record& r = records[i];
                Move move{static_cast<MoveKind>(r.kind), r.value, 0};
                GraphEdge edge{node, move, static_cast<Outcome>(r.outcome), -1};
                ++graph.transitions;
                if (edge.outcome == Outcome::Board) {
                    auto found = known.find(r.hash);
                    if (found != known.end()) {
                        edge.to = found->second;
                    } else if (static_cast<long>(graph.boards.size()) < limits.maxBoards) {
                        edge.to = static_cast<int32_t>(graph.boards.size());
                        known.emplace(r.hash, edge.to);
                        graph.boards.push_back(GraphBoard{r.hash, node, move, depth + 1, r.pickups, -1, 0});
                        next.push_back(edge.to);
                    } else {
                        full = true;
                    }
                } else if (edge.outcome == Outcome::Exited && graph.exitEdge < 0) {
                    graph.exitEdge = static_cast<int>(graph.edges.size());
                }
                graph.edges.push_back(edge);
            }
            graph.boards[static_cast<size_t>(node)].edgeCount =
                static_cast<int32_t>(graph.edges.size()) - graph.boards[static_cast<size_t>(node)].firstEdge;
        }
        graph.layers = depth + 1;
        if (timedOut)
            return finish("time");
        if (limits.stopAtExit && graph.exitEdge >= 0)
            return finish("exit");
        if (full)
            return finish("boards");
        layer.swap(next);
    }
}

} // namespace solve
