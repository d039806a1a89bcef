// soundreview: every sound effect and music module of a data folder as WAV files to listen to,
// with a table of their length, peak, loudness and clipping.
//   soundreview SFX_FOLDER OUTPUT     (and, when sox is installed, a spectrogram PNG per file)
//   soundreview --check               measures a known sine to check the loudness meter
#include <libopenmpt/libopenmpt.hpp>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "Loudness.h"
#include "WavWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int ModuleRate = 44100;

struct Sound {
    std::vector<float> left;
    std::vector<float> right;
    int rate = 0;
};

Sound DecodeOgg(const fs::path& file) {
    OggVorbis_File vorbis;
    if (ov_fopen(file.c_str(), &vorbis) != 0) {
        throw std::runtime_error(file.string() + ": not an Ogg Vorbis file");
    }
    const vorbis_info* info = ov_info(&vorbis, -1);
    Sound sound;
    sound.rate = static_cast<int>(info->rate);
    const int channels = info->channels;
    float** pcm = nullptr;
    int section = 0;
    long frames = 0;
    while ((frames = ov_read_float(&vorbis, &pcm, 4096, &section)) > 0) {
        sound.left.insert(sound.left.end(), pcm[0], pcm[0] + frames);
        const float* right = channels > 1 ? pcm[1] : pcm[0];
        sound.right.insert(sound.right.end(), right, right + frames);
    }
    ov_clear(&vorbis);
    if (frames < 0) {
        throw std::runtime_error(file.string() + ": damaged Ogg Vorbis data");
    }
    return sound;
}

// Once through, up to where the song would loop.
Sound RenderModule(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    openmpt::module module(in);
    module.set_repeat_count(0);
    Sound sound;
    sound.rate = ModuleRate;
    std::vector<float> buffer(2 * 4096);
    while (const size_t frames = module.read_interleaved_stereo(ModuleRate, 4096, buffer.data())) {
        for (size_t i = 0; i < frames; ++i) {
            sound.left.push_back(buffer[2 * i]);
            sound.right.push_back(buffer[2 * i + 1]);
        }
    }
    return sound;
}

int16_t ToPcm(float value) {
    return static_cast<int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767));
}

void WriteSoundWav(const fs::path& file, const Sound& sound) {
    std::vector<int16_t> stereo;
    stereo.reserve(2 * sound.left.size());
    for (size_t i = 0; i < sound.left.size(); ++i) {
        stereo.push_back(ToPcm(sound.left[i]));
        stereo.push_back(ToPcm(sound.right[i]));
    }
    WriteWav(file, sound.rate, 2, stereo);
}

float Peak(const Sound& sound) {
    float peak = 0;
    for (const auto* channel : {&sound.left, &sound.right}) {
        for (float value : *channel) {
            peak = std::max(peak, std::abs(value));
        }
    }
    return peak;
}

// Full scale as 16-bit PCM, which is what the game's decoder hands the mixer.
bool Clips(float peak) {
    return peak >= 32767.0f / 32768.0f;
}

bool HaveSox() {
    return std::system("command -v sox >/dev/null 2>&1") == 0;
}

void PrintRow(const std::string& name, const Sound& sound, const std::string& note) {
    const float peak = Peak(sound);
    const Loudness loudness = MeasureLoudness(sound.left, sound.right, sound.rate);
    char line[160];
    char lufs[16] = "silent";
    if (!loudness.silent) {
        std::snprintf(lufs, sizeof lufs, "%.1f%s", loudness.lufs, loudness.shorterThanBlock ? "*" : "");
    }
    std::snprintf(line, sizeof line, "%-18s %8.2f %9.1f %9s  %-5s %s", name.c_str(),
                  static_cast<double>(sound.left.size()) / sound.rate,
                  peak > 0 ? 20 * std::log10(peak) : -INFINITY, lufs, Clips(peak) ? "CLIPS" : "no",
                  note.c_str());
    std::cout << line << "\n";
}

int Review(const fs::path& folder, const fs::path& output) {
    fs::create_directories(output);
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".ogg" || extension == ".it") {
            files.push_back(entry.path());
        }
    }
    // Effects first, then the modules, each by name.
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return std::pair(a.extension() != ".ogg", a.filename()) <
               std::pair(b.extension() != ".ogg", b.filename());
    });
    const bool spectrograms = HaveSox();
    std::cout << "name               length s  peak dBFS      LUFS  clips\n";
    for (const fs::path& file : files) {
        const bool module = file.extension() == ".it";
        const Sound sound = module ? RenderModule(file) : DecodeOgg(file);
        std::string note;
        if (module) {
            std::ifstream in(file, std::ios::binary);
            char seconds[48];
            std::snprintf(seconds, sizeof seconds, "(loops after %.1f s)",
                          openmpt::module(in).get_duration_seconds());
            note = seconds;
        }
        const fs::path wav = output / (file.stem().string() + (module ? ".it.wav" : ".wav"));
        WriteSoundWav(wav, sound);
        PrintRow(file.filename().string(), sound, note);
        if (spectrograms) {
            const std::string command = "sox '" + wav.string() + "' -n spectrogram -t '" +
                                        file.filename().string() + "' -o '" +
                                        fs::path(wav).replace_extension(".png").string() + "'";
            if (std::system(command.c_str()) != 0) {
                std::cerr << "soundreview: sox could not draw " << wav << "\n";
            }
        }
    }
    std::cout << "* shorter than one 400 ms block: measured as one block over its length\n"
              << files.size() << " files; WAV" << (spectrograms ? " and spectrograms" : "") << " in "
              << output.string() << "\n";
    return 0;
}

// BS.1770 reads -3.01 LUFS for a full-scale 997 Hz sine in one channel of two.
int Check() {
    Sound sine;
    sine.rate = 48000;
    for (int i = 0; i < 10 * sine.rate; ++i) {
        sine.left.push_back(static_cast<float>(std::sin(2 * std::numbers::pi * 997 * i / sine.rate)));
    }
    sine.right.assign(sine.left.size(), 0.0f);
    const double lufs = MeasureLoudness(sine.left, sine.right, sine.rate).lufs;
    std::printf("997 Hz sine at 0 dBFS in one channel: %.2f LUFS (expected -3.01)\n", lufs);
    return std::abs(lufs + 3.01) < 0.05 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string(argv[1]) == "--check") {
            return Check();
        }
        if (argc != 3) {
            std::cerr << "usage: soundreview SFX_FOLDER OUTPUT | soundreview --check\n";
            return 2;
        }
        return Review(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "soundreview: " << error.what() << "\n";
        return 1;
    }
}
