#include "halvex/DeviceChannel.h"

#include "halvex/ControlProtocol.h"
#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "jCommon/DeviceServerChannel.h"
#include "platform/ae/AppleEventManager.h"

namespace halvex
{

void DeviceChannel::install(ae::AppleEventManager& manager)
{
    manager.setEventHandler(
        kRecordEventClass, kRecordEventID, [this](const ae::AppleEvent& event, ae::AppleEvent& reply) {
            const std::optional<ae::Descriptor> parameter = event.paramDescriptor(keyRecordParameter);
            QString refusal;
            if (!parameter)
                refusal = QStringLiteral("an event without a record refused");
            else if (parameter->descriptorType != ae::typeData)
                refusal = QStringLiteral("a record that is not raw data refused");
            else if (parameter->data.size() != kUIMsgSize)
                refusal = QStringLiteral("a record of %1 bytes refused (a record is %2 bytes)")
                              .arg(parameter->data.size())
                              .arg(kUIMsgSize);
            if (!refusal.isEmpty()) {
                qCWarning(lcHalvex).noquote() << refusal;
                reply.setParamDescriptor(control::keyErrorString, {ae::typeUTF8Text, refusal.toUtf8()});
                return;
            }
            modem_.receive(recordFromBytes(parameter->data));
        });
}

} // namespace halvex
