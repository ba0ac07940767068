#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "platform/SoundTestData.h"
#include "test_support.h"

using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

const char* const kTracks[] = {"main.oxm", "map.oxm", "story.oxm", "stage1.oxm", "stage2.oxm", "stage3.oxm"};

// Polls until the condition holds; the dummy audio device plays in real
// time on its own thread.
bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000)
{
    for (int waited = 0; waited < milliseconds; waited += 5) {
        if (condition())
            return true;
        SDL_Delay(5);
    }
    return condition();
}

void updates(int count)
{
    for (int i = 0; i < count; ++i)
        CSound::update();
}

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A working folder with a sound archive: two tones, a damaged sound and a
// damaged module ahead of them, and the six generated music tracks.
class SoundFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_chdir = std::make_unique<ScopedChdir>(m_dir.path());
        ResourceArchiveWriter writer;
        writer.Add("broken.ogg", soundtest::damagedOgg());
        writer.Add("broken.oxm", soundtest::damagedModule());
        writer.Add("beep.ogg", soundtest::oggTone(660, 0.1, 0.5));
        writer.Add("long.ogg", soundtest::oggTone(440, 2.0, 0.5));
        writer.Add("beep.ogg", soundtest::oggTone(220, 1.0, 0.5));  // a later duplicate
        for (const char* track : kTracks) {
            std::vector<uint8_t> data = soundtest::generatedSound(track);
            ASSERT_FALSE(data.empty()) << track;
            writer.Add(track, data);
        }
        ASSERT_TRUE(writer.Write(m_dir.file("resource3.dat")));
        CSound::setLoadFromDirectory(false);
    }
    void TearDown() override
    {
        CSound::destroyMusic();
        CSound::shutdown();
    }

    TempDir m_dir;
    std::unique_ptr<ScopedChdir> m_chdir;
};

// Sound started and every sound preloaded.
class SoundRecords : public SoundFolder {
protected:
    void SetUp() override
    {
        SoundFolder::SetUp();
        CSound::init(true);
        ASSERT_TRUE(CSound::isAvailable());
        // The two damaged entries are reported; the test that cares reads it.
        testing::internal::CaptureStdout();
        CSound::loadSound();
        testing::internal::GetCapturedStdout();
        CSound::loadMusic();
        CSound::setEffectsVolume(0.6f);
        CSound::setMusicVolume(0.3f);
    }
};

} // namespace

TEST_F(SoundRecords, OneShotEndsAndLoopPlaysUntilStopped)
{
    CSound beep("beep.ogg", false);
    EXPECT_FALSE(beep.isPlaying());
    beep.play(false, 0, 0.0f);
    EXPECT_TRUE(waitUntil([&] { return !beep.isPlaying(); }));

    beep.play(true, 0, 0.0f);
    SDL_Delay(300);  // three times the sound's length
    EXPECT_TRUE(beep.isPlaying());
    beep.stop();
    EXPECT_FALSE(beep.isPlaying());

    // A one-shot after a looping play of the same sound plays once.
    beep.play(false, 0, 0.0f);
    EXPECT_TRUE(waitUntil([&] { return !beep.isPlaying(); }));
}

TEST_F(SoundRecords, ChannelGivenToAnotherSoundIsNotPlayingForTheFirst)
{
    CSound first("long.ogg", false);
    CSound second("beep.ogg", false);
    first.play(false, 0, 0.0f);
    EXPECT_TRUE(first.isPlaying());
    first.stop();
    second.play(true, 0, 0.0f);  // takes the channel that first had
    EXPECT_FALSE(first.isPlaying());
    EXPECT_TRUE(second.isPlaying());
    // Stopping the first record does not touch the second's sound.
    first.stop();
    EXPECT_TRUE(second.isPlaying());
}

TEST_F(SoundRecords, MusicFadeOutStepsDownStopsAndRestoresVolume)
{
    CSound track("long.ogg", true);
    EXPECT_FLOAT_EQ(track.getVolume(), 0.3f);
    track.play(true, 0, 0.0f);
    track.fadeOut(15);
    EXPECT_TRUE(track.isFadingOut());
    for (int k = 15; k >= 2; --k) {
        CSound::update();
        EXPECT_NEAR(track.getVolume(), 0.3f * (k - 1) / 15.0f, 1e-5f) << "counter " << k;
        EXPECT_TRUE(track.isPlaying());
    }
    CSound::update();  // reaches exactly 0.0: stopped, volume restored
    EXPECT_FALSE(track.isPlaying());
    EXPECT_FLOAT_EQ(track.getVolume(), 0.3f);
    EXPECT_TRUE(track.isFadingOut());
    CSound::update();
    EXPECT_FALSE(track.isFadingOut());
}

