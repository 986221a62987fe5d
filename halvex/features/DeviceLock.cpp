#include "halvex/features/DeviceLock.h"

#include "halvex/Logging.h"
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
constexpr int32_t kNotLocked = 0;
constexpr int32_t kLocked = 1;
} // namespace

DeviceLock::DeviceLock(Modem& modem) : Feature(modem), locked_(modem.scenario().locks.deviceLocked) {}

void DeviceLock::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kDeviceUnlock,
                           [this](const _UI_MSG& request) { dealWithUnlock(request); });
}

void DeviceLock::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("DeviceLocked"), locked_);
    state.setValue(QStringLiteral("WrongDeviceCodes"), wrongCodes_);
}

void DeviceLock::devicePlugged()
{
    modem_.report(makeRecord(msg::device::kCheckDeviceLockStatus, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, locked_ ? kLocked : kNotLocked).bytes()));
}

void DeviceLock::deviceRemoved()
{
    // The lock holds again once the device has lost power.
    locked_ = modem_.scenario().locks.deviceLocked;
    wrongCodes_ = 0;
}

void DeviceLock::dealWithUnlock(const _UI_MSG& request)
{
    // Four ASCII digits, no terminator: read exactly the field's bytes.
    const QByteArray code(reinterpret_cast<const char*>(request.data), FieldWidth::kDeviceCode);
    const bool right =
        request.length >= FieldWidth::kDeviceCode && code == modem_.scenario().locks.deviceCode.toLatin1();
    if (right)
        locked_ = false;
    else
        ++wrongCodes_;
    qCInfo(lcHalvex) << "device code from module" << request.moduleID << (right ? "accepted" : "refused");
    modem_.send(makeRecord(msg::device::kDeviceUnlockResult, kTypeReport,
                           right ? kResultSuccess : kResultFailure, QByteArray(), request.moduleID),
                modem_.scenario().timing.codeCheckDelay);
}

} // namespace halvex
