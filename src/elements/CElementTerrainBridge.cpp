#include "elements/CElementTerrainBridge.h"

uint8_t CElementTerrainBridge::sharedImages = 0;
