// The element factory: turns the tiles of a level into board elements.
#pragma once

class CElement;
class CLevel;

// Creates the element of one tile code at cell (x, y); w and h are the run
// the code covers (a grass or sand run's width). The cell's flag freezes
// (1024) or heats (2048) what was created. Returns the element created (for
// the entrance tube, code 4, the professor standing in it), or null when the
// code makes nothing.
CElement* createElement(CLevel& level, int code, int x, int y, int w, int h);

// One ladder segment per cell of column x from row top downwards.
void createLadder(CLevel& level, int x, int top, int height);

// The board part of loading a level, on a world that CElement::InitElements
// has just reset: the ladders (each run once, met at its bottom cell), then
// the tiles (rows top to bottom, columns right to left, so each grass or sand
// run becomes one element of its full width), then the teleport ends of the
// blue, yellow and red pairs. Returns the professor, or null when the level
// has no entrance tube.
CElement* buildLevelElements(CLevel& level);
