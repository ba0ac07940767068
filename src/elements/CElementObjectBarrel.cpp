#include "elements/CElementObjectBarrel.h"

uint8_t CElementObjectBarrel::sharedImages = 0;
