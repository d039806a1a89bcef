#include "game/CBackground.h"

#include <algorithm>
#include <string>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "game/GameMenu.h"

namespace {

struct WorldLook {
    const char* ground;
    const char* nightGround;  // stages 4 and 5; null: the day ground
    bool throws;
    const char* trees[3];  // the third is loaded but never drawn
    int dx;
    int dy;
    int itemOffset;
};

const WorldLook worldLooks[CBackground::Worlds] = {
    {"soil_counters_bushes.tga", nullptr, false, {"tree.tga", "tree1.tga", nullptr}, 0, 0, 0},
    {"beachbg.png", nullptr, true, {"oyster0.png", "oyster1.png", nullptr}, 0, 10, -40},
    {"junglebg.png", nullptr, false, {"palmtree0.png", "palmtree1.png", nullptr}, 0, 0, 0},
    {"icebg1.png", nullptr, true, {"freezer0.png", "freezer1.png", nullptr}, 50, 0, -70},
    {"desertbg.png", nullptr, true, {"oven0.png", "oven1.png", nullptr}, 0, 50, -30},
    {"citybg.png", "citynightbg.png", true, {"mailbox1.png", "mailbox0.png", nullptr}, 20, 0, -60},
    {"cloudsbg.png", nullptr, true, {"cloud0.png", "cloud1.png", nullptr}, 0, 0, -20},
    {"volcansbg.png", "volcansnightbg.png", true, {"geyser0.png", "geyser1.png", "geyser2.png"}, 0, 0, -25},
};

constexpr int ScreenHeight = 600;
constexpr int ParkWorld = 1;
constexpr int SunsetStage = 3;
constexpr int FirstNightStage = 4;
constexpr int TreeBottom = 548;
constexpr int LeftTreeCentre = 64;
constexpr int RightTreeCentre = 736;
constexpr int CountersX = 96;
constexpr int CountersY = 540;
constexpr int GlowX = 310;
constexpr int GlowY = 521;
constexpr int CounterCentre = 129;
constexpr int CounterLeft = 506;

std::string Interface(const std::string& name) {
    return "data/gfx/interface/" + name;
}

}  // namespace

CBackground::CBackground() {
    name = "background";
    counters.LoadRequired(Interface("counters.png"));
    celestial.LoadRequired(Interface("moon.png"));
    glow.LoadRequired(Interface("menue_glow.png"));
    digits[0].LoadRequired(Interface("numbers.tga"));
    CutStrip(digits, DigitSize, DigitSize);
    leftTree.x = -20;
    rightTree.x = 650;
    leftTree.y = rightTree.y = TreeBottom;
    // Ticked and drawn here, so the ground can lie between the trees and the sky.
    for (CTree* tree : {&leftTree, &rightTree}) {
        tree->active = false;
        AddChild(tree);
    }
}

void CBackground::SetWorld(int world, int stage) {
    world = std::clamp(world, 1, Worlds);
    stage = std::clamp(stage, 1, Stages);
    const WorldLook& look = worldLooks[world - 1];
    const bool night = stage >= FirstNightStage;
    sky.LoadRequired(Interface(night ? "bg_stars.tga" : stage == SunsetStage ? "sunset.tga" : "sky_day.tga"));
    sky.opaque = true;  // the back of everything
    celestial.LoadRequired(Interface(stage >= SunsetStage ? "moon.png" : "sun.png"));
    ground.LoadRequired(Interface(night && look.nightGround ? look.nightGround : look.ground));
    ground.picture->SetLinearFiltering(true);
    treesBehind = world == ParkWorld;

    for (CTree* tree : {&leftTree, &rightTree}) {
        tree->SetMode(look.throws);
        for (int i = 0; i < 3; ++i) {
            if (look.trees[i] != nullptr) {
                tree->SetPicture(i, Interface(look.trees[i]));
            }
        }
        tree->itemOffset = look.itemOffset;
        tree->y = look.dy + TreeBottom;
    }
    const int halfWidth = leftTree.pictures[0].width / 2;
    leftTree.x = look.dx - halfWidth + LeftTreeCentre;
    rightTree.x = look.dx - halfWidth + RightTreeCentre;
}

bool CBackground::Update() {
    leftTree.Tick();
    rightTree.Tick();
    ScrollSky();
    glowOn = MouseOnButton();
    if (MenuWanted()) {
        OpenMenu();
    }
    return true;
}

void CBackground::ScrollSky() {
    scrollSub += 1;
    if (scrollSub >= TicksPerScroll) {
        scroll -= 1;
        if (scroll <= -SkyWidth) {
            scroll += SkyWidth;
        }
        scrollSub = 0;
    }
}

bool CBackground::MouseOnButton() const {
    const int x = GetMouseX();
    const int y = GetMouseY();
    return ButtonLeft <= x && x <= ButtonRight && ButtonTop <= y && y <= ButtonBottom;
}

// Escape, or a click on the button let go of since the last frame.
bool CBackground::MenuWanted() const {
    return IsKeyDown(KeyEscape) || (glowOn && App.mouseDown && !IsMouseButtonDown());
}

void CBackground::OpenMenu() {
    // A level started from the command line has no menu to go back to.
    if (App.directStart) {
        App.quit = true;
    } else if (auto* menu = dynamic_cast<GameMenu*>(Find(".."))) {
        menu->OpenGameMenu();
    }
}

void CBackground::Draw() {
    // In two pieces, so the sky wraps round.
    sky.DrawPart(0, 0, -scroll, 0, SkyWidth + scroll, ScreenHeight);
    sky.DrawPart(SkyWidth + scroll, 0, 0, 0, -scroll, ScreenHeight);
    celestial.Draw(0, 0);
    if (treesBehind) {
        DrawTrees();
    }
    ground.Draw(0, ScreenHeight - ground.height);
    if (!treesBehind) {
        DrawTrees();
    }
    counters.Draw(CountersX, CountersY);
    DrawCounter();
    if (glowOn) {
        glow.Draw(GlowX, GlowY);
    }
}

void CBackground::DrawTrees() {
    leftTree.Draw();
    rightTree.Draw();
}

int CBackground::CounterX(int digitCount) {
    return (CounterCentre - DigitStep * digitCount) / 2 + CounterLeft;
}

void CBackground::DrawCounter() const {
    if (counterSource == nullptr) {
        return;
    }
    const std::string number = std::to_string(std::max(0, *counterSource));
    int x = CounterX(static_cast<int>(number.size()));
    for (const char digit : number) {
        digits[static_cast<size_t>(digit - '0')].Draw(x, CounterY);
        x += DigitStep;
    }
}

void CBackground::DrawItems() {
    leftTree.DrawItems();
    rightTree.DrawItems();
}
