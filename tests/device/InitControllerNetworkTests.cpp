// The initialisation controller's network, operator and identity handlers,
// fed with the device server's records as the message center hands them on.
#include "tests/device/DeviceTestSupport.h"

#include "tests/support/HalvexControl.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitController.h"
#include "device/InitNotifications.h"
#include "device/InitService.h"
#include "device/NetworkRegistration.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Window.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

using namespace device_test;

namespace
{

_UI_MSG record(MessageID id, const QByteArray& data, int8_t result = kResultSuccess)
{
    _UI_MSG msg{};
    msg.majorID = id.majorID;
    msg.minorID = id.minorID;
    msg.moduleID = kModuleInit;
    msg.type = kTypeReport;
    msg.result = result;
    std::memcpy(msg.data, data.constData(), size_t(std::min<qsizetype>(data.size(), sizeof msg.data)));
    return msg;
}

_UI_MSG rscpSignal(int32_t rssi, int32_t ecno, int32_t rscp)
{
    return record(msg::device::kCheckRscpSignalStatus,
                  PayloadWriter(12).setInt32(0, rssi).setInt32(4, ecno).setInt32(8, rscp).bytes());
}

_UI_MSG registeredNetwork(const QString& mcc, const QString& mnc, const QString& roaming,
                          const QString& name = QStringLiteral("Trelnet"))
{
    return record(msg::device::kCheckPLMN, PayloadWriter(324)
                                               .setText(0, 68, name)
                                               .setText(136, 36, mcc)
                                               .setText(172, 36, mnc)
                                               .setText(208, 36, roaming)
                                               .setText(244, 36, mcc)
                                               .setText(280, 36, mnc)
                                               .setInt32(316, 1)
                                               .setByte(320, 1)
                                               .bytes());
}

_UI_MSG netInfo(const QString& type, const QString& domain)
{
    return record(msg::device::kCheckNetInfo,
                  PayloadWriter(180).setText(40, 68, type).setText(108, 72, domain).bytes());
}

_UI_MSG textReport(MessageID id, const QString& text, int8_t result = kResultSuccess)
{
    return record(id, PayloadWriter(128).setText(0, 128, text).bytes(), result);
}

// The init_* notifications the network handlers post, and the IMSI's USSD match.
const QStringList kNetworkNames = {kSingalStrength,
                                   kNetworkStatus,
                                   kLocalSPN,
                                   kBelonetoSPN,
                                   kRoamStatus,
                                   kDomainName,
                                   QStringLiteral("ImsiMatchUssd")};

// The controller alone over plain settings changed by the given entries,
// with the SIM ready; a record may also go straight to one handler.
struct Controller : InitApp {
    explicit Controller(const ns::Dictionary& changes = ns::Dictionary()) : InitApp(plainSettings(changes))
    {
        init.setRuntimeObject(true, kRTSIMCardReady);
        InitService::sharedInitService().setImsi(QString());
    }

    void deliver(void (InitController::*handler)(ns::Notification*), const _UI_MSG& msg)
    {
        ns::Notification notification(
            messageNotificationName(msg.majorID, msg.minorID), &center,
            ns::Dictionary{{kMsgUserInfo, QByteArray(reinterpret_cast<const char*>(&msg), sizeof msg)}});
        (init.*handler)(&notification);
    }

    Posted posted{kNetworkNames};
};

} // namespace

