#include "tests/support/HalvexControl.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTest>

#include <algorithm>

namespace
{
const char* const kRuntimeVariable = "TRELVAN_RUNTIME_DIR";
} // namespace

HalvexControl::HalvexControl()
{
    if (qEnvironmentVariableIsSet(kRuntimeVariable))
        previousRuntime_ = qgetenv(kRuntimeVariable);
    qputenv(kRuntimeVariable, runtime_.path().toLocal8Bit());
    // A file, not a pipe: a test busy sending and waiting does not drain a
    // pipe, which would fill and hold Halvex up in the middle of a log line.
    process_.setStandardErrorFile(errorLogPath(), QIODevice::Append);
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

QString HalvexControl::errorLogPath() const
{
    return runtime_.filePath(QStringLiteral("Halvex.stderr"));
}

QString HalvexControl::errorOutput()
{
    QFile log(errorLogPath());
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

HalvexControl::Position HalvexControl::now()
{
    const std::optional<ns::Dictionary> current = state();
    if (!current)
        return {};
    return {current->value("ProcessID").longLongValue(),
            quint64(std::max(current->value("LastReceivedNumber").longLongValue(),
                             current->value("LastSentNumber").longLongValue()))};
}

quint64 HalvexControl::numberAfter(const Position& after)
{
    return now().processID == after.processID ? after.number : 0;
}

std::vector<HalvexControl::Entry> HalvexControl::receivedSince(const Position& after)
{
    return client_.entriesAfter(Log::Received, numberAfter(after)).value_or(std::vector<Entry>());
}

std::vector<HalvexControl::Entry> HalvexControl::sentSince(const Position& after)
{
    return client_.entriesAfter(Log::Sent, numberAfter(after)).value_or(std::vector<Entry>());
}

std::optional<HalvexControl::Entry> HalvexControl::next(Log log, MessageID id, const Position& after,
                                                        int timeoutMs)
{
    Position mark = after;
    const QDeadlineTimer deadline(timeoutMs);
    do {
        // A restarted server numbers from the start again.
        if (const Position current = now(); current.processID != 0 && current.processID != mark.processID)
            mark = {current.processID, 0};
        if (const auto entries = client_.entriesAfter(log, mark.number)) {
            for (const Entry& entry : *entries) {
                const _UI_MSG record = entry.record();
                if (MessageID{record.majorID, record.minorID} == id)
                    return entry;
            }
            if (!entries->empty())
                mark.number = entries->back().number;
        }
        QTest::qWait(10);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

std::optional<HalvexControl::Entry> HalvexControl::nextReceived(MessageID id, const Position& after,
                                                                int timeoutMs)
{
    return next(Log::Received, id, after, timeoutMs);
}

std::optional<HalvexControl::Entry> HalvexControl::nextSent(MessageID id, const Position& after,
                                                            int timeoutMs)
{
    return next(Log::Sent, id, after, timeoutMs);
}
