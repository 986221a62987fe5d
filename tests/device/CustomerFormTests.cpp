// The customer registration form: when it is offered, its checks, the three
// messages 5 seconds apart, and the sending again at SIM ready.
#include "tests/device/DeviceTestSupport.h"

#include "main/standins/PhonebookStandIn.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/TextField.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

const ns::Notification kLaunching(ns::ApplicationWillFinishLaunchingNotification);
const QString kNumber = QStringLiteral("+4412345");

// The shipped settings with the form's switches of the Main module, changed
// by the entries (a null value removes the key).
ns::Dictionary formSettings(const std::vector<std::pair<QString, ns::Value>>& changes)
{
    ns::Dictionary main = shippedSettings().value("Main").toDictionary().deepCopy();
    main.setValue("Main_RegisteUserInfo_IfNeeded", true);
    main.setValue("Main_sendUserInfoToNumber_IfNeeded", kNumber);
    main.setValue("Main_FirstTimeSendUserInfo", true);
    for (const auto& [key, value] : changes) {
        if (value.isNull())
            main.remove(key);
        else
            main.setValue(key, value);
    }
    return shippedSettings({{"Main", main}});
}

const std::vector<std::pair<QString, ns::Value>> kFilledIn = {{"Main_FirstTimeSendUserInfo", false},
                                                              {"Main_UserMailInfo", "Email a@b.org"},
                                                              {"Main_UserContactInfo", "Contact 0123456789"},
                                                              {"Main_UserDOBInfo", "DOB 01/02/1990"}};

ns::Value storedMain(const DeviceBundle& bundle, const QString& key)
{
    return bundle.settingsOnDisk().value("Main").toDictionary().value(key);
}

// Types into the field as the user does: selects what it holds, then the keys.
void type(ns::TextField* field, const QString& text)
{
    field->editor()->selectAll();
    QTest::keyClick(field->editor(), Qt::Key_Backspace);
    QTest::keyClicks(field->editor(), text);
}

QString sent(const QString& text)
{
    return QStringLiteral("sendSmsTo %1 %2 010").arg(kNumber, text);
}

// The main window launched on a manual clock, with the SMS feature faked.
class CustomerFormTest : public ::testing::Test
{
protected:
    CustomerFormTest() { ns::Clock::setCurrent(&clock); }
    ~CustomerFormTest() override
    {
        app.reset();
        ns::Clock::setCurrent(nullptr);
    }
    MainController& launch(const ns::Dictionary& settings)
    {
        app.reset();
        app = std::make_unique<DeviceApp>(settings);
        app->nib.awakeFromNib();
        app->main().applicationDidFinishLaunching(kLaunching);
        return app->main();
    }
    bool formShown() { return app->main().userRegisteWindow()->isSheet(); }

    ns::ManualClock clock;
    FakeSMS sms;
    FakeSmsService smsService;
    std::unique_ptr<DeviceApp> app;
};

} // namespace

TEST_F(CustomerFormTest, FilledInItSendsThreeMessagesFiveSecondsApartAndIsNotOfferedAgain)
{
    MainController& main = launch(formSettings({}));
    ASSERT_TRUE(formShown());
    EXPECT_EQ(main.userRegisteWindow()->sheetParent(), main.wndMain);

    type(main.emailField(), "jo.doe@example.com");
    // The eleventh digit is cut off while typing.
    type(main.contactField(), "01234567890");
    EXPECT_EQ(main.contactField()->stringValue(), "0123456789");
    // The date comes from the calendar, which drops down and goes on a picked day.
    main.calendarButton()->performClick(nullptr);
    ASSERT_FALSE(main.dateCalendar()->isHidden());
    QCalendarWidget* calendar = main.dateCalendar()->calendar();
    calendar->setSelectedDate(QDate(2000, 12, 31));
    QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Return);
    EXPECT_EQ(main.dobField()->stringValue(), "31/12/2000");
    EXPECT_TRUE(main.dateCalendar()->isHidden());

    main.sendUserInfoButton()->performClick(nullptr);
    EXPECT_FALSE(formShown());
    EXPECT_EQ(sms.calls, (QStringList{sent("Email jo.doe@example.com"), "sendButton 0"}));
    EXPECT_TRUE(main.isSendingUserInfo());
    EXPECT_EQ(smsService.unshowInfoWnd, true);
    EXPECT_EQ(storedMain(app->bundle, "Main_FirstTimeSendUserInfo"), ns::Value(false));
    EXPECT_EQ(storedMain(app->bundle, "Main_UserContactInfo"), ns::Value("Contact 0123456789"));

    sms.calls.clear();
    clock.advance(4.9);
    EXPECT_TRUE(sms.calls.isEmpty());
    clock.advance(0.1);
    EXPECT_EQ(sms.calls, QStringList{sent("Contact 0123456789")});
    clock.advance(5);
    EXPECT_EQ(sms.calls, (QStringList{sent("Contact 0123456789"), sent("DOB 31/12/2000")}));
    clock.advance(60);
    EXPECT_EQ(sms.calls.size(), 2);

    // The next start does not offer it again.
    const ns::Dictionary stored = app->bundle.settingsOnDisk();
    launch(stored);
    EXPECT_FALSE(formShown());
}

