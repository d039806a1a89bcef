#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "core/App.h"
#include "engine/AttenuationTables.h"
#include "engine/AudioDevice.h"
#include "engine/Files.h"
#include "engine/GameSound.h"
#include "engine/SoundMixer.h"
#include "support/GLTestWindow.h"
#include "support/SoundFiles.h"

namespace {

using Audio = std::vector<int16_t>;  // stereo frames, interleaved

// The tests pull the mix themselves: the device, if any, stays paused.
class GameSoundTest : public ::testing::Test {
protected:
    GameSoundTest() { SetAudioOutputPaused(true); }

    static Audio Pull(int frames) {
        Audio audio(static_cast<std::size_t>(frames) * 2);
        TheSoundMixer().Mix(audio.data(), frames);
        return audio;
    }

    // Music as a device would take it: in steps slow enough for the feeder to keep up, from the
    // first frame that sounds.
    static Audio PullMusic(int frames) {
        Audio audio;
        for (int tries = 0; tries < 200 && audio.empty(); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const Audio step = Pull(1);
            if (step[0] != 0 || step[1] != 0) {
                audio = step;
            }
        }
        constexpr int Step = 4096;
        while (!audio.empty() && static_cast<int>(audio.size() / 2) < frames) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const Audio step = Pull(Step);
            audio.insert(audio.end(), step.begin(), step.end());
        }
        audio.resize(static_cast<std::size_t>(frames) * 2);
        return audio;
    }

    static double Rms(const Audio& audio, std::size_t firstFrame, std::size_t frames, int channel) {
        double sum = 0;
        for (std::size_t i = firstFrame; i < firstFrame + frames; ++i) {
            const double value = audio[i * 2 + static_cast<std::size_t>(channel)];
            sum += value * value;
        }
        return std::sqrt(sum / static_cast<double>(frames));
    }

    std::string ConstantWav(int16_t value, int frames) {
        const std::string path = dir_.File("constant.wav");
        WriteWav(path, 44100, 2, Audio(static_cast<std::size_t>(frames) * 2, value));
        return path;
    }

    TempDir dir_;
};

TEST(AttenuationTablesTest, VolumeAndPanTablesInHundredthsOfADecibel) {
    const std::pair<int, int> volumes[] = {{0, -10000}, {1, -5523}, {50, -831}, {99, -12}, {100, -12}};
    for (const auto& [level, attenuation] : volumes) {
        EXPECT_EQ(VolumeAttenuation(level), attenuation) << level;
    }
    const std::pair<int, int> pans[] = {{-100, -10000}, {-99, -10001}, {-1, -21},    {0, 0},
                                        {1, 21},        {99, 10001},   {100, 10000}, {101, 10000}};
    for (const auto& [pan, attenuation] : pans) {
        EXPECT_EQ(PanAttenuation(pan), attenuation) << pan;
    }
    const StereoGain right = GainOf(0, 10000);
    EXPECT_EQ(std::pair(right.left, right.right), std::pair(0.0f, 1.0f));
}

TEST_F(GameSoundTest, ASampleSoundsAtItsVolumeAtOnceAndEndsSilent) {
    GameSound sound;
    ASSERT_TRUE(sound.LoadSample(ConstantWav(10000, 1000), 100, false, 1));
    sound.PlaySample();
    const int16_t at99 = Pull(10)[0];
    EXPECT_NEAR(at99, 10000 * std::pow(10.0, -12 / 2000.0), 1);
    sound.SetVolume(99);
    EXPECT_EQ(Pull(10)[0], at99);
    sound.SetVolume(50);
    EXPECT_NEAR(Pull(10)[1], 10000 * std::pow(10.0, -831 / 2000.0), 1);
    sound.SetVolume(150);
    EXPECT_EQ(sound.Volume(), 100);
    sound.SetVolume(-3);
    EXPECT_EQ(sound.Volume(), 0);
    EXPECT_EQ(Pull(10), Audio(20, 0));
    sound.SetVolume(100);
    EXPECT_NE(Pull(960)[0], 0);
    EXPECT_EQ(Pull(100), Audio(200, 0)) << "the sound ended";
}

TEST_F(GameSoundTest, VoicesAreKeptToOneToNineAndPlayedInTurn) {
    const std::string path = ConstantWav(1000, 100);
    GameSound sound;
    const std::pair<int, int> counts[] = {{12, 9}, {0, 1}, {2, 2}};
    for (const auto& [asked, kept] : counts) {
        ASSERT_TRUE(sound.LoadSample(path, 100, false, asked));
        EXPECT_EQ(sound.VoiceCount(), kept) << asked;
    }
    std::vector<int> played;
    for (int i = 0; i < 3; ++i) {
        sound.PlaySample();
        played.push_back(sound.CurrentVoice());
    }
    EXPECT_EQ(played, (std::vector<int>{1, 0, 1}));
    EXPECT_NEAR(Pull(1)[0], 2 * 1000 * std::pow(10.0, -12 / 2000.0), 2) << "two voices overlap";
}

