#pragma once

#include <string>

// One sound effect, music stream or tracker module.
// Without an audio device every operation does nothing.
class GameSound {
public:
    GameSound();
    ~GameSound();
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    bool LoadSample(const std::string& path, int volume, bool loop, int voices);
    void PlaySample();
    void StopSample();
    void SetVolume(int volume);
    void SetPan(int pan);
    bool LoadStream(const std::string& path);
    void PlayStream(bool loop);
    void StopStream();
    bool LoadModule(const std::string& path);
    void PlayModule(bool loop);
    void StopModule();

    int Volume() const { return volume_; }

private:
    int volume_ = 80;
};
