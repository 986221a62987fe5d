// The Volume Limit page: a daily, weekly or monthly recurrence from a set
// date, one limit of data or time, the warnings at 25, 50, 75, 80 and 100 %
// and their sound; and its period end, run once when the history tab is set up.
// Until a settings window hosts the page, it is shown in a window of its own.
#include "connection/DialRecordController.h"

#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/LimitControls.h"
#include "connection/RecordPeriod.h"
#include "connection/RecordSettingsKeys.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/PopUpButton.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

using namespace limit_controls;

namespace
{

const QString kVolumeLimitPage = QStringLiteral("Volume Limit");
const QString kSetDateKey = QStringLiteral("StartTimeOfSettings");
const QString kRecurrenceKey = QStringLiteral("RecurrenceRadioTag");
const QString kDayOfWeekKey = QStringLiteral("DayOfWeek");
const QString kDayOfMonthKey = QStringLiteral("DayOfMonth");
const QString kSoundKey = QStringLiteral("WarningForPlaySound");
// The warning check boxes' keys and wording, at 25, 50, 75, 80 and 100 %.
const struct {
    const char* key;
    const char* title;
} kWarnings[] = {
    {"WarningForLimit25", "Warn before 25% of the limit is reached"},
    {"WarningForLimit50", "Warn before 50% of the limit is reached"},
    {"WarningForLimit75", "Warn before 75% of the limit is reached"},
    {"WarningForLimit80", "Warn before the limit is reached"},
    {"WarningForLimit100", "Warn when the limit is reached or exceeded"},
};
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
constexpr double kPageWidth = 440;
constexpr double kPageHeight = 490;
constexpr double kMargin = 16;

int stateOf(bool on)
{
    return on ? ns::OnState : ns::OffState;
}

bool isOn(const ns::Button* check)
{
    return check->state() == ns::OnState;
}

int indexWithin(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

} // namespace

bool DialRecordController::hasVolumeLimitPage() const
{
    return g_SettingController && g_SettingController->sethasModuleWith(kVolumeLimitPage);
}

// ---- the page ----

void DialRecordController::buildVolumeLimitPage()
{
    if (viewVolumeLimit_)
        return;
    wndVolumeLimit_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kPageWidth, kPageHeight),
                                                   ns::TitledWindowMask | ns::ClosableWindowMask);
    viewVolumeLimit_ = new ns::View(ns::Rect(0, 0, kPageWidth, kPageHeight));
    wndVolumeLimit_->contentView()->addSubview(viewVolumeLimit_);
    const double boxWidth = kPageWidth - 2 * kMargin;

    boxVolumePeriod_ =
        box(viewVolumeLimit_, ns::Rect(kMargin, 422, boxWidth, 60), QStringLiteral("Set Period"));
    btnRecurrenceSet_ = checkBox(boxVolumePeriod_, 10, 8, 180, this, QStringLiteral("recurrenceSetClicked:"));
    labelSetDate_ = label(boxVolumePeriod_, 196, 8, 60);
    pickerSetDate_ = datePicker(boxVolumePeriod_, 258, 8, 124);

    boxVolumeRecurrence_ =
        box(viewVolumeLimit_, ns::Rect(kMargin, 298, boxWidth, 118), QStringLiteral("Recurrence"));
    radioRecurrence_ =
        radios(boxVolumeRecurrence_, 10, 6, 150, 3, this, QStringLiteral("recurrenceClicked:"));
    for (int tag = 0; tag < 3; ++tag)
        radioRecurrence_->cellAtRow(tag, 0)->setTag(tag);
    popDayOfWeek_ = popUp(boxVolumeRecurrence_, 170, 38, 130, {});
    for (const char* day : kWeekdays)
        popDayOfWeek_->addItemWithTitle(QString::fromLatin1(day));
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days << QString::number(day);
    popDayOfMonth_ = popUp(boxVolumeRecurrence_, 170, 68, 70, days);

    boxVolumeLimit_ =
        box(viewVolumeLimit_, ns::Rect(kMargin, 206, boxWidth, 86), QStringLiteral("Set Limit"));
    const LimitRows limit =
        limitRows(boxVolumeLimit_, 6, this, QStringLiteral("volumeLimitTypeClicked:"), this);
    radioVolumeLimitType_ = limit.radio;
    fieldVolumeDataLimit_ = limit.dataField;
    fieldVolumeTimeLimit_ = limit.timeField;
    labelVolumeMB_ = limit.dataUnit;
    labelVolumeHours_ = limit.timeUnit;

    boxVolumeWarning_ =
        box(viewVolumeLimit_, ns::Rect(kMargin, 50, boxWidth, 150), QStringLiteral("Set Warnings"));
    for (int i = 0; i < 5; ++i)
        btnWarningForLimit_[i] =
            checkBox(boxVolumeWarning_, 10, 4 + i * 18, boxWidth - 24, nullptr, QString());
    btnWarningForPlaySound_ = checkBox(boxVolumeWarning_, 10, 10 + 5 * 19, boxWidth - 24, nullptr, QString());

    const double right = kPageWidth - kMargin + 6;
    btnVolumeLimitApply_ = pushButton(viewVolumeLimit_, ns::Rect(right - 100, 12, 100, 30), this,
                                      QStringLiteral("recordLimitSetApply:"));
    btnVolumeLimitCancel_ = pushButton(viewVolumeLimit_, ns::Rect(right - 204, 12, 100, 30), this,
                                       QStringLiteral("recordLimitSetCancel:"));
    updateVolumeLimitLanguages();
}

