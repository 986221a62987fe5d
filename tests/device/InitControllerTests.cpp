// The initialisation controller: the start sequence, removal and return
// against the real device server; the status setters and the start-up
// handlers with records handed to its message center.
#include "tests/device/DeviceTestSupport.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "device/InitController.h"
#include "device/InitNotifications.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/support/HalvexControl.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

const QStringList kInitNames = {kSingalStrength, kRoamStatus, kBelonetoSPN,   kLocalSPN,
                                kModemConnected, kSimStatus,  kNetworkStatus, kDomainName};

bool shows(const ns::ImageView* view, const QString& image)
{
    return view->image().qImage() == ns::Image::imageNamed(image).qImage();
}

_UI_MSG record(MessageID id, int32_t type, int8_t result, const QByteArray& payload = QByteArray(),
               int32_t module = kModuleInit)
{
    _UI_MSG msg{};
    msg.tag = 1;
    msg.moduleID = module;
    msg.majorID = id.majorID;
    msg.minorID = id.minorID;
    msg.type = type;
    msg.result = result;
    msg.length = int32_t(payload.size());
    std::copy(payload.begin(), payload.end(), msg.data);
    return msg;
}

QByteArray int32s(std::initializer_list<int32_t> values)
{
    PayloadWriter writer(int(values.size()) * 4);
    int offset = 0;
    for (int32_t value : values) {
        writer.setInt32(offset, value);
        offset += 4;
    }
    return writer.bytes();
}

// Settings with one switch changed.
ns::Dictionary withSwitch(const QString& module, const QString& key, bool on)
{
    if (module.isEmpty())
        return plainSettings({{key, on}});
    ns::Dictionary moduleDict = plainSettings().value(module).toDictionary().deepCopy();
    moduleDict.setValue(key, on);
    return plainSettings({{module, moduleDict}});
}

} // namespace

TEST(InitControllerStartUp, TheSequenceFollowsTheModemThroughRemovalAndReturn)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start());
    Posted posted(kInitNames +
                  QStringList{kDevicePluginNotification, kSimReadyNotification, kDeviceRemovedNotification});
    QString simTypeAtReady;
    ns::Object* atReady = ns::NotificationCenter::defaultCenter().addObserverForName(
        kSimReadyNotification, nullptr, [&](const ns::Notification&) {
            simTypeAtReady = g_InitController->SIMTypeDisplayFld_->stringValue();
        });
    DeviceApp app(shippedSettings(), Runtime::Current);
    FakeDial dial; // in place of the nib's stand-in
    app.nib.awakeFromNib();
    InitController& init = app.nib.initController();
    // The nib posts every item once with its start value.
    const QStringList atStart = {kSingalStrength, kRoamStatus,    kBelonetoSPN, kModemConnected,
                                 kSimStatus,      kNetworkStatus, kLocalSPN,    kDomainName};
    EXPECT_EQ(posted.names(), atStart);
    posted.seen.clear();

    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.contains(kSimReadyNotification); }, 20000));
    QStringList order =
        posted.names().filter(QRegularExpression("^(init_ModemConnected|DevicePlugin|SimReady)$"));
    EXPECT_EQ(order, (QStringList{kModemConnected, kDevicePluginNotification, kSimReadyNotification}));
    EXPECT_EQ(posted.seen.front().second, ns::Value(true));
    EXPECT_EQ(simTypeAtReady, "3G");
    EXPECT_EQ(posted.last(kSimStatus), ns::Value(true));
    EXPECT_TRUE(shows(init.m_netStatus, "netstatus2"));
    EXPECT_TRUE(shows(init.m_simStatus, "simReady"));
    EXPECT_TRUE(dial.calls.contains("setDialParams"));
    EXPECT_TRUE(dial.calls.contains("state Init_tfdStarting Device"));

    // The PIN-saved state is asked for again once, and the answer asks nothing more.
    const auto pinSavedRequests = [&] {
        int count = 0;
        for (const _UI_MSG& received : halvex.receivedRecords())
            count += received.majorID == 4 && received.minorID == 16 && received.type == kTypeRequest;
        return count;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return pinSavedRequests() > 0; }, 10000));
    // The network's reports, the signal last, end the start before the removal.
    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.last(kSingalStrength).intValue() > 0; }, 10000));

    posted.seen.clear();
    ASSERT_EQ(halvex.removeDevice(), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.contains(kDomainName); }, 20000));
    const std::pair<QString, ns::Value> emptied[] = {
        {kSingalStrength, 0},     {kRoamStatus, 2},           {kBelonetoSPN, QString("")},
        {kModemConnected, false}, {kSimStatus, false},        {kNetworkStatus, QString("No Service")},
        {kLocalSPN, QString("")}, {kDomainName, QString("")},
    };
    for (const auto& [name, value] : emptied)
        EXPECT_EQ(posted.last(name), value) << name.toStdString();
    EXPECT_TRUE(shows(init.m_netStatus, "netstatus1"));
    EXPECT_TRUE(shows(init.m_simStatus, "noSim"));
    EXPECT_EQ(init.SIMTypeDisplayFld_->stringValue(), "");
    EXPECT_FALSE(init.runtimeObjectForKey(kRTSIMCardReady).boolValue());
    EXPECT_EQ(pinSavedRequests(), 1);

    posted.seen.clear();
    ASSERT_EQ(halvex.plugDevice(), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.contains(kSimReadyNotification); }, 20000));
    order = posted.names().filter(QRegularExpression("^(init_ModemConnected|DevicePlugin|SimReady)$"));
    EXPECT_EQ(order, (QStringList{kModemConnected, kDevicePluginNotification, kSimReadyNotification}));
    EXPECT_TRUE(shows(init.m_simStatus, "simReady"));
    ns::NotificationCenter::defaultCenter().removeObserver(atReady);
}

