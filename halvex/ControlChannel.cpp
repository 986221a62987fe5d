#include "halvex/ControlChannel.h"

#include "halvex/ControlProtocol.h"
#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/PayloadReader.h"
#include "platform/ae/AppleEventManager.h"

namespace halvex
{

namespace
{

void refuse(ae::AppleEvent& reply, const QString& reason)
{
    qCWarning(lcHalvex).noquote() << "control:" << reason;
    reply.setParamDescriptor(control::keyErrorString, {ae::typeUTF8Text, reason.toUtf8()});
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
    manager.setEventHandler(control::kEventClass, control::kReceivedRecords,
                            [this](const ae::AppleEvent&, ae::AppleEvent& reply) { receivedRecords(reply); });
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
    ns::Dictionary arguments;
    if (const std::optional<ae::Descriptor> given = event.paramDescriptor(control::keyStepArguments)) {
        const std::optional<ns::Value> value = given->propertyList();
        if (!value || !value->isDictionary()) {
            refuse(reply, QStringLiteral("step arguments must be a dictionary"));
            return;
        }
        arguments = value->toDictionary();
    }
    const QString stepName = QString::fromUtf8(name->data);
    qCInfo(lcHalvex).noquote() << "control: step" << stepName;
    if (const QString error = modem_.runStep(stepName, arguments); !error.isEmpty())
        refuse(reply, error);
}

void ControlChannel::receivedRecords(ae::AppleEvent& reply) const
{
    QByteArray records;
    for (const _UI_MSG& record : modem_.receivedRecords())
        records += recordBytes(record);
    reply.setParamDescriptor(control::keyRecord, {ae::typeData, records});
}

void ControlChannel::state(ae::AppleEvent& reply) const
{
    reply.setParamDescriptor(control::keyState, ae::Descriptor::fromPropertyList(modem_.state()));
}

} // namespace halvex
