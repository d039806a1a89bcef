#pragma once

#include <functional>
#include <memory>
#include <string>

#include "scene/GameObject.h"

class GameWindow;

using RootFactory = std::function<std::unique_ptr<CGameObject>()>;

// Runs frames until the window is closed or App.quit is set: fixed 60 logic
// ticks a second (at most 10 a frame), one draw of the tree, the pointer on top.
void RunMainLoop(GameWindow& window, const std::string& commandLine, bool fullScreen,
                 const RootFactory& makeRoot);

// One frame's tick count for the time since lastTickTime; advances lastTickTime by
// whole ticks (time beyond the cap is dropped, not carried).
int TicksDue(uint32_t now, uint32_t& lastTickTime);
constexpr int maxTicksPerFrame = 10;
