// The Limits window: a period of 30 days ("Monthly") or of N days ("Every"
// N "Days") from a starting day, one limit of data or time, the warning and
// the disconnect switches; and the period end that the half-second timer runs.
#include "connection/DialRecordController.h"

#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/LimitControls.h"
#include "connection/RecordPeriod.h"
#include "connection/RecordSettingsKeys.h"
#include "platform/ns/Clock.h"
#include "platform/ns/DateFormatter.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/PopUpButton.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <algorithm>

using namespace limit_controls;

namespace
{

const QString kTimeOnlyIntKey = QStringLiteral("recordTimeLimitOnlyIntValue");
// The days box lists 1 to this many days; Monthly stores the entry of 30.
constexpr int kDaysInBox = 90;
const QString kMonthlyPeriodIndex = QStringLiteral("29");
constexpr double kLimitsWidth = 440;
constexpr double kLimitsHeight = 352;
constexpr double kMargin = 16;
constexpr double kTimerInterval = 0.5;

} // namespace

ns::Value DialRecordController::recordSetting(const QString& key) const
{
    return configStore().getConfigurationByModuleAndKey(record_keys::kRecord, key);
}

void DialRecordController::storeRecordSetting(const QString& key, const ns::Value& value)
{
    configStore().setConfigurationByModuleKeyAndValue(record_keys::kRecord, key, value);
}

// ---- the window ----

void DialRecordController::buildLimitsWindow()
{
    if (wndRecordSetting_)
        return;
    wndRecordSetting_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kLimitsWidth, kLimitsHeight),
                                                     ns::TitledWindowMask | ns::ClosableWindowMask);
    ns::View* content = wndRecordSetting_->contentView();
    const double boxWidth = kLimitsWidth - 2 * kMargin;

    boxRecordPeriod_ = box(content, ns::Rect(kMargin, 226, boxWidth, 112), QStringLiteral("Set Period"));
    btnRecordMonthly_ = checkBox(boxRecordPeriod_, 10, 8, 200, this, QStringLiteral("recordPeriodClicked:"));
    btnRecordEvery_ = checkBox(boxRecordPeriod_, 10, 36, 80, this, QStringLiteral("recordPeriodClicked:"));
    QStringList days;
    for (int day = 1; day <= kDaysInBox; ++day)
        days << QString::number(day);
    popRecordDays_ = popUp(boxRecordPeriod_, 96, 36, 70, days);
    labelRecordDays_ = label(boxRecordPeriod_, 174, 36, 100);
    labelRecordStartDay_ = label(boxRecordPeriod_, 10, 64, 110);
    pickerRecordStartDay_ = datePicker(boxRecordPeriod_, 126, 62, 130);

    boxRecordLimit_ = box(content, ns::Rect(kMargin, 134, boxWidth, 86), QStringLiteral("Set Limit"));
    const LimitRows limit =
        limitRows(boxRecordLimit_, 6, this, QStringLiteral("recordLimitTypeClicked:"), this);
    radioRecordLimitType_ = limit.radio;
    fieldRecordDataLimit_ = limit.dataField;
    fieldRecordTimeLimit_ = limit.timeField;
    labelRecordMB_ = limit.dataUnit;
    labelRecordHours_ = limit.timeUnit;

    boxRecordWarning_ = box(content, ns::Rect(kMargin, 52, boxWidth, 76), QStringLiteral("Set Warnings"));
    btnRecordLimitWarn_ = checkBox(boxRecordWarning_, 10, 8, boxWidth - 24, nullptr, QString());
    btnRecordLimitDisconnect_ = checkBox(boxRecordWarning_, 10, 32, boxWidth - 24, nullptr, QString());

    const double right = kLimitsWidth - kMargin + 6;
    btnRecordSettingApply_ =
        pushButton(content, ns::Rect(right - 100, 12, 100, 30), this, QStringLiteral("recordSettingApply:"));
    btnRecordSettingCancel_ =
        pushButton(content, ns::Rect(right - 204, 12, 100, 30), this, QStringLiteral("recordSettingCancel:"));
    updateLimitsLanguages();
}

