#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// Plays a numbered frame sequence once and then ends itself: a heap object
// added to a parent, which destroys it after the last frame.
class CAnimation : public CGameObject {
public:
    // pattern names the frames with "{xx}"; speed is frames per update.
    void Start(const std::string& pattern, int x, int y, float speed, int count);

    bool Update() override;
    void Draw() override;

    std::vector<Sprite*> frames;  // borrowed from the picture bank
    int32_t frameCount = 0;
    float currentFrame = 0.0f;
    float speed = 0.0f;
    int32_t x = 0;
    int32_t y = 0;
};
