// The toolbar in its configured and skinned forms and the actions of its
// items, buttons and menus, pressed as a user presses them.
#include "tests/device/DeviceTestSupport.h"

#include "app/service/JovServiceBase.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSPopUpButtonExt.h"
#include "app/ui/widgets/NSToolbarItemExt.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Toolbar.h"
#include "tests/support/AppKitTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

QString selectedPage(MainController& main)
{
    ns::TabViewItem* item = main.mainTabView()->selectedTabViewItem();
    return item ? item->identifier() : QString();
}

NSFlickerButton* toolbarButton(MainController& main, const QString& identifier)
{
    for (ns::Object* object : main.getToolbarItemsArray())
        if (auto* button = dynamic_cast<NSFlickerButton*>(object);
            button && button->itemIdentifier() == identifier)
            return button;
    return nullptr;
}

ns::Dictionary item(const QString& identifier, const QString& action, const ns::Dictionary& more = {})
{
    ns::Dictionary entry{{"itemIdentifier", identifier}, {"itemLabel", identifier}, {"itemAction", action}};
    for (const auto& [key, value] : more)
        entry.setValue(key, value);
    return entry;
}

} // namespace

TEST(MainToolbar, TheConfiguredToolbarInItsItemButtonAndPullDownForms)
{
    const ns::Array items{
        item("Internet", "gotoInternet:", {{"itemImageName", "tbInternet"}, {"itemToolTip", "Internet_TIP"}}),
        ns::Dictionary{{"itemLabel", "no identifier"}, {"itemAction", "gotoCall:"}},
        item("SMS", "gotoSMS:",
             {{"itemImageName", "tbSMS"}, {"UseAsButton", true}, {"urlLabel", "STRING_HOME_URL"}}),
        ns::Dictionary{{"itemIdentifier", "More"},
                       {"itemImageName", "tbHelp"},
                       {"UseAsPopupButton", ns::Array{ns::Dictionary{{"itemTitle", "Contacts"},
                                                                     {"itemAction", "gotoPhonebook:"}}}}},
    };
    PlainApp app(plainSettings({{"toolBarItems", items}}));
    MainController& main = app.main;
    ASSERT_NE(main.toolbar(), nullptr);
    QStringList shown;
    for (ns::ToolbarItem* toolbarItem : main.toolbar()->items())
        shown << toolbarItem->itemIdentifier();
    EXPECT_EQ(shown, (QStringList{"Internet", "SMS", "More", ns::ToolbarFlexibleSpaceItemIdentifier,
                                  "Custom Logo Toolbar Item Identifier"}));
    auto* internet = dynamic_cast<NSToolbarItemExt*>(main.toolbar()->items()[0]);
    ASSERT_NE(internet, nullptr);
    EXPECT_EQ(internet->label(), "Internet");
    EXPECT_EQ(internet->englishToolTip(), "Internet_TIP");
    EXPECT_EQ(internet->toolTip(), "Connect to the Internet");
    // The provider's logo item shows the placeholder image.
    EXPECT_NE(dynamic_cast<ns::ImageView*>(main.toolbar()->items()[4]->view()), nullptr);

    main.netcardChanged(MainController::kSimReady);
    auto* smsButton = dynamic_cast<NSButtonExt*>(main.toolbar()->items()[1]->view());
    ASSERT_NE(smsButton, nullptr);
    EXPECT_EQ(smsButton->urlLabel(), "STRING_HOME_URL");
    smsButton->performClick(nullptr);
    EXPECT_EQ(selectedPage(main), "SMS");
    EXPECT_EQ(main.tabTitleField()->stringValue(), "Messages");

    auto* more = dynamic_cast<NSPopUpButtonExt*>(main.toolbar()->items()[2]->view());
    ASSERT_NE(more, nullptr);
    ASSERT_EQ(more->numberOfItems(), 2);
    more->itemAtIndex(1)->performAction();
    EXPECT_EQ(selectedPage(main), "Phonebook");

    // Disabled, an item keeps its action aside and sends nothing.
    main.netcardChanged(MainController::kDeviceRemoved);
    EXPECT_FALSE(smsButton->isEnabled());
    EXPECT_EQ(internet->action(), "");
    EXPECT_EQ(internet->backUpAction(), "gotoInternet:");
    internet->qAction()->trigger();
    EXPECT_EQ(selectedPage(main), "Phonebook");
}

TEST(MainToolbar, WithTheLogoAsButtonTheDefaultItemsEndWithTheLastConfiguredOne)
{
    PlainApp app(plainSettings({{"UseLogoAsButton", true}}));
    QStringList shown;
    for (ns::ToolbarItem* toolbarItem : app.main.toolbar()->items())
        shown << toolbarItem->itemIdentifier();
    EXPECT_EQ(shown.last(), "Help");
    EXPECT_EQ(shown.size(), 8);
}