void DialRecordController::updateVolumeLimitLanguages()
{
    if (!viewVolumeLimit_)
        return;
    wndVolumeLimit_->setTitle(localized(kVolumeLimitPage));
    boxVolumePeriod_->setTitle(localized(QStringLiteral("Set Period")));
    btnRecurrenceSet_->setTitle(localized(QStringLiteral("Set the recurrence to")));
    labelSetDate_->setStringValue(localized(QStringLiteral("set date:")));
    boxVolumeRecurrence_->setTitle(localized(QStringLiteral("Recurrence")));
    const char* const recurrences[] = {"Daily", "Weekly", "Monthly"};
    for (int tag = 0; tag < 3; ++tag)
        radioRecurrence_->cellAtRow(tag, 0)->setTitle(localized(QString::fromLatin1(recurrences[tag])));
    for (int day = 0; day < 7; ++day)
        popDayOfWeek_->itemAtIndex(day)->setTitle(localized(QString::fromLatin1(kWeekdays[day])));
    boxVolumeLimit_->setTitle(localized(QStringLiteral("Set Limit")));
    radioVolumeLimitType_->cellAtRow(0, 0)->setTitle(localized(QStringLiteral("Data-Volume Limit:")));
    radioVolumeLimitType_->cellAtRow(1, 0)->setTitle(localized(QStringLiteral("Time-Volume Limit:")));
    labelVolumeMB_->setStringValue(localized(QStringLiteral("MB")));
    labelVolumeHours_->setStringValue(localized(QStringLiteral("Hours")));
    boxVolumeWarning_->setTitle(localized(QStringLiteral("Set Warnings")));
    for (int i = 0; i < 5; ++i)
        btnWarningForLimit_[i]->setTitle(localized(QString::fromLatin1(kWarnings[i].title)));
    btnWarningForPlaySound_->setTitle(localized(QStringLiteral("Play a sound with the warnings")));
    btnVolumeLimitApply_->setTitle(localized(QStringLiteral("Apply")));
    btnVolumeLimitCancel_->setTitle(localized(QStringLiteral("Cancel")));
}

void DialRecordController::showVolumeLimit(ns::Object*)
{
    buildVolumeLimitPage();
    loadRecordSetting();
    if (!wndVolumeLimit_->isVisible())
        wndVolumeLimit_->center();
    wndVolumeLimit_->makeKeyAndOrderFront(this);
}

// ---- set-up ----

void DialRecordController::setUpVolumeLimitPage()
{
    bool added = false;
    if (recordSetting(record_keys::kLastResetTime).isNull()) {
        storeRecordSetting(record_keys::kLastResetTime, ns::Clock::current().now());
        added = true;
    }
    if (recordSetting(record_keys::kResetFlag).isNull()) {
        const QList<QPair<QString, ns::Value>> defaults = {
            {kSetDateKey, QString()},
            {record_keys::kResetFlag, false},
            {record_keys::kLimitSetType, 0},
            {record_keys::kLimitSetValue, 0},
            {kRecurrenceKey, 0},
            {kDayOfWeekKey, 0},
            {kDayOfMonthKey, 0},
            {kWarnings[3].key, false},
            {kWarnings[4].key, false},
        };
        for (const auto& [key, value] : defaults)
            storeRecordSetting(key, value);
        added = true;
    }
    if (added)
        configStore().writeToFile();
    buildVolumeLimitPage();
    loadRecordSetting();
    periodRecordResetWithDayWeekMonth();
}

