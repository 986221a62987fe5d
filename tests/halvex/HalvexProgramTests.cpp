#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Bundle.h"
#include "tests/halvex/HalvexProgramFixture.h"

#include <QFileInfo>

#include <cmath>

using namespace halvextest;

namespace
{

_UI_MSG managerRequest(MessageID id, int32_t type, const QByteArray& payload = QByteArray())
{
    return halvex::makeRecord(id, type, kResultSuccess, payload);
}

_UI_MSG handshake()
{
    return managerRequest(msg::device::kHandShake, kTypeRequest);
}
_UI_MSG pinCheck(const QString& pin)
{
    return managerRequest(msg::device::kCheckoutPin, kTypeReport,
                          PayloadWriter(FieldWidth::kCode).setText(0, FieldWidth::kCode, pin).bytes());
}
_UI_MSG pukCheck(const QString& newPin, const QString& puk)
{
    return managerRequest(msg::device::kCheckoutPuk, kTypeReport,
                          PayloadWriter(2 * FieldWidth::kCode)
                              .setText(0, FieldWidth::kCode, newPin)
                              .setText(FieldWidth::kCode, FieldWidth::kCode, puk)
                              .bytes());
}

std::pair<int, int> attempts(const _UI_MSG& record)
{
    return {payloadInt32(record, 0), payloadInt32(record, 4)};
}

} // namespace

TEST_F(HalvexProgramTest, TheStartSequenceArrivesInOrderWithItsPayloadsAndAgainOnAHandshake)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    ASSERT_EQ(names(manager.records), readyStartSequence());
    for (const _UI_MSG& record : manager.records) {
        SCOPED_TRACE(recordName(record).toStdString());
        EXPECT_EQ(record.tag, 1);
        EXPECT_EQ(record.moduleID, kModuleInit);
        EXPECT_EQ(record.type, kTypeReport);
        EXPECT_EQ(record.result, kResultSuccess);
    }
    const auto text = [&](const char* name, int offset, int width) {
        return payloadText(*manager.find(name), offset, width);
    };
    const auto number = [&](const char* name, int offset) {
        return payloadInt32(*manager.find(name), offset);
    };

    EXPECT_EQ(number("3/5", 0), 3);  // device mode
    EXPECT_EQ(number("0/26", 0), 0); // device not locked
    EXPECT_EQ(number("6/32", 0), 1); // a USIM
    EXPECT_EQ(text("5/22", 0, 36), "351234567890128");
    EXPECT_EQ(text("7/44", 0, 68), "11.2.33.44.555");
    EXPECT_EQ(text("7/48", 0, 128), "HW-7C");
    EXPECT_EQ(text("7/49", 0, 32), "Test Stick");
    EXPECT_EQ(text("7/50", 0, 40), "SN0123456789");
    EXPECT_EQ(text("7/42", 0, 36), "001010987654321");
    EXPECT_EQ(text("7/47", 0, 44), "+15550100");
    EXPECT_EQ(text("7/39", 0, 512), "A305800300F120");
    EXPECT_EQ(text("7/40", 0, 512), "01566F6E746F72FFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(text("7/41", 0, 512), "98103254769810325476");
    EXPECT_EQ(text("7/36", 40, 68), "HSPA+");
    EXPECT_EQ(text("7/36", 108, 72), "PS_ONLY");

    const _UI_MSG& network = *manager.find("7/37");
    EXPECT_EQ(network.length, 324);
    EXPECT_EQ(text("7/37", 0, 68), "Visited Net");
    EXPECT_EQ(text("7/37", 68, 68), "Visited");
    EXPECT_EQ(text("7/37", 136, 36), "999");
    EXPECT_EQ(text("7/37", 172, 36), "99");
    EXPECT_EQ(text("7/37", 208, 36), "ROAM_ON");
    EXPECT_EQ(text("7/37", 244, 36), "001"); // home network, from the IMSI
    EXPECT_EQ(text("7/37", 280, 36), "01");
    EXPECT_EQ(number("7/37", 316), 0); // SIM operator name not to be shown
    EXPECT_EQ(network.data[320], 1);   // a complete record

    EXPECT_EQ(number("7/38", 0), 5); // registered, roaming
    EXPECT_EQ(text("7/38", 4, 10), "1B2C");
    EXPECT_EQ(text("7/38", 14, 14), "00C0FFEE");
    EXPECT_EQ(managerSignalLevel(*manager.find("7/55")), 3);
    EXPECT_EQ(number("513/85", 0), 1); // national roaming on
    EXPECT_EQ(number("513/85", 4), 0); // international off
    EXPECT_EQ(number("6/33", 0), 0);   // the USIM is activated
    EXPECT_EQ(manager.find("4/16")->length, 8);
    EXPECT_EQ(number("4/16", 0), 0);   // no PIN kept in the device
    EXPECT_EQ(number("7/57", 0), 1);   // home country code 001, from the IMSI
    EXPECT_EQ(number("513/75", 0), 0); // automatic search
    EXPECT_EQ(number("513/80", 0), 2); // no preferred network type

    // The manager shakes hands: the device is reported again from the start,
    // and Halvex keeps what it received.
    manager.records.clear();
    const HalvexControl::Position beforeHandshake = halvex.now();
    EXPECT_EQ(manager.send(handshake()), "");
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    EXPECT_EQ(names(manager.records), readyStartSequence());
    const std::vector<HalvexControl::Entry> received = halvex.receivedSince(beforeHandshake);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received.front().recordBytes(), recordBytes(handshake()));
}

