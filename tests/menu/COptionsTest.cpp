#include <filesystem>
#include <string>

#include "flow/SettingsFile.h"
#include "menu/COptions.h"
#include "menu/MenuScreenFixture.h"

namespace {

class COptionsTest : public MenuScreenTest {
protected:
    void SetUp() override {
        MenuScreenTest::SetUp();
        for (const char* picture : {"slider", "cross", "nocross", "optionsmenu"}) {
            WriteSolid(std::string("data/gfx/menu/") + picture + ".png", 65, 65, White);
        }
        WriteSolid("data/gfx/menu/bar.png", 180, 17, White);  // clear of the sound bar, 30 above
        App.soundVolume = 0.75f;
    }
    void ClickBack() { Click(275 + 120, 450 + 26); }  // BACK rests at (275, 450)
};

TEST_F(COptionsTest, TheVolumesFollowTheKnobsButOnlyBackWritesTheSettingsOrSaysWhyNot) {
    COptions options;
    Show(options);
    Ticks(20);
    Click(380 + 10 + 25, 280);  // the music knob's track starts at x 390 and is 160 long
    EXPECT_FLOAT_EQ(App.musicVolume, 25.0f / 160);
    Click(540, 415);  // the tutorials box, hit at 520..563 x 395..438
    EXPECT_FALSE(tutorialsOn);
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName));

    ClickBack();
    Settings saved;
    std::string error;
    EXPECT_TRUE(SettingsFile::Read(SettingsFileName, saved, error)) << error;
    EXPECT_FLOAT_EQ(saved.soundVolume, 0.75f);
    EXPECT_FLOAT_EQ(saved.musicVolume, 25.0f / 160);
    EXPECT_FALSE(saved.tutorialsOn);
    Ticks(20);
    EXPECT_FALSE(options.active);
    EXPECT_TRUE(mainMenu.active);

    // A file that cannot be replaced is reported, and the screen closes all the same.
    std::filesystem::remove(SettingsFileName);
    std::filesystem::create_directory(SettingsFileName);
    options.SetActive(true);
    Ticks(20);
    testing::internal::CaptureStderr();
    ClickBack();
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("not saved: options.dat"));
    Ticks(20);
    EXPECT_FALSE(options.active);
}

}  // namespace
