// PIN, PUK, unlock-code and device-lock sheets against the real simulated
// modem: the user types into the sheets and presses their buttons; the modem
// checks the codes and counts the attempts.
#include "tests/device/DeviceTestSupport.h"

#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "device/PinNumStore.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

constexpr int kWaitMs = 60000;

// Types into the field as the user does: selects what it holds, then the keys.
void type(ns::TextField* field, const QString& text)
{
    field->editor()->selectAll();
    QTest::keyClick(field->editor(), Qt::Key_Backspace);
    QTest::keyClicks(field->editor(), text);
}

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, kWaitMs);
}

// Trelvan's main window against Halvex playing the scenario; the PIN kept
// for automatic entry goes to a configuration folder of the test's own.
class LocksTest : public ::testing::Test
{
protected:
    void start(const std::vector<std::pair<QString, ns::Value>>& changes,
               const ns::Dictionary& settings = shippedSettings())
    {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        ASSERT_TRUE(halvex.start(writeScenario(folder_.path(), changes)))
            << halvex.errorOutput().toStdString();
        app = std::make_unique<DeviceApp>(settings, Runtime::Current);
    }
    void TearDown() override
    {
        app.reset();
        qunsetenv("XDG_CONFIG_HOME");
    }
    InitController& init() { return app->nib.initController(); }
    QString configHome() const { return config_.path(); }

    QTemporaryDir folder_;
    QTemporaryDir config_;
    HalvexControl halvex;
    std::unique_ptr<DeviceApp> app;
};

} // namespace

TEST(PinPukForm, FirstFailingCheckNamesTheMessage)
{
    const QString none;
    const struct {
        QString puk, pin, newPin, message;
    } cases[] = {
        {none, "123", none, "Length of PIN must be between 4 and 8!"},
        {none, "123456789", none, "Length of PIN must be between 4 and 8!"},
        {none, "12a4", none, "PIN must be digits only!"},
        {none, "1234", none, ""},
        {none, "12345678", none, ""},
        {"1234567", "1234", "1234", "PUK must be 8 digits!"},
        {"1234567a", "1234", "1234", "PUK must be digits only!"},
        {"12345678", "1234", "1243", "Different inputs of PIN code, please input again!"},
        {"12345678", "12", "12", "Length of PIN must be between 4 and 8!"},
        {"12345678", "4321", "4321", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InitController::checkPinPukAlertMsg(c.puk, c.pin, c.newPin), c.message)
            << c.puk.toStdString() << " " << c.pin.toStdString() << " " << c.newPin.toStdString();
}

TEST_F(LocksTest, WrongPinsCountDownToThePukSheetAndTheRightPukMakesTheSimReady)
{
    ASSERT_NO_FATAL_FAILURE(start({{"SIM/State", "PinLocked"}}));
    FakeSettings settings;
    PostedNames posted({kSimReadyNotification});
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().m_InitPinWindow->isVisible(); }));
    EXPECT_EQ(init().m_PinTimeLeft->stringValue(), "You only have 3 time(s) left!");
    EXPECT_EQ(init().m_InitPinWindow->sheetParent(), init().wndMain);

    // Two wrong PINs: each is refused in the user's words and the count goes down.
    AlertAnswerer answerer;
    for (const QString expected : {"You only have 2 time(s) left!", "You only have 1 time(s) left!"}) {
        const HalvexControl::Position before = halvex.now();
        type(init().m_PinCode, "0000");
        appkit_test::click(init().btnPinOK_);
        const auto sent = halvex.nextReceived(msg::device::kCheckoutPin, before);
        ASSERT_TRUE(sent);
        EXPECT_EQ(sent->record().length, FieldWidth::kCode);
        EXPECT_EQ(payloadText(sent->record(), 0, FieldWidth::kCode), "0000");
        ASSERT_TRUE(waitFor([&] { return init().m_PinTimeLeft->stringValue() == expected; }));
        ASSERT_TRUE(waitFor([&] { return init().m_InitPinWindow->isVisible(); }));
    }
    EXPECT_EQ(settings.alerts, (QStringList{"Incorrect PIN code!", "Incorrect PIN code!"}));
    EXPECT_EQ(settings.pinTimeLeft, 1);
    EXPECT_TRUE(
        answerer.showed("Only one chance left! If you enter a wrong PIN code, your (U)SIM card will be "
                        "locked."));

    // The third leads to the PUK sheet.
    type(init().m_PinCode, "9999");
    appkit_test::click(init().btnPinOK_);
    ASSERT_TRUE(waitFor([&] { return init().m_InitPukWindow->isVisible(); }));
    EXPECT_FALSE(init().m_InitPinWindow->isVisible());
    EXPECT_EQ(init().m_PukTimeLeft->stringValue(), "You only have 10 time(s) left!");
    EXPECT_EQ(settings.pukTimeLeft, 10);

    // The right PUK with a new PIN twice: the SIM is ready.
    type(init().m_PukCode, "12345678");
    type(init().m_NewPinCode, "4321");
    type(init().m_RepNewPinCode, "4321");
    appkit_test::click(init().btnPukOK_);
    ASSERT_TRUE(waitFor([&] { return posted.names.contains(kSimReadyNotification); }));
    EXPECT_FALSE(init().m_InitPukWindow->isVisible());
    EXPECT_TRUE(init().runtimeObjectForKey(kRTSIMCardReady).boolValue());
    EXPECT_EQ(init().pinNum(), "4321");
    EXPECT_EQ(halvex.state()->value("SimStatus").toString(), "Ready");
}

