#include "halvex/features/DevicePower.h"

#include "halvex/Logging.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/Value.h"

namespace halvex
{

void DevicePower::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::device::kStartWork,
                           [this](const _UI_MSG& request) { dealWithWork(request, true); });
    router.registerHandler(msg::device::kStopWork,
                           [this](const _UI_MSG& request) { dealWithWork(request, false); });
}

void DevicePower::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("Online"), online_);
}

void DevicePower::dealWithWork(const _UI_MSG& request, bool online)
{
    if (request.type != kTypeRequest)
        return;
    qCInfo(lcHalvex) << (online ? "radio on-line" : "radio off-line");
    online_ = online;
    const MessageID id = online ? msg::device::kStartWork : msg::device::kStopWork;
    modem_.send(makeRecord(id, kTypeReport, kResultSuccess, QByteArray(), request.moduleID),
                modem_.scenario().timing.replyDelay);
}

} // namespace halvex
