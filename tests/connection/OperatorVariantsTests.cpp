// The operator variants of the Internet tab: the Vazo volume warnings on
// the poll, the account asked before dialling and the operators' connect
// buttons. The connection polls on the manual clock; the saved history is a
// fake with the totals each case needs.
#include "app/language/Language.h"
#include "connection/DialController.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AlertAnswering.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

using namespace dial_test;
using appkit_test::AlertAnswerer;

namespace
{

// A PPP connection that is up under those "Record" settings, polled on the clock.
struct VazoApp {
    explicit VazoApp(const ns::Dictionary& record) : app(withSettings({{"Record", record}}))
    {
        app.dial.DialConnect();
        app.dial.setDialBtnWithStatus(true);
    }
    // The traffic so far: part saved in earlier records, 1,000 KB in this connection.
    void dataUsed(double kilobytes)
    {
        saved.kilobytes = float(kilobytes - 1000);
        app.dial.m_sendData = app.dial.m_receiveData = 1000 * 1024 / 2;
    }
    void timeUsed(long seconds)
    {
        saved.seconds = seconds - 600;
        app.dial.m_connecttime = 600;
    }
    // The warnings one poll tick shows, each answered.
    QList<QStringList> poll()
    {
        AlertAnswerer ok;
        app.clock.advance(0.1);
        return ok.alerts;
    }

    DialApp app;
    FakeHistory saved;
};

// A 100 MB data limit with every band's warning on.
ns::Dictionary dataLimit(const ns::Dictionary& changes = ns::Dictionary())
{
    ns::Dictionary record{{"LimitSetValue", 100},      {"LimitSetType", 0},
                          {"DataLimitSet", true},      {"WarningForLimit100", true},
                          {"WarningForLimit80", true}, {"WarningForLimit75", true},
                          {"WarningForLimit50", true}, {"WarningForLimit25", true}};
    for (const auto& [key, value] : changes)
        record.setValue(key, value);
    return record;
}

// The texts of the one warning alert with the message; none for null.
QList<QStringList> warning(const char* message)
{
    if (!message)
        return {};
    return {{translated("Warning!"), translated(message)}};
}

const char* const kData100 = "The preset limit on the data volume that is set on the modem has now reached.";
const char* const kData80 = "Total data is reaching 80 percent of the limit";
const char* const kData75 = "Total data is reaching 75 percent of the limit";
const char* const kData50 = "Total data is reaching 50 percent of the limit";
const char* const kData25 = "Total data is reaching 25 percent of the limit";
const char* const kTime100 = "The preset limit on the time volume that is set on the modem has now reached.";
const char* const kTime80 = "Total time is reaching 80 percent of the limit.";

} // namespace

