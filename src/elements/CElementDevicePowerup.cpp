#include "elements/CElementDevicePowerup.h"

uint8_t CElementDevicePowerup::sharedImages = 0;
