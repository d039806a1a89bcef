#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CGameObject;
class GameWindow;
class GameSound;
class PictureBank;

// The one application record: the little state every screen shares.
struct AppRecord {
    AppRecord();
    ~AppRecord();

    GameWindow* window = nullptr;
    CGameObject* root = nullptr;
    bool quit = false;
    uint32_t tickCount = 0;
    uint32_t lastTickTime = 0;
    bool mouseDown = false;
    bool fullScreen = false;
    bool screenFaded = false;
    bool directStart = false;
    CGameObject* pointer = nullptr;
    // Owned by whoever runs the game (the start-up, a test), which empties it while the window lives.
    PictureBank* pictures = nullptr;
    std::map<std::string, std::unique_ptr<GameSound>> sounds;
    std::unique_ptr<GameSound> music;
    std::string musicName;
    float musicVolume = 0.3f;
    float soundVolume = 1.0f;
    std::map<std::string, int32_t> intOptions;
};

extern AppRecord App;

void PlaySound(const std::string& name);
void PreloadSound(const std::string& name);
void PlayMusic(const std::string& file);
void StopMusic();
void SetMusicVolume(float volume);
void SetSoundVolume(float volume);
void SetFullScreen(bool flag);
void ClearScreen();
void FadeIn();
void FadeOut();
// The integer given for key on the command line; -1 when it was not given.
int32_t GetIntOption(const std::string& key);
// Releases sounds and music (at shutdown, and between tests).
void ShutDownApp();
// The tree's draw pass as a frame draws it (without the pointer).
void DrawTree();