// ---- loading and enabling ----

void DialRecordController::loadRecordSetting()
{
    if (!viewVolumeLimit_)
        return;
    btnRecurrenceSet_->setState(stateOf(recordSetting(record_keys::kResetFlag).boolValue()));
    const QDateTime setDate = record_period::readStoredDate(recordSetting(kSetDateKey).stringValue());
    pickerSetDate_->setDateValue(setDate.isValid() ? setDate.date()
                                                   : ns::Clock::current().now().toLocalTime().date());
    radioRecurrence_->selectCellAtRow(indexWithin(recordSetting(kRecurrenceKey).intValue(), 3), 0);
    popDayOfWeek_->selectItemAtIndex(indexWithin(recordSetting(kDayOfWeekKey).intValue(), 7));
    popDayOfMonth_->selectItemAtIndex(indexWithin(recordSetting(kDayOfMonthKey).intValue(), 31));
    const int type = indexWithin(recordSetting(record_keys::kLimitSetType).intValue(), 2);
    radioVolumeLimitType_->selectCellAtRow(type, 0);
    const QString value = QString::number(recordSetting(record_keys::kLimitSetValue).intValue());
    fieldVolumeDataLimit_->setStringValue(type == 0 ? value : QStringLiteral("0"));
    fieldVolumeTimeLimit_->setStringValue(type == 1 ? value : QStringLiteral("0"));
    for (int i = 0; i < 5; ++i)
        btnWarningForLimit_[i]->setState(
            stateOf(recordSetting(QString::fromLatin1(kWarnings[i].key)).boolValue()));
    btnWarningForPlaySound_->setState(stateOf(recordSetting(kSoundKey).boolValue()));
    updateVolumeLimitEnabling();
}

void DialRecordController::recordLimitSetCancel(ns::Object*)
{
    loadRecordSetting();
}

void DialRecordController::updateVolumeLimitEnabling()
{
    const bool recurrenceSet = isOn(btnRecurrenceSet_);
    radioRecurrence_->setEnabled(recurrenceSet);
    pickerSetDate_->setEnabled(!recurrenceSet);
    const int tag = radioRecurrence_->selectedRow();
    popDayOfWeek_->setEnabled(tag == record_period::Weekly);
    popDayOfMonth_->setEnabled(tag == record_period::Monthly);
    const bool data = radioVolumeLimitType_->selectedRow() == 0;
    fieldVolumeDataLimit_->setEnabled(data);
    fieldVolumeTimeLimit_->setEnabled(!data);
}

void DialRecordController::recurrenceClicked(ns::Object*)
{
    const int tag = radioRecurrence_->selectedRow();
    if (tag != record_period::Weekly)
        popDayOfWeek_->selectItemAtIndex(0);
    if (tag != record_period::Monthly)
        popDayOfMonth_->selectItemAtIndex(0);
    updateVolumeLimitEnabling();
}

void DialRecordController::recurrenceSetClicked(ns::Object*)
{
    updateVolumeLimitEnabling();
}

void DialRecordController::volumeLimitTypeClicked(ns::Object*)
{
    (radioVolumeLimitType_->selectedRow() == 0 ? fieldVolumeTimeLimit_ : fieldVolumeDataLimit_)
        ->setStringValue(QStringLiteral("0"));
    updateVolumeLimitEnabling();
}

// ---- Apply ----

bool DialRecordController::volumePeriodDiffers() const
{
    const int tag = radioRecurrence_->selectedRow();
    return record_period::storedDayStart(pickerSetDate_->dateValue()) !=
               recordSetting(kSetDateKey).stringValue() ||
           isOn(btnRecurrenceSet_) != recordSetting(record_keys::kResetFlag).boolValue() ||
           tag != recordSetting(kRecurrenceKey).intValue() ||
           (tag == record_period::Weekly &&
            popDayOfWeek_->indexOfSelectedItem() != recordSetting(kDayOfWeekKey).intValue()) ||
           (tag == record_period::Monthly &&
            popDayOfMonth_->indexOfSelectedItem() != recordSetting(kDayOfMonthKey).intValue());
}

