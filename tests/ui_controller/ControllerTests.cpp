#include "ControllerTestSupport.h"

#include "app/config/JOVDatacardConfig.h"
#include "app/language/JOVLanguage.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "jCommon/UIMsg.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Toolbar.h"

#include <QDesktopServices>
#include <QLocale>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using ns::Array;
using ns::Dictionary;
using ns::Value;

namespace
{

// Receives what the workspace opens for the "http" and "https" schemes.
class OpenedLinks : public QObject
{
    Q_OBJECT

public:
    OpenedLinks()
    {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
    }
    ~OpenedLinks() override
    {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }

    Q_INVOKABLE void open(const QUrl& url) { urls << url.toString(QUrl::FullyEncoded); }

    QStringList urls;
};

// The default locale for the length of a test.
class ScopedDefaultLocale
{
public:
    explicit ScopedDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedDefaultLocale() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

const QStringList kTableNotifications = {
    "DeviceRemoved",          "DevicePlugin",         "SimReady",       "DataServiceSwitch",
    "TabViewItemWillChange",  "TabViewItemDidChange", "AppReady",       "AppWillClose",
    "ConnectStatusDidChange", "IsAbleToConnect",      "StartConnection"};

void postEach(const QStringList& names)
{
    for (const QString& name : names)
        ns::NotificationCenter::defaultCenter().postNotificationName(name, nullptr);
}

} // namespace

TEST(JOVUIController, AwakeFromNibRunsTheHooksInOrderThenTheLanguageThenTheTable)
{
    ControllerBundle app;
    ConfigManager store;
    RecordingController controller(store);

    controller.awakeFromNib();
    EXPECT_EQ(controller.calls, (QStringList{"initializeSkin", "initializeNibResources", "registerMessages",
                                             "initializeController", "loadCommonBundle"}));

    // Of the base table only the two selectors the controller answers are observed.
    controller.calls.clear();
    postEach(kTableNotifications);
    EXPECT_EQ(controller.calls, (QStringList{"deviceRemoved:", "simReady:"}));
}

TEST(JOVUIController, ObserverTablesSkipSelectorsTheControllerDoesNotAnswer)
{
    ControllerBundle app;
    ConfigManager store;
    RecordingController controller(store);
    const ObserverTableEntry table[] = {
        {"simReady:", "TestFirst"}, {"noSuchHandler:", "TestSecond"}, {"deviceRemoved:", "TestThird"},
        {nullptr, nullptr},         {"simReady:", "TestAfterTheEnd"},
    };

    EXPECT_FALSE(controller.registerNotification(nullptr));
    EXPECT_TRUE(controller.registerNotification(table));
    postEach({"TestFirst", "TestSecond", "TestThird", "TestAfterTheEnd"});
    EXPECT_EQ(controller.calls, (QStringList{"simReady:", "deviceRemoved:"}));
}

TEST(JOVUIController, UpdateLanguagesReachesControllersWithAndWithoutALanguageObject)
{
    ControllerBundle app(Dictionary{{"CurrentLanguage", "English"}, {"SupportLanguages", Array{"English"}}});
    JOVDatacardConfig::initGlobal();
    JOVDatacardConfig::setSettingDictWorkPath(app.settingsPath());
    ConfigManager store;
    JOVLanguage language;
    RecordingController withLanguage(store);
    RecordingController withoutLanguage(store);
    withLanguage.jovLanguage = &language;

    withLanguage.awakeFromNib();
    withoutLanguage.awakeFromNib();
    // The language object has the texts set at once; "UpdateLanguage" waits for a change.
    EXPECT_TRUE(withLanguage.calls.contains("updateLanguages: nil"));
    EXPECT_TRUE(withoutLanguage.calls.filter("updateLanguages").isEmpty());

    withLanguage.calls.clear();
    withoutLanguage.calls.clear();
    withoutLanguage.notifyChangeLanguage();
    EXPECT_EQ(withoutLanguage.calls, QStringList{"updateLanguages: UpdateLanguage"});
    EXPECT_TRUE(withLanguage.calls.isEmpty()); // it listens to its language object only

    withoutLanguage.calls.clear();
    withLanguage.notifyChangeLanguage(); // through the language object, which everyone hears
    EXPECT_EQ(withLanguage.calls, QStringList{"updateLanguages: UpdateLanguage"});
    EXPECT_EQ(withoutLanguage.calls, QStringList{"updateLanguages: UpdateLanguage"});
}

TEST(JOVUIController, PostsTheLifeCycleNotificationsWithItselfAsObject)
{
    struct Case {
        const char* name;
        std::function<void(JOVUIController&)> post;
        Dictionary userInfo;
    };
    const Case cases[] = {
        {"DeviceRemoved", &JOVUIController::notifyDeviceRemoved, {}},
        {"DevicePlugin", &JOVUIController::notifyDevicePlugin, {}},
        {"SimReady", &JOVUIController::notifySimReady, {}},
        {"DataServiceSwitch", [](JOVUIController& c) { c.notifyDataServiceSwitch(true); },
         Dictionary{{"DataServiceSwitch", true}}},
        {"DataServiceSwitch", [](JOVUIController& c) { c.notifyDataServiceSwitch(false); },
         Dictionary{{"DataServiceSwitch", false}}},
        {"AppReady", &JOVUIController::notifyAppReady, {}},
        {"AppWillClose", &JOVUIController::notifyAppWillClose, {}},
        {"UpdateLanguage", &JOVUIController::notifyChangeLanguage, {}},
    };
    ControllerBundle app;
    ConfigManager store;
    JOVUIController controller(store);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NotificationRecorder recorder({c.name});
        c.post(controller);
        ASSERT_EQ(recorder.posted.size(), 1u);
        EXPECT_EQ(recorder.posted[0].object, &controller);
        EXPECT_EQ(recorder.posted[0].userInfo, c.userInfo);
    }
}

