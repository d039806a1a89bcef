#pragma once

#include <cstdint>

#include "scene/GameObject.h"

// The item types; also the order of the item chances of a level.
namespace ItemType {
constexpr int32_t None = -1;
constexpr int32_t Clock = 0;
constexpr int32_t Vaccine = 1;
constexpr int32_t Soap = 2;
constexpr int32_t NoPet = 3;
constexpr int32_t Spoon = 5;
constexpr int32_t SandClock = 6;
constexpr int32_t Eddy = 7;
}  // namespace ItemType

// A tool the trees hand out. Only what the board needs so far: the type and
// the help flag of an item given because no set was left.
class CItem : public CGameObject {
public:
    virtual int32_t GetType() const = 0;

    bool help = false;
};

class CVaccine : public CItem {
public:
    int32_t GetType() const override { return ItemType::Vaccine; }
};

class CSoap : public CItem {
public:
    int32_t GetType() const override { return ItemType::Soap; }
};

class CSpoon : public CItem {
public:
    int32_t GetType() const override { return ItemType::Spoon; }
};

class CEddy : public CItem {
public:
    int32_t GetType() const override { return ItemType::Eddy; }
};
