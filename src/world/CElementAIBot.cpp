#include "world/CElementAIBot.h"

uint8_t CElementAIBot::sharedImages = 0;
