#include "halvex/features/DeviceIdentity.h"

#include "halvex/FieldWidths.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Payload.h"
#include "halvex/Record.h"

namespace halvex
{

namespace
{
constexpr uint16_t kMajorLock = 5;
constexpr uint16_t kMinorIMEI = 22;
constexpr uint16_t kMajorInfo = 7;
constexpr uint16_t kMinorIMSI = 42;
constexpr uint16_t kMinorFirmwareVersion = 44;
constexpr uint16_t kMinorOwnNumber = 47;
constexpr uint16_t kMinorHardwareVersion = 48;
constexpr uint16_t kMinorModel = 49;
constexpr uint16_t kMinorSerialNumber = 50;

// A report whose payload is one text field.
_UI_MSG textRecord(uint16_t majorID, uint16_t minorID, int width, const QString& text,
                   int32_t moduleID = kModuleInit)
{
    return makeRecord(majorID, minorID, kTypeReport, kResultSuccess,
                      Payload(width).setText(0, width, text).bytes(), moduleID);
}
} // namespace

void DeviceIdentity::registerMessages(MessageRouter& router)
{
    router.registerHandler(kMajorInfo, kMinorIMSI,
                           [this](const _UI_MSG& request) { dealWithQueryIMSI(request); });
}

void DeviceIdentity::devicePlugged()
{
    const Scenario::Device& device = modem_.scenario().device;
    modem_.report(textRecord(kMajorLock, kMinorIMEI, FieldWidth::kIMEI, device.imei));
    modem_.report(
        textRecord(kMajorInfo, kMinorFirmwareVersion, FieldWidth::kFirmwareVersion, device.firmwareVersion));
    modem_.report(
        textRecord(kMajorInfo, kMinorHardwareVersion, FieldWidth::kHardwareVersion, device.hardwareVersion));
    modem_.report(textRecord(kMajorInfo, kMinorModel, FieldWidth::kModel, device.model));
    modem_.report(textRecord(kMajorInfo, kMinorSerialNumber, FieldWidth::kSerialNumber, device.serialNumber));
}

void DeviceIdentity::simReady()
{
    modem_.report(imsiRecord(kModuleInit));
    modem_.report(
        textRecord(kMajorInfo, kMinorOwnNumber, FieldWidth::kOwnNumber, modem_.scenario().sim.ownNumber));
}

_UI_MSG DeviceIdentity::imsiRecord(int32_t moduleID) const
{
    return textRecord(kMajorInfo, kMinorIMSI, FieldWidth::kIMSI, modem_.scenario().sim.imsi, moduleID);
}

void DeviceIdentity::dealWithQueryIMSI(const _UI_MSG& request)
{
    // The IMSI can be read only from a usable SIM.
    const _UI_MSG answer =
        modem_.sim().status() == SimCard::Status::Ready
            ? imsiRecord(request.moduleID)
            : makeRecord(kMajorInfo, kMinorIMSI, kTypeReport, kResultFailure, QByteArray(), request.moduleID);
    modem_.send(answer, modem_.scenario().timing.replyDelay);
}

} // namespace halvex