TEST(InitControllerStatus, SignalLevelGuards)
{
    struct Case {
        bool simReady;
        bool onlyWithService;
        const char* network;
        int level;
        std::optional<int> posted; // none: nothing changes
    };
    const Case cases[] = {
        {true, false, "UMTS", 3, 3},
        {true, false, "UMTS", 5, 5},
        {true, false, "UMTS", 7, std::nullopt},
        {true, false, "UMTS", -1, std::nullopt},
        {false, false, "UMTS", 4, 0},
        {false, false, "UMTS", 9, 0},
        {true, true, "No Service", 4, 0},
        {true, true, "Limited Service", 9, 0},
        {true, true, "HSDPA", 4, 4},
        {true, false, "No Service", 4, 4},
    };
    for (const Case& c : cases) {
        InitApp app(withSwitch("Init", "ShowSignalWhenServiceExist", c.onlyWithService));
        app.init.setRuntimeObject(c.simReady, kRTSIMCardReady);
        app.init.setNetworkStatus(QString::fromLatin1(c.network));
        app.init.setSignalStrength(2 * c.simReady); // a known image before the case
        Posted posted({kSingalStrength});
        app.init.setSignalStrength(c.level);
        const int shown = c.posted.value_or(2 * c.simReady);
        SCOPED_TRACE(testing::Message() << c.network << " level " << c.level << " ready " << c.simReady);
        EXPECT_TRUE(shows(app.init.m_rssiStatus, QStringLiteral("rssi%1").arg(shown + 1)));
        EXPECT_EQ(posted.last(kSingalStrength), c.posted ? ns::Value(*c.posted) : ns::Value());
    }
}

TEST(InitControllerStatus, SimStateNetworkTextAndOperatorNames)
{
    InitApp app(withSwitch("Main", "SimStatusWithLetter", true));
    InitController& init = app.init;
    Posted posted(kInitNames);
    init.setSimStatus(false);
    EXPECT_FALSE(init.labelSimStatus_->isHidden());
    EXPECT_EQ(init.labelSimStatus_->stringValue(), "No (U)SIM");
    EXPECT_EQ(init.simPinState(), 0);
    init.setSimStatus(true);
    EXPECT_TRUE(init.labelSimStatus_->isHidden());
    EXPECT_TRUE(init.m_simStatus->isHidden());
    EXPECT_EQ(init.simPinState(), 1);
    EXPECT_TRUE(init.runtimeObjectForKey(kRTSIMCardReady).boolValue());

    // A refresh flag of NO, or a nil text, changes nothing and posts nothing.
    posted.seen.clear();
    init.setLocalSPN(QStringLiteral("Other"), false);
    init.setBelonetoSPN(QString());
    init.setDomainName(QString());
    init.setNetworkStatus(QString());
    EXPECT_TRUE(posted.seen.empty());
    init.setLocalSPN(QStringLiteral("Vodafone"), true);
    EXPECT_EQ(init.m_NameOfLocalSPN->stringValue(), "Vodafone");
    EXPECT_EQ(posted.last(kLocalSPN), ns::Value(QString("Vodafone")));
}

