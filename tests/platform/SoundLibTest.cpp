#include <gtest/gtest.h>

#include <SDL.h>
#include <set>
#include <string>
#include <vector>

#include "platform/SoundLib.h"
#include "platform/SoundTestData.h"

namespace {

// A system whose device stays paused: only the test's own mixing advances
// the channels, so every buffer is deterministic.
class SoundLibMix : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sndSystemCreate(&sys), SND_OK);
        ASSERT_EQ(sndSystemInit(sys, 16, SND_INIT_MANUAL_MIX), SND_OK);
    }
    void TearDown() override { EXPECT_EQ(sndSystemRelease(sys), SND_OK); }

    SndSound* make(const std::vector<uint8_t>& data)
    {
        SndSound* sound = nullptr;
        EXPECT_EQ(sndSystemCreateSound(sys, data.data(), static_cast<long>(data.size()), &sound), SND_OK);
        return sound;
    }
    SndChannel start(SndSound* sound, float volume = 1.0f, float frequency = 0.0f)
    {
        SndChannel channel = 0;
        EXPECT_EQ(sndSystemPlaySound(sys, sound, true, &channel), SND_OK);
        EXPECT_EQ(sndChannelSetVolume(sys, channel, volume), SND_OK);
        if (frequency > 0.0f) {
            EXPECT_EQ(sndChannelSetFrequency(sys, channel, frequency), SND_OK);
        }
        EXPECT_EQ(sndChannelSetPaused(sys, channel, false), SND_OK);
        return channel;
    }
    std::vector<int16_t> mix(int frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        EXPECT_EQ(sndSystemMix(sys, out.data(), frames), SND_OK);
        return out;
    }
    bool playing(SndChannel channel)
    {
        bool result = false;
        return sndChannelIsPlaying(sys, channel, &result) == SND_OK && result;
    }

    SndSystem* sys = nullptr;
};

} // namespace

TEST_F(SoundLibMix, SumsChannelsAndAppliesVolumeAndFrequency)
{
    SndSound* a = make(soundtest::oggTone(441, 0.5, 0.3));
    SndSound* b = make(soundtest::oggTone(882, 0.5, 0.2));
    const int frames = 4096;

    SndChannel ca = start(a);
    std::vector<int16_t> onlyA = mix(frames);
    sndChannelStop(sys, ca);
    SndChannel cb = start(b);
    std::vector<int16_t> onlyB = mix(frames);
    sndChannelStop(sys, cb);

    // The tone really is there: a 0.3 sine peaks near 0.3 * 32767.
    int peak = 0;
    for (int16_t s : onlyA)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(peak, 0.3 * 32767, 0.05 * 32767);

    start(a);
    start(b);
    std::vector<int16_t> both = mix(frames);
    for (size_t i = 0; i < both.size(); ++i)
        ASSERT_EQ(both[i], onlyA[i] + onlyB[i]) << "sample " << i;
    // Mono sounds reach both sides alike.
    for (int i = 0; i < frames; ++i)
        ASSERT_EQ(both[i * 2], both[i * 2 + 1]);
}

TEST_F(SoundLibMix, TwoLoudVoicesClipAtTheSampleRangeAndNeverWrap)
{
    SndSound* a = make(soundtest::oggTone(441, 0.2, 0.9));
    SndSound* b = make(soundtest::oggTone(441, 0.2, 0.9));
    const int frames = 4096;
    SndChannel ca = start(a);
    std::vector<int16_t> onlyA = mix(frames);
    sndChannelStop(sys, ca);
    start(a);
    start(b);
    std::vector<int16_t> both = mix(frames);
    int over = 0, under = 0;
    for (size_t i = 0; i < both.size(); ++i) {
        int sum = 2 * onlyA[i];
        if (sum > 32767) {
            ++over;
            ASSERT_EQ(both[i], 32767) << "sample " << i << ", sum " << sum;
        } else if (sum < -32767) {
            ++under;
            ASSERT_LE(both[i], -32767) << "sample " << i << ", sum " << sum;
        } else {
            ASSERT_EQ(both[i], sum) << "sample " << i;
        }
    }
    EXPECT_GT(over, 0) << "the voices never went past the top";
    EXPECT_GT(under, 0) << "the voices never went past the bottom";
}

