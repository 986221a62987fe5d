#pragma once

#include "halvex/OutgoingQueue.h"
#include "platform/ae/AppleEvent.h"

namespace halvex
{

// Sends the modem's records to the manager: each as an Apple Event of class
// and ID 'GURL' carrying the record as parameter 'jMsg', to the manager's
// bundle identifier, without waiting for a reply (the manager may itself be
// waiting on us).
class ClientLink
{
public:
    ClientLink();
    Delivery send(const _UI_MSG& record);

private:
    ae::AppleEvent event_;
};

} // namespace halvex
