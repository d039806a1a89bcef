// The generated sound effects, checked in the build's data directory as the game decodes them:
// each one the game plays is there, lasts as long as its moment, is levelled, does not clip and
// neither starts nor ends with a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "engine/EngineFile.h"
#include "engine/MixFormat.h"
#include "engine/SampleDecoder.h"

namespace fs = std::filesystem;

namespace {

fs::path BuildDir() {
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    return buildDir != nullptr ? fs::path(buildDir) : fs::current_path();
}

struct Effect {
    const char* name;
    double shortest;  // seconds
    double longest;
};

// Buttons and the set sound come often and must be over at once; the banners' sounds last about
// as long as the banners slide.
const Effect Effects[] = {
    {"rollover", 0.05, 0.25}, {"pressed", 0.08, 0.35},    {"setformed", 0.15, 0.6}, {"pop", 0.05, 0.4},
    {"bounce", 0.1, 0.5},     {"levelcleared", 1.5, 3.0}, {"gameover", 1.5, 3.5},   {"hurryup", 0.5, 1.6},
    {"idle", 0.3, 1.3},       {"inmenu", 0.2, 0.9},       {"inworld", 0.8, 2.8},    {"itemused", 0.2, 0.9},
    {"newitem", 0.2, 0.9},    {"tandolo", 0.8, 2.5},      {"tutorial", 0.3, 1.2},   {"tutorials", 0.15, 0.7},
    {"virus", 0.2, 0.8},      {"water", 0.5, 1.5},
};

void PrintTo(const Effect& effect, std::ostream* out) {
    *out << effect.name;
}

int PeakOf(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::abs(int{samples[i]}));
    }
    return peak;
}

class SoundEffectsTest : public testing::TestWithParam<Effect> {};

TEST_P(SoundEffectsTest, DecodesLevelledWithinItsLengthWithoutClipOrClick) {
    const std::string file = (BuildDir() / "data/sfx" / (std::string(GetParam().name) + ".ogg")).string();
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadWholeFile(file, bytes), FileOk) << file;
    std::vector<int16_t> stereo;
    std::string error;
    ASSERT_TRUE(DecodeSample(bytes, IsOggName(file), stereo, error)) << file << ": " << error;

    const double seconds = static_cast<double>(stereo.size()) / 2 / MixRate;
    EXPECT_GE(seconds, GetParam().shortest) << file;
    EXPECT_LE(seconds, GetParam().longest) << file;
    // Levelled to a peak near -3 dBFS (23197), with room for the encoder's overshoot.
    const int peak = PeakOf(stereo, 0, stereo.size());
    EXPECT_GT(peak, 16384) << file << " is too quiet";
    EXPECT_LT(peak, 32767) << file << " clips";
    // It rises from silence (an attack may be quick, but not a step) and has died down by the last
    // millisecond: both below -40 dBFS.
    EXPECT_LT(PeakOf(stereo, 0, 4), 328) << file << " starts with a click";
    const size_t lastMillisecond = 2 * MixRate / 1000;
    EXPECT_LT(PeakOf(stereo, stereo.size() - lastMillisecond, stereo.size()), 328)
        << file << " ends with a click";
}

INSTANTIATE_TEST_SUITE_P(Effects, SoundEffectsTest, testing::ValuesIn(Effects),
                         [](const testing::TestParamInfo<Effect>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
