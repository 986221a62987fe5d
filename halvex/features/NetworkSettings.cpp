#include "halvex/features/NetworkSettings.h"

#include "halvex/Modem.h"
#include "halvex/Payload.h"
#include "halvex/Record.h"

namespace halvex
{

namespace
{
constexpr uint16_t kMajorNetworkSelection = 0x0201;
constexpr uint16_t kMinorRoamSwitch = 85;
} // namespace

void NetworkSettings::simReady()
{
    const Scenario::Network& network = modem_.scenario().network;
    modem_.report(makeRecord(kMajorNetworkSelection, kMinorRoamSwitch, kTypeReport, kResultSuccess,
                             Payload(8)
                                 .setInt32(0, network.nationalRoamingSwitch ? 1 : 0)
                                 .setInt32(4, network.internationalRoamingSwitch ? 1 : 0)
                                 .bytes()));
}

} // namespace halvex
