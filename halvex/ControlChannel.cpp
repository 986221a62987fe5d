#include "halvex/ControlChannel.h"

#include "halvex/ControlProtocol.h"
#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/PayloadReader.h"
#include "platform/ae/AppleEventManager.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace halvex
{

namespace
{

void refuse(ae::AppleEvent& reply, const QString& reason)
{
    qCWarning(lcHalvex).noquote() << "control:" << reason;
    reply.setParamDescriptor(control::keyErrorString, {ae::typeUTF8Text, reason.toUtf8()});
}

// The property-list value of an optional parameter: null when absent,
// nullopt when it is there but not a property list.
std::optional<ns::Value> optionalValue(const ae::AppleEvent& event, ae::OSType keyword)
{
    const std::optional<ae::Descriptor> given = event.paramDescriptor(keyword);
    if (!given)
        return ns::Value();
    return given->propertyList();
}

} // namespace

void ControlChannel::install(ae::AppleEventManager& manager)
{
    manager.setEventHandler(
        control::kEventClass, control::kInjectRecord,
        [this](const ae::AppleEvent& event, ae::AppleEvent& reply) { injectRecord(event, reply); });
    manager.setEventHandler(
        control::kEventClass, control::kRunStep,
        [this](const ae::AppleEvent& event, ae::AppleEvent& reply) { runStep(event, reply); });
    manager.setEventHandler(control::kEventClass, control::kListSteps,
                            [this](const ae::AppleEvent&, ae::AppleEvent& reply) { listSteps(reply); });
    manager.setEventHandler(control::kEventClass, control::kReceivedRecords,
                            [this](const ae::AppleEvent& event, ae::AppleEvent& reply) {
                                readLog(modem_.conversation().received(), false, event, reply);
                            });
    manager.setEventHandler(control::kEventClass, control::kSentRecords,
                            [this](const ae::AppleEvent& event, ae::AppleEvent& reply) {
                                readLog(modem_.conversation().sent(), true, event, reply);
                            });
    manager.setEventHandler(control::kEventClass, control::kState,
                            [this](const ae::AppleEvent&, ae::AppleEvent& reply) { state(reply); });
}

void ControlChannel::injectRecord(const ae::AppleEvent& event, ae::AppleEvent& reply)
{
    const std::optional<ae::Descriptor> record = event.paramDescriptor(control::keyRecord);
    if (!record || record->descriptorType != ae::typeData || record->data.size() != kUIMsgSize) {
        refuse(reply, QStringLiteral("inject needs one whole record"));
        return;
    }
    const _UI_MSG msg = recordFromBytes(record->data);
    qCInfo(lcHalvex).noquote() << "control: injecting" << recordName(msg);
    modem_.send(msg, 0);
}

void ControlChannel::runStep(const ae::AppleEvent& event, ae::AppleEvent& reply)
{
    const std::optional<ae::Descriptor> name = event.paramDescriptor(control::keyStepName);
    if (!name || name->descriptorType != ae::typeUTF8Text) {
        refuse(reply, QStringLiteral("a step needs its name"));
        return;
    }
    const std::optional<ns::Value> arguments = optionalValue(event, control::keyStepArguments);
    if (!arguments || !(arguments->isNull() || arguments->isDictionary())) {
        refuse(reply, QStringLiteral("step arguments must be a dictionary"));
        return;
    }
    const QString stepName = QString::fromUtf8(name->data);
    qCInfo(lcHalvex).noquote() << "control: step" << loggable(stepName);
    if (const QString error = modem_.runStep(stepName, arguments->toDictionary()); !error.isEmpty())
        refuse(reply, error);
}

void ControlChannel::listSteps(ae::AppleEvent& reply) const
{
    reply.setParamDescriptor(control::keySteps, ae::Descriptor::fromPropertyList(modem_.steps().listing()));
}

void ControlChannel::readLog(const RecordLog& log, bool sent, const ae::AppleEvent& event,
                             ae::AppleEvent& reply) const
{
    const std::optional<ns::Value> since = optionalValue(event, control::keySince);
    if (!since ||
        !(since->isNull() || (since->type() == ns::Value::Type::Integer && since->longLongValue() >= 0))) {
        refuse(reply, QStringLiteral("\"since\" must be an order number (an integer from 0)"));
        return;
    }
    const std::optional<ns::Value> numbered = optionalValue(event, control::keyNumbered);
    if (!numbered || !(numbered->isNull() || numbered->isBool())) {
        refuse(reply, QStringLiteral("\"numbered\" must be a boolean"));
        return;
    }

    bool more = false;
    const std::vector<LoggedRecord> entries =
        since->isNull() ? log.latest(control::kPageSize)
                        : log.after(uint64_t(since->longLongValue()), control::kPageSize, &more);
    QByteArray records;
    records.reserve(qsizetype(entries.size()) * kUIMsgSize);
    for (const LoggedRecord& entry : entries)
        records += entry.recordBytes();
    reply.setParamDescriptor(control::keyRecord, {ae::typeData, records});
    if (!numbered->boolValue())
        return;

    ns::Array numbers;
    for (const LoggedRecord& entry : entries) {
        ns::Dictionary item{{QStringLiteral("Number"), qint64(entry.number)},
                            {QStringLiteral("Time"), qint64(entry.msecs)}};
        if (sent)
            item.setValue(QStringLiteral("Dropped"), entry.dropped);
        numbers.append(item);
    }
    reply.setParamDescriptor(control::keyEntries,
                             ae::Descriptor::fromPropertyList(ns::Dictionary{
                                 {QStringLiteral("Entries"), numbers}, {QStringLiteral("More"), more}}));
}

void ControlChannel::state(ae::AppleEvent& reply) const
{
    const Conversation& conversation = modem_.conversation();
    const QString path = modem_.scenario().path;
    ns::Dictionary state{
        {QStringLiteral("ProcessID"), QCoreApplication::applicationPid()},
        {QStringLiteral("StartTime"), conversation.started()},
        {QStringLiteral("ScenarioPath"), path},
        {QStringLiteral("ScenarioName"), QFileInfo(path).completeBaseName()},
        {QStringLiteral("LastReceivedNumber"), qint64(conversation.received().lastNumber())},
        {QStringLiteral("LastSentNumber"), qint64(conversation.sent().lastNumber())},
        {QStringLiteral("ReceivedForgotten"), qint64(conversation.received().forgotten())},
        {QStringLiteral("SentForgotten"), qint64(conversation.sent().forgotten())},
    };
    for (const auto& [key, value] : modem_.state())
        state.setValue(key, value);
    reply.setParamDescriptor(control::keyState, ae::Descriptor::fromPropertyList(state));
}

} // namespace halvex