TEST(VazoWarnings, DataShowsTheOneBandPassedStrictly)
{
    struct Case {
        double kilobytes;
        const char* message; // null: no warning
        ns::Dictionary changes;
    };
    // 100 MB is 102,400 KB; exactly 80 % (81,920 KB) falls in the 75 % band.
    const Case cases[] = {
        {102401, kData100, {}},
        {102400, kData80, {}},
        {81921, kData80, {}},
        {81920, kData75, {}},
        {76801, kData75, {}},
        {76800, kData50, {}},
        {51201, kData50, {}},
        {25601, kData25, {}},
        {25600, nullptr, {}},
        // The band reached is the only one tested, even with its warning off.
        {81920, nullptr, {{"WarningForLimit75", false}}},
        // A data limit without "DataLimitSet" warns of nothing.
        {102401, nullptr, {{"DataLimitSet", false}}},
        {102401, nullptr, {{"LimitSetValue", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kilobytes);
        VazoApp vazo(dataLimit(c.changes));
        vazo.dataUsed(c.kilobytes);
        EXPECT_EQ(vazo.poll(), warning(c.message));
    }
}

TEST(VazoWarnings, EachBandWarnsOncePerConnection)
{
    VazoApp vazo(dataLimit());
    vazo.dataUsed(30000);
    EXPECT_EQ(vazo.poll().size(), 1);
    EXPECT_TRUE(vazo.poll().isEmpty());
    vazo.dataUsed(60000);
    EXPECT_EQ(vazo.poll().size(), 1);
    EXPECT_TRUE(vazo.poll().isEmpty());
}

TEST(VazoWarnings, ARecordedConnectionIsNotCountedTwice)
{
    VazoApp vazo(dataLimit());
    // 102,000 KB saved, the running 1,000 KB among them.
    vazo.saved.kilobytes = 102000;
    vazo.app.dial.m_sendData = vazo.app.dial.m_receiveData = 1000 * 1024 / 2;
    vazo.app.dial.saveRecordFlag = true;
    EXPECT_EQ(vazo.poll(), warning(kData80));
}

TEST(VazoWarnings, TimeCountsWholeHours)
{
    struct Case {
        long seconds;
        const char* message;
        bool limitWarning;
    };
    // 1.5 hours counts as 3,600 s; without the limit's warning nothing shows
    // past it, not even the 80 % one.
    const Case cases[] = {
        {3601, kTime100, true}, {3600, kTime80, true},  {2881, kTime80, true},
        {2880, nullptr, true},  {3601, nullptr, false}, {3600, kTime80, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        VazoApp vazo({{"LimitSetValue", 1.5},
                      {"LimitSetType", 1},
                      {"WarningForLimit100", c.limitWarning},
                      {"WarningForLimit80", true}});
        vazo.timeUsed(c.seconds);
        EXPECT_EQ(vazo.poll(), warning(c.message));
        EXPECT_TRUE(vazo.poll().isEmpty());
    }
}

namespace
{

// The Internet view over one profile that asks for its account, with
// "Internet"/"CheckAPNAccount" on and the connect controls enabled.
struct AccountApp {
    explicit AccountApp(const ns::Dictionary& profile)
        : app(withSettings(ns::Dictionary(), {{"CheckAPNAccount", true}}))
    {
        ns::PropertyList::writeFile(profilePath(), ns::Array{profile});
        app.dial.loadDialConfig();
        app.enableButtons();
    }
    QString profilePath() const { return app.bundle.dataFolder() + QStringLiteral("/dialConfig.plist"); }
    ns::Dictionary onDisk() const
    {
        return ns::PropertyList::readArray(profilePath()).value_or(ns::Array()).at(0).toDictionary();
    }
    bool asking() const { return app.dial.wndCheckAccount_ && app.dial.wndCheckAccount_->isVisible(); }

    DialApp app;
};

const ns::Dictionary kAsking{{"provider", "Mine"},         {"apnName", "mine.apn"},
                             {"askUsernameFlag", true},    {"accountName", "stored"},
                             {"password", "storedSecret"}, {"saveUsernameFlag", 1}};

} // namespace

TEST(AccountWindow, AProfileThatDoesNotAskDialsAtOnce)
{
    ns::Dictionary quiet = kAsking.copy();
    quiet.setValue("askUsernameFlag", false);
    AccountApp account(quiet);
    account.app.dial.m_ConnectButton->performClick(nullptr);
    account.app.settle();
    EXPECT_FALSE(account.asking());
    EXPECT_EQ(account.app.dial.connectStatus(), 1);
}

TEST(AccountWindow, OKDialsOnceAndKeepsTheAccountOnlyWhenAskedTo)
{
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save);
        AccountApp account(kAsking);
        account.app.dial.m_ConnectButton->performClick(nullptr);
        account.app.settle();
        ASSERT_TRUE(account.asking());
        EXPECT_EQ(account.app.dial.connectStatus(), 0);
        EXPECT_EQ(account.app.dial.tfCheckUsername_->stringValue(), "stored");
        EXPECT_EQ(account.app.dial.tfCheckPassword_->stringValue(), "storedSecret");
        EXPECT_EQ(account.app.dial.checkSaveAccount_->state(), 1);

        account.app.dial.tfCheckUsername_->setStringValue("typed");
        account.app.dial.tfCheckPassword_->setStringValue("typedSecret");
        if (!save)
            account.app.dial.checkSaveAccount_->performClick(nullptr);
        account.app.dial.btnCheckOK_->performClick(nullptr);
        EXPECT_FALSE(account.asking());
        EXPECT_FALSE(account.app.dial.m_ConnectButton->isEnabled());
        account.app.settle();
        // One connect: a second action would cancel the connection being made.
        EXPECT_EQ(account.app.dial.connectStatus(), 1);

        const ns::Dictionary stored = account.onDisk();
        EXPECT_EQ(stored.value("accountName").toString(), save ? "typed" : "");
        EXPECT_EQ(stored.value("password").toString(), save ? "typedSecret" : "");
        EXPECT_EQ(stored.value("saveUsernameFlag").intValue(), save ? 1 : 0);
    }
}

TEST(AccountWindow, CancelDialsNothingAndChangesNothing)
{
    AccountApp account(kAsking);
    account.app.dial.m_ConnectButton->performClick(nullptr);
    account.app.settle();
    account.app.dial.tfCheckUsername_->setStringValue("typed");
    account.app.dial.btnCheckCancel_->performClick(nullptr);
    account.app.settle();
    EXPECT_FALSE(account.asking());
    EXPECT_EQ(account.app.dial.connectStatus(), 0);
    EXPECT_EQ(account.onDisk().value("accountName").toString(), "stored");
}

TEST(OperatorConnectButtons, OneClickIsOneConnectAction)
{
    // A question before every connect: one action, so the user is asked once.
    DialApp app(withSettings(ns::Dictionary(), {{"PopUpConnectWaring", true}}));
    app.enableButtons();
    AlertAnswerer ok;
    app.dial.dialOptionExt(app.dial.btnConnectSimple);
    app.settle();
    EXPECT_EQ(ok.alerts.size(), 1);
    EXPECT_EQ(app.dial.connectStatus(), 1);
}

namespace
{

void postNetworkStatus(const QString& status)
{
    ns::NotificationCenter::defaultCenter().postNotificationName(
        QStringLiteral("init_NetworkStatus"), nullptr, ns::Dictionary{{"init_NetworkStatus", status}});
}

} // namespace

TEST(NoServiceDisconnect, EndsAConnectionThatStaysWithoutService)
{
    struct Case {
        const char* lost;
        const char* back; // null: the service does not come back
        bool connected;
        double waited;
        int after;
    };
    const Case cases[] = {
        {"No Service", nullptr, true, 29.9, 3},      {"No Service", nullptr, true, 30.1, 2},
        {"Limited Service", nullptr, true, 30.1, 2}, {"", nullptr, true, 30.1, 2},
        {"No Service", "WCDMA", true, 60, 3},        {"No Service", nullptr, false, 60, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lost << " " << (c.back ? c.back : "-") << " " << c.waited);
        DialApp app(withSettings({{"NetworkServiceMonitor", true}, {"ServiceTimerInterval", 30}}));
        if (c.connected) {
            app.dial.DialConnect();
            app.dial.setDialBtnWithStatus(true);
        }
        postNetworkStatus(QString::fromLatin1(c.lost));
        app.clock.advance(10);
        // A second report without service does not start the wait again.
        postNetworkStatus(QString::fromLatin1(c.lost));
        if (c.back)
            postNetworkStatus(QString::fromLatin1(c.back));
        app.clock.advance(c.waited - 10);
        EXPECT_EQ(app.dial.connectStatus(), c.after);
    }
}

TEST(NoServiceDisconnect, WaitsAMinuteUnlessSetAndOnlyWhenMonitored)
{
    for (const bool monitored : {true, false}) {
        SCOPED_TRACE(monitored);
        DialApp app(withSettings({{"NetworkServiceMonitor", monitored}}));
        app.dial.DialConnect();
        app.dial.setDialBtnWithStatus(true);
        postNetworkStatus(QStringLiteral("No Service"));
        app.clock.advance(59.9);
        EXPECT_EQ(app.dial.connectStatus(), 3);
        app.clock.advance(0.2);
        EXPECT_EQ(app.dial.connectStatus(), monitored ? 2 : 3);
    }
}

TEST(CloseWithoutAsking, EndsTheConnectionOnceByItsType)
{
    struct Case {
        bool configured;
        int state;
        bool disconnects;
    };
    for (const Case& c :
         {Case{true, 3, true}, Case{true, 1, true}, Case{true, 0, false}, Case{false, 3, false}}) {
        SCOPED_TRACE(testing::Message() << c.configured << " state " << c.state);
        DialApp app(
            withSettings({{"MAINFORM", ns::Dictionary{{"CloseAppWihoutQueryConnection", c.configured}}}}));
        app.dial.setConnectStatus(c.state);
        app.dial.performCloseActionForZID();
        EXPECT_EQ(app.dial.connectStatus(), c.disconnects ? 2 : c.state);
        // Closing again does not disconnect again.
        app.dial.setConnectStatus(c.state);
        app.dial.performCloseActionForZID();
        EXPECT_EQ(app.dial.connectStatus(), c.state);
    }
}

TEST(AfterConnecting, WarnsWhenRoamingOutsideTheWhiteList)
{
    struct Case {
        bool configured;
        int roamStatus;
        bool warns;
    };
    for (const Case& c : {Case{true, 0, true}, Case{true, 1, false}, Case{false, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.configured << " roam " << c.roamStatus);
        DialApp app(withSettings(ns::Dictionary(), {{"alertWhenRoamConnectedAndIsBlackNet", c.configured}}));
        app.init.roamStatus = c.roamStatus;
        app.dial.DialConnect();
        AlertAnswerer ok;
        app.dial.setDialBtnWithStatus(true);
        EXPECT_EQ(ok.showed(translated("connectedNotInWhiteList")), c.warns);
    }
}

TEST(ConnectButtonImage, ByStateWithTheLanguagesOwnFileFirst)
{
    DialApp app(
        withSettings({{"CurrentLanguage", "English"}}, {{"ConnectBtnDisplayWithImage", true},
                                                        {"ConnectButton_imageName", "idle.png"},
                                                        {"ConnectDisabledButton_imageName", "off.png"},
                                                        {"DisconnectButton_imageName", "on.png"},
                                                        {"CancelButton_imageName", "cancel.png"}}));
    // Each file told apart by its width; the idle image also in English.
    const QString resources = app.bundle.resourcePath() + QLatin1Char('/');
    for (const auto& [file, width] :
         {std::pair{"idle.png", 10}, std::pair{"off.png", 11}, std::pair{"on.png", 12},
          std::pair{"cancel.png", 13}, std::pair{"Englishidle.png", 20}}) {
        QImage image(width, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(resources + QString::fromLatin1(file)));
    }
    struct Case {
        int state;
        bool enabled;
        double width;
    };
    for (const Case& c :
         {Case{0, true, 20}, Case{0, false, 11}, Case{1, false, 13}, Case{2, false, 11}, Case{3, true, 12}}) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " enabled " << c.enabled);
        app.dial.setConnectStatus(c.state);
        app.dial.setConnectBtnEnable(c.enabled);
        EXPECT_EQ(app.dial.m_ConnectButton->image().pixelSize().width, c.width);
        EXPECT_EQ(app.dial.btnConnectSimple->image().pixelSize().width, c.width);
    }
    // A missing file leaves the image as it is.
    QFile::remove(resources + QStringLiteral("cancel.png"));
    app.dial.setConnectStatus(1);
    app.dial.setConnectBtnImage();
    EXPECT_EQ(app.dial.m_ConnectButton->image().pixelSize().width, 12);
}

