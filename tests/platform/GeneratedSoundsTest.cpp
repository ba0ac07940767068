// The generated sound archive holds every sound the game asks for, each in a
// form our sound library plays.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>
#include <xmp.h>

#include "engine/ResourceArchive.h"
#include "platform/SoundLib.h"
#include "test_support.h"

namespace {

std::set<std::string> expectedNames()
{
    std::set<std::string> names = {
        "main.oxm", "map.oxm", "story.oxm", "stage1.oxm", "stage2.oxm", "stage3.oxm",
        "rollover_v1-2.ogg", "click_v1-2.ogg", "click_v1-3.ogg", "map_dot.ogg",
        "object_stop.ogg", "object_land.ogg", "object_slide_ice.ogg", "object_slide.ogg",
        "object_barrel_roll.ogg", "element_bursting.ogg", "element_burning.ogg",
        "element_melting.ogg", "powerup_emp.ogg", "bot_fall.ogg", "bot_crush.ogg",
        "bot_hang_detect.ogg", "bot_slide.ogg", "tube_arrival.ogg", "tube_departure.ogg",
        "powerup_frostgun.ogg", "powerup_heatgun.ogg", "powerup_whistle.ogg",
        "powerup_inflate.ogg", "powerup_fail.ogg", "emp_electricity.ogg",
        "bot_catches_prof.ogg", "professor_trampoline.ogg", "professor_crush.ogg",
        "stuck_ice.ogg", "professor_land.ogg", "explode_heat_metal.ogg"};
    for (int i = 1; i <= 12; ++i)
        names.insert("bot_footstep" + std::to_string(i) + ".ogg");
    for (int i = 0; i < 4; ++i) {
        names.insert("bot_climb" + std::to_string(i) + ".ogg");
        names.insert("professor_climb" + std::to_string(i) + ".ogg");
    }
    for (int i = 0; i < 6; ++i)
        names.insert("professor_run" + std::to_string(i) + ".ogg");
    return names;
}

std::map<std::string, std::vector<uint8_t>> readArchive()
{
    std::map<std::string, std::vector<uint8_t>> entries;
    ResourceArchiveReader reader;
    std::string path = testsupport::runDir() + "/resource3.dat";
    EXPECT_TRUE(reader.Open(path.c_str())) << path;
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < reader.Count(); ++i) {
        EXPECT_TRUE(reader.ReadEntry(i, name, data));
        EXPECT_EQ(entries.count(name), 0u) << "duplicate " << name;
        entries[name] = data;
    }
    return entries;
}

} // namespace

TEST(GeneratedSounds, ArchiveHoldsExactlyTheGameSounds)
{
    std::map<std::string, std::vector<uint8_t>> entries = readArchive();
    std::set<std::string> names;
    for (const auto& entry : entries)
        names.insert(entry.first);
    EXPECT_EQ(names, expectedNames());
    EXPECT_EQ(entries.size(), 63u);
}

TEST(GeneratedSounds, EffectsDecodeAndStayShort)
{
    std::map<std::string, std::vector<uint8_t>> entries = readArchive();
    SndSystem* sys = nullptr;
    ASSERT_EQ(sndSystemCreate(&sys), SND_OK);
    ASSERT_EQ(sndSystemInit(sys, 4, SND_INIT_MANUAL_MIX), SND_OK);
    std::vector<int16_t> buffer(441 * 2);
    for (const auto& entry : entries) {
        const std::string& name = entry.first;
        SndSound* sound = nullptr;
        ASSERT_EQ(sndSystemCreateSound(sys, entry.second.data(), static_cast<long>(entry.second.size()), &sound),
                  SND_OK)
            << name;
        bool module = false;
        sndSoundIsModule(sound, &module);
        EXPECT_EQ(module, name.size() > 4 && name.compare(name.size() - 4, 4, ".oxm") == 0) << name;
        if (module)
            continue;
        // Play it once and measure, in 10 ms steps, how long it sounds.
        SndChannel channel = 0;
        ASSERT_EQ(sndSystemPlaySound(sys, sound, false, &channel), SND_OK);
        int steps = 0, loudest = 0;
        bool playing = true;
        while (playing && steps < 500) {
            sndSystemMix(sys, buffer.data(), 441);
            for (int16_t s : buffer)
                loudest = std::max(loudest, std::abs(static_cast<int>(s)));
            sndChannelIsPlaying(sys, channel, &playing);
            ++steps;
        }
        EXPECT_LE(steps, 150) << name << " lasts over 1.5 s";
        EXPECT_GT(loudest, 8000) << name << " is too quiet";
        // Decoded, no sample comes near full scale (about -1 dBFS at most).
        EXPECT_LE(loudest, 29300) << name << " comes too close to full scale";
        bool step = name.find("footstep") != std::string::npos || name.find("climb") != std::string::npos ||
                    name.find("run") != std::string::npos;
        if (step) {
            EXPECT_LE(steps, 20) << name << ": a step sound must end before the next one";
        }
    }
    EXPECT_EQ(sndSystemRelease(sys), SND_OK);
}

TEST(GeneratedSounds, MusicRunsAMinuteBeforeItLoops)
{
    std::map<std::string, std::vector<uint8_t>> entries = readArchive();
    for (const char* name : {"main.oxm", "map.oxm", "story.oxm", "stage1.oxm", "stage2.oxm", "stage3.oxm"}) {
        const std::vector<uint8_t>& data = entries[name];
        xmp_context context = xmp_create_context();
        ASSERT_EQ(xmp_load_module_from_memory(context, data.data(), static_cast<long>(data.size())), 0) << name;
        ASSERT_EQ(xmp_start_player(context, 44100, 0), 0);
        xmp_frame_info info;
        xmp_get_frame_info(context, &info);
        EXPECT_GE(info.total_time, 60000) << name;
        xmp_module_info module;
        xmp_get_module_info(context, &module);
        EXPECT_GE(module.mod->chn, 4) << name;
        EXPECT_GE(module.mod->ins, 3) << name;
        xmp_end_player(context);
        xmp_release_module(context);
        xmp_free_context(context);
    }
}
