#include "PackJobs.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "LevelRun.h"
#include "LevelSource.h"
#include "ReplayRunner.h"
#include "level/LevelSet.h"

namespace levelpack {

namespace {

const char kSourceExtension[] = ".txt";
const char kScriptExtension[] = ".moves";
const char kIdeaTag[] = "# idea:";

std::vector<std::string> sourceNames(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    const size_t extLength = sizeof kSourceExtension - 1;
    while (struct dirent* entry = readdir(dir)) {
        std::string file = entry->d_name;
        if (file.size() > extLength && file.compare(file.size() - extLength, extLength, kSourceExtension) == 0 &&
            file.compare(0, prefix.size(), prefix) == 0)
            names.push_back(file.substr(0, file.size() - extLength));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ideaOf(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, sizeof kIdeaTag - 1, kIdeaTag) != 0)
            continue;
        std::string idea = line.substr(sizeof kIdeaTag - 1);
        size_t first = idea.find_first_not_of(" \t");
        size_t last = idea.find_last_not_of(" \t\r");
        return first == std::string::npos ? "" : idea.substr(first, last - first + 1);
    }
    return "";
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

std::string resultPath(const std::string& folder, const PackedLevel& packed)
{
    return folder + "/" + packed.name + ".result";
}

// Plays the scripts of the levels given to one worker and writes one
// result file per level: "ok FRAMES STEPS" or "fail MOVE REASON", then the
// recorded keys, one "frame key released" per line.
int recordInWorker(std::vector<PackedLevel*> mine, const std::string& runDir, const std::string& folder)
{
    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;
    replay::HeadlessGame game(false);
    for (PackedLevel* packed : mine) {
        ScriptResult result = playScript(packed->level, packed->moves);
        FILE* out = fopen(resultPath(folder, *packed).c_str(), "w");
        if (!out)
            return 2;
        if (result.exited)
            fprintf(out, "ok %d %d\n", result.frames, result.steps);
        else
            fprintf(out, "fail %d %s\n", result.failedMove, result.why.c_str());
        for (const ReplayKey& key : packed->level.GetSolution())
            fprintf(out, "%d %d %d\n", key.frame, key.key, key.released ? 1 : 0);
        fclose(out);
    }
    return 0;
}

std::string describeFailure(const PackedLevel& packed, int move, const std::string& why)
{
    std::string where = packed.script;
    if (move >= 0 && move < static_cast<int>(packed.moves.size())) {
        const Move& m = packed.moves[static_cast<size_t>(move)];
        where += ":" + std::to_string(m.line) + ": move " + std::to_string(move + 1) + " (" + moveToken(m) + ")";
    } else {
        where += ": after the last move";
    }
    return where + ": " + why;
}

void collectResult(PackedLevel& packed, const std::string& folder, std::vector<std::string>& errors)
{
    std::ifstream in(resultPath(folder, packed));
    std::string status;
    if (!(in >> status)) {
        errors.push_back(packed.script + ": the recording stopped before this level was finished (crashed?)");
        return;
    }
    if (status == "fail") {
        int move = 0;
        std::string why;
        in >> move;
        std::getline(in, why);
        errors.push_back(describeFailure(packed, move, why.empty() ? why : why.substr(1)));
        return;
    }
    in >> packed.frames >> packed.steps;
    packed.level.ClearSolution();
    int frame, key, released;
    while (in >> frame >> key >> released)
        packed.level.AddReplayKey(frame, key, released != 0);
    packed.level.SetModified(false);
    packed.solved = true;
}

} // namespace

std::string levelLabel(int set, int index)
{
    int tutorials = 0;
    for (int i = 0; i < index; ++i)
        tutorials += CLevelSet::isTutorialLevel(set, i) ? 1 : 0;
    if (CLevelSet::isTutorialLevel(set, index))
        return "T" + std::to_string(tutorials + 1);
    return std::to_string(index - tutorials + 1);
}

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return path;
    return std::string(cwd) + "/" + path;
}

bool readTextFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

