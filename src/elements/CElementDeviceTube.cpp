#include "elements/CElementDeviceTube.h"

uint8_t CElementDeviceTube::sharedImages = 0;
