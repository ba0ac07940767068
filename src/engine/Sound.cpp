// CSound records: play, stop, fades and delayed plays of one use of a
// preloaded sound; the class-wide volumes, music selection, pause fades and
// the per-frame update.
#include "engine/Sound.h"

#include <algorithm>

#include "engine/Log.h"

float CSound::musicVolume = 0.05f;
float CSound::effectsVolume = 0.6f;
std::vector<CSound*> CSound::liveSounds;
CSound* CSound::currentMusic = nullptr;
int CSound::stageIndex = 0;
CSound* CSound::tracks[CSound::TRACK_COUNT] = {};

namespace {

const char* const kTrackNames[] = {"main.oxm", "map.oxm", "story.oxm",
                                   "stage1.oxm", "stage2.oxm", "stage3.oxm"};
enum { TRACK_MAIN = 0, TRACK_MAP = 1, TRACK_STORY = 2, TRACK_STAGE1 = 3 };

} // namespace

CSound::CSound(const char* soundName, bool music)
{
    if (!soundAvailable)
        return;
    looping = false;
    delayFrames = 0;
    channel = 0;
    isMusic = music;
    volume = categoryVolume();
    fadeInSteps = -1;
    fadeOutSteps = -1;
    index = findSound(soundName);
    liveSounds.push_back(this);
    name = soundName;
}

std::vector<std::string> CSound::liveSoundNames()
{
    std::vector<std::string> names;
    for (const CSound* sound : liveSounds)
        names.push_back(sound->name);
    return names;
}

CSound::~CSound()
{
    if (!soundAvailable)
        return;
    if (isPlaying())
        sndChannelStop(system, channel);
    auto found = std::find(liveSounds.begin(), liveSounds.end(), this);
    if (found != liveSounds.end())
        liveSounds.erase(found);
    if (currentMusic == this)
        currentMusic = nullptr;
    for (CSound*& track : tracks)
        if (track == this)
            track = nullptr;
}

SndSound* CSound::preloaded() const
{
    return getSoundByIndex(index);
}

void CSound::play(bool loop, int delay, float frequencyFactor)
{
    if (!soundAvailable)
        return;
    logPrint(LOG_SOUND, "Attempting to play sound '%s'\n", name.c_str());
    if (categoryVolume() == 0.0f && !loop)
        return;
    if (delay != 0) {
        delayFrames = delay;
        return;
    }
    // A sound that could not be loaded stays silent.
    SndSound* sound = preloaded();
    if (!sound)
        return;
    // A music track started again while its earlier channel still fades out
    // would sound twice: the earlier channel ends here.
    if (isMusic && isPlaying())
        checkResult(sndChannelStop(system, channel));
    // The loop count is set for every play, so a one-shot after a looping
    // play of the same preloaded sound plays once.
    checkResult(sndSoundSetLoopCount(sound, loop ? -1 : 0));
    SndChannel started = 0;
    checkResult(sndSystemPlaySound(system, sound, true, &started));
    channel = started;
    applyVolume(volume);
    if (frequencyFactor != 0.0f) {
        float frequency = 1.0f;
        checkResult(sndChannelGetFrequency(system, channel, &frequency));
        checkResult(sndChannelSetFrequency(system, channel, frequencyFactor * frequency));
    }
    sndChannelSetPaused(system, channel, false);
    looping = loop;
}

void CSound::stop()
{
    if (!soundAvailable || channel == 0 || !isPlaying())
        return;
    checkResult(sndChannelStop(system, channel));
}

bool CSound::isPlaying()
{
    if (!soundAvailable || channel == 0)
        return false;
    SndSound* current = nullptr;
    if (sndChannelGetCurrentSound(system, channel, &current) != SND_OK)
        return false;
    if (current == nullptr || current != preloaded())
        return false;
    bool playing = false;
    if (sndChannelIsPlaying(system, channel, &playing) != SND_OK)
        return false;
    return playing;
}

void CSound::fadeIn(int steps)
{
    if (!soundAvailable)
        return;
    if (fadeOutSteps == -1)
        volume = 0.0f;
    fadeOutSteps = -1;
    fadeInSteps = steps;
}

void CSound::fadeOut(int steps)
{
    if (!soundAvailable)
        return;
    if (fadeInSteps == -1)
        volume = categoryVolume();
    fadeInSteps = -1;
    fadeOutSteps = steps;
}

bool CSound::isFadingOut() const
{
    return soundAvailable && fadeOutSteps != -1;
}

bool CSound::isFadingIn() const
{
    return soundAvailable && fadeInSteps != -1;
}

bool CSound::isDelayed() const
{
    return soundAvailable && delayFrames > 0;
}

float CSound::getVolume() const
{
    return soundAvailable ? volume : 0.0f;
}

