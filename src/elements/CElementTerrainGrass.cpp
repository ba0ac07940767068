#include "elements/CElementTerrainGrass.h"

uint8_t CElementTerrainGrass::sharedImages = 0;