bool DialRecordController::volumeLimitDiffers() const
{
    const int type = radioVolumeLimitType_->selectedRow();
    const ns::TextField* field = type == 0 ? fieldVolumeDataLimit_ : fieldVolumeTimeLimit_;
    return type != recordSetting(record_keys::kLimitSetType).intValue() ||
           field->intValue() != recordSetting(record_keys::kLimitSetValue).intValue();
}

bool DialRecordController::volumeWarningsDiffer() const
{
    for (int i = 0; i < 5; ++i)
        if (isOn(btnWarningForLimit_[i]) != recordSetting(QString::fromLatin1(kWarnings[i].key)).boolValue())
            return true;
    return isOn(btnWarningForPlaySound_) != recordSetting(kSoundKey).boolValue();
}

void DialRecordController::recordLimitSetApply(ns::Object*)
{
    const QString warning = localized(QStringLiteral("Warning!"));
    const QString ok = localized(QStringLiteral("OK"));
    const int type = radioVolumeLimitType_->selectedRow();
    const int value = (type == 0 ? fieldVolumeDataLimit_ : fieldVolumeTimeLimit_)->intValue();
    if (value == 0) {
        NSRunAlertPanelExt(warning, localized(QStringLiteral("Please set the volume limit.")), ok, QString());
        return;
    }
    const bool periodDiffers = volumePeriodDiffers();
    if (!periodDiffers && !volumeLimitDiffers() && !volumeWarningsDiffer())
        return;
    if (NSRunAlertPanelExt(warning,
                           localized(QStringLiteral("Are you sure you want to change the limit settings?")),
                           ok, localized(QStringLiteral("Cancel"))) != 1) {
        loadRecordSetting();
        return;
    }
    const bool recurrenceSet = isOn(btnRecurrenceSet_);
    if (recurrenceSet && periodDiffers)
        clearAllRecord();

    storeRecordSetting(kRecurrenceKey, radioRecurrence_->selectedRow());
    if (recurrenceSet)
        storeRecordSetting(kSetDateKey, record_period::storedDayStart(pickerSetDate_->dateValue()));
    storeRecordSetting(record_keys::kResetFlag, recurrenceSet);
    storeRecordSetting(kDayOfWeekKey, popDayOfWeek_->indexOfSelectedItem());
    storeRecordSetting(kDayOfMonthKey, popDayOfMonth_->indexOfSelectedItem());
    configStore().writeToFile();

    storeRecordSetting(record_keys::kLimitSetType, type);
    storeRecordSetting(record_keys::kLimitSetValue, value);
    configStore().writeToFile();

    storeRecordSetting(kSoundKey, isOn(btnWarningForPlaySound_));
    for (int i = 0; i < 5; ++i)
        storeRecordSetting(QString::fromLatin1(kWarnings[i].key), isOn(btnWarningForLimit_[i]));
    configStore().writeToFile();
}

// ---- the period end ----

void DialRecordController::periodRecordResetWithDayWeekMonth()
{
    // Only a recurrence the user set ends periods: the defaults alone never
    // empty the history.
    if (!recordSetting(record_keys::kResetFlag).boolValue())
        return;
    const ns::Value lastReset = recordSetting(record_keys::kLastResetTime);
    const ns::Value fromValue = lastReset.isNull() ? recordSetting(kSetDateKey) : lastReset;
    const QDateTime from = fromValue.isDate() ? fromValue.toDate().toLocalTime()
                                              : record_period::readStoredDate(fromValue.stringValue());
    const QDateTime now = ns::Clock::current().now().toLocalTime();
    const int tag = recordSetting(kRecurrenceKey).intValue();
    const int chosen =
        recordSetting(tag == record_period::Monthly ? kDayOfMonthKey : kDayOfWeekKey).intValue();
    if (!record_period::recurrenceDue(tag, chosen, from, now))
        return;
    const QDateTime midnight(now.date(), QTime(0, 0, 0));
    removeRecordsOfPeriod(from, midnight);
    storeRecordSetting(record_keys::kLastResetTime, midnight);
    configStore().writeToFile();
    updateInterface();
}