TEST(InitControllerStatus, TheSimImageShowsTheCheckFirstWhenConfigured)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        InitApp app(withSwitch("Main", "Main_DisplayCheckSIMStatus", true));
        app.init.setSimStatus(true);
        EXPECT_TRUE(shows(app.init.m_simStatus, "CheckSIMStatus"));
        clock.advance(1.9);
        EXPECT_TRUE(shows(app.init.m_simStatus, "CheckSIMStatus"));
        clock.advance(0.2);
        EXPECT_TRUE(shows(app.init.m_simStatus, "simReady"));
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(InitControllerStatus, QualcommFamiliesAndTheMeasurement)
{
    InitApp app;
    InitController& init = app.init;
    init.setRuntimeObject(true, kRTSIMCardReady);
    Posted posted({kSingalStrength, kNetworkStatus, "ReadRscpRssiEcnoInfo"});
    // Only the six listed 1X values map to a level.
    const std::pair<int, int> oneX[] = {{10, 1}, {15, 2}, {22, 3}, {28, 4}, {31, 5}, {20, 0}};
    for (const auto& [value, level] : oneX) {
        init.display1XSignal(value);
        EXPECT_EQ(posted.last(kSingalStrength), ns::Value(level)) << value;
    }
    init.displayNetworkStatus(0, 50);
    EXPECT_EQ(posted.last(kNetworkStatus), ns::Value(QString("EVDO")));
    init.displayEvdoSignal(60);
    EXPECT_TRUE(shows(init.m_evdoStatus, "rssi4"));

    init.setRssiSignalWithRSCP(-95, -70, -8);
    ASSERT_FALSE(posted.seen.empty());
    EXPECT_EQ(posted.seen.back().first, "ReadRscpRssiEcnoInfo");
    EXPECT_EQ(init.rscp(), "-95 dBm");
    EXPECT_EQ(init.ecno(), "-8 dBm");
}

TEST(InitControllerStartUp, HandlerEdgeCases)
{
    InitApp app;
    InitController& init = app.init;
    Posted posted(kInitNames + QStringList{kDevicePluginNotification, kDeviceRemovedNotification});

    // A failed handshake changes nothing.
    app.deliver(record(msg::device::kHandShake, kTypeReport, kResultFailure));
    EXPECT_FALSE(posted.contains(kModemConnected));
    app.deliver(record(msg::device::kHandShake, kTypeReport, kResultSuccess));
    EXPECT_EQ(posted.last(kModemConnected), ns::Value(true));

    // Any result below 255 is a plugged-in device.
    app.deliver(record(msg::device::kCheckDeviceStatus, kTypeReport, int8_t(-2)));
    EXPECT_EQ(posted.names().last(), kDevicePluginNotification);
    app.deliver(record(msg::device::kCheckDeviceStatus, kTypeReport, kResultFailure));
    EXPECT_TRUE(posted.contains(kDeviceRemovedNotification));

    // The CDMA family hides the EVDO views and takes the CDMA network selection.
    app.deliver(record(msg::device::kGetDeviceMode, kTypeReport, kResultSuccess, int32s({5})));
    EXPECT_EQ(app.settings.calls, (QStringList{"cdma 1", "wcdma 0"}));
    EXPECT_TRUE(init.m_evdoStatus->isHidden());
    app.settings.calls.clear();
    app.deliver(record(msg::device::kGetDeviceMode, kTypeReport, kResultSuccess, int32s({7})));
    EXPECT_EQ(app.settings.calls, (QStringList{"wcdma 1", "cdma 0"}));
    EXPECT_EQ(init.deviceMode(), 7);

    // 4/19 keeps the PIN only from a record of exactly ten bytes.
    for (int length : {9, 11, 10}) {
        _UI_MSG msg = record(msg::device::kReadPin, kTypeReport, kResultSuccess,
                             QByteArray("1234\0\0\0\0\0\0\0", length));
        app.deliver(msg);
        EXPECT_EQ(init.pinNum(), length == 10 ? "1234" : "") << length;
    }

    // The home country code and the search modes.
    app.deliver(record(msg::device::kCheckHPLMN, kTypeReport, kResultSuccess, int32s({262})));
    EXPECT_EQ(init.currentHMcc(), 262);
    app.deliver(
        record(msg::networkSelection::kCheckSearchMode, kTypeReport, kResultSuccess, int32s({1, 2, 3})));
    app.deliver(
        record(msg::networkSelection::kCheckPreferenceMode, kTypeReport, kResultFailure, int32s({1})));
    EXPECT_EQ(app.settings.calls.last(), "searchmode 1 2 3");
}

