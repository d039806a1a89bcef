#include "engine/TarArchive.h"

#include <array>
#include <cstring>
#include <sys/stat.h>

#include "engine/EngineFile.h"

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

// Archive names compare case-insensitively and with either separator.
std::string LookupKey(std::string name) {
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

std::string EntryName(const Header& header) {
    const char* field = reinterpret_cast<const char*>(header.data() + NameOffset);
    return std::string(field, strnlen(field, NameLength));
}

}  // namespace

TarArchive::~TarArchive() {
    if (handle_) {
        std::fclose(handle_);
    }
}

int TarArchive::Open(const std::string& path, std::unique_ptr<TarArchive>& archive) {
    FILE* handle = OpenRegularFile(path);
    if (!handle) {
        return FileNotFound;
    }
    archive.reset(new TarArchive(handle, path));
    archive->Index();
    return FileOk;
}

void TarArchive::Warn(const std::string& message) const {
    std::fprintf(stderr, "tandolo: %s: %s\n", path_.c_str(), message.c_str());
}

// One pass over the headers. Nothing after a damaged header can be trusted (the next header's
// place comes from this one's size), so the index ends there.
void TarArchive::Index() {
    struct stat status {};
    if (fstat(fileno(handle_), &status) != 0) {
        Warn("cannot read its size; it is not used");
        return;
    }
    const long length = static_cast<long>(status.st_size);
    Header header;
    for (long headerStart = 0; headerStart < length;) {
        if (length - headerStart < BlockSize || std::fseek(handle_, headerStart, SEEK_SET) != 0 ||
            std::fread(header.data(), 1, header.size(), handle_) != header.size()) {
            Warn("cut short at byte " + std::to_string(headerStart) + "; the rest is read from the disk");
            return;
        }
        if (IsAllZero(header)) {
            return;
        }
        long size = 0;
        if (!ParseOctalSize(header, size)) {
            Warn("damaged header at byte " + std::to_string(headerStart) +
                 "; the rest is read from the disk");
            return;
        }
        const long dataStart = headerStart + BlockSize;
        if (size > length - dataStart) {
            Warn("entry " + EntryName(header) + " claims " + std::to_string(size) +
                 " bytes, past the archive's end; it and the rest are read from the disk");
            return;
        }
        if (IsRegularFile(header)) {
            entries_.emplace(LookupKey(EntryName(header)), Entry{dataStart, size});  // the first one wins
        }
        headerStart = dataStart + (size + BlockSize - 1) / BlockSize * BlockSize;
    }
}

int TarArchive::Find(const std::string& name, long& dataStart, long& dataSize) const {
    const auto entry = entries_.find(LookupKey(name));
    if (entry == entries_.end()) {
        return FileNotFound;
    }
    dataStart = entry->second.start;
    dataSize = entry->second.size;
    return FileOk;
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
