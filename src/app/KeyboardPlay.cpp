#include "app/KeyboardPlay.h"

#include <algorithm>
#include <cstdlib>

#include "core/App.h"
#include "engine/Input.h"
#include "engine/WindowEvents.h"
#include "scene/GameObject.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
// A warped pointer may read back a pixel off at some window scales; a real move is more.
constexpr int MouseSlack = 2;

constexpr std::array<int, 5> RepeatingKeyCodes = {KeyLeft, KeyRight, KeyUp, KeyDown, KeyTab};

bool OnScreen(const KeyTarget& point) {
    return point.x >= 0 && point.x < ScreenWidth && point.y >= 0 && point.y < ScreenHeight;
}

bool SamePoint(const KeyTarget& a, const KeyTarget& b) {
    return a.x == b.x && a.y == b.y;
}

}  // namespace

KeyboardPlay::~KeyboardPlay() {
    HoldButtonByKeyboard(false);
}

// ---------------------------------------------------------------- the tick

void KeyboardPlay::Tick(CGameObject& root) {
    const Screen screen = Collect(root);
    FollowMouse();
    ReleaseButtonWhenDue();
    const int dx = static_cast<int>(Fired(Right)) - static_cast<int>(Fired(Left));
    const int dy = static_cast<int>(Fired(Down)) - static_cast<int>(Fired(Up));
    const bool backwards = IsKeyDown(KeyLeftShift) || IsKeyDown(KeyRightShift);
    const int tab = Fired(Tab) ? (backwards ? -1 : 1) : 0;
    const bool press = PressWanted();
    if (!screen.controls.empty()) {
        WalkControls(screen, dx, dy);
    } else if (screen.grid != nullptr) {
        WalkBoard(screen, dx, dy, tab);
    }
    if (press && holdTicks_ < 0) {
        HoldButton();
    }
}

KeyboardPlay::Screen KeyboardPlay::Collect(CGameObject& root) {
    Screen screen;
    std::vector<const void*> seen;
    CollectFrom(root, screen, seen);
    std::stable_sort(screen.items.begin(), screen.items.end(),
                     [](const Found& a, const Found& b) { return a.point.x < b.point.x; });
    return screen;
}

// The active part of the tree only, as it is ticked. An owner listed twice (the menu panel is
// the game's child too while it is the in-game menu) is asked once; a grid speaks for all it
// holds, so its cells are not searched every tick.
void KeyboardPlay::CollectFrom(CGameObject& object, Screen& screen, std::vector<const void*>& seen) {
    auto* owner = dynamic_cast<KeyboardTargets*>(&object);
    if (owner != nullptr && std::find(seen.begin(), seen.end(), owner) == seen.end()) {
        seen.push_back(owner);
        std::vector<KeyTarget> points;
        owner->AddKeyTargets(points);
        for (size_t i = 0; i < points.size(); ++i) {
            if (OnScreen(points[i])) {
                auto& list = points[i].kind == KeyTarget::Item ? screen.items : screen.controls;
                list.push_back({points[i], owner, static_cast<int>(i)});
            }
        }
    }
    if (auto* grid = dynamic_cast<KeyboardGrid*>(&object)) {
        screen.grid = screen.grid != nullptr ? screen.grid : grid;
        return;
    }
    for (CGameObject* child : object.Children()) {
        if (child->active) {
            CollectFrom(*child, screen, seen);
        }
    }
}

// ---------------------------------------------------------------- keys

// Once when pressed, then again and again while held.
bool KeyboardPlay::Fired(RepeatingKey key) {
    int& held = heldTicks_[static_cast<size_t>(key)];
    if (!IsKeyDown(RepeatingKeyCodes[static_cast<size_t>(key)])) {
        held = 0;
        return false;
    }
    held += 1;
    return held == 1 || (held > RepeatDelayTicks && (held - 1 - RepeatDelayTicks) % RepeatTicks == 0);
}

