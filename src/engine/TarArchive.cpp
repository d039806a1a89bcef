#include "engine/TarArchive.h"

#include "engine/EngineFile.h"

#include <array>
#include <cstring>

namespace {

constexpr long BlockSize = 512;
constexpr size_t NameOffset = 0;
constexpr size_t NameLength = 100;
constexpr size_t SizeOffset = 124;
constexpr size_t SizeLength = 12;
constexpr size_t TypeOffset = 156;

using Header = std::array<unsigned char, BlockSize>;

std::vector<std::unique_ptr<TarArchive>>& ArchiveList() {
    static std::vector<std::unique_ptr<TarArchive>> archives;
    return archives;
}

bool IsAllZero(const Header& header) {
    for (unsigned char byte : header) {
        if (byte != 0) {
            return false;
        }
    }
    return true;
}

// Octal ASCII, optionally space-padded and NUL- or space-terminated. False for anything else
// (including the base-256 form), so a damaged header never sends the scan somewhere odd.
bool ParseOctalSize(const Header& header, long& size) {
    size_t i = SizeOffset;
    const size_t end = SizeOffset + SizeLength;
    while (i < end && header[i] == ' ') {
        ++i;
    }
    long value = 0;
    size_t digits = 0;
    for (; i < end && header[i] >= '0' && header[i] <= '7'; ++i, ++digits) {
        value = value * 8 + (header[i] - '0');
    }
    if (digits == 0 || digits > SizeLength - 1) {
        return false;
    }
    for (; i < end; ++i) {
        if (header[i] != ' ' && header[i] != '\0') {
            return false;
        }
    }
    size = value;
    return true;
}

bool IsRegularFile(const Header& header) {
    return header[TypeOffset] == '\0' || header[TypeOffset] == '0';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The whole name must match: a name field holds at most 100 characters, so a longer
// lookup name can never be in the archive.
bool NameMatches(const Header& header, const std::string& name) {
    const char* field = reinterpret_cast<const char*>(header.data() + NameOffset);
    size_t length = strnlen(field, NameLength);
    if (length != name.size()) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        if (LowerAscii(field[i]) != LowerAscii(name[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

TarArchive::~TarArchive() {
    if (handle_) {
        std::fclose(handle_);
    }
}

int TarArchive::Open(const std::string& path, std::unique_ptr<TarArchive>& archive) {
    FILE* handle = std::fopen(path.c_str(), "rb");
    if (!handle) {
        return FileNotFound;
    }
    archive.reset(new TarArchive(handle));
    return FileOk;
}

int TarArchive::Find(const std::string& name, long& dataStart, long& dataSize) const {
    std::string wanted = name;
    for (char& c : wanted) {
        if (c == '\\') {
            c = '/';
        }
    }
    Header header;
    long headerStart = 0;
    while (true) {
        if (std::fseek(handle_, headerStart, SEEK_SET) != 0 ||
            std::fread(header.data(), 1, header.size(), handle_) != header.size() || IsAllZero(header)) {
            return FileNotFound;
        }
        long size = 0;
        if (!ParseOctalSize(header, size)) {
            return FileNotFound;
        }
        if (IsRegularFile(header) && NameMatches(header, wanted)) {
            dataStart = headerStart + BlockSize;
            dataSize = size;
            return FileOk;
        }
        headerStart += BlockSize + (size + BlockSize - 1) / BlockSize * BlockSize;
    }
}

int MountArchive(const std::string& path) {
    std::unique_ptr<TarArchive> archive;
    int result = TarArchive::Open(path, archive);
    if (result == FileOk) {
        ArchiveList().push_back(std::move(archive));
    }
    return result;
}

void UnmountAllArchives() {
    ArchiveList().clear();
}

const std::vector<std::unique_ptr<TarArchive>>& MountedArchives() {
    return ArchiveList();
}
