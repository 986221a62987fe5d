#include "halvex/features/DeviceIdentity.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
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

void DeviceIdentity::registerSteps(StepTable& steps)
{
    steps.registerStep(
        QStringLiteral("identity"),
        QStringLiteral("Reports the device's identity again, and the SIM's while it is usable."), {},
        [this](const ns::Dictionary&) {
            devicePlugged();
            if (simReady_)
                simReady();
            return QString();
        });
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
    const Scenario& scenario = modem_.scenario();
    simReady_ = true;
    modem_.report(imsiRecord(kModuleInit));
    modem_.report(textRecord(msg::device::kCheckPhoneNumber, FieldWidth::kOwnNumber, scenario.sim.ownNumber));
    modem_.report(makeRecord(msg::device::kCheckMCCMNC, kTypeReport, kResultSuccess,
                             PayloadWriter(2 * FieldWidth::kMccOrMnc)
                                 .setText(0, FieldWidth::kMccOrMnc, scenario.network.mcc)
                                 .setText(FieldWidth::kMccOrMnc, FieldWidth::kMccOrMnc, scenario.network.mnc)
                                 .bytes()));
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