std::vector<std::unique_ptr<PackedLevel>> readLevelSources(const std::string& folder, bool strict,
                                                           std::vector<std::string>& errors, bool wholeSets)
{
    struct SetInfo {
        int set;
        const char* prefix;
        int count;
    };
    const SetInfo sets[] = {
        {CLevelSet::REGULAR, "reg", CLevelSet::REGULAR_COUNT},
        {CLevelSet::ADVANCED, "adv", CLevelSet::ADVANCED_COUNT},
        {CLevelSet::KIDS, "kid", CLevelSet::KIDS_COUNT},
    };
    std::vector<std::unique_ptr<PackedLevel>> levels;
    for (const SetInfo& info : sets) {
        std::vector<std::string> names = sourceNames(folder, info.prefix);
        if (wholeSets && static_cast<int>(names.size()) != info.count) {
            errors.push_back(std::string("the ") + info.prefix + " set needs " + std::to_string(info.count) +
                             " levels, found " + std::to_string(names.size()));
        }
        for (size_t index = 0; index < names.size(); ++index) {
            std::unique_ptr<PackedLevel> packed(new PackedLevel());
            packed->name = names[index];
            packed->path = folder + "/" + packed->name + kSourceExtension;
            packed->set = info.set;
            packed->index = static_cast<int>(index);
            if (packed->name.size() > CLevel::NAME_SIZE - 1) {
                errors.push_back(packed->path + ": a level name has at most 16 characters");
                continue;
            }
            std::string text;
            if (!readTextFile(packed->path, text)) {
                errors.push_back(packed->path + ": cannot be read");
                continue;
            }
            packed->idea = ideaOf(text);
            parseLevelSource(packed->path, text, packed->name, packed->level, errors);
            checkPlayable(packed->path, packed->level, CLevelSet::isTutorialLevel(info.set, packed->index), errors);

            std::string script = folder + "/" + packed->name + kScriptExtension;
            std::string moves;
            if (readTextFile(script, moves)) {
                packed->script = script;
                packed->moves = parseMoveScript(script, moves, errors);
                if (packed->moves.empty())
                    errors.push_back(script + ": the script has no moves");
            } else if (strict) {
                errors.push_back(packed->path + ": no move script (" + packed->name + kScriptExtension +
                                 ") beside the level");
            }
            levels.push_back(std::move(packed));
        }
    }
    return levels;
}

void recordSolutions(std::vector<std::unique_ptr<PackedLevel>>& levels, const std::string& runDir, int jobs,
                     std::vector<std::string>& errors)
{
    std::vector<PackedLevel*> scripted;
    for (auto& packed : levels)
        if (!packed->script.empty())
            scripted.push_back(packed.get());
    if (scripted.empty())
        return;

    char folderTemplate[] = "/tmp/levelpack-XXXXXX";
    if (!mkdtemp(folderTemplate)) {
        errors.push_back("cannot make a folder for the recordings");
        return;
    }
    const std::string folder = folderTemplate;
    // Long scripts first, dealt out in turn, so the workers finish together.
    std::stable_sort(scripted.begin(), scripted.end(),
                     [](const PackedLevel* a, const PackedLevel* b) { return a->moves.size() > b->moves.size(); });
    int workers = std::min(jobs, static_cast<int>(scripted.size()));
    std::vector<pid_t> children;
    fflush(stdout);
    fflush(stderr);
    for (int w = 0; w < workers; ++w) {
        std::vector<PackedLevel*> mine;
        for (size_t i = static_cast<size_t>(w); i < scripted.size(); i += static_cast<size_t>(workers))
            mine.push_back(scripted[i]);
        pid_t pid = fork();
        if (pid == 0)
            _exit(recordInWorker(mine, runDir, folder));
        if (pid < 0) {
            errors.push_back("cannot start a recording process");
            break;
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            errors.push_back("a recording process failed (status " + std::to_string(status) + ")");
    }
    // Errors in set order, whatever order the workers took.
    for (auto& packed : levels)
        if (!packed->script.empty())
            collectResult(*packed, folder, errors);
    nftw(folder.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool writeManifest(const std::string& path, const std::vector<std::unique_ptr<PackedLevel>>& levels, bool strict)
{
    FILE* out = fopen(path.c_str(), "w");
    if (!out)
        return false;
    fprintf(out, "# strict %d\n", strict ? 1 : 0);
    for (const auto& packed : levels)
        fprintf(out, "%s %d %d %d %d %d\t%s\n", packed->name.c_str(), packed->set, packed->index,
                packed->solved ? countActions(packed->moves) : -1, packed->steps, packed->frames,
                packed->idea.c_str());
    return fclose(out) == 0;
}

bool readManifest(const std::string& path, std::vector<ManifestEntry>& entries, bool& strict)
{
    strict = false;
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        if (line[0] == '#') {
            strict = strict || line == "# strict 1";
            continue;
        }
        ManifestEntry e;
        size_t tab = line.find('\t');
        std::istringstream fields(line.substr(0, tab));
        if (!(fields >> e.name >> e.set >> e.index >> e.moves >> e.steps >> e.frames))
            return false;
        if (tab != std::string::npos)
            e.idea = line.substr(tab + 1);
        entries.push_back(e);
    }
    return true;
}

} // namespace levelpack
