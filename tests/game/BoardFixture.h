#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "RecordingTutorials.h"
#include "core/App.h"
#include "core/Random.h"
#include "game/BoardScale.h"
#include "game/BoardText.h"
#include "game/CBoard.h"
#include "game/CCell.h"
#include "game/CCellPictures.h"
#include "game/CCellVirus.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/CTree.h"
#include "game/ItemSource.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CCustomPointer.h"

// Stands in for the game: its item lottery hands out the item a test lines up.
class TestGame : public CGameObject, public ItemSource {
public:
    CItem* MakeItem() override {
        if (nextItem != nullptr) {
            SetParentLink(nextItem);
        }
        return std::exchange(nextItem, nullptr);
    }

    CItem* nextItem = nullptr;
};

// A real board in a game-like subtree (board, timer and tutorials side by side under
// "game"), its pictures made in a temporary data folder, the mouse scripted.
class BoardTest : public ToolkitTest {
protected:
    using Rows = std::vector<std::string>;

    static constexpr uint32_t SquareColour = PackRGBA(90, 90, 90), ClearedColour = PackRGBA(200, 200, 255),
                              WaterColour = PackRGBA(0, 255, 255), ArrowColour = PackRGBA(255, 128, 0),
                              CircleColour = PackRGBA(255, 0, 0), VirusColour = PackRGBA(0, 120, 0),
                              VirusHalfBlinkColour = PackRGBA(0, 140, 0), BarColour = PackRGBA(0, 200, 100),
                              BarRedColour = PackRGBA(220, 30, 30), TreeColour = PackRGBA(0, 90, 0),
                              LeavesColour = PackRGBA(180, 220, 0), ItemColour = PackRGBA(250, 250, 250),
                              SelectedColour = PackRGBA(200, 0, 200);
    static constexpr int PetSize = 16, BarWidth = 400, ItemSize = 20, TreeWidth = 100, TreeHeight = 150;

    // Each pet kind has a base picture of its own colour.
    static uint32_t PetColour(int kind) {
        return PackRGBA(static_cast<uint8_t>(40 + kind * 12), static_cast<uint8_t>(200 - kind * 10), 30);
    }

    void SetUp() override {
        ToolkitTest::SetUp();
        savedTick_ = App.tickCount;
        App.tickCount = 0;
        boardScale = 1.0f;
        WritePictures();
        MakeTrees();
        SeedRandom(12345);
        game.name = "game";
        root.AddChild(&game);
        timerHolder_ = std::make_unique<CTimer>();
        game.AddChild(&timer());
        timer().SetTime(600);
        game.AddChild(&tutorials);
        pointer = std::make_unique<CCustomPointer>();
        App.pointer = pointer.get();
        NewBoard();
    }

    // A fresh board in place of the last one; new cells are dogs unless a test says otherwise.
    void NewBoard() {
        if (board) {
            game.RemoveChild(board.get());
        }
        board = std::make_unique<CBoard>();
        game.AddChild(board.get());
        board->leftTree = leftTree.get();
        board->rightTree = rightTree.get();
        board->countClearedCell = [this] { ++clearedCells; };
        board->giveSoap = [this] { ++soapsGiven; };
        std::string error;
        ASSERT_TRUE(board->generator.SetPets("D", error));
    }

    void TearDown() override {
        App.pointer = nullptr;
        pointer.reset();
        game.RemoveAllChildren();
        root.RemoveAllChildren();
        background.RemoveAllChildren();
        board.reset();
        leftTree.reset();
        rightTree.reset();
        delete game.nextItem;
        timerHolder_.reset();
        boardScale = 1.0f;
        App.tickCount = savedTick_;
        ToolkitTest::TearDown();
    }

    // The trees at the bottom corners of a background that stands still unless a test sets it
    // going; the board hands them help items either way.
    void MakeTrees() {
        leftTree = std::make_unique<CTree>();
        rightTree = std::make_unique<CTree>();
        leftTree->y = rightTree->y = 600;
        rightTree->x = 800 - TreeWidth;
        background.name = "background";
        background.AddChild(leftTree.get());
        background.AddChild(rightTree.get());
        background.active = false;
        game.AddChild(&background);
    }

