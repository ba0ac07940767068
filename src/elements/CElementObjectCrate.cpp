#include "elements/CElementObjectCrate.h"

uint8_t CElementObjectCrate::sharedImages = 0;
