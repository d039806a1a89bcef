#include "engine/AudioDevice.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>

#include "engine/MixFormat.h"
#include "engine/SoundMixer.h"

namespace {

// 512 frames are 11.6 ms: an effect starts well within 30 ms of being played.
constexpr Uint16 DeviceBufferFrames = 512;
constexpr int BytesPerFrame = 4;

struct AudioDeviceState {
    int users = 0;
    SDL_AudioDeviceID device = 0;
    bool paused = false;
};

AudioDeviceState& State() {
    static AudioDeviceState state;
    return state;
}

void PullFromMixer(void*, Uint8* stream, int length) {
    TheSoundMixer().Mix(reinterpret_cast<int16_t*>(stream), length / BytesPerFrame);
}

SDL_AudioDeviceID OpenDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "tandolo: no sound: %s\n", SDL_GetError());
        return 0;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = MixRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = DeviceBufferFrames;
    wanted.callback = PullFromMixer;
    SDL_AudioSpec obtained{};
    // SDL converts if the hardware wants another format; the mixer always makes this one.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        std::fprintf(stderr, "tandolo: no sound: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}

}  // namespace

void RetainAudioDevice() {
    AudioDeviceState& state = State();
    if (state.users++ == 0) {
        state.device = OpenDevice();
        if (state.device != 0) {
            SDL_PauseAudioDevice(state.device, state.paused ? 1 : 0);
        }
    }
}

void ReleaseAudioDevice() {
    AudioDeviceState& state = State();
    if (state.users == 0 || --state.users > 0) {
        return;
    }
    if (state.device != 0) {
        SDL_CloseAudioDevice(state.device);  // waits for a callback in progress
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        state.device = 0;
    }
}

bool AudioDeviceOpen() {
    return State().device != 0;
}

void SetAudioOutputPaused(bool paused) {
    AudioDeviceState& state = State();
    state.paused = paused;
    if (state.device != 0) {
        SDL_PauseAudioDevice(state.device, paused ? 1 : 0);
    }
}
