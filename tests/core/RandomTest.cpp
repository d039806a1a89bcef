#include <gtest/gtest.h>

#include "core/Random.h"

namespace {

TEST(RandomTest, FollowsTheLinearCongruentialSequenceAndStaysInRange) {
    SeedRandom(1);
    // state 1 -> 2745024 -> ...: the first draws of seed 1
    for (int expected : {41, 18467, 6334, 26500}) {
        EXPECT_EQ(RandomDraw(), expected);
    }
    SeedRandom(0xFFFFFFFFu);
    RandomDraw();
    EXPECT_EQ(RandomState(), 0xFFFFFFFFu * 214013u + 2531011u);  // the state wraps
    for (int i = 0; i < 1000; ++i) {
        const int draw = RandomDraw();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
    }
}

}  // namespace
