// What the sound engine costs: the CPU time, over all threads, of one second of audio with nine
// effect voices and a module playing, pulled in the device's steps of 512 frames. The module is
// the first of the game's own under data/sfx, or a tiny one when the data has none.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/AudioDevice.h"
#include "engine/Files.h"
#include "engine/GameSound.h"
#include "engine/SoundMixer.h"
#include "support/SoundFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr int DeviceStep = 512;
constexpr int Rate = 44100;

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string GameModule(const fs::path& fallbackFolder) {
    const fs::path music = fs::path(GetExecutableDirectory()) / "data" / "sfx";
    std::vector<fs::path> modules;
    if (fs::is_directory(music)) {
        for (const auto& entry : fs::directory_iterator(music)) {
            if (entry.path().extension() == ".it") {
                modules.push_back(entry.path());
            }
        }
    }
    if (!modules.empty()) {
        return std::min_element(modules.begin(), modules.end())->string();
    }
    const std::string tiny = (fallbackFolder / "tiny.mod").string();
    WriteTinyModule(tiny);
    return tiny;
}

void MixNineVoicesAndAModule(benchmark::State& state) {
    SetAudioOutputPaused(true);  // the benchmark is the device
    const fs::path folder = fs::temp_directory_path() / "tandolo-sound-bench";
    fs::create_directories(folder);
    const std::string voicePath = (folder / "voice.wav").string();
    std::vector<int16_t> tone(Rate * 2 * 2);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(8000 * std::sin(static_cast<double>(i / 2) * 0.05));
    }
    WriteWav(voicePath, Rate, 2, tone);
    GameSound effect;
    effect.LoadSample(voicePath, 100, true, GameSound::MaxVoices);
    for (int i = 0; i < GameSound::MaxVoices; ++i) {
        effect.PlaySample();
    }
    const std::string module = GameModule(folder);
    GameSound music;
    music.LoadModule(module);
    music.PlayModule(true);
    state.SetLabel(fs::path(module).filename().string());

    std::vector<int16_t> buffer(DeviceStep * 2);
    for (auto _ : state) {
        const double before = ProcessSeconds();
        for (int pulled = 0; pulled < Rate; pulled += DeviceStep) {
            TheSoundMixer().Mix(buffer.data(), DeviceStep);
            // Time for the feeder to keep the music coming; sleeping costs no CPU.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        state.SetIterationTime(ProcessSeconds() - before);
    }
    fs::remove_all(folder);
}
BENCHMARK(MixNineVoicesAndAModule)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
