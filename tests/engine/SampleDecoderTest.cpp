#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/EngineFile.h"
#include "engine/MixFormat.h"
#include "engine/OggMemoryStream.h"
#include "engine/SampleDecoder.h"
#include "support/GLTestWindow.h"
#include "support/SoundFiles.h"

namespace {

std::string LittleEndian(uint32_t value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return bytes;
}
std::string Chunk(const std::string& tag, const std::string& body) {
    return tag + LittleEndian(body.size(), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}
std::string Fmt(int tag, int channels, int rate, int bits) {
    const int frameBytes = channels * bits / 8;
    return Chunk("fmt ", LittleEndian(tag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                             LittleEndian(rate * frameBytes, 4) + LittleEndian(frameBytes, 2) +
                             LittleEndian(bits, 2));
}
std::string Riff(const std::string& chunks) {
    return "RIFF" + LittleEndian(4 + chunks.size(), 4) + "WAVE" + chunks;
}
const std::string EightBitMono = Fmt(1, 1, 22050, 8);
const std::string Tones(1000, '\x90');

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}
std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), FileOk) << path;
    return bytes;
}
int16_t Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(int{sample}));
    }
    return static_cast<int16_t>(peak);
}
bool BothChannelsAlike(const std::vector<int16_t>& stereo) {
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        if (stereo[i] != stereo[i + 1]) {
            return false;
        }
    }
    return true;
}

TEST(SampleDecoderTest, Wav16BitStereoAtTheMixRateComesOutExactly) {
    TempDir dir;
    std::vector<int16_t> samples;
    for (int i = 0; i < 2000; ++i) {
        samples.push_back(static_cast<int16_t>(i * 37 - 32768));
    }
    WriteWav(dir.File("a.wav"), MixRate, 2, samples);
    std::vector<int16_t> stereo;
    std::string error;
    ASSERT_TRUE(DecodeSample(FileBytes(dir.File("a.wav")), false, stereo, error)) << error;
    EXPECT_EQ(stereo, samples);
}

struct PlayedWav {
    const char* what;
    std::string bytes;
    size_t frames;  // at the mix rate
};

TEST(SampleDecoderTest, WavFilesThatPlay) {
    const PlayedWav cases[] = {
        {"8-bit mono at half the rate", Riff(EightBitMono + Chunk("data", Tones)), 2000},
        {"chunks before fmt, an odd LIST",
         Riff(Chunk("junk", "abcd") + Chunk("LIST", "INFOx") + EightBitMono + Chunk("data", Tones)), 2000},
        {"data longer than the file", Riff(EightBitMono + "data" + LittleEndian(50000, 4) + Tones), 2000},
        {"a 16-bit stereo frame cut in half",
         Riff(Fmt(1, 2, MixRate, 16) + "data" + LittleEndian(10, 4) + "121234"), 1},
    };
    for (const PlayedWav& wav : cases) {
        std::vector<int16_t> stereo;
        std::string error;
        ASSERT_TRUE(DecodeSample(Bytes(wav.bytes), false, stereo, error)) << wav.what << ": " << error;
        EXPECT_EQ(stereo.size() / 2, wav.frames) << wav.what;
        EXPECT_TRUE(BothChannelsAlike(stereo)) << wav.what;
        // 0x90 unsigned is 0x1000 signed.
        EXPECT_NEAR(stereo[stereo.size() / 2], wav.frames == 1 ? 0x3231 : 0x1000, 8) << wav.what;
    }
}

