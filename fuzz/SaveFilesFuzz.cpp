// libFuzzer target: any bytes as "world.dat" and as "options.dat". Whatever the bytes, the
// progress must give the world choice a world to start at a real stage, the settings must give
// volumes the sound layer can use, and what is written back must read back the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "flow/ProgressFile.h"
#include "flow/SettingsFile.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckProgress(std::string_view bytes) {
    const ProgressFile progress = ProgressFile::Parse(bytes);
    const std::string written = progress.Bytes();
    Check(written.size() == ProgressFile::Size);
    Check(ProgressFile::Parse(written).Bytes() == written);
    const ProgressFile::WorldChoice choice = progress.ForWorldChoice();
    Check(choice.lastWorld >= 1 && choice.lastWorld <= ProgressFile::Worlds);
    for (int world = 1; world <= ProgressFile::Worlds; ++world) {
        const int stage = choice.startStage[world];
        Check(progress.Entry(world) >= 0 && progress.Entry(world) <= ProgressFile::Stages);
        Check(world <= choice.lastWorld ? stage >= 1 && stage <= ProgressFile::Stages : stage == 0);
    }
}

void CheckSettings(std::string_view bytes) {
    const Settings settings = SettingsFile::Parse(bytes);
    for (float volume : {settings.soundVolume, settings.musicVolume}) {
        Check(std::isfinite(volume) && volume >= 0.0f && volume <= 1.0f);
    }
    const std::string written = SettingsFile::Bytes(settings);
    Check(written.size() == SettingsFile::Size);
    Check(SettingsFile::Bytes(SettingsFile::Parse(written)) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckProgress(bytes);
    CheckSettings(bytes);
    return 0;
}