void CSound::applyVolume(float v)
{
    if (!soundAvailable || channel == 0)
        return;
    volume = v;
    if (isPlaying())
        checkResult(sndChannelSetVolume(system, channel, v));
}

void CSound::updateFade()
{
    if (!soundAvailable)
        return;
    if (fadeOutSteps >= 0) {
        float next = fadeOutSteps == 0 ? 0.0f : volume - volume / static_cast<float>(fadeOutSteps);
        volume = next;
        applyVolume(next);
        if (volume == 0.0f && !(looping && !isMusic)) {
            if (isPlaying())
                checkResult(sndChannelStop(system, channel));
            applyVolume(categoryVolume());
        }
        --fadeOutSteps;
    } else if (fadeInSteps >= 0) {
        float target = categoryVolume();
        float next = fadeInSteps == 0 ? target
                                      : volume + (target - volume) / static_cast<float>(fadeInSteps);
        volume = next;
        applyVolume(next);
        --fadeInSteps;
    }
}

void CSound::updateOne()
{
    if (!soundAvailable)
        return;
    updateFade();
    if (delayFrames > 0) {
        --delayFrames;
        if (delayFrames == 0)
            play(false, 0, 0.0f);
    }
}

void CSound::loadMusic()
{
    if (!soundAvailable)
        return;
    for (int i = 0; i < TRACK_COUNT; ++i)
        tracks[i] = new CSound(kTrackNames[i], true);
}

void CSound::destroyMusic()
{
    if (!soundAvailable)
        return;
    for (CSound*& track : tracks) {
        delete track;  // the destructor clears the slot and the current track
        track = nullptr;
    }
    // Tracks made again rotate from the start, as at start-up.
    stageIndex = 0;
}

void CSound::update()
{
    if (!soundAvailable)
        return;
    // A delayed play may construct nothing, but an owner's reaction might;
    // index the list so additions during the pass are safe.
    for (size_t i = 0; i < liveSounds.size(); ++i)
        liveSounds[i]->updateOne();
    sndSystemUpdate(system);
}

void CSound::setMusicVolume(float v)
{
    if (!soundAvailable)
        return;
    musicVolume = v;
    for (CSound* sound : liveSounds)
        if (sound->isMusic && sound->fadeInSteps == -1 && sound->fadeOutSteps == -1)
            sound->applyVolume(v);
}

void CSound::setEffectsVolume(float v)
{
    if (!soundAvailable)
        return;
    effectsVolume = v;
    for (CSound* sound : liveSounds)
        if (!sound->isMusic && sound->fadeInSteps == -1 && sound->fadeOutSteps == -1)
            sound->applyVolume(v);
}

void CSound::switchMusic(CSound* track, bool loop, bool slowFadeIn)
{
    if (!soundAvailable || track == currentMusic)
        return;
    if (currentMusic)
        currentMusic->fadeOut(15);
    currentMusic = track;
    if (!track)
        return;
    track->fadeIn(slowFadeIn ? 30 : 5);
    track->play(loop, 0, 0.0f);
}

void CSound::playMainMusic()
{
    switchMusic(tracks[TRACK_MAIN], true, true);
}

void CSound::playMapMusic()
{
    switchMusic(tracks[TRACK_MAP], true, true);
}

void CSound::playStoryMusic()
{
    switchMusic(tracks[TRACK_STORY], true, true);
}

void CSound::playStageMusic(bool keepCurrent)
{
    if (!soundAvailable)
        return;
    if (!keepCurrent)
        stageIndex = (stageIndex + 1) % 3;
    switchMusic(tracks[TRACK_STAGE1 + stageIndex], true, true);
}

void CSound::stopMusic()
{
    if (!soundAvailable)
        return;
    if (currentMusic)
        currentMusic->fadeOut(15);
    currentMusic = nullptr;
}

void CSound::fadeOutEffects()
{
    if (!soundAvailable)
        return;
    for (CSound* sound : liveSounds) {
        if (sound->isMusic)
            continue;
        if (sound->volume != 0.0f && sound->fadeOutSteps == -1) {
            if (sound->isPlaying() && sound->looping && sound->volume > 0.0f)
                sound->fadeOut(10);
        } else {
            if (sound->isPlaying())
                checkResult(sndChannelStop(system, sound->channel));
            sound->applyVolume(effectsVolume);
        }
    }
}

void CSound::fadeInEffects()
{
    if (!soundAvailable)
        return;
    for (CSound* sound : liveSounds)
        if (!sound->isMusic && sound->isPlaying() && sound->looping)
            sound->fadeIn(10);
}

void CSound::stopEffects()
{
    if (!soundAvailable)
        return;
    for (CSound* sound : liveSounds)
        if (!sound->isMusic && sound->isPlaying())
            sound->stop();
}
