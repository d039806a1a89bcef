#include "app/Random.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomTest, FollowsTheLinearCongruentialSequence) {
    SeedRandom(1);
    // state 1 -> 2745024 -> ...: the first draws of seed 1
    EXPECT_EQ(RandomDraw(), 41);
    EXPECT_EQ(RandomDraw(), 18467);
    EXPECT_EQ(RandomDraw(), 6334);
    EXPECT_EQ(RandomDraw(), 26500);
}

TEST(RandomTest, SameSeedSameDrawsAndStateWraps) {
    SeedRandom(0xFFFFFFFFu);
    const int a = RandomDraw();
    const uint32_t state = RandomState();
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(RandomDraw(), a);
    EXPECT_EQ(RandomState(), state);
    EXPECT_EQ(state, 0xFFFFFFFFu * 214013u + 2531011u);
    for (int i = 0; i < 1000; ++i) {
        const int draw = RandomDraw();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
    }
}

}  // namespace