TEST(InitControllerStartUp, TheModemImageShowsTheCheckForTwoSecondsWhenConfigured)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        InitApp app(withSwitch("Init", "Init_DisplayCheckModemStatus", true));
        Posted posted({kModemConnected});
        app.deliver(record(msg::device::kHandShake, kTypeReport, kResultSuccess));
        EXPECT_TRUE(shows(app.init.m_netStatus, "netstatusOfCheckModem"));
        clock.advance(1.9);
        EXPECT_TRUE(posted.seen.empty());
        clock.advance(0.2);
        EXPECT_EQ(posted.last(kModemConnected), ns::Value(true));
        EXPECT_TRUE(shows(app.init.m_netStatus, "netstatus2"));
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(InitControllerStartUp, RemovalClosesTheSheetsAndForgetsTheDevice)
{
    InitApp app;
    InitController& init = app.init;
    ns::Window main(ns::Rect(0, 0, 400, 300), ns::TitledWindowMask);
    init.wndMain = &main;
    app.deliver(record(msg::device::kCheckSmsPPDownload, kTypeReport, kResultSuccess));
    ASSERT_NE(main.attachedSheet(), nullptr);
    init.setSimStatus(true);
    init.setMccmnc("22801");
    init.setIccid("8949");
    init.setAlreadyGetSimIMSIFlag(true);
    init.setDialFunctionEnabledFlag(false);
    init.setHasAlertRoam(true);
    init.setRoamTransferMode(1);
    init.setRoamTipWhenInWhiteList(false);
    ns::MenuItem enterPin, unlockPin;
    init.labelPINEnter_ = &enterPin;
    init.labelPINUnlock_ = &unlockPin;

    app.deliver(record(msg::device::kCheckDeviceStatus, kTypeReport, kResultFailure));
    EXPECT_EQ(main.attachedSheet(), nullptr);
    EXPECT_FALSE(enterPin.isEnabled());
    EXPECT_FALSE(unlockPin.isEnabled());
    EXPECT_EQ(init.simPinState(), 0);
    EXPECT_EQ(init.mccmnc(), "");
    EXPECT_EQ(init.iccid(), "");
    EXPECT_FALSE(init.alreadyGetSimIMSIFlag());
    EXPECT_TRUE(init.dialFunctionEnabledFlag());
    EXPECT_FALSE(init.hasAlertRoam());
    EXPECT_EQ(init.roamTransferMode(), 2);
    EXPECT_TRUE(init.roamTipWhenInWhiteList());
    EXPECT_EQ(init.networkRoamStatus(), 2);
}

TEST(InitControllerStartUp, AnInactiveUsimIsReportedAsNoSim)
{
    for (int32_t status : {4, 6, 3}) {
        InitApp app(plainSettings({{"PopUpPanelWhenJUSIM4", true}}));
        app.init.setSimStatus(true);
        AlertSeen alert;
        const bool inactive = status != 3;
        if (inactive)
            answerNextAlert("OK", &alert);
        app.deliver(record(msg::device::kCheckUSIMStatus, kTypeReport, kResultSuccess, int32s({status})));
        EXPECT_EQ(alert.texts.contains("Invalid (U)SIM or No (U)SIM!"), inactive) << status;
        EXPECT_EQ(app.init.simPinState(), inactive ? 0 : 1) << status;
    }
}