TEST_F(SoundLibMix, VolumeAndFrequencyScaleTheMix)
{
    SndSound* a = make(soundtest::oggTone(441, 0.5, 0.5));
    const int frames = 4096;
    SndChannel full = start(a);
    float frequency = 0.0f;
    ASSERT_EQ(sndChannelGetFrequency(sys, full, &frequency), SND_OK);
    EXPECT_FLOAT_EQ(frequency, 44100.0f);
    std::vector<int16_t> reference = mix(frames * 2);
    sndChannelStop(sys, full);

    SndChannel half = start(a, 0.5f);
    std::vector<int16_t> quiet = mix(frames);
    sndChannelStop(sys, half);
    for (int i = 0; i < frames * 2; ++i)
        ASSERT_EQ(quiet[i], reference[i] >> 1) << "sample " << i;

    // Twice the frequency reads every second source frame.
    start(a, 1.0f, 88200.0f);
    std::vector<int16_t> fast = mix(frames);
    for (int i = 0; i < frames; ++i)
        ASSERT_EQ(fast[i * 2], reference[i * 4]) << "frame " << i;

    EXPECT_EQ(sndChannelSetFrequency(sys, full, -1.0f), SND_ERR_ARGUMENT);
}

TEST_F(SoundLibMix, OneShotEndsAndItsChannelGoesToTheNextPlay)
{
    SndSound* shortTone = make(soundtest::oggTone(441, 0.1, 0.5));  // 4410 frames
    SndSound* other = make(soundtest::oggTone(660, 0.5, 0.5));
    SndChannel first = start(shortTone);
    mix(4000);
    EXPECT_TRUE(playing(first));
    mix(1000);
    EXPECT_FALSE(playing(first));
    // The finished channel still names its sound until it is reused.
    SndSound* current = nullptr;
    EXPECT_EQ(sndChannelGetCurrentSound(sys, first, &current), SND_OK);
    EXPECT_EQ(current, shortTone);
    // After the channel has ended, the mix is silence.
    std::vector<int16_t> silence = mix(256);
    for (int16_t s : silence)
        ASSERT_EQ(s, 0);

    SndChannel second = start(other);
    EXPECT_EQ(second & 0xFF, first & 0xFF);  // the same channel, reused
    EXPECT_NE(second, first);
    EXPECT_EQ(sndChannelGetCurrentSound(sys, first, &current), SND_ERR_STALE_CHANNEL);
    bool flag = true;
    EXPECT_EQ(sndChannelIsPlaying(sys, first, &flag), SND_ERR_STALE_CHANNEL);
    EXPECT_EQ(sndChannelStop(sys, first), SND_ERR_STALE_CHANNEL);
    EXPECT_TRUE(playing(second));
    EXPECT_EQ(sndChannelGetCurrentSound(sys, second, &current), SND_OK);
    EXPECT_EQ(current, other);
    EXPECT_EQ(sndChannelIsPlaying(sys, 0, &flag), SND_ERR_STALE_CHANNEL);
}