TEST_F(HalvexProgramTest, APinLockedSimCountsWrongPinsDownAndOpensToTheRightOne)
{
    // At home this time, and named by the environment.
    startWith(scenarioFile({{"SIM/State", "PinLocked"},
                            {"Network/Roaming", false},
                            {"Network/MCC", "001"},
                            {"Network/MNC", "01"}}),
              HalvexControl::ScenarioBy::Environment);
    const size_t ask = size_t(deviceReports().size()); // where the SIM asks for a code
    ASSERT_TRUE(manager.waitForCount(ask + 2));
    const std::vector<_UI_MSG> start = manager.records;
    ASSERT_EQ(names(start), (deviceReports() + QStringList{"4/10", "4/8"}));
    EXPECT_EQ(start[ask].type, kTypeRequest);
    EXPECT_EQ(start[ask].result, kResultFailure);
    EXPECT_EQ(attempts(start[ask + 1]), std::pair(3, 10));

    EXPECT_EQ(manager.send(pinCheck("0000")), "");
    std::vector<_UI_MSG> refused = manager.next(2);
    ASSERT_EQ(names(refused), (QStringList{"4/10", "4/8"}));
    EXPECT_EQ(refused[0].type, kTypeRequest);
    EXPECT_EQ(refused[0].result, kResultFailure);
    EXPECT_EQ(attempts(refused[1]), std::pair(2, 10));
    EXPECT_EQ(state().value("SimStatus").toString(), "PinRequired");

    EXPECT_EQ(manager.send(pinCheck("4321")), "");
    const QStringList simReady = readyStartSequence().mid(readyStartSequence().indexOf("4/9"));
    std::vector<_UI_MSG> accepted = manager.next(size_t(1 + simReady.size()));
    ASSERT_EQ(names(accepted), QStringList{"4/10"} + simReady);
    EXPECT_EQ(accepted[0].type, kTypeRequest);
    EXPECT_EQ(accepted[0].result, kResultSuccess);
    EXPECT_EQ(payloadText(*manager.find("7/37"), 208, 36), "ROAM_OFF");
    EXPECT_EQ(payloadText(*manager.find("7/37"), 280, 36), "01");
    EXPECT_EQ(payloadInt32(*manager.find("7/38"), 0), 1); // registered at home

    EXPECT_EQ(state().value("SimStatus").toString(), "Ready");
    EXPECT_EQ(state().value("PinAttemptsLeft").intValue(), 3);
}

