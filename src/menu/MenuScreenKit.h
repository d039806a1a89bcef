#pragma once

#include <string>

#include "scene/GameObject.h"
#include "ui/BitmapFont.h"
#include "ui/CGUIButton.h"

// What the screens of the menu panel share: the button faces, the captions and the two fonts.

// The three faces the launcher puts in the picture bank; without them the button stays inert.
void GiveMenuButtonFaces(CGUIButton& button);

// The caption centred on the button, wavy while the pointer is over it or presses it. Nothing
// without a font or a face to centre on.
void DrawButtonCaption(BitmapFont* font, const CGUIButton& button, const std::string& caption);

// The panel's font (captions and names), found as the screen's parent; null without the panel.
BitmapFont* PanelFont(CGameObject& screen);

// The intro's font (labels and roles), found as "/intro"; null without the intro.
BitmapFont* IntroFont(CGameObject& screen);
