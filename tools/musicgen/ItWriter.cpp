#include "ItWriter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr int MaxChannels = 64;
constexpr int MaxRows = 200;
constexpr int InstrumentSize = 554;
constexpr int TrackerVersion = 0x0214;
constexpr uint8_t EndOfOrders = 255;

class ByteWriter {
public:
    std::vector<uint8_t> bytes;

    void U8(int value) { bytes.push_back(static_cast<uint8_t>(value)); }
    void U16(int value) {
        U8(value & 0xFF);
        U8((value >> 8) & 0xFF);
    }
    void U32(uint32_t value) {
        U16(static_cast<int>(value & 0xFFFF));
        U16(static_cast<int>(value >> 16));
    }
    void Text(const std::string& text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            // The last byte stays zero: trackers read these fields as C strings.
            U8(i + 1 < size && i < text.size() ? text[i] : 0);
        }
    }
    void Tag(const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }
    void PatchU32(std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
        }
    }
};

void Require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::invalid_argument("module: " + what);
    }
}

void CheckLimits(const ItModule& module) {
    const int channels = static_cast<int>(module.channelPan.size());
    Require(channels >= 1 && channels <= MaxChannels, "1 to 64 channels");
    Require(module.channelVolume.size() == module.channelPan.size(), "a volume for every channel");
    Require(!module.orders.empty() && module.orders.size() < 256, "1 to 255 orders");
    Require(module.patterns.size() < 200, "at most 199 patterns");
    Require(module.instruments.size() < 100 && module.samples.size() < 100,
            "at most 99 instruments and samples");
    Require(module.speed >= 1 && module.speed <= 255, "speed 1..255");
    Require(module.tempo >= 32 && module.tempo <= 255, "tempo 32..255");
    for (int order : module.orders) {
        Require(order >= 0 && order < static_cast<int>(module.patterns.size()), "orders name patterns");
    }
    for (const ItPattern& pattern : module.patterns) {
        Require(pattern.rows >= 1 && pattern.rows <= MaxRows, "patterns of 1 to 200 rows");
        Require(pattern.channels == channels, "patterns as wide as the module");
    }
    for (const ItSample& sample : module.samples) {
        const int length = static_cast<int>(sample.pcm.size());
        Require(sample.loopStart < 0 || (sample.loopStart < sample.loopEnd && sample.loopEnd <= length),
                "loops inside their sample");
    }
}

void WriteHeader(ByteWriter& out, const ItModule& module) {
    const int channels = static_cast<int>(module.channelPan.size());
    out.Tag("IMPM");
    out.Text(module.title, 26);
    out.U8(4);   // rows a beat, for the tracker's highlight
    out.U8(16);  // rows a bar
    out.U16(static_cast<int>(module.orders.size()) + 1);
    out.U16(static_cast<int>(module.instruments.size()));
    out.U16(static_cast<int>(module.samples.size()));
    out.U16(static_cast<int>(module.patterns.size()));
    out.U16(TrackerVersion);
    out.U16(TrackerVersion);
    out.U16(0x01 | 0x04 | 0x08);  // stereo, instruments, linear slides
    out.U16(0);
    out.U8(module.globalVolume);
    out.U8(module.mixVolume);
    out.U8(module.speed);
    out.U8(module.tempo);
    out.U8(128);  // full stereo separation
    out.U8(0);
    out.U16(0);  // no message
    out.U32(0);
    out.U32(0);
    for (int c = 0; c < MaxChannels; ++c) {
        // Channels beyond the module's are switched off (bit 7), so the player skips them.
        out.U8(c < channels ? 32 + std::clamp(module.channelPan[static_cast<std::size_t>(c)], -32, 32)
                            : 32 + 128);
    }
    for (int c = 0; c < MaxChannels; ++c) {
        out.U8(c < channels ? std::clamp(module.channelVolume[static_cast<std::size_t>(c)], 0, 64) : 64);
    }
}

void WriteEnvelope(ByteWriter& out, int flags, const std::vector<std::pair<int, int>>& nodes, int sustain) {
    out.U8(flags);
    out.U8(static_cast<int>(nodes.size()));
    out.U8(0);
    out.U8(0);
    out.U8(sustain);
    out.U8(sustain);
    for (std::size_t i = 0; i < 25; ++i) {
        out.U8(i < nodes.size() ? nodes[i].first : 0);
        out.U16(i < nodes.size() ? nodes[i].second : 0);
    }
    out.U8(0);
}

void WriteInstrument(ByteWriter& out, const ItInstrument& instrument) {
    const std::size_t start = out.bytes.size();
    out.Tag("IMPI");
    out.Text("", 12);
    out.U8(0);
    out.U8(0);  // a new note cuts the old one in its channel
    out.U8(0);
    out.U8(0);
    out.U16(0);  // no fade-out: the volume envelope ends the note
    out.U8(0);
    out.U8(60);
    out.U8(std::clamp(instrument.globalVolume, 0, 128));
    out.U8(32 + 128);  // no default pan: the channel's pan holds
    out.U8(0);
    out.U8(0);
    out.U16(TrackerVersion);
    out.U8(1);
    out.U8(0);
    out.Text(instrument.name, 26);
    out.U8(0);  // no filter
    out.U8(0);
    out.U8(0);
    out.U8(0);
    out.U16(0);
    for (int note = 0; note < 120; ++note) {
        out.U8(note);
        out.U8(instrument.sampleForNote[static_cast<std::size_t>(note)] + 1);
    }
    // Full volume held at the first node while the key is down; after the note off it falls to zero.
    const int release = std::clamp(instrument.releaseTicks, 1, 9999);
    WriteEnvelope(out, 0x01 | 0x04, {{64, 0}, {0, release}}, 0);
    WriteEnvelope(out, 0, {{0, 0}, {0, 1}}, 0);
    WriteEnvelope(out, 0, {{0, 0}, {0, 1}}, 0);
    while (out.bytes.size() - start < InstrumentSize) {
        out.U8(0);
    }
}

