// CSound's library-facing half: starting the sound system with the output
// and driver from the settings file or the console, the result check, and
// the preload of every sound into the table with its name lookup.
#include "engine/Sound.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/CDraw.h"
#include "engine/Endian.h"
#include "engine/FileAccess.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "engine/UserDirs.h"

SndSystem* CSound::system = nullptr;
bool CSound::soundAvailable = false;
bool CSound::loadFromDirectory = true;
std::vector<SndSound*> CSound::sounds;
std::vector<bool> CSound::slotTaken;
std::map<std::string, int> CSound::soundIndex;

namespace {

const char* const kSoundArchive = "resource3.dat";
const char* const kSoundFolder = "resource/sound/";
enum { LOAD_UNITS_PER_SOUND = 100 };

// Each preloaded sound moves the start-up load bar on.
void advanceLoadBar(int units)
{
    CDraw::AdvanceLoadProgress(units);
}

// Reads characters until accept() takes one; false when the input ends.
template <typename Accept>
bool readChoice(FILE* in, Accept accept, int* choice)
{
    for (;;) {
        int c = fgetc(in);
        if (c == EOF)
            return false;
        if (accept(c)) {
            *choice = c;
            return true;
        }
    }
}

} // namespace

std::string CSound::settingsPath()
{
    char path[1024];
    snprintf(path, sizeof path, "%s%sv%i.DAT", GetProfileDirectory(), "SOUND", 3);
    return path;
}

void CSound::checkResult(int result)
{
    if (result == SND_OK)
        return;
    logError(false, "Sound library error: %s\n", sndResultText(result));
}

void CSound::init(bool useSettingsFile)
{
    int result = sndSystemCreate(&system);
    if (result != SND_OK) {
        checkResult(result);
        system = nullptr;
        soundAvailable = false;
        return;
    }
    if (useSettingsFile)
        loadSettings();
    else
        selectOutputInteractive();

    result = sndSystemInit(system, 128, SND_INIT_NORMAL);
    if (result == SND_OK) {
        soundAvailable = true;
    } else {
        checkResult(result);
        soundAvailable = false;
        // No device: the system is of no further use this run.
        sndSystemRelease(system);
        system = nullptr;
    }
}

void CSound::loadSettings()
{
    std::string path = settingsPath();
    // The settings file lies in the player's folder: anything but a regular
    // file there (a named pipe would hold the start-up) is passed over.
    FILE* file = openRegularFile(path.c_str());
    if (!file)
        return;
    uint32_t output = 0, driver = 0;
    bool complete = ReadUint32(&output, file) && ReadUint32(&driver, file);
    fclose(file);
    // A short file holds no usable choice: the library's defaults stay.
    if (!complete)
        return;
    printf("%s\n", "\nSound settings loaded from file.  To alter settings in the future, run the game with a command line parameter of 4");
    checkResult(sndSystemSetOutput(system, static_cast<int>(output)));
    checkResult(sndSystemSetDriver(system, static_cast<int>(driver)));
}

void CSound::selectOutputInteractive(FILE* in, FILE* out)
{
    fprintf(out, "%s\n", "\nPROFESSOR BRAMBLECOT - SOUND INITIALIZATION\n");
    fprintf(out, "%s\n", "****** PLEASE SELECT DESIRED SOUND SYSTEM ****** ");
    fprintf(out, "%s\n", "1 - SDL audio");
    fprintf(out, "%s", "\nInput the number corresponding to the desired sound system and press ENTER: ");
    fflush(out);

    // The input may end before an answer: then the defaults stay and no
    // file is written.
    int answer = 0;
    if (!readChoice(in, [](int c) { return c == '1'; }, &answer))
        return;
    uint32_t output = SND_OUTPUT_SDL;
    checkResult(sndSystemSetOutput(system, static_cast<int>(output)));

    int count = 0;
    checkResult(sndSystemGetNumDrivers(system, &count));
    fprintf(out, "%s\n", "\n\n****** PLEASE SELECT DESIRED SOUND DRIVER ****** ");
    for (int i = 0; i < count; ++i) {
        char name[256];
        name[0] = '\0';
        checkResult(sndSystemGetDriverName(system, i, name, sizeof name));
        fprintf(out, "%d : %s\n", i + 1, name);
    }
    fprintf(out, "%s", "\nInput the number corresponding to the desired sound driver and press ENTER: ");
    fflush(out);
    if (count <= 0)
        return;
    if (!readChoice(in, [count](int c) { return c - '1' >= 0 && c - '1' < count; }, &answer))
        return;
    uint32_t driver = static_cast<uint32_t>(answer - '1');
    checkResult(sndSystemSetDriver(system, static_cast<int>(driver)));

    std::string path = settingsPath();
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        logError(true, "Cannot save sound data: %s\n", path.c_str());
    WriteUint32(output, file);
    WriteUint32(driver, file);
    fclose(file);
}

void CSound::setLoadFromDirectory(bool fromDirectory)
{
    loadFromDirectory = fromDirectory;
}

