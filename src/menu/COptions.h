#pragma once

#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"
#include "ui/BitmapFont.h"
#include "ui/CGUIButton.h"
#include "ui/CGUISlideBar.h"

// The options screen of the menu panel: sound and music volume, full screen and tutorials.
// The volumes follow the knobs at once; the settings are written only by BACK.
// Object name "options".
class COptions : public CGameObject, public KeyboardTargets {
public:
    // Loads the pictures (a missing one is a fatal error) and switches the tutorials on, as a
    // first start has them; the launcher then sets them from the settings.
    COptions();
    // BACK's action refers to this screen.
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    bool Update() override;
    void Draw() override;
    void DrawOver() override;
    void OnActivate() override;
    // The two boxes, once the screen has slid in.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;

    // Slides the screen out and writes the settings; a failed write is reported on standard
    // error and the settings stay in force for this game.
    void Back();

    CGUIButton backButton;
    CGUISlideBar musicBar;
    CGUISlideBar soundBar;

private:
    void SlideStep();
    void PlaceWidgets();
    // The boxes switch when the button is released over them.
    void ToggleOnRelease();
    // Screen y of a thing resting at restY that enters from above as the slide runs 0 to 1.
    int SlidY(int restY) const;

    Sprite barPicture_;
    Sprite knobPicture_;
    Sprite crossPicture_;
    Sprite noCrossPicture_;
    Sprite panelPicture_;
    BitmapFont* labelFont_ = nullptr;
    BitmapFont* captionFont_ = nullptr;
    bool pressed_ = false;
    bool closing_ = false;
    float slide_ = 0.0f;
};