TEST_F(SoundRecords, FadeInReachesTheCategoryVolume)
{
    CSound slide("long.ogg", false);
    slide.fadeIn(10);
    EXPECT_FLOAT_EQ(slide.getVolume(), 0.0f);
    slide.play(true, 0, 0.0f);
    float previous = 0.0f;
    for (int i = 0; i < 9; ++i) {
        CSound::update();
        EXPECT_GT(slide.getVolume(), previous);
        EXPECT_LT(slide.getVolume(), 0.6f);
        previous = slide.getVolume();
    }
    CSound::update();
    EXPECT_NEAR(slide.getVolume(), 0.6f, 1e-6f);
    EXPECT_TRUE(slide.isFadingIn());
    CSound::update();
    EXPECT_FLOAT_EQ(slide.getVolume(), 0.6f);
    EXPECT_FALSE(slide.isFadingIn());
}

TEST_F(SoundRecords, PauseFadesSilenceLoopsAndBringThemBack)
{
    CSound loop("beep.ogg", false);
    CSound oneShot("long.ogg", false);
    loop.play(true, 0, 0.0f);
    oneShot.play(false, 0, 0.0f);
    CSound::fadeOutEffects();
    EXPECT_TRUE(loop.isFadingOut());
    EXPECT_FALSE(oneShot.isFadingOut());  // a one-shot finishes by itself
    updates(11);
    EXPECT_FALSE(loop.isFadingOut());
    EXPECT_FLOAT_EQ(loop.getVolume(), 0.0f);
    EXPECT_TRUE(loop.isPlaying());  // silent, channel kept

    CSound::fadeInEffects();
    EXPECT_TRUE(loop.isFadingIn());
    updates(11);
    EXPECT_FLOAT_EQ(loop.getVolume(), 0.6f);
    EXPECT_TRUE(loop.isPlaying());

    CSound::stopEffects();
    EXPECT_FALSE(loop.isPlaying());
    EXPECT_FALSE(oneShot.isPlaying());
}

TEST_F(SoundRecords, ZeroVolumeOneShotIsNotPlayedButALoopIs)
{
    CSound::setEffectsVolume(0.0f);
    CSound beep("beep.ogg", false);
    beep.play(false, 0, 0.0f);
    EXPECT_FALSE(beep.isPlaying());
    beep.play(false, 4, 0.0f);
    EXPECT_FALSE(beep.isDelayed());

    beep.play(true, 0, 0.0f);
    EXPECT_TRUE(beep.isPlaying());
    EXPECT_FLOAT_EQ(beep.getVolume(), 0.0f);
    CSound::setEffectsVolume(0.5f);
    EXPECT_FLOAT_EQ(beep.getVolume(), 0.5f);
}

TEST_F(SoundRecords, DelayedPlayStartsOnTheFourthUpdateAsAOneShot)
{
    CSound beep("long.ogg", false);  // long enough to be caught playing
    beep.play(true, 4, 0.0f);
    EXPECT_TRUE(beep.isDelayed());
    EXPECT_FALSE(beep.isPlaying());
    updates(3);
    EXPECT_FALSE(beep.isPlaying());
    CSound::update();
    EXPECT_FALSE(beep.isDelayed());
    EXPECT_TRUE(beep.isPlaying());
    EXPECT_TRUE(waitUntil([&] { return !beep.isPlaying(); }));
}

TEST_F(SoundRecords, MusicSelectionAndStageRotation)
{
    CSound::playMapMusic();
    CSound* map = CSound::getCurrentMusic();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isPlaying());
    EXPECT_TRUE(map->isFadingIn());
    updates(31);
    CSound::playMapMusic();  // already current: nothing restarts
    EXPECT_FALSE(map->isFadingIn());
    EXPECT_FLOAT_EQ(map->getVolume(), 0.3f);

    CSound::stopMusic();
    EXPECT_EQ(CSound::getCurrentMusic(), nullptr);
    EXPECT_TRUE(map->isFadingOut());
    CSound::playMapMusic();  // the same track starts again
    EXPECT_EQ(CSound::getCurrentMusic(), map);
    EXPECT_TRUE(map->isFadingIn());
    EXPECT_TRUE(map->isPlaying());

    // The stage tracks rotate from the second one.
    logCategoryOn(LOG_SOUND);
    testing::internal::CaptureStdout();
    CSound::playStageMusic(false);
    std::string log = testing::internal::GetCapturedStdout();
    logCategoryOff(LOG_SOUND);
    EXPECT_NE(log.find("Attempting to play sound 'stage2.oxm'"), std::string::npos) << log;
    CSound* first = CSound::getCurrentMusic();
    CSound::playStageMusic(true);
    EXPECT_EQ(CSound::getCurrentMusic(), first);
    CSound::playStageMusic(false);
    CSound* second = CSound::getCurrentMusic();
    CSound::playStageMusic(false);
    CSound* third = CSound::getCurrentMusic();
    CSound::playStageMusic(false);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_NE(first, third);
    EXPECT_EQ(CSound::getCurrentMusic(), first);
}