namespace
{

// A PPP connection over a profile of the provider "Mine", brought up as the
// device reports it; the pages it opens are taken, not shown.
struct FirstConnectApp {
    FirstConnectApp(const ns::Dictionary& top, const ns::Dictionary& internet)
        : app(withSettings(top, internet))
    {
        ns::PropertyList::writeFile(app.bundle.dataFolder() + QStringLiteral("/dialConfig.plist"),
                                    ns::Array{ns::Dictionary{{"provider", "Mine"}, {"apnName", "mine.apn"}}});
        app.dial.loadDialConfig();
    }
    // A connect and the given number of connected replies.
    QStringList connect(int replies = 1)
    {
        links.urls.clear();
        app.dial.DialConnect();
        for (int i = 0; i < replies; ++i)
            app.dial.setPPPConnectedStatusWithTime(i + 1, 0, 0);
        QStringList opened;
        for (const QUrl& url : links.urls)
            opened << url.toString();
        return opened;
    }

    DialApp app;
    device_test::OpenedLinks links;
};

} // namespace

TEST(FirstConnect, OpensTheProvidersPageThenTheSimsOncePerConnection)
{
    FirstConnectApp first(
        {{"IMSI", "460011234567890"},
         {"OpenURLSettings",
          ns::Array{
              ns::Dictionary{{"APNProvider", "Other"}, {"AutoOpen", true}, {"URL", "http://other.example/"}},
              ns::Dictionary{{"APNProvider", "Mine"}, {"AutoOpen", true}, {"URL", "http://mine.example/"}}}}},
        {{"IMSIAndWebPage", ns::Dictionary{{"46001", "sim.example/"}}}});
    const QStringList pages{"http://mine.example/", "http://sim.example/"};
    EXPECT_EQ(first.connect(3), pages);
    // The next connection opens them again.
    EXPECT_EQ(first.connect(), pages);
}

