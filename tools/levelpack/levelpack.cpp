// Level packer: turns the level sources of data/levels into the level
// archive. Each source becomes a CLevel, which writes its own ".lvl" bytes;
// the entries are stored in set order (regular, advanced, kids) and in name
// order within a set, so an entry's position among its prefix is the
// level's index in its set.
//
//   levelpack <source folder> <archive>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LevelSource.h"
#include "engine/ResourceArchive.h"
#include "world/Level.h"
#include "world/LevelSet.h"

namespace {

const char kExtension[] = ".txt";

std::vector<std::string> sourceNames(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    const size_t extLength = sizeof kExtension - 1;
    while (struct dirent* entry = readdir(dir)) {
        std::string file = entry->d_name;
        if (file.size() > extLength && file.compare(file.size() - extLength, extLength, kExtension) == 0 &&
            file.compare(0, prefix.size(), prefix) == 0)
            names.push_back(file.substr(0, file.size() - extLength));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool readText(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s <source folder> <archive>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string output = argv[2];

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

    std::vector<std::string> errors;
    ResourceArchiveWriter archive;
    for (const SetInfo& info : sets) {
        std::vector<std::string> names = sourceNames(folder, info.prefix);
        if (static_cast<int>(names.size()) != info.count) {
            errors.push_back(std::string("the ") + info.prefix + " set needs " + std::to_string(info.count) +
                             " levels, found " + std::to_string(names.size()));
        }
        for (size_t index = 0; index < names.size(); ++index) {
            const std::string& name = names[index];
            std::string path = folder + "/" + name + kExtension;
            if (name.size() > CLevel::NAME_SIZE - 1) {
                errors.push_back(path + ": a level name has at most 16 characters");
                continue;
            }
            std::string text;
            if (!readText(path, text)) {
                errors.push_back(path + ": cannot be read");
                continue;
            }
            CLevel level;
            size_t before = errors.size();
            levelpack::parseLevelSource(path, text, name, level, errors);
            levelpack::checkPlayable(path, level, CLevelSet::isTutorialLevel(info.set, static_cast<int>(index)),
                                     errors);
            if (errors.size() != before)
                continue;

            std::vector<uint8_t> bytes = level.Encode(CLevel::GAME_LEVEL_ID);
            // The archive must hold what the game reads back.
            CLevel check;
            FILE* stream = bytes.empty() ? nullptr : fmemopen(bytes.data(), bytes.size(), "rb");
            bool readable = stream && check.Load(stream, name.c_str());
            if (stream)
                fclose(stream);
            if (!readable || check.Encode(CLevel::GAME_LEVEL_ID) != bytes) {
                errors.push_back(path + ": does not read back as written");
                continue;
            }
            archive.Add(name + ".lvl", bytes);
        }
    }

    if (!errors.empty()) {
        for (const std::string& e : errors)
            fprintf(stderr, "levelpack: %s\n", e.c_str());
        return 1;
    }
    if (!archive.Write(output)) {
        fprintf(stderr, "levelpack: cannot write %s\n", output.c_str());
        return 1;
    }
    printf("levelpack: %zu levels written to %s\n", archive.Count(), output.c_str());
    return 0;
}
