#pragma once

#include "platform/ns/Value.h"

#include <QString>

namespace ns
{
class View;
}

// What the device's start-up, the dial controller and the settings window ask
// of the connection history's controller, which implements it and sets g_DialRecordController
// when it is created.
class DialRecordControlling
{
public:
    virtual ~DialRecordControlling() = default;
    // Loads the connection records from the data folder's file of that name
    // (one file per SIM).
    virtual void loadRecordList(const QString& fileName) = 0;
    // Totals the saved records of the current SIM; the two answers below
    // give what it last found: kilobytes sent and received, seconds connected.
    virtual void getTotalDataAndTime() = 0;
    virtual float getTotalData() = 0;
    virtual long gettotalTime() = 0;
    // Kilobytes as the history shows them: "%0.2f KB", "%0.2f MB" or "%0.2f GB".
    virtual QString autoChangeKBDataToMBGBUnit(double kilobytes) = 0;
    // Refreshes the history tab and its totals (the limits read them next).
    virtual void updateInterface() = 0;
    // Appends an ended connection's record to the current record file and
    // refreshes the tab; false when the file could not be written (it then
    // keeps its last good content).
    virtual bool appendDialRecord(const ns::Dictionary& record) = 0;
    // Kilobytes received and sent and seconds connected of the records
    // started today, this month and this year (local time).
    virtual void getDayRecordReceive(float* receive, float* send, unsigned* time) = 0;
    virtual void getMonthRecordReceive(float* receive, float* send, unsigned* time) = 0;
    virtual void getYearRecordReceive(float* receive, float* send, unsigned* time) = 0;

    // The usage limits that the settings window shows.
    // Ends the Limits window's period when it is over.
    virtual void periodRecordReset() = 0;
    // The Limits window shows the stored usage settings again.
    virtual void loadDefaultRecordSetting() = 0;
    // The Volume Limit page, for the settings window to show; null where the
    // build lists no such page.
    virtual ns::View* volumeLimitPage() const = 0;
};

extern DialRecordControlling* g_DialRecordController;
