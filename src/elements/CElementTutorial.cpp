#include "elements/CElementTutorial.h"

uint8_t CElementTutorial::sharedImages = 0;
