#include "engine/ScreenshotWriter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/Files.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "engine/SavePaths.h"
#include "engine/ScreenPixels.h"
#include "engine/TgaWriter.h"

namespace {

bool SaveWithSdl(const std::vector<uint8_t>& rgba, int width, int height, int format, const std::string& path,
                 std::string& error) {
    SDL_ClearError();
    errno = 0;
    SDL_Surface* wrapped = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba.data()), width,
                                                              height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!wrapped) {
        return false;
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(wrapped, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(wrapped);
    if (!rgb) {
        return false;
    }
    int result = -1;
    switch (format) {
        case GameWindow::ScreenshotBmp:
            result = SDL_SaveBMP(rgb, path.c_str());
            break;
        case GameWindow::ScreenshotJpeg:
            result = IMG_SaveJPG(rgb, path.c_str(), 90);
            break;
        case GameWindow::ScreenshotPng:
            result = IMG_SavePNG(rgb, path.c_str());
            break;
        default:
            break;
    }
    SDL_FreeSurface(rgb);
    if (result != 0) {
        // The system's reason when opening the file failed; SDL's own words say only "couldn't open".
        error = errno != 0                ? std::strerror(errno)
                : *SDL_GetError() != '\0' ? SDL_GetError()
                                          : "unknown format";
    }
    return result == 0;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The back buffer's alpha is whatever blending left there; a screenshot is opaque.
bool WritePixels(std::vector<uint8_t> pixels, const std::string& path, int format, int width, int height,
                 std::string& error) {
    if (pixels.empty()) {
        error = "the screen could not be read";
        return false;
    }
    for (size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255;
    }
    if (format == GameWindow::ScreenshotTga) {
        errno = 0;
        if (!SaveTgaFile(path, pixels.data(), width, height, false)) {
            error = errno != 0 ? std::strerror(errno) : "the file could not be written";
            return false;
        }
        return true;
    }
    return SaveWithSdl(pixels, width, height, format, path, error);
}

}  // namespace

bool WriteScreenshot(const std::string& path, int format, int width, int height, std::string& error) {
    return WritePixels(ReadScreenPixels(width, height), path, format, width, height, error);
}

bool WriteWindowScreenshot(const std::string& path, int format, int width, int height, std::string& error) {
    return WritePixels(ReadWindowPixels(width, height), path, format, width, height, error);
}

std::string ScreenshotShortcut::PathIfPressed() {
    const bool pressed = IsKeyDown(KeyLeftShift) && (IsKeyDown(KeyPrintScreen) || IsKeyDown(KeyF12));
    std::string path;
    if (pressed && !keysHeld_) {
        const std::string folder = ScreenshotDirectory();
        do {
            ++counter_;
            path = folder + "/screenshot" + std::to_string(counter_) + ".tga";
        } while (FileExists(path));
    }
    keysHeld_ = pressed;
    return path;
}
