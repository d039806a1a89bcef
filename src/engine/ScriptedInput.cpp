#include "engine/ScriptedInput.h"

bool ScriptedInput::IsKeyDown(int keyCode) {
    return keyCode >= 0 && keyCode < KeyCount && keys_[static_cast<size_t>(keyCode)];
}

void ScriptedInput::SetMousePosition(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void ScriptedInput::WaitForInput() { keys_.fill(false); }

void ScriptedInput::SetKey(int keyCode, bool down) {
    if (keyCode >= 0 && keyCode < KeyCount) {
        keys_[static_cast<size_t>(keyCode)] = down;
    }
}

void ScriptedInput::BeforePresent() {
    ++presentedFrames;
    if (onBeforePresent) {
        onBeforePresent();
    }
    nowMs_ += advancePerFrameMs;
}
