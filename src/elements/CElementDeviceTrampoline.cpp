#include "elements/CElementDeviceTrampoline.h"

uint8_t CElementDeviceTrampoline::sharedImages = 0;
