#include "world/CElementAIProfessor.h"

uint8_t CElementAIProfessor::sharedImages = 0;
