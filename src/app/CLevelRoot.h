#pragma once

#include <string>

#include "flow/CGame.h"
#include "scene/GameObject.h"

class LevelFile;

// The root while the game has no menus: one level played straight away, as a level started
// from the command line is. Leaving it ends the program.
class CLevelRoot : public CGameObject {
public:
    explicit CLevelRoot(const LevelFile& level);
    ~CLevelRoot() override;
    CLevelRoot(const CLevelRoot&) = delete;
    CLevelRoot& operator=(const CLevelRoot&) = delete;

    // Ends the run at once when the level could not be played.
    bool Update() override;

    // Empty when the level was played; else what was wrong with it ("file:line: ...").
    const std::string& Error() const { return error_; }

    CGame game;

private:
    std::string error_;
};
