// The update link to Varnock: the update information files it keeps, the
// commands it sends (received here by a stand-in for Varnock on the real
// Apple Event layer), when it sends them, launching Varnock and waiting for it.
#include "tests/device/DeviceCoreTestSupport.h"
#include "tests/device/DeviceTestSupport.h"

#include "device/AEMessage.h"
#include "jCommon/UpdateLink.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace device_test;

namespace
{

constexpr double kDay = 24 * 3600;
const QString kFirstIMEI = QStringLiteral("356938035643809");
const QByteArray kShippedIni =
    "ENABLE_UPDATE=1\n\nServiceURL=http://updates.example\n\nUPDATE_FREQUENCE=30\n\n";

// The strings that come with the installation and that the link never writes.
const ns::Dictionary kInstalledLocalInfo{
    {kOS, "Linux"}, {kCLIENT_GROUP, "Default"}, {kLANGUAGE, "en"}, {kEXTERN_PARA, ""}};

// Stands in for Varnock: registers its bundle identifier and keeps every
// command dictionary it receives, in order.
class UpdateManagerStandIn
{
public:
    UpdateManagerStandIn()
    {
        ae::AppleEventManager& manager = ae::AppleEventManager::sharedAppleEventManager();
        listening = manager.listen(kUpdaterBundleIdentifier);
        manager.setEventHandler(
            kUpdateEventClass, kUpdateEventID, [this](const ae::AppleEvent& event, ae::AppleEvent&) {
                const std::optional<ae::Descriptor> parameter = event.paramDescriptor(keyUpdateCommand);
                const std::optional<ns::Value> list =
                    parameter && parameter->descriptorType == typeUpdateCommand
                        ? ns::PropertyList::fromData(parameter->data)
                        : std::nullopt;
                commands << (list ? list->toDictionary() : ns::Dictionary{{"unreadable", true}});
            });
    }
    ~UpdateManagerStandIn()
    {
        ae::AppleEventManager& manager = ae::AppleEventManager::sharedAppleEventManager();
        manager.removeEventHandler(kUpdateEventClass, kUpdateEventID);
        manager.stopListening();
    }
    bool waitForCommands(int count)
    {
        return QTest::qWaitFor([&] { return commands.size() >= count; }, 5000);
    }
    // Each command as "CMD_ID", "CMD_ID/UPDATE_MODE" or "CMD_ID:DEVICE_STATE".
    QStringList kinds() const
    {
        QStringList result;
        for (const ns::Dictionary& command : commands) {
            QString kind = QString::number(command.value(kCMD_ID).intValue());
            if (command.contains(kUPDATE_MODE))
                kind += u'/' + QString::number(command.value(kUPDATE_MODE).intValue());
            else if (command.contains(kDEVICE_STATE))
                kind +=
                    command.value(kDEVICE_STATE).boolValue() ? QStringLiteral(":in") : QStringLiteral(":out");
            result << kind;
        }
        return result;
    }

    bool listening = false;
    QList<ns::Dictionary> commands;
};

// A private Trelvan.app whose data folder holds the update folder as it is
// installed, under a manual clock, with the link made over it.
struct UpdateLinkApp {
    explicit UpdateLinkApp(const ns::Dictionary& settings = ns::Dictionary(),
                           const std::function<void(const QString& updateFolder)>& install = {})
        : bundle(plainSettings(settings)), installed(installUpdateFolder(install))
    {
    }
    ~UpdateLinkApp() { ns::Clock::setCurrent(nullptr); }