TEST_F(SoundLibMix, LoopCountRepeatsTheSound)
{
    SndSound* tone = make(soundtest::oggTone(441, 0.1, 0.5));  // 4410 frames
    ASSERT_EQ(sndSoundSetLoopCount(tone, -1), SND_OK);
    SndChannel forever = start(tone);
    ASSERT_EQ(sndSoundSetLoopCount(tone, 2), SND_OK);
    SndChannel thrice = start(tone);
    // The channel took the count at its start: changing it later is no
    // concern of channels already playing.
    ASSERT_EQ(sndSoundSetLoopCount(tone, 0), SND_OK);
    SndChannel once = start(tone);

    mix(4410 * 2 + 100);
    EXPECT_TRUE(playing(forever));
    EXPECT_TRUE(playing(thrice));
    EXPECT_FALSE(playing(once));
    mix(4410);
    EXPECT_TRUE(playing(forever));
    EXPECT_FALSE(playing(thrice));
    mix(44100);
    EXPECT_TRUE(playing(forever));
    std::vector<int16_t> still = mix(512);
    int loudest = 0;
    for (int16_t s : still)
        loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    EXPECT_GT(loudest, 5000);
    EXPECT_EQ(sndChannelStop(sys, forever), SND_OK);
    EXPECT_FALSE(playing(forever));
}

TEST_F(SoundLibMix, ModulesPlayOnePlayerPerChannel)
{
    std::vector<uint8_t> data = soundtest::generatedSound("stage1.oxm");
    ASSERT_FALSE(data.empty());
    SndSound* music = make(data);
    bool module = false;
    ASSERT_EQ(sndSoundIsModule(music, &module), SND_OK);
    EXPECT_TRUE(module);

    SndChannel one = start(music);
    mix(22050);
    SndChannel two = start(music, 0.5f);  // a second player, as in a cross-fade
    std::vector<int16_t> out = mix(44100);
    EXPECT_TRUE(playing(one));
    EXPECT_TRUE(playing(two));
    long energy = 0;
    for (int16_t s : out)
        energy += std::abs(static_cast<int>(s));
    EXPECT_GT(energy / static_cast<long>(out.size()), 100);
    EXPECT_EQ(sndChannelStop(sys, one), SND_OK);
    EXPECT_EQ(sndSystemUpdate(sys), SND_OK);
    EXPECT_TRUE(playing(two));
    EXPECT_EQ(sndSoundRelease(music), SND_OK);
    EXPECT_FALSE(playing(two));
}

TEST_F(SoundLibMix, DamagedOrUnknownDataIsRefused)
{
    SndSound* sound = reinterpret_cast<SndSound*>(1);
    std::vector<uint8_t> ogg = soundtest::damagedOgg();
    EXPECT_EQ(sndSystemCreateSound(sys, ogg.data(), static_cast<long>(ogg.size()), &sound), SND_ERR_DECODE);
    EXPECT_EQ(sound, nullptr);
    std::vector<uint8_t> module = soundtest::damagedModule();
    ASSERT_FALSE(module.empty());
    EXPECT_NE(sndSystemCreateSound(sys, module.data(), static_cast<long>(module.size()), &sound), SND_OK);
    const char text[] = "just some text, not a sound";
    EXPECT_EQ(sndSystemCreateSound(sys, text, sizeof text, &sound), SND_ERR_FORMAT);
    EXPECT_EQ(sndSystemCreateSoundFile(sys, "/nonexistent/sound.ogg", &sound), SND_ERR_FILE);
    EXPECT_EQ(sndSystemCreateSound(sys, text, 0, &sound), SND_ERR_ARGUMENT);
}

TEST_F(SoundLibMix, ASoundDecodesToAtMostThreeMinutes)
{
    // A low rate keeps the data small; the limit is in time, not bytes.
    const int rate = 8000;
    SndSound* sound = nullptr;
    std::vector<uint8_t> full = soundtest::oggTone(440, SND_MAX_SOUND_SECONDS, 0.5, rate);
    ASSERT_EQ(sndSystemCreateSound(sys, full.data(), static_cast<long>(full.size()), &sound), SND_OK);
    EXPECT_NE(sound, nullptr);

    // One block of frames more is refused, and nothing is kept.
    std::vector<uint8_t> longer = soundtest::oggTone(440, SND_MAX_SOUND_SECONDS + 0.05, 0.5, rate);
    sound = reinterpret_cast<SndSound*>(1);
    EXPECT_EQ(sndSystemCreateSound(sys, longer.data(), static_cast<long>(longer.size()), &sound), SND_ERR_TOO_LONG);
    EXPECT_EQ(sound, nullptr);
}

