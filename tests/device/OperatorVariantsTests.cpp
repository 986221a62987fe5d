// The service-provider code window and the operator variants of the main
// window, used as a user uses them.
#include "tests/device/DeviceTestSupport.h"

#include "app/config/ConfigFileKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Toolbar.h"
#include "tests/support/AppKitTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace device_test;

namespace
{

const ns::Dictionary kProfile0{{"ProfileName", "Trelnet"}, {"APN", "internet"}};
const ns::Dictionary kProfile1{{"ProfileName", "Trelnet Plus"}, {"APN", "plus"}, {"askUsernameFlag", false}};

// Settings of a build that asks for the code: two candidate profiles; code
// "1234" selects the second with a logo, "77" the first without one.
ns::Dictionary codeSettings(const ns::Dictionary& changes = {})
{
    ns::Dictionary settings =
        plainSettings({{"CheckSPCode", true},
                       {"AllDialConfig", ns::Array{kProfile0, kProfile1}},
                       {"AllSPCodeIndex",
                        ns::Dictionary{{"1234", ns::Dictionary{{"Index", 1}, {"ProviderLogo", "plus.png"}}},
                                       {"77", ns::Dictionary{{"Index", 0}}},
                                       {"5", ns::Dictionary{{"Index", 2}}},
                                       {"6", ns::Dictionary{{"ProviderLogo", "plus.png"}}}}}});
    for (const auto& [key, value] : changes)
        settings.setValue(key, value);
    return settings;
}

// The code window's app, with an old profile file in its data folder.
struct CodeApp {
    explicit CodeApp(const ns::Dictionary& settings = codeSettings()) : app(settings)
    {
        ns::PropertyList::writeFile(profilePath(), ns::Array{ns::Dictionary{{"ProfileName", "old"}}});
        oldProfiles = fileBytes();
        app.main.applicationWillFinishLaunching(ns::Notification(QString()));
    }
    QString profilePath() const { return app.store.configFilePathOfKey(kCMDialConfigFile); }
    QByteArray fileBytes() const
    {
        QFile file(profilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ns::Button* button(const QString& title) const
    {
        return appkit_test::findWidget<ns::Button>(app.main.checkSPCodeWindow(),
                                                   [&](ns::Button* b) { return b->title() == title; });
    }
    void type(const QString& text) { QTest::keyClicks(app.main.spCodeField()->editor(), text); }

    PlainApp app;
    QByteArray oldProfiles;
};

// Makes every file write of this process fail as on a full disk while it lives.
class FullDisk
{
public:
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

TEST(ServiceProviderCode, TypingEnablesOKAndAValidCodeLeavesItsOneProfileAndLogo)
{
    CodeApp code;
    MainController& main = code.app.main;
    Posted posted({kTabViewItemWillChangeNotification, "AppReady"});
    ASSERT_TRUE(main.checkSPCodeWindow()->isVisible());
    EXPECT_EQ(main.wndMain->alphaValue(), 0);
    ns::Button* ok = code.button("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->isEnabled());
    code.type("12");
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(main.spCodeField()->editor(), Qt::Key_Backspace);
    QTest::keyClick(main.spCodeField()->editor(), Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled());

    code.type("1234");
    appkit_test::click(ok);
    EXPECT_EQ(ns::PropertyList::readArray(code.profilePath()), ns::Array{kProfile1});
    const ns::Dictionary onDisk = code.app.bundle.settingsOnDisk();
    EXPECT_EQ(onDisk.value("ProviderLogoImage").toString(), "plus.png");
    EXPECT_TRUE(onDisk.value("ChangeProviderLogo").boolValue());
    EXPECT_FALSE(onDisk.value("CheckSPCode").boolValue());
    EXPECT_EQ(main.checkSPCodeWindow(), nullptr);
    EXPECT_EQ(main.wndMain->alphaValue(), 1);
    EXPECT_EQ(posted.last(kTabViewItemWillChangeNotification).toString(), "Internet");
    EXPECT_TRUE(posted.contains("AppReady"));
}

TEST(ServiceProviderCode, ACodeWithoutALogoKeepsTheLogoSettings)
{
    CodeApp code(codeSettings({{"ProviderLogoImage", "own.png"}}));
    code.type("77");
    appkit_test::click(code.button("OK"));
    EXPECT_EQ(ns::PropertyList::readArray(code.profilePath()), ns::Array{kProfile0});
    const ns::Dictionary onDisk = code.app.bundle.settingsOnDisk();
    EXPECT_EQ(onDisk.value("ProviderLogoImage").toString(), "own.png");
    EXPECT_FALSE(onDisk.value("ChangeProviderLogo").boolValue());
}

TEST(ServiceProviderCode, ACodeThatSelectsNothingIsRefusedAndNothingIsWritten)
{
    struct Case {
        const char* name;
        ns::Dictionary settings;
        QString code;
    };
    const Case cases[] = {
        {"unknown code", codeSettings(), "999"},
        {"index outside the list", codeSettings(), "5"},
        {"entry without an index", codeSettings(), "6"},
        {"no candidate list", codeSettings({{"AllDialConfig", ns::Array{}}}), "1234"},
    };
    for (const Case& c : cases) {
        CodeApp code(c.settings);
        code.type(c.code);
        AlertSeen alert;
        answerNextAlert("OK", &alert);
        appkit_test::click(code.button("OK"));
        EXPECT_EQ(alert.texts, (QStringList{"Warning", "Invalid service provider code"})) << c.name;
        EXPECT_EQ(code.fileBytes(), code.oldProfiles) << c.name;
        EXPECT_TRUE(code.app.main.checkSPCodeWindow()->isVisible()) << c.name;
        EXPECT_EQ(code.app.main.spCodeField()->stringValue(), "") << c.name;
        EXPECT_FALSE(code.button("OK")->isEnabled()) << c.name;
        EXPECT_TRUE(code.app.bundle.settingsOnDisk().value("CheckSPCode").boolValue()) << c.name;
    }
}

TEST(ServiceProviderCode, AFailedWriteKeepsTheOldProfilesAndTheLogo)
{
    CodeApp code;
    code.type("1234");
    AlertSeen alert;
    answerNextAlert("OK", &alert);
    {
        FullDisk full;
        appkit_test::click(code.button("OK"));
    }
    EXPECT_TRUE(alert.shown);
    EXPECT_EQ(code.fileBytes(), code.oldProfiles);
    EXPECT_TRUE(QDir(QFileInfo(code.profilePath()).path())
                    .entryList({"dialConfig.plist.*"}, QDir::Files | QDir::Hidden)
                    .isEmpty());
    EXPECT_FALSE(code.app.store.getConfigurationByModule("ChangeProviderLogo").boolValue());
    EXPECT_TRUE(code.app.main.checkSPCodeWindow()->isVisible());
}

TEST(ServiceProviderCode, CancelAsksAndContinueStartsWithoutACode)
{
    CodeApp code;
    AlertSeen stay;
    answerNextAlert("Cancel", &stay);
    appkit_test::click(code.button("Cancel"));
    EXPECT_EQ(stay.buttons, (QStringList{"Cancel", "Continue"}));
    ASSERT_NE(code.app.main.checkSPCodeWindow(), nullptr);
    EXPECT_TRUE(code.app.main.checkSPCodeWindow()->isVisible());

    AlertSeen go;
    answerNextAlert("Continue", &go);
    appkit_test::click(code.button("Cancel"));
    EXPECT_EQ(code.app.main.checkSPCodeWindow(), nullptr);
    EXPECT_EQ(code.fileBytes(), code.oldProfiles);
    EXPECT_FALSE(code.app.bundle.settingsOnDisk().value("CheckSPCode").boolValue());
}

TEST(OperatorLinks, AMenuLinkChosenWhileDisconnectedShowsOnlyTheAlert)
{
    PlainApp app;
    FakeDial dial;
    OpenedLinks opened;
    ns::MenuItem market(QStringLiteral("Market"), QStringLiteral("openDODIMenuLinks:"));
    AlertSeen alert;
    answerNextAlert("OK", &alert);
    app.main.performSelector("openDODIMenuLinks:", &market);
    EXPECT_EQ(alert.texts, (QStringList{"Warning", "Please connect to the Internet first!"}));
    EXPECT_TRUE(opened.urls.isEmpty());

    dial.status = DialControlling::Connected;
    app.main.performSelector("openDODIMenuLinks:", &market);
    ns::MenuItem google(QStringLiteral("Google"), QStringLiteral("openDODIMenuLinks:"));
    app.main.performSelector("openDODIMenuLinks:", &google);
    EXPECT_EQ(opened.urls,
              (QList<QUrl>{QUrl("https://dodi.example/3G/market.aspx"), QUrl("https://www.google.com/")}));
}

TEST(OperatorLinks, ButtonsOpenTheirPagesByTag)
{
    PlainApp app(plainSettings({{"MAINFORM", ns::Dictionary{{"LinkButton", true}}}}));
    OpenedLinks opened;
    // The link drawer's buttons, pressed as they stand.
    ASSERT_NE(app.main.linkDrawer(), nullptr);
    QStringList titles;
    for (ns::Button* button : app.main.linkButtons()) {
        titles << button->title();
        appkit_test::click(button);
    }
    EXPECT_EQ(titles, (QStringList{"Service", "e-Shop", "Mobile devices", "Travaru", "Change signal",
                                   "Service guide", "Fill up", "MMS", "MultiFon"}));
    EXPECT_EQ(
        opened.urls,
        (QList<QUrl>{QUrl("https://vezirad.example/service/"), QUrl("https://shop.vezirad.example/"),
                     QUrl("https://shop.vezirad.example/devices/"), QUrl("https://travaru.example/"),
                     QUrl("https://vezirad.example/guide"),
                     QUrl("https://vezirad.example/offices/payment/?from=first"),
                     QUrl("https://mms.vezirad.example/?from=first"), QUrl("https://multifon.example/")}));

    // Tagged buttons of the other operators' skins.
    struct Case {
        const char* action;
        int tag;
        QString opened; // empty: nothing opens
    };
    const Case cases[] = {
        {"openDirudWebsites:", 91, "https://dirud.example/PRpQb"},
        {"openDirudWebsites:", 93, "https://dirud.example/PpLnC"},
        {"openDirudWebsites:", 94, ""},
        {"open1und1URL:", 0, "https://1rev1.example/dashboardurl"},
        {"openLinkPage:", 99, ""},
        {"homePageClick:", 0, "https://dodi.example/"},
    };
    for (const Case& c : cases) {
        opened.urls.clear();
        ns::Button button;
        button.setTag(c.tag);
        app.main.performSelector(QString::fromLatin1(c.action), &button);
        EXPECT_EQ(opened.urls, c.opened.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(c.opened)})
            << c.action << " " << c.tag;
    }
}

TEST(OperatorLinks, HelpFilesAndListedLinksByTag)
{
    PlainApp app(
        plainSettings({{"VietnamDuzozerPellak",
                        ns::Dictionary{{"HelpFileArray", ns::Array{"Trelvan_Help.html", "Guide.html"}}}}}));
    const QString data = app.bundle.dataFolder();
    QFile::copy(data + "/Trelvan_Help.html", data + "/Guide.html");
    ns::PropertyList::writeFile(data + "/SpecialNeedForURL.plist",
                                ns::Array{"https://myistar.example/djuice", "https://myistar.example/music"});
    OpenedLinks opened;
    struct Case {
        const char* action;
        int tag;
        QUrl opened; // empty: nothing opens
    };
    const Case cases[] = {
        {"performOpenHelpActionForDuzozer:", 1, QUrl::fromLocalFile(data + "/Guide.html")},
        {"performOpenHelpActionForDuzozer:", 2, QUrl()},
        {"tbiMainVADOHelpClick:", 0, QUrl::fromLocalFile(data + "/Trelvan_Help.html")},
        {"openMyistarURL:", 1, QUrl("https://myistar.example/music")},
        {"openMyistarURL:", 2, QUrl()},
    };
    for (const Case& c : cases) {
        opened.urls.clear();
        ns::Button button;
        button.setTag(c.tag);
        app.main.performSelector(QString::fromLatin1(c.action), &button);
        EXPECT_EQ(opened.urls, c.opened.isEmpty() ? QList<QUrl>{} : QList<QUrl>{c.opened})
            << c.action << " " << c.tag;
    }
    // The Zevavedo buttons carry their tool tips and open the listed links.
    ASSERT_EQ(app.main.zevavedoButtons().size(), 12);
    EXPECT_EQ(app.main.zevavedoButtons()[0]->toolTip(), "djuice");
    EXPECT_EQ(app.main.zevavedoButtons()[11]->toolTip(), "About Kontakte");
    opened.urls.clear();
    app.main.zevavedoButtons()[0]->performClick(nullptr);
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl("https://myistar.example/djuice")});
}

TEST(OperatorLinks, ZuderaLinkTextsAndTheMainPageAddressOpenWhenClicked)
{
    PlainApp app(
        plainSettings({{"Main", ns::Dictionary{{"initWindowForZudera", true},
                                               {"HomeLinkForZudera", "https://zudera.example/"},
                                               {"PostPaidLinkForZudera", "https://zudera.example/postpaid"},
                                               {"PrePaidLinkForZudera", "https://zudera.example/prepaid"},
                                               {"Main_TextLinkAddress", "https://trelnet.example/main"}}}}));
    OpenedLinks opened;
    QStringList texts;
    for (ns::TextField* label : app.main.linkLabelsForZudera()) {
        const ns::AttributedString text = label->attributedStringValue();
        texts << text.string();
        EXPECT_TRUE(text.attributes().underline);
        EXPECT_EQ(text.attributes().font->pointSize(), 9);
        appkit_test::click(label);
    }
    EXPECT_EQ(texts, (QStringList{"Zudera home page", "Click here for Zudera PostPaid bill payment",
                                  "Click here for Zudera PrePaid Online Recharge"}));
    EXPECT_EQ(opened.urls,
              (QList<QUrl>{QUrl("https://zudera.example/"), QUrl("https://zudera.example/postpaid"),
                           QUrl("https://zudera.example/prepaid")}));
    ns::Button* dial = app.main.dialNumberForZuderaButton();
    EXPECT_FALSE(dial->isHidden());
    EXPECT_EQ(dial->attributedTitle().string(), "121");
    EXPECT_TRUE(dial->attributedTitle().attributes().underline);

    opened.urls.clear();
    ns::TextField* address = app.main.textLinkAddressLabel();
    EXPECT_EQ(address->stringValue(), "https://trelnet.example/main");
    EXPECT_EQ(address->textColor(), ns::Color::blueColor());
    appkit_test::click(address);
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl("https://trelnet.example/main")});
}

