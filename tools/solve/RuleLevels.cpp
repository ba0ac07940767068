#include "RuleLevels.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "Analysis.h"
#include "Fingerprint.h"
#include "LevelSource.h"
#include "PackJobs.h"
#include "level/LevelSet.h"

namespace levelrules {

namespace {

// What the game recomputes for one level: "NAME SOURCE RULES ONEKEY".
std::string recompute(levelpack::PackedLevel& packed, bool oneKey)
{
    std::string rules = packed.moves.empty() ? "none" : solve::rulesFingerprint(packed.level, packed.moves);
    char key = oneKey ? solve::oneKeyWin(packed.level) : 0;
    return packed.name + " " + solve::sourceFingerprint(packed.level, packed.moves) + " " + rules + " " +
           (key ? key : '-') + "\n";
}

// Recomputes every level in `jobs` processes side by side; each writes its
// lines to a file of its own.
bool recomputeAll(std::vector<std::unique_ptr<levelpack::PackedLevel>>& levels, bool oneKey, int jobs,
                  std::map<std::string, RuleLevel>& out)
{
    char folderTemplate[] = "/tmp/levelrules-XXXXXX";
    if (!mkdtemp(folderTemplate))
        return false;
    const std::string folder = folderTemplate;
    std::vector<pid_t> children;
    fflush(stdout);
    for (int w = 0; w < jobs; ++w) {
        pid_t pid = fork();
        if (pid == 0) {
            std::string text;
            for (size_t i = static_cast<size_t>(w); i < levels.size(); i += static_cast<size_t>(jobs))
                text += recompute(*levels[i], oneKey);
            std::ofstream file(folder + "/" + std::to_string(w));
            file << text;
            file.close();
            _exit(file ? 0 : 1);
        }
        if (pid < 0)
            break;
        children.push_back(pid);
    }
    bool ok = static_cast<int>(children.size()) == jobs;
    for (pid_t pid : children) {
        int status = 1;
        waitpid(pid, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    for (int w = 0; w < jobs; ++w) {
        const std::string path = folder + "/" + std::to_string(w);
        std::ifstream in(path);
        std::string name, source, rules, key;
        while (in >> name >> source >> rules >> key) {
            RuleLevel& l = out[name];
            l.source = source;
            l.rules = rules;
            l.oneKey = key[0];
        }
        unlink(path.c_str());
    }
    rmdir(folder.c_str());
    return ok;
}

} // namespace

std::vector<RuleLevel> gatherLevels(const std::string& folder, bool wholeSets, bool oneKey, int jobs,
                                    std::vector<std::string>& errors)
{
    auto levels = levelpack::readLevelSources(folder, false, errors, wholeSets);
    std::vector<RuleLevel> out;
    if (!errors.empty() || levels.empty())
        return out;
    std::map<std::string, RuleLevel> computed;
    if (!recomputeAll(levels, oneKey, std::max(1, std::min<int>(jobs, static_cast<int>(levels.size()))), computed)) {
        errors.push_back("a level could not be played to recompute its fingerprints");
        return out;
    }
    for (const auto& packed : levels) {
        RuleLevel l = computed[packed->name];
        l.name = packed->name;
        l.set = packed->set;
        l.index = packed->index;
        l.tutorial = CLevelSet::isTutorialLevel(packed->set, packed->index);
        l.heading = packed->level.GetHeadingText();
        l.idea = packed->idea;
        l.grid = levelpack::mapRows(packed->level);
        std::string text;
        levelpack::readTextFile(packed->path, text);
        l.decoys = parseDecoys(text, l.decoyErrors);
        out.push_back(l);
    }
    return out;
}

} // namespace levelrules