TEST(SoundLib, ResultTextsAreDistinct)
{
    std::set<std::string> texts;
    for (int code = 0; code < SND_RESULT_COUNT; ++code) {
        std::string text = sndResultText(code);
        EXPECT_FALSE(text.empty());
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), static_cast<size_t>(SND_RESULT_COUNT));
    EXPECT_STREQ(sndResultText(SND_RESULT_COUNT), sndResultText(-1));
    EXPECT_EQ(texts.count(sndResultText(SND_RESULT_COUNT)), 0u);
}

TEST(SoundLib, OutputAndDriverChoice)
{
    SndSystem* sys = nullptr;
    ASSERT_EQ(sndSystemCreate(&sys), SND_OK);
    EXPECT_EQ(sndSystemSetOutput(sys, 7), SND_ERR_OUTPUT);
    EXPECT_EQ(sndSystemSetOutput(sys, SND_OUTPUT_SDL), SND_OK);
    // SDL_AUDIODRIVER is set for every test: it is the only driver.
    int count = 0;
    ASSERT_EQ(sndSystemGetNumDrivers(sys, &count), SND_OK);
    ASSERT_EQ(count, 1);
    char name[8];
    ASSERT_EQ(sndSystemGetDriverName(sys, 0, name, sizeof name), SND_OK);
    EXPECT_STREQ(name, "dummy");
    char tiny[3];
    ASSERT_EQ(sndSystemGetDriverName(sys, 0, tiny, sizeof tiny), SND_OK);
    EXPECT_STREQ(tiny, "du");
    EXPECT_EQ(sndSystemSetDriver(sys, 1), SND_ERR_DRIVER);
    EXPECT_EQ(sndSystemSetDriver(sys, 0), SND_OK);

    SndSound* sound = nullptr;
    std::vector<uint8_t> tone = soundtest::oggTone(441, 0.1, 0.5);
    EXPECT_EQ(sndSystemCreateSound(sys, tone.data(), static_cast<long>(tone.size()), &sound), SND_ERR_NOT_READY);
    ASSERT_EQ(sndSystemInit(sys, 128, SND_INIT_NORMAL), SND_OK);
    SndSystem* second = nullptr;
    ASSERT_EQ(sndSystemCreate(&second), SND_OK);
    EXPECT_EQ(sndSystemInit(second, 128, SND_INIT_NORMAL), SND_ERR_ALREADY_READY);
    EXPECT_EQ(sndSystemRelease(second), SND_OK);
    EXPECT_EQ(sndSystemSetOutput(sys, SND_OUTPUT_SDL), SND_ERR_ALREADY_READY);
    EXPECT_EQ(sndSystemClose(sys), SND_OK);
    EXPECT_EQ(sndSystemRelease(sys), SND_OK);
}

TEST(SoundLib, DeviceCallbackAdvancesChannels)
{
    SndSystem* sys = nullptr;
    ASSERT_EQ(sndSystemCreate(&sys), SND_OK);
    ASSERT_EQ(sndSystemInit(sys, 128, SND_INIT_NORMAL), SND_OK);
    std::vector<uint8_t> tone = soundtest::oggTone(441, 0.1, 0.5);
    SndSound* sound = nullptr;
    ASSERT_EQ(sndSystemCreateSound(sys, tone.data(), static_cast<long>(tone.size()), &sound), SND_OK);
    SndChannel channel = 0;
    ASSERT_EQ(sndSystemPlaySound(sys, sound, false, &channel), SND_OK);
    // The dummy device consumes audio in real time; nothing here mixes.
    bool playing = true;
    for (int waited = 0; playing && waited < 5000; waited += 10) {
        SDL_Delay(10);
        ASSERT_EQ(sndChannelIsPlaying(sys, channel, &playing), SND_OK);
    }
    EXPECT_FALSE(playing);
    EXPECT_EQ(sndSystemRelease(sys), SND_OK);
}
