#include "halvex/features/DeviceIdentity.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{

// A report whose payload is one text field.
_UI_MSG textRecord(MessageID id, int width, const QString& text, int32_t moduleID = kModuleInit)
{
    return makeRecord(id, kTypeReport, kResultSuccess, PayloadWriter(width).setText(0, width, text).bytes(),
                      moduleID);
}
} // namespace

void DeviceIdentity::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kCheckCIMI,
                           [this](const _UI_MSG& request) { dealWithQueryIMSI(request); });
}

void DeviceIdentity::devicePlugged()
{
    const Scenario::Device& device = modem_.scenario().device;
    modem_.report(textRecord(msg::device::kCheckIMEIInfo, FieldWidth::kIMEI, device.imei));
    modem_.report(
        textRecord(msg::device::kCheckFWVersion, FieldWidth::kFirmwareVersion, device.firmwareVersion));
    modem_.report(
        textRecord(msg::device::kCheckHWVersion, FieldWidth::kHardwareVersion, device.hardwareVersion));
    modem_.report(textRecord(msg::device::kCheckModemModel, FieldWidth::kModel, device.model));
    modem_.report(
        textRecord(msg::device::kCheckSerialNumber, FieldWidth::kSerialNumber, device.serialNumber));
}

void DeviceIdentity::simReady()
{
    modem_.report(imsiRecord(kModuleInit));
    modem_.report(
        textRecord(msg::device::kCheckPhoneNumber, FieldWidth::kOwnNumber, modem_.scenario().sim.ownNumber));
}

_UI_MSG DeviceIdentity::imsiRecord(int32_t moduleID) const
{
    return textRecord(msg::device::kCheckCIMI, FieldWidth::kIMSI, modem_.scenario().sim.imsi, moduleID);
}

void DeviceIdentity::dealWithQueryIMSI(const _UI_MSG& request)
{
    // The IMSI can be read only from a usable SIM.
    const _UI_MSG answer = modem_.sim().status() == SimCard::Status::Ready
                               ? imsiRecord(request.moduleID)
                               : makeRecord(msg::device::kCheckCIMI, kTypeReport, kResultFailure,
                                            QByteArray(), request.moduleID);
    modem_.send(answer, modem_.scenario().timing.replyDelay);
}

} // namespace halvex