TEST_F(GameSoundTest, ANameWithOggAnywhereIsDecodedAsOgg) {
    const std::string path = dir_.File("x.ogg.wav");
    WriteOggTone(path, 0.2, 44100, 1, 440);
    GameSound sound;
    ASSERT_TRUE(sound.LoadSample(path, 100, false, 1));
    sound.PlaySample();
    EXPECT_GT(Rms(Pull(4410), 0, 4410, 1), 1000);
}

TEST_F(GameSoundTest, ALoopingStreamGoesOnWithoutAGapAndAnotherEndsSilent) {
    const std::string path = dir_.File("tone.ogg");
    WriteOggTone(path, 0.5, 44100, 2, 441);
    GameSound music;
    ASSERT_TRUE(music.LoadStream(path));
    music.PlayStream(true);
    const Audio looping = PullMusic(44100 * 3 / 2);
    ASSERT_FALSE(looping.empty());
    for (std::size_t window = 0; window + 441 <= looping.size() / 2; window += 441) {
        ASSERT_GT(Rms(looping, window, 441, 0), 4000) << "a gap at frame " << window;
    }

    music.PlayStream(false);
    const Audio once = PullMusic(44100);
    EXPECT_GT(Rms(once, 0, 4410, 0), 4000);
    EXPECT_EQ(Rms(once, 30000, 14100, 0) + Rms(once, 30000, 14100, 1), 0) << "it played on after its end";
}

TEST_F(GameSoundTest, AModuleRendersStereoAndBrokenMusicIsRefused) {
    const std::string path = dir_.File("tiny.mod");
    WriteTinyModule(path);
    GameSound music;
    ASSERT_TRUE(music.LoadModule(path));
    music.PlayModule(true);
    const Audio audio = PullMusic(8192);
    ASSERT_FALSE(audio.empty());
    EXPECT_GT(Rms(audio, 0, 8192, 0), 100);
    EXPECT_GT(Rms(audio, 0, 8192, 1), 100);

    const std::string broken = dir_.File("broken.ogg");
    WriteWav(broken, 44100, 2, Audio(100, 7));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(music.LoadStream(broken));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("error could not detect ogg file"),
              std::string::npos);
    EXPECT_FALSE(music.LoadModule(broken));
    EXPECT_FALSE(music.LoadModule(dir_.File("missing.it")));
    music.PlayModule(true);
    EXPECT_EQ(Pull(100), Audio(200, 0));
}

// Music is looked up beside the executable, as the game's own is.
TEST_F(GameSoundTest, PlayMusicOfTheSameFileStartsItAgain) {
    const std::string name = "tandolo-test-music.it";
    const std::string path = MakeFilePath(name);
    WriteTinyModule(path);
    PlayMusic(name);
    const Audio first = PullMusic(20000);
    PlayMusic(name);
    const Audio again = PullMusic(2000);
    StopMusic();
    std::remove(path.c_str());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(again, Audio(first.begin(), first.begin() + 4000));
}

// Run under the thread sanitizer, this finds any value the threads share unguarded.
TEST_F(GameSoundTest, StoppingReloadingAndDestroyingWhilePlayingIsSafe) {
    const std::string tone = dir_.File("tone.ogg");
    WriteOggTone(tone, 0.3, 22050, 1, 300);
    const std::string module = dir_.File("tiny.mod");
    WriteTinyModule(module);
    const std::string effect = ConstantWav(3000, 2000);
    std::atomic<bool> done{false};
    std::thread device([&] {
        Audio buffer(512 * 2);
        while (!done) {
            TheSoundMixer().Mix(buffer.data(), 512);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    for (int round = 0; round < 10; ++round) {
        GameSound music;
        GameSound sound;
        sound.LoadSample(effect, 100, round % 2 == 0, 3);
        sound.PlaySample();
        music.LoadStream(tone);
        music.PlayStream(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        music.SetVolume(round * 10);
        music.LoadModule(module);
        music.PlayModule(round % 2 == 0);
        sound.PlaySample();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (round % 3 == 0) {
            music.StopModule();
            sound.StopSample();
        }
    }
    done = true;
    device.join();
}

}  // namespace