TEST_F(LocksTest, AMalformedPukClearsAllThreeFieldsAndNothingIsSent)
{
    ASSERT_NO_FATAL_FAILURE(start({{"SIM/State", "PukLocked"}, {"SIM/PinAttemptsLeft", 0}}));
    FakeSettings settings;
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().m_InitPukWindow->isVisible(); }));
    const struct {
        QString puk, pin, repeated, message;
    } cases[] = {
        {"1234567", "4321", "4321", "PUK must be 8 digits!"},
        {"1234abcd", "4321", "4321", "PUK must be digits only!"},
        {"12345678", "43", "43", "Length of PIN must be between 4 and 8!"},
        {"12345678", "4321", "4312", "Different inputs of PIN code, please input again!"},
    };
    const HalvexControl::Position before = halvex.now();
    for (const auto& c : cases) {
        type(init().m_PukCode, c.puk);
        type(init().m_NewPinCode, c.pin);
        type(init().m_RepNewPinCode, c.repeated);
        appkit_test::click(init().btnPukOK_);
        EXPECT_EQ(settings.alerts.takeLast(), c.message);
        for (ns::TextField* field : {init().m_PukCode, init().m_NewPinCode, init().m_RepNewPinCode})
            EXPECT_EQ(field->stringValue(), "") << c.message.toStdString();
        EXPECT_TRUE(init().m_InitPukWindow->isVisible());
    }
    EXPECT_FALSE(halvex.nextReceived(msg::device::kCheckoutPuk, before, 200));
}

