#include "flow/SaveFileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/EngineFile.h"
#include "engine/SafeFileWrite.h"
#include "engine/SavePaths.h"

namespace SaveFileBytes {

bool ReadHead(const std::string& name, size_t maxBytes, std::string& bytes, bool& missing,
              std::string& error) {
    const std::string path = SavePath(name);
    bytes.clear();
    missing = false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(OpenRegularFile(path), &std::fclose);
    if (!file) {
        const int reason = errno;
        missing = reason == ENOENT;
        if (!missing) {
            error = path + ": " + (reason == EINVAL ? "is not a regular file" : std::strerror(reason));
        }
        return missing;
    }
    // Only the record is read, so a huge file in its place costs nothing.
    bytes.resize(maxBytes);
    bytes.resize(std::fread(bytes.data(), 1, maxBytes, file.get()));
    if (std::ferror(file.get())) {
        error = path + ": " + std::strerror(errno);
        bytes.clear();
        return false;
    }
    return true;
}

bool Replace(const std::string& name, std::string_view bytes, std::string& error) {
    const std::string path = SavePath(name);
    if (!CreateSaveDirectory(error) || !ReplaceFileContents(path, bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

uint32_t Uint32At(std::string_view bytes, size_t offset, uint32_t fallback) {
    if (bytes.size() < offset + 4) {
        return fallback;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= uint32_t(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

void AppendUint32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
}

}  // namespace SaveFileBytes
