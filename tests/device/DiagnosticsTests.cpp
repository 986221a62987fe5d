// The diagnostics window: its lines against the simulated device, the text
// file, the "prepareDiagInfo" answer, the pages, the IMSI line, the modem
// logs and the report SMS.
#include "tests/device/DeviceTestSupport.h"

#include "app/interfaces/DialControlling.h"
#include "app/ui/controller/UINotifications.h"
#include "device/GetSystemInfo.h"
#include "device/InitController.h"
#include "device/InitNotifications.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

QString valueOf(const InitController& init, const char* line)
{
    return init.diagValueField(QString::fromLatin1(line))->stringValue();
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

_UI_MSG imsiReport(const QByteArray& imsi)
{
    _UI_MSG msg{};
    msg.tag = 1;
    msg.moduleID = kModuleInit;
    msg.majorID = msg::device::kCheckCIMI.majorID;
    msg.minorID = msg::device::kCheckCIMI.minorID;
    msg.type = kTypeReport;
    msg.result = kResultSuccess;
    msg.length = int32_t(imsi.size());
    std::copy(imsi.begin(), imsi.end(), msg.data);
    return msg;
}

} // namespace

TEST(DiagnosticsWindow, ShowsSavesAndAnswersWithTheSimulatedDevicesFacts)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start());
    Posted posted(QStringList{kSimReadyNotification});
    DeviceApp app(shippedSettings(), Runtime::Current);
    FakeDial dial;
    dial.apn = "internet";
    app.nib.awakeFromNib();
    InitController& init = app.nib.initController();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return posted.contains(kSimReadyNotification) && !init.imsi().isEmpty() &&
                   !init.getPhoneNum().isEmpty() && !init.serialNumber().isEmpty();
        },
        20000));

    app.main().menuItemForKey("Diagnostics")->performAction();
    ASSERT_TRUE(init.m_DiagWindow->isVisible());
    GetSystemInfo& system = GetSystemInfo::sharedGetSystemInfo();
    const std::pair<const char*, QString> shown[] = {
        {"IMEI", "490154203237518"},   {"FWV", "21.4.07.00.318"},       {"HWV", "HX-B2"},
        {"CNum", "+12025550173"},      {"IMSI", "001010123456789"},     {"SerialNum", "TV3G20261210A0417"},
        {"DeviceName", "TV-3G Stick"}, {"PSAttachment", "Detached"},    {"APN", "internet"},
        {"OSVer", system.osVersion()}, {"OSLang", system.osLanguage()},
    };
    for (const auto& [line, value] : shown)
        EXPECT_EQ(valueOf(init, line), value) << line;
    EXPECT_EQ(init.textImeiInDiagnostics_->stringValue(), "490154203237518");

    // Whoever asks gets the values by their keys.
    ns::Dictionary answered;
    ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        "diagInfo", nullptr,
        [&](const ns::Notification& notification) { answered = notification.userInfo(); });
    ns::NotificationCenter::defaultCenter().postNotificationName("prepareDiagInfo", nullptr);
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
    EXPECT_EQ(answered.value("IMEI").toString(), "490154203237518");
    EXPECT_EQ(answered.value("ZUDERAIMEI").toString(), "490154203237518");
    EXPECT_EQ(answered.value("DeviceName").toString(), "TV-3G Stick");
    EXPECT_EQ(answered.value("OwnNumber").toString(), "+12025550173");
    EXPECT_EQ(answered.value("ApnName").toString(), "internet");

    // Open writes the text file into the data folder and hands it to the desktop.
    OpenedLinks opened;
    init.m_OpenDiagInfoWithTEBtn->performClick(nullptr);
    const QString path = QDir(app.bundle.dataFolder()).filePath("DiagInfo.txt");
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    const QString text = readText(path);
    EXPECT_TRUE(text.startsWith("Hardware Information:     \n        IMEI number:     490154203237518\n"));
    EXPECT_TRUE(text.contains("\n        Device name:     TV-3G Stick\n"));
    EXPECT_TRUE(
        text.contains("\nMac OS Information:     \n        OS version:     " + system.osVersion() + "\n"));
    EXPECT_TRUE(text.endsWith("\n        APN:     internet\n"));

    // The device's values go with the device; the computer's stay.
    ASSERT_EQ(halvex.removeDevice(), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueOf(init, "IMEI").isEmpty(); }, 20000));
    for (const char* line : {"FWV", "CNum", "IMSI", "DeviceName", "PSAttachment"})
        EXPECT_EQ(valueOf(init, line), "") << line;
    EXPECT_EQ(valueOf(init, "OSVer"), system.osVersion());
}

TEST(DiagnosticsWindow, TheSegmentsChooseThePages)
{
    InitApp app;
    ns::Matrix* segments = app.init.diagSegmentedTable_;
    app.init.showDiagInfo(nullptr);
    const QStringList pages = {"Device", "MacOS", "SIM", "Network"};
    for (int segment : {2, 3, 1, 0}) {
        const ns::Rect cell = segments->cellFrameAtRow(0, segment);
        QTest::mouseClick(
            segments, Qt::LeftButton, {},
            QPoint(int(cell.origin.x + cell.size.width / 2), int(cell.origin.y + cell.size.height / 2)));
        EXPECT_EQ(app.init.diagTableItemView_->selectedTabViewItem()->identifier(), pages[segment]);
    }
    EXPECT_EQ(segments->cellAtRow(0, 2)->title(), "SIM");
}