TEST_F(LocksTest, ALockedDeviceAsksForItsCodeUntilTheRightOneComes)
{
    ASSERT_NO_FATAL_FAILURE(
        start({{"Locks", ns::Dictionary{{"DeviceLocked", true}, {"DeviceCode", "2468"}}}}));
    FakeSettings settings;
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().wndUnlockDevice_->isVisible(); }));
    EXPECT_EQ(settings.deviceUnlockCodeState, true);

    // A malformed code is refused on the spot and never sent.
    AlertAnswerer answerer;
    const HalvexControl::Position before = halvex.now();
    for (const QString code : {"12a4", "123", "12345"}) {
        type(init().tfdUnlockDeviceCode_, code);
        appkit_test::click(init().btnUnlockDeviceOK_);
        ASSERT_TRUE(waitFor([&] { return !answerer.alerts.isEmpty(); }));
        EXPECT_TRUE(answerer.alerts.takeFirst().contains("The unlock code must be 4 digits."))
            << code.toStdString();
        EXPECT_TRUE(init().wndUnlockDevice_->isVisible());
    }
    EXPECT_FALSE(halvex.nextReceived(msg::device::kDeviceUnlock, before, 200));

    // A wrong code: one alert, and the sheet comes back.
    type(init().tfdUnlockDeviceCode_, "1357");
    appkit_test::click(init().btnUnlockDeviceOK_);
    const auto wrong = halvex.nextReceived(msg::device::kDeviceUnlock, before);
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->record().moduleID, kModuleInit);
    EXPECT_EQ(wrong->record().length, 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(wrong->record().data), 5), QByteArray("1357\0", 5));
    ASSERT_TRUE(waitFor([&] { return !answerer.alerts.isEmpty() && init().wndUnlockDevice_->isVisible(); }));
    EXPECT_TRUE(answerer.showed("Invalid password!"));

    // The right one: the device opens, and a feature's later request goes out as module 3.
    const HalvexControl::Position right = halvex.now();
    type(init().tfdUnlockDeviceCode_, "2468");
    appkit_test::click(init().btnUnlockDeviceOK_);
    ASSERT_TRUE(halvex.nextReceived(msg::device::kDeviceUnlock, right));
    ASSERT_TRUE(waitFor([&] { return halvex.state()->value("DeviceLocked").boolValue() == false; }));
    QTest::qWait(100);
    EXPECT_FALSE(init().wndUnlockDevice_->isVisible());
    EXPECT_TRUE(settings.unlockResults.isEmpty()); // the start-up's own outcome

    init().setDeviceLockFunctionModule(InitController::kLockSMS);
    init().openUnlockDeviceWindow(init().wndMain);
    const HalvexControl::Position feature = halvex.now();
    type(init().tfdUnlockDeviceCode_, "2468");
    appkit_test::click(init().btnUnlockDeviceOK_);
    const auto later = halvex.nextReceived(msg::device::kDeviceUnlock, feature);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->record().moduleID, kModuleSettings);
    ASSERT_TRUE(waitFor([&] { return !settings.unlockResults.isEmpty(); }));
    EXPECT_EQ(settings.unlockResults, QList<int>{0});
}

// A feature that asked after the start-up sheet was cancelled gets exactly
// one outcome per request, and a wrong code one alert, without the sheet
// coming back.
TEST_F(LocksTest, AFeaturesRequestEndsInOneOutcomeEvenWhenItGoesOutAsTheFirstCode)
{
    ASSERT_NO_FATAL_FAILURE(
        start({{"Locks", ns::Dictionary{{"DeviceLocked", true}, {"DeviceCode", "2468"}}}}));
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().wndUnlockDevice_->isVisible(); }));
    PostedNames posted({kDeviceUnlockSuccess, kDeviceUnlockFailed});
    appkit_test::click(init().btnUnlockDeviceCancel_);
    EXPECT_EQ(posted.names, QStringList{kDeviceUnlockFailed});
    posted.names.clear();

    init().setDeviceLockFunctionModule(InitController::kLockSettings);
    init().openUnlockDeviceWindow(init().wndMain);
    const HalvexControl::Position before = halvex.now();
    AlertAnswerer answerer;
    type(init().tfdUnlockDeviceCode_, "1111");
    appkit_test::click(init().btnUnlockDeviceOK_);
    const auto sent = halvex.nextReceived(msg::device::kDeviceUnlock, before);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->record().moduleID, kModuleInit); // the first code of a run that started locked
    ASSERT_TRUE(waitFor([&] { return !posted.names.isEmpty(); }));
    QTest::qWait(200); // a second outcome or alert would come now
    EXPECT_EQ(posted.names, QStringList{kDeviceUnlockFailed});
    ASSERT_EQ(answerer.alerts.size(), 1);
    EXPECT_TRUE(answerer.showed("Invalid password!"));
    EXPECT_FALSE(init().wndUnlockDevice_->isVisible());
    posted.names.clear();

    init().openUnlockDeviceWindow(init().wndMain);
    type(init().tfdUnlockDeviceCode_, "2468");
    appkit_test::click(init().btnUnlockDeviceOK_);
    ASSERT_TRUE(waitFor([&] { return !posted.names.isEmpty(); }));
    QTest::qWait(200);
    EXPECT_EQ(posted.names, QStringList{kDeviceUnlockSuccess});
}

