#include "Effects.h"

#include <cmath>

using namespace synth;

namespace {

// Interface -----------------------------------------------------------------

Signal rollover(int)
{
    Signal s(0.09);
    s.tone(0.0, Wave::Sine, 1320, 1760, 0.5, Env{0.004, 0.0, 0.08, 2.5});
    s.tone(0.0, Wave::Triangle, 2640, 3520, 0.12, Env{0.002, 0.0, 0.05, 3.0});
    return s;
}

Signal click(int variant)
{
    Rng rng(11 + variant);
    Signal s(0.07);
    double pitch = variant == 0 ? 900 : 520;
    s.noise(0.0, rng, NoiseShape::Band, 4000, 2500, 0.6, 0.5, Env{0.0005, 0.0, 0.02, 3.0});
    s.tone(0.0, Wave::Sine, pitch * 1.5, pitch, 0.6, Env{0.001, 0.0, 0.05, 3.0});
    return s;
}

Signal mapDot(int)
{
    Signal s(0.45);
    const double notes[] = {1046.5, 1318.5, 1568.0};
    for (int i = 0; i < 3; ++i)
        s.tone(i * 0.05, Wave::Sine, notes[i], notes[i], 0.3, Env{0.003, 0.0, 0.32, 2.0}, 6.0, 0.004);
    return s;
}

// Objects -------------------------------------------------------------------

Signal objectStop(int)
{
    Rng rng(21);
    Signal s(0.22);
    s.knock(0.0, rng, 110, 900, 0.9, 0.18);
    return s;
}

Signal objectLand(int)
{
    Rng rng(22);
    Signal s(0.3);
    s.tone(0.0, Wave::Sine, 140, 55, 1.0, Env{0.002, 0.0, 0.25, 2.5});
    s.noise(0.0, rng, NoiseShape::Low, 1500, 300, 0.2, 0.6, Env{0.001, 0.0, 0.12, 3.0});
    return s;
}

Signal slideIce(int)
{
    Rng rng(23);
    Signal s(1.25);
    s.noise(0.0, rng, NoiseShape::Band, 5200, 5600, 0.55, 0.5, Env{0.0, 1.25, 0.0, 1.0});
    s.noise(0.0, rng, NoiseShape::High, 7000, 7000, 0.1, 0.15, Env{0.0, 1.25, 0.0, 1.0});
    s.makeLoop(0.25);
    return s;
}

Signal slide(int)
{
    Rng rng(24);
    Signal s(1.25);
    s.noise(0.0, rng, NoiseShape::Band, 700, 800, 0.35, 0.7, Env{0.0, 1.25, 0.0, 1.0});
    s.crackle(0.0, 1.25, rng, 90, 0.25, 2500);
    s.makeLoop(0.25);
    return s;
}

Signal barrelRoll(int)
{
    Rng rng(25);
    Signal s(1.25);
    s.noise(0.0, rng, NoiseShape::Low, 260, 260, 0.5, 0.9, Env{0.0, 1.25, 0.0, 1.0});
    // A bump on every turn of the barrel.
    for (int i = 0; i < 4; ++i)
        s.knock(0.05 + i * 0.25, rng, 80, 500, 0.5, 0.12);
    s.makeLoop(0.25);
    return s;
}

// Heat, cold and bursts -----------------------------------------------------

Signal bursting(int)
{
    Rng rng(31);
    Signal s(0.9);
    s.noise(0.0, rng, NoiseShape::Low, 3000, 200, 0.3, 1.0, Env{0.002, 0.03, 0.8, 3.0});
    s.tone(0.0, Wave::Sine, 90, 35, 0.8, Env{0.002, 0.0, 0.5, 2.0});
    s.crackle(0.05, 0.5, rng, 60, 0.4, 3000);
    return s;
}

Signal burning(int)
{
    Rng rng(32);
    Signal s(1.0);
    s.noise(0.0, rng, NoiseShape::Band, 900, 1800, 0.3, 0.6, Env{0.05, 0.4, 0.5, 1.5});
    s.crackle(0.0, 0.95, rng, 110, 0.5, 2500);
    return s;
}

Signal melting(int)
{
    Rng rng(33);
    Signal s(1.1);
    // Steam: a hiss that swells and dies away.
    s.noise(0.0, rng, NoiseShape::High, 3000, 6000, 0.2, 0.6, Env{0.12, 0.3, 0.65, 1.5});
    s.noise(0.0, rng, NoiseShape::Band, 2500, 1800, 0.6, 0.25, Env{0.05, 0.2, 0.6, 2.0});
    return s;
}

Signal explodeHeatMetal(int)
{
    Rng rng(34);
    Signal s(0.9);
    s.noise(0.0, rng, NoiseShape::Band, 2500, 600, 0.4, 0.9, Env{0.002, 0.02, 0.6, 3.0});
    // Metallic ring of hot metal.
    s.tone(0.0, Wave::Sine, 620, 600, 0.3, Env{0.002, 0.0, 0.8, 2.0}, 7.0, 0.01);
    s.tone(0.0, Wave::Sine, 1510, 1490, 0.18, Env{0.002, 0.0, 0.6, 2.5});
    s.crackle(0.1, 0.6, rng, 50, 0.3, 4000);
    return s;
}

// Power-ups -----------------------------------------------------------------

Signal empBang(int)
{
    Rng rng(41);
    Signal s(1.0);
    s.tone(0.0, Wave::Saw, 1800, 60, 0.6, Env{0.002, 0.05, 0.9, 2.0});
    s.noise(0.0, rng, NoiseShape::Low, 6000, 300, 0.3, 0.8, Env{0.001, 0.0, 0.7, 3.0});
    return s;
}

Signal empElectricity(int)
{
    Rng rng(42);
    Signal s(1.0);
    s.crackle(0.0, 0.95, rng, 260, 0.7, 5000);
    s.tone(0.0, Wave::Square, 100, 100, 0.15, Env{0.01, 0.6, 0.35, 1.5}, 13.0, 0.2);
    return s;
}

Signal frostGun(int)
{
    Rng rng(43);
    Signal s(0.6);
    s.tone(0.0, Wave::Sine, 2600, 1300, 0.35, Env{0.005, 0.05, 0.5, 2.0}, 30.0, 0.03);
    s.noise(0.0, rng, NoiseShape::High, 6000, 4000, 0.3, 0.4, Env{0.005, 0.05, 0.45, 2.0});
    return s;
}

Signal heatGun(int)
{
    Rng rng(44);
    Signal s(0.6);
    s.noise(0.0, rng, NoiseShape::Band, 400, 2200, 0.4, 0.8, Env{0.01, 0.1, 0.45, 2.0});
    s.tone(0.0, Wave::Saw, 110, 220, 0.2, Env{0.01, 0.1, 0.4, 2.0});
    return s;
}

Signal whistle(int)
{
    Rng rng(45);
    Signal s(0.75);
    // Two short blasts of a pea whistle: a tone with a rapid warble.
    for (int i = 0; i < 2; ++i)
        s.tone(i * 0.32, Wave::Sine, 2300, 2350, 0.5, Env{0.01, 0.18, 0.08, 1.5}, 28.0, 0.04);
    s.noise(0.0, rng, NoiseShape::Band, 2300, 2300, 0.7, 0.1, Env{0.01, 0.6, 0.1, 1.5});
    return s;
}

Signal inflate(int)
{
    Rng rng(46);
    Signal s(0.7);
    s.noise(0.0, rng, NoiseShape::Band, 300, 2400, 0.6, 0.7, Env{0.02, 0.5, 0.15, 2.0});
    s.tone(0.55, Wave::Sine, 700, 900, 0.4, Env{0.002, 0.0, 0.12, 2.0});
    return s;
}

Signal powerupFail(int)
{
    Signal s(0.4);
    s.tone(0.0, Wave::Square, 140, 120, 0.35, Env{0.005, 0.12, 0.05, 1.0});
    s.tone(0.2, Wave::Square, 120, 100, 0.35, Env{0.005, 0.12, 0.05, 1.0});
    return s;
}

// Bots ----------------------------------------------------------------------

Signal botFall(int)
{
    Signal s(0.8);
    s.tone(0.0, Wave::Triangle, 1400, 250, 0.5, Env{0.01, 0.5, 0.25, 1.5});
    return s;
}

Signal botCrush(int)
{
    Rng rng(51);
    Signal s(0.45);
    s.noise(0.0, rng, NoiseShape::Band, 1800, 500, 0.4, 0.8, Env{0.001, 0.02, 0.35, 3.0});
    s.crackle(0.0, 0.25, rng, 120, 0.5, 3500);
    s.tone(0.0, Wave::Sine, 120, 60, 0.6, Env{0.001, 0.0, 0.3, 2.5});
    return s;
}

Signal botDetect(int)
{
    Signal s(0.35);
    s.tone(0.0, Wave::Square, 880, 880, 0.3, Env{0.003, 0.07, 0.03, 1.0});
    s.tone(0.12, Wave::Square, 1175, 1175, 0.3, Env{0.003, 0.12, 0.1, 1.5});
    return s;
}

Signal botSlide(int)
{
    Rng rng(52);
    Signal s(1.25);
    s.noise(0.0, rng, NoiseShape::Band, 2200, 2400, 0.75, 0.5, Env{0.0, 1.25, 0.0, 1.0});
    s.tone(0.0, Wave::Sine, 1210, 1210, 0.08, Env{0.0, 1.25, 0.0, 1.0}, 5.0, 0.01);
    s.makeLoop(0.25);
    return s;
}

Signal botFootstep(int variant)
{
    Rng rng(60 + variant);
    Signal s(0.12);
    // Twelve slightly different metal clanks.
    double pitch = 180 + 22 * (variant % 6);
    double bright = 1800 + 300 * (variant % 4);
    s.knock(0.0, rng, pitch, bright, 0.8, 0.08);
    s.tone(0.0, Wave::Sine, pitch * 4.1, pitch * 4.0, 0.12, Env{0.001, 0.0, 0.06, 3.0});
    return s;
}

Signal botClimb(int variant)
{
    Rng rng(80 + variant);
    Signal s(0.14);
    s.knock(0.0, rng, 260 + 30 * variant, 3000, 0.6, 0.07);
    s.knock(0.05, rng, 300 + 30 * variant, 3500, 0.35, 0.06);
    return s;
}

Signal botCatchesProf(int)
{
    Signal s(1.2);
    const double notes[] = {392.0, 370.0, 349.2, 261.6};
    for (int i = 0; i < 4; ++i)
        s.tone(i * 0.2, Wave::Square, notes[i], notes[i], 0.3,
               Env{0.005, 0.1, i == 3 ? 0.45 : 0.1, 1.5}, 6.0, 0.01);
    return s;
}

// Professor -----------------------------------------------------------------

Signal tubeWhoosh(int variant)
{
    Rng rng(90 + variant);
    Signal s(0.9);
    bool arrival = variant == 0;
    s.noise(0.0, rng, NoiseShape::Band, arrival ? 2400 : 400, arrival ? 400 : 2400, 0.55, 0.8,
            Env{0.15, 0.2, 0.5, 1.5});
    s.tone(arrival ? 0.7 : 0.0, Wave::Sine, 300, 160, 0.3, Env{0.005, 0.0, 0.15, 2.0});
    return s;
}

Signal trampoline(int)
{
    Signal s(0.6);
    s.tone(0.0, Wave::Sine, 160, 480, 0.7, Env{0.005, 0.05, 0.5, 1.5}, 18.0, 0.12);
    return s;
}

Signal professorCrush(int)
{
    Rng rng(101);
    Signal s(0.4);
    s.tone(0.0, Wave::Triangle, 500, 150, 0.5, Env{0.002, 0.0, 0.3, 1.5});
    s.noise(0.0, rng, NoiseShape::Low, 1200, 400, 0.3, 0.6, Env{0.001, 0.0, 0.2, 3.0});
    return s;
}

Signal stuckIce(int)
{
    Rng rng(102);
    Signal s(1.0);
    // Shoes squeaking on ice: short rising squeaks over a thin hiss.
    s.noise(0.0, rng, NoiseShape::High, 6000, 6000, 0.2, 0.12, Env{0.0, 1.0, 0.0, 1.0});
    for (int i = 0; i < 4; ++i)
        s.tone(0.04 + i * 0.25, Wave::Sine, 1500 + 120 * (i % 2), 1900, 0.25,
               Env{0.01, 0.05, 0.06, 1.5});
    s.makeLoop(0.1);
    return s;
}

Signal professorLand(int)
{
    Rng rng(103);
    Signal s(0.25);
    s.tone(0.0, Wave::Sine, 120, 60, 0.8, Env{0.002, 0.0, 0.2, 2.5});
    s.noise(0.0, rng, NoiseShape::Low, 2000, 500, 0.2, 0.5, Env{0.001, 0.0, 0.08, 3.0});
    return s;
}

Signal professorRun(int variant)
{
    Rng rng(110 + variant);
    Signal s(0.12);
    // Leather soles on ground: a soft low knock with a scuff.
    s.knock(0.0, rng, 90 + 8 * variant, 1200 + 150 * variant, 0.7, 0.07);
    s.noise(0.01, rng, NoiseShape::Band, 3000, 2000, 0.3, 0.15, Env{0.005, 0.0, 0.05, 2.0});
    return s;
}

Signal professorClimb(int variant)
{
    Rng rng(120 + variant);
    Signal s(0.15);
    s.noise(0.0, rng, NoiseShape::Band, 1500 + 200 * variant, 900, 0.4, 0.5, Env{0.01, 0.02, 0.1, 2.0});
    s.knock(0.02, rng, 200 + 15 * variant, 1600, 0.4, 0.05);
    return s;
}

std::vector<Effect> buildList()
{
    std::vector<Effect> list = {
        {"rollover_v1-2.ogg", false, rollover, 0},
        {"click_v1-2.ogg", false, click, 0},
        {"click_v1-3.ogg", false, click, 1},
        {"map_dot.ogg", false, mapDot, 0},
        {"object_stop.ogg", false, objectStop, 0},
        {"object_land.ogg", false, objectLand, 0},
        {"object_slide_ice.ogg", true, slideIce, 0},
        {"object_slide.ogg", true, slide, 0},
        {"object_barrel_roll.ogg", true, barrelRoll, 0},
        {"element_bursting.ogg", false, bursting, 0},
        {"element_burning.ogg", false, burning, 0},
        {"element_melting.ogg", false, melting, 0},
        {"powerup_emp.ogg", false, empBang, 0},
        {"bot_fall.ogg", false, botFall, 0},
        {"bot_crush.ogg", false, botCrush, 0},
        {"bot_hang_detect.ogg", false, botDetect, 0},
        {"bot_slide.ogg", true, botSlide, 0},
        {"tube_arrival.ogg", false, tubeWhoosh, 0},
        {"tube_departure.ogg", false, tubeWhoosh, 1},
        {"powerup_frostgun.ogg", false, frostGun, 0},
        {"powerup_heatgun.ogg", false, heatGun, 0},
        {"powerup_whistle.ogg", false, whistle, 0},
        {"powerup_inflate.ogg", false, inflate, 0},
        {"powerup_fail.ogg", false, powerupFail, 0},
        {"emp_electricity.ogg", false, empElectricity, 0},
        {"bot_catches_prof.ogg", false, botCatchesProf, 0},
        {"professor_trampoline.ogg", false, trampoline, 0},
        {"professor_crush.ogg", false, professorCrush, 0},
        {"stuck_ice.ogg", true, stuckIce, 0},
        {"professor_land.ogg", false, professorLand, 0},
        {"explode_heat_metal.ogg", false, explodeHeatMetal, 0},
    };
    for (int i = 1; i <= 12; ++i)
        list.push_back({"bot_footstep" + std::to_string(i) + ".ogg", false, botFootstep, i});
    for (int i = 0; i < 4; ++i)
        list.push_back({"bot_climb" + std::to_string(i) + ".ogg", false, botClimb, i});
    for (int i = 0; i < 6; ++i)
        list.push_back({"professor_run" + std::to_string(i) + ".ogg", false, professorRun, i});
    for (int i = 0; i < 4; ++i)
        list.push_back({"professor_climb" + std::to_string(i) + ".ogg", false, professorClimb, i});
    return list;
}

} // namespace

const std::vector<Effect>& allEffects()
{
    static const std::vector<Effect> list = buildList();
    return list;
}