TEST(InitControllerSignal, EachFormReachesTheStatusAreaAsALevel)
{
    const struct {
        const char* form;
        _UI_MSG report;
        void (InitController::*handler)(ns::Notification*);
        int level;
    } cases[] = {
        {"signal strength only, at the top band", rscpSignal(81, 1000, 1000),
         &InitController::dealWithMsgOfCheckJrssiSignalStatus, 5},
        {"signal strength only, one below", rscpSignal(82, 1000, 1000),
         &InitController::dealWithMsgOfCheckJrssiSignalStatus, 4},
        {"code power and quality, truncated halves", rscpSignal(60, 16, 183),
         &InitController::dealWithMsgOfCheckJrssiSignalStatus, 5},
        {"code power one step weaker", rscpSignal(60, 16, 184),
         &InitController::dealWithMsgOfCheckJrssiSignalStatus, 4},
        {"second family GSM",
         record(msg::device::kCheckSignalStatusSecondFamily,
                PayloadWriter(16).setInt32(0, 1).setInt32(4, -95).bytes()),
         &InitController::dealWithMsgOfCheckSignalStatusIcera, 2},
        {"second family UMTS",
         record(msg::device::kCheckSignalStatusSecondFamily,
                PayloadWriter(16).setInt32(0, 2).setInt32(8, -80).setInt32(12, -9).bytes()),
         &InitController::dealWithMsgOfCheckSignalStatusIcera, 4},
        {"WCDMA index", record(msg::device::kCheckSignalStatus, PayloadWriter(4).setInt32(0, 14).bytes()),
         &InitController::dealWithMsgOfCheckSignalStatus, 4},
    };
    Controller test;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        test.deliver(c.handler, c.report);
        EXPECT_EQ(test.posted.last(kSingalStrength), ns::Value(c.level));
    }

    // The CDMA mark sends the record to the magnitudes, which also name the network.
    _UI_MSG cdma =
        record(msg::device::kCheckSignalStatus, PayloadWriter(8).setInt32(0, 120).setInt32(4, 70).bytes());
    cdma.tail[2] = '1';
    test.deliver(&InitController::dealWithMsgOfCheckSignalStatus, cdma);
    EXPECT_EQ(test.posted.last(kSingalStrength), ns::Value(0));
    EXPECT_EQ(test.posted.last(kNetworkStatus), ns::Value("EVDO"));

    // Without a ready SIM every level shows as none.
    test.init.setRuntimeObject(false, kRTSIMCardReady);
    test.deliver(&InitController::dealWithMsgOfCheckJrssiSignalStatus, rscpSignal(60, 1000, 1000));
    EXPECT_EQ(test.posted.last(kSingalStrength), ns::Value(0));
}

TEST(InitControllerSignal, AFallToNothingArmsTheWarningOnlyWhereItIsDue)
{
    const ns::Dictionary settings{
        {"Internet", ns::Dictionary{{"r3aAlertSel3G_PreferWhenSignalToNoSignal", true}}},
        {"Main", ns::Dictionary{{"timeToAlertSel3G_PreferIfNoSigal", 30.0}}}};
    const auto fall = [&](int preference, bool allowed) {
        Controller test(settings);
        test.settings.preferedMode = preference;
        test.init.setAllowAlertSel3GPreferWhenSignalToNoSignal(allowed);
        test.deliver(&InitController::dealWithMsgOfCheckJrssiSignalStatus, rscpSignal(70, 1000, 1000));
        EXPECT_FALSE(test.init.isNoSignalAlertPending());
        test.deliver(&InitController::dealWithMsgOfCheckJrssiSignalStatus, rscpSignal(120, 1000, 1000));
        return test.init.isNoSignalAlertPending();
    };
    EXPECT_TRUE(fall(1, true));
    EXPECT_FALSE(fall(2, true));
    EXPECT_FALSE(fall(1, false));
}

TEST(InitControllerNetwork, TheDomainAndNetworkTypeGoToTheStatusArea)
{
    const struct {
        const char* type;
        const char* domain;
        const char* shown;
        const char* domainText;
    } cases[] = {
        {"HSDPA", "CS_PS", "HSDPA+", "P C"},
        {"UMTS", "CS_ONLY", "UMTS+", "C"},
        {"EDGE", "PS_ONLY", "EDGE+", "P"},
        {"HSDPA", "LIMITED", "No Service", ""},
    };
    Controller test(
        {{"Main", ns::Dictionary{{"displayNetTypeAccordingRudiv", true}, {"AppendingString", "+"}}}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.domain);
        test.deliver(&InitController::dealWithMsgOfCheckNetInfo, netInfo(c.type, c.domain));
        EXPECT_EQ(test.posted.last(kNetworkStatus), ns::Value(c.shown));
        EXPECT_EQ(test.posted.last(kDomainName), ns::Value(c.domainText));
    }
    // No service also takes the roaming state and both operator names away.
    EXPECT_EQ(test.posted.last(kRoamStatus), ns::Value(2));
    EXPECT_EQ(test.posted.last(kLocalSPN), ns::Value(""));
    EXPECT_EQ(test.posted.last(kBelonetoSPN), ns::Value(""));
}

