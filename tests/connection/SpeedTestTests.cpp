// The speed test on local servers: the operator's control file, the timed
// requests and the upload tool, the log, and the result upload.
#include "app/service/JovServiceBase.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/SpeedTestController.h"
#include "connection/SpeedTestRun.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Notification.h"
#include "platform/ns/NotificationCenter.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>

using dial_test::DialApp;

namespace
{

const QString kIperf = QStringLiteral(TRELVAN_BUILD_DIR "/Trelvan.app/Contents/Resources/iperf");
const QString kResultNotification = QStringLiteral("ReadDelayTimeDownlaodUploadValusForSpeedTest");

ns::Dictionary iperfParameters()
{
    return {{QStringLiteral("Internet_TimeUnitforIperf"), 1},
            {QStringLiteral("Internet_SendDataforIperf"), 1},
            {QStringLiteral("Internet_TheorySpeedforIperf"), 100},
            {QStringLiteral("Internet_TotalSendTimeforIperf"), 1}};
}

// The log's lines without their date and time ("dd/mm/yy hh:mm:ss    text").
QStringList logTexts()
{
    QFile file(SpeedTestController::logFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList texts;
    static const QRegularExpression entry(
        QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d    (.*)$"));
    for (const QString& line :
         QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(line);
        texts << (match.hasMatch() ? match.captured(1) : QStringLiteral("malformed: ") + line);
    }
    return texts;
}

QStringList pathsOf(const QList<LocalHttpServer::Request>& requests)
{
    QStringList paths;
    for (const LocalHttpServer::Request& request : requests)
        paths << QString::fromLatin1(request.method) + QLatin1Char(' ') + request.path;
    return paths;
}

// The operator's servers on loopback: the web server, and the upload tool's
// UDP server at its usual port.
struct SpeedTestServers {
    SpeedTestServers()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(SpeedTestController::logFilePath());
        iperfServer.start(kIperf, {QStringLiteral("-s"), QStringLiteral("-u"), QStringLiteral("-B"),
                                   QStringLiteral("127.0.0.1")});
        iperfServer.waitForStarted();
    }
    ~SpeedTestServers()
    {
        iperfServer.kill();
        iperfServer.waitForFinished();
    }
    void answerControlFile(const QByteArray& text)
    {
        web.answer(QStringLiteral("/throughputtest.txt"), {200, {}, text});
    }
    void answerMeasurements()
    {
        web.answer(QStringLiteral("/latency.txt"), {200, {}, "1"});
        web.answer(QStringLiteral("/modemdltest.jpg"), {200, {}, QByteArray(100000, 'x')});
    }
    QUrl server() const
    {
        QUrl url = web.url();
        url.setPath(QString());
        return url;
    }

    LocalHttpServer web;
    QProcess iperfServer;
};

// A run of the measurements over the servers, its report and log kept.
struct Measured {
    explicit Measured(const SpeedTestServers& servers, const QString& iperfPath = kIperf)
    {
        run.server = servers.server();
        run.iperfParameters = iperfParameters();
        run.iperfPath = iperfPath;
        run.workFolder = folder.path();
        run.disconnectionReason = 2;
        run.isNeedTestSpeed = [] { return true; };
        run.log = [this](const QString& line) { log << line; };
        run.report = [this](const ns::Dictionary& figures) { reports << figures; };
    }
    QTemporaryDir folder;
    speed_test::SpeedTestRun run;
    QStringList log;
    QList<ns::Dictionary> reports;
};

} // namespace

TEST(SpeedTestRun, MeasuresLatencyDownloadAndUploadInOrder)
{
    SpeedTestServers servers;
    servers.answerMeasurements();
    Measured measured(servers);
    measured.run.testSpeed();

    const QString latency = QStringLiteral("GET /latency.txt");
    const QString download = QStringLiteral("GET /modemdltest.jpg");
    EXPECT_EQ(pathsOf(servers.web.requests()),
              (QStringList{latency, latency, latency, latency, latency, download, download}));
    ASSERT_EQ(measured.reports.size(), 1);
    const ns::Dictionary& figures = measured.reports.front();
    EXPECT_EQ(figures.keys(), (QStringList{"DelayTimeValue", "DownloadSpeedValue", "UploadSpeedValue",
                                           "DisconnectionReason"}));
    EXPECT_GT(figures.value("DelayTimeValue").doubleValue(), 0);
    EXPECT_GT(figures.value("DownloadSpeedValue").doubleValue(), 0);
    EXPECT_GT(figures.value("UploadSpeedValue").doubleValue(), 0);
    EXPECT_EQ(figures.value("DisconnectionReason").intValue(), 2);
    ASSERT_EQ(measured.log.size(), 4);
    EXPECT_EQ(measured.log[0], "------------Start Speed Test-------------");
    EXPECT_TRUE(measured.log[1].startsWith("Delay Time: ")) << measured.log[1].toStdString();
    EXPECT_TRUE(measured.log[2].startsWith("Download Speed: ")) << measured.log[2].toStdString();
    EXPECT_TRUE(measured.log[3].startsWith("Upload Speed: ")) << measured.log[3].toStdString();
    // The tool's report went to a private file of this run, removed after reading.
    EXPECT_TRUE(QDir(measured.folder.path()).isEmpty());
}

TEST(SpeedTestRun, AFailedStepGivesNoFigureAndTheTestGoesOn)
{
    struct Case {
        bool webUp;
        bool toolThere;
        QStringList figures;
    };
    for (const Case& c : {
             Case{false, true, {"UploadSpeedValue", "DisconnectionReason"}},
             Case{true, false, {"DelayTimeValue", "DownloadSpeedValue", "DisconnectionReason"}},
             Case{false, false, {"DisconnectionReason"}},
         }) {
        SpeedTestServers servers;
        if (c.webUp)
            servers.answerMeasurements();
        else
            for (const char* path : {"/latency.txt", "/modemdltest.jpg"})
                servers.web.answer(QLatin1String(path), LocalHttpServer::Response::dropped());
        Measured measured(servers, c.toolThere ? kIperf : kIperf + QStringLiteral("-missing"));
        measured.run.testSpeed();
        ASSERT_EQ(measured.reports.size(), 1);
        EXPECT_EQ(measured.reports.front().keys(), c.figures);
        if (!c.webUp) {
            EXPECT_EQ(measured.log.filter(QRegularExpression("^Delay Test: .+")).size(), 5);
            EXPECT_EQ(measured.log.filter(QRegularExpression("^Download Test: .+")).size(), 2);
        }
    }
}

TEST(SpeedTestRun, WithoutToolParametersNothingIsReported)
{
    SpeedTestServers servers;
    servers.answerMeasurements();
    Measured measured(servers);
    measured.run.iperfParameters.reset();
    measured.run.testSpeed();
    EXPECT_TRUE(measured.reports.isEmpty());
    EXPECT_EQ(measured.log.back(), "Read config item Internet_ParmsForUploadTestTool failed");
}

TEST(SpeedTestRun, AProgramThatQuitsDoesNotWaitForASilentServer)
{
    SpeedTestServers servers;
    servers.web.answer(QStringLiteral("/latency.txt"), LocalHttpServer::Response::held());
    Measured measured(servers);
    std::atomic<bool> reported = false;
    measured.run.report = [&](const ns::Dictionary&) { reported = true; };
    {
        speed_test::SpeedTestThreads threads;
        threads.start(measured.run);
        ASSERT_TRUE(servers.web.waitForRequests(1));
        // Left alone, five silent latency requests and two downloads would take minutes.
    }
    EXPECT_FALSE(reported);
    EXPECT_EQ(servers.web.requests().size(), 1);
    servers.web.releaseHeld({200, {}, "1"});
}

TEST(SpeedTestControl, TheControlFileDecidesForTheSim)
{
    struct Case {
        QByteArray file; // empty: no control file on the server
        const char* hmccmnc;
        bool wanted;
        const char* lastLog;
    };
    const QByteArray onFor18And19 = "MCC=502\nMNC=18,19\nTEST=ON\n";
    for (const Case& c : {
             Case{onFor18And19, "50219", true, "TEST: ON"},
             Case{onFor18And19, "50220", false, "The Sim Card Info is not exit in Service"},
             Case{"MCC=502\nMNC=18,19\nTEST=OFF\n", "50219", false,
                  "The Sim Card Info is not exit in Service"},
             Case{"MCC=502\r\nMNC=18,19\r\nTEST=ON\r\n", "50219", false,
                  "The Sim Card Info is not exit in Service"},
             Case{"", "50219", false, nullptr},
         }) {
        SpeedTestServers servers;
        if (!c.file.isEmpty())
            servers.answerControlFile(c.file);
        SpeedTestController& controller = SpeedTestController::shareSpeedTestController();
        controller.writeToLogFile(QStringLiteral("from the last check"));
        controller.setSubscriber({true, servers.server(), QString::fromLatin1(c.hmccmnc), QString()});
        EXPECT_EQ(controller.isNeedTestSpeed(), c.wanted) << c.file.constData() << c.hmccmnc;
        const QStringList log = logTexts();
        ASSERT_FALSE(log.isEmpty());
        EXPECT_NE(log.front(), "from the last check"); // each check starts a new log
        if (c.lastLog)
            EXPECT_EQ(log.back(), c.lastLog);
        else
            EXPECT_TRUE(log.back().startsWith("Download File throughputtest.txt: "))
                << log.back().toStdString();
    }
}

TEST(SpeedTestControl, NotWantedBySettingsFetchesNothing)
{
    SpeedTestServers servers;
    servers.answerControlFile("MCC=502\nMNC=18,19\nTEST=ON\n");
    SpeedTestController& controller = SpeedTestController::shareSpeedTestController();
    controller.setSubscriber({false, servers.server(), QStringLiteral("50219"), QString()});
    EXPECT_FALSE(controller.isNeedTestSpeed());
    EXPECT_TRUE(servers.web.requests().isEmpty());
}

TEST(SpeedTestUpload, SendsTheFiguresWithTheRadioInformationInOrder)
{
    SpeedTestServers servers;
    SpeedTestController& controller = SpeedTestController::shareSpeedTestController();
    controller.setSubscriber({true, servers.server(), QStringLiteral("50219"), QStringLiteral("+60 123&4")});
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();
    center.postNotificationName("ReadRscpRssiEcnoInfo", nullptr,
                                {{"RSCP", "-90"}, {"RSSI", "-71"}, {"ECNO", "-5"}});
    center.postNotificationName("ReadCellIDInfo", nullptr, {{"CellIDInfo", "1A2B"}});
    // The latency could not be measured.
    center.postNotificationName(
        kResultNotification, nullptr,
        {{"DownloadSpeedValue", 8000.5}, {"UploadSpeedValue", 1050.0}, {"DisconnectionReason", 0}});

    ASSERT_EQ(servers.web.requests().size(), 1);
    const LocalHttpServer::Request request = servers.web.requests().front();
    EXPECT_EQ(request.method, "POST");
    EXPECT_TRUE(request.body.isEmpty());
    EXPECT_EQ(request.path, "/check/checkspeed.php/msisdn=+60 123&4&user=jov&password=5kt29wq&cellid=1A2B"
                            "&mnc=19&mcc=502&download=8000.5&upload=1050&lateny=&rssi=-71&ecno=-5&rscp=-90"
                            "&conntype=EDGE,GPRS,HSDPA,HSPA+,DC-HSPA+,etc&disconnectionreason=0");
    // The address as sent, each value encoded.
    EXPECT_EQ(logTexts().back(),
              servers.server().toString() +
                  "/check/checkspeed.php/msisdn=%2B60%20123%264&user=jov&password=5kt29wq&cellid=1A2B"
                  "&mnc=19&mcc=502&download=8000.5&upload=1050&lateny=&rssi=-71&ecno=-5&rscp=-90"
                  "&conntype=EDGE%2CGPRS%2CHSDPA%2CHSPA%2B%2CDC-HSPA%2B%2Cetc&disconnectionreason=0");
}

TEST(SpeedTestUpload, AConnectionThatComesUpIsMeasuredAndReported)
{
    SpeedTestServers servers;
    servers.answerControlFile("MCC=502\nMNC=18,19\nTEST=ON\n");
    servers.answerMeasurements();
    ns::Dictionary internet{{"Internet_IsNeedTestSpeedAtConnected", true},
                            {"Internet_SpeedTestServer", servers.server().toString()},
                            {"Internet_ParmsForUploadTestTool", iperfParameters()},
                            {"DisconnectReason", 1}};
    DialApp app(dial_test::withSettings({}, internet));
    // The private bundle holds the tool as the build's bundle does.
    ASSERT_TRUE(QFile::link(kIperf, ns::Bundle::mainBundle().resourcePath() + QStringLiteral("/iperf")));
    JovServiceBase().setImsi(QStringLiteral("502191234567890"));
    app.dial.setRuntimeObject(ns::Value(QStringLiteral("60123")), kRTPhoneNumber);
    app.dial.setDialBtnWithStatus(true);
    // Control file, five latency and two download requests, the upload.
    ASSERT_TRUE(servers.web.waitForRequests(9));
    const LocalHttpServer::Request upload = servers.web.requests().at(8);
    EXPECT_EQ(upload.method, "POST");
    EXPECT_TRUE(
        upload.path.startsWith("/check/checkspeed.php/msisdn=60123&user=jov&password=5kt29wq&cellid="))
        << upload.path.toStdString();
    // Every figure was measured.
    EXPECT_TRUE(upload.path.contains(
        QRegularExpression("&mnc=19&mcc=502&download=[0-9.e+]+&upload=[0-9.e+]+&lateny=[0-9.e+]+&rssi=")))
        << upload.path.toStdString();
    EXPECT_TRUE(upload.path.endsWith("&disconnectionreason=1")) << upload.path.toStdString();
    JovServiceBase().setImsi(QString());
}