TEST_F(SoundRecords, VolumeChangeDuringCrossFadeReachesTheNewTrackAtItsEnd)
{
    CSound::playMainMusic();
    CSound* main = CSound::getCurrentMusic();
    updates(31);
    CSound::playStoryMusic();
    CSound* story = CSound::getCurrentMusic();
    ASSERT_NE(main, story);
    updates(5);
    float mainBefore = main->getVolume();
    CSound::setMusicVolume(0.8f);
    EXPECT_FLOAT_EQ(main->getVolume(), mainBefore);  // fading records are left alone
    updates(10);
    EXPECT_FALSE(main->isPlaying());  // the 15-step fade-out has ended
    updates(16);
    EXPECT_FALSE(story->isFadingIn());
    EXPECT_FLOAT_EQ(story->getVolume(), 0.8f);
    EXPECT_TRUE(story->isPlaying());
}

TEST_F(SoundRecords, NamesAreExactAndTheFirstDuplicateWins)
{
    int beep = CSound::findSound("beep.ogg");
    EXPECT_GE(beep, 0);
    // Two tones, the duplicate, two damaged entries and six tracks.
    EXPECT_NE(CSound::getSoundByIndex(beep), nullptr);
    EXPECT_NE(CSound::getSoundByIndex(beep + 2), nullptr);  // the later duplicate still loaded
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound wrongCase("BEEP.ogg", false);
        },
        ::testing::ExitedWithCode(1), "Unable to find preloaded sound: BEEP.ogg");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound missing("never_made.ogg", false);
        },
        ::testing::ExitedWithCode(1), "Unable to find preloaded sound: never_made.ogg");
}

TEST_F(SoundRecords, DamagedSoundsAreLoggedAndStaySilent)
{
    // The preload ran in SetUp; run it again to see what it reports.
    testing::internal::CaptureStdout();
    CSound::loadSound();
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(occurrences(log, "Sound library error: "), 2) << log;
    EXPECT_NE(log.find("Sound 'broken.ogg' in resource3.dat cannot be used and stays silent"), std::string::npos);
    EXPECT_NE(log.find("Sound 'broken.oxm' in resource3.dat cannot be used and stays silent"), std::string::npos);

    int broken = CSound::findSound("broken.ogg");
    int brokenModule = CSound::findSound("broken.oxm");
    int beepIndex = CSound::findSound("beep.ogg");
    EXPECT_EQ(CSound::getSoundByIndex(broken), nullptr);
    EXPECT_EQ(CSound::getSoundByIndex(brokenModule), nullptr);
    EXPECT_NE(broken, beepIndex);
    EXPECT_NE(brokenModule, beepIndex);

    testing::internal::CaptureStdout();
    CSound silent("broken.ogg", false);
    silent.play(true, 0, 0.0f);
    silent.fadeOut(3);
    updates(4);
    log = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(silent.isPlaying());
    EXPECT_EQ(log.find("Sound library error"), std::string::npos) << log;

    CSound beep("beep.ogg", false);
    beep.play(true, 0, 0.0f);
    EXPECT_TRUE(beep.isPlaying());
}

