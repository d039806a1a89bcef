#pragma once

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/App.h"
#include "core/Random.h"
#include "game/BoardScale.h"
#include "game/BoardText.h"
#include "game/CBoard.h"
#include "game/CCell.h"
#include "game/CCellPictures.h"
#include "game/CCellVirus.h"
#include "game/CTimer.h"
#include "game/CTree.h"
#include "game/CTutorials.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CCustomPointer.h"

// A real board in a game-like subtree (board, timer and tutorials side by side under
// "game"), its pictures made in a temporary data folder, the mouse scripted.
class BoardTest : public ToolkitTest {
protected:
    using Rows = std::vector<std::string>;

    static constexpr uint32_t SquareColour = PackRGBA(90, 90, 90);
    static constexpr uint32_t ClearedColour = PackRGBA(200, 200, 255);
    static constexpr uint32_t WaterColour = PackRGBA(0, 255, 255);
    static constexpr int PetSize = 16;

    // Each pet kind has a base picture of its own colour; the other states are grey shades.
    static uint32_t PetColour(int kind) {
        return PackRGBA(static_cast<uint8_t>(40 + kind * 12), static_cast<uint8_t>(200 - kind * 10), 30);
    }

    void SetUp() override {
        ToolkitTest::SetUp();
        savedTick_ = App.tickCount;
        App.tickCount = 0;
        boardScale = 1.0f;
        WritePictures();
        SeedRandom(12345);
        game.name = "game";
        root.AddChild(&game);
        game.AddChild(&timer);
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
        board->leftTree = &leftTree;
        board->rightTree = &rightTree;
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
        board.reset();
        boardScale = 1.0f;
        App.tickCount = savedTick_;
        ToolkitTest::TearDown();
    }

    void WritePictures() {
        const auto solid = [this](const std::string& path, int w, int h, uint32_t colour) {
            WriteSolid("data/gfx/" + path, w, h, colour);
        };
        const auto pet = [&](const std::string& path, uint32_t colour) {
            solid(path, PetSize, PetSize, colour);
        };
        for (int kind = 0; kind < 16; ++kind) {
            const std::string base = std::string("cells/") + CCellPictures::KindName(kind);
            pet(base + ".tga", PetColour(kind));
            pet(base + "_inter_blink.tga", PackRGBA(20, 20, 20));
            pet(base + "_blink.tga", PackRGBA(10, 10, 10));
            pet(base + "0.tga", PackRGBA(250, 0, 250));
        }
        for (int i = 0; i < 8; ++i) {
            const std::string n = std::to_string(i);
            solid("items/wateref" + n + ".tga", 10, 10, WaterColour);
            if (i < 6) {
                pet("cells/star_items" + n + ".tga", PackRGBA(255, 255, static_cast<uint8_t>(i * 40)));
            }
            if (i < 5) {
                pet("cells/light" + n + ".png", PackRGBA(255, 255, 200));
                pet("cells/plok_star" + n + ".png", PackRGBA(255, 200, 255));
            }
            if (i < 3) {
                pet("cells/ploc" + n + ".png", PackRGBA(200, 255, 255));
            }
        }
        for (const std::string colour : {"red", "green", "blue", "violet"}) {
            for (int i = 0; i < 3; ++i) {
                pet("cells/water_" + colour + std::to_string(i) + ".tga",
                    PackRGBA(0, 0, static_cast<uint8_t>(100 + i * 50)));
            }
            solid("general/" + colour + "bubble.png", 24, 24, PackRGBA(0, 0, 200));
            solid("general/arrows_" + colour + "w.png", 8, 8, PackRGBA(255, 128, 0));
        }
        pet("cells/virus.tga", PackRGBA(0, 120, 0));
        pet("cells/virus_inter_blink.tga", PackRGBA(0, 140, 0));
        pet("cells/virus_blink.tga", PackRGBA(0, 160, 0));
        solid("grid/square_bgbgray.tga", 64, 65, SquareColour);
        solid("grid/square_invert.tga", 64, 65, ClearedColour);
        solid("grid/circletga.tga", 4, 4, PackRGBA(255, 0, 0));
        solid("items/sandclock.tga", 10, 10, PackRGBA(255, 255, 0));
        solid("general/mouse_pointer.tga", 16, 24, PackRGBA(255, 255, 255));
        solid("items/xnumbers.tga", 121, 12, PackRGBA(255, 0, 0));
    }

    // A full grid of the given size.
    static Rows Filled(int columns, int rows, char code = 'X') {
        return Rows(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), code));
    }

    void LoadGrid(const std::vector<std::string>& rows, const std::string& keys = "TIME:100\n") {
        std::string error;
        ASSERT_TRUE(TryLoadGrid(rows, keys, error)) << error;
        board->Layout();
    }

    bool TryLoadGrid(const std::vector<std::string>& rows, const std::string& keys, std::string& error) {
        const std::string path = temp.File("grid.txt");
        {
            std::ofstream file(path);
            for (const std::string& row : rows) {
                file << row << "\n";
            }
            file << keys;
        }
        std::ifstream file(path);
        return board->LoadGrid(file, "grid.txt", error);
    }

    // A board laid out cell by cell: one character a cell (see BoardText::KindOfCode), every
    // non-hole square still to clear, its sets found.
    void Build(const std::vector<std::string>& rows) {
        std::vector<std::string> grid;
        for (const std::string& row : rows) {
            std::string line;
            for (char code : row) {
                line += code == '.' ? '.' : 'X';
            }
            grid.push_back(line);
        }
        LoadGrid(grid);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c) {
                const char code = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
                if (code != '.') {
                    ASSERT_NE(board->SetCell(c, r, BoardText::KindOfCode(code)), nullptr) << code;
                }
            }
        }
        board->FindSets();  // as Fill does
    }

    // The board as text, one character a square.
    Rows Picture(const std::function<char(int, int)>& code) const {
        Rows rows(static_cast<size_t>(board->height));
        for (int r = 0; r < board->height; ++r) {
            for (int c = 0; c < board->width; ++c) {
                rows[static_cast<size_t>(r)] += code(c, r);
            }
        }
        return rows;
    }

    // Kinds in the Build characters, '_' for an empty square.
    Rows Kinds() const {
        return Picture(
            [this](int c, int r) { return At(c, r) ? BoardText::CodeOfKind(At(c, r)->kind) : '_'; });
    }

    Rows States() const {
        return Picture([this](int c, int r) {
            const CCell* cell = At(c, r);
            return !cell ? '_' : cell->kind == CellKind::Hole ? '.' : static_cast<char>('0' + cell->state);
        });
    }

    // '#' for a square still to clear.
    Rows Squares() const {
        return Picture([this](int c, int r) {
            return board->toClear[static_cast<size_t>(r * board->width + c)] == 1 ? '#' : '-';
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

    // Ticks until the board is free with no cell clearing or gone, at most limit ticks.
    void Settle(int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            if (!board->busy && !board->AnyCellInState(CellState::Clearing) &&
                !board->AnyCellInState(CellState::Gone)) {
                return;
            }
            Tick();
        }
        FAIL() << "the board did not settle";
    }

    CCell* At(int column, int row) const { return board->CellAt(column, row); }

    CGameObject game;
    std::unique_ptr<CBoard> board;
    CTimer timer;
    CTutorials tutorials;
    CTree leftTree;
    CTree rightTree;
    std::unique_ptr<CCustomPointer> pointer;
    int clearedCells = 0;
    int soapsGiven = 0;

private:
    uint32_t savedTick_ = 0;
};
