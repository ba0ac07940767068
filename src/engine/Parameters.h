// The parameter file "resource8.dat": settings that differ between
// distributions (the more-games address, a vendor id, three switches).
// Read once at start-up; the values stay fixed for the run.
#pragma once

// Reads the parameter file (fileName is "resource8.dat" in the working
// folder unless a caller names another). Bad lines are reported and skipped;
// a file without "MOREGAMES_URL" ends the program.
void loadParameters(const char* fileName = "resource8.dat");

const char* getMoreGamesUrl();
const char* getVendorId();
bool getUseTwBlink();
bool getUseMoreGames();
bool getUseMoreLevels();