TEST_F(SoundFolder, SoundUnavailableMakesEveryCallANoOp)
{
    ASSERT_FALSE(CSound::isAvailable());
    remove("resource3.dat");  // a preload that ran would now end the program
    CSound::loadSound();
    CSound::loadMusic();
    EXPECT_EQ(CSound::findSound("beep.ogg"), -1);
    EXPECT_EQ(CSound::findSound("no such sound"), -1);

    float effects = CSound::getEffectsVolume();
    CSound::setEffectsVolume(effects + 0.1f);
    CSound::setMusicVolume(0.9f);
    EXPECT_FLOAT_EQ(CSound::getEffectsVolume(), effects);

    CSound* record = new CSound("no such sound", false);
    record->play(true, 0, 0.0f);
    record->play(false, 4, 1.5f);
    record->fadeIn(5);
    record->fadeOut(5);
    record->applyVolume(0.7f);
    EXPECT_FALSE(record->isPlaying());
    EXPECT_FALSE(record->isFadingIn());
    EXPECT_FALSE(record->isFadingOut());
    EXPECT_FALSE(record->isDelayed());
    EXPECT_FLOAT_EQ(record->getVolume(), 0.0f);
    record->stop();
    CSound::update();
    CSound::playMainMusic();
    CSound::playStageMusic(false);
    CSound::stopMusic();
    CSound::fadeOutEffects();
    CSound::fadeInEffects();
    CSound::stopEffects();
    EXPECT_EQ(CSound::getCurrentMusic(), nullptr);
    delete record;
}

// Sound start-up: the settings file and the console dialogue.
class SoundStartup : public SoundFolder {
protected:
    void answer(const std::string& text)
    {
        testsupport::writeFile(m_dir.file("answers.txt"), text);
        ASSERT_NE(freopen(m_dir.file("answers.txt").c_str(), "r", stdin), nullptr);
    }
    std::string settingsBytes() { return testsupport::readFile(CSound::settingsPath()); }
};

TEST_F(SoundStartup, DialogueSkipsOtherKeysAndWritesTheChoice)
{
    testsupport::writeFile(CSound::settingsPath(), std::string("\x09\0\0\0\x05\0\0\0", 8));
    answer("x0\n4\n1\n\n1\n");
    testing::internal::CaptureStdout();
    CSound::init(false);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(CSound::isAvailable());
    EXPECT_NE(out.find("PROFESSOR BRAMBLECOT - SOUND INITIALIZATION"), std::string::npos);
    EXPECT_NE(out.find("1 : dummy\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Sound settings loaded"), std::string::npos);
    // The old file is replaced: our output type, the first driver.
    EXPECT_EQ(settingsBytes(), std::string("\x01\0\0\0\0\0\0\0", 8));
}

TEST_F(SoundStartup, DialogueThatRunsOutOfInputKeepsTheDefaults)
{
    answer("x");
    testing::internal::CaptureStdout();
    CSound::init(false);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(CSound::isAvailable());
    EXPECT_FALSE(testsupport::fileExists(CSound::settingsPath()));
}

TEST_F(SoundStartup, SettingsFileIsAppliedAndBadValuesOnlyLogged)
{
    testsupport::writeFile(CSound::settingsPath(), std::string("\x01\0\0\0\0\0\0\0", 8));
    testing::internal::CaptureStdout();
    CSound::init(true);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(CSound::isAvailable());
    EXPECT_NE(out.find("\nSound settings loaded from file.  To alter settings in the future, run the game "
                       "with a command line parameter of 4\n"),
              std::string::npos);
    EXPECT_EQ(out.find("Sound library error"), std::string::npos) << out;
    CSound::shutdown();

    // A type and driver from another machine: logged, and sound still starts.
    testsupport::writeFile(CSound::settingsPath(), std::string("\x06\0\0\0\x03\0\0\0", 8));
    testing::internal::CaptureStdout();
    CSound::init(true);
    out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(CSound::isAvailable());
    EXPECT_EQ(occurrences(out, "Sound library error: "), 2) << out;
    CSound::shutdown();

    // A short file is no choice at all.
    testsupport::writeFile(CSound::settingsPath(), std::string("\x06\0\0", 3));
    testing::internal::CaptureStdout();
    CSound::init(true);
    out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(CSound::isAvailable());
    EXPECT_EQ(out.find("Sound settings loaded"), std::string::npos);
    EXPECT_EQ(out.find("Sound library error"), std::string::npos);
}

TEST_F(SoundStartup, MissingArchiveEndsTheProgram)
{
    CSound::init(true);
    ASSERT_TRUE(CSound::isAvailable());
    remove("resource3.dat");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::loadSound();
        },
        ::testing::ExitedWithCode(1),
        "'resource3.dat' cannot be used:  cannot be opened: No such file or directory\n"
        "(.|\n)*Cannot load sound resource file!");
}

