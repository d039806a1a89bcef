#include "engine/MusicFeeder.h"

#include <algorithm>
#include <chrono>

#include "engine/MusicRing.h"
#include "engine/MusicSource.h"

namespace {

// A half lasts 0.37 s; looking every 20 ms leaves the feeder ample time to fill it.
constexpr std::chrono::milliseconds PollInterval{20};

}  // namespace

MusicFeeder::MusicFeeder(MusicRing& ring, MusicSource& source) : ring_(ring), source_(source) {}

MusicFeeder::~MusicFeeder() {
    Stop();
}

void MusicFeeder::Start(bool loop) {
    Stop();
    loop_ = loop;
    finished_ = false;
    stopRequested_ = false;
    thread_ = std::thread([this] { Run(); });
}

void MusicFeeder::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    {
        std::lock_guard lock(stopMutex_);
        stopRequested_ = true;
    }
    stopSignal_.notify_all();
    thread_.join();
}

void MusicFeeder::Run() {
    std::unique_lock lock(stopMutex_);
    while (!stopRequested_) {
        lock.unlock();
        for (int half = ring_.HalfToFill(); half >= 0 && !finished_; half = ring_.HalfToFill()) {
            FillHalf(half);
        }
        lock.lock();
        stopSignal_.wait_for(lock, PollInterval, [this] { return stopRequested_; });
    }
}

void MusicFeeder::FillHalf(int half) {
    int16_t* data = ring_.HalfData(half);
    int filled = 0;
    while (filled < MusicRing::HalfFrames) {
        const int read = ReadLooping(data + filled * 2, MusicRing::HalfFrames - filled);
        if (read == 0) {
            finished_ = true;
            break;
        }
        filled += read;
    }
    std::fill(data + filled * 2, data + MusicRing::HalfFrames * 2, int16_t{0});
    ring_.MarkFilled(half);
}

// 0 only at the end of music that does not loop, or that cannot go back or is empty.
int MusicFeeder::ReadLooping(int16_t* stereo, int frames) {
    const int read = source_.Read(stereo, frames);
    if (read > 0 || !loop_ || !source_.Rewind()) {
        return read;
    }
    return source_.Read(stereo, frames);
}
