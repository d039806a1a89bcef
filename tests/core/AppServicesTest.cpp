#include <gtest/gtest.h>

#include "core/App.h"
#include "engine/GameSound.h"

namespace {

class AppServicesTest : public ::testing::Test {
protected:
    void TearDown() override { ShutDownApp(); }
};

TEST_F(AppServicesTest, VolumesAreClampedAndFollowedAndEachSoundIsLoadedOnce) {
    SetMusicVolume(1.5f);
    EXPECT_EQ(App.musicVolume, 1.0f);
    SetSoundVolume(-0.2f);
    EXPECT_EQ(App.soundVolume, 0.0f);
    PlayMusic("data/sfx/menu.it");
    SetMusicVolume(0.255f);
    EXPECT_EQ(App.music->Volume(), 25);  // the integer part of volume x 100

    // Each sound name is loaded once and played at the sound volume.
    SetSoundVolume(0.5f);
    PlaySound("data/sfx/bounce.ogg");
    GameSound* first = App.sounds.at("data/sfx/bounce.ogg").get();
    PlaySound("data/sfx/bounce.ogg");
    EXPECT_EQ(App.sounds.size(), 1u);
    EXPECT_EQ(App.sounds.at("data/sfx/bounce.ogg").get(), first);
    EXPECT_EQ(first->Volume(), 50);
}

}  // namespace
