#include "connection/ApnCycleList.h"

#include <gtest/gtest.h>

#include <optional>

TEST(ApnCycleList, StartsWithTheCurrentProfileThenTheOthersInOrder)
{
    struct Case {
        int current;
        int total;
        int profiles;
        std::optional<int> passes;
        QList<int> expected;
    };
    const Case cases[] = {
        {1, 3, 6, std::nullopt, {1, 0, 2}},
        {1, 3, 6, 2, {1, 0, 2, 1, 0, 2}},
        {5, 3, 6, std::nullopt, {5, 0, 1}},
        {1, 10, 4, std::nullopt, {1, 0, 2, 3}}, // one pass over every profile
        {2, 0, 4, std::nullopt, {2}},           // no total: the current profile alone
        {0, 2, 4, 1, {0, 1}},
        {0, 2, 4, 0, {0, 1}},         // fewer than one pass is one pass
        {-1, 3, 4, std::nullopt, {}}, // no profile selected: no cycle
        {4, 3, 4, std::nullopt, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(apn_cycle::cycleList(c.current, c.total, c.profiles, c.passes), c.expected)
            << "current " << c.current << ", total " << c.total << ", profiles " << c.profiles;
}

TEST(ApnCycleList, AnAbsurdPassCountStopsAtABoundedList)
{
    const QList<int> list = apn_cycle::cycleList(0, 3, 3, 2000000000);
    EXPECT_LE(list.size(), 10000);
    EXPECT_EQ(list.size() % 3, 0);
    EXPECT_EQ(list.mid(list.size() - 3), (QList<int>{0, 1, 2}));
}