TEST(InitControllerNetwork, RoamingTransitionsMoveTheConnection)
{
    Controller test({{"Internet", ns::Dictionary{{"autoConnectWhenRoamToNoRoam", true}}}});
    test.settings.autoConnect = true;
    test.deliver(&InitController::dealWithMsgOfCheckNetInfo, netInfo("UMTS", "CS_PS"));

    // The first report after start makes no transition.
    test.deliver(&InitController::dealWithMsgOfCheckPLMN, registeredNetwork("262", "01", "ROAM_ON"));
    EXPECT_EQ(test.init.roamTransferMode(), kRoamNoChange);
    EXPECT_EQ(test.posted.last(kRoamStatus), ns::Value(0));

    // Home again on another network: the idle connection is made again.
    test.deliver(&InitController::dealWithMsgOfCheckPLMN, registeredNetwork("001", "01", "ROAM_OFF"));
    EXPECT_EQ(test.init.roamTransferMode(), kRoamToHome);
    EXPECT_EQ(test.dial.requests, (QStringList{"setApnCycleEnable(1)", "reconnect(1)"}));

    // Roaming on another network while connected: the connection ends.
    test.dial.requests.clear();
    test.dial.status = DialControlling::Connected;
    test.deliver(&InitController::dealWithMsgOfCheckPLMN, registeredNetwork("262", "02", "ROAM_ON"));
    EXPECT_EQ(test.init.roamTransferMode(), kHomeToRoam);
    EXPECT_EQ(test.dial.requests, QStringList{"DialDisconnect()"});

    // A report without the roaming state leaves no network and no transition.
    test.deliver(&InitController::dealWithMsgOfCheckPLMN, registeredNetwork("262", "02", "ROAM_UNKNOWN"));
    EXPECT_EQ(test.init.mccmnc(), "");
    EXPECT_EQ(test.init.registeredNetworkRoamStatus(), kRoamStatusRoaming);
}

TEST(InitControllerNetwork, AHiddenRoamingNetworkCountsAsHome)
{
    Controller test(
        {{"Init", ns::Dictionary{{"Init_HideRoamStatus_IfMatchedSpecialMCCMNC", ns::Array{"26201"}}}}});
    test.deliver(&InitController::dealWithMsgOfCheckNetInfo, netInfo("UMTS", "CS_PS"));
    test.deliver(&InitController::dealWithMsgOfCheckPLMN, registeredNetwork("262", "01", "ROAM_ON"));
    EXPECT_EQ(test.posted.last(kRoamStatus), ns::Value(1));
    EXPECT_EQ(test.init.registeredNetworkRoamStatus(), kRoamStatusHome);
}

TEST(InitControllerNetwork, FallingFromUmtsWhileConnectedBringsTheRoamingAlertForward)
{
    const struct {
        bool alertSwitch;
        int connectStatus;
        const char* previous;
        const char* current;
        bool shown;
    } cases[] = {
        {true, DialControlling::Connected, "UMTS", "GSM", true},
        {true, DialControlling::Idle, "UMTS", "GSM", false},
        {false, DialControlling::Connected, "UMTS", "GSM", false},
        {true, DialControlling::Connected, "GSM", "UMTS", false},
        {true, DialControlling::Connected, "UMTS", "UMTS", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.previous << " to " << c.current << " status " << c.connectStatus
                                        << " switch " << c.alertSwitch);
        Controller test({{"Internet", ns::Dictionary{{"Internet_RoamAlertAtNetFrom3GTo2G", c.alertSwitch}}}});
        test.dial.status = c.connectStatus;
        test.init.compareAccessTechnology(c.previous, c.current);
        EXPECT_EQ(test.init.roamAlertWnd()->isVisible(), c.shown);
    }
}

TEST(InitControllerNetwork, CellAndAreaCodesAreShownInDecimal)
{
    const auto cell = [](const ns::Dictionary& settings) {
        Controller test(settings);
        test.deliver(
            &InitController::dealWithMsgOfCheckRoamInfo,
            record(
                msg::device::kCheckRoamInfo,
                PayloadWriter(28).setInt32(0, 1).setText(4, 10, "2A1F").setText(14, 14, "0001A2B3").bytes()));
        EXPECT_EQ(test.init.locationAreaCode(), "10783");
        return test.init.cellIdentity();
    };
    EXPECT_EQ(cell(ns::Dictionary()), "107187");
    EXPECT_EQ(cell({{"CellId", ns::Dictionary{{"ShowLastNum", 4}}}}), "41651");
}

