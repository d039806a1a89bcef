#include "engine/GameSound.h"

#include <algorithm>
#include <cstdio>

#include "engine/AttenuationTables.h"
#include "engine/AudioDevice.h"
#include "engine/EngineFile.h"
#include "engine/MessageBox.h"
#include "engine/ModuleSource.h"
#include "engine/MusicFeeder.h"
#include "engine/MusicRing.h"
#include "engine/OggStreamSource.h"
#include "engine/SampleDecoder.h"
#include "engine/SoundMixer.h"

namespace {

bool ReadSoundFile(const std::string& path, std::vector<uint8_t>& bytes) {
    if (ReadWholeFile(path, bytes) != FileOk) {
        std::fprintf(stderr, "tandolo: could not read sound %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

GameSound::GameSound() {
    RetainAudioDevice();
}

GameSound::~GameSound() {
    Release();
    ReleaseAudioDevice();
}

bool GameSound::LoadSample(const std::string& path, int volume, bool loop, int voices) {
    Release();
    volume_ = std::clamp(volume, 0, 100);
    loop_ = loop;
    voiceCount_ = std::clamp(voices, 1, MaxVoices);
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(path, bytes)) {
        return false;
    }
    std::string error;
    if (!DecodeSample(bytes, IsOggName(path), sound_, error)) {
        std::fprintf(stderr, "tandolo: could not decode sound %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    // The voices share the one decoded sound.
    for (int i = 0; i < voiceCount_; ++i) {
        auto voice = std::make_unique<MixVoice>();
        voice->sound = &sound_;
        TheSoundMixer().Add(*voice);
        voices_.push_back(std::move(voice));
    }
    SetPan(0);
    return true;
}

void GameSound::PlaySample() {
    if (voices_.empty()) {
        return;
    }
    nextVoice_ = (nextVoice_ + 1) % voiceCount_;
    MixVoice& voice = *voices_[static_cast<std::size_t>(nextVoice_)];
    SetVolume(volume_);  // before it sounds, so no step of it plays at an old volume
    TheSoundMixer().Locked([&] {
        voice.position = 0;
        voice.loop = loop_;
        voice.playing = true;
    });
}

void GameSound::StopSample() {
    TheSoundMixer().Locked([&] {
        for (auto& voice : voices_) {
            voice->playing = false;
        }
    });
}

void GameSound::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    ApplyGain();
}

void GameSound::SetPan(int pan) {
    pan_ = pan;
    ApplyGain();
}

// Effects and music both have a master level of 100, so the level is the volume itself.
void GameSound::ApplyGain() {
    const StereoGain gain = GainOf(VolumeAttenuation(std::min(volume_, 99)), PanAttenuation(pan_));
    TheSoundMixer().Locked([&] {
        for (auto& voice : voices_) {
            voice->gain = gain;
        }
        if (ring_) {
            ring_->gain = gain;
        }
    });
}

bool GameSound::LoadStream(const std::string& path) {
    Release();
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(path, bytes)) {
        return false;
    }
    auto stream = std::make_unique<OggStreamSource>();
    if (!stream->Open(std::move(bytes))) {
        ShowMessageBox("error", "error could not detect ogg file");
        return false;
    }
    return PrepareMusic(std::move(stream));
}

void GameSound::PlayStream(bool loop) {
    if (!ring_) {
        return;
    }
    StopMusicOutput();
    TheSoundMixer().Locked([&] { ring_->playing = true; });
    SetVolume(volume_);
    feeder_->Start(loop);
}

void GameSound::StopStream() {
    StopMusicOutput();
}

bool GameSound::LoadModule(const std::string& path) {
    Release();
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(path, bytes)) {
        return false;
    }
    auto module = std::make_unique<ModuleSource>();
    if (!module->Open(bytes)) {
        std::fprintf(stderr, "tandolo: %s is no module that can be played\n", path.c_str());
        return false;
    }
    module_ = module.get();
    return PrepareMusic(std::move(module));
}

// Goes on from where the module is; StopModule rewinds it.
void GameSound::PlayModule(bool loop) {
    if (!ring_) {
        return;
    }
    feeder_->Stop();
    module_->SetLooping(loop);
    TheSoundMixer().Locked([&] { ring_->playing = true; });
    SetVolume(volume_);
    feeder_->Start(loop);
}

void GameSound::StopModule() {
    StopMusicOutput();
}

bool GameSound::PrepareMusic(std::unique_ptr<MusicSource> source) {
    music_ = std::move(source);
    ring_ = std::make_unique<MusicRing>();
    feeder_ = std::make_unique<MusicFeeder>(*ring_, *music_);
    TheSoundMixer().Add(*ring_);
    SetPan(0);
    return true;
}

// Silent, emptied and back at the start, the feeder joined.
void GameSound::StopMusicOutput() {
    if (!ring_) {
        return;
    }
    feeder_->Stop();
    TheSoundMixer().Locked([&] {
        ring_->playing = false;
        ring_->Reset();
    });
    music_->Rewind();
}

void GameSound::Release() {
    feeder_.reset();  // joins the thread before what it reads goes
    if (ring_) {
        TheSoundMixer().Remove(*ring_);
        ring_.reset();
    }
    module_ = nullptr;
    music_.reset();
    for (auto& voice : voices_) {
        TheSoundMixer().Remove(*voice);
    }
    voices_.clear();
    sound_.clear();
    nextVoice_ = 0;
}
