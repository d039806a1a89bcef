#include "menu/COptions.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/App.h"
#include "engine/Input.h"
#include "flow/SettingsFile.h"
#include "flow/TutorialSwitch.h"
#include "menu/MenuScreenKit.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr float SlidePerTick = 0.05f;

constexpr int BarX = 380;
constexpr int MusicBarY = 275;
constexpr int SoundBarY = 245;
constexpr int BackX = 275;
constexpr int BackY = 450;
constexpr int PanelY = 150;
constexpr int LabelX = 230;
constexpr int BoxX = 500;
constexpr int FullScreenBoxY = 325;
constexpr int TutorialsBoxY = 375;
// The box pictures have a clear margin of this many pixels round the box the player sees.
constexpr int BoxMargin = 20;
constexpr int BoxSide = 43;

struct Label {
    const char* text;
    int y;
};
constexpr Label Labels[] = {{"SOUND", 242}, {"MUSIC", 272}, {"FULLSCREEN", 350}, {"TUTORIALS", 400}};

bool InsideBox(int px, int py, int boxY) {
    return BoxX < px && px < BoxX + BoxSide && boxY < py && py < boxY + BoxSide;
}

}  // namespace

COptions::COptions() {
    name = "options";
    GiveMenuButtonFaces(backButton);
    backButton.onClick = [this] { Back(); };
    barPicture_.LoadRequired("data/gfx/menu/bar.png");
    knobPicture_.LoadRequired("data/gfx/menu/slider.png");
    knobPicture_.SetSource(9, 2, 10, 15);
    crossPicture_.LoadRequired("data/gfx/menu/cross.png");
    noCrossPicture_.LoadRequired("data/gfx/menu/nocross.png");
    panelPicture_.LoadRequired("data/gfx/menu/optionsmenu.png");
    for (CGUISlideBar* bar : {&musicBar, &soundBar}) {
        bar->bar = &barPicture_;
        bar->knob = &knobPicture_;
        bar->SetTrack(10, 160, 1);
    }
    AddChild(&backButton);
    AddChild(&musicBar);
    AddChild(&soundBar);
    tutorialsOn = true;
}

void COptions::OnActivate() {
    musicBar.SetValue(App.musicVolume);
    soundBar.SetValue(App.soundVolume);
    slide_ = 0.0f;
    closing_ = false;
    pressed_ = false;  // a press seen on an earlier visit is not this visit's click
}

bool COptions::Update() {
    if (labelFont_ == nullptr) {
        labelFont_ = IntroFont(*this);
    }
    if (captionFont_ == nullptr) {
        captionFont_ = PanelFont(*this);
    }
    SlideStep();
    PlaceWidgets();
    ToggleOnRelease();
    SetMusicVolume(musicBar.value);
    SetSoundVolume(soundBar.value);
    return true;
}

void COptions::SlideStep() {
    if (!closing_) {
        slide_ = std::min(slide_ + SlidePerTick, 1.0f);
        return;
    }
    if (slide_ > 0.0f) {
        slide_ -= SlidePerTick;
    }
    if (slide_ <= 0.0f) {
        SetActive(false);
        if (CGameObject* mainMenu = Find("../mainmenu")) {
            mainMenu->SetActive(true);
        }
    }
}

int COptions::SlidY(int restY) const {
    return static_cast<int>(static_cast<float>(restY) * slide_ -
                            static_cast<float>(ScreenHeight - restY) * (1.0f - slide_));
}

void COptions::PlaceWidgets() {
    musicBar.x = BarX;
    musicBar.y = SlidY(MusicBarY);
    soundBar.x = BarX;
    soundBar.y = SlidY(SoundBarY);
    backButton.x = BackX;
    backButton.y = SlidY(BackY);
}

void COptions::ToggleOnRelease() {
    if (IsMouseButtonDown()) {
        pressed_ = true;
        return;
    }
    if (!pressed_) {
        return;
    }
    pressed_ = false;
    // The boxes are hit where they rest, whatever the slide.
    const int px = GetMouseX() - BoxMargin;
    const int py = GetMouseY() - BoxMargin;
    if (InsideBox(px, py, FullScreenBoxY)) {
        SetFullScreen(!App.fullScreen);
    }
    if (InsideBox(px, py, TutorialsBoxY)) {
        tutorialsOn = !tutorialsOn;
    }
}

void COptions::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    if (slide_ < 1.0f || closing_) {
        return;
    }
    for (const int boxY : {FullScreenBoxY, TutorialsBoxY}) {
        targets.push_back(
            {BoxX + BoxMargin + BoxSide / 2, boxY + BoxMargin + BoxSide / 2, KeyTarget::Control});
    }
}

void COptions::Draw() {
    panelPicture_.DrawCentredX(SlidY(PanelY), 0, ScreenWidth);
    if (labelFont_ != nullptr) {
        for (const Label& label : Labels) {
            labelFont_->DrawText(label.text, LabelX, SlidY(label.y));
        }
    }
    (App.fullScreen ? crossPicture_ : noCrossPicture_).Draw(BoxX, SlidY(FullScreenBoxY));
    (tutorialsOn ? crossPicture_ : noCrossPicture_).Draw(BoxX, SlidY(TutorialsBoxY));
}

void COptions::DrawOver() {
    DrawButtonCaption(captionFont_, backButton, "BACK");
}

void COptions::Back() {
    closing_ = true;
    slide_ = 1.0f;
    Settings settings;
    settings.soundVolume = soundBar.value;
    settings.musicVolume = musicBar.value;
    settings.fullScreen = App.fullScreen;
    settings.tutorialsOn = tutorialsOn;
    std::string error;
    if (!SettingsFile::Write(SettingsFileName, settings, error)) {
        std::fprintf(stderr, "tandolo: the settings were not saved: %s\n", error.c_str());
    }
}