TEST_F(LocksTest, ASimLockedToAnOperatorTakesItsUnlockCode)
{
    ASSERT_NO_FATAL_FAILURE(start({{"Locks", ns::Dictionary{{"SimLock", "FirstFamily"},
                                                            {"UnlockCode", "A1B2C3D4E5F6G7H8"},
                                                            {"UnlockAttemptsLeft", 3}}}}));
    PostedNames posted({kSimReadyNotification});
    FakeUpdateLink updateLink;
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().m_UnlockWin->isVisible(); }));
    EXPECT_EQ(init().m_UnlockLeftTime->stringValue(), "You have 3 time(s) to unlock!");
    EXPECT_EQ(init().m_IMEIString->stringValue(), "490154203237518");
    EXPECT_EQ(init().runtimeObjectForKey(kRTIMEI).toString(), "490154203237518");
    EXPECT_TRUE(updateLink.imeis.contains("490154203237518"));

    // Typing or pasting more than the code's 16 characters keeps the first 16.
    type(init().m_UnlockCode, "A1B2C3D4E5F6G7H8XXXX");
    EXPECT_EQ(init().m_UnlockCode->stringValue(), "A1B2C3D4E5F6G7H8");

    AlertAnswerer answerer;
    type(init().m_UnlockCode, "0000000000000000");
    appkit_test::click(init().btnUnlockOK_);
    ASSERT_TRUE(waitFor([&] { return answerer.showed("Incorrect unlock code!"); }));
    ASSERT_TRUE(waitFor([&] {
        return init().m_UnlockWin->isVisible() &&
               init().m_UnlockLeftTime->stringValue() == "You have 2 time(s) to unlock!";
    }));

    const HalvexControl::Position before = halvex.now();
    type(init().m_UnlockCode, "A1B2C3D4E5F6G7H8");
    appkit_test::click(init().btnUnlockOK_);
    const auto sent = halvex.nextReceived(msg::device::kCheckUnlockCodeStatus, before);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->record().length, FieldWidth::kUnlockCode);
    ASSERT_TRUE(waitFor([&] { return posted.names.contains(kSimReadyNotification); }));
}

// A PIN an earlier version kept in the settings moves to the user's private
// file on the first start, and automatic entry goes on from there.
TEST_F(LocksTest, ThePinKeptInTheSettingsMovesToAPrivateFileAndStillEntersItself)
{
    ns::Dictionary main = shippedSettings().value("Main").toDictionary().deepCopy();
    main.setValue("AtuoCheckPinAndIccidSavedInConfigFile", true);
    main.setValue("EnableSavePINNum", true);
    ASSERT_NO_FATAL_FAILURE(
        start({{"SIM/State", "PinLocked"}},
              shippedSettings({{"Main", main}, {"PinNum", "1234"}, {"Iccid", "89000123456789012345"}})));
    const ns::Dictionary onDisk = app->bundle.settingsOnDisk();
    EXPECT_FALSE(onDisk.contains("PinNum"));
    EXPECT_FALSE(onDisk.contains("Iccid"));
    const QString file = configHome() + "/trelvan/PinNum.plist";
    EXPECT_EQ(PinNumStore(file).read()->pinNum, "1234");
    // The owner alone reads and writes the file and enters its folder.
    const QFileDevice::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(file).permissions() & others, QFileDevice::Permissions());
    EXPECT_EQ(QFileInfo(QFileInfo(file).path()).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(file).permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));

    PostedNames posted({kSimReadyNotification});
    init().setIccid("89000123456789012345");
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return posted.names.contains(kSimReadyNotification); }));
    EXPECT_FALSE(init().m_InitPinWindow->isVisible());
}

// A code longer than its field is cut to the field: the record keeps its
// width and its terminating NUL.
TEST_F(LocksTest, AnOverlongPinIsCutToTheFieldOfTheRecord)
{
    ASSERT_NO_FATAL_FAILURE(start({}));
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return halvex.state()->value("SimStatus").toString() == "Ready"; }));
    const HalvexControl::Position before = halvex.now();
    init().setPinNum("123456789012345");
    init().savePinToModem();
    const auto sent = halvex.nextReceived(msg::device::kSavePin, before);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->record().length, FieldWidth::kCode);
    EXPECT_EQ(payloadText(sent->record(), 0, FieldWidth::kCode), "123456789");
    EXPECT_TRUE(payloadTextIsTerminated(sent->record(), 0, FieldWidth::kCode));
}

