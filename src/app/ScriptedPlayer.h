#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "app/PlayView.h"
#include "app/SeenSets.h"

class ScriptedInput;

// A player for headless runs: it looks at the play screen only through a PlayView and acts only
// with the mouse, as a person would, until the level is won or lost. Careful: thinks a moment,
// prefers sets on squares still to clear and large ones, takes an item when it helps and spends
// it where it does most. Hasty: quick, clicks the first set it sees, takes every item that lands
// and spends it on the first thing it fits. The same seed plays the same game.
class ScriptedPlayer {
public:
    enum class Strength { Careful, Hasty };
    static std::optional<Strength> StrengthFromName(std::string_view name);
    static std::string StrengthName(Strength strength);

    ScriptedPlayer(Strength strength, uint32_t seed);

    // One tick: look at the screen, then move, press or let go.
    void Act(const PlayView& view, ScriptedInput& input);
    bool Finished() const { return won_ || lost_; }
    bool Won() const { return won_; }
    // "careful won ticks 5234 bar 0.42 taken 3 used 2 stall 120": ticks of play (the bar running),
    // the fraction of the bar left at a win, items taken and spent to effect, and the longest run
    // of ticks with nothing to click.
    std::string Summary() const;

private:
    enum class Gesture { None, Click, Take, Dismiss };

    void Watch(const PlayView& view);
    void Decide(const PlayView& view, ScriptedInput& input);
    void FollowGesture(const PlayView& view, ScriptedInput& input);
    void Press(ScriptedInput& input, int x, int y, Gesture gesture);
    void Release(ScriptedInput& input);

    std::optional<size_t> ItemToTake(const PlayView& view, const std::vector<SeenSet>& sets) const;
    bool WantsItem(const PlayView& view, const PlayView::Item& item, const std::vector<SeenSet>& sets) const;
    std::optional<int> CarriedTarget(const PlayView& view, const std::vector<SeenSet>& sets) const;
    std::optional<int> SpoonTarget(const PlayView& view, const std::vector<SeenSet>& sets) const;
    const SeenSet* SetToClick(const std::vector<SeenSet>& sets) const;
    void ClickCell(const PlayView& view, ScriptedInput& input, int index, bool withItem);
    void CheckItemUse(const PlayView& view);
    int ThinkingTicks();

    Strength strength_;
    std::mt19937 random_;
    uint32_t tick_ = 0;
    uint32_t wakeTick_ = 0;
    std::optional<uint32_t> revealSkipTick_;

    Gesture gesture_ = Gesture::None;
    uint32_t gestureTick_ = 0;
    PlayView::Item takenItem_;
    int clickedIndex_ = -1;
    bool clickedWithItem_ = false;
    bool heldItemCounted_ = false;

    bool won_ = false;
    bool lost_ = false;
    uint32_t playTicks_ = 0;
    double barAtWin_ = 0;
    int taken_ = 0;
    int used_ = 0;
    uint32_t stall_ = 0;
    uint32_t longestStall_ = 0;
};
