#pragma once

#include "jCommon/MessageID.h"
#include "jCommon/UIMsg.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace halvex
{

// The requests the modem answers, one handler per (major, minor) pair. Most
// need the device; a few the server answers even while it is unplugged.
class MessageRouter
{
public:
    using Handler = std::function<void(const _UI_MSG& request)>;
    enum class Needs { Device, Nothing };
    enum class Outcome { Handled, NoHandler, NoDevice };

    // A pair has one handler; registering it twice is a programming error.
    void registerHandler(MessageID id, Handler handler, Needs needs = Needs::Device);
    Outcome dispatch(const _UI_MSG& request, bool devicePlugged) const;

private:
    struct Route {
        Handler handler;
        Needs needs;
    };
    std::map<std::pair<uint16_t, uint16_t>, Route> routes_;
};

} // namespace halvex
