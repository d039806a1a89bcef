#include "engine/ScreenPixels.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstddef>

#include "engine/FrameRecorder.h"
#include "engine/ScaledFramebuffer.h"

std::vector<uint8_t> ReadScreenPixels(int width, int height) {
    DrawPending();
    if (width < 1 || height < 1) {
        return {};
    }
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int sourceWidth = viewport[2];
    const int sourceHeight = viewport[3];
    if (sourceWidth < 1 || sourceHeight < 1) {
        return {};
    }
    std::vector<uint8_t> source(static_cast<size_t>(sourceWidth) * sourceHeight * 4);
    ReadFromFramebuffer(ReadFramebuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], sourceWidth, sourceHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                 source.data());

    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        // Nearest source pixel; OpenGL rows run bottom-up.
        const int fromTop = static_cast<int>((y + 0.5) * sourceHeight / height);
        const size_t sourceRowIndex = static_cast<size_t>(sourceHeight - 1 - fromTop);
        const uint8_t* sourceRow = source.data() + sourceRowIndex * sourceWidth * 4;
        uint8_t* row = pixels.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>((x + 0.5) * sourceWidth / width);
            for (int c = 0; c < 4; ++c) {
                row[x * 4 + c] = sourceRow[sourceX * 4 + c];
            }
        }
    }
    return pixels;
}

std::vector<uint8_t> ReadWindowPixels(int width, int height) {
    DrawPending();
    if (width < 1 || height < 1) {
        return {};
    }
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
    const unsigned int screenFramebuffer = ReadFramebuffer();
    ReadFromFramebuffer(0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    ReadFromFramebuffer(screenFramebuffer);
    std::vector<uint8_t> pixels(bottomUp.size());
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bottomUp.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes,
                    pixels.data() + static_cast<size_t>(y) * rowBytes);
    }
    return pixels;
}
