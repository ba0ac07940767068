#include "elements/CElementTerrainSand.h"

uint8_t CElementTerrainSand::sharedImages = 0;
