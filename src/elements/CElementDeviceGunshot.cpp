#include "elements/CElementDeviceGunshot.h"

uint8_t CElementDeviceGunshot::sharedImages = 0;
