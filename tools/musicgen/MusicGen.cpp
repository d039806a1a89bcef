// musicgen SOURCE_DIR OUT_DIR: every NAME.music of SOURCE_DIR becomes OUT_DIR/NAME.it, levelled
// to a common loudness. musicgen --check FILE.it [WAV]: a module's length, peak and loudness as
// the game plays it, and optionally its sound as a WAV file.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "ItWriter.h"
#include "ModuleBuilder.h"
#include "ModuleLevels.h"
#include "NoteRenderer.h"
#include "ScoreReader.h"
#include "WavWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr double TargetLoudness = -17.0;  // LUFS
constexpr double PeakCeiling = -1.0;      // dBFS

void PrintLevels(const std::string& name, const ModuleLevels& levels, std::size_t bytes) {
    std::printf("%-12s %6.1f s  peak %6.1f dBFS  %6.1f LUFS  %7zu bytes\n", name.c_str(), levels.seconds,
                levels.peakDb, levels.loudness, bytes);
}

// The global volume scales the whole mix, nearly but not exactly in proportion (the player
// rounds and ramps), so the level is measured and set twice.
void Level(std::vector<uint8_t>& bytes, const std::string& name) {
    for (int pass = 0; pass < 2; ++pass) {
        const ModuleLevels levels = MeasureModule(bytes);
        const double gainDb = std::min(TargetLoudness - levels.loudness, PeakCeiling - levels.peakDb);
        const int volume =
            static_cast<int>(std::floor(bytes[ItGlobalVolumeOffset] * std::pow(10.0, gainDb / 20.0)));
        if (volume < 1 || volume > 128) {
            throw std::runtime_error(name + ": cannot be levelled (global volume " + std::to_string(volume) +
                                     "); change the voices' volumes");
        }
        bytes[ItGlobalVolumeOffset] = static_cast<uint8_t>(volume);
    }
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    // Written beside and renamed over, so a failed run never leaves half a module.
    const fs::path temporary = path.string() + ".tmp";
    std::ofstream out(temporary, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error(temporary.string() + ": cannot be written");
    }
    fs::rename(temporary, path);
}

int Make(const fs::path& sourceDir, const fs::path& outDir) {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(sourceDir)) {
        if (entry.path().extension() == ".music") {
            sources.push_back(entry.path());
        }
    }
    std::sort(sources.begin(), sources.end());
    fs::create_directories(outDir);
    NoteRenderer renderer(DefaultSoundFontPath());
    ModuleBuilder builder(renderer);
    for (const fs::path& source : sources) {
        std::vector<uint8_t> bytes = WriteItModule(builder.Build(ReadScore(source.string())));
        const std::string name = source.stem().string();
        Level(bytes, source.string());
        WriteFile(outDir / (name + ".it"), bytes);
        PrintLevels(name, MeasureModule(bytes), bytes.size());
    }
    return 0;
}

int Check(const std::string& path, const char* wavPath) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot be read");
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const ModuleLevels levels = MeasureModule(bytes);
    PrintLevels(fs::path(path).stem().string(), levels, bytes.size());
    if (wavPath) {
        WriteWav(wavPath, 44100, 2, levels.stereo);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() >= 2 && args.size() <= 3 && args[0] == "--check") {
            return Check(args[1], args.size() == 3 ? argv[3] : nullptr);
        }
        if (args.size() == 2) {
            return Make(args[0], args[1]);
        }
        std::cerr << "usage: musicgen SOURCE_DIR OUT_DIR | musicgen --check FILE.it [OUT.wav]\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "musicgen: " << error.what() << "\n";
        return 1;
    }
}