TEST(MainToolbar, EachSkinnedButtonShowsItsPageAndTitle)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.netcardChanged(MainController::kSimReady);
    const QList<QPair<QString, QString>> pages = {
        {"SMS", "Messages"},      {"Phonebook", "Contacts"}, {"Call", "Call"},
        {"USSD1", "USSD"},        {"Setting", "Settings"},   {"DialRecord", "Connection history"},
        {"Internet", "Internet"},
    };
    for (const auto& [page, title] : pages) {
        NSFlickerButton* button = toolbarButton(main, page);
        ASSERT_NE(button, nullptr) << page.toStdString();
        appkit_test::click(button);
        EXPECT_EQ(selectedPage(main), page);
        EXPECT_EQ(main.tabTitleField()->stringValue(), title);
    }
}

TEST(MainToolbar, AnActionForWhatThisBuildLacksDoesNothing)
{
    // An operator's item naming a page and an item naming an action that this build does not have.
    ns::Dictionary settings = shippedSettings();
    ns::Dictionary uiConfig = settings.value("UIConfig").toDictionary();
    ns::Array buttons = uiConfig.value("ToolbarItems").toArray();
    buttons.append(ns::Dictionary{
        {"itemName", "btnInternet"}, {"itemIdentifier", "MMS"}, {"itemAction", "tabViewChangeItemAction:"}});
    buttons.append(ns::Dictionary{
        {"itemName", "btnHelp"}, {"itemIdentifier", "Portal"}, {"itemAction", "openOperatorPortal:"}});
    uiConfig.setValue("ToolbarItems", buttons);
    settings.setValue("UIConfig", uiConfig);
    DeviceApp app(settings);
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.netcardChanged(MainController::kSimReady);
    appkit_test::click(toolbarButton(main, "SMS"));

    for (const QString identifier : {"MMS", "Portal"}) {
        NSFlickerButton* button = toolbarButton(main, identifier);
        ASSERT_NE(button, nullptr);
        appkit_test::click(button);
        EXPECT_EQ(selectedPage(main), "SMS") << identifier.toStdString();
        EXPECT_EQ(main.tabTitleField()->stringValue(), "Messages") << identifier.toStdString();
    }
    // Neither a missing window nor a missing SMS controller leaves the window half changed.
    NSToolbarItemExt other("Statistics");
    main.showDialRecordAndSettingWindow(&other);
    EXPECT_TRUE(main.wndMain->isVisible());
    main.gotoSMSUIOfCompleteWnd();
    EXPECT_EQ(selectedPage(main), "SMS");
}

TEST(MainActions, EncipheredLinksOpenOnlyForFifteenDigitNumbers)
{
    struct Case {
        const char* name;
        QString imsi, imei;
        bool cipher;
        QString link, linkExt; // what opens; empty for nothing
    };
    const QString fixed = "https://trelnet.example/fixed(0010101234567890)";
    const QString both = "https://trelnet.example/?imei=key(490154203237518)&imsi=key(001010123456789)";
    const Case cases[] = {
        {"both numbers", "001010123456789", "490154203237518", true, fixed, both},
        {"no cipher in this build", "001010123456789", "490154203237518", false, "", ""},
        {"no IMSI", "", "490154203237518", true, "", ""},
        {"short IMSI", "00101012345678", "490154203237518", true, "", ""},
        {"IMSI with a letter", "00101012345678A", "490154203237518", true, "", ""},
        {"no IMEI", "001010123456789", "", true, fixed, ""},
    };
    PlainApp app;
    NSToolbarItemExt link("Offers");
    link.setUrlLabel("STRING_HOME_URL");
    NSToolbarItemExt linkExt("Account");
    linkExt.setUrlLabel("https://trelnet.example/?imei=%@&imsi=%@");
    for (const Case& c : cases) {
        std::optional<FakeCipher> cipher;
        if (c.cipher)
            cipher.emplace();
        JovServiceBase().setImsi(c.imsi);
        app.main.setRuntimeObject(c.imei, kRTIMEI);
        OpenedLinks opened;
        app.main.tbimainURLEncipherAction(&link);
        app.main.tbimainURLEncipherActionExt(&linkExt);
        QList<QUrl> expected;
        for (const QString& url : {c.link, c.linkExt})
            if (!url.isEmpty())
                expected << QUrl(url);
        EXPECT_EQ(opened.urls, expected) << c.name;
    }
    JovServiceBase().setImsi(QString());
}