TEST_F(HalvexProgramTest, APukLockedSimTakesThePukWithANewPinThatHoldsAfterReplugging)
{
    startWith(scenarioFile({{"SIM/State", "PukLocked"}, {"SIM/PinAttemptsLeft", 0}}));
    const size_t ask = size_t(deviceReports().size()); // where the SIM asks for a code
    ASSERT_TRUE(manager.waitForCount(ask + 2));
    const std::vector<_UI_MSG> start = manager.records;
    ASSERT_EQ(names(start), (deviceReports() + QStringList{"4/10", "4/8"}));
    EXPECT_EQ(attempts(start[ask + 1]), std::pair(0, 10));

    EXPECT_EQ(manager.send(pukCheck("2468", "11111111")), "");
    std::vector<_UI_MSG> refused = manager.next(2);
    ASSERT_EQ(names(refused), (QStringList{"4/10", "4/8"})); // worded as the PUK the manager asked for
    EXPECT_EQ(refused[0].result, kResultFailure);
    EXPECT_EQ(attempts(refused[1]), std::pair(0, 9));

    EXPECT_EQ(manager.send(pukCheck("2468", "87654321")), "");
    std::vector<_UI_MSG> accepted = manager.next(2);
    ASSERT_EQ(names(accepted), (QStringList{"4/11", "4/9"}));
    EXPECT_EQ(accepted[0].type, kTypeRequest);
    EXPECT_EQ(accepted[0].result, kResultSuccess);
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.find("513/85"); }, 10000));

    // Power lost and back: the SIM asks for its PIN, which is now the new one.
    EXPECT_EQ(halvex.removeDevice(), "");
    EXPECT_EQ(halvex.plugDevice(), "");
    const size_t before = manager.records.size();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return manager.records.size() > before && recordName(manager.records.back()) == "4/8"; },
        10000));
    EXPECT_EQ(attempts(manager.records.back()), std::pair(3, 10));
    EXPECT_EQ(manager.send(pinCheck("2468")), "");
    ASSERT_EQ(names(manager.next(2)), (QStringList{"4/10", "4/9"}));
    EXPECT_EQ(manager.records[manager.records.size() - 2].result, kResultSuccess);
}

TEST_F(HalvexProgramTest, TheDeviceNoticesComeOnTheirStepsAndThePinSavedStateIsAnsweredOnce)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));

    // The manager asks again after each report; the answer is no new report.
    EXPECT_EQ(manager.send(managerRequest(msg::device::kPinAutoValidation, kTypeRequest)), "");
    std::vector<_UI_MSG> answer = manager.next(1);
    ASSERT_EQ(names(answer), QStringList{"4/16"});
    EXPECT_EQ(answer[0].type, kTypeRequest);

    EXPECT_EQ(halvex.step("usim", {{"status", 4}}), "");
    std::vector<_UI_MSG> usim = manager.next(1);
    ASSERT_EQ(names(usim), QStringList{"6/33"});
    EXPECT_EQ(payloadInt32(usim[0], 0), 4);

    EXPECT_EQ(halvex.step("simupdate"), "");
    EXPECT_EQ(halvex.step("notattached"), "");
    std::vector<_UI_MSG> notices = manager.next(2);
    ASSERT_EQ(names(notices), (QStringList{"7/34", "8/59"}));
    EXPECT_EQ(notices[0].result, kResultSuccess);
    EXPECT_EQ(notices[1].result, kResultFailure);

    EXPECT_EQ(halvex.removeDevice(), "");
    EXPECT_FALSE(halvex.step("simupdate").isEmpty());
}

// The user's choice on the PIN sheet (4/18) changes what the device reports
// about keeping the PIN (4/16), and the device keeps it over a power loss.
TEST_F(HalvexProgramTest, TheUsersChoiceToKeepThePinIsReportedAndOutlivesRemoval)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    const auto savePinFlag = [](int32_t keep) {
        return managerRequest(msg::device::kSavePinFlag, kTypeRequest,
                              PayloadWriter(8).setInt32(0, keep).setInt32(4, 0).bytes());
    };
    const auto keptAndChosen = [](const _UI_MSG& record) {
        return std::pair(payloadInt32(record, 0), payloadInt32(record, 4));
    };

    EXPECT_EQ(manager.send(savePinFlag(1)), "");
    std::vector<_UI_MSG> kept = manager.next(1);
    ASSERT_EQ(names(kept), QStringList{"4/16"});
    EXPECT_EQ(kept[0].type, kTypeReport);
    EXPECT_EQ(keptAndChosen(kept[0]), std::pair(1, 1));
    EXPECT_TRUE(halvex.state()->value("PinKeptByDevice").boolValue());

    manager.records.clear();
    EXPECT_EQ(halvex.removeDevice(), "");
    EXPECT_EQ(halvex.plugDevice(), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.find("4/16") != nullptr; }, 10000));
    EXPECT_EQ(keptAndChosen(*manager.find("4/16")), std::pair(1, 1));

    manager.records.clear();
    EXPECT_EQ(manager.send(savePinFlag(0)), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.find("4/16") != nullptr; }, 10000));
    EXPECT_EQ(keptAndChosen(*manager.find("4/16")), std::pair(0, 1));
}

