// The control channel from outside, as a test or a person with halvexctl
// uses it: numbered logs both ways, who answers, the step list, and bad
// input that is refused while Halvex carries on.
#include "halvex/ControlProtocol.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "tests/halvex/HalvexProgramFixture.h"

#include <QFileInfo>
#include <QProcess>

using namespace halvextest;

namespace
{

// Sends a control event with the given parameters; the reason Halvex gave,
// or the empty string.
QString refusalOf(ae::OSType eventID, const std::vector<std::pair<ae::OSType, ae::Descriptor>>& parameters)
{
    ae::AppleEvent event(halvex::control::kEventClass, eventID,
                         ae::Descriptor::fromBundleIdentifier(kJOVDataCardServer));
    for (const auto& [keyword, descriptor] : parameters)
        event.setParamDescriptor(keyword, descriptor);
    ae::AppleEvent reply;
    if (const ae::OSErr err = ae::AESend(event, &reply, ae::kAEWaitReply, ae::kAENormalPriority, 300))
        return QStringLiteral("send error %1").arg(err);
    return QString::fromUtf8(
        reply.paramDescriptor(halvex::control::keyErrorString).value_or(ae::Descriptor()).data);
}

ae::Descriptor plist(const ns::Value& value)
{
    return ae::Descriptor::fromPropertyList(value);
}

qint64 stateNumber(HalvexControl& halvex, const char* key)
{
    return halvex.state().value_or(ns::Dictionary()).value(key).longLongValue();
}

} // namespace

TEST_F(HalvexProgramTest, NumbersGrowAcrossAFloodAndSinceReadsExactlyTheNewerEntries)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    const HalvexControl::Position start = halvex.now();
    ASSERT_GT(start.number, 0u);

    // More than a log holds, each record with its index in the payload and
    // bytes beyond its length that come back as they were.
    constexpr int kFlood = halvex::control::kLogCapacity + 300;
    std::vector<QByteArray> flood;
    for (int i = 0; i < kFlood; ++i) {
        _UI_MSG record = halvex::makeRecord(MessageID{0x7F00, 1}, kTypeRequest, kResultSuccess,
                                            PayloadWriter(4).setInt32(0, i).bytes());
        record.data[8000] = uint8_t(i | 1);
        record.tail[2] = 9;
        flood.push_back(recordBytes(record));
        ASSERT_EQ(manager.sendBytes(flood.back()), "") << i;
    }
    EXPECT_EQ(stateNumber(halvex, "LastReceivedNumber"), qint64(start.number) + kFlood);
    EXPECT_EQ(stateNumber(halvex, "ReceivedForgotten"), 300);
    EXPECT_EQ(stateNumber(halvex, "SentForgotten"), 0);

    // Since the start: what the log still holds, numbered one after the other.
    const std::vector<HalvexControl::Entry> kept = halvex.receivedSince(start);
    ASSERT_EQ(kept.size(), size_t(halvex::control::kLogCapacity));
    for (size_t i = 0; i < kept.size(); ++i) {
        ASSERT_EQ(kept[i].number, start.number + 301 + i);
        ASSERT_EQ(kept[i].recordBytes(), flood[300 + i]);
    }
    // Since an entry of the flood: exactly those after it.
    const HalvexControl::Position late{start.processID, start.number + kFlood - 5};
    const std::vector<HalvexControl::Entry> newer = halvex.receivedSince(late);
    ASSERT_EQ(newer.size(), 5u);
    EXPECT_EQ(newer.front().number, late.number + 1);
    EXPECT_EQ(newer.back().recordBytes(), flood.back());
    EXPECT_TRUE(halvex.receivedSince(halvex.now()).empty());

    // The plain read answers as it always has: the newest 256 records back
    // to back, oldest first, byte for byte.
    QByteArray expected;
    for (int i = kFlood - 256; i < kFlood; ++i)
        expected += flood[size_t(i)];
    QByteArray plain;
    for (const _UI_MSG& record : halvex.receivedRecords())
        plain += recordBytes(record);
    EXPECT_EQ(plain.size(), expected.size());
    EXPECT_TRUE(plain == expected);
}