TEST_F(LocksTest, TheSecondLockFamilyAsksForTheAttemptsAndTakesAnEightCharacterCode)
{
    ASSERT_NO_FATAL_FAILURE(start({{"Locks", ns::Dictionary{{"SimLock", "SecondFamily"},
                                                            {"UnlockCode", "K7Q2M9X4"},
                                                            {"UnlockAttemptsLeft", 2}}}},
                                  shippedSettings({{"ICERA_LOCK_TO_UNLOK", true}})));
    PostedNames posted({kSimReadyNotification});
    AlertAnswerer answerer;
    app->nib.awakeFromNib();
    // The lock report is refused in words; the attempts the controller then asks for open the window.
    ASSERT_TRUE(waitFor([&] { return init().mainUnlockWindow->isVisible(); }));
    EXPECT_TRUE(answerer.showed("Incorrect (U)SIM card!"));
    EXPECT_EQ(init().clckTimes->stringValue(), "You only have 2 time(s) left!");
    EXPECT_EQ(init().IMEIString->stringValue(), "490154203237518");

    type(init().unlockedString, "K7Q2");
    appkit_test::click(init().unlockOKBtn);
    ASSERT_TRUE(waitFor([&] { return answerer.showed("The unlock code must be 8 characters."); }));
    EXPECT_EQ(init().unlockedString->stringValue(), "");

    type(init().unlockedString, "00000000");
    appkit_test::click(init().unlockOKBtn);
    ASSERT_TRUE(waitFor([&] {
        return answerer.showed("Incorrect unlock code!") && init().mainUnlockWindow->isVisible() &&
               init().clckTimes->stringValue() == "You only have 1 time(s) left!";
    }));

    type(init().unlockedString, "K7Q2M9X4");
    appkit_test::click(init().unlockOKBtn);
    ASSERT_TRUE(waitFor([&] { return posted.names.contains(kSimReadyNotification); }));
    EXPECT_FALSE(init().mainUnlockWindow->isVisible());
}

TEST_F(LocksTest, WithFourDigitPinsThePinFieldKeepsOnlyItsLeadingDigits)
{
    ns::Dictionary setting = shippedSettings().value("Setting").toDictionary().deepCopy();
    setting.setValue("PinLimitFourDigitals", true);
    ASSERT_NO_FATAL_FAILURE(start({{"SIM/State", "PinLocked"}}, shippedSettings({{"Setting", setting}})));
    FakeSettings settings;
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().m_InitPinWindow->isVisible(); }));
    EXPECT_EQ(settings.pinActiveStatus, 1); // the SIM asks for its PIN
    const std::pair<QString, QString> typed[] = {{"12a456", "1245"}, {"987654", "9876"}, {"x1", "1"}};
    for (const auto& [keys, kept] : typed) {
        type(init().m_PinCode, keys);
        EXPECT_EQ(init().m_PinCode->stringValue(), kept) << keys.toStdString();
    }
}

TEST_F(LocksTest, ARightPinTypedWithTheSaveBoxOnAsksTheModemToKeepIt)
{
    ns::Dictionary main = shippedSettings().value("Main").toDictionary().deepCopy();
    main.setValue("pinAutoValidation", true);
    ASSERT_NO_FATAL_FAILURE(start({{"SIM/State", "PinLocked"}}, shippedSettings({{"Main", main}})));
    FakeSettings settings;
    app->nib.awakeFromNib();
    ASSERT_TRUE(waitFor([&] { return init().m_InitPinWindow->isVisible(); }));
    ASSERT_FALSE(init().btnSavePinNum_->isHidden());
    appkit_test::click(init().btnSavePinNum_);
    const HalvexControl::Position before = halvex.now();
    type(init().m_PinCode, "1234");
    appkit_test::click(init().btnPinOK_);
    const auto flag = halvex.nextReceived(msg::device::kSavePinFlag, before);
    ASSERT_TRUE(flag);
    EXPECT_EQ(payloadInt32(flag->record(), 0), 1);
    EXPECT_EQ(payloadInt32(flag->record(), 4), 0);
    EXPECT_EQ(init().btnPINAutoValidation_->state(), ns::OnState);
    EXPECT_FALSE(init().m_InitPinWindow->isVisible());
}

