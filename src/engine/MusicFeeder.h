#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class MusicRing;
class MusicSource;

// The thread that keeps a music ring filled from its source, going back to the start at the end
// when the music loops. Stop (and destruction) joins the thread, so the ring and the source may
// be changed or freed once it returns.
class MusicFeeder {
public:
    MusicFeeder(MusicRing& ring, MusicSource& source);
    ~MusicFeeder();
    MusicFeeder(const MusicFeeder&) = delete;
    MusicFeeder& operator=(const MusicFeeder&) = delete;

    void Start(bool loop);
    void Stop();
    bool Running() const { return thread_.joinable(); }
    // The music reached its end and will not loop: what is left in the ring plays out.
    bool Finished() const { return finished_.load(); }

private:
    void Run();
    void FillHalf(int half);
    int ReadLooping(int16_t* stereo, int frames);

    MusicRing& ring_;
    MusicSource& source_;
    bool loop_ = false;
    std::atomic<bool> finished_{false};
    std::thread thread_;
    std::mutex stopMutex_;
    std::condition_variable stopSignal_;
    bool stopRequested_ = false;  // guarded by stopMutex_
};
