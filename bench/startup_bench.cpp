// Start-up cost of the image side: the time from the program's start to
// the end of the image catalogues, split into its steps, and the peak
// memory of the process. Runs headless in the run folder with the generated
// resources and a throw-away home folder.
//
// Usage: bramblecot_startup_bench [run folder]
#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/CDraw.h"
#include "engine/ImageCatalogues.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"

namespace {

typedef std::chrono::steady_clock Clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    Clock::time_point start = Clock::now();
    std::string runDir = argc > 1 ? argv[1] : BRAMBLECOT_RUN_DIR;
    struct stat info;
    if (stat((runDir + "/resource2.dat").c_str(), &info) != 0) {
        fprintf(stderr, "No generated resources in %s\n", runDir.c_str());
        return 2;
    }

    char homeTemplate[] = "/tmp/bramblecot-bench-XXXXXX";
    if (!mkdtemp(homeTemplate))
        return 2;
    std::string home = homeTemplate;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (home + "/Documents").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (chdir(runDir.c_str()) != 0)
        return 2;

    double preload = 0, catalogues = 0, screen = 0;
    int imageCount = 0;
    {
        logInit(false);
        logCategoryOn(LOG_NOTE);
        logCategoryOn(LOG_WARNING);
        logCategoryOn(LOG_ERROR);
        CDraw::SetLoadFromDirectory(0);
        loadParameters();
        InitUserDirectories();
        initFontSystem("./", "resource5.dat");
        CProfile profile;
        CDraw::SetConfig(&profile);

        Clock::time_point t = Clock::now();
        CDraw draw;
        screen = msSince(t);

        t = Clock::now();
        CDraw::PreloadFiles();
        preload = msSince(t);

        t = Clock::now();
        cacheMain();
        cacheMap();
        cacheGame();
        cacheButtons();
        cacheFadedImages();
        catalogues = msSince(t);
        imageCount = CDraw::GetImageCount();

        double total = msSince(start);
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        printf("start-up to end of catalogues: %.1f ms\n", total);
        printf("  window and load screen:     %.1f ms\n", screen);
        printf("  archive preload:            %.1f ms (%d files)\n", preload, CDraw::GetLoadTotal() - CDraw::GetLoadReserve());
        printf("  catalogues:                 %.1f ms (%d images decoded or made)\n", catalogues, imageCount);
        printf("peak memory (max RSS):        %.1f MB\n", usage.ru_maxrss / 1024.0);
    }
    nftw(home.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    return 0;
}