TEST_F(SoundStartup, ADamagedEntryKeepsItsSlotAndNameAndStaysSilent)
{
    CSound::init(true);
    ASSERT_TRUE(CSound::isAvailable());
    ResourceArchiveWriter writer;
    writer.Add("beep.ogg", soundtest::oggTone(660, 0.1, 0.5));
    writer.Add("cut.ogg", soundtest::oggTone(440, 0.5, 0.5));
    ASSERT_TRUE(writer.Write("resource3.dat"));
    // The last entry's data runs one byte past the end of the file.
    std::string whole = testsupport::readFile("resource3.dat");
    testsupport::writeFile("resource3.dat", whole.substr(0, whole.size() - 1));

    testing::internal::CaptureStdout();
    CSound::loadSound();
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Sound 'cut.ogg' in resource3.dat is damaged:  entry 1 runs past the end of the file"),
              std::string::npos)
        << log;
    int beep = CSound::findSound("beep.ogg");
    int cut = CSound::findSound("cut.ogg");
    EXPECT_EQ(cut, beep + 1);
    EXPECT_EQ(CSound::getSoundByIndex(cut), nullptr);
    CSound silent("cut.ogg", false);
    silent.play(false, 0, 0.0f);
    EXPECT_FALSE(silent.isPlaying());
    CSound heard("beep.ogg", false);
    heard.play(false, 0, 0.0f);
    EXPECT_TRUE(heard.isPlaying());

    // Whole again, it loads.
    testsupport::writeFile("resource3.dat", whole);
    CSound::loadSound();
    EXPECT_NE(CSound::getSoundByIndex(CSound::findSound("cut.ogg")), nullptr);
}

TEST_F(SoundStartup, ADamagedOffsetTableOrEntryHeaderEndsTheProgram)
{
    CSound::init(true);
    ASSERT_TRUE(CSound::isAvailable());
    ResourceArchiveWriter writer;
    writer.Add("beep.ogg", soundtest::oggTone(660, 0.1, 0.5));
    writer.Add("boop.ogg", soundtest::oggTone(440, 0.1, 0.5));
    ASSERT_TRUE(writer.Write("resource3.dat"));
    const std::string whole = testsupport::readFile("resource3.dat");

    std::string counted = whole;
    counted[3] = '\x10'; // far more entries than the file holds
    testsupport::writeFile("resource3.dat", counted);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::loadSound();
        },
        ::testing::ExitedWithCode(1),
        "'resource3.dat' cannot be used:  the offset table runs past the end of the file\n"
        "(.|\n)*Cannot load sound resource file!");

    std::string moved = whole;
    moved[4 + 4 + 3] = '\x10'; // the second offset beyond the end
    testsupport::writeFile("resource3.dat", moved);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::loadSound();
        },
        ::testing::ExitedWithCode(1),
        "'resource3.dat' cannot be used:  entry 1 starts past the end of the file\n"
        "(.|\n)*Cannot load sound resource file!");

    // The second entry's name length reaches past the end.
    std::string named = whole;
    uint32_t second = static_cast<uint8_t>(whole[8]) | static_cast<uint8_t>(whole[9]) << 8 |
                      static_cast<uint8_t>(whole[10]) << 16;
    named[second + 4 + 3] = '\x10';
    testsupport::writeFile("resource3.dat", named);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::loadSound();
        },
        ::testing::ExitedWithCode(1),
        "'resource3.dat' cannot be used:  the name of entry 1 runs past the end of the file\n"
        "(.|\n)*Cannot load sound resource file!");
}

TEST_F(SoundStartup, LooseFilesLoadFromTheSoundFolder)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::init(true);
            CSound::setLoadFromDirectory(true);
            CSound::loadSound();
        },
        ::testing::ExitedWithCode(1), "'resource/sound/' cannot be used:  No such file or directory\n"
                                      "(.|\n)*Unable to preload sounds: Directory stream pointer was not opened.");

    remove("resource3.dat");  // loose files only
    for (const char* folder : {"resource", "resource/sound", "resource/sound/nested"})
        ASSERT_EQ(mkdir(m_dir.file(folder).c_str(), 0755), 0);
    testsupport::writeFile(m_dir.file("resource/sound/tick.ogg"), soundtest::oggTone(880, 0.05, 0.5));
    testsupport::writeFile(m_dir.file("resource/sound/nested/inner.ogg"), soundtest::oggTone(880, 0.05, 0.5));
    CSound::init(true);
    CSound::setLoadFromDirectory(true);
    CSound::loadSound();
    int tick = CSound::findSound("tick.ogg");
    EXPECT_NE(CSound::getSoundByIndex(tick), nullptr);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CSound::findSound("nested");
        },
        ::testing::ExitedWithCode(1), "Unable to find preloaded sound: nested");
    CSound record("tick.ogg", false);
    record.play(false, 0, 0.0f);
    EXPECT_TRUE(waitUntil([&] { return !record.isPlaying(); }));
}
