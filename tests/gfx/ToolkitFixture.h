#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/App.h"
#include "engine/Files.h"
#include "engine/InputSeam.h"
#include "engine/ScriptedInput.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "support/GLTestWindow.h"

// Tests of the animated objects and widgets: the real window, the game's data
// directory in a temporary folder, and a scripted mouse read through the real
// input functions.
class ToolkitTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        savedDirectory_ = GetExecutableDirectory();
        SetExecutableDirectory(temp.Path());
        SetInputSeam(&input);
        root.MakeRoot();
    }

    // The objects a test adds to root are its own members, or heap objects the tree ends itself.
    void TearDown() override {
        root.RemoveAllChildren();
        SetInputSeam(nullptr);
        ShutDownApp();
        SetExecutableDirectory(savedDirectory_);
    }

    // A picture of one colour under a game-relative name such as "data/gfx/x.png".
    void WriteSolid(const std::string& name, int width, int height, uint32_t colour) {
        WritePicture(name, width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, colour));
    }

    void WritePicture(const std::string& name, int width, int height, const std::vector<uint32_t>& pixels) {
        const std::filesystem::path path = temp.File(name);
        std::filesystem::create_directories(path.parent_path());
        const bool written = path.extension() == ".tga" ? WriteTga(path.string(), width, height, pixels)
                                                        : WritePng(path.string(), width, height, pixels);
        ASSERT_TRUE(written) << name;
    }

    void LoadSolid(Sprite& sprite, const std::string& name, int width, int height, uint32_t colour) {
        WriteSolid(name, width, height, colour);
        ASSERT_TRUE(sprite.Load(name)) << name;
    }

    // One logic tick of the tree below root, as the main loop runs it.
    void Tick() {
        root.Tick();
        root.UpdateChildren();
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }

    // Draws the tree on a black screen.
    void DrawTree() {
        ClearTo(0, 0, 0);
        root.DrawChildren();
    }

    static bool IsBlack(const RGBA& pixel) { return pixel.r == 0 && pixel.g == 0 && pixel.b == 0; }
    // Colours compared without alpha: the screen's own alpha is not what the player sees.
    static uint32_t Rgb(const RGBA& pixel) { return PackRGBA(pixel.r, pixel.g, pixel.b, 0); }
    static uint32_t Rgb(uint32_t packed) { return packed & 0xFFFFFFu; }
    uint32_t RgbAt(int x, int y) { return Rgb(ReadPixel(x, y)); }

    TempDir temp;
    ScriptedInput input;
    CGameObject root;

private:
    std::string savedDirectory_;
};
