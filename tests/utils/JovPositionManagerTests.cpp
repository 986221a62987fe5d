#include "app/utils/JovPositionManager.h"

#include <gtest/gtest.h>

namespace
{

JovPositionManager smsPlaces()
{
    JovPositionManager places;
    places.addJovpositionWithPositionName("AT_PC", 0, 0);
    places.addJovpositionWithPositionName("AT_SIM", 1, 1);
    places.addJovpositionWithPositionName("AT_ME", 2, 4);
    places.addJovpositionWithPositionName("AT_SIM", 5, 7); // a duplicate name: never the answer
    return places;
}

} // namespace

TEST(JovPositionManager, EmptyManagerFindsNothing)
{
    const JovPositionManager places;
    EXPECT_EQ(places.positionCount(), 0);
    EXPECT_EQ(places.getPositionByPositionName("AT_PC"), -1);
    EXPECT_EQ(places.getPositionByPositionOrder(0), -1);
    EXPECT_EQ(places.getPositionOrderByPositon(0), -1);
    EXPECT_EQ(places.getPositionOrderByPositonName("AT_PC"), -1);
    EXPECT_FALSE(places.hasPosition(0));
}

TEST(JovPositionManager, NamedLookups)
{
    const JovPositionManager places = smsPlaces();
    struct Case {
        const char* lookup;
        int answer;
        int expected;
    };
    const Case cases[] = {
        {"code of AT_SIM (first added wins)", places.getPositionByPositionName("AT_SIM"), 1},
        {"code of AT_ME", places.getPositionByPositionName("AT_ME"), 4},
        {"code of unknown name", places.getPositionByPositionName("AT_TCARD"), -1},
        {"code at order 1", places.getPositionByPositionOrder(1), 1},
        {"code at order 2", places.getPositionByPositionOrder(2), 4},
        {"code at missing order", places.getPositionByPositionOrder(3), -1},
        {"order of code 4", places.getPositionOrderByPositon(4), 2},
        {"order of missing code 3", places.getPositionOrderByPositon(3), -1},
        {"order of AT_SIM (first added wins)", places.getPositionOrderByPositonName("AT_SIM"), 1},
        {"order of unknown name", places.getPositionOrderByPositonName("AT_TCARD"), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, c.expected) << c.lookup;
    EXPECT_TRUE(places.hasPosition(4));
    EXPECT_FALSE(places.hasPosition(3));
}

TEST(JovPositionManager, GeneralLookupServesOnlyItsFourPairs)
{
    const JovPositionManager places = smsPlaces();
    struct Case {
        QString key;
        ns::Value value;
        QString result;
        int expected;
    };
    const Case cases[] = {
        {"positoinName", "AT_ME", "positoin", 4},
        {"positoinoOrder", 2, "positoin", 4},
        {"positoin", 4, "positoinoOrder", 2},
        {"positoinName", "AT_ME", "positoinoOrder", 2},
        {"positoin", "4", "positoinoOrder", 2}, // the value's int value counts
        {"positoin", 4, "positoin", -1},
        {"positoinoOrder", 2, "positoinoOrder", -1},
        {"positoinName", "AT_ME", "positoinName", -1},
        {"positionName", "AT_ME", "positoin", -1},
        {QString(), "AT_ME", "positoin", -1},
        {"positoinName", "AT_ME", QString(), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(places.getValueByKey(c.key, c.value, c.result), c.expected)
            << qPrintable(c.key) << " -> " << qPrintable(c.result);
}

TEST(JovPositionManager, AllPositionsIsTheLiveList)
{
    JovPositionManager places = smsPlaces();
    places.getAllPositions().first().setPosition(9);
    EXPECT_EQ(places.getPositionByPositionName("AT_PC"), 9);
    EXPECT_EQ(places.positionCount(), 4);
}