namespace
{

// The application's delegate for a test: it refuses to quit and counts how
// often it was asked, so a test can see the application try to end.
struct QuitRecorder : ns::ApplicationDelegate {
    QuitRecorder() { ns::Application::sharedApplication().setDelegate(this); }
    ~QuitRecorder() override { ns::Application::sharedApplication().setDelegate(nullptr); }
    ns::ApplicationTerminateReply applicationShouldTerminate(ns::Application*) override
    {
        ++asked;
        return ns::TerminateCancel;
    }
    int asked = 0;
};

// A module of the shipped settings with one key changed.
ns::Dictionary shippedModule(const char* module, const char* key, const ns::Value& value)
{
    ns::Dictionary dict = shippedSettings().value(module).toDictionary().deepCopy();
    dict.setValue(key, value);
    return dict;
}

struct LockReportCase {
    const char* name;
    ns::Dictionary locks;
    bool quitOnLock;     // Main/"UnLockQuitUI"
    bool simAlertWindow; // Init/"Init_PopSIMAlertWindow_IfSpecialNeed"
    bool removed;        // the device counts as removed
    bool quits;
};

class LockReportTest : public LocksTest, public ::testing::WithParamInterface<LockReportCase>
{
};

} // namespace

// What the modem reports about a refused SIM, a hardware lock or a firmware
// lock ends in the device counting as removed, in quitting, or in both, as
// the configuration says.
TEST_P(LockReportTest, EndsInRemovalOrQuittingAsConfigured)
{
    const LockReportCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(
        {{"Locks", row.locks}},
        shippedSettings(ns::Dictionary{
            {"Main", shippedModule("Main", "UnLockQuitUI", row.quitOnLock)},
            {"Init", shippedModule("Init", "Init_PopSIMAlertWindow_IfSpecialNeed", row.simAlertWindow)}})));
    // The main window counts the device as removed when the removal is announced.
    bool removeSignAtRemoval = false;
    PostedNames posted({kDeviceRemovedNotification},
                       [&](const QString&) { removeSignAtRemoval = app->main().getDeviceRemoveSign(); });
    // The SIM-refused window runs modally: its button closes it, as the user
    // does. Alerts are answered only where that window is not expected.
    std::optional<AlertAnswerer> answerer;
    if (!row.simAlertWindow)
        answerer.emplace();
    bool simWindowShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (init().alertSIMWin_->isVisible()) {
            simWindowShown = true;
            appkit_test::click(init().btnCloseAlertSIMwin_);
        }
    });
    closer.start(10);
    const HalvexControl::Position before = halvex.now();
    app->nib.awakeFromNib();
    QuitRecorder quit;
    const auto alerted = [&] { return answerer && answerer->showed("Incorrect (U)SIM card!"); };

    // Quitting follows the alert or the window within the same report.
    ASSERT_TRUE(waitFor([&] { return quit.asked > 0 || alerted(); }));
    EXPECT_EQ(quit.asked > 0, row.quits);
    EXPECT_EQ(simWindowShown, row.simAlertWindow);
    EXPECT_EQ(alerted(), !row.simAlertWindow);
    EXPECT_EQ(posted.names.contains(kDeviceRemovedNotification), row.removed);
    EXPECT_EQ(removeSignAtRemoval, row.removed);
    if (row.removed) {
        EXPECT_TRUE(halvex.nextReceived(msg::device::kAbandonCodeEntry, before));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locks, LockReportTest,
    ::testing::Values(
        LockReportCase{"RefusedSim", ns::Dictionary{{"SimLock", "Refused"}}, true, false, true, true},
        LockReportCase{"RefusedSimInItsWindow", ns::Dictionary{{"SimLock", "Refused"}}, true, true, true,
                       true},
        LockReportCase{"RefusedSimStaying", ns::Dictionary{{"SimLock", "Refused"}}, false, false, true,
                       false},
        LockReportCase{"HardwareLock", ns::Dictionary{{"HardwareLocked", true}}, true, false, false, true},
        LockReportCase{"HardwareLockStaying", ns::Dictionary{{"HardwareLocked", true}}, false, false, false,
                       false},
        LockReportCase{"FirmwareLockAlwaysQuits", ns::Dictionary{{"FirmwareLocked", true}}, false, false,
                       false, true}),
    [](const ::testing::TestParamInfo<LockReportCase>& info) { return std::string(info.param.name); });

namespace
{

struct SmartSkinCase {
    const char* name;
    const char* scenarioKey;
    ns::Value scenarioValue;
    const char* status;
};

class SmartSkinTest : public LocksTest, public ::testing::WithParamInterface<SmartSkinCase>
{
};

} // namespace

