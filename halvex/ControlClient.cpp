#include "halvex/ControlClient.h"

#include "halvex/ControlProtocol.h"
#include "jCommon/DeviceServerChannel.h"
#include "platform/ae/AESend.h"

namespace halvex
{

namespace
{

// Halvex answers at once; five seconds covers a machine under load.
constexpr long kTimeoutTicks = 5 * 60;

ae::AppleEvent controlEvent(ae::OSType eventID)
{
    return ae::AppleEvent(control::kEventClass, eventID,
                          ae::Descriptor::fromBundleIdentifier(kJOVDataCardServer));
}

// Sends the event and waits for the reply: empty on success, else Halvex's
// reason or the send error.
QString sendControl(const ae::AppleEvent& event, ae::AppleEvent* reply = nullptr)
{
    ae::AppleEvent answer;
    const ae::OSErr err = ae::AESend(event, &answer, ae::kAEWaitReply, ae::kAENormalPriority, kTimeoutTicks);
    if (err == ae::procNotFound)
        return QStringLiteral("no Halvex is running here (error %1)").arg(err);
    if (err != ae::noErr)
        return QStringLiteral("Halvex did not answer (error %1)").arg(err);
    if (const auto reason = answer.paramDescriptor(control::keyErrorString))
        return QString::fromUtf8(reason->data);
    if (reply)
        *reply = std::move(answer);
    return QString();
}

// The property-list value of a reply's parameter; null when absent or unreadable.
ns::Value replyValue(const ae::AppleEvent& reply, ae::OSType keyword)
{
    return reply.paramDescriptor(keyword).value_or(ae::Descriptor()).propertyList().value_or(ns::Value());
}

// Sends the event; on failure sets error and gives nullopt.
std::optional<ae::AppleEvent> ask(const ae::AppleEvent& event, QString* error)
{
    ae::AppleEvent reply;
    if (QString reason = sendControl(event, &reply); !reason.isEmpty()) {
        if (error)
            *error = std::move(reason);
        return std::nullopt;
    }
    return reply;
}

template <class T> std::optional<T> fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

QString ControlClient::inject(const _UI_MSG& record) const
{
    ae::AppleEvent event = controlEvent(control::kInjectRecord);
    event.setParamDescriptor(control::keyRecord, {ae::typeData, recordBytes(record)});
    return sendControl(event);
}

QString ControlClient::step(const QString& name, const ns::Dictionary& arguments) const
{
    ae::AppleEvent event = controlEvent(control::kRunStep);
    event.setParamDescriptor(control::keyStepName, {ae::typeUTF8Text, name.toUtf8()});
    if (!arguments.isEmpty())
        event.setParamDescriptor(control::keyStepArguments, ae::Descriptor::fromPropertyList(arguments));
    return sendControl(event);
}

std::optional<ns::Array> ControlClient::steps(QString* error) const
{
    const std::optional<ae::AppleEvent> reply = ask(controlEvent(control::kListSteps), error);
    if (!reply)
        return std::nullopt;
    const ns::Value steps = replyValue(*reply, control::keySteps);
    if (!steps.isArray())
        return fail<ns::Array>(error, QStringLiteral("the step list is not an array"));
    return steps.toArray();
}

std::optional<ns::Dictionary> ControlClient::state(QString* error) const
{
    const std::optional<ae::AppleEvent> reply = ask(controlEvent(control::kState), error);
    if (!reply)
        return std::nullopt;
    const ns::Value state = replyValue(*reply, control::keyState);
    if (!state.isDictionary())
        return fail<ns::Dictionary>(error, QStringLiteral("the state is not a dictionary"));
    return state.toDictionary();
}

std::optional<std::vector<_UI_MSG>> ControlClient::latestReceived(QString* error) const
{
    const std::optional<ae::AppleEvent> reply = ask(controlEvent(control::kReceivedRecords), error);
    if (!reply)
        return std::nullopt;
    const QByteArray bytes = reply->paramDescriptor(control::keyRecord).value_or(ae::Descriptor()).data;
    if (bytes.size() % kUIMsgSize != 0)
        return fail<std::vector<_UI_MSG>>(error, QStringLiteral("the reply holds part of a record"));
    std::vector<_UI_MSG> records;
    for (qsizetype at = 0; at < bytes.size(); at += kUIMsgSize)
        records.push_back(recordFromBytes(bytes.mid(at, kUIMsgSize)));
    return records;
}

std::optional<std::vector<LoggedRecord>> ControlClient::entriesAfter(Log log, uint64_t since,
                                                                     QString* error) const
{
    std::vector<LoggedRecord> entries;
    for (bool more = true; more;) {
        ae::AppleEvent event =
            controlEvent(log == Log::Received ? control::kReceivedRecords : control::kSentRecords);
        event.setParamDescriptor(control::keySince, ae::Descriptor::fromPropertyList(qint64(since)));
        event.setParamDescriptor(control::keyNumbered, ae::Descriptor::fromPropertyList(true));
        const std::optional<ae::AppleEvent> reply = ask(event, error);
        if (!reply)
            return std::nullopt;
        const QByteArray bytes = reply->paramDescriptor(control::keyRecord).value_or(ae::Descriptor()).data;
        const ns::Dictionary page = replyValue(*reply, control::keyEntries).toDictionary();
        const ns::Array numbers = page.value(QStringLiteral("Entries")).toArray();
        if (bytes.size() != qsizetype(numbers.count()) * kUIMsgSize)
            return fail<std::vector<LoggedRecord>>(
                error, QStringLiteral("the reply's records and numbers disagree"));
        for (int i = 0; i < numbers.count(); ++i) {
            const ns::Dictionary numbered = numbers.at(i).toDictionary();
            LoggedRecord entry{uint64_t(numbered.value(QStringLiteral("Number")).longLongValue()),
                               numbered.value(QStringLiteral("Time")).longLongValue(),
                               numbered.value(QStringLiteral("Dropped")).boolValue(),
                               bytes.mid(qsizetype(i) * kUIMsgSize, kUIMsgSize)};
            if (entry.number <= since)
                return fail<std::vector<LoggedRecord>>(error, QStringLiteral("the reply's numbers go back"));
            since = entry.number;
            entries.push_back(std::move(entry));
        }
        more = page.value(QStringLiteral("More")).boolValue() && !numbers.isEmpty();
    }
    return entries;
}

} // namespace halvex
