// The three built-in level sets (0 regular, 1 advanced, 2 kids), read once
// at start-up from the level archive "resource4.dat" and kept until
// shutdown, with each level's map label and the tables of tutorial levels,
// story chapters and last levels.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CLevel;

class CLevelSet {
public:
    enum { REGULAR = 0, ADVANCED = 1, KIDS = 2, SET_COUNT = 3 };
    enum { REGULAR_COUNT = 111, ADVANCED_COUNT = 50, KIDS_COUNT = 81 };

    // Reads every level of "resource4.dat" in the working folder into its
    // set and builds the labels. A missing or damaged archive ends the
    // program.
    static void loadAll();
    // The load-bar units loadAll will advance: 100 per archive entry.
    static int loadUnits();
    // Deletes every level and label of the three sets.
    static void freeAll();
    // The set with the given index, or null before loadAll or for an
    // unknown index.
    static CLevelSet* getSet(int set);

    // Files a loaded level into the set its name's prefix chooses ("kid",
    // "reg", "adv"); a level with any other prefix is deleted. Takes
    // ownership of the level either way.
    static void loadLevel(const char* name, CLevel* level);

    // The label of a level ("T3" for a tutorial level, "17" for another);
    // an empty text when there is no such level.
    static const char* getLabel(int set, int index);
    // The set's name for the player ("Regular", "Advanced", "Kids"); an
    // empty text for any other index.
    static const char* getSetName(int set);
    static bool isTutorialLevel(int set, int index);
    // The story chapter that belongs to a level, -1 for every other one.
    static int getChapterIndex(int set, int index);
    static bool isLastLevel(int set, int index);

    int getCount() const { return static_cast<int>(m_levels.size()); }
    int getCurrentIndex() const { return m_currentIndex; }
    // The current level; null only for an empty set.
    CLevel* getCurrentLevel() const;
    const char* getCurrentHeading() const;
    // Moves to a level and returns it; an index outside the set is taken to
    // the nearest level.
    CLevel* selectLevel(int index);
    // Step the current level by one, never past the ends.
    CLevel* nextLevel();
    CLevel* previousLevel();

    // The level at an index of this set, or null.
    CLevel* getLevel(int index) const;

private:
    CLevelSet() = default;
    void buildLabels(bool tutorials);

    std::vector<std::unique_ptr<CLevel>> m_levels;
    std::vector<std::string> m_labels;
    int m_currentIndex = 0;
};