TEST(FirstConnect, TheProvidersFirstEntryDecides)
{
    FirstConnectApp first(
        {{"OpenURLSettings",
          ns::Array{
              ns::Dictionary{{"APNProvider", "Mine"}, {"AutoOpen", false}, {"URL", "http://first.example/"}},
              ns::Dictionary{
                  {"APNProvider", "Mine"}, {"AutoOpen", true}, {"URL", "http://second.example/"}}}}},
        {});
    EXPECT_TRUE(first.connect().isEmpty());
}

TEST(FirstConnect, TheSimsPageIsTheFirstMatchingPrefixInTheTablesOrder)
{
    struct Case {
        const char* imsi;
        ns::Dictionary table;
        const char* page; // null: none
    };
    const Case cases[] = {
        {"460011234567890",
         {{"46001", "short.example/"}, {"460011", "https://long.example/"}},
         "http://short.example/"},
        {"460011234567890",
         {{"460011", "https://long.example/"}, {"46001", "short.example/"}},
         "https://long.example/"},
        {"310260123456789", {{"46001", "short.example/"}}, nullptr},
        {"", {{"46001", "short.example/"}}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.imsi);
        FirstConnectApp first({{"IMSI", c.imsi}}, {{"IMSIAndWebPage", c.table}});
        const QStringList opened = first.connect();
        EXPECT_EQ(opened, c.page ? QStringList{QString::fromLatin1(c.page)} : QStringList());
    }
}

