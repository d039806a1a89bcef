// tandolo-levelcheck FOLDER: reads level1-1.txt .. level8-5.txt from FOLDER with the game's own
// reader, prints one line per level and fails, naming file and line, on any fault.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ShippedLevel.h"

namespace {

constexpr int Worlds = 8;
constexpr int Stages = 5;

using Row = std::vector<std::string>;

Row Header() {
    return {"level", "size",  "squares", "scale", "time",  "s/square", "pets",      "star", "bubble", "virus",
            "every", "clock", "vaccine", "soap",  "nopet", "spoon",    "sandclock", "eddy", "items"};
}

std::string Fixed2(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

Row Describe(int world, int stage, const ShippedLevel& level) {
    const int squares = level.Squares();
    const int time = level.Number("TIME");
    const LevelFile::Setting* pets = level.File().Find("CELLS_NORMAL");
    Row row = {std::to_string(world) + "-" + std::to_string(stage),
               std::to_string(level.Columns()) + " x " + std::to_string(level.Rows()),
               std::to_string(squares),
               std::to_string(level.Number("SCALE")),
               std::to_string(time),
               squares > 0 ? Fixed2(static_cast<double>(time) / squares) : "-",
               pets != nullptr ? pets->text : "-",
               std::to_string(level.Number("PROB_STAR")),
               std::to_string(level.Number("PROB_BUBBLE")),
               std::to_string(level.Number("PROB_VIRUS")),
               std::to_string(level.Number("TIMEVIRUS"))};
    for (size_t i = ShippedLevel::FirstItemKey; i < ShippedLevel::RequiredKeys.size(); ++i) {
        row.push_back(std::to_string(level.Number(ShippedLevel::RequiredKeys[i])));
    }
    row.push_back(std::to_string(level.ItemChanceSum()));
    return row;
}

void PrintTable(const std::vector<Row>& rows) {
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const Row& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            line += row[i] + std::string(widths[i] - row[i].size() + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::printf("%s\n", line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LEVEL_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<Row> table = {Header()};
    std::vector<std::string> problems;
    for (int world = 1; world <= Worlds; ++world) {
        for (int stage = 1; stage <= Stages; ++stage) {
            ShippedLevel level;
            const std::string path =
                folder + "/level" + std::to_string(world) + "-" + std::to_string(stage) + ".txt";
            // A level with a broken rule still gets its line; one that cannot be read does not.
            level.Load(path, problems);
            if (level.WasRead()) {
                table.push_back(Describe(world, stage, level));
            }
        }
    }
    PrintTable(table);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "%s\n", problem.c_str());
    }
    return problems.empty() ? 0 : 1;
}