TEST_F(HalvexProgramTest, RemovalAndReturnOfTheDevice)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));

    EXPECT_EQ(halvex.removeDevice(), "");
    std::vector<_UI_MSG> removed = manager.next(1);
    ASSERT_EQ(names(removed), QStringList{"8/58"});
    EXPECT_EQ(removed[0].result, kResultFailure);
    EXPECT_FALSE(halvex.removeDevice().isEmpty());
    EXPECT_FALSE(state().value("Plugged").boolValue());
    EXPECT_FALSE(state().value("Registered").boolValue());

    // Without a device nothing is answered but the handshake, which fails.
    EXPECT_EQ(manager.send(pinCheck("4321")), "");
    EXPECT_EQ(manager.send(handshake()), "");
    std::vector<_UI_MSG> answered = manager.next(1);
    ASSERT_EQ(names(answered), QStringList{"1/0"});
    EXPECT_EQ(answered[0].result, kResultFailure);

    EXPECT_EQ(halvex.plugDevice(), "");
    std::vector<_UI_MSG> back = manager.next(size_t(readyStartSequence().size()));
    ASSERT_EQ(names(back), readyStartSequence());
    EXPECT_EQ(back[1].result, kResultSuccess); // plugged in
    EXPECT_FALSE(halvex.plugDevice().isEmpty());
    EXPECT_EQ(names(halvex.receivedSince({})), (QStringList{"4/10", "1/0"}));
}

