// The speed test's control file, upload-tool command line and report, the
// figures of the timed requests and the address of the result upload.
#include "connection/SpeedTestFormats.h"

#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

using speed_test::HomeNetwork;

TEST(SpeedTestControlFile, KeepsTheThreeKeysAsWritten)
{
    const ns::Dictionary control =
        speed_test::readControlFile("MCC=502\nMNC=18,19\n\nTEST=ON\nOTHER=1\nMCC\n MNC=9\nTEST= ON=OFF\r\n");
    EXPECT_EQ(control.keys(), (QStringList{"MCC", "MNC", "TEST"}));
    EXPECT_EQ(control.value("MCC").toString(), "502");
    EXPECT_EQ(control.value("MNC").toString(), "18,19");  // " MNC" is not the key
    EXPECT_EQ(control.value("TEST").toString(), "OFF\r"); // the last part wins, untrimmed
    EXPECT_TRUE(speed_test::readControlFile("").isEmpty());
}

TEST(SpeedTestControlFile, DecidesByCountryNetworkAndSwitch)
{
    struct Case {
        const char* file;
        const char* hmccmnc;
        bool wanted;
    };
    for (const Case& c : {
             Case{"MCC=502\nMNC=18,19\nTEST=ON\n", "50219", true},
             Case{"MCC=502\nMNC=18,19\nTEST=ON\n", "50218", true},
             Case{"MCC=502\nMNC=18,19\nTEST=ON\n", "50220", false},
             Case{"MCC=502\nMNC=18,19\nTEST=ON\n", "50319", false},
             Case{"MCC=502\nMNC=18,19\nTEST=ON", "502190", false},  // "19" does not begin with "190"
             Case{"MCC=502\nMNC=18,1901\nTEST=ON", "502190", true}, // an entry beginning with the MNC
             Case{"MCC=502\nMNC=18,19\nTEST=OFF\n", "50219", false},
             Case{"MCC=502\nMNC=18,19\n", "50219", false},
             Case{"MCC=502\r\nMNC=18,19\r\nTEST=ON\r\n", "50219", false},
             Case{"MNC=18,19\nTEST=ON\n", "50219", false},
             Case{"MCC=\nMNC=\nTEST=ON\n", "", false},
             Case{"MCC=502\nMNC=\nTEST=ON\n", "502", false},
         }) {
        const ns::Dictionary control = speed_test::readControlFile(c.file);
        EXPECT_EQ(speed_test::controlWantsTest(control, speed_test::splitHomeNetwork(c.hmccmnc)), c.wanted)
            << c.file << " for " << c.hmccmnc;
    }
}

TEST(SpeedTestUpload, ToolArgumentsFollowTheParameters)
{
    const ns::Dictionary parameters{{"Internet_TimeUnitforIperf", 1},
                                    {"Internet_SendDataforIperf", 2},
                                    {"Internet_TheorySpeedforIperf", 3},
                                    {"Internet_TotalSendTimeforIperf", 4}};
    EXPECT_EQ(speed_test::iperfArguments("speed.example; rm -rf x", parameters),
              (QStringList{"-u", "-c", "speed.example; rm -rf x", "-i", "1", "-n", "2M", "-b", "3Mbit/s",
                           "-t", "4"}));
}

TEST(SpeedTestUpload, ReadsTheLastRateOfTheRunInKilobits)
{
    const QByteArray run = "[  1] local 127.0.0.1 port 52797 connected with 127.0.0.1 port 5001\n"
                           "[ ID] Interval       Transfer     Bandwidth\n"
                           "[  1] 0.0000-1.0000 sec  12.5 MBytes   105 Mbits/sec\n"
                           "[  1] 0.0000-1.0002 sec  1.29 MBytes   1.05 Mbits/sec\n"
                           "[  1] Sent 8921 datagrams\n"
                           "[  1] Server Report:\n"
                           "[  1] 0.0000-1.0001 sec  12.5 MBytes   105 Mbits/sec   0.000 ms 0/8920 (0%)\n";
    struct Case {
        QByteArray report;
        std::optional<double> kilobits;
    };
    for (const Case& c : {
             Case{run, 1050.0},
             Case{"[  3] 0.0-10.0 sec   640 KBytes   524 Kbits/sec\n", 524.0},
             Case{"[  3] 0.0-10.0 sec   64 Bytes   800 bits/sec", 0.8},
             Case{"[  3] 0.0-10.0 sec   1 GBytes   2.5 Gbits/sec\r\n", 2.5e6},
             Case{"", std::nullopt},
             Case{"nohost.invalid: Unknown host\n", std::nullopt},
             Case{"its/sec\n", std::nullopt},
             Case{"12 Kbits/sec\n[  3] 0.0-10.0 sec   x.y Mbits/sec\n", std::nullopt}, // this run's last line
             Case{"[  3] 0.0-10.0 sec   -5 Mbits/sec\n", std::nullopt},
             Case{"[  3] 0.0-10.0 sec   5 Xbits/sec\n", std::nullopt},
         }) {
        EXPECT_EQ(speed_test::readUploadSpeedValue(c.report), c.kilobits) << c.report.constData();
    }
}

TEST(SpeedTestFigures, OnlySuccessfulRequestsCount)
{
    EXPECT_EQ(speed_test::averageLatencyMs({0.010, 0.030}), 20.0);
    EXPECT_EQ(speed_test::averageLatencyMs({}), std::nullopt);
    EXPECT_EQ(speed_test::downloadSpeed(1000, 2.0, 1), 4000.0);
    EXPECT_EQ(speed_test::downloadSpeed(0, 0.0, 0), std::nullopt);
}

TEST(SpeedTestUpload, AddressHasEveryFieldInOrderEncoded)
{
    speed_test::UploadFields fields;
    fields.msisdn = "+60 12&x=1";
    fields.cellid = "1A2B";
    fields.home = HomeNetwork{"502", "19"};
    fields.download = 8000.5;
    fields.upload = 1050.0;
    fields.rssi = "-71";
    fields.rscp = "%";
    fields.disconnectionReason = "2";
    const QByteArray path = speed_test::uploadPath(fields);
    EXPECT_EQ(path, "/check/checkspeed.php/msisdn=%2B60%2012%26x%3D1&user=jov&password=5kt29wq&cellid=1A2B"
                    "&mnc=19&mcc=502&download=8000.5&upload=1050&lateny=&rssi=-71&ecno=&rscp=%25"
                    "&conntype=EDGE%2CGPRS%2CHSDPA%2CHSPA%2B%2CDC-HSPA%2B%2Cetc&disconnectionreason=2");
    // The encoded path survives the address it is sent with.
    const QUrl url(QStringLiteral("http://127.0.0.1:80") + QString::fromLatin1(path));
    EXPECT_EQ(url.path(QUrl::FullyEncoded).toLatin1(), path);
}