TEST(InitControllerStartUp, NoSimShowsTheAlertAndClearsTheDomain)
{
    struct Case {
        int32_t data;
        bool suppressed;
        bool alert;
    };
    for (const Case& c : {Case{-1, false, true}, Case{-1, true, false}, Case{3, false, false}}) {
        InitApp app(withSwitch("Init", "DonotShowNoSIMAlert", c.suppressed));
        app.init.setNetworkDomain(3, QStringLiteral("UMTS"));
        Posted posted(kInitNames);
        AlertSeen alert;
        if (c.alert)
            answerNextAlert("OK", &alert);
        app.deliver(record(msg::device::kCheckSIMStatus, kTypeReport, kResultFailure, int32s({c.data})));
        SCOPED_TRACE(testing::Message() << c.data << " suppressed " << c.suppressed);
        EXPECT_EQ(alert.shown, c.alert);
        EXPECT_EQ(alert.texts.contains("NO UIM, Please insert UIM card!"), c.alert);
        EXPECT_EQ(app.dial.calls.contains("top No SIM"), c.data == -1);
        EXPECT_EQ(posted.last(kDomainName), ns::Value(QString("")));
        EXPECT_EQ(posted.last(kNetworkStatus), ns::Value(QString("No Service")));
        EXPECT_EQ(app.init.networkMode(), 0);
    }
}

TEST(InitControllerStartUp, ServiceDomains)
{
    struct Case {
        bool connectByNetStatus;
        int mode;
        const char* domain;
        bool ps;
    };
    const Case cases[] = {
        {false, 3, "P C", true}, {false, 2, "P", true}, {false, 1, "C", false},
        {true, 1, "C", true},    {true, 2, "P", false},
    };
    for (const Case& c : cases) {
        InitApp app(withSwitch(QString(), "EnableConnectByNetStatus", c.connectByNetStatus));
        app.init.setNetworkDomain(c.mode, QStringLiteral("UMTS"));
        EXPECT_EQ(app.init.m_domain->stringValue(), c.domain);
        EXPECT_EQ(app.init.hasPSDomain(), c.ps) << c.mode << " " << c.connectByNetStatus;
        app.init.informOtherModulePSDomain(c.mode);
        EXPECT_EQ(app.settings.calls.contains("autoConnect 1"), !c.connectByNetStatus && c.ps);
    }
}

TEST(InitControllerSimUpdate, TheNoticeOpensOnceAndItsStepsRunFromEachReport)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        InitApp app;
        FakePhonebook phonebook;
        ns::Window main(ns::Rect(0, 0, 400, 300), ns::TitledWindowMask);
        app.init.wndMain = &main;
        ns::Window* notice = app.init.wndSimCardUpdate();
        app.deliver(record(msg::device::kCheckSmsPPDownload, kTypeReport, kResultFailure));
        EXPECT_FALSE(notice->isSheet());

        app.deliver(record(msg::device::kCheckSmsPPDownload, kTypeReport, kResultSuccess));
        ASSERT_TRUE(notice->isSheet());
        EXPECT_EQ(main.attachedSheet(), notice);
        EXPECT_EQ(app.init.labelSimCardUpdate_->stringValue(),
                  "Init_labelSimCardUpdate_CheckSmsPPDownloadBegin");
        clock.advance(2);
        EXPECT_EQ(phonebook.selected, 1);
        clock.advance(1);
        app.deliver(record(msg::device::kCheckSmsPPDownload, kTypeReport, kResultSuccess));
        EXPECT_EQ(main.attachedSheet(), notice);
        clock.advance(1);
        EXPECT_EQ(app.init.labelSimCardUpdate_->stringValue(),
                  "Init_labelSimCardUpdate_CheckSmsPPDownloadEnd");
        clock.advance(3);
        EXPECT_FALSE(notice->isSheet());
        clock.advance(3);
        EXPECT_FALSE(notice->isSheet());
        EXPECT_EQ(main.attachedSheet(), nullptr);
        EXPECT_EQ(phonebook.selected, 2);
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(InitControllerOperators, RoamingAlertDomesticRoamingAndTheManualSearch)
{
    InitApp app(plainSettings({{"enableRoamAlert", true}, {"SearchRegistModel", true}}));
    InitController& init = app.init;
    // Shown once per roaming period: a second roaming report leaves it alone,
    // the home network makes the next one show it again.
    init.showRoamAlertWindow(0);
    ASSERT_TRUE(init.roamAlertWnd()->isVisible());
    EXPECT_EQ(init.roamwarnningText->stringValue(), "STRING_ROAM_ALERT_TEXT");
    init.closeRoamAlertWnd(nullptr);
    init.showRoamAlertWindow(0);
    EXPECT_FALSE(init.roamAlertWnd()->isVisible());
    init.showRoamAlertWindow(1);
    init.showRoamAlertWindow(0);
    EXPECT_TRUE(init.roamAlertWnd()->isVisible());

    // Without its switch a domestic roaming network stays roaming.
    EXPECT_EQ(init.closeRoamAtDomesticRoaming(0, "262", "262"), 0);

    // The manual search asks twice, then the switch is off and written.
    EXPECT_FALSE(init.checkSearchRegistStatus());
    EXPECT_TRUE(init.checkSearchRegistStatus());
    EXPECT_TRUE(init.checkSearchRegistStatus());
    EXPECT_FALSE(app.bundle.settingsOnDisk().value("SearchRegistModel").boolValue());
}

