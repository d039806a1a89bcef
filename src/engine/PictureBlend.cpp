#include "engine/PictureBlend.h"

#include <SDL_opengl.h>

#include <algorithm>

#include "engine/GLPicture.h"
#include "engine/QuadBatch.h"

namespace {

float Clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

}  // namespace

PictureBlend::PictureBlend() : source_(GL_SRC_ALPHA), destination_(GL_ONE_MINUS_SRC_ALPHA) {}

void PictureBlend::SetMode(int mode) {
    switch (mode) {
        case GLPicture::BlendAdditive:
            source_ = GL_SRC_ALPHA;
            destination_ = GL_DST_ALPHA;
            break;
        case GLPicture::BlendNormal:
            source_ = GL_SRC_ALPHA;
            destination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        case GLPicture::BlendPremultiplied:
            source_ = GL_ONE;
            destination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        case GLPicture::BlendDarken:
            source_ = GL_ZERO;
            destination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        default:
            break;
    }
}

void PictureBlend::SetModulation(float red, float green, float blue, float alpha) {
    if (red == 1.0f && green == 1.0f && blue == 1.0f && alpha == 1.0f) {
        modulationOn_ = false;
        return;
    }
    modulation_[0] = Clamp01(red);
    modulation_[1] = Clamp01(green);
    modulation_[2] = Clamp01(blue);
    modulation_[3] = Clamp01(alpha);
    modulationOn_ = true;
}

void PictureBlend::Describe(QuadState& state, float alpha) const {
    state.blend = true;
    state.source = source_;
    state.destination = destination_;
    const float white[4] = {1, 1, 1, 1};
    const float* colour = modulationOn_ ? modulation_ : white;
    for (int i = 0; i < 3; ++i) {
        state.colour[i] = colour[i];
    }
    state.colour[3] = alpha * colour[3];
}
