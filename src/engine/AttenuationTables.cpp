#include "engine/AttenuationTables.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int Silence = -10000;
constexpr int Levels = 100;
constexpr int PanPositions = 201;

std::array<int, Levels> MakeVolumeTable() {
    std::array<int, Levels> table{};
    table[0] = Silence;
    for (int v = 1; v < Levels; ++v) {
        const double attenuation = -100.0 * std::log(v / 100.0) / std::log(0.92);
        table[v] = std::max(Silence, static_cast<int>(std::trunc(attenuation)));
    }
    return table;
}

// Indexed by pan + 100.
std::array<int, PanPositions> MakePanTable() {
    std::array<int, PanPositions> table{};
    table[0] = Silence;
    table[PanPositions - 1] = -Silence;
    for (int k = 1; k < 100; ++k) {
        const int attenuation =
            static_cast<int>(std::trunc(-100.0 * std::log(k / 100.0) / std::log(0.954999)));
        table[k] = attenuation;
        table[PanPositions - 1 - k] = -attenuation;
    }
    return table;
}

float Gain(int attenuation) {
    return attenuation <= Silence ? 0.0f : static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

}  // namespace

int VolumeAttenuation(int level) {
    static const std::array<int, Levels> table = MakeVolumeTable();
    return table[std::clamp(level, 0, Levels - 1)];
}

int PanAttenuation(int pan) {
    static const std::array<int, PanPositions> table = MakePanTable();
    if (pan < -100 || pan > 100) {
        return table[PanPositions - 1];
    }
    return table[pan + 100];
}

StereoGain GainOf(int volumeAttenuation, int panAttenuation) {
    const float volume = Gain(volumeAttenuation);
    return {volume * Gain(std::min(0, -panAttenuation)), volume * Gain(std::min(0, panAttenuation))};
}
