#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The byte helpers of the two save files. Both are fixed records in little-endian order,
// written byte by byte so the files are the same on any machine.
namespace SaveFileBytes {

// The save files are named by their own names ("world.dat"); these two find them in the save
// folder (engine/SavePaths.h), which an absolute path bypasses.

// At most the first maxBytes of the regular save file name. A missing file is not an error:
// true, with missing set and bytes empty. false, with the reason after the path in error, when
// the file is there but cannot be read (a folder, a FIFO, no permission).
bool ReadHead(const std::string& name, size_t maxBytes, std::string& bytes, bool& missing,
              std::string& error);

// Replaces the save file name with bytes whole, creating the save folder first if need be;
// false with the path and the reason in error.
bool Replace(const std::string& name, std::string_view bytes, std::string& error);

// The 4 bytes at offset, or fallback when the bytes end before them.
uint32_t Uint32At(std::string_view bytes, size_t offset, uint32_t fallback);
void AppendUint32(std::string& bytes, uint32_t value);

}  // namespace SaveFileBytes
