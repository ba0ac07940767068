#include "elements/CElementObjectCrate.h"

#include <cstdio>

uint8_t CElementObjectCrate::sharedImages = 0;

CElementObjectCrate::CElementObjectCrate(int cx, int cy, int mat, int cellFlag, int facing)
    : CElementObject(cx, cy, OBJECT_CRATE, mat, facing != 0)
{
    CreateBody("Crate Object", sharedImages, false);
    // Picture stems by material; the metal crate's hot pictures are PNGs.
    const char* stem = material == MATERIAL_METAL ? "metalcrate"
                       : material == MATERIAL_INFLATABLE ? "crateinflatable"
                                                         : "crate";
    AddPlainLooks(stem);
    char name[64];
    if (material == MATERIAL_METAL) {
        looks.heated[0] = AddPicture("metalcrateheated.png");
        looks.heated[1] = AddPicture("metalcrateheatedleft.png");
        looks.heated[2] = AddPicture("metalcrateheatedright.png");
        for (int k = 0; k < 3; ++k) {
            snprintf(name, sizeof name, "metalcrateheatedsquash%d.png", SQUASH_NUMBERS[k]);
            looks.heatedSquash[k] = AddPicture(name);
        }
        looks.coolingFirst = AddSeries("metalcratecooling", 0, 6, ".png");
        looks.coolingCount = 7;
    } else if (material == MATERIAL_INFLATABLE) {
        looks.inflateFirst = AddPicture(facingLeft ? "crateinflateleft0.tga" : "crateinflateright0.tga");
        AddSeries("crateinflate", 1, 4, ".tga");
        looks.inflateCount = 5;
    }
    ShowStartPicture(cellFlag);
}
