#include "halvex/features/FeatureList.h"

#include "halvex/features/Connection.h"
#include "halvex/features/ConnectionPPP.h"
#include "halvex/features/DeviceIdentity.h"
#include "halvex/features/DeviceLock.h"
#include "halvex/features/DevicePower.h"
#include "halvex/features/DeviceStartup.h"
#include "halvex/features/NdisConnection.h"
#include "halvex/features/NetworkSearchModes.h"
#include "halvex/features/NetworkSettings.h"
#include "halvex/features/NetworkStatus.h"
#include "halvex/features/PinSaving.h"
#include "halvex/features/SimActivation.h"
#include "halvex/features/SimFiles.h"
#include "halvex/features/SimLock.h"
#include "halvex/features/SimPin.h"
#include "halvex/features/SimUpdate.h"

namespace halvex
{

std::vector<std::unique_ptr<Feature>> createFeatures(Modem& modem)
{
    std::vector<std::unique_ptr<Feature>> features;
    // Device reports first, then the SIM and the locks that may hold it back;
    // a usable SIM leads on to the SIM-ready reports of every feature.
    features.push_back(std::make_unique<DeviceStartup>(modem));
    features.push_back(std::make_unique<DeviceIdentity>(modem));
    features.push_back(std::make_unique<DevicePower>(modem));
    features.push_back(std::make_unique<DeviceLock>(modem));
    features.push_back(std::make_unique<SimActivation>(modem));
    features.push_back(std::make_unique<PinSaving>(modem));
    features.push_back(std::make_unique<SimPin>(modem));
    features.push_back(std::make_unique<SimLock>(modem));
    features.push_back(std::make_unique<SimFiles>(modem));
    features.push_back(std::make_unique<NetworkStatus>(modem));
    features.push_back(std::make_unique<NetworkSettings>(modem));
    features.push_back(std::make_unique<NetworkSearchModes>(modem));
    features.push_back(std::make_unique<SimUpdate>(modem));
    auto connection = std::make_unique<Connection>(modem);
    auto ppp = std::make_unique<ConnectionPPP>(modem, *connection);
    auto ndis = std::make_unique<NdisConnection>(modem, *connection);
    features.push_back(std::move(connection));
    features.push_back(std::move(ndis));
    features.push_back(std::move(ppp));
    return features;
}

} // namespace halvex
