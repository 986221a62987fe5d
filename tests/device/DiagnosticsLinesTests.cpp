// The diagnostics text file and the report SMS, from the texts the window shows.
#include "device/DiagnosticsLines.h"

#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

namespace
{

// The values of a known device, by line name; the headings have none.
const QHash<QString, QString> kKnownDevice = {
    {"IMEI", "490154203237518"},
    {"FWV", "21.4.07.00.318"},
    {"HWV", "HX-B2"},
    {"CNum", "+12025550173"},
    {"IMSI", "001010123456789"},
    {"SerialNum", "TV3G20261210A0417"},
    {"DeviceName", "TV-3G Stick"},
    {"SoftwareVersion", "2.1.0"},
    {"DriverVersion", "6.1.0"},
    {"PCModel", "ThinkPad X1 Carbon"},
    {"ManuName", "Trelvan Devices"},
    {"ManuHomePage", "www.trelvan.org"},
    {"OSVer", "Debian GNU/Linux 12 (bookworm)"},
    {"OSLang", "en"},
    {"sms", "3/50"},
    {"contact", "12/250"},
    {"PinStatus", "Disabled"},
    {"NetworkName", "Trelnet"},
    {"NetworkMode", "Automatic"},
    {"PreferredMode", "3G preferred"},
    {"SignalStrength", "-71 dBm"},
    {"SerCell", "12345"},
    {"CSRegistration", "Registration"},
    {"PSRegistration", "Registration"},
    {"PSAttachment", "Detached"},
    {"APN", "internet"},
};

QList<DiagTextLine> knownDeviceLines()
{
    QList<DiagTextLine> lines;
    for (const DiagLine& line : diagLines()) {
        DiagTextLine text{QString::fromLatin1(line.caption), std::nullopt, line.heading};
        if (!line.heading)
            text.value = kKnownDevice.value(QString::fromLatin1(line.name));
        lines.append(text);
    }
    return lines;
}

} // namespace

TEST(DiagInfoText, AKnownDeviceGivesTheFileOfTheFixture)
{
    QFile fixture(TRELVAN_FIXTURES_DIR "/device/DiagInfo.txt");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    EXPECT_EQ(diagInfoText(knownDeviceLines()).toStdString(),
              QString::fromUtf8(fixture.readAll()).toStdString());
}

TEST(DiagInfoText, MissingFieldsAndSharedCaptions)
{
    const QList<DiagTextLine> lines = {
        {"Heading:", std::nullopt, true},  {QString(), QString("no caption field")},
        {"Same:", QString("first")},       {"Empty:", QString("")},
        {"No value field:", std::nullopt}, {"Same:", QString("second")},
    };
    EXPECT_EQ(diagInfoText(lines).toStdString(), "Heading:     \n"
                                                 "        Same:     second\n"
                                                 "        Empty:     \n"
                                                 "        No value field:     \n"
                                                 "        Same:     second\n");
}

TEST(ReportSmsText, UnitsStrippedAndMissingMeasurementsNamed)
{
    ReportSmsFields fields{"12345",  "4660",     "-71 dBm",  "-85 dBm",
                           "-7 dBm", "Attached", "internet", "TV-3G Stick"};
    EXPECT_EQ(reportSmsText(fields).toStdString(),
              "12345, 4660, -71, -85, -7 , Attached, internet, JOV TV-3G Stick");

    const struct {
        const char* what;
        QString rssi, rscp, ecno;
        const char* expected;
    } cases[] = {
        {"no RSCP or Ec/No", "-71 dBm", "", "", "-71, Null, Null"},
        {"an RSSI shorter than its unit", "5", "", "", "5, Null, Null"},
        {"an empty RSSI", "", "-85 dBm", "", ", -85, Null"},
        {"texts shorter than their units", "dBm", "-85", "dB", "dBm, -85, dB"},
        {"texts that are only their units", " dBm", " dBm", "dBm", ", , "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fields.rssi = c.rssi;
        fields.rscp = c.rscp;
        fields.ecno = c.ecno;
        EXPECT_EQ(reportSmsText(fields).toStdString(),
                  std::string("12345, 4660, ") + c.expected + ", Attached, internet, JOV TV-3G Stick");
    }
}