    // Pictures other than the pets' bases, the squares, the water, the arrows and the virus are
    // told apart by the tests only as different pictures, not by colour.
    void WritePictures() {
        const auto write = [this](const std::string& path, int w, int h, uint32_t colour) {
            WriteSolid("data/gfx/" + path, w, h, colour);
        };
        const auto cell = [&](const std::string& name, uint32_t colour) {
            write("cells/" + name, PetSize, PetSize, colour);
        };
        const auto frames = [&](const std::string& name, int count, const std::string& extension, int w = 0) {
            for (int i = 0; i < count; ++i) {
                const uint32_t colour = PackRGBA(200, 200, static_cast<uint8_t>(i * 40));
                w == 0 ? cell(name + std::to_string(i) + extension, colour)
                       : write(name + std::to_string(i) + extension, w, w, colour);
            }
        };
        for (int kind = 0; kind < CellKind::PetCount; ++kind) {
            const std::string name = CCellPictures::KindName(kind);
            cell(name + ".tga", PetColour(kind));
            cell(name + "_inter_blink.tga", PackRGBA(20, 20, 20));
            cell(name + "_blink.tga", PackRGBA(10, 10, 10));
            cell(name + "0.tga", PackRGBA(250, 0, 250));
        }
        frames("star_items", 6, ".tga");
        frames("light", 5, ".png");
        frames("plok_star", 5, ".png");
        frames("ploc", 3, ".png");
        frames("general/effect-twister/twister", 10, ".png", 8);
        for (const std::string colour : {"red", "green", "blue", "violet"}) {
            frames("water_" + colour, 3, ".tga");
            write("general/" + colour + "bubble.png", 24, 24, PackRGBA(0, 0, 200));
            write("general/arrows_" + colour + "w.png", 8, 8, ArrowColour);
        }
        for (int i = 0; i < BubbleBlast::WaterFrameCount; ++i) {
            write("items/wateref" + std::to_string(i) + ".tga", 10, 10, WaterColour);
        }
        cell("virus.tga", VirusColour);
        cell("virus_inter_blink.tga", VirusHalfBlinkColour);
        cell("virus_blink.tga", PackRGBA(0, 160, 0));
        write("grid/square_bgbgray.tga", 64, 65, SquareColour);
        write("grid/square_invert.tga", 64, 65, ClearedColour);
        write("grid/circletga.tga", 4, 4, CircleColour);
        for (const std::string item :
             {"clock.tga", "vaccine.tga", "soap.tga", "sandclock.tga", "spoon.png", "eddy.png"}) {
            const size_t dot = item.find('.');
            write("items/" + item, ItemSize, ItemSize, ItemColour);
            write("items/" + item.substr(0, dot) + "_selected" + item.substr(dot), ItemSize, ItemSize,
                  SelectedColour);
        }
        write("items/sandclock.tga", 10, 10, PackRGBA(255, 255, 0));  // the board draws it over held viruses
        write("items/nopet.png", ItemSize, ItemSize, PackRGBA(1, 1, 1));
        write("interface/tree.tga", TreeWidth, TreeHeight, TreeColour);
        write("interface/tree1.tga", TreeWidth, TreeHeight, PackRGBA(0, 150, 0));
        for (int i = 0; i < CTree::LeafFrames; ++i) {
            write("interface/leaves" + std::to_string(i) + ".tga", 10, 10, LeavesColour);
        }
        write("general/mouse_pointer.tga", 16, 24, PackRGBA(255, 255, 255));
        write("items/xnumbers.tga", 121, 12, PackRGBA(255, 0, 0));
        write("interface/timebar.tga", BarWidth, 20, BarColour);
        write("interface/timebar_red.png", BarWidth, 20, BarRedColour);
    }

