// The few desktop services the game asks of the operating system: where the
// user's local application data and documents live, opening a document or web
// address in the user's programs, and which system version runs the game.
#pragma once

#include <string>

// The user's local application data folder, without a trailing separator:
// $XDG_DATA_HOME, else $HOME/.local/share. False when neither is known.
bool platformLocalAppDataFolder(std::string& folder);

// The user's documents folder, without a trailing separator: $XDG_DOCUMENTS_DIR,
// else the XDG_DOCUMENTS_DIR entry of $XDG_CONFIG_HOME/user-dirs.dirs (or
// ~/.config/user-dirs.dirs), else $HOME/Documents. False when none is known.
bool platformDocumentsFolder(std::string& folder);

// Starts the desktop's opener (xdg-open) on the target, passed as a single
// argument without any shell in between, and does not wait for it.
// False when the opener could not be started.
bool platformShellOpen(const char* target);

// True when every frame must be shown by flipping the whole screen. The
// desktops here take rectangle updates, so this is false.
bool platformFlipOnlyDisplay();
