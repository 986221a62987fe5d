#include "connection/RecordPeriod.h"

#include <gtest/gtest.h>

#include <QDateTime>

using namespace record_period;

namespace
{

QDateTime at(int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

ns::Dictionary startedAt(const QString& name, const QDateTime& start)
{
    return ns::Dictionary{{"connectname", name}, {"starttime", start}, {"connecttime", 60}};
}

} // namespace

TEST(RecordPeriod, EndsAfterWholeRunsOfThePeriodOnly)
{
    const QDateTime march1 = at(3, 1);
    const struct {
        QDateTime start;
        QDateTime now;
        int days;
        std::optional<QDateTime> end;
    } cases[] = {
        {march1, at(3, 7, 23, 59, 59), 7, std::nullopt},
        {march1, at(3, 8), 7, at(3, 8)},
        // After 20 days of a 7-day period one end covers 14 days.
        {march1, at(3, 21), 7, at(3, 15)},
        {march1, at(3, 31, 12), 30, at(3, 31)},
        {march1, at(3, 1, 23, 59, 59), 1, std::nullopt},
        {march1, at(3, 4, 6), 1, at(3, 4)},
        {QDateTime(), at(3, 8), 7, std::nullopt},
        {march1, at(4, 8), 0, std::nullopt},
        {at(3, 9), at(3, 8), 7, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(periodEnd(c.start, c.now, c.days), c.end)
            << c.start.toString().toStdString() << " to " << c.now.toString().toStdString() << " by "
            << c.days;
}

TEST(RecordPeriod, RecurrenceComesRoundOnItsDayWeekdayOrDayOfTheMonth)
{
    // 2 March 2026 is a Monday (weekday index 1); April has no day 31.
    const QDateTime monday = at(3, 2);
    const struct {
        int tag;
        int chosen;
        QDateTime from;
        QDateTime now;
        bool due;
    } cases[] = {
        {Daily, 0, monday, at(3, 2, 23, 59, 59), false}, {Daily, 0, monday, at(3, 3), true},
        {Weekly, 1, monday, at(3, 3, 9), false},         {Weekly, 1, monday, at(3, 9, 9), true},
        {Weekly, 4, monday, at(3, 6, 9), true},  // Thursday lay between
        {Weekly, 0, monday, at(3, 7, 9), false}, // Sunday not yet
        {Weekly, 0, monday, at(3, 10, 1), true}, // more than 7 days
        {Monthly, 14, at(4, 1), at(4, 16), true},        {Monthly, 14, at(4, 1), at(4, 14, 23), false},
        {Monthly, 30, at(4, 1), at(5, 1, 12), false}, // day 31 late in a short month
        {Monthly, 30, at(4, 1), at(5, 3), true},         {3, 0, monday, at(4, 20), false},
        {Daily, 0, QDateTime(), at(3, 3), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recurrenceDue(c.tag, c.chosen, c.from, c.now), c.due)
            << "tag " << c.tag << " index " << c.chosen << " from " << c.from.toString().toStdString()
            << " at " << c.now.toString().toStdString();
}

TEST(RecordPeriod, RemovesTheRecordsOfThePeriodAndKeepsOneStartedAtItsEnd)
{
    ns::Array records{startedAt("before", at(3, 1).addSecs(-1)),
                      startedAt("first", at(3, 1)),
                      startedAt("last", at(3, 7, 23, 59, 59)),
                      startedAt("next", at(3, 8)),
                      ns::Value("not a record"),
                      ns::Dictionary{{"connectname", "undated"}}};
    EXPECT_EQ(removeRecordsStartedIn(records, at(3, 1), at(3, 8)), 2);
    QStringList left;
    for (const ns::Value& value : records)
        left << value.toDictionary().value("connectname").toString();
    EXPECT_EQ(left, QStringList({"before", "next", "", "undated"}));
}

TEST(RecordPeriod, LimitFieldsKeepTheirCharactersAndQuarterHours)
{
    const struct {
        QString typed;
        bool digitsOnly;
        QString kept;
    } filters[] = {
        {"12a,5", false, "12,5"}, {"1234567", false, "123456"}, {"x", false, "0"},
        {"", false, "0"},         {"1,5", true, "15"},          {"1.5", false, "15"},
    };
    for (const auto& f : filters)
        EXPECT_EQ(filterLimitText(f.typed, f.digitsOnly), f.kept) << f.typed.toStdString();

    EXPECT_DOUBLE_EQ(readDecimalField("1,25"), 1.25);
    EXPECT_TRUE(isQuarterHourMultiple(readDecimalField("1,25")));
    EXPECT_FALSE(isQuarterHourMultiple(readDecimalField("1,3")));
    EXPECT_TRUE(isQuarterHourMultiple(readDecimalField("3")));
    EXPECT_EQ(withDecimalComma(readRecordTimeLimit(1.25, false)), "1,25");
    EXPECT_EQ(readRecordTimeLimit(2, true), "2");
    EXPECT_EQ(readRecordTimeLimit(-0.0, false), "-0.00");
}

TEST(RecordPeriod, StoredDatesReadOnlyInTheirOwnForm)
{
    EXPECT_EQ(readStoredDate("2026-03-01 00:00:00"), at(3, 1));
    EXPECT_EQ(readStoredDate(storedDayStart(QDate(2026, 3, 8))), at(3, 8));
    for (const QString& text : {QString("0"), QString(), QString("2026-03-01"), QString("1 March 2026")})
        EXPECT_FALSE(readStoredDate(text).isValid()) << text.toStdString();
}
