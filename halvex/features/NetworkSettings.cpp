#include "halvex/features/NetworkSettings.h"

#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{
} // namespace

void NetworkSettings::simReady()
{
    const Scenario::Network& network = modem_.scenario().network;
    modem_.report(makeRecord(msg::networkSelection::kReadRoamSwitch, kTypeReport, kResultSuccess,
                             PayloadWriter(8)
                                 .setInt32(0, network.nationalRoamingSwitch ? 1 : 0)
                                 .setInt32(4, network.internationalRoamingSwitch ? 1 : 0)
                                 .bytes()));
}

} // namespace halvex
