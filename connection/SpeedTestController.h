#pragma once

#include "app/ui/controller/JOVUIController.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QUrl>

namespace ns
{
class Notification;
}

// The speed test's operator side, one for the process: whether the SIM is to
// be tested (the control file on the speed-test server), the test log, the
// radio and cell information of the last measurements, and the upload of the
// result. The check and the log are used from the connection's test thread,
// the upload runs on the thread that posts the result.
class SpeedTestController : public JOVUIController
{
public:
    static SpeedTestController& shareSpeedTestController();

    // What the check and the upload need of the settings and the SIM, taken by
    // the connection controller before each test thread starts.
    struct Subscriber {
        bool testWanted = false; // "Internet_IsNeedTestSpeedAtConnected" is set
        QUrl server;             // the speed-test server
        QString hmccmnc;         // the SIM's home network code
        QString msisdn;          // the run-time phone number
    };
    void setSubscriber(const Subscriber& subscriber);

    void registerMessages() override;

    // Deletes the log, then fetches the control file: YES when it asks for a
    // test on this SIM.
    bool isNeedTestSpeed();
    // "MCC", "MNC" and "TEST" of the control file, as written.
    ns::Dictionary readSupportTestSpeedMccMnc(const QByteArray& text);
    // Appends one dated line to the log.
    void writeToLogFile(const QString& text);

    void setRscpRssiEcnoInfo(ns::Notification* notification);
    void setCellIdInfo(ns::Notification* notification);
    // Sends the figures with the radio information to the operator's result page.
    void uploadSpeedTestResult(ns::Notification* notification);

    // "LogTest.txt" in the user's private cache folder.
    static QString logFilePath();
    // That folder, made (owner only) when missing.
    static QString privateCacheFolder();

private:
    SpeedTestController();

    QMutex mutex_; // the fields below and the log file
    Subscriber subscriber_;
    ns::Dictionary radioInfo_;
    QString cellId_;
    bool registered_ = false;
};