TEST_F(HalvexProgramTest, TheSentLogMarksAReportDroppedWhileNoManagerListened)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    const std::vector<HalvexControl::Entry> start = halvex.sentSince({});
    EXPECT_EQ(names(start), readyStartSequence());
    EXPECT_TRUE(std::none_of(start.begin(), start.end(), [](const auto& entry) { return entry.dropped; }));

    manager.stopListening();
    const HalvexControl::Position beforeDrop = halvex.now();
    EXPECT_EQ(halvex.setSignalLevel(1), "");
    const std::optional<HalvexControl::Entry> dropped =
        halvex.nextSent(msg::device::kCheckRscpSignalStatus, beforeDrop);
    ASSERT_TRUE(dropped);
    EXPECT_TRUE(dropped->dropped);
    EXPECT_EQ(managerSignalLevel(dropped->record()), 1);

    manager.listen();
    ASSERT_TRUE(manager.listening);
    const HalvexControl::Position beforeDelivery = halvex.now();
    EXPECT_EQ(halvex.setSignalLevel(2), "");
    const std::optional<HalvexControl::Entry> delivered =
        halvex.nextSent(msg::device::kCheckRscpSignalStatus, beforeDelivery);
    ASSERT_TRUE(delivered);
    EXPECT_FALSE(delivered->dropped);
    EXPECT_GT(delivered->number, dropped->number);
    EXPECT_GE(delivered->msecs, dropped->msecs);
    ASSERT_EQ(names(manager.next(1)), QStringList{"7/55"});
    EXPECT_EQ(managerSignalLevel(manager.records.back()), 2);
}

