#include "Search.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <memory>
#include <unordered_set>

#include "LevelRun.h"
#include "engine/CSprite.h"
#include "world/CElement.h"
#include "world/CElementAIProfessor.h"

namespace solve {

namespace {

using levelpack::LevelRun;
using levelpack::Move;
using levelpack::MoveKind;

typedef std::chrono::steady_clock Clock;

enum Outcome : int32_t {
    OUT_ALIVE = 0,
    OUT_EXITED = 1,
    OUT_LOST = 2,
    OUT_STUCK = 3,
    OUT_TIMEOUT = 4,
    OUT_UNREACHED = 5 // replaying a board's moves did not lead back to it
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

// One move tried at a board of the layer, written by the child that played
// it with a single write, so records of parallel children never mix.
struct Record {
    int32_t node;
    int32_t kind;
    int32_t value;
    int32_t outcome;
    uint64_t hash;
};

struct Node {
    int parent;
    Move move;
};

uint64_t hashOf(const std::string& text)
{
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The moves worth trying at a board: the four directions always; the
// action key and the power-up slots only while the professor holds a
// power-up (turning matters only for the direction of a power-up: a walk
// against a wall turns him too).
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

std::vector<Move> pathTo(const std::vector<Node>& nodes, int node)
{
    std::vector<Move> moves;
    for (; node > 0; node = nodes[static_cast<size_t>(node)].parent)
        moves.push_back(nodes[static_cast<size_t>(node)].move);
    std::reverse(moves.begin(), moves.end());
    return moves;
}

// Expands its share of a layer's boards. Each board is reached by building
// the level afresh and replaying the board's moves; the moves tried there
// start from an undo step saved at the board, so the board is restored by
// the game's own undo rather than rebuilt, as long as the restored board
// reads exactly as before. A move that ends the level (or an undo that does
// not restore exactly) makes the worker build the board again.
class Worker {
public:
    Worker(CLevel& level, int fd, Clock::time_point deadline) : m_level(level), m_fd(fd), m_deadline(deadline) {}

    // Serves the search: reads a batch of boards (id and moves from the
    // start) from `in`, expands them and answers one byte on `out`, until a
    // batch of -1 boards ends it.
    void serve(int in, int out)
    {
        for (;;) {
            int32_t count = 0;
            if (!readAll(in, &count, sizeof count) || count < 0)
                return;
            std::vector<std::pair<int32_t, std::vector<Move>>> batch(static_cast<size_t>(count));
            for (auto& board : batch) {
                int32_t length = 0;
                if (!readAll(in, &board.first, sizeof board.first) || !readAll(in, &length, sizeof length))
                    return;
                for (int32_t i = 0; i < length; ++i) {
                    int32_t kindValue[2];
                    if (!readAll(in, kindValue, sizeof kindValue))
                        return;
                    board.second.push_back(Move{static_cast<MoveKind>(kindValue[0]), kindValue[1], 0});
                }
            }
            for (const auto& board : batch) {
                if (Clock::now() > m_deadline) {
                    put(Record{board.first, 0, 0, OUT_TIMEOUT, 0});
                    break;
                }
                expand(board.first, board.second);
            }
            char done = 'd';
            if (write(out, &done, 1) != 1)
                return;
        }
    }

private:

    bool reach(const std::vector<Move>& path)
    {
        m_run.reset();
        m_run.reset(new LevelRun(m_level, false, false));
        std::string why;
        if (!m_run->hasBoard() || !m_run->waitForRest(why))
            return false;
        for (const Move& move : path)
            if (!m_run->play(move, why))
                return false;
        return true;
    }

    void expand(int node, const std::vector<Move>& path)
    {
        if (!reach(path)) {
            put(Record{node, 0, 0, OUT_UNREACHED, 0});
            return;
        }
        const std::string here = m_run->restKey();
        std::vector<Move> moves = movesAt(*m_run);
        for (size_t i = 0; i < moves.size(); ++i) {
            const Move& move = moves[i];
            CElement::UndoSave();
            std::string why;
            bool alive = m_run->play(move, why);
            int32_t outcome = OUT_ALIVE;
            if (!alive)
                outcome = m_run->ended() ? (m_run->outcome() == "exited" ? OUT_EXITED : OUT_LOST) : OUT_STUCK;
            put(Record{node, static_cast<int32_t>(move.kind), move.value, outcome,
                       alive ? hashOf(m_run->restKey()) : 0});
            if (i + 1 == moves.size())
                break;
            bool restored = false;
            if (alive) {
                CElement::UndoLoad(true);
                // The undo's flash is for the player's eyes only.
                if (CElement::flashBang)
                    CElement::flashBang->Hide();
                restored = m_run->restKey() == here;
            }
            if (!restored && !reach(path)) {
                put(Record{node, 0, 0, OUT_UNREACHED, 0});
                return;
            }
        }
    }

    void put(const Record& r)
    {
        if (write(m_fd, &r, sizeof r) != static_cast<ssize_t>(sizeof r))
            _exit(3);
    }

    CLevel& m_level;
    int m_fd;
    Clock::time_point m_deadline;
    std::unique_ptr<LevelRun> m_run;
};

std::vector<Record> readRecords(int fd)
{
    std::vector<Record> records;
    lseek(fd, 0, SEEK_SET);
    Record r;
    while (read(fd, &r, sizeof r) == static_cast<ssize_t>(sizeof r))
        records.push_back(r);
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        if (a.node != b.node)
            return a.node < b.node;
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return a.value < b.value;
    });
    return records;
}

// Plays a found script from the level's start in a child process, as the
// packer will: true when it ends at the exit.
bool replaysToExit(CLevel& level, const std::vector<Move>& moves)
{
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0)
        _exit(levelpack::playScript(level, moves).exited ? 0 : 1);
    int status = 1;
    if (pid > 0)
        waitpid(pid, &status, 0);
    return pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The worker processes, started once per search: each is a copy of the
// game without a board, fed batches of boards through a pipe.
class WorkerPool {
public:
    WorkerPool(CLevel& level, int jobs, int recordFd, Clock::time_point deadline)
    {
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
                Worker(level, recordFd, deadline).serve(toWorker[0], fromWorker[1]);
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
            int32_t end = -1;
            writeAll(c.out, &end, sizeof end);
            close(c.out);
            close(c.in);
            waitpid(c.pid, nullptr, 0);
        }
    }

