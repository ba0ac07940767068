#include "engine/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "engine/FileAccess.h"
#include "engine/UserDirs.h"

namespace {

unsigned char g_enabled[LOG_CATEGORY_COUNT];
char g_prefix[LOG_CATEGORY_COUNT][LOG_PREFIX_SIZE];
Uint32 g_stampTiming = 0;
Uint32 g_stampMilestone = 0;
LogTickSource g_tickSource = SDL_GetTicks;

struct DefaultPrefix {
    int category;
    const char* text;
};

const DefaultPrefix kDefaultPrefixes[] = {
    {0, "STACK:   "},
    {1, "NOTE:    "},
    {2, "*** ERROR ***  "},
    {3, "RENDER:  "},
    {4, "DEBUG:   "},
    {6, "DEBUG:   "},
    {7, "DEBUG:   "},
    {8, "DEBUG:   "},
    {9, "CLASS:   "},
    {10, "CLASS CONSTRUCT:  "},
    {11, "CLASS DESTRUCT:   "},
    {12, "WARNING: "},
    {13, "RENDER SORTING:    "},
    {14, "RENDER OPTIMIZE:   "},
    {15, "SPRITE:  "},
    {16, "DRAW:    "},
    {17, "PRELOAD: "},
    {18, "ELEMENT PUMP:     "},
    {19, "UNDO:    "},
    {20, "ACTIVE SPRITE:  "},
    {21, "RENDER SORTING RV:           "},
    {22, "LEVEL LOAD:  "},
    {23, "LEVEL SAVE:  "},
    {24, "LEVEL:       "},
    {25, "SOUND:       "},
    {27, "ELEMENT:     "},
    {28, "CGAME:       "},
    {29, "CEDITOR:     "},
    {31, "SCOREBOARD:  "},
};

bool validCategory(int category)
{
    return category >= 0 && category < LOG_CATEGORY_COUNT;
}

// Prints the tick stamp of categories 30 and 32 and moves the stamp on.
void printStamp(const char* format, Uint32& stamp)
{
    Uint32 now = g_tickSource();
    printf(format, static_cast<int>(now), static_cast<int>(now - stamp));
    stamp = now;
}

} // namespace

void logInit(bool on)
{
    memset(g_enabled, on ? 1 : 0, sizeof g_enabled);
    memset(g_prefix, 0, sizeof g_prefix);
    for (const DefaultPrefix& p : kDefaultPrefixes)
        logSetPrefix(p.category, p.text);
}

void logCategoryOn(int category)
{
    if (validCategory(category))
        g_enabled[category] = 1;
}

void logCategoryOff(int category)
{
    if (validCategory(category))
        g_enabled[category] = 0;
}

void logCategoryToggle(int category)
{
    if (validCategory(category))
        g_enabled[category] = !g_enabled[category];
}

bool logCategoryEnabled(int category)
{
    int index = category & 0x3ff;
    return validCategory(index) && g_enabled[index] != 0;
}

void logSetPrefix(int category, const char* text)
{
    if (!validCategory(category))
        return;
    strncpy(g_prefix[category], text ? text : "", LOG_PREFIX_SIZE - 1);
    g_prefix[category][LOG_PREFIX_SIZE - 1] = '\0';
}

const char* logGetPrefix(int category)
{
    return validCategory(category) ? g_prefix[category] : "";
}

void logSetTickSource(LogTickSource source)
{
    g_tickSource = source ? source : SDL_GetTicks;
    // Stamps taken on the old clock mean nothing on the new one.
    g_stampTiming = 0;
    g_stampMilestone = 0;
}

void logPrint(int category, const char* format, ...)
{
    if (!logCategoryEnabled(category))
        return;

    if (category == LOG_TIMING)
        printStamp("*** T=%-7i   d=+%-7i *** ", g_stampTiming);
    else if (category == LOG_MILESTONE)
        printStamp("BETA TICKS:   T=%-7i   d=+%-7i *** ", g_stampMilestone);
    else if (!(category & LOG_NO_PREFIX))
        fputs(g_prefix[category & 0x3ff], stdout);

    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
}

void logError(bool fatal, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);

    std::string fileName = std::string(GetProfileDirectory()) + "LOG.TXT";
    // Only a regular file takes the message: opening a named pipe under
    // that name for writing would wait for a reader.
    FILE* file = openRegularFileForAppend(fileName.c_str());
    if (!file) {
        logPrint(LOG_ERROR, "Cannot open log file at '%s'\n", fileName.c_str());
    } else {
        char stamp[32];
        time_t now = time(nullptr);
        struct tm local;
        localtime_r(&now, &local);
        strftime(stamp, sizeof stamp, "%d/%m/%y %H:%M:%S - ", &local);
        fputs(stamp, file);
        va_start(args, format);
        vfprintf(file, format, args);
        va_end(args);
        fclose(file);
    }

    if (fatal)
        exitFatal();
}

void exitFatal()
{
    // A fatal error may strike anywhere, with the audio thread running and
    // the engine half built: the process ends without running the static
    // destructors under that thread's feet. Only the handlers registered
    // for this (the screen's SDL_Quit) run; the printed text is flushed.
    fflush(nullptr);
    quick_exit(1);
}

void logResourceFailure(const char* fileName, const char* reason)
{
    logError(false, "Resource file '%s' cannot be used:  %s\n", fileName ? fileName : "", reason ? reason : "");
}