// With the smart skin, a PIN request and a refused SIM are said in the
// connection page's two status rows: no sheet, no alert, no quitting.
TEST_P(SmartSkinTest, SaysItInTheStatusRows)
{
    const SmartSkinCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(
        start({{row.scenarioKey, row.scenarioValue}},
              shippedSettings(ns::Dictionary{{"UIConfig", shippedModule("UIConfig", "SmartUI", true)},
                                             {"Main", shippedModule("Main", "UnLockQuitUI", true)}})));
    FakeDial dial; // in place of the nib's stand-in
    AlertAnswerer answerer;
    app->nib.awakeFromNib();
    QuitRecorder quit;

    ASSERT_TRUE(waitFor([&] { return dial.calls.contains(QString::fromLatin1(row.status)); }));
    const qsizetype shown = dial.calls.indexOf(QString::fromLatin1(row.status));
    ASSERT_GT(shown, 0);
    EXPECT_EQ(dial.calls[shown - 1], "rows 2");
    EXPECT_FALSE(init().m_InitPinWindow->isVisible());
    EXPECT_TRUE(answerer.alerts.isEmpty());
    EXPECT_EQ(quit.asked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Locks, SmartSkinTest,
    ::testing::Values(SmartSkinCase{"PinRequest", "SIM/State", "PinLocked",
                                    "top PIN enabled, please disable PIN"},
                      SmartSkinCase{"RefusedSim", "Locks", ns::Dictionary{{"SimLock", "Refused"}},
                                    "top Invalid SIM, please use a Dezod Bro SIM"}),
    [](const ::testing::TestParamInfo<SmartSkinCase>& info) { return std::string(info.param.name); });

// The PIN entries of the menu and the in-process request open the sheets;
// an entry stays disabled while its sheet is open.
TEST_F(LocksTest, TheMenuAndTheInProcessRequestOpenThePinSheets)
{
    ASSERT_NO_FATAL_FAILURE(start({}));
    app->nib.awakeFromNib();
    ASSERT_TRUE(init().labelPINEnter_ && init().labelPINUnlock_);
    EXPECT_EQ(init().labelPINEnter_->target(), &init());

    init().labelPINUnlock_->performAction();
    EXPECT_TRUE(init().m_InitPukWindow->isVisible());
    EXPECT_FALSE(init().labelPINUnlock_->isEnabled());
    appkit_test::click(init().btnPukCancel_);
    EXPECT_FALSE(init().m_InitPukWindow->isVisible());
    EXPECT_TRUE(init().labelPINUnlock_->isEnabled());

    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("openPINWindow"), nullptr);
    EXPECT_TRUE(init().m_InitPinWindow->isVisible());
    EXPECT_FALSE(init().labelPINEnter_->isEnabled());
}

// Cancelling the PIN sheet asks again when so configured; "YES" gives up the
// entry: the modem is told, the tip says the PIN stays locked and the
// network status is hidden.
TEST_F(LocksTest, GivingUpThePinOnTheReAlertSheetHidesTheNetworkStatus)
{
    ASSERT_NO_FATAL_FAILURE(
        start({}, shippedSettings(ns::Dictionary{
                      {"Main", shippedModule("Main", "reAlertWhenCancelPINOrPUKwindow", true)}})));
    app->nib.awakeFromNib();
    init().labelPINEnter_->performAction();
    ASSERT_TRUE(init().m_InitPinWindow->isVisible());
    appkit_test::click(init().btnPinCancel_);
    ASSERT_TRUE(init().wndReAlertToCancelPinInput_->isVisible());

    const HalvexControl::Position before = halvex.now();
    ns::View* yes = nullptr;
    for (ns::View* view : init().wndReAlertToCancelPinInput_->contentView()->subviews()) {
        auto* button = dynamic_cast<ns::Button*>(view);
        if (button && button->action() == "clickYESOfReAlertPinWindow:")
            yes = button;
    }
    ASSERT_TRUE(yes);
    appkit_test::click(yes);
    EXPECT_FALSE(init().wndReAlertToCancelPinInput_->isVisible());
    EXPECT_FALSE(init().m_InitPinWindow->isVisible());
    EXPECT_EQ(init().tfdLockTip_->stringValue(), "PIN is locked");
    EXPECT_TRUE(init().viewNetWorkStatus_->isHidden());
    EXPECT_TRUE(halvex.nextReceived(msg::device::kAbandonCodeEntry, before));
}
