#pragma once

#include "app/config/ConfigManager.h"
#include "app/ui/controller/JOVUIController.h"
#include "connection/StatisticsController/NodeOutline.h"

#include <QString>

// The statistics outline: the time of the last reset and the data uploaded
// and downloaded today, this month and this year, the saved records' sums
// with the running connection's figures added. It follows
// "ConnectStatistics" and "PrepareUsageDate", and the history tab refreshes
// it through statisticForm. Exactly one exists, published in statisticForm.
class statisticSource : public JOVUIController, public NodeOutline
{
public:
    explicit statisticSource(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~statisticSource() override;

    void awakeFromNib() override;

    // "ConnectStatistics": the running connection's kilobytes up and down
    // ("UploadDataUnitWithKB", "DowloadDataUnitWithKB"; none counts 0); then updateInterface.
    void connectStatistics(ns::Notification* notification);
    // "PrepareUsageDate": updateInterface.
    void prepareUsageDate(ns::Notification* notification);
    // The figures, then the names of both usage outlines in the current language.
    void updateInterface();
    // The figures from the records and the running connection; posts
    // "yearReceiveDateAndSendData" with the year's sums.
    void reloadStatistic();
    void Init_statistic_view();
    // updateInterface when the "Statistics" page is being selected.
    void tabViewItemWillChange(ns::Notification* notification);
    // The month's data, received and sent, in kilobytes as last computed.
    float getMonthTotalData() const { return monthTotalData_; }
    // The text of a figure in kilobytes, in the units the settings choose.
    QString autoSwitchStatisticData(float kilobytes) const;

protected:
    void registerMessages() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // The running connection's kilobytes as the last "ConnectStatistics" gave them.
    QString currentUploadKB_;
    QString currentDownloadKB_;
    float monthTotalData_ = 0;
    bool registered_ = false;
};

extern statisticSource* statisticForm;