// Enter with Alt held is the window's switch to full screen, not a click. The window follows
// either Alt and an Alt let go before its Enter; scripted input only has the key state.
bool KeyboardPlay::PressWanted() {
    const bool down = IsKeyDown(KeyEnter) || IsKeyDown(KeySpace);
    const bool pressed = down && !pressKeyWasDown_;
    pressKeyWasDown_ = down;
    return pressed && !IsKeyDown(KeyAlt) && !IsEnterTakenByWindow();
}

// ---------------------------------------------------------------- the pointer

void KeyboardPlay::FollowMouse() {
    if (steering_ &&
        (std::abs(GetMouseX() - placedX_) > MouseSlack || std::abs(GetMouseY() - placedY_) > MouseSlack)) {
        steering_ = false;
    }
}

void KeyboardPlay::TakePointer() {
    if (!steering_) {
        steering_ = true;
        placedX_ = GetMouseX();
        placedY_ = GetMouseY();
    }
}

// Not while the button is held: a press begun on one thing must be let go on it.
void KeyboardPlay::PlacePointer(const KeyTarget& point) {
    if (holdTicks_ >= 0 || (point.x == placedX_ && point.y == placedY_)) {
        return;
    }
    SetMousePosition(point.x, point.y);
    placedX_ = GetMouseX();
    placedY_ = GetMouseY();
}

void KeyboardPlay::HoldButton() {
    HoldButtonByKeyboard(true);
    holdTicks_ = 0;
}

void KeyboardPlay::ReleaseButtonWhenDue() {
    if (holdTicks_ < 0) {
        return;
    }
    holdTicks_ += 1;
    if (holdTicks_ > HoldTicks && App.mouseDown) {
        HoldButtonByKeyboard(false);
        holdTicks_ = -1;
    }
}

// ---------------------------------------------------------------- menus

const KeyboardPlay::Found* KeyboardPlay::Focused(const std::vector<Found>& targets,
                                                 const KeyboardTargets* owner, int index) {
    for (const Found& target : targets) {
        if (target.owner == owner && target.index == index) {
            return &target;
        }
    }
    return nullptr;
}

void KeyboardPlay::WalkControls(const Screen& screen, int dx, int dy) {
    const Found* current = Focused(screen.controls, focusOwner_, focusIndex_);
    if (dx != 0 && current != nullptr && current->owner->StepKeyTarget(current->index, dx)) {
        TakePointer();
        dx = 0;
    }
    if (dx != 0 || dy != 0) {
        TakePointer();
        const Found* next = current != nullptr ? NearestToward(screen.controls, current->point, dx, dy)
                                               : FirstInReadingOrder(screen.controls);
        if (next != nullptr) {
            current = next;
            focusOwner_ = next->owner;
            focusIndex_ = next->index;
        }
    }
    if (steering_ && current != nullptr) {
        // Every tick: the control may be sliding in, or its knob may have moved.
        PlacePointer(current->point);
    }
}

const KeyboardPlay::Found* KeyboardPlay::FirstInReadingOrder(const std::vector<Found>& controls) {
    const auto first = std::min_element(controls.begin(), controls.end(), [](const Found& a, const Found& b) {
        return a.point.y != b.point.y ? a.point.y < b.point.y : a.point.x < b.point.x;
    });
    return first != controls.end() ? &*first : nullptr;
}

// The nearest the way the arrow points, a step aside counting half, so that the controls of a
// column follow each other however far apart their middles lie across it. None past the edge.
const KeyboardPlay::Found* KeyboardPlay::NearestToward(const std::vector<Found>& controls,
                                                       const KeyTarget& from, int dx, int dy) {
    const Found* nearest = nullptr;
    long nearestScore = 0;
    for (const Found& target : controls) {
        const long ax = target.point.x - from.x;
        const long ay = target.point.y - from.y;
        const long along = ax * dx + ay * dy;
        const long score = along + (std::labs(ax * dy) + std::labs(ay * dx)) / 2;
        if (along > 0 && (nearest == nullptr || score < nearestScore)) {
            nearest = &target;
            nearestScore = score;
        }
    }
    return nearest;
}

