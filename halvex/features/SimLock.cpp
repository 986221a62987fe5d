#include "halvex/features/SimLock.h"

#include "halvex/Logging.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{

using Lock = Scenario::Locks::SimLock;

// The state byte of 5/20 in the first family: the card is locked to another operator.
constexpr uint8_t kLockedToOperator = '1';
// 5/24: the hardware lock refuses the card.
constexpr int32_t kHardwareLocked = 4;

} // namespace

SimLock::SimLock(Modem& modem)
    : Feature(modem), unlockAttemptsLeft_(modem.scenario().locks.unlockAttemptsLeft)
{
}

void SimLock::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kCheckUnlockAttempts,
                           [this](const _UI_MSG& request) { dealWithUnlockAttempts(request); });
    router.registerHandler(msg::device::kCheckUnlockCodeStatus,
                           [this](const _UI_MSG& request) { dealWithUnlockCode(request); });
}

void SimLock::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("SimNetworkLocked"), modem_.isSimNetworkLocked());
    state.setValue(QStringLiteral("UnlockAttemptsLeft"), unlockAttemptsLeft_);
}

void SimLock::reportLockState(uint8_t state)
{
    _UI_MSG record = makeRecord(msg::device::kCheckLockStatus, kTypeReport, kResultSuccess);
    record.tail[0] = state;
    modem_.report(record);
}

void SimLock::devicePlugged()
{
    const Scenario::Locks& locks = modem_.scenario().locks;
    if (locks.hardwareLocked)
        modem_.report(makeRecord(msg::device::kCheckHardwareLockStatus, kTypeReport, kResultSuccess,
                                 PayloadWriter(4).setInt32(0, kHardwareLocked).bytes()));
    if (locks.firmwareLocked)
        modem_.report(makeRecord(msg::device::kUIFWLock, kTypeReport, kResultFailure));
    if (!modem_.isSimNetworkLocked())
        return;
    switch (locks.simLock) {
    case Lock::None:
        break;
    case Lock::Refused:
        reportLockState(kLockedToOperator);
        break;
    case Lock::FirstFamily:
        // The first family shows the IMEI and the attempts; they open the unlock window.
        reportIMEI();
        modem_.report(attemptsLeftRecord(kModuleInit));
        break;
    case Lock::SecondFamily:
        // The second family reports the lock; the manager then asks for the attempts.
        reportIMEI();
        modem_.report(makeRecord(msg::device::kCheckLockStatus, kTypeReport, kResultSuccess));
        break;
    }
}

void SimLock::reportIMEI()
{
    // The IMEI the user needs to obtain the unlock code.
    modem_.report(makeRecord(msg::device::kCheckIMEIInfo, kTypeReport, kResultSuccess,
                             PayloadWriter(FieldWidth::kIMEI)
                                 .setText(0, FieldWidth::kIMEI, modem_.scenario().device.imei)
                                 .bytes()));
}

_UI_MSG SimLock::attemptsLeftRecord(int32_t moduleID) const
{
    return makeRecord(msg::device::kCheckUnlockAttempts, kTypeReport, kResultSuccess,
                      PayloadWriter(4).setInt32(0, unlockAttemptsLeft_).bytes(), moduleID);
}

void SimLock::dealWithUnlockAttempts(const _UI_MSG& request)
{
    modem_.send(attemptsLeftRecord(request.moduleID), modem_.scenario().timing.replyDelay);
}

void SimLock::dealWithUnlockCode(const _UI_MSG& request)
{
    const Scenario::Locks& locks = modem_.scenario().locks;
    const bool unlockable =
        modem_.isSimNetworkLocked() && locks.simLock != Lock::Refused && unlockAttemptsLeft_ > 0;
    const bool right = unlockable && payloadText(request, 0, FieldWidth::kUnlockCode) == locks.unlockCode;
    if (unlockable && !right)
        --unlockAttemptsLeft_;
    qCInfo(lcHalvex) << (right ? "unlock code accepted" : "unlock code refused;") << unlockAttemptsLeft_
                     << "attempts left";
    modem_.send(makeRecord(msg::device::kCheckUnlockCodeStatus, kTypeReport,
                           right ? kResultSuccess : kResultFailure, QByteArray(), request.moduleID),
                modem_.scenario().timing.codeCheckDelay);
    if (right) {
        modem_.simNetworkUnlocked();
    } else if (unlockable && locks.simLock == Lock::FirstFamily) {
        // The first family shows the attempts again: the window comes back, or the device goes.
        modem_.report(attemptsLeftRecord(kModuleInit));
    }
}

} // namespace halvex
