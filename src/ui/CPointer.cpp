#include "ui/CPointer.h"

#include "engine/GLPicture.h"
#include "engine/Input.h"

CPointer::CPointer() {
    name = "mousepointer";
    HideMouseCursor();
}

bool CPointer::Update() {
    mouseX = GetMouseX();
    mouseY = GetMouseY();
    return true;
}

void CPointer::Draw() {
    if (picture != nullptr) {
        picture->Draw(mouseX - hotX, mouseY - hotY);
    }
}

void CPointer::CentreHotSpot() {
    // The loaded picture's size, not the sprite's source rectangle.
    if (picture == nullptr || picture->picture == nullptr) {
        hotX = 0;
        hotY = 0;
        return;
    }
    hotX = static_cast<int32_t>(picture->picture->GetWidth()) / 2;
    hotY = static_cast<int32_t>(picture->picture->GetHeight()) / 2;
}
