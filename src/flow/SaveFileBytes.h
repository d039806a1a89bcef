#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The byte helpers of the two save files. Both are fixed records in little-endian order,
// written byte by byte so the files are the same on any machine.
namespace SaveFileBytes {

// At most the first maxBytes of the regular file at path. A missing file is not an error:
// true, with missing set and bytes empty. false, with the reason after the path in error, when
// the file is there but cannot be read (a folder, a FIFO, no permission).
bool ReadHead(const std::string& path, size_t maxBytes, std::string& bytes, bool& missing,
              std::string& error);

// The 4 bytes at offset, or fallback when the bytes end before them.
uint32_t Uint32At(std::string_view bytes, size_t offset, uint32_t fallback);
void AppendUint32(std::string& bytes, uint32_t value);

}  // namespace SaveFileBytes
