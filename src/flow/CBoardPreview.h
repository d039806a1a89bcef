#pragma once

#include <memory>
#include <string>

#include "game/CTimer.h"
#include "game/CTree.h"
#include "game/CTutorials.h"
#include "scene/GameObject.h"

class CBoard;
class CCustomPointer;
class LevelFile;

// The board playable on its own until the game screen exists: the grid and the cell keys
// of a level file read whole beforehand, the level-start reveal, then play with the mouse. Used by the
// headless driver (--board-level) to look at the board and to script it. The keys S, V and O put a soap, a
// vaccine or a spoon in hand, as taking them from a tree does.
class CBoardPreview : public CGameObject {
public:
    explicit CBoardPreview(const LevelFile& level);
    ~CBoardPreview() override;
    CBoardPreview(const CBoardPreview&) = delete;
    CBoardPreview& operator=(const CBoardPreview&) = delete;

    // Empty when the level was read; else what was wrong with it ("file:line: ...").
    // Ends the run at once when the level could not be read.
    bool Update() override;
    // Nothing else covers the screen: clear it, or old frames show through.
    void Draw() override;

    const std::string& Error() const { return error_; }
    CBoard* Board() const { return board_.get(); }

private:
    bool ApplyLevel(const LevelFile& level);
    void TakeItem(int32_t type);

    CGameObject game_;
    std::unique_ptr<CBoard> board_;
    CTimer timer_;
    CTutorials tutorials_;
    CTree leftTree_;
    CTree rightTree_;
    std::unique_ptr<CCustomPointer> pointer_;
    std::string error_;
};
