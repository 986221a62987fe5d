#include "tests/support/HalvexControl.h"

#include "halvex/ControlProtocol.h"
#include "jCommon/DeviceServerChannel.h"
#include "platform/ae/AESend.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QTest>

namespace
{

constexpr long kControlTimeoutTicks = 5 * 60;
const char* const kRuntimeVariable = "TRELVAN_RUNTIME_DIR";

ae::AppleEvent controlEvent(ae::OSType eventID)
{
    return ae::AppleEvent(halvex::control::kEventClass, eventID,
                          ae::Descriptor::fromBundleIdentifier(kJOVDataCardServer));
}

// Sends a control event and waits for the reply: empty on success, else the
// reason Halvex gave or the send error.
QString sendControl(const ae::AppleEvent& event, ae::AppleEvent* reply = nullptr)
{
    ae::AppleEvent answer;
    const ae::OSErr err =
        ae::AESend(event, &answer, ae::kAEWaitReply, ae::kAENormalPriority, kControlTimeoutTicks);
    if (err != ae::noErr)
        return QStringLiteral("Halvex did not answer (error %1)").arg(err);
    if (const auto reason = answer.paramDescriptor(halvex::control::keyErrorString))
        return QString::fromUtf8(reason->data);
    if (reply)
        *reply = std::move(answer);
    return QString();
}

} // namespace

HalvexControl::HalvexControl()
{
    if (qEnvironmentVariableIsSet(kRuntimeVariable))
        previousRuntime_ = qgetenv(kRuntimeVariable);
    qputenv(kRuntimeVariable, runtime_.path().toLocal8Bit());
    QObject::connect(&process_, &QProcess::readyReadStandardError,
                     [this] { errorOutput_ += process_.readAllStandardError(); });
}

HalvexControl::~HalvexControl()
{
    stop();
    if (previousRuntime_)
        qputenv(kRuntimeVariable, *previousRuntime_);
    else
        qunsetenv(kRuntimeVariable);
}

QString HalvexControl::programPath()
{
    return QStringLiteral(HALVEX_PROGRAM_PATH);
}

bool HalvexControl::start(const QString& scenarioPath, ScenarioBy by, int timeoutMs)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRuntimeVariable), runtime_.path());
    environment.remove(QStringLiteral("HALVEX_SCENARIO"));
    QStringList arguments;
    if (!scenarioPath.isEmpty() && by == ScenarioBy::Argument)
        arguments << QStringLiteral("--scenario") << scenarioPath;
    if (!scenarioPath.isEmpty() && by == ScenarioBy::Environment)
        environment.insert(QStringLiteral("HALVEX_SCENARIO"), scenarioPath);
    process_.setProcessEnvironment(environment);
    process_.start(programPath(), arguments);
    if (!process_.waitForStarted(timeoutMs))
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (state())
            return true;
        if (!isRunning())
            return false;
        QTest::qWait(20);
    }
    return false;
}

void HalvexControl::stop()
{
    if (!isRunning())
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool HalvexControl::waitForFinished(int timeoutMs)
{
    return !isRunning() || process_.waitForFinished(timeoutMs);
}

QString HalvexControl::errorOutput()
{
    errorOutput_ += process_.readAllStandardError();
    return QString::fromUtf8(errorOutput_);
}

QString HalvexControl::inject(const _UI_MSG& record)
{
    ae::AppleEvent event = controlEvent(halvex::control::kInjectRecord);
    event.setParamDescriptor(halvex::control::keyRecord, {ae::typeData, recordBytes(record)});
    return sendControl(event);
}

QString HalvexControl::step(const QString& name, const ns::Dictionary& arguments)
{
    ae::AppleEvent event = controlEvent(halvex::control::kRunStep);
    event.setParamDescriptor(halvex::control::keyStepName, {ae::typeUTF8Text, name.toUtf8()});
    if (!arguments.isEmpty())
        event.setParamDescriptor(halvex::control::keyStepArguments,
                                 ae::Descriptor::fromPropertyList(arguments));
    return sendControl(event);
}

std::vector<_UI_MSG> HalvexControl::receivedRecords()
{
    ae::AppleEvent reply;
    if (!sendControl(controlEvent(halvex::control::kReceivedRecords), &reply).isEmpty())
        return {};
    const QByteArray bytes =
        reply.paramDescriptor(halvex::control::keyRecord).value_or(ae::Descriptor()).data;
    std::vector<_UI_MSG> records;
    for (qsizetype at = 0; at + kUIMsgSize <= bytes.size(); at += kUIMsgSize)
        records.push_back(recordFromBytes(bytes.mid(at, kUIMsgSize)));
    return records;
}

std::optional<ns::Dictionary> HalvexControl::state()
{
    ae::AppleEvent reply;
    if (!sendControl(controlEvent(halvex::control::kState), &reply).isEmpty())
        return std::nullopt;
    const auto value =
        reply.paramDescriptor(halvex::control::keyState).value_or(ae::Descriptor()).propertyList();
    if (!value || !value->isDictionary())
        return std::nullopt;
    return value->toDictionary();
}
