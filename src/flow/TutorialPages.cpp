#include "flow/TutorialPages.h"

#include <algorithm>

namespace {

using Row = TutorialIllustration::Row;
using Columns = std::array<bool, 3>;
using namespace TutorialPictures;

constexpr const char* Frog = "data/gfx/cells/frog.tga";
constexpr const char* Rotten = "data/gfx/cells/rotten.tga";
constexpr const char* Monkey = "data/gfx/cells/monkey.tga";
constexpr const char* Virus = "data/gfx/cells/virus.tga";
constexpr const char* RedBubble = "data/gfx/cells/water_red0.tga";
constexpr const char* Star = "data/gfx/cells/star_items0.tga";
constexpr const char* Clock = "data/gfx/items/clock.tga";
constexpr const char* Vaccine = "data/gfx/items/vaccine.tga";
constexpr const char* Soap = "data/gfx/items/soap.tga";
constexpr const char* SandClock = "data/gfx/items/sandclock.tga";
constexpr const char* Spoon = "data/gfx/items/spoon.png";
constexpr const char* Spiral = "data/gfx/items/eddy.png";

constexpr Row Empty{};
constexpr Columns AllColumns{true, true, true};
constexpr Columns MiddleColumn{false, true, false};
constexpr Columns NoColumn{};

constexpr TutorialIllustration Shows(Row row1, const char* item, Row row2, const char* carried, Row row3,
                                     Columns pops, bool popLate, bool turnBackgrounds) {
    return {true, row1, row2, row3, item, carried, pops, popLate, turnBackgrounds};
}

struct Page {
    int32_t id;
    const char* text;
    std::array<int, 3> worlds;  // 0 pads
    int32_t category, index, related;
    int32_t wellDoneId;  // 0: the page retires itself when closed
    TutorialIllustration illustration;
};

const Page Pages[] = {
    {1,
     "Welcome to Tandolo.\n\nThe goal of this game is to clear all the cells in the\nboard.\nTo achieve "
     "this, "
     "find groups of three adjacent cells with\nthe same pet face and click on them.\nYou will clear the "
     "occupied cells and their back color\nwill change.\nContinue until all the level's cells have been "
     "cleared.",
     {1},
     0,
     1,
     -1,
     0,
     Shows({Frog, Frog, Frog}, nullptr, {Frog, Frog, Frog}, Pointer, Empty, AllColumns, true, true)},
    {2,
     "Sometimes, when you clear cells items will be thrown\nat both sides of the screen.\nBe careful not to "
     "miss the items and check from time to\ntime if any new item was left.\n\nDon't let the time bar reach "
     "the end or you will lose!",
     {1},
     0,
     2,
     -1,
     0,
     {}},
    {3,
     "Check out the clock below.\nThe clock will add extra time to the game.",
     {3},
     1,
     0,
     -1,
     4,
     Shows(Empty, Clock, Empty, Pointer, Empty, NoColumn, false, false)},
    {5,
     "Those virus look frightening!\nDon't be afraid, use the vaccines to wipe them out.\nBe quick or they "
     "will reproduce theirselves!",
     {6},
     1,
     1,
     2,
     6,
     Shows({Rotten, Virus, Rotten}, Vaccine, {Rotten, Virus, Rotten}, Vaccine, {Rotten, nullptr, Rotten},
           MiddleColumn, true, false)},
    {7,
     "Use the soap to enable bubbles.\nDifferent bubble colors have different effects.\n\nFree them all and "
     "let them fly!",
     {3},
     1,
     2,
     1,
     8,
     Shows({Monkey, RedBubble, Monkey}, Soap, {Monkey, RedBubble, Monkey}, Soap, Empty, AllColumns, true,
           true)},
    {9,
     "The forbidden item will clear all the pets of one kind.\n\nUse it wisely!",
     {4},
     1,
     3,
     -1,
     10,
     Shows({Frog, Frog, Frog}, NoPet, Empty, Pointer, Empty, AllColumns, false, false)},
    {11,
     "The star is used as a joker.\n\nYou can use the star as if it was any pet needed to\ncomplete a set.",
     {4},
     4,
     0,
     -1,
     0,
     Shows({Star, Monkey, Monkey}, nullptr, {Star, Monkey, Monkey}, Pointer, Empty, AllColumns, true, true)},
    {12,
     "Do you need a break?\nThe sand clock will pause the game for a few moments.\nDuring this time, virus "
     "won't move so make sure you\ntake care of them!",
     {7},
     1,
     6,
     -1,
     15,
     Shows(Empty, SandClock, Empty, Pointer, Empty, NoColumn, false, false)},
    {13,
     "The spoon will aid you to take out unwanted pets.\nYou can take one and only one pet with the "
     "spoon.\nChoose it carefully.",
     {1, 2, 3},
     1,
     5,
     -1,
     17,
     Shows({Monkey, Rotten, Monkey}, Spoon, {Monkey, Rotten, Monkey}, Spoon, {Monkey, nullptr, Monkey},
           NoColumn, true, false)},
    {14,
     "Do you feel stuck?\nDon't worry, use the spiral to shuffle the board.\nYou'll see a totally new "
     "perspective.",
     {1, 2, 3},
     1,
     7,
     -1,
     0,
     Shows({Frog, Rotten, Monkey}, Spiral, {Rotten, Monkey, Frog}, Pointer, {Rotten, Monkey, Frog}, NoColumn,
           true, false)},
    {16,
     "Can you see the red bar at the bottom of the screen?\n\nI have bad news for you.\nHurry up and clear "
     "the "
     "board before the bar reaches\nthe end!",
     {1},
     5,
     -1,
     -1,
     0,
     {}},
    {18, "Good job!\nContinue like this and you will soon master this game!", {1}, 0, 3, -1, 0, {}},
};

bool InWorld(const Page& page, int world) {
    return world > 0 && std::find(page.worlds.begin(), page.worlds.end(), world) != page.worlds.end();
}

}  // namespace