TEST(SampleDecoderTest, DamagedOrUnplayableWavFilesFailSaying) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "too short"},
        {"RIFF\x01", "too short"},
        {std::string(3000, '\xA5'), "no \"data\""},
        {Riff(EightBitMono), "no \"data\""},
        {Riff(EightBitMono) + "data\x01\x02", "\"data\" chunk cut short"},
        {Riff(Chunk("data", Tones) + EightBitMono), "no \"fmt \""},
        {Riff(EightBitMono.substr(0, 18) + Chunk("data", Tones)), "format record cut short"},
        {Riff("fmt " + LittleEndian(8, 4) + EightBitMono.substr(8) + Chunk("data", Tones)), "cut short"},
        {Riff(Fmt(1, 0, 22050, 8) + Chunk("data", Tones)), "0 channels"},
        {Riff(Fmt(1, 6, 22050, 16) + Chunk("data", Tones)), "6 channels"},
        {Riff(Fmt(3, 1, 22050, 32) + Chunk("data", Tones)), "not PCM"},
        {Riff(Fmt(1, 1, 22050, 24) + Chunk("data", Tones)), "24-bit"},
        {Riff(Fmt(1, 1, 4000, 8) + Chunk("data", Tones)), "4000 Hz"},
        {Riff(Fmt(1, 1, 8000, 8) + "data" + LittleEndian(0, 4)), "no sound"},
    };
    for (const auto& [bytes, reason] : cases) {
        std::vector<int16_t> stereo = {1, 2};
        std::string error;
        EXPECT_FALSE(DecodeSample(Bytes(bytes), false, stereo, error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_TRUE(stereo.empty()) << reason;
    }
}

TEST(SampleDecoderTest, AnyNameWithDotOggIsOgg) {
    for (const auto& [name, ogg] :
         {std::pair{"sfx/x.ogg.wav", true}, {"music.ogg", true}, {"a.wav", false}, {"sfx/oggy.wav", false}}) {
        EXPECT_EQ(IsOggName(name), ogg) << name;
    }
}

TEST(SampleDecoderTest, OggToneComesOutAtTheMixRateAtItsLevel) {
    TempDir dir;
    for (const auto& [rate, channels] : {std::pair{22050, 1}, {MixRate, 2}, {48000, 2}}) {
        WriteOggTone(dir.File("tone.ogg"), 0.5, rate, channels, 440, 0.5);
        std::vector<int16_t> stereo;
        std::string error;
        ASSERT_TRUE(DecodeSample(FileBytes(dir.File("tone.ogg")), true, stereo, error)) << error;
        EXPECT_EQ(stereo.size() / 2, MixRate / 2) << rate;
        EXPECT_NEAR(Peak(stereo), 16384, 1600) << rate;
        EXPECT_TRUE(BothChannelsAlike(stereo)) << rate;
    }
    std::vector<int16_t> stereo;
    std::string error;
    // A damaged page loses its own stretch only (the headers fill the first half of the file).
    WriteOggTone(dir.File("tone.ogg"), 1.0, MixRate, 2, 440, 0.5);
    std::vector<uint8_t> damaged = FileBytes(dir.File("tone.ogg"));
    damaged[damaged.size() * 3 / 4] ^= 0xFF;
    ASSERT_TRUE(DecodeSample(damaged, true, stereo, error)) << error;
    EXPECT_GT(stereo.size() / 2, MixRate * 9 / 10);
    EXPECT_LT(stereo.size() / 2, MixRate);
    EXPECT_FALSE(DecodeSample(Bytes(Riff(EightBitMono + Chunk("data", Tones))), true, stereo, error));
    EXPECT_NE(error.find("Vorbis"), std::string::npos) << error;
}

TEST(OggMemoryStreamTest, ReadsTheWholeToneEndsAndRewindsToTheSameStart) {
    TempDir dir;
    WriteOggTone(dir.File("tune.ogg"), 1.0, 22050, 1, 330);
    OggMemoryStream opened;
    ASSERT_TRUE(opened.Open(FileBytes(dir.File("tune.ogg"))));
    OggMemoryStream stream = std::move(opened);  // the decoder's data source must survive a move
    std::vector<int16_t> first(2 * 1000);
    std::vector<int16_t> piece(2 * 1000);
    ASSERT_EQ(stream.Read(first.data(), 1000), 1000);
    int total = 1000;
    while (const int got = stream.Read(piece.data(), 1000)) {
        total += got;
    }
    EXPECT_EQ(total, MixRate);
    EXPECT_EQ(stream.Read(piece.data(), 1000), 0);
    ASSERT_TRUE(stream.Rewind());
    ASSERT_EQ(stream.Read(piece.data(), 1000), 1000);
    EXPECT_EQ(piece, first);
}

TEST(OggMemoryStreamTest, WhatIsNotOggVorbisDoesNotOpen) {
    for (const std::string& bytes :
         {std::string(), std::string(5000, '\x4F'), Riff(EightBitMono + Chunk("data", Tones)),
          std::string("OggS") + std::string(200, '\0')}) {
        OggMemoryStream stream;
        int16_t frame[2];
        EXPECT_FALSE(stream.Open(Bytes(bytes))) << bytes.size();
        EXPECT_EQ(stream.Read(frame, 1), 0);
    }
}

TEST(SoundFilesTest, TinyModulePlaysOnTheLeftAndTheRight) {
    TempDir dir;
    WriteTinyModule(dir.File("tiny.mod"));
    const std::vector<uint8_t> bytes = FileBytes(dir.File("tiny.mod"));
    openmpt::module module(bytes);
    std::vector<int16_t> left(MixRate / 2);
    std::vector<int16_t> right(MixRate / 2);
    ASSERT_EQ(module.read(MixRate, left.size(), left.data(), right.data()), left.size());
    // One channel of each side: as loud on the left as on the right.
    EXPECT_GT(Peak(left), 1000);
    EXPECT_NEAR(Peak(right), Peak(left), Peak(left) / 10);
}

}  // namespace
