#include "halvex/features/DeviceStartup.h"

#include "halvex/Logging.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

void DeviceStartup::registerMessages(MessageRouter& router)
{
    router.registerHandler(
        msg::device::kHandShake, [this](const _UI_MSG& request) { dealWithHandShake(request); },
        MessageRouter::Needs::Nothing);
}

void DeviceStartup::registerSteps(StepTable& steps)
{
    steps.registerStep(QStringLiteral("remove"),
                       QStringLiteral("Pulls the device out: the modem reports it gone and answers only "
                                      "the handshake, which fails."),
                       {}, [this](const ns::Dictionary&) {
                           return modem_.removeDevice() ? QString()
                                                        : QStringLiteral("the device is already removed");
                       });
    steps.registerStep(
        QStringLiteral("plug"),
        QStringLiteral("Plugs the device back in: the modem reports it from the handshake on."), {},
        [this](const ns::Dictionary&) {
            return modem_.plugDevice() ? QString() : QStringLiteral("the device is already plugged in");
        });
    steps.registerStep(QStringLiteral("notattached"),
                       QStringLiteral("The modem reports that no device is attached, whatever its state."),
                       {}, [this](const ns::Dictionary&) {
                           modem_.send(
                               makeRecord(msg::device::kCheckDeviceNotAttached, kTypeReport, kResultFailure),
                               modem_.scenario().timing.replyDelay);
                           return QString();
                       });
}

void DeviceStartup::devicePlugged()
{
    // The handshake opens every start sequence and waits for the manager;
    // the reports behind it wait with it.
    modem_.report(makeRecord(msg::device::kHandShake, kTypeReport, kResultSuccess),
                  OutgoingQueue::Policy::WaitForClient);
    modem_.report(makeRecord(msg::device::kCheckDeviceStatus, kTypeReport, kResultSuccess));
    modem_.report(makeRecord(msg::device::kGetDeviceMode, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, modem_.scenario().device.deviceMode).bytes()));
}

void DeviceStartup::deviceRemoved()
{
    modem_.report(makeRecord(msg::device::kCheckDeviceStatus, kTypeReport, kResultFailure));
}

void DeviceStartup::dealWithHandShake(const _UI_MSG& request)
{
    if (modem_.isPlugged()) {
        qCInfo(lcHalvex) << "handshake: reporting the device from the start";
        modem_.playStartSequence();
        return;
    }
    qCInfo(lcHalvex) << "handshake while the device is removed";
    modem_.send(
        makeRecord(msg::device::kHandShake, kTypeReport, kResultFailure, QByteArray(), request.moduleID),
        modem_.scenario().timing.replyDelay);
}

} // namespace halvex