TEST(DiagnosticsWindow, TheCdmaBuildShowsTheSoftwareAndComputerLinesOnly)
{
    ns::Dictionary main = plainSettings().value("Main").toDictionary().deepCopy();
    main.setValue("DeviceType", "CDMA");
    InitApp app(plainSettings({{"Main", main}}));
    app.init.showDiagInfo(nullptr);
    QStringList shown;
    for (ns::View* view : app.init.m_DiagWindow->contentView()->subviews()) {
        if (view->isHidden())
            continue;
        if (auto* button = dynamic_cast<ns::Button*>(view))
            shown << button->title();
        else if (auto* field = dynamic_cast<ns::TextField*>(view);
                 field && field->stringValue().endsWith(':'))
            shown << field->stringValue();
    }
    EXPECT_EQ(shown, (QStringList{"Refresh", "OK", "Software version number:", "Driver version number:",
                                  "Computer model:", "OS version:", "OS language:"}));
    EXPECT_EQ(valueOf(app.init, "OSVer"), GetSystemInfo::sharedGetSystemInfo().osVersion());
}

TEST(DiagnosticsWindow, TheNumberAPlugInLearnsShowsOnTheSimPageUntilTheDeviceGoes)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    InitController& init = app.nib.initController();
    ASSERT_NE(g_DialController, nullptr);
    g_DialController->setDiagMSISDNValue(QStringLiteral("639171234567"));
    init.showDiagInfo(nullptr);
    ns::TextField* number = init.tfdDiagMSISDN_;
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->stringValue(), "639171234567");
    ns::View* simPage = init.diagTableItemView_->tabViewItemAtIndex(2)->view();
    EXPECT_EQ(number->superview(), simPage);
    EXPECT_NE(appkit_test::findWidget<ns::TextField>(
                  simPage, [](ns::TextField* field) { return field->stringValue() == "MSISDN:"; }),
              nullptr);
    init.clearDiagWindow();
    EXPECT_EQ(number->stringValue(), "");
}

TEST(DiagnosticsWindow, TheImsiLineFollowsTheCheckSwitch)
{
    const struct {
        bool askDevice;
        const char* afterReport;
        const char* afterRefresh;
    } cases[] = {
        // Asking the device afresh: the report fills the line, Refresh asks again.
        {true, "001010123456789", "001010123456789"},
        // Without it the report leaves the line to Refresh, which shows the IMSI kept.
        {false, "", "001010123456789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.askDevice);
        InitApp app(plainSettings({{"Setting", ns::Dictionary{{"CheckIMSIForDiag", c.askDevice}}}}));
        app.deliver(imsiReport("001010123456789"));
        EXPECT_EQ(valueOf(app.init, "IMSI"), c.afterReport);
        app.init.m_DiagWindowRefreshBtn->performClick(nullptr);
        EXPECT_EQ(valueOf(app.init, "IMSI"), c.afterRefresh);
    }
}

TEST(DiagnosticsLogs, TheLogsOfTheFolderTheWriterUsesOpen)
{
    QTemporaryDir logs;
    for (const char* name : {"at_read.log", "at_Modem_write.log"}) {
        QFile file(QDir(logs.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    InitApp app(plainSettings({{"LogFileDir", logs.path()}}));
    OpenedLinks opened;
    app.init.showLogs(nullptr);
    EXPECT_EQ(opened.urls,
              (QList<QUrl>{QUrl::fromLocalFile(QDir(logs.path()).filePath("at_read.log")),
                           QUrl::fromLocalFile(QDir(logs.path()).filePath("at_Modem_write.log"))}));
}

TEST(DiagnosticsLogs, WithoutAFolderInTheSettingsTheWritersOwnFolderOpens)
{
    QTemporaryDir state;
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const QString folder = QDir(state.path()).filePath("trelvan/logs");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        InitApp app;
        OpenedLinks opened;
        app.init.showLogs(nullptr);
        EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(folder)});
    }
    qputenv("XDG_STATE_HOME", previous);
}

TEST(DiagnosticsReport, TheWindowsValuesGoToTheConfiguredNumber)
{
    const struct {
        const char* what;
        ns::Dictionary settings;
        QStringList sent;
    } cases[] = {
        {"a recipient",
         {{"SendReportTo", "+15550100"}},
         {"sendSmsTo +15550100 12345, 4660, 5, Null, Null, Detached, internet, JOV TV-3G Stick 010"}},
        {"no recipient", {}, {}},
        {"an empty recipient", {{"SendReportTo", ""}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InitApp app(plainSettings(c.settings));
        FakeSMS sms;
        app.init.labelRssiLacCiWindowCiValue_->setStringValue("12345");
        app.init.labelRssiLacCiWindowLacValue_->setStringValue("4660");
        app.init.tfdDiagRSSI_->setStringValue("5"); // shorter than a unit
        app.init.diagValueField("PSAttachment")->setStringValue("Detached");
        app.init.diagValueField("APN")->setStringValue("internet");
        app.init.diagValueField("DeviceName")->setStringValue("TV-3G Stick");
        app.init.btnSendReport_->performClick(nullptr);
        EXPECT_EQ(sms.calls, c.sent);
        EXPECT_EQ(app.init.reportSendFlag(), !c.sent.isEmpty());
    }
}