TEST(OperatorConnectButtons, TheVadoButtonConnectsWhenIdleAndOpensThePageWhenConnected)
{
    struct Case {
        int state;
        int after;
        bool opens;
    };
    for (const Case& c : {Case{0, 1, false}, Case{1, 1, false}, Case{3, 3, true}}) {
        SCOPED_TRACE(c.state);
        DialApp app(withSettings(ns::Dictionary(), {{"AutoLaunchURLString", "http://vado.example/"}}));
        device_test::OpenedLinks links;
        app.enableButtons();
        app.dial.setConnectStatus(c.state);
        app.dial.btnVADOConnect(nullptr);
        app.settle();
        EXPECT_EQ(app.dial.connectStatus(), c.after);
        EXPECT_EQ(links.urls, c.opens ? QList<QUrl>{QUrl("http://vado.example/")} : QList<QUrl>());
    }
}

TEST(ModemAndSimState, ShowsTheDevicesStateOnlyWhenConfigured)
{
    for (const bool configured : {true, false}) {
        SCOPED_TRACE(configured);
        DialApp app(withSettings({{"ShowModemAndSimStateBasisDeviceStateWhenR27C", configured}}));
        app.dial.setModemAndSimStateString(QStringLiteral("Init_tfdData Not Connected"));
        EXPECT_EQ(app.dial.m_ModemAndSimState->stringValue(),
                  configured ? translated("Init_tfdData Not Connected") : QString());
    }
}

TEST(ConnectStatusWording, ALanguageChangeWordsTheControlsForTheState)
{
    struct Case {
        int state;
        bool enabled;
        const char *title, *simple, *stateText;
    };
    const Case cases[] = {
        {0, true, "Connect", "Internet_btnConnectSimple_Connect", "Idle"},
        {0, false, "Connect", "Internet_btnConnectSimple_Connect", nullptr},
        {1, false, "Internet_btnConnect_Cancel", "Internet_btnConnectSimple_Cancel", nullptr},
        {2, false, "Disconnect", "Internet_btnConnectSimple_Disconnect", nullptr},
        {3, true, "Disconnect", "Internet_btnConnectSimple_Disconnect", "Connected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " enabled " << c.enabled);
        DialApp app;
        app.dial.setConnectBtnEnable(c.enabled);
        app.dial.m_ConnectState->setStringValue(QStringLiteral("before"));
        app.dial.setConnectStatus(c.state);
        ns::NotificationCenter::defaultCenter().postNotificationName(kUpdateLanguageNotification, nullptr);
        EXPECT_EQ(app.dial.m_ConnectButton->title(), translated(c.title));
        EXPECT_EQ(app.dial.btnConnectSimple->title(), translated(c.simple));
        EXPECT_EQ(app.dial.m_ConnectState->stringValue(),
                  c.stateText ? (*c.stateText ? translated(c.stateText) : QString())
                              : QStringLiteral("before"));
    }
}
