#include "elements/CElementObjectBarrel.h"

#include <cstdio>

uint8_t CElementObjectBarrel::sharedImages = 0;

namespace {
// Pixels rolled per change of picture.
enum { PIXELS_PER_ANGLE = 3 };
} // namespace

CElementObjectBarrel::CElementObjectBarrel(int cx, int cy, int mat, int cellFlag, int facing)
    : CElementObject(cx, cy, OBJECT_BARREL, mat, facing != 0)
{
    CreateBody("Barrel Object", sharedImages, false);
    const char* stem = material == MATERIAL_METAL ? "metalbarrel"
                       : material == MATERIAL_INFLATABLE ? "barrelinflatable"
                                                         : "barrel";
    const char* ext = material == MATERIAL_METAL ? ".png" : ".tga";
    static const char* const kLooks[LOOKS] = {"", "frozen", "heated", "fall", "fallfrozen", "fallheated"};
    char prefix[64];
    for (int look = 0; look < LOOKS; ++look) {
        snprintf(prefix, sizeof prefix, "%s%s", stem, kLooks[look]);
        AddSeries(prefix, 0, ANGLES - 1, ext);
    }
    if (material == MATERIAL_METAL) {
        looks.coolingFirst = body->GetFrameCount();
        looks.coolingCount = COOLING_PICTURES;
        for (int a = 0; a < ANGLES; ++a) {
            snprintf(prefix, sizeof prefix, "metalbarrelcooling%d-", a);
            AddSeries(prefix, 0, COOLING_PICTURES - 1, ".png");
        }
    } else if (material == MATERIAL_INFLATABLE) {
        looks.inflateFirst = AddPicture(facingLeft ? "barrelinflateleft0.tga" : "barrelinflateright0.tga");
        AddPicture("barrelinflate1.tga");
        AddPicture("barrelinflate2.tga");
        AddPicture("barrelinflate4.tga");
        looks.inflateCount = 4;
    }
    ShowStartPicture(cellFlag);
}

int CElementObjectBarrel::GetFrictionModifier()
{
    return (frozen ? -1 : 0) - (ridden ? 0 : 1);
}

int CElementObjectBarrel::Angle() const
{
    int turns = pixelX / PIXELS_PER_ANGLE + record.spin;
    return ((turns % ANGLES) + ANGLES) % ANGLES;
}

void CElementObjectBarrel::Pump()
{
    // A ridden barrel that its walker tries to roll on slippery ground
    // turns on the spot.
    if (inGrid && !moving && (rollLeft || rollRight))
        record.spin += rollLeft ? -1 : 1;
    CElementObject::Pump();
}

int CElementObjectBarrel::ChooseFrame()
{
    if (record.inflateStep >= 0 && looks.inflateFirst >= 0)
        return looks.inflateFirst + record.inflateStep / STEPS_PER_PICTURE;
    int angle = Angle();
    if (!frozen && !heated && record.coolStep >= 0 && looks.coolingFirst >= 0)
        return looks.coolingFirst + angle * COOLING_PICTURES + record.coolStep / STEPS_PER_PICTURE;
    int look = frozen ? LOOK_FROZEN : (heated ? LOOK_HEATED : LOOK_PLAIN);
    if (falling)
        look += LOOK_FALL;
    return look * ANGLES + angle;
}
