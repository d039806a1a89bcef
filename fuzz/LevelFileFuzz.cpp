// libFuzzer target: any bytes as a level file. The reader must never crash, hang or overflow,
// must name the file and a line in every refusal, and what it accepts must be within the limits
// the board relies on.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "flow/LevelFile.h"
#include "game/CellGenerator.h"
#include "game/VirusSpread.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelFile level;
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!level.Parse(text, "fuzz.txt", error)) {
        Check(error.rfind("fuzz.txt:", 0) == 0);
        Check(error.find('\0') == std::string::npos);
        return 0;
    }
    Check(!level.Rows().empty() && level.Rows().size() <= LevelFile::MaxSide);
    for (const std::string& row : level.Rows()) {
        Check(row.size() == level.Rows().front().size() && row.size() <= LevelFile::MaxSide);
    }
    // What the board makes of it: the virus period at the latest tick a game reaches, and the
    // recipe for new cells.
    VirusSpread spread;
    spread.period = level.NumberOr("TIMEVIRUS", 0);
    spread.clock = INT32_MAX;
    spread.IsDue(false);
    CellGenerator cells;
    std::string unused;
    if (const LevelFile::Setting* pets = level.Find("CELLS_NORMAL")) {
        Check(cells.SetPets(pets->text, unused));
    }
    cells.probStar = level.NumberOr("PROB_STAR", 0);
    cells.probBubble = level.NumberOr("PROB_BUBBLE", 0);
    cells.probVirus = level.NumberOr("PROB_VIRUS", 0);
    cells.CanMakeCells(unused);
    return 0;
}