TEST_F(HalvexProgramTest, ARestartedServerShowsANewProcessAndAFreshLog)
{
    const QString path = scenarioFile();
    startWith(path);
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    EXPECT_EQ(manager.send(halvex::makeRecord(msg::device::kCheckCIMI, kTypeRequest, kResultSuccess)), "");
    ASSERT_TRUE(halvex.nextSent(msg::device::kCheckCIMI, {}));
    const ns::Dictionary first = state();
    EXPECT_EQ(first.value("ProcessID").longLongValue(), halvex.processId());
    EXPECT_EQ(first.value("ScenarioPath").toString(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(first.value("ScenarioName").toString(), QFileInfo(path).completeBaseName());
    EXPECT_EQ(first.value("LastReceivedNumber").longLongValue(), readyStartSequence().size() + 1);
    const HalvexControl::Position beforeRestart = halvex.now();

    halvex.stop();
    startWith(path);
    const ns::Dictionary second = state();
    EXPECT_NE(second.value("ProcessID").longLongValue(), first.value("ProcessID").longLongValue());
    EXPECT_GE(second.value("StartTime").toDate(), first.value("StartTime").toDate());
    EXPECT_EQ(second.value("LastReceivedNumber").longLongValue(), 0);
    EXPECT_TRUE(halvex.receivedSince(beforeRestart).empty());
    // A wait from before the restart finds the new process's first record,
    // though its number is far below the one waited after.
    const std::optional<HalvexControl::Entry> handshake =
        halvex.nextSent(msg::device::kHandShake, beforeRestart);
    ASSERT_TRUE(handshake);
    EXPECT_EQ(handshake->number, 1u);
}

TEST_F(HalvexProgramTest, EveryListedStepRunsWithItsListedArgumentsAndNothingElseRuns)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    const ns::Array steps = halvex.steps();
    ASSERT_FALSE(steps.isEmpty());
    QStringList listed;
    for (const ns::Value& item : steps) {
        const ns::Dictionary step = item.toDictionary();
        const QString name = step.value("Name").toString();
        SCOPED_TRACE(name.toStdString());
        listed << name;
        EXPECT_FALSE(step.value("Description").toString().isEmpty());
        // In the order listed each step can be taken: at its arguments'
        // smallest values, then at their largest; one past is refused.
        ns::Dictionary smallest, largest, beyond;
        for (const ns::Value& value : step.value("Arguments").toArray()) {
            const ns::Dictionary argument = value.toDictionary();
            const QString argumentName = argument.value("Name").toString();
            EXPECT_EQ(argument.value("Type").toString(), "integer");
            EXPECT_FALSE(argument.value("Description").toString().isEmpty());
            smallest.setValue(argumentName, argument.value("Minimum"));
            largest.setValue(argumentName, argument.value("Maximum"));
            beyond.setValue(argumentName, argument.value("Maximum").longLongValue() + 1);
        }
        EXPECT_EQ(halvex.step(name, smallest), "");
        if (!largest.isEmpty()) {
            EXPECT_EQ(halvex.step(name, largest), "");
            EXPECT_TRUE(halvex.step(name, beyond).contains("must be an integer from"))
                << halvex.step(name, beyond).toStdString();
        }
    }
    EXPECT_EQ(listed, (QStringList{"remove", "plug", "notattached", "identity", "usim", "spn", "signal",
                                   "signalform", "network", "roaming", "simupdate", "ndisdrop", "ndisreport",
                                   "ndisrates", "pppdrop", "ppprates", "pppcounterback"}));
    const QString unlisted = halvex.step("thunderstorm");
    EXPECT_TRUE(unlisted.startsWith("no step \"thunderstorm\"")) << unlisted.toStdString();
    EXPECT_TRUE(unlisted.contains(listed.join(", ")));
}

TEST_F(HalvexProgramTest, BadControlInputIsRefusedWithTheReasonWhileHalvexCarriesOn)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    const auto step = [](const QString& name, const ns::Value& arguments) {
        return std::vector<std::pair<ae::OSType, ae::Descriptor>>{
            {halvex::control::keyStepName, {ae::typeUTF8Text, name.toUtf8()}},
            {halvex::control::keyStepArguments, plist(arguments)}};
    };
    const QString longName(100000, QLatin1Char('x'));
    const QString cut = QString(64, QLatin1Char('x')) + "... (%1 characters)";
    const struct {
        ae::OSType event;
        std::vector<std::pair<ae::OSType, ae::Descriptor>> parameters;
        QString reason;
    } cases[] = {
        // Once taken as level 3: the number was cut to 32 bits.
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", 4294967299LL}}),
         "the signal step's \"level\" must be an integer from 0 to 5, not 4294967299"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", -1}}), "from 0 to 5, not -1"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", 2.5}}), "from 0 to 5, not 2.5"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", std::nan("")}}), "not nan"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", "3"}}), "not \"3\""},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", true}}), "not true"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary()),
         "needs \"level\", an integer from 0 to 5"},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", 2}, {"gain", 1}}),
         "the signal step takes no argument \"gain\""},
        {halvex::control::kRunStep, step("remove", ns::Dictionary{{"level", 1}}),
         "the remove step takes no argument \"level\""},
        {halvex::control::kRunStep, step("signal", ns::Array{1}), "step arguments must be a dictionary"},
        {halvex::control::kRunStep, step(longName, ns::Dictionary()), "no step \"" + cut.arg(100000) + "\""},
        {halvex::control::kRunStep, step("bad\nname", ns::Dictionary()), "no step \"bad?name\""},
        {halvex::control::kRunStep, step("signal", ns::Dictionary{{"level", 2}, {longName, 1}}),
         "takes no argument \"" + cut.arg(100000) + "\""},
        {halvex::control::kRunStep,
         {{halvex::control::keyStepName, plist("signal")}},
         "a step needs its name"},
        {halvex::control::kReceivedRecords,
         {{halvex::control::keySince, plist(-1)}},
         "\"since\" must be an order number"},
        {halvex::control::kSentRecords,
         {{halvex::control::keySince, plist("1")}},
         "\"since\" must be an order number"},
        {halvex::control::kSentRecords,
         {{halvex::control::keySince, {ae::typeXMLPropertyList, "<plist"}}},
         "\"since\" must be an order number"},
        {halvex::control::kReceivedRecords,
         {{halvex::control::keyNumbered, plist(1)}},
         "\"numbered\" must be a boolean"},
        {halvex::control::kInjectRecord,
         {{halvex::control::keyRecord, {ae::typeData, QByteArray(10, '\1')}}},
         "inject needs one whole record"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        const QString reason = refusalOf(c.event, c.parameters);
        EXPECT_TRUE(reason.contains(c.reason)) << reason.toStdString();
        EXPECT_LT(reason.size(), 300);
    }
    ASSERT_TRUE(halvex.isRunning());
    const ns::Dictionary after = state();
    EXPECT_EQ(after.value("SignalLevel").intValue(), 3);
    EXPECT_TRUE(after.value("Plugged").boolValue());
    // The log took the names cut and on one line each.
    const QString log = halvex.errorOutput();
    EXPECT_TRUE(log.contains("control: step bad?name\n")) << log.toStdString();
    for (const QString& line : log.split('\n'))
        EXPECT_LT(line.size(), 400);
}

