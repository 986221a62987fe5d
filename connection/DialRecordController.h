#pragma once

#include "app/config/ConfigService.h"
#include "app/interfaces/DialRecordControlling.h"
#include "app/ui/controller/JOVUIController.h"
#include "connection/DialRecordFile.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/TableView.h"

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
class SavePanel;
class TextField;
class View;
} // namespace ns

// The connection history: the "DialRecord" tab with its table of ended
// connections, the period filter, the totals, deleting, the duration mode
// and the export to a text or CSV file; and the history's operations that
// the dial controller, the limits and the statistics use. Exactly one
// exists, published in g_DialRecordController.
//
// Spread over DialRecordController.cpp (life, the record files, totals and
// the operations other features call), DialRecordControllerNib.cpp (the tab
// and its wording) and DialRecordControllerActions.cpp (the table, Show,
// Delete, Reset, the duration mode and the export).
class DialRecordController : public JOVUIController,
                             public DialRecordControlling,
                             public ns::TableViewDataSource,
                             public ns::TableViewDelegate
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
    void getDayRecordReceive(float* receive, float* send, unsigned* time);
    void getMonthRecordReceive(float* receive, float* send, unsigned* time);
    void getYearRecordReceive(float* receive, float* send, unsigned* time);
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

    // The shown list and whether it is the period's.
    const ns::Array& recordList() const { return recordList_; }
    bool isPeriodView() const { return periodView_; }
    QString recordFileName() const { return recordFileName_; }

    // Outlets of the tab (DialRecordControllerNib.cpp).
    ns::View* viewDialRecordTab_ = nullptr;
    ns::TableView* tableDialRecord_ = nullptr;
    ns::Button* btnStatisticsDialRecord_ = nullptr;
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
    // The sums of the records started in [from, to].
    void sumRecords(const QDateTime& from, const QDateTime& to, float* receive, float* send, unsigned* time);
    void storeLastResetTime();
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
    bool registered_ = false;
};
