// Image preloader of CDraw: reads every image file's bytes into memory at
// start-up, from the archive "resource2.dat" or from the loose files of the
// folder "resource/", registers them by name, advances the load bar, and
// then runs the image catalogues.
#include "engine/CDraw.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/ImageCatalogues.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"

namespace {
const char* const kImageArchive = "resource2.dat";
const char* const kImageFolder = "resource/";
} // namespace

Uint8 CDraw::loadFromDirectory = 1;

void CDraw::PreloadImages()
{
    PreloadFiles();
    logPrint(LOG_MILESTONE, "ID_000a: INIT:     Images Preloaded\n");
    StartDecoding();
    cacheMain();
    logPrint(LOG_MILESTONE, "ID_000b: INIT:     Main Menu Cached\n");
    cacheMap();
    logPrint(LOG_MILESTONE, "ID_000c: INIT:     Map Cached\n");
    cacheGame();
    logPrint(LOG_MILESTONE, "ID_000d: INIT:     Game Cached\n");
    cacheButtons();
    logPrint(LOG_MILESTONE, "ID_000e: INIT:     Buttons Cached\n");
    cacheFadedImages();
    logPrint(LOG_MILESTONE, "ID_000f: INIT:     Faded Cached\n");
    StopDecoding();
}

void CDraw::PreloadFiles()
{
    ClearRecords();
    if (loadFromDirectory)
        PreloadFromFolder();
    else
        PreloadFromArchive();
}

void CDraw::PreloadFromArchive()
{
    logPrint(LOG_DEBUG, "Loading DRAW_URL_DAT:  %s\n", kImageArchive);
    ResourceArchiveReader archive;
    if (!archive.Open(kImageArchive)) {
        if (archive.error().empty()) {
            logResourceFailure(kImageArchive, archive.reason().c_str());
            logError(true, "Cannot load resource file!\n");
        }
        logError(true, "Damaged resource file %s: %s\n", kImageArchive, archive.error().c_str());
    }
    uint32_t count = archive.Count();
    LoadProgressImage(static_cast<int>(count));

    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < count; ++i) {
        // A size or name length running past the end of the file is caught
        // here rather than read out of bounds.
        if (!archive.ReadEntry(i, name, data))
            logError(true, "Damaged resource file %s: %s\n", kImageArchive, archive.error().c_str());
        uint8_t* bytes = new uint8_t[data.size() ? data.size() : 1];
        if (!data.empty())
            memcpy(bytes, data.data(), data.size());
        // Names are C strings to the rest of the program: a name holding a
        // zero byte ends there, as it always has.
        RegisterRecord(new CImageRecord{0, -1, bytes, static_cast<int32_t>(data.size())}, name.c_str());
        AdvanceLoadProgress(1);
    }
    archive.Close();
}

void CDraw::PreloadFromFolder()
{
    logPrint(LOG_DEBUG, "Loading DRAW_URL_DIR:  %s\n", kImageFolder);
    DIR* folder = opendir(kImageFolder);
    if (!folder) {
        logResourceFailure(kImageFolder, strerror(errno));
        logError(true, "Unable to preload graphics: Directory stream pointer was not opened.\n");
    }

    char previous[4096];
    if (!getcwd(previous, sizeof previous))
        previous[0] = '\0';
    std::vector<std::string> kept;
    if (chdir(kImageFolder) == 0) {
        logPrint(LOG_PRELOAD, "Scanning DRAW_URL_DIR for preloading...\n");
        while (dirent* entry = readdir(folder)) {
            if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
                continue;
            struct stat info;
            if (stat(entry->d_name, &info) == 0 && !S_ISDIR(info.st_mode))
                kept.push_back(entry->d_name);
        }
        if (previous[0] && chdir(previous) != 0)
            logError(true, "Unable to return to folder %s\n", previous);
    }
    LoadProgressImage(static_cast<int>(kept.size()));

    for (const std::string& name : kept) {
        std::string path = std::string(kImageFolder) + name;
        FILE* file = fopen(path.c_str(), "rb");
        if (!file) {
            logResourceFailure(path.c_str(), strerror(errno));
            logError(true, "Could not load image:  %s\n", name.c_str());
        }
        fseek(file, 0, SEEK_END);
        long length = ftell(file);
        fseek(file, 0, SEEK_SET);
        size_t size = length > 0 ? static_cast<size_t>(length) : 0;
        uint8_t* bytes = new uint8_t[size ? size : 1];
        if (fread(bytes, 1, size, file) != size) {
            logResourceFailure(path.c_str(), "it cannot be read whole");
            fclose(file);
            logError(true, "Could not load image:  %s\n", name.c_str());
        }
        fclose(file);
        RegisterRecord(new CImageRecord{0, -1, bytes, static_cast<int32_t>(size)}, name);
        AdvanceLoadProgress(1);
    }

    if (closedir(folder) != 0)
        logError(true, "Unable to preload images: Directory stream pointer was not closed.\n");
}