void DialRecordController::updateLimitsLanguages()
{
    if (!wndRecordSetting_)
        return;
    wndRecordSetting_->setTitle(localized(QStringLiteral("Limits")));
    boxRecordPeriod_->setTitle(localized(QStringLiteral("Set Period")));
    btnRecordMonthly_->setTitle(localized(QStringLiteral("Monthly")));
    btnRecordEvery_->setTitle(localized(QStringLiteral("Every")));
    labelRecordDays_->setStringValue(localized(QStringLiteral("Days")));
    labelRecordStartDay_->setStringValue(localized(QStringLiteral("Starting Day:")));
    boxRecordLimit_->setTitle(localized(QStringLiteral("Set Limit")));
    radioRecordLimitType_->cellAtRow(0, 0)->setTitle(localized(QStringLiteral("Data-Volume Limit:")));
    radioRecordLimitType_->cellAtRow(1, 0)->setTitle(localized(QStringLiteral("Time-Volume Limit:")));
    labelRecordMB_->setStringValue(localized(QStringLiteral("MB")));
    labelRecordHours_->setStringValue(localized(QStringLiteral("Hours")));
    boxRecordWarning_->setTitle(localized(QStringLiteral("Set Warnings")));
    btnRecordLimitWarn_->setTitle(localized(QStringLiteral("Warn when reaching 80% of the limit")));
    btnRecordLimitDisconnect_->setTitle(localized(QStringLiteral("Disconnect when the limit is reached")));
    btnRecordSettingApply_->setTitle(localized(QStringLiteral("Apply")));
    btnRecordSettingCancel_->setTitle(localized(QStringLiteral("Cancel")));
}

void DialRecordController::showSetLimit(ns::Object*)
{
    buildLimitsWindow();
    loadDefaultRecordSetting();
    if (!wndRecordSetting_->isVisible())
        wndRecordSetting_->center();
    wndRecordSetting_->makeKeyAndOrderFront(this);
}

void DialRecordController::recordSettingCancel(ns::Object*)
{
    loadDefaultRecordSetting();
}

void DialRecordController::recordSettingBack(ns::Object*)
{
    if (wndRecordSetting_)
        wndRecordSetting_->orderOut(this);
    updateInterface();
    notifyChangeTabViewItem(QStringLiteral("DialRecord"));
}

// ---- loading and enabling ----

QString DialRecordController::readRecordTimeLimit(double hours) const
{
    return record_period::readRecordTimeLimit(hours, recordSetting(kTimeOnlyIntKey).boolValue());
}

void DialRecordController::loadDefaultRecordSetting()
{
    if (!wndRecordSetting_)
        return;
    btnRecordMonthly_->setState(recordSetting(record_keys::kResetMonthly).boolValue() ? ns::OnState
                                                                                      : ns::OffState);
    btnRecordEvery_->setState(recordSetting(record_keys::kResetEveryDays).boolValue() ? ns::OnState
                                                                                      : ns::OffState);
    const int index = recordSetting(record_keys::kResetPeriod).intValue();
    popRecordDays_->selectItemAtIndex(index >= 0 && index < popRecordDays_->numberOfItems() ? index : 0);
    const QDateTime start =
        record_period::readStoredDate(recordSetting(record_keys::kResetStartTime).stringValue());
    pickerRecordStartDay_->setDateValue(start.isValid() ? start.date()
                                                        : ns::Clock::current().now().toLocalTime().date());
    radioRecordLimitType_->selectCellAtRow(
        recordSetting(QStringLiteral("recordLimitState")).boolValue() ? 0 : 1, 0);
    fieldRecordDataLimit_->setStringValue(
        QString::number(recordSetting(QStringLiteral("recordDataLimit")).intValue()));
    fieldRecordTimeLimit_->setStringValue(record_period::withDecimalComma(
        readRecordTimeLimit(recordSetting(QStringLiteral("recordTimeLimit")).doubleValue())));
    btnRecordLimitWarn_->setState(recordSetting(QStringLiteral("recordLimitWarn")).intValue() ? ns::OnState
                                                                                              : ns::OffState);
    btnRecordLimitDisconnect_->setState(
        recordSetting(QStringLiteral("recordLimitDisconnect")).intValue() ? ns::OnState : ns::OffState);
    updateRecordSettingEnabling();
}

