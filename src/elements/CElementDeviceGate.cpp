#include "elements/CElementDeviceGate.h"

uint8_t CElementDeviceGate::sharedImages = 0;
