// The generated music, checked in the build's data directory as the game plays it (libopenmpt,
// looping): every module is there, lasts a minute before it loops, goes on past its loop point,
// is not silent and never reaches full scale.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/EngineFile.h"
#include "engine/MixFormat.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ModuleNames() {
    std::vector<std::string> names{"menu"};
    for (int world = 1; world <= 8; ++world) {
        for (const char* piece : {"a", "b"}) {
            names.push_back("world" + std::to_string(world) + piece);
        }
    }
    return names;
}

// The largest sample of `seconds` of music rendered from where the module is.
int Peak(openmpt::module& module, double seconds) {
    std::vector<int16_t> stereo(8192 * 2);
    int peak = 0;
    for (int frames = static_cast<int>(seconds * MixRate); frames > 0; frames -= 8192) {
        const std::size_t read = module.read_interleaved_stereo(MixRate, 8192, stereo.data());
        for (std::size_t i = 0; i < read * 2; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
        }
    }
    return peak;
}

class MusicModulesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MusicModulesTest, LastsAMinuteLoopsAndNeitherFallsSilentNorClips) {
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    const fs::path path = fs::path(buildDir ? buildDir : ".") / "data" / "sfx" / (GetParam() + ".it");
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadWholeFile(path.string(), bytes), FileOk) << path;
    std::ostringstream log;
    openmpt::module module(bytes, log, {{"dither", "0"}});
    const double length = module.get_duration_seconds();
    EXPECT_GE(length, 60.0);
    module.set_repeat_count(-1);
    const int peak = Peak(module, length);
    EXPECT_GT(peak, 3000) << "about -20 dBFS";
    EXPECT_LT(peak, 32767) << "it clips";
    EXPECT_GT(Peak(module, 2.0), 1000) << "silent after its loop point";
}

INSTANTIATE_TEST_SUITE_P(Shipped, MusicModulesTest, ::testing::ValuesIn(ModuleNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