int CSound::preloadUnits()
{
    if (!soundAvailable)
        return 0;
    if (!loadFromDirectory)
        return static_cast<int>(ResourceArchiveEntryCount(kSoundArchive)) * LOAD_UNITS_PER_SOUND;
    int files = 0;
    if (DIR* folder = opendir(kSoundFolder)) {
        int fd = dirfd(folder);
        while (struct dirent* entry = readdir(folder)) {
            struct stat info;
            if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0 &&
                fstatat(fd, entry->d_name, &info, 0) == 0 && !S_ISDIR(info.st_mode))
                ++files;
        }
        closedir(folder);
    }
    return files * LOAD_UNITS_PER_SOUND;
}

void CSound::loadSound()
{
    if (!soundAvailable)
        return;

    if (!loadFromDirectory) {
        soundIndex.clear();
        logPrint(LOG_DEBUG, "Loading SOUND_URL_DAT:  %s\n", kSoundArchive);
        ResourceArchiveReader archive;
        if (!archive.Open(kSoundArchive)) {
            logResourceFailure(kSoundArchive, archive.reason().c_str());
            logError(true, "Cannot load sound resource file!\n");
        }
        std::string name;
        std::vector<uint8_t> data;
        for (uint32_t i = 0; i < archive.Count(); ++i) {
            int index = -1;
            if (archive.ReadEntry(i, name, data)) {
                index = createSound(data.data(), static_cast<int>(data.size()));
                if (!sounds[index])
                    logError(false, "Sound '%s' in %s cannot be used and stays silent\n", name.c_str(),
                             kSoundArchive);
            } else {
                std::string reason = archive.error();
                if (!archive.ReadEntryName(i, name)) {
                    // The offset table or an entry's header is damaged.
                    logResourceFailure(kSoundArchive, archive.error().c_str());
                    logError(true, "Cannot load sound resource file!\n");
                }
                // Only the sound's data is damaged: like a sound that cannot
                // be decoded it keeps its slot and its name and stays silent.
                logError(false, "Sound '%s' in %s is damaged:  %s\n", name.c_str(), kSoundArchive, reason.c_str());
                index = findFreeSlot(nullptr);
            }
            logPrint(LOG_PRELOAD, "CSound::loadSound   #%-6i:   %s  (DAT)\n", index, name.c_str());
            soundIndex.emplace(name, index);
            advanceLoadBar(LOAD_UNITS_PER_SOUND);
        }
        archive.Close();
        return;
    }

    logPrint(LOG_DEBUG, "Loading SOUND_URL_DIR:  %s\n", kSoundFolder);
    DIR* folder = opendir(kSoundFolder);
    if (!folder) {
        logResourceFailure(kSoundFolder, strerror(errno));
        logError(true, "Unable to preload sounds: Directory stream pointer was not opened.\n");
    }
    char cwd[4096];
    bool haveCwd = getcwd(cwd, sizeof cwd) != nullptr;
    std::vector<std::string> names;
    if (chdir(kSoundFolder) == 0) {
        logPrint(LOG_PRELOAD, "Scanning SOUND_URL_DIR for preloading...\n");
        while (struct dirent* entry = readdir(folder)) {
            if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
                continue;
            struct stat info;
            if (stat(entry->d_name, &info) == 0 && !S_ISDIR(info.st_mode))
                names.push_back(entry->d_name);
        }
        if (haveCwd && chdir(cwd) != 0)
            logError(false, "Cannot return to folder '%s'\n", cwd);
    }
    for (const std::string& fileName : names) {
        int index = createSound(fileName.c_str(), -1);
        logPrint(LOG_PRELOAD, "CSound::loadSound   #%-6i:   %s  (DIR)\n", index, fileName.c_str());
        soundIndex.emplace(fileName, index);
        advanceLoadBar(LOAD_UNITS_PER_SOUND);
    }
    if (closedir(folder) != 0)
        logError(true, "Unable to preload sounds: Directory stream pointer was not closed.\n");
}

int CSound::createSound(const void* source, int length)
{
    SndSound* sound = nullptr;
    int result;
    if (length == -1) {
        std::string path = std::string(kSoundFolder) + static_cast<const char*>(source);
        result = sndSystemCreateSoundFile(system, path.c_str(), &sound);
    } else {
        result = sndSystemCreateSound(system, source, length, &sound);
    }
    checkResult(result);
    if (sound)
        checkResult(sndSoundSetLoopCount(sound, 0));
    return findFreeSlot(sound);
}

int CSound::findFreeSlot(SndSound* sound)
{
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (!slotTaken[i]) {
            sounds[i] = sound;
            slotTaken[i] = true;
            return static_cast<int>(i);
        }
    }
    sounds.push_back(sound);
    slotTaken.push_back(true);
    return static_cast<int>(sounds.size() - 1);
}

int CSound::findSound(const char* name)
{
    if (!soundAvailable)
        return -1;
    auto found = soundIndex.find(name);
    if (found == soundIndex.end())
        logError(true, "Unable to find preloaded sound: %s\n", name);
    return found->second;
}

SndSound* CSound::getSoundByIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(sounds.size()))
        return nullptr;
    return sounds[index];
}

void CSound::shutdown()
{
    if (!soundAvailable)
        return;
    for (SndSound* sound : sounds)
        if (sound)
            checkResult(sndSoundRelease(sound));
    sounds.clear();
    slotTaken.clear();
    checkResult(sndSystemClose(system));
    checkResult(sndSystemRelease(system));
    system = nullptr;
    soundAvailable = false;
}
