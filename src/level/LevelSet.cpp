#include "level/LevelSet.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "level/Level.h"

namespace {

const char kLevelArchive[] = "resource4.dat";
const int kLoadBarUnitsPerLevel = 100;

std::unique_ptr<CLevelSet> g_sets[CLevelSet::SET_COUNT];

// Each built-in level moves the start-up load bar on.
void advanceLoadBar(int units)
{
    CDraw::AdvanceLoadProgress(units);
}

const int kTutorialLevels[] = {1,  3,  5,  7,  9,  11, 14, 16, 18, 20, 22, 24, 28,
                               30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90};

// The first level of each story chapter, per set; -1 where a set has none.
const int kChapterLevels[CLevelSet::SET_COUNT][12] = {
    {0, 8, 19, 29, 39, 49, 60, 70, 81, 90, 102, 110},
    {0, 4, 9, 13, 18, 22, 27, 31, 36, 40, 45, 49},
    {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 80},
};

const int kLastLevel[CLevelSet::SET_COUNT] = {CLevelSet::REGULAR_COUNT - 1, CLevelSet::ADVANCED_COUNT - 1,
                                              CLevelSet::KIDS_COUNT - 1};

// Ends the program: the built-in levels cannot be used.
[[noreturn]] void failArchive(const std::string& reason)
{
    logResourceFailure(kLevelArchive, reason.c_str());
    logError(true, "Cannot load level resource file!\n");
    exitFatal();
}

bool validSet(int set)
{
    return set >= 0 && set < CLevelSet::SET_COUNT;
}

} // namespace

CLevelSet* CLevelSet::getSet(int set)
{
    return validSet(set) ? g_sets[set].get() : nullptr;
}

void CLevelSet::loadAll()
{
    freeAll();
    for (auto& set : g_sets)
        set.reset(new CLevelSet());

    ResourceArchiveReader archive;
    if (!archive.Open(kLevelArchive))
        failArchive(archive.reason());

    std::string entryName;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < archive.Count(); ++i) {
        // An entry outside the file is damage to the archive itself: going
        // on without it would move every later level of its set down one
        // index, under the profile's results and the tables below.
        if (!archive.ReadEntry(i, entryName, data))
            failArchive(archive.error());
        // The entry name ends in ".lvl"; the level's name is what comes before.
        std::string name = entryName.size() >= 4 ? entryName.substr(0, entryName.size() - 4) : std::string();
        // A level the reader refuses is still filed, so indexes never move.
        CLevel* level = new CLevel();
        FILE* stream = data.empty() ? nullptr : fmemopen(data.data(), data.size(), "rb");
        // What a damaged level's reader took in before it stopped is no
        // playable level: it is filed empty, like a level too old to read.
        if (!level->Load(stream, name.c_str()))
            level->Clear();
        if (stream)
            fclose(stream);
        loadLevel(name.c_str(), level);
        advanceLoadBar(kLoadBarUnitsPerLevel);
    }
    archive.Close();

    // The chapter, tutorial and last-level tables, the set-completed logic
    // and the ending rely on these counts.
    const int expected[SET_COUNT] = {REGULAR_COUNT, ADVANCED_COUNT, KIDS_COUNT};
    for (int s = 0; s < SET_COUNT; ++s) {
        if (g_sets[s]->getCount() != expected[s])
            failArchive("level set " + std::to_string(s) + " holds " + std::to_string(g_sets[s]->getCount()) +
                        " levels instead of " + std::to_string(expected[s]));
        g_sets[s]->buildLabels(s == REGULAR);
    }
}

int CLevelSet::loadUnits()
{
    return static_cast<int>(ResourceArchiveEntryCount(kLevelArchive)) * kLoadBarUnitsPerLevel;
}

void CLevelSet::freeAll()
{
    for (auto& set : g_sets) {
        if (!set)
            continue;
        set->m_levels.clear();
        set->m_labels.clear();
        set.reset();
    }
}

void CLevelSet::loadLevel(const char* name, CLevel* level)
{
    std::unique_ptr<CLevel> owned(level);
    std::string prefix(name ? name : "", 0, 3);
    int set = -1;
    if (prefix == "kid")
        set = KIDS;
    else if (prefix == "reg")
        set = REGULAR;
    else if (prefix == "adv")
        set = ADVANCED;
    if (set < 0 || !owned) {
        logPrint(LOG_ERROR, "Invalid level prefix:  '%s'  (%s)", prefix.c_str(), name ? name : "");
        return;
    }
    if (!g_sets[set])
        g_sets[set].reset(new CLevelSet());
    CLevelSet& target = *g_sets[set];
    target.m_levels.push_back(std::move(owned));
    logPrint(LOG_PRELOAD, "CLevelSet::loadLevel   #%-6i:   %s  (%s,%s)\n", target.getCount(),
             target.m_levels.back()->GetHeadingText(), name, prefix.c_str());
}

void CLevelSet::buildLabels(bool tutorials)
{
    m_labels.clear();
    int tutorialNumber = 1;
    int ordinaryNumber = 1;
    for (int i = 0; i < getCount(); ++i) {
        if (tutorials && isTutorialLevel(REGULAR, i))
            m_labels.push_back("T" + std::to_string(tutorialNumber++));
        else
            m_labels.push_back(std::to_string(ordinaryNumber++));
    }
}

const char* CLevelSet::getLabel(int set, int index)
{
    const CLevelSet* levels = getSet(set);
    if (!levels || index < 0 || index >= static_cast<int>(levels->m_labels.size()))
        return "";
    return levels->m_labels[index].c_str();
}

const char* CLevelSet::getSetName(int set)
{
    static const char* const kNames[SET_COUNT] = {"Regular", "Advanced", "Kids"};
    return validSet(set) ? kNames[set] : "";
}

bool CLevelSet::isTutorialLevel(int set, int index)
{
    if (set != REGULAR)
        return false;
    for (int tutorial : kTutorialLevels)
        if (tutorial == index)
            return true;
    return false;
}

int CLevelSet::getChapterIndex(int set, int index)
{
    if (!validSet(set) || index < 0)
        return -1;
    for (int chapter = 0; chapter < 12; ++chapter)
        if (kChapterLevels[set][chapter] == index)
            return chapter;
    return -1;
}

bool CLevelSet::isLastLevel(int set, int index)
{
    return validSet(set) && kLastLevel[set] == index;
}

CLevel* CLevelSet::getLevel(int index) const
{
    if (index < 0 || index >= getCount())
        return nullptr;
    return m_levels[index].get();
}

CLevel* CLevelSet::getCurrentLevel() const
{
    return getLevel(m_currentIndex);
}

const char* CLevelSet::getCurrentHeading() const
{
    const CLevel* level = getCurrentLevel();
    return level ? level->GetHeadingText() : "";
}

CLevel* CLevelSet::selectLevel(int index)
{
    if (index >= getCount())
        index = getCount() - 1;
    if (index < 0)
        index = 0;
    m_currentIndex = index;
    return getCurrentLevel();
}

CLevel* CLevelSet::nextLevel()
{
    return selectLevel(m_currentIndex + 1);
}

CLevel* CLevelSet::previousLevel()
{
    return selectLevel(m_currentIndex - 1);
}
