// Diagnostic log: numbered categories that can be switched on and off, each
// with a text prefix; lines go to standard output. Errors also go to
// "LOG.TXT" in the profile folder with a time stamp.
#pragma once

#include <SDL.h>

// Log categories. Bit LOG_NO_PREFIX may be added to any of them.
enum {
    LOG_STACK = 0,
    LOG_NOTE = 1,
    LOG_ERROR = 2,
    LOG_RENDER = 3,
    LOG_DEBUG = 4,
    LOG_GRID = 5,
    LOG_MAGNET = 8,
    LOG_CLASS = 9,
    LOG_CONSTRUCT = 10,
    LOG_DESTRUCT = 11,
    LOG_WARNING = 12,
    LOG_RENDER_SORTING = 13,
    LOG_RENDER_OPTIMIZE = 14,
    LOG_SPRITE = 15,
    LOG_DRAW = 16,
    LOG_PRELOAD = 17,
    LOG_ELEMENT_PUMP = 18,
    LOG_UNDO = 19,
    LOG_ACTIVE_SPRITE = 20,
    LOG_RENDER_SORTING_RV = 21,
    LOG_LEVEL_LOAD = 22,
    LOG_LEVEL_SAVE = 23,
    LOG_LEVEL = 24,
    LOG_SOUND = 25,
    LOG_PROFILE_HEADER = 26,
    LOG_ELEMENT = 27,
    LOG_CGAME = 28,
    LOG_CEDITOR = 29,
    LOG_TIMING = 30,
    LOG_SCOREBOARD = 31,
    LOG_MILESTONE = 32,

    LOG_CATEGORY_COUNT = 33,
    LOG_PREFIX_SIZE = 35,
    LOG_NO_PREFIX = 0x400
};

void logInit(bool on);
void logCategoryOn(int category);
void logCategoryOff(int category);
void logCategoryToggle(int category);
bool logCategoryEnabled(int category);
void logSetPrefix(int category, const char* text);
const char* logGetPrefix(int category);

void logPrint(int category, const char* format, ...) __attribute__((format(printf, 2, 3)));
void logError(bool fatal, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Ends the program with exit code 1 after a fatal error: flushes the
// printed text and runs the quick-exit handlers (not the static
// destructors). logError with fatal set ends this way.
[[noreturn]] void exitFatal();

// Names a resource file that cannot be used and the reason, on the console
// and in "LOG.TXT"; readers call it just before their own fatal message,
// which does not always say which file failed or why.
void logResourceFailure(const char* fileName, const char* reason);

// The millisecond clock that stamps categories 30 and 32 (SDL_GetTicks
// unless replaced; tests hand in a clock of their own). Setting it starts
// both stamps from 0 again.
typedef Uint32 (*LogTickSource)();
void logSetTickSource(LogTickSource source);
