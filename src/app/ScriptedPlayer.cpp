#include "app/ScriptedPlayer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "engine/ScriptedInput.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/CellKinds.h"

namespace {

// Somewhere a press wakes what waits for one and touches neither the board nor a tree.
constexpr int QuietX = 400;
constexpr int QuietY = 5;
constexpr uint32_t DismissHoldTicks = 3;
// A tree shakes for up to 80 ticks after a set and gives nothing meanwhile.
constexpr uint32_t TakeGiveUpTicks = 150;
constexpr int ItemMoveTolerance = 3;

bool IsCarried(int32_t type) {
    return type == ItemType::Soap || type == ItemType::Vaccine || type == ItemType::Spoon;
}

bool TakesEffectAtOnce(int32_t type) {
    return !IsCarried(type);
}

bool Settled(const PlayView::Cell& cell) {
    return !cell.falling && cell.state != CellState::Clearing && cell.state != CellState::Gone;
}

int MostCommonPet(const PlayView& view) {
    std::array<int, CellKind::PetCount> counts{};
    for (const PlayView::Cell& cell : view.cells) {
        if (CellKind::IsPet(cell.kind)) {
            counts[static_cast<size_t>(cell.kind)] += 1;
        }
    }
    return static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

bool InSomeSet(const std::vector<SeenSet>& sets, int index) {
    return std::any_of(sets.begin(), sets.end(), [index](const SeenSet& set) {
        return std::find(set.cells.begin(), set.cells.end(), index) != set.cells.end();
    });
}

// The settled cells that match, row by row.
template <typename Test>
std::vector<int> CellsWhere(const PlayView& view, Test test) {
    std::vector<int> found;
    for (int index = 0; index < static_cast<int>(view.cells.size()); ++index) {
        const PlayView::Cell& cell = view.cells[static_cast<size_t>(index)];
        if (cell.kind != CellKind::Hole && Settled(cell) && test(cell, index)) {
            found.push_back(index);
        }
    }
    return found;
}

}  // namespace

std::optional<ScriptedPlayer::Strength> ScriptedPlayer::StrengthFromName(std::string_view name) {
    if (name == "careful") {
        return Strength::Careful;
    }
    if (name == "hasty") {
        return Strength::Hasty;
    }
    return std::nullopt;
}

std::string ScriptedPlayer::StrengthName(Strength strength) {
    return strength == Strength::Careful ? "careful" : "hasty";
}

ScriptedPlayer::ScriptedPlayer(Strength strength, uint32_t seed)
    : strength_(strength), random_(seed * 2 + (strength == Strength::Hasty ? 1 : 0)) {}

void ScriptedPlayer::Act(const PlayView& view, ScriptedInput& input) {
    ++tick_;
    if (!Finished()) {
        Watch(view);
    }
    if (Finished()) {
        input.SetButton(false);
    } else if (gesture_ != Gesture::None) {
        FollowGesture(view, input);
    } else if (tick_ >= wakeTick_) {
        Decide(view, input);
    }
}

void ScriptedPlayer::Watch(const PlayView& view) {
    if (view.won || view.lost) {
        won_ = view.won;
        lost_ = view.lost;
        barAtWin_ = view.won && view.barWidth > 0 ? static_cast<double>(view.barLeft) / view.barWidth : 0.0;
        return;
    }
    if (!view.InPlay()) {
        return;
    }
    ++playTicks_;
    const bool nothingToClick = !view.busy && FindSeenSets(view).empty();
    stall_ = nothingToClick ? stall_ + 1 : 0;
    longestStall_ = std::max(longestStall_, stall_);
}

void ScriptedPlayer::Decide(const PlayView& view, ScriptedInput& input) {
    if (view.presentationShowing) {
        Press(input, QuietX, QuietY, Gesture::Dismiss);
        return;
    }
    if (view.revealRunning) {
        // Players skip the reveal when they lose patience, each at a moment of their own.
        if (!revealSkipTick_) {
            revealSkipTick_ = tick_ + 30 + static_cast<uint32_t>(random_() % 90);
        } else if (tick_ >= *revealSkipTick_) {
            Press(input, QuietX, QuietY, Gesture::Dismiss);
        }
        return;
    }
    if (!view.InPlay()) {
        return;
    }
    const std::vector<SeenSet> sets = FindSeenSets(view);
    if (const std::optional<size_t> item = ItemToTake(view, sets)) {
        takenItem_ = view.items[*item];
        Press(input, takenItem_.centreX, takenItem_.centreY, Gesture::Take);
        return;
    }
    if (!view.TakesClicks()) {
        return;
    }
    if (IsCarried(view.heldType)) {
        if (const std::optional<int> target = CarriedTarget(view, sets)) {
            ClickCell(view, input, *target, true);
            return;
        }
    }
    if (const SeenSet* set = SetToClick(sets)) {
        ClickCell(view, input, set->clickAt, false);
    }
}

void ScriptedPlayer::FollowGesture(const PlayView& view, ScriptedInput& input) {
    const uint32_t held = tick_ - gestureTick_;
    switch (gesture_) {
        case Gesture::Dismiss:
            if (held >= DismissHoldTicks) {
                Release(input);
            }
            break;
        case Gesture::Click:
            // Pressed, then let go a tick later: the board clicks on the release and shows it a
            // tick after that.
            if (held == 1) {
                input.SetButton(false);
            } else if (held >= 2) {
                CheckItemUse(view);
                Release(input);
            }
            break;
        case Gesture::Take: {
            const bool stillThere =
                std::any_of(view.items.begin(), view.items.end(), [this](const auto& item) {
                    return item.type == takenItem_.type &&
                           std::abs(item.centreX - takenItem_.centreX) <= ItemMoveTolerance &&
                           std::abs(item.centreY - takenItem_.centreY) <= ItemMoveTolerance;
                });
            if (!stillThere) {
                ++taken_;
                used_ += TakesEffectAtOnce(takenItem_.type) ? 1 : 0;
                heldItemCounted_ = false;
                Release(input);
            } else if (held >= TakeGiveUpTicks) {
                Release(input);
            }
            break;
        }
        case Gesture::None:
            break;
    }
}

void ScriptedPlayer::Press(ScriptedInput& input, int x, int y, Gesture gesture) {
    input.MoveMouse(x, y);
    input.SetButton(true);
    gesture_ = gesture;
    gestureTick_ = tick_;
}

void ScriptedPlayer::Release(ScriptedInput& input) {
    input.SetButton(false);
    gesture_ = Gesture::None;
    wakeTick_ = tick_ + static_cast<uint32_t>(ThinkingTicks());
}

int ScriptedPlayer::ThinkingTicks() {
    return strength_ == Strength::Careful ? 14 + static_cast<int>(random_() % 14)
                                          : 4 + static_cast<int>(random_() % 8);
}

void ScriptedPlayer::ClickCell(const PlayView& view, ScriptedInput& input, int index, bool withItem) {
    clickedIndex_ = index;
    clickedWithItem_ = withItem;
    Press(input, view.MouseX(index % view.width), view.MouseY(index / view.width), Gesture::Click);
}

// A carried item counts as spent to effect once it has taken a cell off the board.
void ScriptedPlayer::CheckItemUse(const PlayView& view) {
    const bool struck = clickedIndex_ >= 0 && clickedIndex_ < static_cast<int>(view.cells.size()) &&
                        view.cells[static_cast<size_t>(clickedIndex_)].state == CellState::Clearing;
    if (clickedWithItem_ && struck && !heldItemCounted_) {
        ++used_;
        heldItemCounted_ = true;
    }
}

std::optional<size_t> ScriptedPlayer::ItemToTake(const PlayView& view,
                                                 const std::vector<SeenSet>& sets) const {
    for (size_t i = 0; i < view.items.size(); ++i) {
        if (view.items[i].landed && WantsItem(view, view.items[i], sets)) {
            return i;
        }
    }
    return std::nullopt;
}

bool ScriptedPlayer::WantsItem(const PlayView& view, const PlayView::Item& item,
                               const std::vector<SeenSet>& sets) const {
    if (strength_ == Strength::Hasty) {
        return true;
    }
    // A carried item with nothing left to work on is given up for a better one.
    const bool carrying = IsCarried(view.heldType) && CarriedTarget(view, sets).has_value();
    const bool stuck = sets.empty() && view.TakesClicks();
    const bool setOnSquares =
        std::any_of(sets.begin(), sets.end(), [](const SeenSet& set) { return set.squaresToClear > 0; });
    switch (item.type) {
        case ItemType::Clock:
            return view.barLeft + CTimer::ClockGainPixels <= view.barWidth;
        case ItemType::SandClock:
            return view.holdTicks == 0 && view.barLeft < view.barWidth / 2;
        case ItemType::Soap:
            return !carrying && std::any_of(view.cells.begin(), view.cells.end(),
                                            [](const auto& cell) { return CellKind::IsBubble(cell.kind); });
        case ItemType::Vaccine:
            return !carrying && view.AnyOfKind(CellKind::Virus);
        case ItemType::Spoon:
            return !carrying && !setOnSquares && view.TakesClicks();
        case ItemType::Eddy:
            return stuck;
        case ItemType::NoPet:
            return item.petKind == MostCommonPet(view) || stuck;
        default:
            return false;
    }
}

std::optional<int> ScriptedPlayer::CarriedTarget(const PlayView& view,
                                                 const std::vector<SeenSet>& sets) const {
    const bool careful = strength_ == Strength::Careful;
    std::vector<int> targets;
    if (view.heldType == ItemType::Soap) {
        targets = CellsWhere(view, [](const auto& cell, int) { return CellKind::IsBubble(cell.kind); });
        if (careful && !targets.empty()) {
            return *std::max_element(targets.begin(), targets.end(), [&view](int a, int b) {
                return SquaresBlasted(view, a) < SquaresBlasted(view, b);
            });
        }
    } else if (view.heldType == ItemType::Vaccine) {
        targets = CellsWhere(view, [](const auto& cell, int) { return cell.kind == CellKind::Virus; });
        if (careful) {
            std::stable_partition(targets.begin(), targets.end(), [&view](int index) {
                return view.cells[static_cast<size_t>(index)].toClear;
            });
        }
    } else if (view.heldType == ItemType::Spoon) {
        return SpoonTarget(view, sets);
    }
    return targets.empty() ? std::nullopt : std::optional<int>(targets.front());
}

// A cell on a square still to clear that no set can take away: a virus first, else the lowest.
std::optional<int> ScriptedPlayer::SpoonTarget(const PlayView& view, const std::vector<SeenSet>& sets) const {
    std::vector<int> onSquares = CellsWhere(view, [](const auto& cell, int) { return cell.toClear; });
    if (strength_ == Strength::Careful) {
        std::vector<int> blocking;
        std::copy_if(onSquares.begin(), onSquares.end(), std::back_inserter(blocking),
                     [&sets](int index) { return !InSomeSet(sets, index); });
        auto rank = [&view](int index) {
            const bool virus = view.cells[static_cast<size_t>(index)].kind == CellKind::Virus;
            return (virus ? 1000 : 0) + index / view.width;
        };
        if (!blocking.empty()) {
            return *std::max_element(blocking.begin(), blocking.end(),
                                     [&rank](int a, int b) { return rank(a) < rank(b); });
        }
    }
    if (!onSquares.empty()) {
        return onSquares.front();
    }
    const std::vector<int> any = CellsWhere(view, [](const auto&, int) { return true; });
    return any.empty() ? std::nullopt : std::optional<int>(any.front());
}

const SeenSet* ScriptedPlayer::SetToClick(const std::vector<SeenSet>& sets) const {
    if (sets.empty()) {
        return nullptr;
    }
    if (strength_ == Strength::Hasty) {
        return &sets.front();
    }
    auto worth = [](const SeenSet& set) {
        return set.squaresToClear * 100 + set.squaresAbove * 10 + static_cast<int>(set.cells.size());
    };
    return &*std::max_element(sets.begin(), sets.end(),
                              [&worth](const SeenSet& a, const SeenSet& b) { return worth(a) < worth(b); });
}

std::string ScriptedPlayer::Summary() const {
    const char* outcome = won_ ? "won" : lost_ ? "lost" : "unfinished";
    char line[160];
    std::snprintf(line, sizeof line, "%s %s ticks %u bar %.3f taken %d used %d stall %u",
                  StrengthName(strength_).c_str(), outcome, playTicks_, barAtWin_, taken_, used_,
                  longestStall_);
    return line;
}