// ---------------------------------------------------------------- the board

void KeyboardPlay::WalkBoard(const Screen& screen, int dx, int dy, int tab) {
    KeyboardGrid& grid = *screen.grid;
    if (cursor_ && !grid.GridCellExists(cursor_->column, cursor_->row)) {
        cursor_.reset();
    }
    WalkItems(screen, tab);
    if (tab != 0 && !focusedItem_ && !cursor_) {
        cursor_ = StartCell(grid);  // Tab past the last item, or with none lying, comes to the board
    }
    if (dx != 0 || dy != 0) {
        const bool wasSteering = steering_;
        const bool fromItem = focusedItem_.has_value();
        TakePointer();
        focusedItem_.reset();
        Cell underPointer;
        if (!wasSteering && grid.GridCellAtPointer(underPointer.column, underPointer.row) &&
            grid.GridCellExists(underPointer.column, underPointer.row)) {
            cursor_ = underPointer;  // the first arrow after the mouse shows the cursor where it points
        } else if (!cursor_) {
            cursor_ = StartCell(grid);
        } else if (wasSteering && !fromItem) {
            MoveCursor(grid, dx, dy);
        }
    }
    const bool onBoard = steering_ && !focusedItem_ && cursor_;
    grid.ShowKeyCursor(onBoard, cursor_ ? cursor_->column : 0, cursor_ ? cursor_->row : 0);
    if (onBoard) {
        PlacePointer(grid.GridCellCentre(cursor_->column, cursor_->row));
    } else if (steering_ && focusedItem_) {
        PlacePointer(*focusedItem_);
    }
}

// Tab goes on through the items and back to the board; an item taken sends the focus back too.
void KeyboardPlay::WalkItems(const Screen& screen, int tab) {
    const auto& items = screen.items;
    int at = -1;
    for (size_t i = 0; focusedItem_ && i < items.size(); ++i) {
        if (SamePoint(items[i].point, *focusedItem_)) {
            at = static_cast<int>(i);
        }
    }
    if (at < 0) {
        focusedItem_.reset();
    }
    if (tab == 0) {
        return;
    }
    if (!steering_) {
        at = -1;
    }
    TakePointer();
    const int stops = static_cast<int>(items.size()) + 1;  // the items and the board
    at = (at + 1 + tab + stops) % stops - 1;
    focusedItem_.reset();
    if (at >= 0) {
        focusedItem_ = items[static_cast<size_t>(at)].point;
    }
}

// On to the next cell that exists the arrow's way; at the edge it stays.
void KeyboardPlay::MoveCursor(const KeyboardGrid& grid, int dx, int dy) {
    int column = cursor_->column + dx;
    int row = cursor_->row + dy;
    while (column >= 0 && row >= 0 && column < grid.GridColumns() && row < grid.GridRows()) {
        if (grid.GridCellExists(column, row)) {
            cursor_ = Cell{column, row};
            return;
        }
        column += dx;
        row += dy;
    }
}

// The cell nearest the board's middle; none on a board of holes.
std::optional<KeyboardPlay::Cell> KeyboardPlay::StartCell(const KeyboardGrid& grid) {
    std::optional<Cell> best;
    int bestDistance = -1;
    for (int row = 0; row < grid.GridRows(); ++row) {
        for (int column = 0; column < grid.GridColumns(); ++column) {
            const int across = 2 * column + 1 - grid.GridColumns();
            const int down = 2 * row + 1 - grid.GridRows();
            const int distance = across * across + down * down;
            if (grid.GridCellExists(column, row) && (bestDistance < 0 || distance < bestDistance)) {
                best = Cell{column, row};
                bestDistance = distance;
            }
        }
    }
    return best;
}