TEST(InitControllerOperators, TheRoamingImagesFollowTheRoamingState)
{
    ns::Dictionary init = plainSettings().value("Init").toDictionary().deepCopy();
    init.setValue("setRoamStatusForZudera", true);
    init.setValue("imageNameOfRoamOnForZudera", QString("rssi1"));
    init.setValue("imageNameOfRoamOffForZudera", QString("rssi2"));
    init.setValue("imageNameOfHomeNetSelectedForZudera", QString("simReady"));
    init.setValue("imageNameOfHomeNetUnSelectedForZudera", QString("noSim"));
    InitApp app(plainSettings({{"Init", init}}));
    InitController& controller = app.init;
    controller.awakeFromNib();
    ASSERT_FALSE(controller.imageViewOfRoamingStatusForZudera_->isHidden());
    struct Case {
        int state;
        const char* roaming;
        const char* home;
    };
    for (const Case& c :
         {Case{0, "rssi1", "noSim"}, Case{1, "rssi2", "simReady"}, Case{2, "rssi2", "noSim"}}) {
        controller.setRoamInfoWithNetworkRoamStatus(c.state);
        EXPECT_EQ(controller.imageViewOfRoamingStatusForZudera_->image().qImage(),
                  ns::Image::imageNamed(c.roaming).qImage())
            << c.state;
        EXPECT_EQ(controller.imageViewOfHomeNetWorkForZudera_->image().qImage(),
                  ns::Image::imageNamed(c.home).qImage())
            << c.state;
    }
}

TEST(InitControllerOperators, DomesticRoamingCountsAsHomeWhenConfigured)
{
    struct Case {
        int state;
        const char* local;
        const char* net;
        int result;
    };
    const Case cases[] = {
        {0, "262", "262", 1},   {0, "262", "228", 0}, {0, "", "", 0},
        {0, nullptr, "262", 0}, {1, "262", "262", 1}, {2, "262", "262", 2},
    };
    InitApp app(withSwitch("Internet", "CloseRoamAtDomesticRoaming", true));
    for (const Case& c : cases)
        EXPECT_EQ(app.init.closeRoamAtDomesticRoaming(c.state, c.local, c.net), c.result)
            << c.state << " " << (c.local ? c.local : "nil") << " " << c.net;
}

TEST(InitControllerOperators, AWhiteListedRoamingNetworkShowsTheSheetOnce)
{
    ns::Dictionary internet = plainSettings().value("Internet").toDictionary().deepCopy();
    internet.setValue("paySameAsHomeNetIfIsWhilteNet", true);
    internet.setValue("InternetWhiteList", ns::Dictionary{{"Partner", QString("22801")}});
    InitApp app(plainSettings({{"Internet", internet}}));
    ns::Window main(ns::Rect(0, 0, 400, 300), ns::TitledWindowMask);
    app.init.wndMain = &main;
    app.init.setMccmnc("22801");
    app.init.setNetworkRoamStatus(1);
    app.init.whiteListCheck();
    EXPECT_EQ(main.attachedSheet(), nullptr);

    app.init.setNetworkRoamStatus(0);
    app.init.whiteListCheck();
    ASSERT_EQ(main.attachedSheet(), app.init.winR3aWhiteCheck());
    EXPECT_FALSE(app.init.whiteListCheckFlag());
    EXPECT_EQ(app.init.tfdR3aRoamInWhiteList_->stringValue(), "roaminWhiteList");
    app.init.checkboxR3aWhiteCheck_->performClick(nullptr);
    EXPECT_FALSE(app.init.roamTipWhenInWhiteList());
    app.init.btnR3aWhiteCheck_->performClick(nullptr);
    EXPECT_EQ(main.attachedSheet(), nullptr);
}

