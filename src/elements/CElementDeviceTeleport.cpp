#include "elements/CElementDeviceTeleport.h"

uint8_t CElementDeviceTeleport::sharedImages = 0;
