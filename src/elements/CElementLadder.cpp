#include "elements/CElementLadder.h"

uint8_t CElementLadder::sharedImages = 0;
