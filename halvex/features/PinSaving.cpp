#include "halvex/features/PinSaving.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

void PinSaving::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kPinAutoValidation,
                           [this](const _UI_MSG& request) { dealWithPinAutoValidation(request); });
}

void PinSaving::devicePlugged()
{
    // The simulated device keeps no PIN and was never asked to by the user.
    modem_.report(makeRecord(msg::device::kPinAutoValidation, kTypeReport, kResultSuccess,
                             PayloadWriter(8).setInt32(0, 0).setInt32(4, 0).bytes()));
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
