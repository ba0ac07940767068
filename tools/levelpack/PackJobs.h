// The packer's work on the whole level set: reading every source and move
// script, recording the solutions in child processes, and the manifest that
// lists each level with its solution's size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MoveScript.h"
#include "level/Level.h"

namespace levelpack {

struct PackedLevel {
    std::string name;    // "reg001"
    std::string path;    // the .txt source
    std::string script;  // the .moves script, "" when the level has none
    int set = 0;
    int index = 0;       // position in its set
    std::string idea;    // the source's "# idea:" line
    CLevel level;
    std::vector<Move> moves;
    bool solved = false; // the script was played to the exit
    int frames = 0;
    int steps = 0;
};

// Reads the sources of all three sets in archive order and the move scripts
// beside them. Problems (bad lines, wrong set sizes unless only some of
// the levels are wanted, a missing script in a strict build) go to errors.
std::vector<std::unique_ptr<PackedLevel>> readLevelSources(const std::string& folder, bool strict,
                                                           std::vector<std::string>& errors, bool wholeSets = true);

// Plays every level's script through the play screen in `jobs` child
// processes started in `runDir` (the folder of the generated resources) and
// stores the recorded keys in each level. A script that does not end at the
// exit adds an error naming the level, the move and what happened.
void recordSolutions(std::vector<std::unique_ptr<PackedLevel>>& levels, const std::string& runDir, int jobs,
                     std::vector<std::string>& errors);

// The manifest: one line per level, "name set index moves steps frames",
// moves -1 for a level without a solution, then a tab and the idea. Its
// first line "# strict 0" or "# strict 1" tells the replay check whether
// a level without a solution is a failure.
bool writeManifest(const std::string& path, const std::vector<std::unique_ptr<PackedLevel>>& levels, bool strict);

struct ManifestEntry {
    std::string name;
    int set = 0;
    int index = 0;
    int moves = -1;
    int steps = 0;
    int frames = 0;
    std::string idea;
};
bool readManifest(const std::string& path, std::vector<ManifestEntry>& entries, bool& strict);

// The map label of a level ("T3" for the third tutorial level, "17" for
// the seventeenth ordinary one), counted as the level set counts them.
std::string levelLabel(int set, int index);

// The path as seen from the current folder, for tools that change folder.
std::string absolutePath(const std::string& path);

// The text of a file, false when it cannot be read.
bool readTextFile(const std::string& path, std::string& text);

} // namespace levelpack