    bool installUpdateFolder(const std::function<void(const QString&)>& install)
    {
        ns::Clock::setCurrent(&clock);
        const QString folder = updateFolder();
        QDir().mkpath(folder);
        const bool written =
            ns::PropertyList::writeFile(folder + "/IMEIInfo.plist",
                                        ns::Dictionary{{"IMEI", ""}, {"IMEI_ISLOCKED", false}}) &&
            ns::PropertyList::writeFile(folder + "/LocalInfo.plist", kInstalledLocalInfo.deepCopy()) &&
            ns::PropertyList::writeFile(folder + "/UpdateCfg.plist", ns::Dictionary()) &&
            ns::writeFileAtomically(folder + "/UpdateCfg.ini", kShippedIni);
        if (install)
            install(folder);
        return written;
    }
    QString updateFolder() const { return bundle.dataFolder() + "/Update"; }
    ns::Dictionary file(const char* name) const
    {
        return ns::PropertyList::readDictionary(updateFolder() + '/' + name).value_or(ns::Dictionary());
    }
    QByteArray bytes(const char* name) const
    {
        QFile file(updateFolder() + '/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ns::ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC)};
    DeviceBundle bundle;
    bool installed;
    ConfigManager store;
    AEMessage link{store};
};

const ns::Dictionary kAutomatic{{"AUTOUPDATE_ENABLE", true}};

} // namespace

TEST(UpdateLinkCommands, EachCommandCarriesTheLocalInformationAndItsOwnKeys)
{
    UpdateLinkApp app(ns::Dictionary{{"AUTOUPDATE_ENABLE", true}, {"NewUpdate", true}});
    ASSERT_TRUE(app.installed);
    ASSERT_TRUE(app.link.isSupportUpdate());
    UpdateManagerStandIn varnock; // in the bundle's runtime folder
    ASSERT_TRUE(varnock.listening);
    FakeDial dial;
    dial.status = DialControlling::Connected;

    LogCapture log;
    app.link.ApplicationFinishLaunchHook(); // no Varnock.app in this bundle: nothing is launched
    EXPECT_NE(log.text().find("Varnock.app is not among the application's resources"), std::string::npos);
    app.link.dealWithIMEI(kFirstIMEI);
    app.link.dealWithDeviceType("E3372");
    app.link.dealWithFirmwareVersion("21.180.01.00.00V1.2B7");
    app.link.dealWithMCCMNC("26201");
    app.link.dealWithDeviceReady();
    app.link.send_ManualUpdate_Msg();
    app.link.send_DeviceOut_Msg();
    ASSERT_TRUE(varnock.waitForCommands(5));
    EXPECT_EQ(varnock.kinds(), (QStringList{"1", "3:in", "2/3", "2/1", "3:out"}));

    EXPECT_EQ(varnock.commands[0], (ns::Dictionary{{kCMD_ID, 1}}));
    ns::Dictionary localInfo = kInstalledLocalInfo.deepCopy();
    for (const auto& [key, value] : {std::pair{kUI_VERSION, ""},
                                     {kSV_INTERNAL, ""},
                                     {kSV, "1.0"},
                                     {kDEVICE_TYPE, "E3372"},
                                     {kFW_VERSION, "1.2.7"},
                                     {kFW, "21.180.01.00.00V1.2B7"},
                                     {kGP_MCCMNC, "26201"}})
        localInfo.setValue(key, value);
    const QString language = app.link.getLanguage();
    EXPECT_FALSE(language.isEmpty());
    const auto with = [&](std::initializer_list<ns::Dictionary::Entry> keys) {
        ns::Dictionary command = localInfo.deepCopy();
        command.setValue(kUNSIGNED_ID, kFirstIMEI);
        for (const auto& [key, value] : keys)
            command.setValue(key, value);
        return command;
    };
    EXPECT_EQ(varnock.commands[1], with({{kCMD_ID, 3}, {kDEVICE_STATE, true}, {kUI_Language, language}}));
    EXPECT_EQ(varnock.commands[2], with({{kCMD_ID, 2},
                                         {kUPDATE_MODE, 3},
                                         {kDEVICE_STATE, true},
                                         {kUI_Language, language},
                                         {kKPath, app.bundle.resourcePath()},
                                         {kCONNECT, 1}}));
    EXPECT_EQ(varnock.commands[3], with({{kCMD_ID, 2},
                                         {kUPDATE_MODE, 1},
                                         {kDEVICE_STATE, true},
                                         {kUI_Language, language},
                                         {kWHETHER_AUTO, "0"},
                                         {kCONNECT, 1}}));
    EXPECT_EQ(varnock.commands[4], with({{kCMD_ID, 3}, {kDEVICE_STATE, false}, {kUI_Language, language}}));
}

TEST(UpdateLinkCommands, SentUnderTheirConditions)
{
    struct Row {
        const char* name;
        ns::Dictionary settings;
        QStringList sent;
    };
    const std::pair<const char*, void (AEMessage::*)()> operations[] = {
        {"init", &AEMessage::send_Init_Msg},
        {"manual", &AEMessage::send_ManualUpdate_Msg},
        {"firmware", &AEMessage::send_FirmwareUpdate_Msg},
        {"deviceOK", &AEMessage::send_DeviceOK_Msg},
        {"deviceOut", &AEMessage::send_DeviceOut_Msg},
    };
    const Row rows[] = {
        {"automatic updates off", ns::Dictionary{{"AUTOUPDATE_ENABLE", false}}, {"2/1", "3:out"}},
        // The first run starts the interval: no automatic check yet.
        {"interval starting",
         ns::Dictionary{{"AUTOUPDATE_ENABLE", true}, {"CheckIntervalDays", true}},
         {"1", "2/1", "3:out"}},
        {"automatic updates on", kAutomatic, {"1", "2/1", "2/3", "3:in", "3:out"}},
    };
    for (const Row& row : rows) {
        UpdateLinkApp app(row.settings);
        UpdateManagerStandIn varnock;
        for (const auto& [name, operation] : operations)
            (app.link.*operation)();
        varnock.waitForCommands(int(row.sent.size()));
        EXPECT_EQ(varnock.kinds(), row.sent) << row.name;
    }

    // Without the whole update folder the feature is absent and nothing is sent.
    UpdateLinkApp app(kAutomatic, [](const QString& folder) { QFile::remove(folder + "/UpdateCfg.plist"); });
    EXPECT_FALSE(app.link.isSupportUpdate());
    for (const auto& [name, operation] : operations)
        (app.link.*operation)();
    app.link.dealWithIMEI(kFirstIMEI);
    EXPECT_EQ(app.file("IMEIInfo.plist").value("IMEI").toString(), "");
    EXPECT_EQ(app.link.waitingCommandCount(), 0);
}

TEST(UpdateLinkCommands, WaitForAnUpdateManagerThatIsStillStartingThenGoInOrder)
{
    UpdateLinkApp app(kAutomatic, [](const QString& folder) {
        // A Varnock.app among the resources whose program notes that it ran.
        const QString macOS = folder + "/../../Varnock.app/Contents/MacOS";
        QDir().mkpath(macOS);
        QFile program(macOS + "/Varnock");
        program.open(QIODevice::WriteOnly);
        program.write("#!/bin/sh\necho launched > \"$(dirname \"$0\")/../launched\"\n");
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const QString launched = app.bundle.resourcePath() + "/Varnock.app/Contents/launched";

    app.link.ApplicationFinishLaunchHook();
    app.link.send_DeviceOut_Msg();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(launched); }, 5000));
    EXPECT_EQ(app.link.waitingCommandCount(), 2);

