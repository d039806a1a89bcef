#pragma once

#include <cstdint>

// What a board slot holds. Pets 0..7, their second looks 8..15, then the specials.
namespace CellKind {
constexpr int32_t Frog = 0;
constexpr int32_t FirstPet = 0;
constexpr int32_t LastPet = 15;
constexpr int32_t PetCount = 16;
constexpr int32_t Hole = 16;
constexpr int32_t Star = 17;
constexpr int32_t RedBubble = 18;
constexpr int32_t GreenBubble = 19;
constexpr int32_t BlueBubble = 20;
constexpr int32_t VioletBubble = 21;
constexpr int32_t Virus = 22;
constexpr int32_t Count = 23;

constexpr bool IsPet(int32_t kind) {
    return kind >= FirstPet && kind <= LastPet;
}
constexpr bool IsBubble(int32_t kind) {
    return kind >= RedBubble && kind <= VioletBubble;
}
}  // namespace CellKind

namespace CellState {
constexpr int32_t Idle = 0;
constexpr int32_t Blinking = 1;
constexpr int32_t Highlighted = 2;
constexpr int32_t Clearing = 3;
constexpr int32_t Gone = 4;
constexpr int32_t Annoyed = 5;
}  // namespace CellState

// The picture a cleared cell plays, chosen by the size of its set.
namespace ClearEffect {
constexpr int32_t Light = 0;
constexpr int32_t PlokStar = 1;
constexpr int32_t Ploc = 2;
}  // namespace ClearEffect
