#pragma once

#include "app/config/ConfigService.h"
#include "app/interfaces/DialRecordControlling.h"
#include "app/ui/controller/JOVUIController.h"
#include "connection/DialRecordFile.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/TableView.h"
#include "platform/ns/appkit/TextField.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

namespace ns
{
class Box;
class Button;
class DatePicker;
class Matrix;
class Notification;
class PopUpButton;
class SavePanel;
class Timer;
class View;
class Window;
} // namespace ns

// The connection history: the "DialRecord" tab with its table of ended
// connections, the period filter, the totals, deleting, the duration mode
// and the export to a text or CSV file; and the history's operations that
// the dial controller, the limits and the statistics use. Exactly one
// exists, published in g_DialRecordController.
//
// Spread over DialRecordController.cpp (life, the record files, totals and
// the operations other features call), DialRecordControllerNib.cpp (the tab
// and its wording), DialRecordControllerActions.cpp (the table, Show,
// Delete, Reset, the duration mode and the export), DialRecordControllerLimits.cpp
// (the Limits window and the period end every half second) and
// DialRecordControllerVolumeLimit.cpp (the Volume Limit page and its
// recurrence by day, week or month).
class DialRecordController : public JOVUIController,
                             public DialRecordControlling,
                             public ns::TableViewDataSource,
                             public ns::TableViewDelegate,
                             public ns::TextFieldDelegate
{
public:
    explicit DialRecordController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~DialRecordController() override;

    void awakeFromNib() override;

    // ---- the history's operations (DialRecordController.cpp) ----

    // The data folder joined with the name, or with the current record file's name for an empty one.
    QString getDialRecordFilePathWithFileName(const QString& fileName = QString()) const;
    // Makes the name the current record file's and shows its records; nothing for an empty name.
    void loadRecordList(const QString& fileName) override;
    // Refreshes the tab: the period again in period view, else the record file; the mode, totals and Reset.
    void updateInterface() override;
    void getTotalDataAndTime() override;
    float getTotalData() override { return totalData_; }
    long gettotalTime() override { return totalTime_; }
    // The records of the record file started in [from, to]; none when the
    // file holds no record. The first shows the whole file in the table.
    std::optional<ns::Array> getRecordsFrom(const QDateTime& from, const QDateTime& to);
    std::optional<ns::Array> getRecordsForOtherFunctionFrom(const QDateTime& from, const QDateTime& to);
    // Empties the record and period files and returns to list view.
    void clearAllRecord();
    // Kilobytes received and sent and seconds of the records started today,
    // this month (up to day 31) and this year, local time.
    void getDayRecordReceive(float* receive, float* send, unsigned* time) override;
    void getMonthRecordReceive(float* receive, float* send, unsigned* time) override;
    void getYearRecordReceive(float* receive, float* send, unsigned* time) override;
    // "btnDatausageRestCliked": clearAllRecord without asking.
    void resetDataForNetWorkData(ns::Notification* notification);
    QString autoChangeKBDataToMBGBUnit(double kilobytes) override;
    bool appendDialRecord(const ns::Dictionary& record) override;
    // With per-SIM files the name goes back to the default one.
    void deviceRemoved(ns::Notification* notification);
    void tabViewItemWillChange(ns::Notification* notification);
    void goToStatistics(ns::Object* sender);
    void goBackToRecord(ns::Object* sender);

    // ---- the tab (DialRecordControllerActions.cpp) ----

    // Show: the records of the pickers' days.
    void showRecord(ns::Object* sender);
    // Delete: the selected records, after asking.
    void deleteRecord(ns::Object* sender);
    // Reset: every record, after asking.
    void resetRecord(ns::Object* sender);
    // The Continuous / Increase every 15 min pair.
    void selectDurationMode(ns::Object* sender);
    // Save Record: the shown records to a file chosen in a save sheet.
    void saveRecord(ns::Object* sender);

    int numberOfRowsInTableView(ns::TableView* tableView) override;
    QVariant objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    bool shouldEditTableColumn(ns::TableView*, ns::TableColumn*, int) override { return false; }
    void tableViewSelectionDidChange(const ns::Notification& notification) override;

    // ---- the usage limits (DialRecordControllerLimits.cpp) ----

    // The Limits window to the front, loaded from the settings.
    void showSetLimit(ns::Object* sender);
    // Cancel: the window shows the settings again.
    void recordSettingCancel(ns::Object* sender);
    // Closes the window and shows the history with fresh totals.
    void recordSettingBack(ns::Object* sender);
    // Apply: checks the limit, then stores the period and the limit.
    void recordSettingApply(ns::Object* sender);
    // The window's controls from the "Record" settings.
    void loadDefaultRecordSetting() override;
    // Stores Monthly or Every with its days and the starting day, telling the user.
    void setResetPeriod();
    // Stores the chosen limit and the two warning switches.
    void setRecordLimit();
    // A time limit as the window shows it: "%.0f" for whole hours, else "%.2f".
    QString readRecordTimeLimit(double hours) const;
    // Ends the Limits window's period when it is over: its records go and
    // the next period starts where it ended. Run every half second.
    void periodRecordReset() override;
    // Monthly, Every and the limit radios: what may be changed follows them.
    void recordPeriodClicked(ns::Object* sender);
    void recordLimitTypeClicked(ns::Object* sender);
    // The limit fields take digits (and "," where a fraction is allowed), at most 6.
    void controlTextDidChange(const ns::Notification& notification) override;

    // ---- the Volume Limit page (DialRecordControllerVolumeLimit.cpp) ----

    // Apply: checks the limit, asks, then stores what changed.
    void recordLimitSetApply(ns::Object* sender);
    // Cancel: the page shows the settings again.
    void recordLimitSetCancel(ns::Object* sender);
    // The page's controls from the "Record" settings.
    void loadRecordSetting();
    // Ends the page's period when its day, weekday or day of the month came
    // round since the last reset. Run once at set-up.
    void periodRecordResetWithDayWeekMonth();
    // The recurrence radio, its check box and the limit-type radio.
    void recurrenceClicked(ns::Object* sender);
    void recurrenceSetClicked(ns::Object* sender);
    void volumeLimitTypeClicked(ns::Object* sender);
    // The page in a window of its own, to the front, loaded from the settings.
    void showVolumeLimit(ns::Object* sender);
    // The page, for a window that shows it; null where the build lists no such page.
    ns::View* volumeLimitPage() const override { return viewVolumeLimit_; }

    // The shown list and whether it is the period's.
    const ns::Array& recordList() const { return recordList_; }
    bool isPeriodView() const { return periodView_; }
    QString recordFileName() const { return recordFileName_; }

    // Outlets of the tab (DialRecordControllerNib.cpp).
    ns::View* viewDialRecordTab_ = nullptr;
    ns::TableView* tableDialRecord_ = nullptr;
    ns::Button* btnStatisticsDialRecord_ = nullptr;
    ns::Button* btnGoToDialRecord_ = nullptr; // "Go Back", on the statistics page
    ns::Button* btnResetDialRecord_ = nullptr;
    ns::Button* btnDeleteDialRecord_ = nullptr;
    ns::Button* btnSaveDialRecord_ = nullptr;
    ns::Button* btnShowDialRecord_ = nullptr;
    ns::TextField* labelFromDialRecord_ = nullptr;
    ns::TextField* labelToDialRecord_ = nullptr;
    ns::TextField* labelTextShowDialRecord_ = nullptr;
    ns::DatePicker* cbboxFromDateDialRecord_ = nullptr;
    ns::DatePicker* cbboxToDateDialRecord_ = nullptr;
    ns::Box* cbboxDialRecordBox_ = nullptr;
    ns::Box* boxMeter_ = nullptr;
    ns::TextField* labelTotalDataTitle_ = nullptr;
    ns::TextField* labelTotalData_ = nullptr;
    ns::TextField* labelTotalTimeTitle_ = nullptr;
    ns::TextField* labelTotalTime_ = nullptr;
    ns::TextField* labelApproximate_ = nullptr;
    ns::Matrix* radioDurationMode_ = nullptr;
    // Opens the Limits window, or the Volume Limit page where the build has one.
    ns::Button* btnLimitsDialRecord_ = nullptr;

    // The Limits window.
    ns::Window* wndRecordSetting() const { return wndRecordSetting_.get(); }
    ns::Box* boxRecordPeriod_ = nullptr;
    ns::Box* boxRecordLimit_ = nullptr;
    ns::Box* boxRecordWarning_ = nullptr;
    ns::Button* btnRecordMonthly_ = nullptr;
    ns::Button* btnRecordEvery_ = nullptr;
    ns::PopUpButton* popRecordDays_ = nullptr;
    ns::TextField* labelRecordDays_ = nullptr;
    ns::TextField* labelRecordStartDay_ = nullptr;
    ns::DatePicker* pickerRecordStartDay_ = nullptr;
    ns::Matrix* radioRecordLimitType_ = nullptr; // row 0 data, row 1 time
    ns::TextField* fieldRecordDataLimit_ = nullptr;
    ns::TextField* fieldRecordTimeLimit_ = nullptr;
    ns::TextField* labelRecordMB_ = nullptr;
    ns::TextField* labelRecordHours_ = nullptr;
    ns::Button* btnRecordLimitWarn_ = nullptr;
    ns::Button* btnRecordLimitDisconnect_ = nullptr;
    ns::Button* btnRecordSettingApply_ = nullptr;
    ns::Button* btnRecordSettingCancel_ = nullptr;

    // The Volume Limit page and the window that shows it in this program.
    ns::Window* wndVolumeLimit() const { return wndVolumeLimit_.get(); }
    ns::View* viewVolumeLimit_ = nullptr;
    ns::Box* boxVolumePeriod_ = nullptr;
    ns::Box* boxVolumeRecurrence_ = nullptr;
    ns::Box* boxVolumeLimit_ = nullptr;
    ns::Box* boxVolumeWarning_ = nullptr;
    ns::Button* btnRecurrenceSet_ = nullptr;
    ns::TextField* labelSetDate_ = nullptr;
    ns::DatePicker* pickerSetDate_ = nullptr;
    ns::Matrix* radioRecurrence_ = nullptr; // rows by tag: daily, weekly, monthly
    ns::PopUpButton* popDayOfWeek_ = nullptr;
    ns::PopUpButton* popDayOfMonth_ = nullptr;
    ns::Matrix* radioVolumeLimitType_ = nullptr; // row 0 data, row 1 time
    ns::TextField* fieldVolumeDataLimit_ = nullptr;
    ns::TextField* fieldVolumeTimeLimit_ = nullptr;
    ns::TextField* labelVolumeMB_ = nullptr;
    ns::TextField* labelVolumeHours_ = nullptr;
    // The warnings at 25, 50, 75, 80 and 100 % and the sound.
    ns::Button* btnWarningForLimit_[5] = {};
    ns::Button* btnWarningForPlaySound_ = nullptr;
    ns::Button* btnVolumeLimitApply_ = nullptr;
    ns::Button* btnVolumeLimitCancel_ = nullptr;
    // The export's save panel while its sheet is up or after.
    ns::SavePanel* savePanel() const { return savePanel_.get(); }

protected:
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // Builds the tab into the main tab view's "DialRecord" page (DialRecordControllerNib.cpp).
    void loadNib();
    void registerSkinItems();
    // The current record file and the period file, each at its path in the data folder.
    DialRecordFile& historyFile();
    DialRecordFile& periodFile();
    // The shown list becomes the file's records; the table reloads.
    void showRecordsOfFile(DialRecordFile& file);
    void reloadTable();
    // Delete and Save Record follow the selection, Reset the shown list.
    void updateButtons();
    // The period of the pickers' days; none when To is not after From.
    std::optional<dial_record::Period> pickedPeriod() const;
    // Shows the period's records and totals; false (after the warning) for a wrong period.
    bool filterPeriod();
    void showTotals(double kilobytes, qint64 seconds);
    // The Continuous / Increase every 15 min pair shows the stored mode.
    void showDurationMode();
    bool increaseEvery15Min() const;
    void setPeriodLabel(const QString& text);
    // "Statistics for period from %@ to %@" of the two bounds.
    QString periodText(const dial_record::Period& period) const;
    // The sums of the records started in [from, to], kept in the slot while
    // the record file hands out the same list (the statistics ask on every poll).
    struct PeriodSums {
        ns::Array records;
        QDateTime from, to;
        dial_record::Totals totals;
    };
    void sumRecords(PeriodSums& sums, const QDateTime& from, const QDateTime& to, float* receive, float* send,
                    unsigned* time);
    void storeLastResetTime();
    // The Limits window and the Volume Limit page, built once (their wording by updateLimitsLanguages).
    void buildLimitsWindow();
    void buildVolumeLimitPage();
    void updateLimitsLanguages();
    void updateVolumeLimitLanguages();
    // The Limits window's controls follow Monthly, Every and the limit radio.
    void updateRecordSettingEnabling();
    // The page's controls follow the check box and the two radios.
    void updateVolumeLimitEnabling();
    // The build lists the Volume Limit page among its settings pages.
    bool hasVolumeLimitPage() const;
    // Starts the half-second period end when the settings hold a period switch.
    void startPeriodResetTimer();
    // The Volume Limit page's set-up: its settings' defaults, the page, the period end.
    void setUpVolumeLimitPage();
    // The page differs from the settings in its period, its limit or its warnings.
    bool volumePeriodDiffers() const;
    bool volumeLimitDiffers() const;
    bool volumeWarningsDiffer() const;
    // Removes the records started in [from, end) from the record file; the
    // file is written only when some went, never when it could not be read.
    void removeRecordsOfPeriod(const QDateTime& from, const QDateTime& end);
    ns::Value recordSetting(const QString& key) const;
    void storeRecordSetting(const QString& key, const ns::Value& value);
    // The statistics outline's figures and the usage outlines' names afresh.
    void refreshStatistics();
    // The export once the sheet ended with a file.
    void exportRecords(const QString& path, const QString& type);
    static QString localized(const QString& key);
    // The connection's data text of a byte count, in the units the settings choose.
    QString formatTransferData(double bytes) const;

    ConfigService switches_{configStore()};
    DialRecordFile recordFile_;
    DialRecordFile periodFile_;
    ns::Array recordList_;
    ns::Array shownRecords_; // the file's list that recordList_ copies
    bool periodView_ = false;
    QString recordFileName_;
    float totalData_ = 0;
    qint32 totalTime_ = 0;
    std::unique_ptr<ns::SavePanel> savePanel_;
    std::unique_ptr<ns::Window> wndRecordSetting_;
    std::unique_ptr<ns::Window> wndVolumeLimit_;
    std::shared_ptr<ns::Timer> periodResetTimer_;
    PeriodSums daySums_, monthSums_, yearSums_;
    bool registered_ = false;
};
