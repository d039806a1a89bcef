#pragma once

#include <string>

// Where the player's own files go. Run in place from the build folder, the saves stay in the
// working directory as they always have; an installed game keeps them in the XDG data folder,
// since the install folder is not the player's to write in.

// The save folder an installed game uses, from the values of XDG_DATA_HOME and HOME (either may
// be null): $XDG_DATA_HOME/tandolo, else $HOME/.local/share/tandolo; empty when neither gives an
// absolute folder, which leaves the saves in the working directory.
std::string XdgSaveDirectory(const char* xdgDataHome, const char* home);

// The path of a save file ("world.dat", "options.dat", "error.txt"). An absolute name is kept.
std::string SavePath(const std::string& name);

// Creates the save folder and its parents if the game is installed and it is missing; false,
// with the folder and the system's reason in error, when it cannot be made.
bool CreateSaveDirectory(std::string& error);

// The folder screenshots are written to: beside the executable when run in place, else the
// player's pictures folder (xdg-user-dir PICTURES, else $HOME/Pictures).
std::string ScreenshotDirectory();
