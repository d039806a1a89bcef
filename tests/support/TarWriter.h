#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

// Writes TAR archives byte by byte, so tests control every header field.
class TarWriter {
public:
    void Add(const std::string& name, const std::string& data, char type = '0') {
        AddRaw(name, data, OctalSize(data.size()), type);
    }
    // sizeField is written as the 12-byte size field (for damaged headers).
    void AddRaw(const std::string& name, const std::string& data, const std::string& sizeField, char type) {
        std::string header(512, '\0');
        const std::pair<size_t, std::string> fields[] = {{0, name.substr(0, 100)},
                                                         {100, "0000644"},
                                                         {108, "0000000"},
                                                         {116, "0000000"},
                                                         {124, sizeField},
                                                         {136, "00000000000"},
                                                         {148, "        "},
                                                         {257, std::string("ustar\0"
                                                                           "00",
                                                                           8)}};
        for (const auto& [offset, field] : fields) {
            header.replace(offset, field.size(), field);
        }
        header[156] = type;
        unsigned sum = 0;
        for (unsigned char c : header) {
            sum += c;
        }
        std::snprintf(&header[148], 8, "%06o", sum);
        bytes_ += header + data;
        bytes_.append((512 - data.size() % 512) % 512, '\0');
    }
    void End() { bytes_.append(1024, '\0'); }
    void Truncate(size_t size) { bytes_.resize(size); }
    void Save(const std::filesystem::path& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }

private:
    static std::string OctalSize(size_t size) {
        char field[12];
        std::snprintf(field, sizeof field, "%011zo", size);
        return std::string(field, 11) + '\0';
    }
    std::string bytes_;
};

// A complete archive of regular files.
inline TarWriter Tar(std::initializer_list<std::pair<std::string, std::string>> entries) {
    TarWriter tar;
    for (const auto& [name, data] : entries) {
        tar.Add(name, data);
    }
    tar.End();
    return tar;
}
