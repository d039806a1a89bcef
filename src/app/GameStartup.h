#pragma once

#include <optional>
#include <string>

#include "app/MainLoop.h"
#include "engine/WindowPlacement.h"

// The file beside the saves where the window's size and place are kept between runs.
constexpr const char* WindowPlacementFileName = "window.txt";

// The whole run of the game: window, main loop and shutdown. Returns the
// process exit code (1 when the window cannot be made). Without a placement the window opens as
// it was last left.
int RunGame(const std::string& commandLine, const RootFactory& makeRoot,
            const std::optional<WindowPlacement>& placement = std::nullopt);

// The root the player gets.
std::unique_ptr<CGameObject> MakeGameRoot();

// The command line as one string of the arguments after the program's name.
std::string JoinArguments(int argc, char** argv);