    UpdateManagerStandIn varnock; // the update manager comes up after the commands were sent
    app.clock.advance(AEMessage::kEndpointRetrySeconds);
    EXPECT_EQ(app.link.waitingCommandCount(), 0);
    ASSERT_TRUE(varnock.waitForCommands(2));
    EXPECT_EQ(varnock.kinds(), (QStringList{"1", "3:out"}));
    EXPECT_EQ(app.clock.scheduledTimerCount(), 0);
}

TEST(UpdateLinkCommands, AreDroppedWithALogLineWhenNoUpdateManagerAppears)
{
    UpdateLinkApp app(kAutomatic);
    LogCapture log;
    app.link.send_Init_Msg();
    app.clock.advance(AEMessage::kEndpointWaitSeconds - AEMessage::kEndpointRetrySeconds);
    EXPECT_EQ(app.link.waitingCommandCount(), 1);
    app.clock.advance(AEMessage::kEndpointRetrySeconds);
    EXPECT_EQ(app.link.waitingCommandCount(), 0);
    EXPECT_NE(log.text().find("nothing listens as org.trelvan.Varnock"), std::string::npos);
    EXPECT_EQ(app.clock.scheduledTimerCount(), 0);

    // A later command goes alone, at once.
    UpdateManagerStandIn varnock;
    app.link.send_DeviceOut_Msg();
    ASSERT_TRUE(varnock.waitForCommands(1));
    EXPECT_EQ(varnock.kinds(), QStringList{"3:out"});
}

TEST(UpdateLinkInterval, PassesAfterThirtyWholeDays)
{
    UpdateLinkApp app;
    const QDateTime now = app.clock.now();
    const std::pair<double, bool> rows[] = {
        {30 * kDay, true}, {30 * kDay - 1, false}, {45 * kDay, true}, {0, false},
        {-1, false},       {-40 * kDay, false},
    };
    for (const auto& [secondsAgo, passed] : rows)
        EXPECT_EQ(app.link.cheakingIntervalDay(now.addMSecs(qint64(-secondsAgo * 1000))), passed)
            << secondsAgo;
}

TEST(UpdateLinkInterval, StartsOnDiskAtOnceAndRestartsWithEachAutomaticCheck)
{
    const ns::Dictionary settings{{"AUTOUPDATE_ENABLE", true}, {"CheckIntervalDays", true}};
    UpdateLinkApp app(settings);
    UpdateManagerStandIn varnock;
    // The first run starts the interval on disk at once, and checks nothing.
    EXPECT_EQ(app.bundle.settingsOnDisk().value("UpdateTime").toDate(), app.clock.now());
    app.link.dealWithDeviceReady();

    // Each later run reads the settings file anew.
    const auto runAfter = [&](double seconds) {
        app.clock.advance(seconds);
        ConfigManager store;
        AEMessage link(store);
        link.dealWithDeviceReady();
        link.dealWithDeviceReady(); // a second device in the same run
        link.send_DeviceOut_Msg();
    };
    runAfter(30 * kDay - 1);
    runAfter(1);
    ASSERT_TRUE(varnock.waitForCommands(4));
    EXPECT_EQ(varnock.kinds(), (QStringList{"3:out", "3:in", "2/3", "3:out"}));
    // The check restarted the interval: the next one waits another thirty days.
    EXPECT_EQ(app.bundle.settingsOnDisk().value("UpdateTime").toDate(), app.clock.now());
    runAfter(29 * kDay);
    ASSERT_TRUE(varnock.waitForCommands(5));
    EXPECT_EQ(varnock.kinds().last(), "3:out");
    EXPECT_EQ(varnock.commands.size(), 5);
}

TEST(UpdateLinkFiles, TheIdentityStaysTheFirstIMEIEverSeen)
{
    UpdateLinkApp app;
    app.link.dealWithIMEI("");
    EXPECT_FALSE(app.file("IMEIInfo.plist").value("IMEI_ISLOCKED").boolValue());
    EXPECT_EQ(app.link.getLocalInfo()->value(kUNSIGNED_ID).toString(), "");

    app.link.dealWithIMEI(kFirstIMEI);
    const ns::Dictionary locked{{"IMEI", kFirstIMEI}, {"IMEI_ISLOCKED", true}};
    EXPECT_EQ(app.file("IMEIInfo.plist"), locked);

    LogCapture log;
    app.link.dealWithIMEI("490154203237518");
    EXPECT_FALSE(app.link.setIMEIInfo(ns::Dictionary{{"IMEI", "490154203237518"}, {"IMEI_ISLOCKED", true}}));
    EXPECT_NE(log.text().find("locked to IMEI " + kFirstIMEI.toStdString()), std::string::npos);
    EXPECT_EQ(app.file("IMEIInfo.plist"), locked);
    EXPECT_EQ(app.link.getLocalInfo()->value(kUNSIGNED_ID).toString(), kFirstIMEI);
}

TEST(UpdateLinkFiles, LocalInfoTakesTheDeviceReportsAndKeepsItsOtherKeys)
{
    UpdateLinkApp app;
    app.link.dealWithFirmwareVersion("V1.2");
    app.link.dealWithDeviceType("E3372");
    app.link.dealWithMCCMNC("");
    ns::Dictionary expected = kInstalledLocalInfo.deepCopy();
    for (const auto& [key, value] :
         {std::pair{kUNSIGNED_ID, ""}, {kFW_VERSION, "1.2"}, {kFW, "V1.2"}, {kDEVICE_TYPE, "E3372"}})
        expected.setValue(key, value);
    EXPECT_EQ(app.file("LocalInfo.plist"), expected);
}

TEST(UpdateLinkFiles, UpdateCfgIniTakesTheSettingsAndRefusesALineBreak)
{
    UpdateLinkApp app;
    app.link.setAutoUpdate(false);
    app.link.setServiceAddress("https://updates.example/v2");
    app.link.setUpdateDuration(14);
    const QByteArray set =
        "ENABLE_UPDATE=0\n\nServiceURL=https://updates.example/v2\n\nUPDATE_FREQUENCE=14\n\n";
    EXPECT_EQ(app.bytes("UpdateCfg.ini"), set);

    LogCapture log;
    app.link.setServiceAddress("http://evil.example\nENABLE_UPDATE=1");
    EXPECT_EQ(app.bytes("UpdateCfg.ini"), set);
    EXPECT_NE(log.text().find("ServiceURL= line"), std::string::npos);
}

TEST(UpdateLinkFiles, AFileThatCannotBeReadIsLeftAsItIs)
{
    const QByteArray notAList = "<plist><dict><key>OS</key>";
    const QByteArray notText = "ENABLE_UPDATE=1\n\nServiceURL=\xff\n\n";
    UpdateLinkApp app(ns::Dictionary(), [&](const QString& folder) {
        ns::writeFileAtomically(folder + "/LocalInfo.plist", notAList);
    });
    ASSERT_TRUE(app.link.isSupportUpdate());
    LogCapture log;
    app.link.dealWithDeviceType("E3372");
    app.link.dealWithUIVersion();
    EXPECT_EQ(app.bytes("LocalInfo.plist"), notAList);
    EXPECT_NE(log.text().find("LocalInfo.plist cannot be read; it is left as it is"), std::string::npos);

    ns::writeFileAtomically(app.updateFolder() + "/UpdateCfg.ini", notText);
    app.link.setAutoUpdate(false);
    EXPECT_EQ(app.bytes("UpdateCfg.ini"), notText);
    QFile::remove(app.updateFolder() + "/UpdateCfg.ini");
    app.link.setAutoUpdate(false);
    EXPECT_FALSE(QFile::exists(app.updateFolder() + "/UpdateCfg.ini"));
}

TEST(UpdateLinkCallers, TheMainWindowStartsTheLinkAndReportsTheDeviceGone)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    FakeUpdateLink link;
    app.main().runDatacard();
    app.main().deviceRemoved(nullptr);
    EXPECT_EQ(link.calls, (QStringList{"launchHook", "deviceOut"}));
}
