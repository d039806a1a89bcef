#include "game/CCellPictures.h"

#include <algorithm>

#include "core/Random.h"
#include "engine/GLPicture.h"
#include "game/CCell.h"

CCellPictures* cellPictures = nullptr;

namespace {

const char* const CellFolder = "data/gfx/cells/";
constexpr const char* KindNames[CellKind::Count] = {
    "frog",   "cat",        "parrot",    "monkey",      "dog",        "dogy",         "snake",   "rotten",
    "frogdc", "catdc",      "parrotdc",  "monkeydc",    "dogdc",      "dogydc",       "snakedc", "rottendc",
    "",       "star_items", "water_red", "water_green", "water_blue", "water_violet", "virus"};
constexpr int StarTwinkleLength = 24;
constexpr int StarTwinkleChance = 500;

std::string Numbered(const std::string& name, int number, const char* extension) {
    return std::string(CellFolder) + name + std::to_string(number) + extension;
}

template <size_t N>
const Sprite* Frame(const std::array<Sprite, N>& frames, int32_t frame) {
    return (frame >= 0 && static_cast<size_t>(frame) < N) ? &frames[static_cast<size_t>(frame)] : nullptr;
}

}  // namespace

const char* CCellPictures::KindName(int32_t kind) {
    return (kind >= 0 && kind < CellKind::Count) ? KindNames[kind] : "";
}

CCellPictures::CCellPictures() {
    for (int kind = 0; kind < CellKind::PetCount; ++kind) {
        const std::string name = KindNames[kind];
        PetPictures& pet = pets_[static_cast<size_t>(kind)];
        pet.base.LoadRequired(CellFolder + name + ".tga");
        pet.interBlink.LoadRequired(CellFolder + name + "_inter_blink.tga");
        pet.blink.LoadRequired(CellFolder + name + "_blink.tga");
        pet.extra.LoadRequired(Numbered(name, 0, ".tga"));
    }
    for (int i = 0; i < StarFrames; ++i) {
        star_[static_cast<size_t>(i)].LoadRequired(Numbered("star_items", i, ".tga"));
    }
    for (int colour = 0; colour < 4; ++colour) {
        for (int i = 0; i < 3; ++i) {
            bubbles_[static_cast<size_t>(colour)][static_cast<size_t>(i)].LoadRequired(
                Numbered(KindNames[CellKind::RedBubble + colour], i, ".tga"));
        }
    }
    virus_[0].LoadRequired(std::string(CellFolder) + "virus.tga");
    virus_[1].LoadRequired(std::string(CellFolder) + "virus_inter_blink.tga");
    virus_[2].LoadRequired(std::string(CellFolder) + "virus_blink.tga");
    for (int i = 0; i < 5; ++i) {
        effects_[static_cast<size_t>(i)].LoadRequired(Numbered("light", i, ".png"));
        effects_[static_cast<size_t>(5 + i)].LoadRequired(Numbered("plok_star", i, ".png"));
    }
    for (int i = 0; i < 3; ++i) {
        effects_[static_cast<size_t>(10 + i)].LoadRequired(Numbered("ploc", i, ".png"));
    }
}

const Sprite* CCellPictures::PictureFor(const CCell& cell) const {
    if (cell.state == CellState::Gone || cell.kind == CellKind::Hole) {
        return nullptr;
    }
    if (cell.state == CellState::Clearing) {
        return Frame(effects_, cell.effectClass * 5 + cell.frame);
    }
    return CellKind::IsPet(cell.kind) ? PetPicture(cell) : SpecialPicture(cell);
}

const Sprite* CCellPictures::PetPicture(const CCell& cell) const {
    const PetPictures& pet = pets_[static_cast<size_t>(cell.kind)];
    switch (cell.state) {
        case CellState::Blinking:
            return cell.frame == 1 ? &pet.blink : &pet.interBlink;
        case CellState::Highlighted:
        case CellState::Annoyed:
            return cell.frame == 0 ? &pet.base : &pet.extra;
        default:
            return &pet.base;
    }
}

const Sprite* CCellPictures::SpecialPicture(const CCell& cell) const {
    if (cell.kind == CellKind::Star) {
        return Frame(star_, starTwinkle / 4);
    }
    if (CellKind::IsBubble(cell.kind)) {
        // The fourth frame shows the second picture again.
        const int32_t frame = cell.frame == 3 ? 1 : cell.frame;
        return Frame(bubbles_[static_cast<size_t>(cell.kind - CellKind::RedBubble)], frame);
    }
    if (cell.kind == CellKind::Virus) {
        return Frame(virus_, cell.frame);
    }
    return nullptr;
}

const Sprite* CCellPictures::BasePicture(int32_t kind) const {
    if (CellKind::IsPet(kind)) {
        return &pets_[static_cast<size_t>(kind)].base;
    }
    if (kind == CellKind::Star) {
        return &star_[0];
    }
    if (CellKind::IsBubble(kind)) {
        return &bubbles_[static_cast<size_t>(kind - CellKind::RedBubble)][0];
    }
    return kind == CellKind::Virus ? &virus_[0] : nullptr;
}

void CCellPictures::SetScale(float scale) {
    auto scaleOne = [scale](Sprite& sprite) {
        sprite.zoom = scale;
        if (sprite.picture != nullptr) {
            sprite.picture->SetLinearFiltering(true);
        }
    };
    for (PetPictures& pet : pets_) {
        for (Sprite* sprite : {&pet.base, &pet.interBlink, &pet.blink, &pet.extra}) {
            scaleOne(*sprite);
        }
    }
    std::for_each(star_.begin(), star_.end(), scaleOne);
    for (auto& colour : bubbles_) {
        std::for_each(colour.begin(), colour.end(), scaleOne);
    }
    std::for_each(virus_.begin(), virus_.end(), scaleOne);
    std::for_each(effects_.begin(), effects_.end(), scaleOne);
}

void CCellPictures::Twinkle() {
    if (starTwinkle > 0) {
        starTwinkle = (starTwinkle + 1) % StarTwinkleLength;
    } else if (RandomDraw() % StarTwinkleChance == 0) {
        starTwinkle = 1;
    }
}
