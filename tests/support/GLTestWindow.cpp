#include "support/GLTestWindow.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <set>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/GameWindow.h"
#include "engine/FrameRecorder.h"
#include "engine/TgaWriter.h"

namespace {

// Made by the first test that draws and shared by all the tests of the process.
// The real engine runs headless: offscreen video, no sound card, and the software renderer
// drawing on the test's own thread, as the leak checker of the sanitizer build, run at exit, can
// crash walking the renderer's worker threads. Set before anything starts SDL or OpenGL.
[[maybe_unused]] const bool headlessEnvironment = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LP_NUM_THREADS", "0", 0);
    return true;
}();

std::unique_ptr<GameWindow>& SharedWindow() {
    static std::unique_ptr<GameWindow> window;
    return window;
}

// Closes the shared window while the test program still runs, not in static teardown.
class SharedWindowEnvironment : public ::testing::Environment {
public:
    void TearDown() override { SharedWindow().reset(); }
};

[[maybe_unused]] ::testing::Environment* const sharedWindowEnvironment =
    ::testing::AddGlobalTestEnvironment(new SharedWindowEnvironment);

void RemoveDirectory(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// Directories still there when the process exits: a death test's child ends through exit(),
// which skips the destructors on the stack but not this one.
struct LiveTempDirs {
    ~LiveTempDirs() {
        for (const std::string& path : paths) {
            RemoveDirectory(path);
        }
    }
    std::set<std::string> paths;
};
std::set<std::string>& LiveTempDirPaths() {
    static LiveTempDirs live;
    return live.paths;
}

bool FitsPicture(int width, int height, const std::vector<uint32_t>& pixels) {
    return width > 0 && height > 0 && pixels.size() == static_cast<size_t>(width) * height;
}

}  // namespace

void PrintTo(const RGBA& pixel, std::ostream* out) {
    *out << "RGBA(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ", " << int(pixel.a)
         << ")";
}

void GLTestWindow::SetUp() {
    auto& window = SharedWindow();
    if (!window) {
        auto created = CreateGameWindowObject(true, false);
        ASSERT_TRUE(created->CreateGameWindow(800, 600, -1, true, "Tandolo test")) << SDL_GetError();
        window = std::move(created);
    }
    window->MakeCurrent();
    DrawPending();  // what an earlier test drew last
    // Undo what an earlier test may have left switched on.
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    GLPicture::InvalidateBindCache();
    window->SetFadeLevel(1.0f);
    window->SetDefaultWorldView();
    ClearTo(0, 0, 0);
    App.pictures = &pictures;
}

GLTestWindow::~GLTestWindow() {
    if (App.pictures == &pictures) {
        App.pictures = nullptr;
    }
}

GameWindow& GLTestWindow::Window() {
    return *SharedWindow();
}

void GLTestWindow::ClearTo(int r, int g, int b) {
    DrawPending();
    glDisable(GL_SCISSOR_TEST);
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

RGBA GLTestWindow::ReadPixel(int x, int y) {
    const GameWindow::Letterbox box = Window().CurrentLetterbox();
    const int screenWidth = Window().GetWidth();
    const int screenHeight = Window().GetHeight();
    const int pixelX = box.x + static_cast<int>((x + 0.5) * box.width / screenWidth);
    const int pixelY = box.y + static_cast<int>((y + 0.5) * box.height / screenHeight);
    uint8_t bytes[4] = {};
    DrawPending();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(pixelX, box.drawableHeight - 1 - pixelY, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
    return RGBA{bytes[0], bytes[1], bytes[2], bytes[3]};
}

::testing::AssertionResult GLTestWindow::Drawn(RGBA colour, int x, int y, int width, int height) {
    const int right = x + width - 1;
    const int bottom = y + height - 1;
    const struct {
        int x, y;
        bool inside;
    } probes[] = {
        {x, y, true},      {right, y, true},  {x, bottom, true},          {right, bottom, true},
        {x - 1, y, false}, {x, y - 1, false}, {right + 1, bottom, false}, {right, bottom + 1, false}};
    for (const auto& probe : probes) {
        const RGBA pixel = ReadPixel(probe.x, probe.y);
        const bool same = pixel.r == colour.r && pixel.g == colour.g && pixel.b == colour.b;
        if (same != probe.inside) {
            return ::testing::AssertionFailure()
                   << (probe.inside ? "inside" : "outside") << " pixel (" << probe.x << ", " << probe.y
                   << ") is " << ::testing::PrintToString(pixel);
        }
    }
    return ::testing::AssertionSuccess();
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tandolo-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) {
        path_ = pattern;
        LiveTempDirPaths().insert(path_);
    }
}

TempDir::~TempDir() {
    if (!path_.empty()) {
        RemoveDirectory(path_);
        LiveTempDirPaths().erase(path_);
    }
}

std::string TempDir::File(const std::string& name) const {
    return path_ + "/" + name;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbaPixels,
              bool withAlpha) {
    if (!FitsPicture(width, height, rgbaPixels)) {
        return false;
    }
    std::vector<uint32_t> pixels = rgbaPixels;  // SDL wants them writable
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_ABGR8888);
    SDL_Surface* toSave =
        withAlpha || !rgba ? rgba : SDL_ConvertSurfaceFormat(rgba, SDL_PIXELFORMAT_RGB24, 0);
    const bool saved = toSave && IMG_SavePNG(toSave, path.c_str()) == 0;
    if (toSave != rgba) {
        SDL_FreeSurface(toSave);
    }
    SDL_FreeSurface(rgba);
    return saved;
}

// Packed pixels are RGBA bytes in memory on the little-endian machines the game runs on.
bool WriteTga(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbaPixels,
              bool withAlpha) {
    return FitsPicture(width, height, rgbaPixels) &&
           SaveTgaFile(path, reinterpret_cast<const uint8_t*>(rgbaPixels.data()), width, height, withAlpha);
}
