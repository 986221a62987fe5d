#include "halvex/features/PinSaving.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Value.h"

namespace halvex
{

void PinSaving::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kPinAutoValidation,
                           [this](const _UI_MSG& request) { dealWithPinAutoValidation(request); });
    router.registerHandler(msg::device::kSavePinFlag,
                           [this](const _UI_MSG& request) { dealWithSavePinFlag(request); });
}

void PinSaving::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("PinKeptByDevice"), keepsPin_);
    state.setValue(QStringLiteral("PinSavedByUser"), savedByUser_);
}

void PinSaving::devicePlugged()
{
    reportPinSaving();
}

void PinSaving::reportPinSaving()
{
    modem_.report(makeRecord(
        msg::device::kPinAutoValidation, kTypeReport, kResultSuccess,
        PayloadWriter(8).setInt32(0, keepsPin_ ? 1 : 0).setInt32(4, savedByUser_ ? 1 : 0).bytes()));
}

void PinSaving::dealWithSavePinFlag(const _UI_MSG& request)
{
    // 8 bytes: int32 1 to keep the PIN, 0 to forget it; int32 0.
    if (request.type != kTypeRequest || request.length < 8)
        return;
    keepsPin_ = payloadInt32(request, 0) == 1;
    savedByUser_ = true;
    reportPinSaving();
}

void PinSaving::dealWithPinAutoValidation(const _UI_MSG& request)
{
    if (request.type != kTypeRequest)
        return;
    modem_.send(makeRecord(msg::device::kPinAutoValidation, kTypeRequest, kResultSuccess, QByteArray(),
                           request.moduleID),
                modem_.scenario().timing.replyDelay);
}

} // namespace halvex
