#include <memory>

#include "flow/CStagePresent.h"
#include "gfx/ToolkitFixture.h"

namespace {

uint32_t PieceColour(size_t k) {
    return PackRGBA(0, static_cast<uint8_t>(40 + 20 * k), 200);
}

class CStagePresentTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/levelpresentation/stage.png", 250, 80, Red);
        std::vector<uint32_t> sheet(9 * 53 * 80);  // 9 pieces 53 wide, each its own colour
        for (size_t i = 0; i < sheet.size(); ++i) {
            sheet[i] = PieceColour(i % (9 * 53) / 53);
        }
        WritePicture("data/gfx/levelpresentation/mainnumbers.png", 9 * 53, 80, sheet);
        root.AddChild((present = std::make_unique<CStagePresent>()).get());
    }
    std::unique_ptr<CStagePresent> present;
};

TEST_F(CStagePresentTest, WorldSeparatorAndStageLandUnderTheCentredTitle) {
    present->Start(3, 2);
    Ticks(125);
    DrawTree();
    EXPECT_TRUE(Drawn(Red, 275, 80, 250, 80));
    EXPECT_TRUE(Drawn(PieceColour(3), 315, 160, 53, 80));
    EXPECT_TRUE(Drawn(PieceColour(0), 368, 160, 53, 80));
    EXPECT_TRUE(Drawn(PieceColour(2), 421, 160, 53, 80));
}

// Full until tick 150, a hundredth less each tick after, gone from tick 250 on.
TEST_F(CStagePresentTest, FadesFromTick151AndIsGoneAt250) {
    for (const auto& [ticks, alpha] :
         {std::pair{150, 1.0f}, {1, 0.99f}, {49, 0.5f}, {50, 0.0f}, {500, 0.0f}}) {
        Ticks(ticks);
        DrawTree();
        EXPECT_NEAR(present->numberPieces[8].alpha, alpha, 1e-5f) << "after " << present->ticks;
        EXPECT_NEAR(ReadPixel(300, 100).r, 255 * alpha, 2) << "after " << present->ticks;
    }
}

}  // namespace