void DialRecordController::updateRecordSettingEnabling()
{
    const bool monthly = btnRecordMonthly_->state() == ns::OnState;
    const bool every = btnRecordEvery_->state() == ns::OnState;
    const bool period = monthly || every;
    const bool data = radioRecordLimitType_->selectedRow() == 0;
    btnRecordMonthly_->setEnabled(!every);
    btnRecordEvery_->setEnabled(!monthly);
    popRecordDays_->setEnabled(every);
    for (ns::Control* control : QList<ns::Control*>{pickerRecordStartDay_, btnRecordLimitWarn_,
                                                    btnRecordLimitDisconnect_, radioRecordLimitType_})
        control->setEnabled(period);
    fieldRecordDataLimit_->setEnabled(period && data);
    fieldRecordTimeLimit_->setEnabled(period && !data);
}

void DialRecordController::recordPeriodClicked(ns::Object*)
{
    updateRecordSettingEnabling();
}

void DialRecordController::recordLimitTypeClicked(ns::Object*)
{
    updateRecordSettingEnabling();
}

void DialRecordController::controlTextDidChange(const ns::Notification& notification)
{
    auto* field = dynamic_cast<ns::TextField*>(notification.object());
    if (!field)
        return;
    bool digitsOnly = false;
    if (field == fieldRecordTimeLimit_)
        digitsOnly = recordSetting(kTimeOnlyIntKey).boolValue();
    else if (field != fieldRecordDataLimit_ && field != fieldVolumeDataLimit_ &&
             field != fieldVolumeTimeLimit_)
        return;
    const QString filtered = record_period::filterLimitText(field->stringValue(), digitsOnly);
    if (filtered != field->stringValue())
        field->setStringValue(filtered);
}

// ---- Apply ----

void DialRecordController::recordSettingApply(ns::Object*)
{
    const QString ok = localized(QStringLiteral("OK"));
    const double hours = record_period::readDecimalField(fieldRecordTimeLimit_->stringValue());
    if (btnRecordMonthly_->state() != ns::OnState && btnRecordEvery_->state() != ns::OnState) {
        storeRecordSetting(record_keys::kResetMonthly, false);
        storeRecordSetting(record_keys::kResetEveryDays, false);
        configStore().writeToFile();
        NSRunAlertPanelExt(
            QStringLiteral(" "),
            localized(QStringLiteral("You have choose a null record period to disable the record")), ok,
            QString());
        recordSettingBack(this);
        return;
    }
    const QString warning = localized(QStringLiteral("Warning"));
    if (radioRecordLimitType_->selectedRow() == 1) {
        if (hours == 0) {
            NSRunAlertPanelExt(warning, localized(QStringLiteral("Please set the time limit.")), ok,
                               QString());
            return;
        }
        if (!record_period::isQuarterHourMultiple(hours)) {
            NSRunAlertPanelExt(
                warning, localized(QStringLiteral("Value should be a multiple of 0,25 hours (15 minutes)")),
                ok, QString());
            fieldRecordTimeLimit_->setStringValue(QStringLiteral("0"));
            return;
        }
    } else if (fieldRecordDataLimit_->intValue() == 0) {
        NSRunAlertPanelExt(warning, localized(QStringLiteral("Please set the data volume limit.")), ok,
                           QString());
        return;
    }
    setResetPeriod();
    setRecordLimit();
    NSRunAlertPanelExt(QStringLiteral(" "), localized(QStringLiteral("Settings OK")), ok, QString());
    const QString shown = readRecordTimeLimit(hours);
    if (shown == u"-0.00" || shown == u"0.00" || shown == u"-0") {
        fieldRecordTimeLimit_->setStringValue(QStringLiteral("0"));
        return;
    }
    fieldRecordTimeLimit_->setStringValue(record_period::withDecimalComma(shown));
    recordSettingBack(this);
}

