#pragma once

#include <string>

#include "app/MainLoop.h"

// The whole run of the game: window, main loop and shutdown. Returns the
// process exit code (1 when the window cannot be made).
int RunGame(const std::string& commandLine, const RootFactory& makeRoot);

// The root the player gets.
std::unique_ptr<CGameObject> MakeGameRoot();

// The command line as one string of the arguments after the program's name.
std::string JoinArguments(int argc, char** argv);