void WriteSampleHeader(ByteWriter& out, const ItSample& sample, uint32_t dataOffset) {
    const bool loops = sample.loopStart >= 0;
    out.Tag("IMPS");
    out.Text("", 12);
    out.U8(0);
    out.U8(std::clamp(sample.globalVolume, 0, 64));
    out.U8(0x01 | 0x02 | (loops ? 0x10 : 0));  // data present, 16-bit, looping
    out.U8(64);
    out.Text(sample.name, 26);
    out.U8(0x01);  // signed
    out.U8(32);    // no default pan
    out.U32(static_cast<uint32_t>(sample.pcm.size()));
    out.U32(loops ? static_cast<uint32_t>(sample.loopStart) : 0);
    out.U32(loops ? static_cast<uint32_t>(sample.loopEnd) : 0);
    out.U32(static_cast<uint32_t>(sample.c5Speed));
    out.U32(0);
    out.U32(0);
    out.U32(dataOffset);
    out.U32(0);  // no vibrato
}

// IT pattern packing: each channel remembers its last mask and values, and a value that repeats
// is flagged instead of written again.
void WritePattern(ByteWriter& out, const ItPattern& pattern) {
    struct Memory {
        int mask = -1, note = -1, instrument = -1, volume = -1, command = -1, param = -1;
    };
    std::vector<Memory> memory(static_cast<std::size_t>(pattern.channels));
    ByteWriter packed;
    for (int row = 0; row < pattern.rows; ++row) {
        for (int channel = 0; channel < pattern.channels; ++channel) {
            const ItCell& cell = pattern.At(row, channel);
            Memory& last = memory[static_cast<std::size_t>(channel)];
            int mask = 0;
            if (cell.note >= 0) {
                mask |= cell.note == last.note ? 0x10 : 0x01;
            }
            if (cell.instrument >= 0) {
                mask |= cell.instrument + 1 == last.instrument ? 0x20 : 0x02;
            }
            if (cell.volume >= 0) {
                mask |= cell.volume == last.volume ? 0x40 : 0x04;
            }
            if (cell.command > 0) {
                mask |= cell.command == last.command && cell.param == last.param ? 0x80 : 0x08;
            }
            if (mask == 0) {
                continue;
            }
            if (mask == last.mask) {
                packed.U8(channel + 1);
            } else {
                packed.U8((channel + 1) | 0x80);
                packed.U8(mask);
                last.mask = mask;
            }
            if (mask & 0x01) {
                packed.U8(cell.note);
                last.note = cell.note;
            }
            if (mask & 0x02) {
                packed.U8(cell.instrument + 1);
                last.instrument = cell.instrument + 1;
            }
            if (mask & 0x04) {
                packed.U8(cell.volume);
                last.volume = cell.volume;
            }
            if (mask & 0x08) {
                packed.U8(cell.command);
                packed.U8(cell.param);
                last.command = cell.command;
                last.param = cell.param;
            }
        }
        packed.U8(0);
    }
    out.U16(static_cast<int>(packed.bytes.size()));
    out.U16(pattern.rows);
    out.U32(0);
    out.bytes.insert(out.bytes.end(), packed.bytes.begin(), packed.bytes.end());
}

}  // namespace

std::vector<uint8_t> WriteItModule(const ItModule& module) {
    CheckLimits(module);
    ByteWriter out;
    WriteHeader(out, module);
    for (int order : module.orders) {
        out.U8(order);
    }
    out.U8(EndOfOrders);
    // The offset tables are filled in once each part's place is known.
    const std::size_t tables = out.bytes.size();
    const std::size_t parts = module.instruments.size() + module.samples.size() + module.patterns.size();
    for (std::size_t i = 0; i < parts; ++i) {
        out.U32(0);
    }
    std::size_t slot = tables;
    for (const ItInstrument& instrument : module.instruments) {
        out.PatchU32(slot, static_cast<uint32_t>(out.bytes.size()));
        slot += 4;
        WriteInstrument(out, instrument);
    }
    std::vector<std::size_t> sampleHeaders;
    for (const ItSample& sample : module.samples) {
        out.PatchU32(slot, static_cast<uint32_t>(out.bytes.size()));
        slot += 4;
        sampleHeaders.push_back(out.bytes.size());
        WriteSampleHeader(out, sample, 0);
    }
    for (const ItPattern& pattern : module.patterns) {
        out.PatchU32(slot, static_cast<uint32_t>(out.bytes.size()));
        slot += 4;
        WritePattern(out, pattern);
    }
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        out.PatchU32(sampleHeaders[i] + 72, static_cast<uint32_t>(out.bytes.size()));
        for (int16_t value : module.samples[i].pcm) {
            out.U16(static_cast<uint16_t>(value));
        }
    }
    return out.bytes;
}
