// The Internet tab's life cycle: the skin's registrations, the
// subscriptions, the set-up and the wording of the tab and its profile
// windows, each as the controller wakes from its nib.
#include "app/language/Language.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "connection/DialController.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TableView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <functional>

using dial_test::withSettings;

namespace
{

// The controller over private settings, woken in an Internet page of its
// own, with a skin of the given keys when there are any.
struct TabApp {
    explicit TabApp(const ns::Dictionary& settings = device_test::plainSettings(),
                    const QStringList& skinKeys = QStringList(), const ns::Array& profiles = ns::Array())
        : bundle(settings)
    {
        if (!profiles.isEmpty())
            ns::PropertyList::writeFile(bundle.dataFolder() + QStringLiteral("/dialConfig.plist"), profiles);
        tabs.setFrame(ns::Rect(0, 0, 720, 418));
        tabs.addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("Internet")));
        dial.tabviewMain = &tabs;
        if (!skinKeys.isEmpty()) {
            ns::Dictionary info;
            for (const QString& key : skinKeys)
                info.setValue(key, ns::Dictionary());
            skin.setSkinInfo(info);
            dial.jovSkinManager = &skin;
        }
        dial.awakeFromNib();
    }
    ns::View* internetPage() { return tabs.tabViewItemAtIndex(0)->view(); }

    device_test::DeviceBundle bundle;
    ConfigManager store;
    device_test::FakeSettings settings;
    dial_test::FakeInit init;
    JOVUIManager skin{store};
    ns::TabView tabs;
    DialController dial{store};
};

ns::Array profilesNamed(const QStringList& names)
{
    ns::Array profiles;
    for (const QString& name : names)
        profiles.append(ns::Dictionary{{"provider", name}});
    return profiles;
}

QStringList titlesOf(ns::Matrix* matrix)
{
    QStringList titles;
    for (int row = 0; row < matrix->numberOfRows(); ++row)
        titles << matrix->cellAtRow(row, 0)->title();
    return titles;
}

} // namespace

