#pragma once

#include "platform/ns/Value.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The texts of the connection speed test, without network or windows: the
// operator's control file, the upload tool's command line and report, the
// figures from the timed requests and the address of the result upload.
namespace speed_test
{

// The control file "throughputtest.txt": lines split at "\n"; a line whose
// text before the first "=" is "MCC", "MNC" or "TEST" gives that key the text
// after the last "=", exactly as written. Keys that no line names are absent.
ns::Dictionary readControlFile(const QByteArray& utf8Text);

// The SIM's home network code split as the control file compares it: the MCC
// is the first three characters, the MNC the rest.
struct HomeNetwork {
    QString mcc;
    QString mnc;
};
HomeNetwork splitHomeNetwork(const QString& hmccmnc);

// Whether the control file asks for a test on that SIM: its "MCC" equals the
// SIM's, its "TEST" is "ON", and one entry of its comma-separated "MNC" list
// begins with the SIM's MNC. A SIM without both codes is never tested.
bool controlWantsTest(const ns::Dictionary& control, const HomeNetwork& home);

// The upload tool's arguments: UDP client of the host with the report
// interval, megabytes to send, target bandwidth and duration of the
// parameter dictionary ("Internet_TimeUnitforIperf", "Internet_SendDataforIperf",
// "Internet_TheorySpeedforIperf", "Internet_TotalSendTimeforIperf").
QStringList iperfArguments(const QString& host, const ns::Dictionary& parameters);

// The upload speed of one run's report in kilobits per second: the last line
// ending in "its/sec" gives the number before its unit, decimals kept and
// scaled by the unit's prefix ("1.05 Mbits/sec" is 1050). None when no line
// reports a rate.
std::optional<double> readUploadSpeedValue(const QByteArray& report);

// The average of the timed requests that succeeded, in milliseconds; none
// when none succeeded.
std::optional<double> averageLatencyMs(const QList<double>& successSeconds);

// Bits per second over the downloads that succeeded; none when none did.
std::optional<double> downloadSpeed(qint64 bytes, double successSeconds, int successes);

// What the result upload reports; a figure or radio value that is unknown
// stays empty.
struct UploadFields {
    QString msisdn;
    QString cellid;
    HomeNetwork home;
    std::optional<double> download;
    std::optional<double> upload;
    std::optional<double> latency;
    QString rssi;
    QString ecno;
    QString rscp;
    QString disconnectionReason;
};

// The path and fields of the result page, each value percent-encoded:
// "/check/checkspeed.php/msisdn=...&user=jov&password=...&cellid=...&mnc=...
// &mcc=...&download=...&upload=...&lateny=...&rssi=...&ecno=...&rscp=...
// &conntype=...&disconnectionreason=...".
QByteArray uploadPath(const UploadFields& fields);

// A figure as the notification and upload show it ("%g" for a double).
QString figureText(double figure);

} // namespace speed_test
