#pragma once

#include <cstdint>
#include <vector>

#include "ItModule.h"

// Lays a module out as an Impulse Tracker file (format 2.14, instrument mode, linear slides,
// 16-bit signed mono samples stored uncompressed, patterns packed). Throws std::invalid_argument
// when the module breaks a limit of the format.
std::vector<uint8_t> WriteItModule(const ItModule& module);

// Byte offset of the global volume in the file, so a module can be levelled after it is written.
constexpr std::size_t ItGlobalVolumeOffset = 48;
