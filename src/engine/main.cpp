// Program entry: brings the engine's services up in a fixed order, runs the
// frame loop, and takes them down again in a fixed order.
#include <cstdlib>
#include <ctime>

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/Sound.h"
#include "engine/UserDirs.h"

int main(int argc, char** argv)
{
    srand(static_cast<unsigned>(time(nullptr)));
    int flags = (argc == 2) ? atoi(argv[1]) : 0;

    logInit(false);
    logCategoryOn(LOG_NOTE);
    logCategoryOn(LOG_WARNING);
    logCategoryOn(LOG_ERROR);

    // Sounds come from the packed archive, not from loose files.
    CSound::setLoadFromDirectory(false);

    loadParameters();
    InitUserDirectories();

    // Flag bit 2 runs the game silently; bit 4 asks for the sound output on
    // the console instead of reading the saved choice.
    if (!(flags & 2))
        CSound::init(!(flags & 4));

    logPrint(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Started\n");
    CSound::loadSound();
    CSound::loadMusic();
    logPrint(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Completed\n");

    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    // Stop the audio thread before the process tears down its objects.
    CSound::shutdown();
    return 0;
}
