// The game's sound: one CSound object per use of a preloaded sound (a
// screen's click, an element's slide, a music track), plus the class-wide
// sound system, the table of preloaded sounds, the volumes, the music
// selection and the per-frame update of fades and delayed plays.
//
// While sound is unavailable (not started, or no device) every operation does
// nothing or answers neutrally (not playing, not fading, volume 0), so callers
// never need to ask whether sound is on.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/SoundLib.h"

class CSound {
public:
    CSound(const char* name, bool isMusic);
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Plays the sound, looping until stopped when loop is set. A non-zero
    // delay starts it (as a one-shot) that many updates later; a non-zero
    // factor scales its frequency.
    void play(bool loop, int delayFrames, float frequencyFactor);
    void stop();
    bool isPlaying();
    void fadeIn(int steps);
    void fadeOut(int steps);
    bool isFadingOut() const;
    bool isFadingIn() const;
    bool isDelayed() const;
    float getVolume() const;
    void applyVolume(float v);
    void updateFade();
    void updateOne();

    // Start-up and the preloaded sounds.
    static void init(bool useSettingsFile);
    static void loadSettings();
    // Reads the answers from in and prints the questions to out.
    static void selectOutputInteractive(FILE* in = stdin, FILE* out = stdout);
    static void checkResult(int result);
    static void setLoadFromDirectory(bool fromDirectory);
    static void loadSound();
    // The load-bar units loadSound will advance: 100 per sound it will find
    // (none while sound is unavailable).
    static int preloadUnits();
    static int createSound(const void* source, int length);
    static int findFreeSlot(SndSound* sound);
    static int findSound(const char* name);
    static SndSound* getSoundByIndex(int index);
    static void shutdown();
    static bool isAvailable() { return soundAvailable; }
    // The library system while sound is available (tests mix through it).
    static SndSystem* getSystem() { return system; }
    // Path of the sound settings file in the profile folder.
    static std::string settingsPath();

    // Music, volumes and the per-frame work.
    static void loadMusic();
    static void destroyMusic();
    static void update();
    static void setMusicVolume(float v);
    static void setEffectsVolume(float v);
    static float getEffectsVolume() { return effectsVolume; }
    static float getMusicVolume() { return musicVolume; }
    static void playMainMusic();
    static void playMapMusic();
    static void playStoryMusic();
    static void playStageMusic(bool keepCurrent);
    static void switchMusic(CSound* track, bool loop, bool slowFadeIn);
    static void stopMusic();
    static void fadeOutEffects();
    static void fadeInEffects();
    static void stopEffects();
    static CSound* getCurrentMusic() { return currentMusic; }
    // The file name of every sound object that exists now, in creation order
    // (checks of what the game's objects really load).
    static std::vector<std::string> liveSoundNames();

private:
    float categoryVolume() const { return isMusic ? musicVolume : effectsVolume; }
    SndSound* preloaded() const;

    int index = -1;
    SndChannel channel = 0;
    float volume = 0.0f;
    int fadeInSteps = -1;
    int fadeOutSteps = -1;
    int delayFrames = 0;
    bool isMusic = false;
    std::string name;
    bool looping = false;

    static SndSystem* system;
    static bool soundAvailable;
    static bool loadFromDirectory;
    static std::vector<SndSound*> sounds;
    // Table entries taken by a sound, including sounds that failed to load:
    // a failed entry stays reserved, so its name never reaches another sound.
    static std::vector<bool> slotTaken;
    static std::map<std::string, int> soundIndex;

    static float musicVolume;
    static float effectsVolume;
    static std::vector<CSound*> liveSounds;
    static CSound* currentMusic;
    static int stageIndex;
    enum { TRACK_COUNT = 6 };
    static CSound* tracks[TRACK_COUNT];
};