TEST(OperatorLinks, WithoutTheSwitchesTheLinkTextsStayEmpty)
{
    PlainApp app;
    for (ns::TextField* label : app.main.linkLabelsForZudera())
        EXPECT_EQ(label->stringValue(), "");
    EXPECT_TRUE(app.main.dialNumberForZuderaButton()->isHidden());
    EXPECT_EQ(app.main.textLinkAddressLabel()->stringValue(), "");
    EXPECT_EQ(app.main.linkDrawer(), nullptr);
}

TEST(OperatorWindows, TheDeviceStateWindowShowsForTwoSecondsAfterSimReady)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    PlainApp app(plainSettings({{"Main", ns::Dictionary{{"DeviceRemovedForZudera", true}}}}));
    MainController& main = app.main;
    main.netcardChanged(MainController::kSimReady);
    EXPECT_TRUE(main.devStateChangeForZuderaWindow()->isVisible());
    EXPECT_EQ(main.devStateChangeForZuderaLabel()->stringValue(), "Detecting device...");
    clock.advance(2.0);
    EXPECT_FALSE(main.devStateChangeForZuderaWindow()->isVisible());

    main.deviceRemoved(nullptr);
    EXPECT_TRUE(main.devStateChangeForZuderaWindow()->isVisible());
    EXPECT_EQ(main.devStateChangeForZuderaLabel()->stringValue(),
              "The device has been disconnected or is unavailable.");
    clock.advance(2.0);
    EXPECT_FALSE(main.devStateChangeForZuderaWindow()->isVisible());

    // A refused SIM's removal sign takes the window away and shows nothing new.
    main.netcardChanged(MainController::kSimReady);
    main.setDeviceRemoveSign(true);
    main.deviceRemovedForZudera(true);
    EXPECT_FALSE(main.devStateChangeForZuderaWindow()->isVisible());
}