class HalvexSignalTest : public HalvexProgramTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(HalvexSignalTest, TheSignalStepReportsTheLevelOnTheManagersScale)
{
    startWith(scenarioFile({{"Network/Type", GetParam()}}));
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    for (int level = 0; level <= 5; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(halvex.setSignalLevel(level), "");
        std::vector<_UI_MSG> report = manager.next(1);
        ASSERT_EQ(names(report), QStringList{"7/55"});
        EXPECT_EQ(managerSignalLevel(report[0]), level);
        EXPECT_EQ(state().value("SignalLevel").intValue(), level);
    }
    EXPECT_FALSE(halvex.setSignalLevel(6).isEmpty());
    EXPECT_FALSE(halvex.step("signal").isEmpty());
    EXPECT_FALSE(halvex.step("thunderstorm").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(UmtsAndGsm, HalvexSignalTest, ::testing::Values("HSPA+", "EDGE"));

TEST_F(HalvexProgramTest, InjectedRecordsReachTheManagerUnchanged)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    _UI_MSG record = halvex::makeRecord(MessageID{0x0300, 7}, kTypeReport, kResultFailure,
                                        QByteArray("payload"), kModuleSMS);
    record.tail[2] = '1';
    EXPECT_EQ(halvex.inject(record), "");
    std::vector<_UI_MSG> arrived = manager.next(1);
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(recordBytes(arrived[0]), recordBytes(record));
}

TEST_F(HalvexProgramTest, RecordsOfAnotherSizeAreRefusedAndNeverKept)
{
    startWith(scenarioFile());
    EXPECT_TRUE(manager.sendBytes(QByteArray(100, '\1')).contains("100 bytes"));
    EXPECT_TRUE(manager.sendBytes(QByteArray(kUIMsgSize + 1, '\1')).contains("8221 bytes"));
    EXPECT_FALSE(manager.sendBytes(std::nullopt).isEmpty());
    EXPECT_EQ(manager.send(pinCheck("4321")), "");
    ASSERT_TRUE(halvex.isRunning());
    EXPECT_EQ(names(halvex.receivedSince({})), QStringList{"4/10"});
}

TEST(HalvexProgram, BadScenariosStopItWithExitCode2AndTheReason)
{
    QTemporaryDir folder;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
    };
    const auto scenario = [&](const char* name, const std::vector<std::pair<QString, ns::Value>>& changes) {
        return writeScenario(folder.path(), name, scenarioWith(changes));
    };
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {folder.filePath("missing.plist"), "no such file"},
        {write("text.plist", "not a property list"), "not a property list"},
        {write("array.plist", ns::PropertyList::toXml(ns::Array{1, 2})), "not a dictionary"},
        {scenario("imsi", {{"SIM/IMSI", ns::Value()}}), "key \"SIM/IMSI\" is missing"},
        {scenario("kind", {{"Network/SignalLevel", "high"}}), "must be an integer"},
        {scenario("range", {{"Network/SignalLevel", 6}}), "must be from 0 to 5"},
        {scenario("state", {{"SIM/State", "Locked"}}), "must be one of Ready, PinLocked, PukLocked, Absent"},
        {scenario("pin", {{"SIM/PIN", "12a4"}}), "4 to 8 digits"},
        {scenario("hex", {{"SIM/ICCIDFile", "ABC"}}), "hexadecimal"},
        {scenario("spent", {{"SIM/State", "PinLocked"}, {"SIM/PinAttemptsLeft", 0}}), "must be PukLocked"},
        {scenario("home", {{"Network/Roaming", false}}),
         "IMSI does not begin with the network's MCC and MNC"},
        {scenario("typo", {{"Device/Modell", "X"}}), "\"Device/Modell\" is not a key"},
        {scenario("retry", {{"Timing/HandshakeRetryInterval", 0}}), "above 0"},
        {scenario("spin", {{"Timing/SignalChangeInterval", 1e-6}}), "0 (off) or from 0.1 to 3600 seconds"},
        {scenario("busy", {{"Timing/HandshakeRetryInterval", 0.01}}), "must be from 0.1 to 3600 seconds"},
        {scenario("nan", {{"Timing/ReportInterval", std::nan("")}}),
         "\"Timing/ReportInterval\" must be a finite"},
        {scenario("infinite", {{"Timing/ReplyDelay", HUGE_VAL}}), "\"Timing/ReplyDelay\" must be a finite"},
        {scenario("long", {{"Timing/CodeCheckDelay", 3600.5}}), "from 0 to 3600, not 3600.5"},
        {scenario("section", {{"Radio", ns::Dictionary()}}), "\"Radio\" is not a section"},
        {scenario("lock", {{"Locks", ns::Dictionary{{"SimLock", "Operator"}}}}),
         "must be one of None, FirstFamily, SecondFamily, Refused"},
        {scenario("unlock",
                  {{"Locks", ns::Dictionary{{"SimLock", "FirstFamily"}, {"UnlockCode", "12345678"}}}}),
         "16 letters or digits"},
        {scenario("nocode", {{"Locks", ns::Dictionary{{"SimLock", "SecondFamily"}}}}),
         "key \"Locks/UnlockCode\" is missing"},
        {scenario("device", {{"Locks", ns::Dictionary{{"DeviceCode", "12a4"}}}}), "4 digits"},
        {scenario("locktypo", {{"Locks", ns::Dictionary{{"DeviceLock", true}}}}),
         "\"Locks/DeviceLock\" is not a key"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        HalvexControl halvex;
        EXPECT_FALSE(halvex.start(c.path));
        ASSERT_TRUE(halvex.waitForFinished(10000));
        EXPECT_EQ(halvex.exitCode(), 2);
        EXPECT_TRUE(halvex.errorOutput().contains(QString::fromUtf8(c.reason)))
            << halvex.errorOutput().toStdString();
    }
}

TEST_F(HalvexProgramTest, TheBundleRegistersAsTheServerAndPlaysItsDefaultScenario)
{
    const QString appPath = QFileInfo(HalvexControl::programPath()).absolutePath() + "/../..";
    const std::optional<ns::Bundle> bundle =
        ns::Bundle::bundleWithPath(QFileInfo(appPath).canonicalFilePath());
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->bundleIdentifier(), kJOVDataCardServer);
    EXPECT_EQ(bundle->objectForInfoDictionaryKey("CFBundleExecutable").toString(), "Halvex");
    const auto defaults =
        ns::PropertyList::readDictionary(bundle->pathForResource("DefaultScenario", "plist"));
    ASSERT_TRUE(defaults);

    startWith(QString());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    EXPECT_EQ(payloadText(*manager.find("7/42"), 0, 36),
              defaults->value("SIM").toDictionary().value("IMSI").toString());
}
