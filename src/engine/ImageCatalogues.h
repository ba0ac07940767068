// The image catalogues: fixed lists of image names, one per screen or
// element family, run once at start-up right after the image files are
// preloaded. Each asks the image store for every picture its screen or
// elements will use, so that they are decoded behind the load bar, and
// makes the derived pictures that exist in no file (text images, faded
// copies, fade-out frames). Every reference a catalogue takes is kept for
// the whole run. The order is binding: a copy's source is always loaded or
// made before the copy.
#pragma once

void cacheMain();
void cacheMap();
// Runs its own blocks, then every cacheGame* group below in order, then
// sets the element classes' shared-images flags. The game's catalogue names
// every element class, so it is defined above the engine, in
// play/CDrawCatalogueGame.cpp; the preload reaches it only through these
// declarations.
void cacheGame();
void cacheButtons();
void cacheFadedImages();

void cacheGameBot();
void cacheGameButton();
void cacheGameGunshot();
void cacheGameGate();
void cacheGamePowerup();
void cacheGameTramp();
void cacheGameTerrain();
void cacheGameBarrels();
void cacheGameMagnets();
void cacheGameCrates();
void cacheGameTubes();
void cacheGameProf();
void cacheGameTeleports();
