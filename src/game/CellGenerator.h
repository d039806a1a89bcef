#pragma once

#include <array>
#include <cstdint>
#include <string>

class CCell;
class CTree;
class TutorialEvents;

// The level's recipe for new cells: the pets in play and the chances of the special cells.
class CellGenerator {
public:
    static constexpr int MaxPets = 16;

    // Reads the letters of CELLS_NORMAL (F K P M D T S R and their lower-case second looks).
    // false with a message on an unknown letter or more than 16 letters; the list is then unchanged.
    bool SetPets(const std::string& letters, std::string& error);
    // false with a message when a pet may be needed and the list is empty.
    bool CanMakeCells(std::string& error) const;

    // A new random cell; the trees tell the tutorials whether the matching item is at hand.
    // Draws: r = rand() mod 100, then the bubble colour or the pet.
    CCell* NewRandomCell(const CTree* leftTree, const CTree* rightTree, TutorialEvents* tutorials) const;

    int32_t petCount = 0;
    std::array<int32_t, MaxPets> pets{};
    int32_t probStar = 0;
    int32_t probBubble = 0;
    int32_t probVirus = 0;
};
