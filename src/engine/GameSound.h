#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ModuleSource;
class MusicFeeder;
class MusicRing;
class MusicSource;
struct MixVoice;

// One sound effect, music stream or tracker module. An effect is decoded once at load into up to
// nine voices that can overlap; music is decoded as it plays by a feeder thread. Stopping,
// reloading and destroying always join the feeder first. Without an audio device everything
// works and nothing is heard.
class GameSound {
public:
    static constexpr int MaxVoices = 9;

    GameSound();
    ~GameSound();
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    // WAV, or Ogg Vorbis when the path contains ".ogg"; voices are kept to 1..9.
    bool LoadSample(const std::string& path, int volume, bool loop, int voices);
    // Plays the next voice from its start.
    void PlaySample();
    void StopSample();
    // Clamped to 0..100; 100 sounds as 99 does, 0 is silent.
    void SetVolume(int volume);
    void SetPan(int pan);
    // An Ogg Vorbis file; one whose header cannot be read is reported in a message box.
    bool LoadStream(const std::string& path);
    void PlayStream(bool loop);
    void StopStream();
    bool LoadModule(const std::string& path);
    void PlayModule(bool loop);
    void StopModule();

    int Volume() const { return volume_; }
    int VoiceCount() const { return voiceCount_; }
    // The voice the last PlaySample started.
    int CurrentVoice() const { return nextVoice_; }

private:
    void Release();
    bool PrepareMusic(std::unique_ptr<MusicSource> source);
    void StopMusicOutput();
    void ApplyGain();

    int voiceCount_ = 1;
    int volume_ = 80;
    int pan_ = 0;
    bool loop_ = false;
    int nextVoice_ = 0;
    std::vector<int16_t> sound_;
    std::vector<std::unique_ptr<MixVoice>> voices_;
    std::unique_ptr<MusicSource> music_;
    ModuleSource* module_ = nullptr;  // music_, when it is a module
    std::unique_ptr<MusicRing> ring_;
    std::unique_ptr<MusicFeeder> feeder_;
};
