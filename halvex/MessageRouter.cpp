#include "halvex/MessageRouter.h"

#include <QtGlobal>

namespace halvex
{

void MessageRouter::registerHandler(MessageID id, Handler handler, Needs needs)
{
    const bool added = routes_.try_emplace({id.majorID, id.minorID}, Route{std::move(handler), needs}).second;
    Q_ASSERT_X(added, "MessageRouter", "a message pair has one handler");
    Q_UNUSED(added);
}

MessageRouter::Outcome MessageRouter::dispatch(const _UI_MSG& request, bool devicePlugged) const
{
    const auto it = routes_.find({request.majorID, request.minorID});
    if (it == routes_.end())
        return Outcome::NoHandler;
    if (!devicePlugged && it->second.needs == Needs::Device)
        return Outcome::NoDevice;
    it->second.handler(request);
    return Outcome::Handled;
}

} // namespace halvex