    bool empty() const { return m_channels.empty(); }

    // Expands the boards of a layer, dealt out in turn; false when a worker
    // failed.
    bool expand(const std::vector<Node>& nodes, const std::vector<int>& layer)
    {
        size_t used = std::min(m_channels.size(), layer.size());
        for (size_t w = 0; w < used; ++w) {
            std::vector<int32_t> message = {0};
            for (size_t i = w; i < layer.size(); i += used) {
                std::vector<Move> path = pathTo(nodes, layer[i]);
                message.push_back(layer[i]);
                message.push_back(static_cast<int32_t>(path.size()));
                for (const Move& m : path) {
                    message.push_back(static_cast<int32_t>(m.kind));
                    message.push_back(m.value);
                }
                ++message[0];
            }
            if (!writeAll(m_channels[w].out, message.data(), message.size() * sizeof(int32_t)))
                return false;
        }
        bool ok = true;
        for (size_t w = 0; w < used; ++w) {
            char done = 0;
            ok = readAll(m_channels[w].in, &done, 1) && done == 'd' && ok;
        }
        return ok;
    }

private:
    struct Channel {
        pid_t pid;
        int out; // to the worker
        int in;  // from the worker
    };
    std::vector<Channel> m_channels;
};

} // namespace

Result search(CLevel& level, const Limits& limits)
{
    Result result;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limits.maxSeconds));
    auto finish = [&](const char* reason) {
        result.stopReason = reason;
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return result;
    };

    char recordTemplate[] = "/tmp/solve-XXXXXX";
    int fd = mkstemp(recordTemplate);
    if (fd < 0)
        return finish("no record file");
    unlink(recordTemplate);
    int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, flags | O_APPEND);

    // The first board at rest; the run is gone before any worker starts, so
    // each worker builds its boards in a world of its own.
    std::string rootKey;
    {
        LevelRun run(level, false, false);
        std::string why;
        if (run.hasBoard() && run.waitForRest(why) && !run.ended())
            rootKey = run.restKey();
    }
    if (rootKey.empty()) {
        close(fd);
        return finish("the level does not come to rest at its start");
    }

    std::vector<Node> nodes = {Node{-1, Move{MoveKind::WaitRest, 0, 0}}};
    std::unordered_set<uint64_t> seen = {hashOf(rootKey)};
    std::vector<int> layer = {0};
    WorkerPool pool(level, std::max(1, limits.jobs), fd, deadline);
    if (pool.empty()) {
        close(fd);
        return finish("no worker process");
    }
    for (int depth = 0; depth < limits.maxDepth; ++depth) {
        if (ftruncate(fd, 0) != 0)
            break;
        if (!pool.expand(nodes, layer)) {
            close(fd);
            return finish("a worker process failed");
        }

        std::vector<int> next;
        for (const Record& r : readRecords(fd)) {
            if (r.outcome == OUT_TIMEOUT) {
                close(fd);
                return finish("time");
            }
            if (r.outcome == OUT_UNREACHED) {
                close(fd);
                return finish("a board could not be reached again");
            }
            ++result.transitions;
            Move move{static_cast<MoveKind>(r.kind), r.value, 0};
            if (r.outcome == OUT_EXITED) {
                std::vector<Move> moves = pathTo(nodes, r.node);
                moves.push_back(move);
                if (!replaysToExit(level, moves))
                    continue; // two boards took one key; keep searching
                close(fd);
                result.found = true;
                result.moves = moves;
                result.depth = depth;
                result.states = static_cast<long>(seen.size());
                return finish("found");
            }
            if (r.outcome != OUT_ALIVE || !seen.insert(r.hash).second)
                continue;
            nodes.push_back(Node{r.node, move});
            next.push_back(static_cast<int>(nodes.size()) - 1);
        }
        result.depth = depth + 1;
        result.states = static_cast<long>(seen.size());
        if (next.empty()) {
            result.exhausted = true;
            close(fd);
            return finish("exhausted");
        }
        if (result.states >= limits.maxStates) {
            close(fd);
            return finish("states");
        }
        if (Clock::now() > deadline) {
            close(fd);
            return finish("time");
        }
        layer.swap(next);
    }
    close(fd);
    return finish("depth");
}

} // namespace solve