TEST(MainActions, ALinkThatNeedsAConnectionWaitsForIt)
{
    DeviceApp app;
    MainController& main = app.main();
    FakeDial dial;
    OpenedLinks opened;
    PostedNames posted({"dialOption"});
    NSToolbarItemExt link("URLWithAlert");
    link.setUrlLabel("STRING_SUPPORT_URL");

    AlertSeen alert;
    answerNextAlert("OK", &alert);
    main.tbiMainURLWithAlertAction(&link);
    EXPECT_EQ(alert.texts,
              (QStringList{"Warning", "This page needs an Internet connection. Connect now and open it?"}));
    EXPECT_EQ(posted.names, QStringList{"dialOption"});
    EXPECT_TRUE(opened.urls.isEmpty());

    main.setRuntimeObject(true, kRTIsConnecttedFlag);
    main.connectStatusDidChange(nullptr);
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl("https://trelnet.example/support")});
    // Once opened, a later connection opens it no more.
    main.connectStatusDidChange(nullptr);
    EXPECT_EQ(opened.urls.size(), 1);
}

TEST(MainActions, MessagesAndServiceRequestsGoToTheirFeatures)
{
    DeviceApp app(shippedSettings(
        {{"SMS",
          ns::Dictionary{{"SpecialSMS", ns::Dictionary{{"TO_NUMBER", "1234"}, {"SMS_CONTENT", "USAGE"}}}}}}));
    MainController& main = app.main();
    // Without the SMS feature nothing is sent and nothing breaks.
    main.tbiMainSendSMS(nullptr);
    main.tbiMainSendVolStatusCheckSMS(nullptr);

    FakeSMS sms;
    FakeSmsService service;
    service.recharge =
        ns::Dictionary{{"PurchargeBySMS_ServerNumber", "555"}, {"PurchargeBySMS_VolStatusRequire", "BAL"}};
    main.tbiMainSendSMS(nullptr);
    main.tbiMainSendVolStatusCheckSMS(nullptr);
    EXPECT_EQ(sms.calls, (QStringList{"sendMessageto 1234 USAGE", "sendSmsTo 555 BAL 010"}));
    EXPECT_TRUE(service.checkUsageSent);
    EXPECT_TRUE(service.sendingInBackground);
    EXPECT_EQ(service.unshowInfoWnd, true);

    struct Post {
        std::function<void()> action;
        QString notification;
        ns::Value tag;
    };
    NSToolbarItemExt ussd3("USSD3"), ussd4("USSD4"), ussd2("USSD2");
    const Post posts[] = {
        {[&] { main.checkMyNumber(nullptr); }, "USSDBundleMessage", {}},
        {[&] { main.tbiMainPopUpUssdAction(nullptr); }, "openPopUpUssdWnd", {}},
        {[&] { main.tbiChangeAPNSelection(nullptr); }, "ChangeAPNSelection", {}},
        {[&] { main.toolbarCallUssdSheetWnd(&ussd3); }, "notifyPopupSheetUssdWndPlugin", 1},
        {[&] { main.toolbarCallUssdSheetWnd(&ussd4); }, "notifyPopupSheetUssdWndPlugin", 2},
        {[&] { main.toolbarCallUssdSheetWnd(&ussd2); }, "notifyPopupSheetUssdWndPlugin", "USSD2"},
        {[&] { main.popUpCheckBalanceSheet(nullptr); }, "notifyPopupSheetUssdWndPlugin", 2},
    };
    for (const Post& post : posts) {
        std::optional<ns::Value> tag;
        ns::Window* host = nullptr;
        ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
            post.notification, nullptr, [&](const ns::Notification& n) {
                tag = n.userInfo().value("ussdPopWndTag");
                host = n.objectInfo().object<ns::Window>("hostMainWnd");
            });
        post.action();
        ns::NotificationCenter::defaultCenter().removeObserver(observer);
        ASSERT_TRUE(tag) << post.notification.toStdString();
        EXPECT_EQ(*tag, post.tag) << post.notification.toStdString();
        EXPECT_EQ(host, post.tag.isNull() ? nullptr : main.wndMain) << post.notification.toStdString();
    }
}

TEST(MainActions, HelpOpensTheHelpFileOfTheDataFolder)
{
    for (const auto& [special, file] : {std::pair<ns::Value, QString>{ns::Value(), "Trelvan_Help.html"},
                                        {"Operator_Help.pdf", "Operator_Help.pdf"}}) {
        ns::Dictionary settings = plainSettings();
        if (!special.isNull())
            settings.setValue("SpecialHelp", special);
        PlainApp app(settings);
        QFile::copy(app.bundle.dataFolder() + "/Trelvan_Help.html",
                    app.bundle.dataFolder() + "/Operator_Help.pdf");
        OpenedLinks opened;
        app.main.performSelector("tbiMainHelpAction:", nullptr);
        EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(app.bundle.dataFolder() + '/' + file)});
    }
}