TEST(OperatorWindows, ZuvizeButtonsAskTheUSSDPluginAndShowTheTips)
{
    PlainApp app;
    Posted posted({"USSDBundleMessage"});
    QStringList actions;
    auto* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        "USSDBundleMessage", nullptr, [&](const ns::Notification& notification) {
            actions << notification.userInfo().value("Action").toString();
        });
    for (const char* action :
         {"openUSSDWndOrangeTopup:", "openUSSDWndOrangeCheckbalance:", "openUSSDWndOrangeBuybundles:"})
        app.main.performSelector(QString::fromLatin1(action), nullptr);
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
    EXPECT_EQ(actions, (QStringList{"TopUp", "CheckBalance", "BuyBundle"}));

    for (const auto& [action, window] :
         {std::pair{"openWndOrangeQuickTips:", app.main.orangeQuickTipsWindow()},
          std::pair{"showSupportWindowForDuzozer:", app.main.supportWindowForDuzozer()},
          std::pair{"showUSSDGuideWindowForDuzozer:", app.main.ussdGuideWindowForDuzozer()}}) {
        app.main.performSelector(QString::fromLatin1(action), nullptr);
        EXPECT_TRUE(window->isVisible()) << action;
    }
}

TEST(OperatorToolbar, TheUSSDSwitchesDisableTheToolbarAtStart)
{
    // A toolbar that is enabled from the start, but for what the switches take.
    const ns::Dictionary enabled{{"MAINFORM", ns::Dictionary()}, {"disableToolbarWhenNoSIM", false}};
    const auto with = [&enabled](const ns::Dictionary& changes) {
        ns::Dictionary all = enabled;
        for (const auto& [key, value] : changes)
            all.setValue(key, value);
        return plainSettings(all);
    };
    {
        PlainApp app(with({{"USSD", ns::Dictionary{{"DisableUSSDToolbarForDiGi", false}}}}));
        for (ns::ToolbarItem* item : app.main.toolbar()->items())
            EXPECT_EQ(item->isEnabled(), item->itemIdentifier() != u"USSD1")
                << item->itemIdentifier().toStdString();
    }
    FakeDial dial;
    PlainApp app(with({{"USSD", ns::Dictionary{{"DisableUSSDToolbarForZErivad", true}}},
                       {"DifferentWorkingMothodForZerivad", true}}));
    for (ns::Object* item : app.main.getToolbarItemsArray())
        EXPECT_FALSE(dynamic_cast<ns::ToolbarItem*>(item)->isEnabled());
    EXPECT_TRUE(app.main.ussdActiveButton()->isHidden());

    app.main.setIsHiddenForUSSDActive(true);
    EXPECT_FALSE(app.main.ussdActiveButton()->isHidden());
    EXPECT_TRUE(app.main.ussdActiveButton()->isEnabled());
}

