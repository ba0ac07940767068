#include "elements/CElementObjectMagnet.h"

uint8_t CElementObjectMagnet::sharedImages = 0;
