#include "elements/CElementObjectCrate.h"

#include <cstdio>

uint8_t CElementObjectCrate::sharedImages = 0;

CElementObjectCrate::CElementObjectCrate(int cx, int cy, int mat, int cellFlag, int facing)
    : CElementObject(cx, cy, OBJECT_CRATE, mat, facing != 0)
{
    (void)cellFlag; // the picture follows the frozen and heated flags
    CreateBody("Crate Object", sharedImages, false);
    // Picture stems by material; the metal crate's hot pictures are PNGs.
    const char* stem = material == MATERIAL_METAL ? "metalcrate"
                       : material == MATERIAL_INFLATABLE ? "crateinflatable"
                                                         : "crate";
    char name[64];
    static const char* const kMoves[3] = {"still", "left", "right"};
    for (int d = 0; d < 3; ++d) {
        snprintf(name, sizeof name, "%s%s0.tga", stem, kMoves[d]);
        looks.normal[d] = AddPicture(name);
        snprintf(name, sizeof name, "%s%sfrozen0.tga", stem, kMoves[d]);
        looks.frozen[d] = AddPicture(name);
    }
    static const int kSquash[3] = {0, 1, 4};
    for (int k = 0; k < 3; ++k) {
        snprintf(name, sizeof name, "%ssquash%d.tga", stem, kSquash[k]);
        looks.squash[k] = AddPicture(name);
    }
    if (material == MATERIAL_METAL) {
        looks.heated[0] = AddPicture("metalcrateheated.png");
        looks.heated[1] = AddPicture("metalcrateheatedleft.png");
        looks.heated[2] = AddPicture("metalcrateheatedright.png");
        for (int k = 0; k < 3; ++k) {
            snprintf(name, sizeof name, "metalcrateheatedsquash%d.png", kSquash[k]);
            looks.heatedSquash[k] = AddPicture(name);
        }
        looks.coolingFirst = AddSeries("metalcratecooling", 0, 6, ".png");
        looks.coolingCount = 7;
    } else if (material == MATERIAL_INFLATABLE) {
        looks.inflateFirst = AddPicture(facingLeft ? "crateinflateleft0.tga" : "crateinflateright0.tga");
        AddSeries("crateinflate", 1, 4, ".tga");
        looks.inflateCount = 5;
    }
    ShowBody();
}
