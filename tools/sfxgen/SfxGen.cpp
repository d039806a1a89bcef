// sfxgen: makes the game's sound effects from their descriptions.
//   sfxgen DESCRIPTIONS OUTPUT [--soundfont FILE]
// DESCRIPTIONS is a folder of NAME.sfx files or one such file; each becomes OUTPUT/NAME.ogg.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "EffectDescription.h"
#include "EffectMixer.h"
#include "NoteRenderer.h"
#include "OggEncoder.h"

namespace fs = std::filesystem;

namespace {

constexpr float Quality = 0.5f;

std::vector<fs::path> Descriptions(const fs::path& source) {
    if (!fs::is_directory(source)) {
        return {source};
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
        if (entry.path().extension() == ".sfx") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        throw std::runtime_error(source.string() + ": holds no .sfx descriptions");
    }
    return files;
}

// Writes beside the target first, so a failed run never leaves half a file under the real name.
void Save(const fs::path& file, const std::string& bytes) {
    const fs::path part = file.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            throw std::runtime_error(part.string() + ": cannot be written");
        }
    }
    std::error_code error;
    fs::rename(part, file, error);
    if (error) {
        throw std::runtime_error(file.string() + ": cannot be written: " + error.message());
    }
}

// A serial number of its own for each effect's stream, the same at every build.
int Serial(const std::string& name) {
    unsigned hash = 2166136261u;
    for (unsigned char c : name) {
        hash = (hash ^ c) * 16777619u;
    }
    return static_cast<int>(hash & 0x7fffffff);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string soundFont = DefaultSoundFontPath();
    const auto option = std::find(args.begin(), args.end(), "--soundfont");
    if (option != args.end() && option + 1 != args.end()) {
        soundFont = *(option + 1);
        args.erase(option, option + 2);
    }
    if (args.size() != 2) {
        std::cerr << "usage: sfxgen DESCRIPTIONS OUTPUT [--soundfont FILE]\n";
        return 2;
    }
    try {
        const fs::path output = args[1];
        fs::create_directories(output);
        EffectMixer mixer(soundFont);
        const std::vector<fs::path> files = Descriptions(args[0]);
        for (const fs::path& file : files) {
            const Effect effect = ReadEffect(file);
            const StereoSound sound = mixer.Mix(effect);
            Save(output / (effect.name + ".ogg"), EncodeOgg(sound, Quality, Serial(effect.name)));
        }
        std::cout << "sfxgen: " << files.size() << " effects in " << output.string() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "sfxgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