TEST(InitControllerSetUp, ALanguageChangeRetitlesTheStatusAreaTheSheetsAndThePinMenuItems)
{
    InitApp app;
    InitController& init = app.init;
    ns::MenuItem enterPin, unlockPin;
    init.labelPINEnter_ = &enterPin;
    init.labelPINUnlock_ = &unlockPin;
    ns::Button nationalRoam(ns::Rect(0, 0, 120, 20));
    init.btnNroamSwitch_ = &nationalRoam;

    Lindora_Init(TRELVAN_FIXTURES_DIR "/device/German.txt");
    init.notifyChangeLanguage();
    EXPECT_EQ(init.m_network->stringValue(), "Kein Netz");
    EXPECT_EQ(enterPin.title(), "PIN eingeben");
    EXPECT_EQ(unlockPin.title(), "PIN entsperren");
    EXPECT_EQ(nationalRoam.title(), "Inlandsroaming");
    EXPECT_EQ(init.m_InitPinWindow->title(), "PIN-Prüfung");
    EXPECT_EQ(init.m_UnlockWin->title(), "Entsperren");
    EXPECT_EQ(init.wndUnlockDevice_->title(), "Gerätesperre");
    for (ns::Button* cancel : {init.btnPinCancel_, init.btnPukCancel_, init.btnUnlockCancel_,
                               init.cancelUnlockBtn, init.btnUnlockDeviceCancel_})
        EXPECT_EQ(cancel->title(), "Abbrechen");
}

TEST(InitControllerSetUp, TheSkinDressesTheStatusAreaAndTheCodeSheets)
{
    DeviceBundle bundle(plainSettings());
    ConfigManager store;
    QTemporaryDir skinDir;
    const ns::Dictionary font{{"FontName", "DejaVu Sans"}, {"FontSize", 17}};
    const ns::Dictionary blue{{"TextColorString", "0 0 1"}};
    ns::PropertyList::writeFile(
        skinDir.filePath("SkinInfo"),
        ns::Dictionary{
            {"labelInitNetwork", ns::Dictionary{{"Font", font}}},
            {"textPinCodeInit", ns::Dictionary{{"Font", font}}},
            {"labelUnlockCodeInit", blue},
            {"labelUnlockDeviceCountInit", blue},
            {"btnInitUnlockOK", ns::Dictionary{{"Left", 30}, {"Bottom", 8}, {"Width", 120}, {"Height", 28}}},
            {"wndSettingPuk", ns::Dictionary()}});
    JOVUIManager skin(store);
    ASSERT_TRUE(skin.loadUIResource(skinDir.path()));
    JOVMsgCenter center;
    FakeDial dial;
    InitController init(store);
    init.jovMsgCenter = &center;
    init.jovSkinManager = &skin;
    init.awakeFromNib();

    for (ns::TextField* field : std::initializer_list<ns::TextField*>{init.m_network, init.m_PinCode})
        EXPECT_EQ(field->font().pointSize(), 17);
    // One key dresses both the caption and the input of the unlock code.
    for (ns::TextField* field : {init.m_UnlockCode, init.labelUnlockDeviceCount_})
        EXPECT_EQ(field->textColor().qColor(), QColor(Qt::blue));
    EXPECT_EQ(skin.controllersByKey("labelUnlockCodeInit").size(), 2);
    EXPECT_EQ(init.btnUnlockOK_->frame(), ns::Rect(30, 8, 120, 28));
    EXPECT_EQ(skin.controllerByKey("wndSettingPuk"), init.m_InitPukWindow);
}
