#include "halvex/ClientLink.h"

#include "halvex/Logging.h"
#include "halvex/Record.h"
#include "jCommon/DeviceServerChannel.h"
#include "jCommon/PayloadReader.h"
#include "platform/ae/AESend.h"

namespace halvex
{

namespace
{
// Writing one record never holds the modem up for long.
constexpr long kSendTimeoutTicks = 60;
} // namespace

ClientLink::ClientLink()
    : event_(kRecordEventClass, kRecordEventID, ae::Descriptor::fromBundleIdentifier(kJOVDataCardClient))
{
}

Delivery ClientLink::send(const _UI_MSG& record)
{
    event_.setParamDescriptor(keyRecordParameter, ae::Descriptor{ae::typeData, recordBytes(record)});
    const ae::OSErr err =
        ae::AESend(event_, nullptr, ae::kAENoReply, ae::kAENormalPriority, kSendTimeoutTicks);
    if (err == ae::noErr) {
        qCDebug(lcHalvex).noquote() << "sent" << recordName(record) << "type" << record.type << "result"
                                    << int(record.result);
        return Delivery::Delivered;
    }
    if (err == ae::procNotFound)
        return Delivery::ClientAbsent;
    qCWarning(lcHalvex).noquote() << "sending" << recordName(record) << "failed with error" << err;
    return Delivery::Failed;
}

} // namespace halvex