TEST(JOVUIController, TheRuntimeDictionaryLivesInTheSettingsAndIsWrittenOnlyWhenDeleted)
{
    ControllerBundle app(Dictionary{{"Other", 1}});
    ConfigManager store;
    JOVUIController controller(store);

    EXPECT_TRUE(controller.runtimeObjectForKey(kRTIMEI).isNull());
    controller.setRuntimeObject(Value("358000000000001"), kRTIMEI);
    controller.setRuntimeObject(Value(true), kRTIsConnecttedFlag);
    controller.setRuntimeObject(Value(), kRTPhoneNumber);      // nothing for a null object
    controller.setRuntimeObject(Value("+4912345"), QString()); // nor for an empty key

    // Another holder of the live settings sees the same dictionary.
    const Dictionary runtime = store.getConfiguration().value("RuntimeData").toDictionary();
    EXPECT_EQ(runtime, (Dictionary{{"runtimeIMEI", "358000000000001"}, {"runtimeIsConnecttedFlag", true}}));
    EXPECT_TRUE(runtime.isSameObject(controller.runtimeDictionary()));
    EXPECT_FALSE(app.settingsOnDisk().contains("RuntimeData"));

    store.writeToFile();
    EXPECT_TRUE(app.settingsOnDisk().contains("RuntimeData")); // saved with every write
    controller.deleteRuntimeDictionary();
    EXPECT_EQ(app.settingsOnDisk(), (Dictionary{{"Other", 1}}));
    EXPECT_FALSE(store.getConfiguration().contains("RuntimeData"));
}

TEST(JOVUIController, WebLinksGetThePhoneNumberFirstAndTheImeiSecond)
{
    struct Case {
        const char* identifier;
        const char* opened; // nothing opens for null
    };
    const Case cases[] = {
        {"Portal", "http://portal.example/login?msisdn=+4917012345&imei=358000000000001"},
        {"Reversed", "http://portal.example/?imei=358000000000001&msisdn=+4917012345"},
        {"Escaped", "http://portal.example/a%20b?n=+4917012345&pct=100%25"},
        {"MorePlaceholders", "http://portal.example/+4917012345/358000000000001/"},
        {"OtherConversion", nullptr}, // "%d" stays as written, which no URL may hold
        {"NotAURL", nullptr},
        {"Missing", nullptr},
    };
    ControllerBundle app(
        Dictionary{{"webURLDict", Dictionary{{"Portal", "http://portal.example/login?msisdn=%@&imei=%@"},
                                             {"Reversed", "http://portal.example/?imei=%2$@&msisdn=%1$@"},
                                             {"Escaped", "http://portal.example/a%20b?n=%@&pct=100%%25"},
                                             {"MorePlaceholders", "http://portal.example/%@/%@/%@"},
                                             {"OtherConversion", "http://portal.example/?d=%d&n=%@"},
                                             {"NotAURL", "not a url %@"}}}});
    ConfigManager store;
    JOVUIController controller(store);
    controller.setRuntimeObject(Value("+4917012345"), kRTPhoneNumber);
    controller.setRuntimeObject(Value("358000000000001"), kRTIMEI);
    OpenedLinks links;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.identifier);
        links.urls.clear();
        ns::ToolbarItem item(c.identifier);
        EXPECT_TRUE(controller.performSelector("tbiMainURLActionExt:", &item));
        EXPECT_EQ(links.urls, c.opened ? QStringList{c.opened} : QStringList{});
    }
}

