#include "engine/GameSound.h"

#include <algorithm>

// The mixer, decoders and feeder thread arrive with the sound layer; until then
// every sound loads as missing and plays nothing.
GameSound::GameSound() = default;
GameSound::~GameSound() = default;

bool GameSound::LoadSample(const std::string&, int volume, bool, int) {
    SetVolume(volume);
    return false;
}
void GameSound::PlaySample() {}
void GameSound::StopSample() {}
void GameSound::SetVolume(int volume) { volume_ = std::clamp(volume, 0, 100); }
void GameSound::SetPan(int) {}
bool GameSound::LoadStream(const std::string&) { return false; }
void GameSound::PlayStream(bool) {}
void GameSound::StopStream() {}
bool GameSound::LoadModule(const std::string&) { return false; }
void GameSound::PlayModule(bool) {}
void GameSound::StopModule() {}
