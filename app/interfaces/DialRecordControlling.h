#pragma once

#include <QString>

// What the device's start-up asks of the call-record feature's controller,
// which implements it and sets g_DialRecordController when it is created.
class DialRecordControlling
{
public:
    virtual ~DialRecordControlling() = default;
    // Loads the call records from the data folder's file of that name (one
    // file per SIM).
    virtual void loadRecordList(const QString& fileName) = 0;
    // Totals the saved records of the current SIM; the two answers below
    // give what it last found: kilobytes sent and received, seconds connected.
    virtual void getTotalDataAndTime() = 0;
    virtual float getTotalData() = 0;
    virtual long gettotalTime() = 0;
    // Kilobytes as the history shows them: "%0.2f KB", "%0.2f MB" or "%0.2f GB".
    virtual QString autoChangeKBDataToMBGBUnit(double kilobytes) = 0;
};

extern DialRecordControlling* g_DialRecordController;