TEST(InitControllerOperator, AThreeDigitMncNetworkIsOneCodeForHomeNamesAndProfiles)
{
    Controller test({{"APNMatchWithMCCMNC", true}});
    test.deliver(&InitController::dealWithMsgOfCheckCIMI,
                 textReport(msg::device::kCheckCIMI, "310260123456789"));
    test.deliver(
        &InitController::dealWithMsgOfCheckSPN,
        textReport(msg::device::kCheckSPN, "00" + QString("Tmoble").toLatin1().toHex() + "FFFFFFFF"));
    test.deliver(&InitController::dealWithMsgOfCheckNetInfo, netInfo("UMTS", "CS_PS"));
    test.deliver(&InitController::dealWithMsgOfCheckPLMN,
                 registeredNetwork("310", "260", "ROAM_OFF", "Carrier"));
    test.deliver(&InitController::dealWithMsgOfCheckPLMN,
                 registeredNetwork("310", "260", "ROAM_OFF", "Carrier"));

    EXPECT_EQ(test.init.mccmnc(), "310260");
    // At home with display condition 0: the SIM's name only.
    EXPECT_EQ(test.posted.last(kBelonetoSPN), ns::Value("Tmoble"));
    EXPECT_EQ(test.posted.last(kLocalSPN), ns::Value(""));
    // The same network twice chooses the profile once, and the choice is kept.
    EXPECT_EQ(test.dial.requests, QStringList{"resetDefaultProfileWithMCCMNC(310260)"});
    EXPECT_EQ(test.store.getConfigurationByModule("CurrentMCCMNC").toString(), "310260");
}

TEST(InitControllerIdentity, TheImsiIsTakenOncePerSimAndTheSameSimResetsNothing)
{
    const ns::Dictionary settings{{"ImsiMatchApn", true},
                                  {"ImsiMatchUssdCode", true},
                                  {"SMS", ns::Dictionary{{"NeedSendActiveSIMCardSMS", false}}}};
    const QString imsi = "262019900123456";
    {
        Controller test(settings);
        test.deliver(&InitController::dealWithMsgOfCheckCIMI, textReport(msg::device::kCheckCIMI, imsi));
        EXPECT_EQ(test.init.imsi(), imsi);
        EXPECT_EQ(test.dial.requests, QStringList{"resetDefaultProfileWithImsiAll(" + imsi + ")"});
        // The match by IMSI took the code first, so no USSD notification.
        EXPECT_TRUE(test.posted.of("ImsiMatchUssd").isEmpty());
        // The eighth digit '0' makes the activation message due.
        EXPECT_TRUE(test.store.getConfigurationByModuleAndKey("SMS", "NeedSendActiveSIMCardSMS").boolValue());
        EXPECT_EQ(InitService::sharedInitService().isHomeOrFriendly("26201"), "26201");

        // A second reply is ignored without the diagnostics' refresh.
        test.deliver(&InitController::dealWithMsgOfCheckCIMI,
                     textReport(msg::device::kCheckCIMI, "001019990123456"));
        EXPECT_EQ(test.init.imsi(), imsi);
    }
    // The same SIM after a restart: no profile reset.
    Controller again({{"ImsiMatchApn", true}, {"ImsiMatchUssdCode", true}, {"SimImsiCode", imsi}});
    again.deliver(&InitController::dealWithMsgOfCheckCIMI, textReport(msg::device::kCheckCIMI, imsi));
    EXPECT_TRUE(again.dial.requests.isEmpty());
    EXPECT_TRUE(again.posted.of("ImsiMatchUssd").isEmpty());

    // A failed reply in the looped query takes the SIM back and lets the next one through.
    Controller looped({{"sendCIMICmdInLoop", true}});
    looped.deliver(&InitController::dealWithMsgOfCheckCIMI,
                   textReport(msg::device::kCheckCIMI, QString(), kResultFailure));
    EXPECT_FALSE(looped.init.runtimeObjectForKey(kRTSIMCardReady).boolValue());
}

TEST(InitControllerIdentity, IdentityTextsAreKeptWithinTheirWidths)
{
    Controller test;
    test.deliver(&InitController::dealWithMsgOfCheckFWVERSION,
                 textReport(msg::device::kCheckFWVersion, "11.608"));
    test.deliver(&InitController::dealWithMsgOfCheckModemModel,
                 textReport(msg::device::kCheckModemModel, QString(40, 'M')));
    test.deliver(&InitController::dealWithMsgOfCheckPhoneNumber,
                 textReport(msg::device::kCheckPhoneNumber, "+4915112345678"));
    EXPECT_EQ(test.init.getFWVersionWithCGMR(), "11.608");
    EXPECT_EQ(test.init.deviceModel(), QString(32, 'M'));
    EXPECT_EQ(test.settings.smartModel, QString(32, 'M'));
    EXPECT_EQ(test.init.getPhoneNum(), "+4915112345678");

    // A failed number clears the run-time one; a failed version keeps the old one.
    test.deliver(&InitController::dealWithMsgOfCheckPhoneNumber,
                 textReport(msg::device::kCheckPhoneNumber, "123", kResultFailure));
    test.deliver(&InitController::dealWithMsgOfCheckFWVERSION,
                 textReport(msg::device::kCheckFWVersion, "12.0", kResultFailure));
    EXPECT_EQ(test.init.getPhoneNum(), "");
    EXPECT_EQ(test.init.getFWVersionWithCGMR(), "11.608");
}

