#include "app/config/ConfigFileKeys.h"
#include "connection/DialRecordController.h"
#include "platform/ns/appkit/PopUpButton.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/HistoryTestSupport.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace history_test;

namespace
{

QDateTime at(int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

// The Limits window's period of every seven days from 1 March.
Dictionary everySevenDaysFromMarch1()
{
    return Dictionary{{"Record", Dictionary{{"IfSetRecordResetEveryDays", true},
                                            {"IfSetRecordResetFrequence", false},
                                            {"recordResetPeriod", 6},
                                            {"recordResetStartTime", "2026-03-01 00:00:00"}}}};
}

// What the user does in the Limits window and on the Volume Limit page.
class LimitsUser
{
public:
    explicit LimitsUser(HistoryApp& app) : app_(app), history_(app.history) {}

    // Clicks the control, answering every alert it raises with that button;
    // the texts of the alerts, in order.
    QList<QStringList> click(ns::Control* control, const QString& answer = QStringLiteral("OK"))
    {
        appkit_test::AlertAnswerer answerer(answer);
        appkit_test::click(control);
        return answerer.alerts;
    }
    void chooseRow(ns::Matrix* matrix, int row)
    {
        const ns::Rect frame = matrix->cellFrameAtRow(row, 0);
        appkit_test::click(matrix, {frame.midX(), frame.midY()});
    }
    void type(ns::TextField* field, const QString& text)
    {
        field->editor()->selectAll();
        QTest::keyClicks(field->editor(), text);
        Q_EMIT field->editor()->editingFinished();
    }
    Dictionary stored() const { return app_.settingsOnDisk().value("Record").toDictionary(); }

private:
    HistoryApp& app_;
    DialRecordController& history_;
};

QStringList texts(const QList<QStringList>& alerts)
{
    QStringList all;
    for (const QStringList& alert : alerts)
        all << alert;
    return all;
}

} // namespace

// ---- the period end of the Limits window ----

TEST(LimitsPeriodEnd, EndsAtTheFirstSecondOfTheNextPeriodAndKeepsWhatStartedThen)
{
    HistoryApp app(Array{record("February", at(2, 28, 23, 59, 59), 60), record("first", at(3, 1), 60),
                         record("week", at(3, 7, 23, 59, 59), 60), record("next", at(3, 8), 60)},
                   everySevenDaysFromMarch1(), at(3, 7, 23, 59, 58));
    LimitsUser user(app);
    app.clock.advance(1); // to 7 March 23:59:59
    EXPECT_EQ(namesOf(app.onDisk()), QStringList({"February", "first", "week", "next"}));
    EXPECT_EQ(user.stored().value("recordResetStartTime").toString(), "2026-03-01 00:00:00");

    app.clock.advance(1); // past 8 March 00:00:00
    EXPECT_EQ(namesOf(app.onDisk()), QStringList({"February", "next"}));
    EXPECT_EQ(namesOf(app.history.recordList()), QStringList({"February", "next"}));
    EXPECT_EQ(user.stored().value("recordResetStartTime").toString(), "2026-03-08 00:00:00");
    EXPECT_EQ(user.stored().value("recordLastResetTime").toDate(), at(3, 8));

    // The next period has not ended yet.
    app.clock.advance(60);
    EXPECT_EQ(namesOf(app.onDisk()), QStringList({"February", "next"}));
}

TEST(LimitsPeriodEnd, CoversWholePeriodsOnlyByTheStoredPeriod)
{
    const Array history{record("day 1", at(3, 1), 60), record("day 14", at(3, 14, 23, 59, 59), 60),
                        record("day 15", at(3, 15), 60), record("day 20", at(3, 20, 12), 60)};
    Dictionary monthly{{"IfSetRecordResetFrequence", true},
                       {"recordResetPeriod", "29"},
                       {"recordResetStartTime", "2026-03-01 00:00:00"}};
    Dictionary nullPeriod = everySevenDaysFromMarch1().value("Record").toDictionary().copy();
    nullPeriod.setValue("IfSetRecordResetEveryDays", false);
    Dictionary patterned = everySevenDaysFromMarch1().value("Record").toDictionary().copy();
    patterned.setValue("ResetTimePattern", "%Y-%m-%d");
    const struct {
        const char* name;
        Dictionary settings;
        QDateTime now;
        QStringList left;
        QString start;
    } cases[] = {
        // After 20 days of a 7-day period one end covers 14 days.
        {"seven days",
         everySevenDaysFromMarch1().value("Record").toDictionary(),
         at(3, 21),
         {"day 15", "day 20"},
         "2026-03-15 00:00:00"},
        {"monthly", monthly, at(3, 21), {"day 1", "day 14", "day 15", "day 20"}, "2026-03-01 00:00:00"},
        {"monthly ended", monthly, at(3, 31), {}, "2026-03-31 00:00:00"},
        {"null period",
         nullPeriod,
         at(3, 21),
         {"day 1", "day 14", "day 15", "day 20"},
         "2026-03-01 00:00:00"},
        {"own pattern", patterned, at(3, 21), {"day 15", "day 20"}, "2026-03-15"},
    };
    for (const auto& c : cases) {
        HistoryApp app(history, Dictionary{{"Record", c.settings}}, c.now.addMSecs(-500));
        app.clock.advance(0.5);
        EXPECT_EQ(namesOf(app.onDisk()), c.left) << c.name;
        EXPECT_EQ(LimitsUser(app).stored().value("recordResetStartTime").toString(), c.start) << c.name;
    }
}

TEST(LimitsPeriodEnd, NeverWritesARecordFileItCouldNotRead)
{
    HistoryApp app(Array(), everySevenDaysFromMarch1(), at(3, 8).addSecs(-1));
    const QByteArray garbage("<plist><array><dict><key>starttime");
    {
        QFile file(app.recordFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    app.clock.advance(2);
    QFile file(app.recordFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
    EXPECT_FALSE(QFile::exists(app.recordFile() + ".unreadable"));
    EXPECT_EQ(LimitsUser(app).stored().value("recordResetStartTime").toString(), "2026-03-08 00:00:00");
}

TEST(LimitsPeriodEnd, IsCheckedOnlyWhereTheSettingsHoldAPeriodSwitch)
{
    HistoryApp without;
    const int timers = without.clock.scheduledTimerCount();
    for (const char* key : {"IfSetRecordResetFrequence", "IfSetRecordResetEveryDays"}) {
        // Whatever its value: a period switched on later is checked at once.
        HistoryApp app(Array(), Dictionary{{"Record", Dictionary{{key, false}}}});
        EXPECT_EQ(app.clock.scheduledTimerCount(), timers + 1) << key;
    }
}

// ---- the Limits window ----

TEST(LimitsWindow, RefusesATimeLimitOffTheQuarterHourAndStoresOneOnIt)
{
    HistoryApp app;
    LimitsUser user(app);
    DialRecordController& h = app.history;
    user.click(h.btnLimitsDialRecord_);
    ASSERT_TRUE(h.wndRecordSetting()->isVisible());
    user.click(h.btnRecordEvery_);
    h.popRecordDays_->selectItemAtIndex(6);
    h.pickerRecordStartDay_->setDateValue(QDate(2026, 3, 1));
    user.chooseRow(h.radioRecordLimitType_, 1);
    user.click(h.btnRecordLimitWarn_);
    user.type(h.fieldRecordTimeLimit_, "1,3");
    EXPECT_EQ(texts(user.click(h.btnRecordSettingApply_)),
              QStringList({"Warning", "Value should be a multiple of 0,25 hours (15 minutes)"}));
    EXPECT_EQ(h.fieldRecordTimeLimit_->stringValue(), "0");
    EXPECT_TRUE(user.stored().value("IfSetRecordResetEveryDays").isNull());
    EXPECT_TRUE(h.wndRecordSetting()->isVisible());

    user.type(h.fieldRecordTimeLimit_, "1,25");
    EXPECT_EQ(texts(user.click(h.btnRecordSettingApply_)),
              QStringList({" ", "Meters will be reset in 7 days", " ", "Settings OK"}));
    const Dictionary stored = user.stored();
    EXPECT_TRUE(stored.value("IfSetRecordResetEveryDays").isBool() &&
                stored.value("IfSetRecordResetEveryDays").boolValue());
    EXPECT_FALSE(stored.value("IfSetRecordResetFrequence").boolValue());
    EXPECT_EQ(stored.value("recordResetPeriod"), ns::Value(6));
    EXPECT_EQ(stored.value("recordResetStartTime"), ns::Value("2026-03-01 00:00:00"));
    EXPECT_EQ(stored.value("recordLastResetTime"), ns::Value("0"));
    EXPECT_EQ(stored.value("recordLimitState"), ns::Value(false));
    EXPECT_EQ(stored.value("recordTimeLimit").type(), ns::Value::Type::Real);
    EXPECT_DOUBLE_EQ(stored.value("recordTimeLimit").doubleValue(), 1.25);
    EXPECT_EQ(stored.value("recordLimitWarn"), ns::Value("1"));
    EXPECT_EQ(stored.value("recordLimitDisconnect"), ns::Value("0"));
    EXPECT_EQ(h.fieldRecordTimeLimit_->stringValue(), "1,25");
    EXPECT_FALSE(h.wndRecordSetting()->isVisible());

    // Opened again, the window shows what was stored.
    user.click(h.btnLimitsDialRecord_);
    EXPECT_EQ(h.btnRecordEvery_->state(), ns::OnState);
    EXPECT_EQ(h.popRecordDays_->indexOfSelectedItem(), 6);
    EXPECT_EQ(h.pickerRecordStartDay_->dateValue(), QDate(2026, 3, 1));
    EXPECT_EQ(h.radioRecordLimitType_->selectedRow(), 1);
    EXPECT_EQ(h.fieldRecordTimeLimit_->stringValue(), "1,25");
    EXPECT_EQ(h.btnRecordLimitWarn_->state(), ns::OnState);
}

TEST(LimitsWindow, MonthlyStoresThirtyDaysAndTheDataLimitAndCancelShowsTheStoredSettings)
{
    HistoryApp app;
    LimitsUser user(app);
    DialRecordController& h = app.history;
    user.click(h.btnLimitsDialRecord_);
    user.click(h.btnRecordMonthly_);
    h.pickerRecordStartDay_->setDateValue(QDate(2026, 3, 5));
    user.chooseRow(h.radioRecordLimitType_, 0);
    user.type(h.fieldRecordDataLimit_, "100");
    user.click(h.btnRecordLimitDisconnect_);
    EXPECT_EQ(texts(user.click(h.btnRecordSettingApply_)),
              QStringList({" ", "Meters will be reset in 30 days", " ", "Settings OK"}));
    const Dictionary stored = user.stored();
    EXPECT_EQ(stored.value("IfSetRecordResetFrequence"), ns::Value(true));
    EXPECT_EQ(stored.value("IfSetRecordResetEveryDays"), ns::Value(false));
    EXPECT_TRUE(stored.value("recordResetPeriod").isString());
    EXPECT_EQ(stored.value("recordResetPeriod").stringValue(), "29");
    EXPECT_EQ(stored.value("recordResetStartTime"), ns::Value("2026-03-05 00:00:00"));
    EXPECT_EQ(stored.value("recordLimitState"), ns::Value(true));
    EXPECT_EQ(stored.value("recordDataLimit").type(), ns::Value::Type::Integer);
    EXPECT_EQ(stored.value("recordDataLimit").intValue(), 100);
    EXPECT_EQ(stored.value("recordLimitWarn"), ns::Value("0"));
    EXPECT_EQ(stored.value("recordLimitDisconnect"), ns::Value("1"));

    // Changes never applied go with Cancel.
    user.click(h.btnLimitsDialRecord_);
    EXPECT_EQ(h.popRecordDays_->indexOfSelectedItem(), 29);
    user.click(h.btnRecordMonthly_);
    user.type(h.fieldRecordDataLimit_, "7");
    user.click(h.btnRecordSettingCancel_);
    EXPECT_EQ(h.btnRecordMonthly_->state(), ns::OnState);
    EXPECT_EQ(h.fieldRecordDataLimit_->stringValue(), "100");
    EXPECT_TRUE(h.fieldRecordDataLimit_->isEnabled());
}

TEST(LimitsWindow, ApplyStopsAtAMissingLimitAndANullPeriodDisablesTheRecord)
{
    const struct {
        const char* name;
        bool monthly;
        int limitRow;
        QString dataLimit;
        QStringList alerts;
    } cases[] = {
        {"no data limit", true, 0, "0", {"Warning", "Please set the data volume limit."}},
        {"no time limit", true, 1, "0", {"Warning", "Please set the time limit."}},
        {"null period", false, 0, "100", {" ", "You have choose a null record period to disable the record"}},
    };
    for (const auto& c : cases) {
        HistoryApp app(Array(), Dictionary{{"Record", Dictionary{{"IfSetRecordResetEveryDays", true},
                                                                 {"recordDataLimit", 5}}}});
        LimitsUser user(app);
        DialRecordController& h = app.history;
        user.click(h.btnLimitsDialRecord_);
        user.click(h.btnRecordEvery_); // off
        if (c.monthly)
            user.click(h.btnRecordMonthly_);
        user.chooseRow(h.radioRecordLimitType_, c.limitRow);
        if (c.limitRow == 0)
            user.type(h.fieldRecordDataLimit_, c.dataLimit);
        user.type(h.fieldRecordTimeLimit_, "0");
        EXPECT_EQ(texts(user.click(h.btnRecordSettingApply_)), c.alerts) << c.name;
        const Dictionary stored = user.stored();
        EXPECT_EQ(stored.value("recordDataLimit"), ns::Value(5)) << c.name; // no limit stored
        EXPECT_EQ(stored.value("IfSetRecordResetEveryDays").boolValue(), c.monthly) << c.name;
        EXPECT_EQ(h.wndRecordSetting()->isVisible(), c.monthly) << c.name;
    }
}

TEST(LimitsWindow, ControlsFollowThePeriodAndTheLimitType)
{
    HistoryApp app;
    LimitsUser user(app);
    DialRecordController& h = app.history;
    user.click(h.btnLimitsDialRecord_);
    const QList<ns::Control*> periodControls{h.pickerRecordStartDay_, h.btnRecordLimitWarn_,
                                             h.btnRecordLimitDisconnect_, h.radioRecordLimitType_};
    const auto enabled = [](const QList<ns::Control*>& controls) {
        QList<bool> states;
        for (ns::Control* control : controls)
            states << control->isEnabled();
        return states;
    };
    const QList<bool> allOn(periodControls.size(), true), allOff(periodControls.size(), false);
    EXPECT_EQ(enabled(periodControls), allOff);
    EXPECT_FALSE(h.fieldRecordDataLimit_->isEnabled());

    user.click(h.btnRecordMonthly_);
    EXPECT_FALSE(h.btnRecordEvery_->isEnabled());
    EXPECT_FALSE(h.popRecordDays_->isEnabled());
    EXPECT_EQ(enabled(periodControls), allOn);
    user.chooseRow(h.radioRecordLimitType_, 0);
    EXPECT_TRUE(h.fieldRecordDataLimit_->isEnabled());
    EXPECT_FALSE(h.fieldRecordTimeLimit_->isEnabled());
    user.chooseRow(h.radioRecordLimitType_, 1);
    EXPECT_FALSE(h.fieldRecordDataLimit_->isEnabled());
    EXPECT_TRUE(h.fieldRecordTimeLimit_->isEnabled());

    user.click(h.btnRecordMonthly_); // off
    user.click(h.btnRecordEvery_);
    EXPECT_FALSE(h.btnRecordMonthly_->isEnabled());
    EXPECT_TRUE(h.popRecordDays_->isEnabled());
    EXPECT_EQ(enabled(periodControls), allOn);
    user.click(h.btnRecordEvery_); // off
    EXPECT_TRUE(h.btnRecordMonthly_->isEnabled());
    EXPECT_FALSE(h.popRecordDays_->isEnabled());
    EXPECT_EQ(enabled(periodControls), allOff);
    EXPECT_FALSE(h.fieldRecordTimeLimit_->isEnabled());
}

TEST(LimitsWindow, LimitFieldsTakeDigitsAndACommaUpToSix)
{
    for (const bool wholeHours : {false, true}) {
        HistoryApp app(Array(), Dictionary{{"Record", Dictionary{{"IfSetRecordResetFrequence", true},
                                                                 {"recordTimeLimitOnlyIntValue", wholeHours},
                                                                 {"recordTimeLimit", 2.5}}}});
        LimitsUser user(app);
        DialRecordController& h = app.history;
        user.click(h.btnLimitsDialRecord_);
        EXPECT_EQ(h.fieldRecordTimeLimit_->stringValue(), wholeHours ? "2" : "2,50");
        user.chooseRow(h.radioRecordLimitType_, 1);
        user.type(h.fieldRecordTimeLimit_, "1a,5.x");
        EXPECT_EQ(h.fieldRecordTimeLimit_->stringValue(), wholeHours ? "15" : "1,5");
        user.chooseRow(h.radioRecordLimitType_, 0);
        user.type(h.fieldRecordDataLimit_, "12,345678");
        EXPECT_EQ(h.fieldRecordDataLimit_->stringValue(), "12,345");
        h.fieldRecordDataLimit_->editor()->selectAll();
        QTest::keyClick(h.fieldRecordDataLimit_->editor(), Qt::Key_Backspace);
        EXPECT_EQ(h.fieldRecordDataLimit_->stringValue(), "0");
    }
}

// ---- the Volume Limit page ----

namespace
{

// A build that lists the Volume Limit page.
struct VolumeLimitBuild {
    VolumeLimitBuild() { settings.pages = QStringList{"Volume Limit"}; }
    device_test::FakeSettings settings;
};

Dictionary weeklyOnMonday(const ns::Value& lastReset)
{
    return Dictionary{{"Record", Dictionary{{"RecordResetFlag", true},
                                            {"StartTimeOfSettings", "2026-02-23 00:00:00"},
                                            {"RecurrenceRadioTag", 1},
                                            {"DayOfWeek", 1},
                                            {"recordLastResetTime", lastReset}}}};
}

} // namespace

TEST(VolumeLimitPage, SetUpFillsInTheDefaultsOnce)
{
    VolumeLimitBuild build;
    HistoryApp app;
    const Dictionary stored = LimitsUser(app).stored();
    EXPECT_EQ(stored.value("recordLastResetTime").toDate(), kNow);
    for (const char* key : {"RecordResetFlag", "WarningForLimit80", "WarningForLimit100"})
        EXPECT_EQ(stored.value(key), ns::Value(false)) << key;
    for (const char* key : {"LimitSetType", "LimitSetValue", "RecurrenceRadioTag", "DayOfWeek", "DayOfMonth"})
        EXPECT_EQ(stored.value(key), ns::Value(0)) << key;
    EXPECT_EQ(stored.value("StartTimeOfSettings"), ns::Value(""));
    EXPECT_TRUE(stored.value("WarningForLimit25").isNull());

    // The history tab's Limits button opens the page.
    LimitsUser(app).click(app.history.btnLimitsDialRecord_);
    EXPECT_TRUE(app.history.wndVolumeLimit()->isVisible());
    EXPECT_FALSE(app.history.wndRecordSetting()->isVisible());
}

TEST(VolumeLimitPage, WeeklyOnMondayEndsThePeriodOnTheNextMondayOnly)
{
    const Array history{record("before", at(3, 1, 23), 60), record("Monday", at(3, 2), 60),
                        record("Sunday", at(3, 8, 23, 59, 59), 60), record("today", at(3, 9), 60)};
    const struct {
        QDateTime now;
        bool recurrenceSet;
        QStringList left;
        QDateTime lastReset;
    } cases[] = {
        {at(3, 3, 10), true, {"before", "Monday", "Sunday", "today"}, at(3, 2)},
        {at(3, 9, 10), true, {"before", "today"}, at(3, 9)},
        // Without the recurrence set the history stays.
        {at(3, 9, 10), false, {"before", "Monday", "Sunday", "today"}, at(3, 2)},
    };
    for (const auto& c : cases) {
        VolumeLimitBuild build;
        Dictionary settings = weeklyOnMonday(at(3, 2));
        settings.value("Record").toDictionary().setValue("RecordResetFlag", c.recurrenceSet);
        HistoryApp app(history, settings, c.now);
        EXPECT_EQ(namesOf(app.onDisk()), c.left) << c.now.toString().toStdString();
        EXPECT_EQ(namesOf(app.history.recordList()), c.left) << c.now.toString().toStdString();
        EXPECT_EQ(LimitsUser(app).stored().value("recordLastResetTime").toDate(), c.lastReset);
    }
}

TEST(VolumeLimitPage, ApplyAsksOnlyForAChangeAndStoresItByGroup)
{
    VolumeLimitBuild build;
    HistoryApp app(Array{record("kept", at(3, 10), 60)}, weeklyOnMonday("2026-03-09 00:00:00"));
    LimitsUser user(app);
    DialRecordController& h = app.history;
    user.click(h.btnLimitsDialRecord_);
    EXPECT_EQ(h.radioRecurrence_->selectedRow(), 1);
    EXPECT_TRUE(h.popDayOfWeek_->isEnabled());
    EXPECT_FALSE(h.popDayOfMonth_->isEnabled());
    EXPECT_FALSE(h.pickerSetDate_->isEnabled());

    // No limit: refused.
    EXPECT_EQ(texts(user.click(h.btnVolumeLimitApply_)),
              QStringList({"Warning!", "Please set the volume limit."}));
    // A limit and a warning: asked; Cancel shows the settings again.
    user.type(h.fieldVolumeDataLimit_, "500");
    user.click(h.btnWarningForLimit_[1]);
    EXPECT_EQ(texts(user.click(h.btnVolumeLimitApply_, "Cancel")),
              QStringList({"Warning!", "Are you sure you want to change the limit settings?"}));
    EXPECT_EQ(h.fieldVolumeDataLimit_->stringValue(), "0");
    EXPECT_EQ(h.btnWarningForLimit_[1]->state(), ns::OffState);

    // OK stores the limit and the warnings; the period is unchanged, so the history stays.
    user.type(h.fieldVolumeDataLimit_, "500");
    user.click(h.btnWarningForLimit_[1]);
    EXPECT_EQ(user.click(h.btnVolumeLimitApply_).size(), 1);
    Dictionary stored = user.stored();
    EXPECT_EQ(stored.value("LimitSetType"), ns::Value(0));
    EXPECT_EQ(stored.value("LimitSetValue"), ns::Value(500));
    EXPECT_EQ(stored.value("WarningForLimit50"), ns::Value(true));
    EXPECT_EQ(stored.value("WarningForPlaySound"), ns::Value(false));
    EXPECT_EQ(namesOf(app.onDisk()), QStringList({"kept"}));
    // Nothing changed since: no question.
    EXPECT_TRUE(user.click(h.btnVolumeLimitApply_).isEmpty());

    // A new recurrence: the disabled box goes back to its first entry, and
    // the history of the old one goes.
    user.chooseRow(h.radioRecurrence_, 2);
    EXPECT_FALSE(h.popDayOfWeek_->isEnabled());
    EXPECT_EQ(h.popDayOfWeek_->indexOfSelectedItem(), 0);
    h.popDayOfMonth_->selectItemAtIndex(14);
    user.chooseRow(h.radioVolumeLimitType_, 1);
    EXPECT_EQ(h.fieldVolumeDataLimit_->stringValue(), "0");
    user.type(h.fieldVolumeTimeLimit_, "12");
    EXPECT_EQ(user.click(h.btnVolumeLimitApply_).size(), 1);
    stored = user.stored();
    EXPECT_EQ(stored.value("RecurrenceRadioTag"), ns::Value(2));
    EXPECT_EQ(stored.value("DayOfWeek"), ns::Value(0));
    EXPECT_EQ(stored.value("DayOfMonth"), ns::Value(14));
    EXPECT_EQ(stored.value("LimitSetType"), ns::Value(1));
    EXPECT_EQ(stored.value("LimitSetValue"), ns::Value(12));
    EXPECT_TRUE(app.onDisk().isEmpty());

    // The check box off: the set date can be chosen, the recurrence not.
    user.click(h.btnRecurrenceSet_);
    EXPECT_TRUE(h.pickerSetDate_->isEnabled());
    EXPECT_FALSE(h.radioRecurrence_->isEnabled());
}
