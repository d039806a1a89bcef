#pragma once

#include <string>

#include "flow/CGame.h"
#include "scene/GameObject.h"

// The root while the game has no menus: the game starts straight into the level of /world= and
// /stage= (world 1 stage 1 without them), as a level started from the command line does. When
// the game ends (GO TO MAIN, or the end screen clicked away) so does the program.
class CLevelRoot : public CGameObject {
public:
    // levelFolder: where the level files are, game-relative or absolute.
    explicit CLevelRoot(const std::string& levelFolder = "levels");
    ~CLevelRoot() override;
    CLevelRoot(const CLevelRoot&) = delete;
    CLevelRoot& operator=(const CLevelRoot&) = delete;

    bool Update() override;

    CGame game;

private:
    void ApplySettings();
};
