#include "elements/CElementDeviceButton.h"

uint8_t CElementDeviceButton::sharedImages = 0;