TEST(InitControllerIdentity, TheOwnNumberFieldsShowTheNumberAFailedReplyStillCarries)
{
    Controller test;
    ns::TextField content(ns::Rect(0, 0, 200, 20));
    ns::TextField sentence(ns::Rect(0, 0, 200, 20));
    test.init.tfdOwnNumContent_ = &content;
    test.init.tfdOwnNumUI_ = &sentence;
    test.deliver(&InitController::dealWithMsgOfCheckPhoneNumber,
                 textReport(msg::device::kCheckPhoneNumber, "+5511987654321"));
    EXPECT_EQ(content.stringValue(), "+5511987654321");
    EXPECT_EQ(sentence.stringValue(), "Main_btnNumberForBrazil:+5511987654321");
    EXPECT_TRUE(test.init.getSmartUITopFrontSizeFlag());

    // A refused reply empties the run-time number, yet its text still reaches
    // the fields; an empty one leaves the sentence as it was.
    test.deliver(&InitController::dealWithMsgOfCheckPhoneNumber,
                 textReport(msg::device::kCheckPhoneNumber, "777", kResultFailure));
    EXPECT_EQ(test.init.getPhoneNum(), "");
    EXPECT_EQ(content.stringValue(), "777");
    EXPECT_EQ(sentence.stringValue(), "Main_btnNumberForBrazil:777");
    test.deliver(&InitController::dealWithMsgOfCheckPhoneNumber,
                 textReport(msg::device::kCheckPhoneNumber, QString()));
    EXPECT_EQ(content.stringValue(), "");
    EXPECT_EQ(sentence.stringValue(), "Main_btnNumberForBrazil:777");
    test.init.tfdOwnNumContent_ = nullptr;
    test.init.tfdOwnNumUI_ = nullptr;
}

TEST(InitControllerNetwork, TheStatusAreaFollowsTheModemsSignalNetworkAndOperator)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start());
    DeviceApp app(shippedSettings(), Runtime::Current);
    Posted posted{kNetworkNames};
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.getNetCardStatus() == MainController::kSimReady; }, 20000));
    const auto shows = [&](const QString& name, const ns::Value& value) {
        return QTest::qWaitFor([&] { return posted.last(name) == value; }, 10000);
    };
    ASSERT_TRUE(shows(kNetworkStatus, "HSDPA"));
    // At home, with the SIM's display condition 0, the SIM's name alone.
    ASSERT_TRUE(shows(kBelonetoSPN, "Trelnet"));
    EXPECT_EQ(posted.last(kLocalSPN), ns::Value(""));

    const struct {
        const char* step;
        ns::Dictionary arguments;
        QString notification;
        ns::Value value;
    } steps[] = {
        {"signal", {{"level", 1}}, kSingalStrength, 1},
        {"network", {{"type", 3}, {"domain", 3}}, kNetworkStatus, "EDGE"},
        {"network", {{"type", 4}, {"domain", 1}}, kDomainName, "C"},
        {"signalform", {{"form", 1}}, kSingalStrength, 1},
        {"signal", {{"level", 4}}, kSingalStrength, 4},
        {"signalform", {{"form", 3}}, kSingalStrength, 4},
        {"roaming", {{"roaming", 1}}, kRoamStatus, 0},
        {"roaming", {{"roaming", 0}}, kRoamStatus, 1},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        posted.seen.clear();
        ASSERT_EQ(halvex.step(s.step, s.arguments), "");
        EXPECT_TRUE(shows(s.notification, s.value));
    }

    // The SIM's name in each coding is the home name once the network is reported again.
    for (int coding = 0; coding <= 3; ++coding) {
        SCOPED_TRACE(coding);
        posted.seen.clear();
        ASSERT_EQ(halvex.step("spn", {{"coding", coding}, {"condition", 1}}), "");
        ASSERT_EQ(halvex.step("roaming", {{"roaming", 0}}), "");
        EXPECT_TRUE(shows(kBelonetoSPN, "Trelnet"));
    }
}
