#include "app/CScreenPreview.h"

#include <string>

#include "core/App.h"
#include "core/Random.h"
#include "gfx/PictureBank.h"

namespace {

const char* const groundNames[] = {"soil_counters_bushes.tga",
                                   "beachbg.png",
                                   "junglebg.png",
                                   "icebg1.png",
                                   "desertbg.png",
                                   "citybg.png",
                                   "cloudsbg.png",
                                   "volcansbg.png"};
const char* const treeNames[] = {"tree.tga",  "oyster0.png",  "palmtree0.png", "freezer0.png",
                                 "oven0.png", "mailbox1.png", "cloud0.png",    "geyser0.png"};
const char* const nightGroundNames[] = {"citynightbg.png", "volcansnightbg.png"};
const int treeShift[8][2] = {{0, 0}, {0, 10}, {0, 0}, {50, 0}, {0, 50}, {20, 0}, {0, 0}, {0, 0}};
const char* const petNames[] = {"frog", "cat", "parrot", "monkey", "dog", "dogy", "snake", "rotten"};

Sprite* Interface(const std::string& name) {
    return App.pictures->Load("data/gfx/interface/" + name);
}

std::string GroundName(int world, int stage) {
    if (stage >= 4 && world == 6) {
        return nightGroundNames[0];
    }
    if (stage >= 4 && world == 8) {
        return nightGroundNames[1];
    }
    return groundNames[world - 1];
}

// A mix like a real level's: mostly pets of both looks, a few stars, bubbles and viruses.
std::string RandomCellPicture() {
    const int roll = RandomDraw() % 100;
    if (roll < 4) {
        return "star_items0.tga";
    }
    if (roll < 9) {
        const char* const colours[] = {"red", "green", "blue", "violet"};
        return std::string("water_") + colours[RandomDraw() & 3] + "0.tga";
    }
    if (roll < 12) {
        return "virus.tga";
    }
    const int pet = RandomDraw() % 8;
    return std::string(petNames[pet]) + (RandomDraw() % 3 == 0 ? "dc" : "") + ".tga";
}

}  // namespace

CScreenPreview::CScreenPreview(int world, int stage) : world_(world < 1 || world > 8 ? 1 : world) {
    const int sky = stage < 1 || stage > 5 ? 1 : stage;
    sky_ = Interface(sky <= 2 ? "sky_day.tga" : sky == 3 ? "sunset.tga" : "bg_stars.tga");
    celestial_ = Interface(sky <= 2 ? "sun.png" : "moon.png");
    ground_ = Interface(GroundName(world_, sky));
    tree_ = Interface(treeNames[world_ - 1]);
    square_ = App.pictures->Load("data/gfx/grid/square_bgbgray.tga");
    clearedSquare_ = App.pictures->Load("data/gfx/grid/square_invert.tga");
    counters_ = Interface("counters.png");
    timeBar_ = Interface("timebar.tga");
    digits_ = Interface("numbers.tga");
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            cells_[row][column] = App.pictures->Load("data/gfx/cells/" + RandomCellPicture());
            cleared_[row][column] = row >= 5 && column >= 3;
        }
    }
}

void CScreenPreview::Draw() {
    sky_->Draw(0, 0);
    celestial_->Draw(0, 0);
    if (world_ == 1) {
        DrawTrees();
    }
    ground_->Draw(0, 600 - ground_->height);
    if (world_ != 1) {
        DrawTrees();
    }
    DrawBoard();
    DrawCounters();
}

void CScreenPreview::DrawTrees() const {
    const int dx = treeShift[world_ - 1][0];
    const int bottom = treeShift[world_ - 1][1] + 548;
    for (const int centre : {64, 736}) {
        tree_->Draw(dx - tree_->width / 2 + centre, bottom - tree_->height);
    }
}

// Squares of 64 x 65 centred on the screen, each cell drawn with its small offset.
void CScreenPreview::DrawBoard() const {
    const int originX = (800 - columns * 64) / 2;
    const int originY = (600 - rows * 65) / 2;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int x = originX + column * 64;
            const int y = originY + row * 65;
            (cleared_[row][column] ? clearedSquare_ : square_)->Draw(x, y);
            cells_[row][column]->Draw(x + 3, y + 4);
        }
    }
}

void CScreenPreview::DrawCounters() const {
    counters_->Draw(96, 540);
    timeBar_->DrawPart(168, 559, 0, 0, timeBar_->width * 2 / 3, timeBar_->height);
    const std::string count = "57";
    int x = (129 - 10 * static_cast<int>(count.size())) / 2 + 506;
    for (const char digit : count) {
        digits_->DrawPart(x, 560, 17 * (digit - '0'), 0, 17, 17);
        x += 10;
    }
}