void DialRecordController::setResetPeriod()
{
    const QString ok = localized(QStringLiteral("OK"));
    const QString startDay = record_period::storedDayStart(pickerRecordStartDay_->dateValue());
    const ns::Value noReset(QStringLiteral("0"));
    if (btnRecordMonthly_->state() == ns::OnState) {
        storeRecordSetting(record_keys::kResetMonthly, true);
        storeRecordSetting(record_keys::kResetEveryDays, false);
        storeRecordSetting(record_keys::kLastResetTime, noReset);
        storeRecordSetting(record_keys::kResetPeriod, kMonthlyPeriodIndex);
        storeRecordSetting(record_keys::kResetStartTime, startDay);
        configStore().writeToFile();
        NSRunAlertPanelExt(QStringLiteral(" "), localized(QStringLiteral("Meters will be reset in 30 days")),
                           ok, QString());
    } else {
        storeRecordSetting(record_keys::kResetMonthly, false);
        storeRecordSetting(record_keys::kLastResetTime, noReset);
    }
    if (btnRecordEvery_->state() == ns::OnState) {
        storeRecordSetting(record_keys::kResetMonthly, false);
        storeRecordSetting(record_keys::kResetEveryDays, true);
        storeRecordSetting(record_keys::kLastResetTime, noReset);
        storeRecordSetting(record_keys::kResetPeriod, popRecordDays_->indexOfSelectedItem());
        storeRecordSetting(record_keys::kResetStartTime, startDay);
        configStore().writeToFile();
        NSRunAlertPanelExt(QStringLiteral(" "),
                           localized(QStringLiteral("Meters will be reset in %d days"))
                               .replace(QStringLiteral("%d"), popRecordDays_->titleOfSelectedItem()),
                           ok, QString());
    } else {
        storeRecordSetting(record_keys::kResetEveryDays, false);
        storeRecordSetting(record_keys::kLastResetTime, noReset);
    }
    configStore().writeToFile();
}

void DialRecordController::setRecordLimit()
{
    if (radioRecordLimitType_->selectedRow() == 0) {
        storeRecordSetting(QStringLiteral("recordLimitState"), true);
        storeRecordSetting(QStringLiteral("recordDataLimit"), fieldRecordDataLimit_->intValue());
    } else {
        storeRecordSetting(QStringLiteral("recordLimitState"), false);
        storeRecordSetting(QStringLiteral("recordTimeLimit"),
                           record_period::readDecimalField(fieldRecordTimeLimit_->stringValue()));
    }
    const auto flag = [](ns::Button* check) {
        return ns::Value(check->state() == ns::OnState ? QStringLiteral("1") : QStringLiteral("0"));
    };
    storeRecordSetting(QStringLiteral("recordLimitWarn"), flag(btnRecordLimitWarn_));
    storeRecordSetting(QStringLiteral("recordLimitDisconnect"), flag(btnRecordLimitDisconnect_));
    configStore().writeToFile();
}

// ---- the period end ----

void DialRecordController::startPeriodResetTimer()
{
    if (periodResetTimer_ || (recordSetting(record_keys::kResetMonthly).isNull() &&
                              recordSetting(record_keys::kResetEveryDays).isNull()))
        return;
    periodResetTimer_ =
        ns::Timer::scheduledTimer(kTimerInterval, true, [this](ns::Timer&) { periodRecordReset(); });
}

void DialRecordController::periodRecordReset()
{
    if (recordSetting(record_keys::kResetMonthly).boolValue() ||
        recordSetting(record_keys::kResetEveryDays).boolValue()) {
        // The days the stored period lasts (the days box shows them from the
        // stored entry), not an entry chosen in the window and never applied.
        const int days = std::max(recordSetting(record_keys::kResetPeriod).intValue() + 1, 1);
        const QDateTime start =
            record_period::readStoredDate(recordSetting(record_keys::kResetStartTime).stringValue());
        if (const std::optional<QDateTime> end =
                record_period::periodEnd(start, ns::Clock::current().now().toLocalTime(), days)) {
            removeRecordsOfPeriod(start, *end);
            storeRecordSetting(record_keys::kLastResetTime, *end);
            const QString pattern = recordSetting(QStringLiteral("ResetTimePattern")).stringValue();
            storeRecordSetting(record_keys::kResetStartTime,
                               ns::descriptionWithCalendarFormat(
                                   *end, pattern.isEmpty() ? record_period::kStoredDateFormat : pattern));
            configStore().writeToFile();
        }
    }
    updateInterface();
}

void DialRecordController::removeRecordsOfPeriod(const QDateTime& from, const QDateTime& end)
{
    DialRecordFile& file = historyFile();
    // A file that could not be read is left as it is, for the user to recover.
    if (file.isUnreadable())
        return;
    ns::Array records = file.records().copy();
    if (record_period::removeRecordsStartedIn(records, from, end) > 0)
        file.write(records);
}
