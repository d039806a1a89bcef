#include "core/App.h"

#include <algorithm>

#include "engine/Clock.h"
#include "engine/Files.h"
#include "engine/GameSound.h"
#include "engine/GameWindow.h"
#include "scene/GameObject.h"

AppRecord App;

AppRecord::AppRecord() = default;
AppRecord::~AppRecord() = default;

namespace {

bool IsModuleName(const std::string& file) {
    const size_t dot = file.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    std::string extension = file.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".IT";
}

int VolumePercent(float volume) {
    return static_cast<int>(volume * 100.0f);
}

GameSound& LoadSound(const std::string& name) {
    auto sound = std::make_unique<GameSound>();
    sound->LoadSample(MakeFilePath(name), 100, false, 1);
    return *(App.sounds[name] = std::move(sound));
}

}  // namespace

void PlaySound(const std::string& name) {
    auto entry = App.sounds.find(name);
    GameSound& sound = entry != App.sounds.end() ? *entry->second : LoadSound(name);
    sound.SetVolume(VolumePercent(App.soundVolume));
    sound.PlaySample();
}

void PreloadSound(const std::string& name) {
    LoadSound(name);
}

void PlayMusic(const std::string& file) {
    StopMusic();
    App.music = std::make_unique<GameSound>();
    if (IsModuleName(file)) {
        App.music->LoadModule(MakeFilePath(file));
        App.music->PlayModule(true);
    } else {
        App.music->LoadStream(MakeFilePath(file));
        App.music->PlayStream(true);
    }
    App.music->SetVolume(VolumePercent(App.musicVolume));
    App.musicName = file;
}

void StopMusic() {
    if (App.music) {
        if (IsModuleName(App.musicName)) {
            App.music->StopModule();
        } else {
            App.music->StopStream();
        }
        App.music.reset();
    }
    App.musicName.clear();
}

void SetMusicVolume(float volume) {
    App.musicVolume = std::clamp(volume, 0.0f, 1.0f);
    if (App.music) {
        App.music->SetVolume(VolumePercent(App.musicVolume));
    }
}

void SetSoundVolume(float volume) {
    App.soundVolume = std::clamp(volume, 0.0f, 1.0f);
}

void SetFullScreen(bool flag) {
    if (flag != App.fullScreen) {
        App.fullScreen = flag;
        App.window->ToggleFullScreen(flag);
    }
}

void ClearScreen() {
    App.window->SetWorldView(0, 0, 0, 1.0f, true);
}

// The fade level moves in single precision with a double-precision step, as the
// 51-step count depends on that rounding.
void FadeIn() {
    float level = 0.0f;
    App.window->SetFadeLevel(0.0f);
    App.window->FlipBackBuffer(false, true);
    do {
        level = static_cast<float>(static_cast<double>(level) + 0.02);
        DrawTree();
        App.window->SetFadeLevel(level);
        App.window->FlipBackBuffer(false, true);
    } while (level < 1.0f);
    App.lastTickTime = GetMilliseconds();
    App.screenFaded = false;
}

// The screen is drawn again for every step: after a swap the back buffer's
// contents are undefined on most drivers, so the last frame cannot be reused.
void FadeOut() {
    float level = 1.0f;
    DrawTree();
    App.window->SetFadeLevel(1.0f);
    App.window->FlipBackBuffer(false, true);
    do {
        level = static_cast<float>(static_cast<double>(level) - 0.02);
        DrawTree();
        App.window->SetFadeLevel(level);
        App.window->FlipBackBuffer(false, true);
    } while (level > 0.0f);
    App.lastTickTime = GetMilliseconds();
    App.screenFaded = true;
}

int32_t GetIntOption(const std::string& key) {
    auto entry = App.intOptions.find(key);
    return entry == App.intOptions.end() ? -1 : entry->second;
}

void DrawTree() {
    if (App.root->active) {
        App.root->Draw();
    }
    App.root->DrawChildren();
}

void ShutDownApp() {
    for (auto& [name, sound] : App.sounds) {
        sound->StopSample();
    }
    App.sounds.clear();
    StopMusic();
}