    // A full grid of the given size.
    static Rows Filled(int columns, int rows, char code = 'X') {
        return Rows(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), code));
    }

    void LoadGrid(const Rows& rows) {
        ASSERT_TRUE(board->LoadGrid(rows));
        board->Layout();
    }

    // A board laid out cell by cell, one BoardText code a cell, every non-hole square still to
    // clear, its sets found as Fill does.
    void Build(const Rows& rows) {
        Rows grid = rows;
        for (std::string& row : grid) {
            for (char& code : row) {
                code = code == '.' ? '.' : 'X';
            }
        }
        LoadGrid(grid);
        for (int r = 0; r < board->height; ++r) {
            for (int c = 0; c < board->width; ++c) {
                const char code = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
                if (code != '.') {
                    ASSERT_NE(board->SetCell(c, r, BoardText::KindOfCode(code)), nullptr) << code;
                }
            }
        }
        board->FindSets();
    }

    // The board as text, one character a square.
    Rows Picture(const std::function<char(const CCell*, int index)>& code) const {
        Rows rows(static_cast<size_t>(board->height));
        for (int r = 0; r < board->height; ++r) {
            for (int c = 0; c < board->width; ++c) {
                rows[static_cast<size_t>(r)] += code(At(c, r), board->Index(c, r));
            }
        }
        return rows;
    }

    // Kinds in the Build codes, '_' for an empty square.
    Rows Kinds() const {
        return Picture([](const CCell* cell, int) { return cell ? BoardText::CodeOfKind(cell->kind) : '_'; });
    }

    Rows States() const {
        return Picture([](const CCell* cell, int) {
            return !cell ? '_' : cell->kind == CellKind::Hole ? '.' : static_cast<char>('0' + cell->state);
        });
    }

    // '#' for a square still to clear.
    Rows Squares() const {
        return Picture([this](const CCell*, int index) {
            return board->toClear[static_cast<size_t>(index)] == 1 ? '#' : '-';
        });
    }

    // One logic tick of the whole tree, with the game's tick count.
    void Tick() {
        App.tickCount += 1;
        ToolkitTest::Tick();
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }

    // The mouse over the middle of a cell (the board maps the mouse 20 pixels up and left).
    void PointAt(int column, int row) {
        input.MoveMouse(board->SquareX(column) + 20 + 32, board->SquareY(row) + 20 + 32);
    }

    void PointAway() { input.MoveMouse(5, 5); }

    void ClickAt(int column, int row) {
        PointAt(column, row);
        input.SetButton(true);
        Tick();
        input.SetButton(false);
        Tick();
    }

    // Ticks until the board is free with no cell clearing or gone.
    void Settle() {
        for (int i = 0; i < 2000; ++i) {
            if (!board->busy && !board->AnyCellInState(CellState::Clearing) &&
                !board->AnyCellInState(CellState::Gone)) {
                return;
            }
            Tick();
        }
        FAIL() << "the board did not settle";
    }

    void Hold(int32_t type, int uses) {
        pointer->Hold(&pointer->arrow, type);
        pointer->usesLeft = uses;
    }

    // No help item waiting in the trees, as at a level's start.
    void EmptyTrees() {
        for (CTree* tree : {leftTree.get(), rightTree.get()}) {
            tree->EmptySlots();
            tree->nextToB = false;
        }
    }

    bool Notified(int category, int index, int related) const {
        const auto& sent = tutorials.notifications;
        return std::find(sent.begin(), sent.end(),
                         RecordingTutorials::Notification{category, index, related}) != sent.end();
    }

    CCell* At(int column, int row) const { return board->CellAt(column, row); }

    TestGame game;
    CGameObject background;
    std::unique_ptr<CBoard> board;
    // Made once the pictures exist: the clock loads its bar.
    CTimer& timer() { return *timerHolder_; }
    RecordingTutorials tutorials;
    std::unique_ptr<CTree> leftTree;
    std::unique_ptr<CTree> rightTree;
    std::unique_ptr<CCustomPointer> pointer;
    int clearedCells = 0;
    int soapsGiven = 0;

private:
    uint32_t savedTick_ = 0;
    std::unique_ptr<CTimer> timerHolder_;
};