TEST(OperatorPages, TheRudivSkinFollowsThePageWithItsLayoutAndDrawer)
{
    ns::Dictionary uiConfig = shippedSettings().value("UIConfig").toDictionary().deepCopy();
    uiConfig.setValue("BraRudivUI", true);
    ns::Dictionary drawer = uiConfig.value("DrawerInfoDict").toDictionary();
    drawer.setValue(
        "OffsetInfoArray",
        ns::Array{ns::Dictionary{{"ItemName", "Main"}, {"LeadingOffset", 60}, {"TrailingOffset", 60}},
                  ns::Dictionary{{"ItemName", "Other"}, {"LeadingOffset", 20}, {"TrailingOffset", 90}}});
    uiConfig.setValue("DrawerInfoDict", drawer);
    DeviceApp app(shippedSettings({{"UIConfig", uiConfig}}));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    // The skin names the tab view's size and place for each layout.
    ASSERT_TRUE(main.jovSkinManager->skinInfo());
    ns::Dictionary skin = main.jovSkinManager->skinInfo()->deepCopy();
    ns::Dictionary tabView = skin.value("wndMainTabview").toDictionary();
    tabView.setValue("SizeInfoArray",
                     ns::Array{ns::Dictionary{{"ItemName", "Main"}, {"Width", 720}, {"Height", 340}},
                               ns::Dictionary{{"ItemName", "Other"}, {"Width", 560}, {"Height", 300}}});
    skin.setValue("wndMainTabview", tabView);
    main.jovSkinManager->setSkinInfo(skin);
    ASSERT_NE(main.drawerMain, nullptr);
    main.drawerMain->close();

    main.gotoSMS(nullptr);
    EXPECT_EQ(main.mainTabView()->frame().size, (ns::Size{560, 300}));
    EXPECT_EQ(main.drawerMain->leadingOffset(), 20);
    EXPECT_EQ(main.drawerMain->state(), ns::DrawerClosedState);
    main.gotoInternet(nullptr);
    EXPECT_EQ(main.mainTabView()->frame().size, (ns::Size{720, 340}));
    EXPECT_EQ(main.drawerMain->trailingOffset(), 60);
}