TEST(InternetTabLifeCycle, TheSkinDressesEachControlUnderItsKey)
{
    const ns::Dictionary settings = withSettings(
        {{"UIConfig",
          ns::Dictionary{{"InternetViewItems", ns::Array{ns::Dictionary{{"itemIdentifier", "Help"},
                                                                        {"itemName", "btnInternetHelp"},
                                                                        {"itemAction", "openWindURL:"}}}}}}},
        {{"Internet_isDisplayBillboard_WhenConnectSuccess", true}});
    TabApp app(settings, {"btnDialConnect", "cbboxDialConfigList", "labelDialStatus", "labelDialSend",
                          "labelDialSendText", "labelDialIPAddressText", "wndDialProfileEdit",
                          "matrixBrowserAuthMode", "labelConfigProfileDial", "labelEditConfigUserNameDial",
                          "textEditAPNDial", "btnDialProfileEditOK", "viewInternetTab", "btnInternetHelp",
                          "windowOfConnectFailedForZudera", "btnOfRedialWhenConnectFailed",
                          "btnOfCancelConnectOperateForZudera", "btnOfUpForBillboard"});
    DialController& dial = app.dial;
    const std::pair<const char*, ns::Object*> registered[] = {
        {"btnDialConnect", dial.m_ConnectButton},
        {"cbboxDialConfigList", dial.m_DialConfigList},
        {"labelDialSendText", dial.m_FluxForSend},
        {"labelDialIPAddressText", dial.m_IPAddress},
        {"wndDialProfileEdit", dial.m_profileEditWin.get()},
        {"matrixBrowserAuthMode", dial.m_bAuthMode},
        {"labelConfigProfileDial", dial.Config_Profile},
        {"labelEditConfigUserNameDial", dial.EditConfig_UserName},
        {"textEditAPNDial", dial.m_eAPN},
        {"btnDialProfileEditOK", dial.btnEditOK_},
        {"viewInternetTab", app.internetPage()},
        {"windowOfConnectFailedForZudera", dial.windowOfConnectFailedForZudera_.get()},
        {"btnOfRedialWhenConnectFailed", dial.btnOfRedialWhenConnectFailed_},
        {"btnOfCancelConnectOperateForZudera", dial.btnOfCancelConnectOperateForZudera_},
        {"btnOfUpForBillboard", dial.btnOfUpForBillboard_},
    };
    for (const auto& [key, control] : registered) {
        SCOPED_TRACE(key);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(app.skin.controllerByKey(QString::fromLatin1(key)), control);
    }
    // The captions go by what they say.
    auto* status = app.skin.controllerByKey<ns::TextField>(QStringLiteral("labelDialStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->stringValue(), dial_test::translated("Status:"));
    auto* send = app.skin.controllerByKey<ns::TextField>(QStringLiteral("labelDialSend"));
    ASSERT_NE(send, nullptr);
    EXPECT_EQ(send->stringValue(), dial_test::translated("Send:"));
    EXPECT_EQ(dial.Config_Profile->stringValue(), dial_test::translated("Profile:"));
    EXPECT_EQ(dial.EditConfig_UserName->stringValue(), dial_test::translated("UserName:"));
    // The tab's own items stand on the Internet page.
    auto* help = app.skin.controllerByKey<ns::Button>(QStringLiteral("btnInternetHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->superview(), app.internetPage());
}

TEST(InternetTabLifeCycle, EachNotificationReachesItsHandlerOnce)
{
    TabApp app(
        withSettings({{"DefaultProfileNum", 2}}, {{"Internet_isDisplayBillboard_WhenConnectSuccess", true}}),
        QStringList(), profilesNamed({"A", "B", "C"}));
    DialController& dial = app.dial;
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();

    // The toolbar's APN switch toggles the first two profiles: once, not back again.
    dial.dialConfigListSelectItemAtIndex(1);
    center.postNotificationName(QStringLiteral("ChangeAPNSelection"), nullptr);
    EXPECT_EQ(dial.m_DialConfigList->indexOfSelectedItem(), 2);

    // A finished image download starts the billboard.
    ASSERT_TRUE(dial.btnOfUpForBillboard_->isHidden());
    center.postNotificationName(QStringLiteral("LoadImageFormURLOver"), nullptr);
    EXPECT_FALSE(dial.btnOfUpForBillboard_->isHidden());

    // The data usage reset starts the connection's counts again.
    dial.m_sendData = dial.m_receiveData = 2048;
    center.postNotificationName(QStringLiteral("btnDatausageRestCliked"), nullptr);
    EXPECT_EQ(dial.m_sendData + dial.m_receiveData, 0);

    // A new main window takes the place of the old one.
    ns::Window other(ns::Rect(0, 0, 100, 100), ns::TitledWindowMask);
    ns::Notification changed(kMainwindOfAppChangedNotification);
    changed.setObjectInfo(ns::ObjectDictionary{{"window", &other}});
    center.postNotification(changed);
    EXPECT_EQ(dial.wndMain, &other);

    // A failed unlock changes nothing.
    center.postNotificationName(kDeviceUnlockFailed, nullptr);
    EXPECT_EQ(dial.connectStatus(), DialControlling::Idle);
    EXPECT_EQ(dial.m_DialConfigList->indexOfSelectedItem(), 2);

    // Data services switched off take the connect button.
    dial.setConnectBtnEnable(true);
    center.postNotificationName(kDataServiceSwitchNotification, nullptr,
                                ns::Dictionary{{kDataServiceSwitchNotification, false}});
    EXPECT_FALSE(dial.m_ConnectButton->isEnabled());

    // The Internet page about to show reads the profile file again.
    ASSERT_TRUE(ns::PropertyList::writeFile(app.bundle.dataFolder() + QStringLiteral("/dialConfig.plist"),
                                            profilesNamed({"A", "B", "C", "D"})));
    center.postNotificationName(kTabViewItemWillChangeNotification, nullptr,
                                ns::Dictionary{{kTabViewItemWillChangeNotification, "Internet"}});
    EXPECT_EQ(dial.dialConfigArray.count(), 4);
}

TEST(InternetTabLifeCycle, SetUpLeavesTheTabIdleWithTheOperatorsSwitches)
{
    struct Case {
        const char* what;
        ns::Dictionary top;
        ns::Dictionary internet;
        bool profileBoxEnabled;
        bool networkFieldsHidden;
    };
    const Case cases[] = {
        {"plain", {}, {}, true, false},
        {"profiles by SIM", {}, {{"AddAPNWithSIM", true}}, false, false},
        {"RV52 without WCDMA settings",
         {{"Main", ns::Dictionary{{"DeviceType", "RV52"}}}},
         {{"HideWCDMAPara", true}},
         true,
         true},
        {"other device",
         {{"Main", ns::Dictionary{{"DeviceType", "Icera"}}}},
         {{"HideWCDMAPara", true}},
         true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TabApp app(withSettings(c.top, c.internet));
        DialController& dial = app.dial;
        EXPECT_FALSE(dial.runtimeObjectForKey(kRTIsConnecttedFlag).boolValue());
        EXPECT_FALSE(dial.runtimeObjectForKey(kRTIsConnecttedFlag).isNull());
        EXPECT_FALSE(dial.m_ConnectButton->isEnabled());
        EXPECT_EQ(dial.m_DialConfigList->isEnabled(), c.profileBoxEnabled);
        EXPECT_EQ(dial.m_eAPN->isHidden(), c.networkFieldsHidden);
        EXPECT_EQ(dial.Config_AuthMode->isHidden(), c.networkFieldsHidden);
        EXPECT_EQ(dial.m_IPAddress->stringValue(), "0.0.0.0");
    }
}

TEST(InternetTabLifeCycle, TheProfileFieldsKeepWhatTheyMayHold)
{
    TabApp app(withSettings({}), QStringList(), profilesNamed({"A"}));
    DialController& dial = app.dial;
    const auto type = [](ns::TextField* field, const QString& text) {
        field->editor()->selectAll();
        QTest::keyClicks(field->editor(), text);
    };
    type(dial.m_eTelephoneNumber, QStringLiteral("*99#x1"));
    EXPECT_EQ(dial.m_eTelephoneNumber->stringValue(), "*99#1");
    // The APN field opens with the choice of a named APN.
    dial.m_eIsAutoObtainAPN->selectCellAtRow(1, 0);
    dial.selectObtainAPNType(dial.m_eIsAutoObtainAPN);
    type(dial.m_eAPN, QStringLiteral("web.op!com"));
    EXPECT_EQ(dial.m_eAPN->stringValue(), "web.opcom");
}

TEST(InternetTabWording, TheProfileWindowsFollowTheLanguage)
{
    TabApp app(withSettings({{"specialSoftVersion", ns::Dictionary{{"ZUZE&ZID", true}}}}));
    DialController& dial = app.dial;
    EXPECT_EQ(dial.btnBrowseProfile_->title(), "APN Browse");

    ASSERT_TRUE(Lindora_Init(TRELVAN_FIXTURES_DIR "/connection/InternetTabWording.txt"));
    ns::NotificationCenter::defaultCenter().postNotificationName(kUpdateLanguageNotification, nullptr);
    EXPECT_EQ(dial.m_dialConfigWindow->title(), "Profile");
    EXPECT_EQ(dial.m_configListView->tableColumns().at(0)->headerCell()->stringValue(), "Konfigurationen");
    EXPECT_EQ(dial.btnEditProfile_->title(), "Bearbeiten");
    EXPECT_EQ(dial.btnBrowseProfile_->title(), "APN ansehen");
    EXPECT_EQ(dial.Config_AuthMode->stringValue(), "Authentifizierung:");
    EXPECT_EQ(dial.m_bIsAutoObtainAPN->cellAtRow(0, 0)->title(), "APN automatisch beziehen");
    EXPECT_EQ(dial.m_profileEditWin->title(), "Profil bearbeiten");
    EXPECT_EQ(dial.EditConfig_Profile->stringValue(), "Profilname:");
    EXPECT_EQ(dial.EditConfig_AuthMode->stringValue(), "Authentifizierung:");
    EXPECT_EQ(dial.m_eIsAutoObtainAPN->cellAtRow(0, 0)->title(), "APN automatisch beziehen");
    EXPECT_EQ(dial.tabviewApnSettings_->tabViewItemAtIndex(0)->label(), "Allgemein");
    EXPECT_EQ(dial.btnEditCancel_->title(), "Abbrechen");
    auto* status = appkit_test::findWidget<ns::TextField>(
        app.internetPage(), [](ns::TextField* field) { return field->stringValue() == "Zustand:"; });
    // The German caption of the connection's figures.
    EXPECT_NE(
        appkit_test::findWidget<ns::TextField>(
            app.internetPage(), [](ns::TextField* field) { return field->stringValue() == "Gesendet:"; }),
        nullptr);
    EXPECT_NE(status, nullptr);
}

TEST(InternetTabWording, TheAuthenticationChoicesFollowTheOperator)
{
    for (bool none : {false, true}) {
        SCOPED_TRACE(none ? "with NONE" : "without NONE");
        TabApp app(withSettings({}, {{"HavePPPAuthNone", none}}));
        const QStringList expected = none ? QStringList{"NONE", "PAP", "CHAP"} : QStringList{"PAP", "CHAP"};
        EXPECT_EQ(titlesOf(app.dial.m_bAuthMode), expected);
        EXPECT_EQ(titlesOf(app.dial.m_eAuthMode), expected);
    }
}

TEST(InternetTabLifeCycle, TheFiguresHideBetweenConnectionsAsConfigured)
{
    struct Case {
        const char* what;
        bool autoHide;
        bool speedsToo;
        bool figuresHidden; // while idle
        bool speedsHidden;  // while idle
    };
    const Case cases[] = {
        {"always shown", false, false, false, false},
        {"figures", true, false, true, false},
        {"figures and speeds", true, true, true, true},
        {"speeds alone never", false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TabApp app(withSettings({{"AutoHideConnectState", c.autoHide}},
                                {{"AutoHideConnectStateForZudera", c.speedsToo}}));
        DialController& dial = app.dial;
        const auto figures = [&] {
            return QList<ns::View*>{dial.m_ConnectState,
                                    dial.m_IPAddress,
                                    dial.m_ConnectTime,
                                    dial.m_FluxForSend,
                                    dial.m_FluxForReceive,
                                    dial.connectStateCaption("Send:"),
                                    dial.connectStateCaption("IPAddress:")};
        };
        const auto speeds = [&] {
            return QList<ns::View*>{dial.m_SpeedForSend, dial.m_SpeedForReceive,
                                    dial.connectStateCaption("SendRate:")};
        };
        for (bool connecting : {false, true}) {
            SCOPED_TRACE(connecting ? "connecting" : "idle");
            if (connecting)
                dial.DialConnect();
            for (ns::View* view : figures())
                EXPECT_EQ(view->isHidden(), c.figuresHidden && !connecting);
            for (ns::View* view : speeds())
                EXPECT_EQ(view->isHidden(), c.speedsHidden && !connecting);
            // The modem and SIM state stands in for them.
            EXPECT_EQ(dial.m_ModemAndSimState->isHidden(), c.autoHide && connecting);
            // What the figures do not cover stays.
            EXPECT_FALSE(dial.m_TotalData->isHidden());
        }
    }
}

TEST(InternetTabLifeCycle, TheCompactProfileLayoutClosesThePaneUnderTheAccount)
{
    for (bool compact : {false, true}) {
        SCOPED_TRACE(compact ? "compact" : "full");
        TabApp app;
        DialController& dial = app.dial;
        dial.setWCDMAConfigHidden(compact);
        EXPECT_EQ(dial.bottomDivideLine->isHidden(), !compact);
        const double bottom = dial.browseColumnsDivideLine_->frame().minY();
        EXPECT_LT(bottom, dial.m_bPassword->frame().minY());
        // Nothing shown lies under the lines, nor is there a heading without settings.
        for (ns::View* view : dial.viewDialBrowse_->subviews()) {
            if (!view->isHidden() && view != dial.bottomDivideLine) {
                EXPECT_GE(view->frame().minY(), bottom) << view->frame().minY();
            }
        }
        if (compact) {
            EXPECT_LT(dial.m_bPassword->frame().minY() - bottom, 20);
        }
        auto* advanced =
            appkit_test::findWidget<ns::Button>(dial.m_profileEditWin->contentView(), [](ns::Button* button) {
                return button->title() == "Advanced >>";
            });
        ASSERT_NE(advanced, nullptr);
        EXPECT_EQ(advanced->isHidden(), compact);
    }
}

TEST(InternetTabLifeCycle, ThePdpTypeCaptionShowsOnlyWithItsChoices)
{
    for (bool ipv6 : {false, true}) {
        SCOPED_TRACE(ipv6 ? "IPv6" : "IPv4 only");
        TabApp app(withSettings({}, {{"SupportIPv6", ipv6}}));
        for (ns::View* view :
             std::initializer_list<ns::View*>{app.dial.bPDPTypeGroup_, app.dial.Config_PDPType,
                                              app.dial.ePDPTypeGroup_, app.dial.EditConfig_PDPType})
            EXPECT_EQ(view->isHidden(), !ipv6);
    }
}

TEST(InternetTabLifeCycle, TheOperatorsBackgroundWaitsForTheFirstConnection)
{
    for (bool waits : {false, true}) {
        SCOPED_TRACE(waits ? "hidden while disconnected" : "always shown");
        TabApp app(withSettings({{"DisplayBackgroundWhileDisconnect", waits}}));
        DialController& dial = app.dial;
        for (ns::View* view : {dial.viewBackground_, dial.viewContainerEmbedInUI_})
            EXPECT_EQ(view->isHidden(), waits);
        dial.DialConnect();
        dial.performActionWhenFirstConnected();
        for (ns::View* view : {dial.viewBackground_, dial.viewContainerEmbedInUI_})
            EXPECT_FALSE(view->isHidden());
    }
}
