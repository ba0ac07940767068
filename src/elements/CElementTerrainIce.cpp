#include "elements/CElementTerrainIce.h"

uint8_t CElementTerrainIce::sharedImages = 0;