TEST_F(CustomerFormTest, TheFirstFailingCheckIsShownOnItsFieldAndNothingIsSent)
{
    MainController& main = launch(formSettings({}));
    FakePhonebook phonebook; // takes the alerts
    ASSERT_TRUE(formShown());
    const QString email = "jo@example.com", contact = "0123456789", dob = "31/12/2000";
    const struct {
        QString email, contact, dob, alert;
        ns::TextField* field;
    } cases[] = {
        {"", contact, dob, "Email address information is not input!", main.emailField()},
        {"jo@localhost", contact, dob, "Mail address incorrect format!", main.emailField()},
        {email, "", dob, "Contact information is not input!", main.contactField()},
        {email, "012345678", dob, "Contact incorrect format!", main.contactField()},
        {email, "01234a6789", "", "Contact incorrect format!", main.contactField()},
        {email, contact, "", "Dob information is not input!", main.dobField()},
        {email, contact, "00/12/2000", "Dob incorrect format!", main.dobField()},
        {email, contact, "31/13/2000", "Dob incorrect format!", main.dobField()},
    };
    for (const auto& c : cases) {
        main.emailField()->setStringValue(c.email);
        main.contactField()->setStringValue(c.contact);
        main.dobField()->setStringValue(c.dob);
        phonebook.alerts.clear();
        main.sendUserInfoButton()->performClick(nullptr);
        EXPECT_EQ(phonebook.alerts, QStringList{c.alert})
            << qPrintable(c.email + " " + c.contact + " " + c.dob);
        QWidget* focus = main.userRegisteWindow()->focusWidget();
        EXPECT_TRUE(focus == c.field || focus == c.field->editor()) << qPrintable(c.alert);
        EXPECT_TRUE(formShown());
    }
    // A refused date gives the field its pattern back.
    EXPECT_EQ(main.dobField()->stringValue(), "dd/mm/yyyy");
    EXPECT_TRUE(sms.calls.isEmpty());
    EXPECT_FALSE(main.isSendingUserInfo());

    main.exitUserInfoButton()->performClick(nullptr);
    EXPECT_FALSE(formShown());
    EXPECT_EQ(storedMain(app->bundle, "Main_FirstTimeSendUserInfo"), ns::Value(true));
}

TEST_F(CustomerFormTest, SimReadySendsTheStoredTextsAgainUntilTheyWentOut)
{
    MainController& main = launch(formSettings(kFilledIn));
    EXPECT_FALSE(formShown());
    const auto simReady = [&] {
        sms.calls.clear();
        main.netcardChanged(MainController::kSimReady);
        clock.advance(10);
        return sms.calls;
    };
    const QStringList all = {sent("Email a@b.org"), "sendButton 0", sent("Contact 0123456789"),
                             sent("DOB 01/02/1990")};
    EXPECT_EQ(simReady(), all);
    EXPECT_EQ(simReady(), all);

    // The SMS feature reports that all three went out.
    app->store.setConfigurationByModuleKeyAndValue("Main", "Main_SendUserInfoOK", true);
    EXPECT_TRUE(simReady().isEmpty());
}

TEST_F(CustomerFormTest, WithoutADestinationTheFormIsNeitherOfferedNorSentAgain)
{
    for (const ns::Value& number : {ns::Value(), ns::Value("")}) {
        for (const bool firstTime : {true, false}) {
            auto changes = kFilledIn;
            changes.emplace_back("Main_FirstTimeSendUserInfo", firstTime);
            changes.emplace_back("Main_sendUserInfoToNumber_IfNeeded", number);
            MainController& controller = launch(formSettings(changes));
            EXPECT_FALSE(formShown());
            controller.netcardChanged(MainController::kSimReady);
            clock.advance(10);
            EXPECT_TRUE(sms.calls.isEmpty());
        }
    }
}

TEST(PhonebookLengthRule, OneByteCharactersCountOneAndOthersTwo)
{
    PhonebookStandIn phonebook;
    const struct {
        QString text;
        int max;
        QString kept;
    } cases[] = {
        {"01234567890", 10, "0123456789"},
        {"0123456789", 10, "0123456789"},
        {"", 10, ""},
        {QString(), 10, ""},
        {"\u00e9t\u00e9", 4, "\u00e9t"},
        {"12345678\u674e", 10, "12345678\u674e"},
        {"123456789\u674e", 10, "123456789"},
        {"1234567\U0001F600", 10, "1234567\U0001F600"},
        {"12345678\U0001F600", 9, "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(phonebook.deleteExtraContent(c.text, c.max), c.kept) << qPrintable(c.text);
}