TEST_F(HalvexProgramTest, HalvexctlDrivesItFromTheCommandLine)
{
    startWith(scenarioFile());
    ASSERT_TRUE(manager.waitForCount(readyStartSequence().size()));
    struct Run {
        int exitCode;
        QString out;
        QString err;
    };
    // The runtime folder reaches the tool through the environment it inherits.
    const auto halvexctl = [](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(HALVEXCTL_PROGRAM_PATH), arguments);
        process.waitForFinished(10000);
        return Run{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
    };

    const Run steps = halvexctl({"steps"});
    EXPECT_EQ(steps.exitCode, 0);
    EXPECT_TRUE(steps.out.contains("signal level\n")) << steps.out.toStdString();
    EXPECT_TRUE(steps.out.contains("level: integer from 0 to 5")) << steps.out.toStdString();

    const HalvexControl::Position beforeStep = halvex.now();
    EXPECT_EQ(halvexctl({"step", "signal", "--args", R"({"level": 1})"}).exitCode, 0);
    ASSERT_TRUE(halvex.nextSent(msg::device::kCheckRscpSignalStatus, beforeStep));
    EXPECT_EQ(state().value("SignalLevel").intValue(), 1);
    const Run refused = halvexctl({"step", "signal", "--args", R"({"level": 4294967299})"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("must be an integer from 0 to 5, not 4294967299"))
        << refused.err.toStdString();
    EXPECT_EQ(state().value("SignalLevel").intValue(), 1);

    const HalvexControl::Position beforeInject = halvex.now();
    EXPECT_EQ(halvexctl({"inject", "0x300", "7", "--module", "5", "--text", "hello"}).exitCode, 0);
    const std::optional<HalvexControl::Entry> injected = halvex.nextSent(MessageID{0x300, 7}, beforeInject);
    ASSERT_TRUE(injected);
    const _UI_MSG record = injected->record();
    EXPECT_EQ(record.moduleID, kModuleSMS);
    EXPECT_EQ(record.type, kTypeReport);
    EXPECT_EQ(payloadText(record, 0, 5), "hello");
    EXPECT_TRUE(QTest::qWaitFor([&] { return manager.find("768/7"); }, 10000));
    const Run sent = halvexctl({"sent", "--since", QString::number(beforeInject.number)});
    EXPECT_EQ(sent.exitCode, 0);
    const QStringList sentLines = sent.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(sentLines.size(), 1) << sent.out.toStdString();
    EXPECT_TRUE(sentLines[0].contains(QRegularExpression(
        QStringLiteral("^ *%1 +[0-9]+ ms  768/7 +module 5  type 1  result 0  length 5  68656c6c6f$")
            .arg(injected->number))))
        << sentLines[0].toStdString();

    EXPECT_EQ(manager.send(halvex::makeRecord(msg::device::kCheckCIMI, kTypeRequest, kResultSuccess)), "");
    const Run received = halvexctl({"received"});
    EXPECT_EQ(received.exitCode, 0);
    EXPECT_EQ(received.out.count('\n'), 1);
    EXPECT_TRUE(received.out.contains("7/42")) << received.out.toStdString();

    const Run who = halvexctl({"state"});
    EXPECT_TRUE(who.out.contains(QStringLiteral("ProcessID: %1\n").arg(halvex.processId())))
        << who.out.toStdString();
    EXPECT_EQ(halvexctl({"inject", "7"}).exitCode, 2);
    EXPECT_EQ(halvexctl({"received", "--since", "-1"}).exitCode, 2);
    EXPECT_EQ(halvexctl({"thunderstorm"}).exitCode, 2);
}
