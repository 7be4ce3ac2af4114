#include "base/Random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Random, SeededSequencesRepeatAndStayInRange)
{
    Random::Seed(42);
    std::vector<int> first;
    for (int i = 0; i < 100; ++i)
        first.push_back(Random::Below(200));
    Random::Seed(42);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(Random::Below(200), first[i]);
    for (int v : first) {
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 200);
    }
    EXPECT_EQ(Random::Below(0), 0);
}

TEST(Random, EveryValueOfASmallRangeOccurs)
{
    Random::Seed(7);
    int seen[3] = {};
    for (int i = 0; i < 300; ++i)
        ++seen[Random::Below(3)];
    for (int count : seen)
        EXPECT_GT(count, 50);
}