TEST(MainActions, SeparateWindowsDrawersAndTheSettingsList)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    FakeSMS sms;
    NSToolbarItemExt settingsItem("Settings");
    main.showDialRecordAndSettingWindow(&settingsItem);
    EXPECT_TRUE(main.settingWindow()->isVisible());
    EXPECT_EQ(main.settingWindow()->frame().origin, (ns::Point{40, 60}));
    EXPECT_EQ(main.settingWindow()->level(), ns::ModalPanelWindowLevel);
    EXPECT_FALSE(main.wndMain->isVisible());

    auto* list = appkit_test::findWidget<ns::Matrix>(main.settingWindow());
    ASSERT_NE(list, nullptr);
    const ns::Rect sounds = list->cellFrameAtRow(3, 0);
    appkit_test::click(list, ns::Point{sounds.origin.x + 5, sounds.origin.y + 5});
    EXPECT_EQ(main.settingTabView()->selectedTabViewItem()->identifier(), "Sounds");
    EXPECT_EQ(main.settingTitleField()->stringValue(), "Sounds");

    auto* close = appkit_test::findWidget<ns::Button>(
        main.settingWindow(), [](ns::Button* button) { return button->title() == "Close"; });
    ASSERT_NE(close, nullptr);
    appkit_test::click(close);
    EXPECT_FALSE(main.settingWindow()->isVisible());
    EXPECT_TRUE(main.wndMain->isVisible());

    // The drawer toggles between open and closed.
    ASSERT_NE(main.drawerMain, nullptr);
    EXPECT_EQ(main.drawerMain->state(), ns::DrawerClosedState);
    main.changeDrawerState(nullptr);
    EXPECT_EQ(main.drawerMain->state(), ns::DrawerOpenState);
    main.changeDrawerState(nullptr);
    EXPECT_EQ(main.drawerMain->state(), ns::DrawerClosedState);
}

TEST(MainActions, TheCallMenuItemsActForTheCallControllerWhileEnabled)
{
    PlainApp app;
    struct Calls : ns::Object, FakeCall {
        Calls()
        {
            registerSelector("selectDialCallStyle:", [this](ns::Object*) { ++answered; });
        }
        int answered = 0;
    } calls;
    app.main.setCallMenuItemEnable(true, true, false, true);
    ns::MenuItem* accept = app.main.acceptCallMenuItem();
    EXPECT_TRUE(accept->isEnabled());
    EXPECT_EQ(accept->action(), "selectDialCallStyle:");
    accept->performAction();
    EXPECT_EQ(calls.answered, 1);
    EXPECT_FALSE(app.main.rejectCallMenuItem()->isEnabled());
    EXPECT_EQ(app.main.rejectCallMenuItem()->target(), nullptr);
    // Only the items whose flag says so change.
    app.main.setCallMenuItemEnable(false, false, true, true);
    EXPECT_TRUE(accept->isEnabled());
    EXPECT_EQ(app.main.rejectCallMenuItem()->action(), "hangClicked:");
}

TEST(MainToolbar, ConnectionNotificationsEnableTheirItems)
{
    const ns::Array items{item("URLWithAlert", "tbiMainURLWithAlertAction:"),
                          item("ChangeAPN", "tbiChangeAPNSelection:"),
                          item("STK", "gotoInternet:", {{"itemToolTip", "STK_TIP"}})};
    PlainApp app(plainSettings({{"toolBarItems", items}}));
    MainController& main = app.main;
    main.netcardChanged(MainController::kSimReady);
    auto itemNamed = [&](const QString& identifier) {
        for (ns::ToolbarItem* toolbarItem : main.toolbar()->items())
            if (toolbarItem->itemIdentifier() == identifier)
                return toolbarItem;
        return static_cast<ns::ToolbarItem*>(nullptr);
    };
    // The link that needs a connection waits for the connect button's state.
    EXPECT_FALSE(itemNamed("URLWithAlert")->isEnabled());
    ns::Notification able("IsAbleToConnect", nullptr, ns::Dictionary{{"EnabledFlag", true}});
    main.isAbleToConnect(&able);
    EXPECT_TRUE(itemNamed("URLWithAlert")->isEnabled());

    ns::Notification starting("StartConnection", nullptr, ns::Dictionary{{"StartConnection", true}});
    main.dialConnectStart(&starting);
    EXPECT_FALSE(itemNamed("ChangeAPN")->isEnabled());

    ns::Notification stk("UpdateStkToolTip", nullptr, ns::Dictionary{{"StkMainTitle", "Help_TIP"}});
    main.updateStkTooltip(&stk);
    EXPECT_EQ(itemNamed("STK")->toolTip(), "Open the help");
    ns::Notification emptyTitle("UpdateStkToolTip", nullptr, ns::Dictionary{{"StkMainTitle", ""}});
    main.updateStkTooltip(&emptyTitle);
    EXPECT_EQ(itemNamed("STK")->toolTip(), "Open the help");
}