// An item's page enables its well-done marker when closed and stays; the marker, fired when the
// item is used, retires itself and the page.
std::map<int32_t, TutorialEntry> TutorialEntriesFor(int world) {
    std::map<int32_t, TutorialEntry> entries;
    for (const Page& page : Pages) {
        if (!InWorld(page, world)) {
            continue;
        }
        TutorialEntry& entry = entries[page.id];
        entry.text = page.text;
        entry.illustration = page.illustration;
        entry.category = page.category;
        entry.index = page.index;
        entry.related = page.related;
        entry.enabled = true;
        if (page.wellDoneId == 0) {
            entry.disable1 = page.id;
            continue;
        }
        entry.enable1 = page.wellDoneId;
        TutorialEntry& wellDone = entries[page.wellDoneId];
        wellDone.text = TutorialEntry::WellDoneText;
        wellDone.category = 2;
        wellDone.index = page.index;
        wellDone.related = -1;
        wellDone.disable1 = page.wellDoneId;
        wellDone.disable2 = page.id;
    }
    return entries;
}

std::vector<std::string> TutorialPagePictures() {
    std::vector<std::string> pictures = {Panel, WellDone, Pointer, Square, ClearedSquare, NoPet};
    for (int frame = 0; frame < ClearingFrames; ++frame) {
        pictures.push_back(ClearingFrame(frame));
    }
    const auto add = [&pictures](const char* picture) {
        if (picture != nullptr && std::find(pictures.begin(), pictures.end(), picture) == pictures.end()) {
            pictures.emplace_back(picture);
        }
    };
    for (const Page& page : Pages) {
        const TutorialIllustration& shows = page.illustration;
        for (const Row& row : {shows.row1, shows.row2, shows.row3}) {
            std::for_each(row.begin(), row.end(), add);
        }
        add(shows.item);
        add(shows.carried);
    }
    return pictures;
}
