#include "engine/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Headless drivers have no screen to put a box on, and a box opened on some other
// display would block a test run that nobody watches.
bool HasScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) {
        driver = std::getenv("SDL_VIDEODRIVER");
    }
    return !driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0);
}

void Show(Uint32 flags, const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (HasScreen()) {
        SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), SDL_GL_GetCurrentWindow());
    }
}

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text) {
    Show(SDL_MESSAGEBOX_INFORMATION, caption, text);
}

void FatalError(const std::string& text) {
    Show(SDL_MESSAGEBOX_ERROR, "Tandolo", text);
    std::exit(1);
}
