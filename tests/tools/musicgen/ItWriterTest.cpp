#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "ItWriter.h"

namespace {

// A looped sine at 441 Hz: one period is 100 frames at 44100 Hz.
ItSample Sine() {
    ItSample sample;
    sample.name = "sine";
    for (int i = 0; i < 4400; ++i) {
        sample.pcm.push_back(static_cast<int16_t>(20000 * std::sin(2 * std::numbers::pi * i / 100.0)));
    }
    sample.loopStart = 0;
    sample.loopEnd = 4400;
    return sample;
}

ItModule TwoPatterns() {
    ItModule module;
    module.title = "test";
    module.channelPan = {-16, 16, 0};
    module.channelVolume = {64, 64, 64};
    module.samples = {Sine()};
    ItInstrument instrument;
    instrument.name = "sine";
    module.instruments = {instrument};
    ItPattern first(16, 3);
    ItPattern second(32, 3);
    // Repeated notes, volumes and masks take the packing's shortcuts; a gap row and a note off
    // on the last channel check that channels and rows stay apart.
    for (int row = 0; row < 16; row += 2) {
        first.At(row, 0) = {60 + row, 0, 40, 0, 0};
        first.At(row, 1) = {48, 0, 40, 0, 0};
    }
    first.At(15, 2) = {ItCell::NoteOff, -1, -1, 0, 0};
    second.At(31, 2) = {72, 0, 64, 19, 0xD2};
    module.patterns = {first, second};
    module.orders = {1, 0, 1};
    return module;
}

int NoteAt(openmpt::module& module, int pattern, int row, int channel) {
    return module.get_pattern_row_channel_command(pattern, row, channel, openmpt::module::command_note);
}

}  // namespace

TEST(ItWriterTest, LibopenmptReadsBackOrdersNotesAndSamplesAndPlaysThem) {
    const std::vector<uint8_t> bytes = WriteItModule(TwoPatterns());
    openmpt::module module(bytes);
    ASSERT_EQ(module.get_num_orders(), 3);
    EXPECT_EQ(module.get_order_pattern(0), 1);
    EXPECT_EQ(module.get_order_pattern(1), 0);
    EXPECT_EQ(module.get_num_samples(), 1);
    EXPECT_EQ(module.get_num_instruments(), 1);
    EXPECT_EQ(module.get_num_channels(), 3);
    EXPECT_EQ(module.get_pattern_num_rows(1), 32);
    // libopenmpt counts notes from 1.
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(NoteAt(module, 0, row, 0), row % 2 == 0 ? 61 + row : 0) << "row " << row;
        EXPECT_EQ(NoteAt(module, 0, row, 1), row % 2 == 0 ? 49 : 0) << "row " << row;
    }
    EXPECT_EQ(NoteAt(module, 0, 15, 2), 255);
    EXPECT_EQ(NoteAt(module, 1, 31, 2), 73);
    EXPECT_EQ(module.get_pattern_row_channel_command(0, 2, 0, openmpt::module::command_volume), 40);

    // The first order's only note comes on its last row, almost four seconds in.
    std::vector<int16_t> stereo(2 * 6 * 44100);
    const std::size_t frames = module.read_interleaved_stereo(44100, 6 * 44100, stereo.data());
    int peak = 0;
    for (std::size_t i = 0; i < 2 * frames; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
    }
    EXPECT_GT(peak, 1000);
    EXPECT_LT(peak, 32767);
}

TEST(ItWriterTest, RefusesWhatTheFormatCannotHold) {
    ItModule tooLong = TwoPatterns();
    tooLong.patterns[0] = ItPattern(201, 3);
    EXPECT_THROW(WriteItModule(tooLong), std::invalid_argument);
    ItModule badOrder = TwoPatterns();
    badOrder.orders = {2};
    EXPECT_THROW(WriteItModule(badOrder), std::invalid_argument);
    ItModule badLoop = TwoPatterns();
    badLoop.samples[0].loopEnd = 5000;
    EXPECT_THROW(WriteItModule(badLoop), std::invalid_argument);
}