TEST(JOVUIController, FormatsDatesInTheConfiguredCalendarFormatOrTheLocaleStyle)
{
    ScopedDefaultLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime date(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
    struct Case {
        const char* format; // the system styles for null
        const char* text;
    };
    const Case cases[] = {
        {"%Y-%m-%d %H:%M:%S", "2024-03-05 14:07:09"},
        {"%d/%m/%y %I:%M %p", "05/03/24 02:07 PM"},
        {"%a %A %b %B %e %j %w %F %%", "Tue Tuesday Mar March 5 065 2 045 %"},
        {"%q stays", "%q stays"},
        {"", "3/5/24 2:07:09 PM"},
        {nullptr, "3/5/24 2:07:09 PM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format ? c.format : "none");
        ControllerBundle app(c.format ? Dictionary{{"CustomDateFormat", c.format}} : Dictionary{});
        ConfigManager store;
        const JOVUIController controller(store);
        EXPECT_EQ(controller.formatStringFromDate(date), c.text);
        EXPECT_EQ(controller.formatStringFromDate(QDateTime()), "");
    }
}

TEST(JOVUIController, TakesTheConfiguredInterfaceFont)
{
    ControllerBundle app(Dictionary{
        {"Main", Dictionary{{"TextFont", Dictionary{{"FontName", "No Such Font"}, {"FontSize", 12}}}}}});
    ConfigManager store;
    const RecordingController controller(store);
    EXPECT_EQ(controller.fontName_, "No Such Font");
    EXPECT_EQ(controller.fontSize_, 12.0f);
    EXPECT_FALSE(controller.font_.has_value()); // no installed font of that name
}

TEST(JOVUIController, TrimStringKeepsTheCharactersOfTheSetUpToTheLength)
{
    struct Case {
        QString string;
        QString set;
        int length;
        const char* kept;
    };
    const QString digits = "0123456789";
    const Case cases[] = {
        {"+49 (170) 123-45", digits, 20, "4917012345"},
        {"*100#", digits + "*#", 3, "*10"},
        {"12ab34cdef", digits + "abcd", 100, "12ab34cd"},
        {"DEADbeef", "0123456789abcdefABCDEF", 6, "DEADbe"},
        {"", digits, 5, ""},
        {QString(), digits, 5, ""},
        {"12345", QString(), 5, ""},
        {"12345", digits, 0, ""},
        {"12345", digits, -1, ""},
    };
    ControllerBundle app;
    ConfigManager store;
    const JOVUIController controller(store);
    for (const Case& c : cases)
        EXPECT_EQ(controller.trimString(c.string, c.set, c.length), c.kept) << c.string.toStdString();
}

TEST(JOVUIController, WordingsComeFromTheFrameworkAndSmsMayRenameCancel)
{
    struct Case {
        const char* key;
        int module;
        bool rename;
        const char* text;
    };
    const Case cases[] = {
        {"Cancel", kModuleSMS, true, "Discard"},        {"cancel:", kModuleSMS, true, "Discard:"},
        {"Cancel", kModuleSMS, false, "Cancel"},        {"Cancel", kModulePhoneBook, true, "Cancel"},
        {"SMS_Cancel", kModuleSMS, true, "SMS_Cancel"}, {"Unknown", kModuleSMS, true, "Unknown"},
    };
    ASSERT_TRUE(Lindora_Init(TRELVAN_FIXTURES_DIR "/ui_controller/LanguageTokenList.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ControllerBundle app(Dictionary{{"SMS", Dictionary{{"RenameCancelWording", c.rename}}}});
        ConfigManager store;
        const JOVUIController controller(store);
        EXPECT_EQ(controller.getControlWordingValueByKey(c.key, c.module), c.text);
    }
}

TEST(JOVUIController, HasModuleWithReadsTheSkinsToolbarOrTheSettingsToolbar)
{
    const Array settingsToolbar{Dictionary{{"itemIdentifier", "Internet"}},
                                Dictionary{{"itemIdentifier", "SMS"}}};
    const Array skinToolbar{Dictionary{{"itemIdentifier", "Internet"}},
                            Dictionary{{"itemIdentifier", "Call"}}, "not an entry"};
    struct Case {
        const char* what;
        bool skinManager;
        bool noToolbar;
        QStringList present;
        QStringList absent;
    };
    const Case cases[] = {
        {"skin manager", true, false, {"Internet", "Call"}, {"SMS", "", "itemIdentifier"}},
        {"skin manager, skin without toolbar", true, true, {"Internet", "SMS"}, {"Call", ""}},
        {"no skin manager", false, false, {"Internet", "SMS"}, {"Call", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ControllerBundle app(Dictionary{
            {"toolBarItems", settingsToolbar.deepCopy()},
            {"UIConfig", Dictionary{{"ToolbarItems", skinToolbar.deepCopy()}, {"NoToolbar", c.noToolbar}}}});
        ConfigManager store;
        JOVUIManager skin(store);
        JOVUIController controller(store);
        if (c.skinManager)
            controller.jovSkinManager = &skin;
        for (const QString& identifier : c.present)
            EXPECT_TRUE(controller.hasModuleWith(identifier)) << identifier.toStdString();
        for (const QString& identifier : c.absent)
            EXPECT_FALSE(controller.hasModuleWith(identifier)) << identifier.toStdString();
    }
}

#include "ControllerTests.moc"
