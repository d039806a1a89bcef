#include "app/MainLoop.h"

#include <algorithm>

#include "app/CommandLine.h"
#include "app/KeyboardPlay.h"
#include "core/App.h"
#include "engine/Clock.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "scene/GameObject.h"

int TicksDue(uint32_t now, uint32_t& lastTickTime) {
    // Signed on purpose: a clock reading behind the reference runs no tick.
    // Wide products, so even a stall of hours cannot overflow.
    const int64_t elapsed = static_cast<int32_t>(now - lastTickTime);
    const int64_t ticks = elapsed * 60 / 1000;
    lastTickTime += static_cast<uint32_t>(ticks * 1000 / 60);
    return static_cast<int>(std::clamp<int64_t>(ticks, 0, INT32_MAX));
}

namespace {

void RunTick(KeyboardPlay& keyboard) {
    keyboard.Tick(*App.root);
    if (App.root->active) {
        App.root->Tick();
    }
    App.root->UpdateChildren();
    App.tickCount += 1;
}

void RunFrame(GameWindow& window, KeyboardPlay& keyboard) {
    window.SetWorldView(0, 0, 0, 1.0f, false);
    const int ticks = std::min(TicksDue(GetMilliseconds(), App.lastTickTime), maxTicksPerFrame);
    for (int i = 0; i < ticks; ++i) {
        RunTick(keyboard);
    }
    DrawTree();
    if (App.pointer != nullptr) {
        App.pointer->Update();
        App.pointer->Draw();
    }
    App.mouseDown = IsMouseButtonDown();
    window.FlipBackBuffer(true, true);
    App.fullScreen = window.IsFullScreen();  // F11 and Alt+Enter switch it in the window itself
}

}  // namespace

void RunMainLoop(GameWindow& window, const std::string& commandLine, bool fullScreen,
                 const RootFactory& makeRoot) {
    App.fullScreen = fullScreen;
    if (!commandLine.empty()) {
        App.intOptions = ParseCommandLine(commandLine);
    }
    App.window = &window;
    App.lastTickTime = GetMilliseconds();
    std::unique_ptr<CGameObject> root = makeRoot();
    App.root = root.get();
    App.root->MakeRoot();
    App.quit = false;
    KeyboardPlay keyboard;
    while (!window.IsQuitRequested()) {
        RunFrame(window, keyboard);
        if (App.quit) {
            break;
        }
    }
    App.pointer = nullptr;
    root.reset();
    App.root = nullptr;
}
