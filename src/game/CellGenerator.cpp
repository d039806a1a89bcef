#include "game/CellGenerator.h"

#include "core/Random.h"
#include "game/CCellBubble.h"
#include "game/CCellNormal.h"
#include "game/CCellStar.h"
#include "game/CCellVirus.h"
#include "game/CItem.h"
#include "game/CTree.h"
#include "game/TutorialEvents.h"

namespace {

const std::string PetLetters = "FKPMDTSRfkpmdtsr";

bool AnyTreeHolds(const CTree* leftTree, const CTree* rightTree, int32_t type) {
    return (leftTree != nullptr && leftTree->HasItemOfType(type)) ||
           (rightTree != nullptr && rightTree->HasItemOfType(type));
}

void Notify(TutorialEvents* tutorials, int32_t category, int32_t index, int32_t related) {
    if (tutorials != nullptr) {
        tutorials->NotifyTutorials(category, index, related);
    }
}

}  // namespace

bool CellGenerator::SetPets(const std::string& letters, std::string& error) {
    if (letters.size() > MaxPets) {
        error = "CELLS_NORMAL has " + std::to_string(letters.size()) + " letters, at most 16 are allowed";
        return false;
    }
    std::array<int32_t, MaxPets> kinds{};
    for (size_t i = 0; i < letters.size(); ++i) {
        const size_t kind = PetLetters.find(letters[i]);
        if (kind == std::string::npos) {
            error = std::string("CELLS_NORMAL: '") + letters[i] +
                    "' is no pet (use F K P M D T S R or f k p m d t s r)";
            return false;
        }
        kinds[i] = static_cast<int32_t>(kind);
    }
    pets = kinds;
    petCount = static_cast<int32_t>(letters.size());
    return true;
}

bool CellGenerator::CanMakeCells(std::string& error) const {
    if (petCount == 0 && int64_t{probStar} + probBubble + probVirus < 100) {
        error = "CELLS_NORMAL names no pet";
        return false;
    }
    return true;
}

CCell* CellGenerator::NewRandomCell(const CTree* leftTree, const CTree* rightTree,
                                    TutorialEvents* tutorials) const {
    const int r = RandomDraw() % 100;
    // Running sums in 64 bits: chances far above 100 must not wrap and hide a kind.
    const int64_t stars = probStar;
    const int64_t bubbles = stars + probBubble;
    const int64_t viruses = bubbles + probVirus;
    if (r < stars) {
        Notify(tutorials, 4, 0, -1);
        return new CCellStar();
    }
    if (r < bubbles) {
        static constexpr int32_t Colours[4] = {CellKind::RedBubble, CellKind::GreenBubble,
                                               CellKind::VioletBubble, CellKind::BlueBubble};
        CCell* bubble = new CCellBubble(Colours[RandomDraw() & 3]);
        Notify(tutorials, 4, 1, AnyTreeHolds(leftTree, rightTree, ItemType::Soap) ? 2 : -1);
        return bubble;
    }
    if (r < viruses) {
        Notify(tutorials, 4, 2, AnyTreeHolds(leftTree, rightTree, ItemType::Vaccine) ? 1 : -1);
        return new CCellVirus();
    }
    if (petCount <= 0) {
        // A level without pets is refused when it is read; never pick from an empty list.
        return new CCellStar();
    }
    return new CCellNormal(pets[static_cast<size_t>(RandomDraw() % petCount)]);
}
